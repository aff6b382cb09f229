#include "uninstall/installprocessmgr.h"

#include "platform/registrykey.h"
#include "product/setupconfig.h"
#include "product/uninstallregistry.h"
#include "productfixture.h"
#include "progressrecorder.h"
#include "testsandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QtTest>

#include <unistd.h>

using appinstaller::InstallProcessMgr;
using appinstaller::UninstallRegistry;
using appinstaller::UninstallReport;
using namespace productfixture;

namespace {

QString relative(const QString &path)
{
    return path.startsWith(root() + QLatin1Char('/')) ? QDir(root()).relativeFilePath(path) : path;
}

QString kindName(UninstallReport::Kind kind)
{
    switch (kind) {
    case UninstallReport::Kind::InstallDirectory:
        return QStringLiteral("directory");
    case UninstallReport::Kind::Shortcut:
        return QStringLiteral("shortcut");
    case UninstallReport::Kind::StartMenuFolder:
        return QStringLiteral("menu");
    case UninstallReport::Kind::RegistryKey:
        return QStringLiteral("key");
    }
    return QString();
}

// One line per leftover, "<kind> <refused|remains> <location>", paths relative to
// the sandbox, each followed by its entries ("  <path>") and unlisted count ("  +N").
QStringList describe(const UninstallReport &report)
{
    QStringList lines;
    const QList<UninstallReport::Leftover> leftovers = report.leftovers();
    for (const UninstallReport::Leftover &leftover : leftovers) {
        const bool refused = leftover.reason == UninstallReport::Reason::RefusedAsUnsafe;
        lines.append(kindName(leftover.kind) + (refused ? QStringLiteral(" refused ") : QStringLiteral(" remains "))
                     + relative(leftover.location));
        for (const QString &entry : leftover.entries)
            lines.append(QStringLiteral("  ") + relative(entry));
        if (leftover.unlistedEntries > 0)
            lines.append(QStringLiteral("  +%1").arg(leftover.unlistedEntries));
    }
    return lines;
}

QString keyPath()
{
    return QString::fromStdString(UninstallRegistry::instance()->keyPath(guid().toStdString()));
}

QString lnk(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name + QStringLiteral(".lnk");
}

} // namespace

// The procedure run directly on the test's thread, in a sandbox holding the
// product and everything around it. Every test compares a listing of the whole
// sandbox before and after, so anything touched that is not the product shows.
class TestInstallProcessMgr : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void removesTheProduct_data();
    void removesTheProduct();
    void shortcuts_data();
    void shortcuts();
    void startMenuFolderThatIsALink_data();
    void startMenuFolderThatIsALink();
    void refusedLocationRemovesNothing_data();
    void refusedLocationRemovesNothing();
    void missingLocationLeavesNothing();
    void locationThatIsALinkLosesOnlyTheLink();
    void linksInsideTheProductAreNotFollowed();
    void whatCouldNotBeRemovedIsReported_data();
    void whatCouldNotBeRemovedIsReported();

private:
    // Runs the procedure and checks the reports: all four, in order, the last one
    // telling whether anything remains. Keeps what the run left in m_report.
    void uninstall();
    QString m_workingDir;
    UninstallReport m_report;
};

void TestInstallProcessMgr::initTestCase()
{
    QVERIFY(writeSetupDescription(guid(), nameEN(), nameCH()));
    QCOMPARE(QString::fromStdString(appinstaller::SetupConfig::instance()->softwareNameEN()), nameEN());
    QCOMPARE(QString::fromLocal8Bit(appinstaller::SetupConfig::instance()->softwareNameCH().c_str()),
             nameCH());
    m_workingDir = QDir::currentPath();
}

void TestInstallProcessMgr::init()
{
    QVERIFY(installTree(installDir()));
    QVERIFY(createSurroundings());
    QVERIFY(registerProduct(guid(), installDir()));
    QVERIFY(QDir::setCurrent(root() + QStringLiteral("/work")));
}

// Each test starts from a sandbox with no trace of an earlier one.
void TestInstallProcessMgr::cleanup()
{
    QVERIFY(QDir::setCurrent(m_workingDir));
    QDirIterator directories(root(), QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (directories.hasNext()) {
        const QString directory = directories.next();
        if (!QFileInfo(directory).isSymLink())
            QFile::setPermissions(directory, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QDir sandbox(root());
    const QStringList entries = sandbox.entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                  | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        const QFileInfo info(sandbox.filePath(entry));
        if (info.isDir() && !info.isSymLink())
            QDir(info.filePath()).removeRecursively();
        else
            QFile::remove(info.filePath());
    }
    QVERIFY(makeDir(TestSandbox::current()->dataHome()));
    QVERIFY(makeDir(TestSandbox::current()->configHome()));
    QVERIFY(makeDir(root() + QStringLiteral("/runtime")));
    QVERIFY(QFile::setPermissions(root() + QStringLiteral("/runtime"),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

void TestInstallProcessMgr::uninstall()
{
    ProgressRecorder recorder;
    connect(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, &recorder,
            &ProgressRecorder::onProcessInfo);
    InstallProcessMgr::instance()->uninstall();
    m_report = InstallProcessMgr::instance()->report();
    QCOMPARE(recorder.events(),
             m_report.isComplete() ? ProgressRecorder::completeRun() : ProgressRecorder::incompleteRun());
}

void TestInstallProcessMgr::removesTheProduct_data()
{
    QTest::addColumn<QString>("location");

    QTest::newRow("as installed") << installDir();
    QTest::newRow("trailing slash") << installDir() + QStringLiteral("/");
    QTest::newRow("through dot-dot") << installDir() + QStringLiteral("/bin/../");
}

void TestInstallProcessMgr::removesTheProduct()
{
    QFETCH(QString, location);
    QVERIFY(registerProduct(guid(), location));
    const QMap<QString, QString> before = listing();

    uninstall();

    QVERIFY(m_report.isComplete());
    QVERIFY(!QFileInfo::exists(installDir()));
    QVERIFY(!QFileInfo::exists(keyFile(guid())));
    QVERIFY(!UninstallRegistry::instance()->isInstalled());
    QCOMPARE(listing(), without(before, {installDir(), keyFile(guid())}));
}

void TestInstallProcessMgr::shortcuts_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QStringList>("removed");

    const QString en = nameEN();
    const QString ch = nameCH();
    const QString userEN = desktop() + QLatin1Char('/') + en + QStringLiteral(".lnk");
    const QString userCH = desktop() + QLatin1Char('/') + ch + QStringLiteral(".lnk");
    const QString publicEN = publicDesktop() + QLatin1Char('/') + en + QStringLiteral(".lnk");
    const QString publicCH = publicDesktop() + QLatin1Char('/') + ch + QStringLiteral(".lnk");
    const QString menuEN = startMenu() + QLatin1Char('/') + en;
    const QString menuCH = startMenu() + QLatin1Char('/') + ch;

    QTest::newRow("only the English shortcut") << QStringList{userEN} << QStringList{} << QStringList{userEN};
    QTest::newRow("both names on both desktops")
        << QStringList{userEN, userCH, publicEN, publicCH} << QStringList{}
        << QStringList{userEN, userCH, publicEN, publicCH};
    QTest::newRow("only the public Chinese shortcut")
        << QStringList{publicCH} << QStringList{} << QStringList{publicCH};
    QTest::newRow("Start-menu folders with subfolders")
        << QStringList{menuEN + QStringLiteral("/Viewer.lnk"), menuEN + QStringLiteral("/Tools/Help.lnk"),
                       menuEN + QStringLiteral("/Tools/Deep/.hidden"), menuCH + QStringLiteral("/查看器.lnk")}
        << QStringList{} << QStringList{menuEN, menuCH};
    QTest::newRow("everything at once")
        << QStringList{userEN, userCH, publicEN, publicCH, menuEN + QStringLiteral("/Viewer.lnk"),
                       menuCH + QStringLiteral("/Sub/卸载.lnk")}
        << QStringList{} << QStringList{userEN, userCH, publicEN, publicCH, menuEN, menuCH};
    QTest::newRow("shortcuts that are links to a file")
        << QStringList{} << QStringList{userEN, publicCH} << QStringList{userEN, publicCH};
}

void TestInstallProcessMgr::shortcuts()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, links);
    QFETCH(QStringList, removed);
    for (const QString &file : files)
        QVERIFY(makeFile(file));
    const QString notes = home() + QStringLiteral("/Documents/notes.txt");
    for (const QString &link : links)
        QVERIFY(makeLink(notes, link));
    const QMap<QString, QString> before = listing();

    uninstall();

    QVERIFY(m_report.isComplete());
    for (const QString &path : removed)
        QVERIFY2(!QFileInfo::exists(path) && !QFileInfo(path).isSymLink(), qPrintable(path));
    QVERIFY(QFileInfo::exists(notes));
    QCOMPARE(listing(), without(before, removed + QStringList{installDir(), keyFile(guid())}));
}

void TestInstallProcessMgr::startMenuFolderThatIsALink_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("linkRemoved");

    QTest::newRow("to the home") << home() << false;
    QTest::newRow("to the Start menu itself") << startMenu() << false;
    QTest::newRow("to a folder of its own") << root() + QStringLiteral("/menu/Viewer") << true;
}

void TestInstallProcessMgr::startMenuFolderThatIsALink()
{
    QFETCH(QString, target);
    QFETCH(bool, linkRemoved);
    QVERIFY(makeFile(root() + QStringLiteral("/menu/Viewer/Viewer.lnk")));
    const QString link = startMenu() + QLatin1Char('/') + nameEN();
    QVERIFY(makeLink(target, link));
    const QMap<QString, QString> before = listing();

    uninstall();

    QStringList removed{installDir(), keyFile(guid())};
    if (linkRemoved)
        removed.append(link);
    QCOMPARE(listing(), without(before, removed));
    QCOMPARE(describe(m_report), linkRemoved ? QStringList() : QStringList{QStringLiteral("menu refused ") + relative(link)});
}

void TestInstallProcessMgr::refusedLocationRemovesNothing_data()
{
    QTest::addColumn<QString>("location");

    const QString standIn = appinstaller::platform::standInRoot();
    const QString links = root() + QStringLiteral("/links");

    QTest::newRow("empty, in a working directory with a Viewer folder") << QString();
    QTest::newRow("relative, naming a folder of the working directory") << QStringLiteral("Viewer");
    QTest::newRow("dot") << QStringLiteral(".");
    QTest::newRow("the home") << home();
    QTest::newRow("ancestor of the home") << root();
    QTest::newRow("the desktop") << desktop();
    QTest::newRow("documents") << home() + QStringLiteral("/Documents");
    QTest::newRow("downloads") << home() + QStringLiteral("/Downloads");
    QTest::newRow("the Start-menu programs folder") << startMenu();
    QTest::newRow("data home") << TestSandbox::current()->dataHome();
    QTest::newRow("config home") << TestSandbox::current()->configHome();
    QTest::newRow("cache home") << root() + QStringLiteral("/cache");
    QTest::newRow("dot-dot back to the home") << desktop() + QStringLiteral("/..");
    QTest::newRow("dot-dot from the product to the drive") << installDir() + QStringLiteral("/../..");
    QTest::newRow("the stand-in root") << standIn;
    QTest::newRow("the program-files root") << standIn + QStringLiteral("/drive_c/Program Files");
    QTest::newRow("the public desktop") << publicDesktop();
    QTest::newRow("link to the home") << links + QStringLiteral("/home");
    QTest::newRow("link to the home, trailing slash") << links + QStringLiteral("/home/");
    QTest::newRow("the desktop below a link to the home") << links + QStringLiteral("/home/Desktop");
    QTest::newRow("link to a file") << links + QStringLiteral("/notes");
    QTest::newRow("dangling link") << links + QStringLiteral("/dangling");
    QTest::newRow("a file") << home() + QStringLiteral("/Documents/notes.txt");
}

// Whatever the guard refuses stays, and the report says so in the registry's own
// words: an empty or relative location names no place that could be checked.
void TestInstallProcessMgr::refusedLocationRemovesNothing()
{
    QFETCH(QString, location);
    QVERIFY(makeDir(publicDesktop()));
    QVERIFY(registerProduct(guid(), location));
    const QMap<QString, QString> before = listing();

    uninstall();

    QVERIFY(!UninstallRegistry::instance()->isInstalled());
    QCOMPARE(listing(), without(before, {keyFile(guid())}));
    QCOMPARE(describe(m_report), QStringList{QStringLiteral("directory refused ") + relative(location)});
}

// A location that leads nowhere is refused too, but nothing of the product is there.
void TestInstallProcessMgr::missingLocationLeavesNothing()
{
    QVERIFY(registerProduct(guid(), installDir() + QStringLiteral("/missing")));
    const QMap<QString, QString> before = listing();

    uninstall();

    QVERIFY(m_report.isComplete());
    QCOMPARE(listing(), without(before, {keyFile(guid())}));
}

// The conservative choice: the registry named a link, so the link is all that goes.
void TestInstallProcessMgr::locationThatIsALinkLosesOnlyTheLink()
{
    const QString link = root() + QStringLiteral("/links/Viewer");
    QVERIFY(makeLink(installDir(), link));
    QVERIFY(registerProduct(guid(), link));
    const QMap<QString, QString> before = listing();

    uninstall();

    QVERIFY(m_report.isComplete());
    QVERIFY(!QFileInfo(link).isSymLink());
    QVERIFY(QFileInfo::exists(installDir() + QStringLiteral("/Viewer.exe")));
    QCOMPARE(listing(), without(before, {link, keyFile(guid())}));
}

void TestInstallProcessMgr::linksInsideTheProductAreNotFollowed()
{
    const QString shared = home() + QStringLiteral("/Documents/shared");
    QVERIFY(makeLink(shared, installDir() + QStringLiteral("/data/shared")));
    QVERIFY(makeLink(home() + QStringLiteral("/Documents/notes.txt"), installDir() + QStringLiteral("/notes.txt")));
    QVERIFY(makeLink(home(), installDir() + QStringLiteral("/bin/home")));
    const QMap<QString, QString> before = listing();

    uninstall();

    QVERIFY(m_report.isComplete());
    QVERIFY(!QFileInfo::exists(installDir()));
    QVERIFY(QFileInfo::exists(shared + QStringLiteral("/plan.txt")));
    QVERIFY(QFileInfo::exists(home() + QStringLiteral("/Documents/notes.txt")));
    QCOMPARE(listing(), without(before, {installDir(), keyFile(guid())}));
}

void TestInstallProcessMgr::whatCouldNotBeRemovedIsReported_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("readOnly");
    QTest::addColumn<QStringList>("reported");

    const QString product = relative(installDir());
    const QString locked = installDir() + QStringLiteral("/locked");
    // What lies below locked/sub can go: only locked itself may not be written.
    QTest::newRow("read-only subdirectory of the install directory")
        << QStringList{locked + QStringLiteral("/a.dat"), locked + QStringLiteral("/sub/b.dat")} << locked
        << QStringList{QStringLiteral("directory remains ") + product, QStringLiteral("  ") + product + QStringLiteral("/locked"),
                       QStringLiteral("  ") + product + QStringLiteral("/locked/a.dat"),
                       QStringLiteral("  ") + product + QStringLiteral("/locked/sub")};

    QStringList many;
    QStringList listed{QStringLiteral("directory remains ") + product, QStringLiteral("  ") + product + QStringLiteral("/locked")};
    for (int index = 0; index < 30; ++index) {
        const QString file = QStringLiteral("/locked/f%1").arg(index, 2, 10, QLatin1Char('0'));
        many.append(installDir() + file);
        if (index < 19)
            listed.append(QStringLiteral("  ") + product + file);
    }
    QTest::newRow("more entries remain than are listed") << many << locked << listed + QStringList{QStringLiteral("  +11")};

    QTest::newRow("install directory in a read-only folder")
        << QStringList{} << QFileInfo(installDir()).path() << QStringList{QStringLiteral("directory remains ") + product};
    QTest::newRow("shortcuts on a read-only desktop")
        << QStringList{lnk(desktop(), nameEN()), lnk(desktop(), nameCH())} << desktop()
        << QStringList{QStringLiteral("shortcut remains ") + relative(lnk(desktop(), nameEN())),
                       QStringLiteral("shortcut remains ") + relative(lnk(desktop(), nameCH()))};
    QTest::newRow("shortcut on a read-only public desktop")
        << QStringList{lnk(publicDesktop(), nameCH())} << publicDesktop()
        << QStringList{QStringLiteral("shortcut remains ") + relative(lnk(publicDesktop(), nameCH()))};
    const QString menu = startMenu() + QLatin1Char('/') + nameEN();
    QTest::newRow("Start-menu folder in a read-only Start menu")
        << QStringList{menu + QStringLiteral("/Viewer.lnk")} << startMenu()
        << QStringList{QStringLiteral("menu remains ") + relative(menu)};
    QTest::newRow("registry key in a read-only folder")
        << QStringList{} << QFileInfo(keyFile(guid())).path() << QStringList{QStringLiteral("key remains ") + keyPath()};
}

// Permission faults as a user meets them: what stays is reported, all of it and
// nothing else.
void TestInstallProcessMgr::whatCouldNotBeRemovedIsReported()
{
    if (geteuid() == 0)
        QSKIP("root ignores file permissions; run the tests as an unprivileged user");
    QFETCH(QStringList, files);
    QFETCH(QString, readOnly);
    QFETCH(QStringList, reported);
    for (const QString &file : files)
        QVERIFY(makeFile(file));
    QVERIFY(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    uninstall();

    QCOMPARE(describe(m_report), reported);
}

UNINSTALL_TEST_MAIN(TestInstallProcessMgr)
#include "tst_installprocessmgr.moc"
