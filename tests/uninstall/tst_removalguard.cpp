#include "uninstall/removalguard.h"

#include "platform/registrykey.h"
#include "platform/systemfolders.h"
#include "productfixture.h"
#include "testsandbox.h"

#include <QDir>
#include <QStandardPaths>
#include <QtTest>

using appinstaller::isRemovableDirectory;
using appinstaller::isSafeProductName;
using namespace productfixture;

// The guard alone, also against the real system directories: it only answers, so
// pointing it at "/" or /usr can never cost anything.
class TestRemovalGuard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void removableDirectory_data();
    void removableDirectory();
    void everySystemDirectoryIsRefused_data();
    void everySystemDirectoryIsRefused();
    void everyStandardLocationIsRefused();
    void productName_data();
    void productName();
};

void TestRemovalGuard::initTestCase()
{
    QVERIFY(installTree(installDir()));
    QVERIFY(createSurroundings());
    QVERIFY(makeDir(publicDesktop()));
    QVERIFY(makeDir(home() + QStringLiteral("/Music")));
    QVERIFY(makeDir(root() + QStringLiteral("/HOME")));
    QVERIFY(makeDir(root() + QStringLiteral("/products/Other Product 2")));
    QVERIFY(makeLink(QStringLiteral("/"), root() + QStringLiteral("/links/root")));
    QVERIFY(makeLink(QStringLiteral("/usr"), root() + QStringLiteral("/links/usr")));
    QVERIFY(makeLink(installDir(), root() + QStringLiteral("/links/product")));
    QVERIFY(makeDir(appinstaller::platform::standInRoot() + QStringLiteral("/registry/HKEY_LOCAL_MACHINE/SOFTWARE")));
    QVERIFY(QDir::setCurrent(root() + QStringLiteral("/work")));
}

void TestRemovalGuard::removableDirectory_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("removable");

    const QString standIn = appinstaller::platform::standInRoot();
    const QString drive = standIn + QStringLiteral("/drive_c");

    QTest::newRow("the product") << installDir() << true;
    QTest::newRow("the product, trailing slash") << installDir() + QStringLiteral("/") << true;
    QTest::newRow("the product through dot-dot") << installDir() + QStringLiteral("/bin/..") << true;
    QTest::newRow("the product through a link") << root() + QStringLiteral("/links/product") << true;
    QTest::newRow("a folder with spaces and digits") << root() + QStringLiteral("/products/Other Product 2")
                                                     << true;
    QTest::newRow("a folder of the product") << installDir() + QStringLiteral("/docs/说明") << true;

    QTest::newRow("empty") << QString() << false;
    QTest::newRow("relative") << QStringLiteral("Viewer") << false;
    QTest::newRow("dot") << QStringLiteral(".") << false;
    QTest::newRow("dot-dot") << QStringLiteral("..") << false;
    QTest::newRow("filesystem root") << QStringLiteral("/") << false;
    QTest::newRow("filesystem root, doubled") << QStringLiteral("//") << false;
    QTest::newRow("usr") << QStringLiteral("/usr") << false;
    QTest::newRow("usr, trailing slash") << QStringLiteral("/usr/") << false;
    QTest::newRow("usr through dot-dot") << QStringLiteral("/usr/share/..") << false;
    QTest::newRow("usr/bin") << QStringLiteral("/usr/bin") << false;
    QTest::newRow("etc") << QStringLiteral("/etc") << false;
    QTest::newRow("temp") << QDir::tempPath() << false;
    QTest::newRow("link to the filesystem root") << root() + QStringLiteral("/links/root") << false;
    QTest::newRow("link to usr") << root() + QStringLiteral("/links/usr") << false;
    QTest::newRow("below a link to the filesystem root")
        << root() + QStringLiteral("/links/root/etc") << false;

    QTest::newRow("the home") << home() << false;
    QTest::newRow("the home, trailing slash") << home() + QStringLiteral("/") << false;
    QTest::newRow("the home through dot-dot") << desktop() + QStringLiteral("/..") << false;
    QTest::newRow("the home through dot") << home() + QStringLiteral("/./.") << false;
    QTest::newRow("ancestor of the home") << root() << false;
    QTest::newRow("case variant of the home") << root() + QStringLiteral("/HOME") << false;
    QTest::newRow("link to the home") << root() + QStringLiteral("/links/home") << false;
    QTest::newRow("link to the home, trailing slash") << root() + QStringLiteral("/links/home/") << false;
    QTest::newRow("desktop below a link to the home") << root() + QStringLiteral("/links/home/Desktop")
                                                      << false;
    QTest::newRow("the desktop") << desktop() << false;
    QTest::newRow("documents") << home() + QStringLiteral("/Documents") << false;
    QTest::newRow("downloads") << home() + QStringLiteral("/Downloads") << false;
    QTest::newRow("music") << home() + QStringLiteral("/Music") << false;
    QTest::newRow("the Start-menu programs folder") << startMenu() << false;
    QTest::newRow("data home, holding the Start menu") << TestSandbox::current()->dataHome() << false;
    QTest::newRow("config home") << TestSandbox::current()->configHome() << false;
    QTest::newRow("cache home") << root() + QStringLiteral("/cache") << false;
    QTest::newRow("the stand-in root") << standIn << false;
    QTest::newRow("the stand-in drive") << drive << false;
    QTest::newRow("the registry stand-in") << standIn + QStringLiteral("/registry") << false;
    QTest::newRow("a key folder of the registry stand-in")
        << standIn + QStringLiteral("/registry/HKEY_LOCAL_MACHINE/SOFTWARE") << false;
    QTest::newRow("the program-files root") << drive + QStringLiteral("/Program Files") << false;
    QTest::newRow("the product's dot-dot to the drive") << installDir() + QStringLiteral("/../..") << false;
    QTest::newRow("the public desktop") << publicDesktop() << false;
    QTest::newRow("the public profile") << drive + QStringLiteral("/Users/Public") << false;

    QTest::newRow("a file") << home() + QStringLiteral("/Documents/notes.txt") << false;
    QTest::newRow("link to a file") << root() + QStringLiteral("/links/notes") << false;
    QTest::newRow("dangling link") << root() + QStringLiteral("/links/dangling") << false;
    QTest::newRow("nonexistent directory") << installDir() + QStringLiteral("/missing") << false;
}

void TestRemovalGuard::removableDirectory()
{
    QFETCH(QString, path);
    QFETCH(bool, removable);
    QCOMPARE(isRemovableDirectory(path), removable);
}

void TestRemovalGuard::everySystemDirectoryIsRefused_data()
{
    QTest::addColumn<QString>("path");
    const char *const required[] = {"/usr", "/etc", "/var", "/opt", "/bin", "/sbin", "/lib",
                                    "/lib64", "/boot", "/home", "/root", "/srv", "/tmp", "/proc",
                                    "/sys", "/dev", "/run", "/mnt", "/media"};
    for (const char *path : required)
        QTest::newRow(path) << QString::fromLatin1(path);
    for (const QString &path : appinstaller::platform::systemDirectories())
        QTest::newRow(qPrintable(QStringLiteral("listed ") + path)) << path;
}

void TestRemovalGuard::everySystemDirectoryIsRefused()
{
    QFETCH(QString, path);
    QVERIFY(appinstaller::platform::systemDirectories().contains(path));
    QVERIFY(!isRemovableDirectory(path));
}

void TestRemovalGuard::everyStandardLocationIsRefused()
{
    const auto types = {QStandardPaths::DesktopLocation,       QStandardPaths::DocumentsLocation,
                        QStandardPaths::FontsLocation,         QStandardPaths::ApplicationsLocation,
                        QStandardPaths::MusicLocation,         QStandardPaths::MoviesLocation,
                        QStandardPaths::PicturesLocation,      QStandardPaths::TempLocation,
                        QStandardPaths::HomeLocation,          QStandardPaths::AppLocalDataLocation,
                        QStandardPaths::CacheLocation,         QStandardPaths::GenericDataLocation,
                        QStandardPaths::RuntimeLocation,       QStandardPaths::ConfigLocation,
                        QStandardPaths::DownloadLocation,      QStandardPaths::GenericCacheLocation,
                        QStandardPaths::GenericConfigLocation, QStandardPaths::AppDataLocation,
                        QStandardPaths::AppConfigLocation};
    for (const QStandardPaths::StandardLocation type : types) {
        QStringList paths = QStandardPaths::standardLocations(type);
        paths.append(QStandardPaths::writableLocation(type));
        for (const QString &path : paths) {
            // Only the sandbox's own places are created; one elsewhere that does not
            // exist would be refused for that alone and proves nothing.
            if (path.startsWith(root() + QLatin1Char('/')))
                QVERIFY(makeDir(path));
            else if (!QDir(path).exists())
                continue;
            QVERIFY2(!isRemovableDirectory(path), qPrintable(path));
        }
    }
}

void TestRemovalGuard::productName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");

    QTest::newRow("plain") << "Viewer" << true;
    QTest::newRow("Chinese") << "查看器" << true;
    QTest::newRow("with spaces") << "Raruz Evereruzozive" << true;
    QTest::newRow("leading dot") << ".hidden" << true;
    QTest::newRow("inner dots") << "Viewer.2.1" << true;

    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot-dot") << ".." << false;
    QTest::newRow("three dots") << "..." << false;
    QTest::newRow("space") << " " << false;
    QTest::newRow("trailing space") << "Viewer " << false;
    QTest::newRow("trailing dot") << "Viewer." << false;
    QTest::newRow("slash") << "Viewer/Tools" << false;
    QTest::newRow("slash only") << "/" << false;
    QTest::newRow("parent by slash") << "../Viewer" << false;
    QTest::newRow("backslash") << "Viewer\\Tools" << false;
    QTest::newRow("parent by backslash") << "..\\.." << false;
    QTest::newRow("drive") << "C:" << false;
    QTest::newRow("stream") << "Viewer:data" << false;
    QTest::newRow("wildcard") << "View*" << false;
    QTest::newRow("question mark") << "Viewer?" << false;
    QTest::newRow("quotes") << "\"Viewer\"" << false;
    QTest::newRow("angle brackets") << "<Viewer>" << false;
    QTest::newRow("pipe") << "View|er" << false;
    QTest::newRow("newline") << "View\ner" << false;
    QTest::newRow("tab") << "View\ter" << false;
    QTest::newRow("zero character") << QStringLiteral("View") + QChar(0) + QStringLiteral("er") << false;
}

void TestRemovalGuard::productName()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(isSafeProductName(name), safe);
}

UNINSTALL_TEST_MAIN(TestRemovalGuard)
#include "tst_removalguard.moc"
