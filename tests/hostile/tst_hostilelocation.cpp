// Install locations that a damaged registry or a careless installer may leave: with
// trailing separators or spaces, with "..", through links to the root or the home,
// naming a file, relative, endless. The whole procedure runs for each, and the
// sandbox-wide listing before and after shows that nothing but what the location
// truly names as the product's is removed.

#include "platform/registrykey.h"
#include "product/uninstallregistry.h"
#include "productfixture.h"
#include "testsandbox.h"
#include "uninstall/installprocessmgr.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

using appinstaller::InstallProcessMgr;
using appinstaller::UninstallRegistry;
using namespace productfixture;

namespace {

// One line per entry that differs between the expected and the actual listing.
QStringList differences(const QMap<QString, QString> &expected, const QMap<QString, QString> &actual)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!actual.contains(it.key()))
            lines << QStringLiteral("gone: ") + it.key();
        else if (actual.value(it.key()) != it.value())
            lines << QStringLiteral("changed: ") + it.key();
    }
    for (auto it = actual.cbegin(); it != actual.cend(); ++it) {
        if (!expected.contains(it.key()))
            lines << QStringLiteral("added: ") + it.key();
    }
    return lines;
}

} // namespace

class TestHostileLocation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void removesOnlyWhatTheLocationNames_data();
    void removesOnlyWhatTheLocationNames();

private:
    static QString hostile() { return root() + QStringLiteral("/hostile"); }
};

void TestHostileLocation::initTestCase()
{
    QVERIFY(writeSetupDescription(guid(), nameEN(), nameCH()));
    QVERIFY(createSurroundings());
    QVERIFY(makeLink(hostile() + QStringLiteral("/loop-b"), hostile() + QStringLiteral("/loop-a")));
    QVERIFY(makeLink(hostile() + QStringLiteral("/loop-a"), hostile() + QStringLiteral("/loop-b")));
    QVERIFY(makeFile(hostile() + QStringLiteral("/a file")));
    QVERIFY(makeLink(hostile() + QStringLiteral("/a file"), hostile() + QStringLiteral("/to-file")));
    QVERIFY(makeLink(QStringLiteral("/"), hostile() + QStringLiteral("/to-root")));
    QVERIFY(makeLink(home(), hostile() + QStringLiteral("/to-home")));
}

void TestHostileLocation::cleanup()
{
    QDir::setCurrent(root());
}

void TestHostileLocation::removesOnlyWhatTheLocationNames_data()
{
    QTest::addColumn<QString>("location");
    // What the run may remove besides the product's registry key; nothing else may change.
    QTest::addColumn<QStringList>("removed");
    // A directory the test makes the working directory, so that a relative location
    // would lead into the product.
    QTest::addColumn<QString>("workingDirectory");

    const QString product = installDir();
    const QString drive = appinstaller::platform::standInRoot() + QStringLiteral("/drive_c");
    const QStringList nothing;
    const QStringList theProduct{product};

    QTest::newRow("trailing separators") << product + QStringLiteral("///") << theProduct << QString();
    QTest::newRow("trailing backslashes") << product + QStringLiteral("\\\\") << nothing << QString();
    // Windows would drop the spaces; here they name a directory that does not exist.
    QTest::newRow("trailing spaces") << product + QStringLiteral("  ") << nothing << QString();
    QTest::newRow("trailing separator and space") << product + QStringLiteral("/ ") << nothing << QString();
    QTest::newRow("dot-dot back into the product") << product + QStringLiteral("/bin/../") << theProduct << QString();
    QTest::newRow("dot-dot to the program-files folder") << product + QStringLiteral("/..") << nothing << QString();
    QTest::newRow("dot-dot to the filesystem root")
        << product + QStringLiteral("/..").repeated(64) << nothing << QString();
    QTest::newRow("dot-dot from the desktop to the home") << desktop() + QStringLiteral("/..") << nothing
                                                          << QString();
    QTest::newRow("the filesystem root") << QStringLiteral("/") << nothing << QString();
    QTest::newRow("a link to the filesystem root") << hostile() + QStringLiteral("/to-root") << nothing << QString();
    QTest::newRow("below a link to the filesystem root")
        << hostile() + QStringLiteral("/to-root/usr") << nothing << QString();
    QTest::newRow("a link to the home") << hostile() + QStringLiteral("/to-home/") << nothing << QString();
    // The link is all that was put there; the tree it leads to stays.
    QTest::newRow("a link to the product")
        << hostile() + QStringLiteral("/to-product") << QStringList{hostile() + QStringLiteral("/to-product")}
        << QString();
    QTest::newRow("a link to the product, trailing separator")
        << hostile() + QStringLiteral("/to-product/") << QStringList{hostile() + QStringLiteral("/to-product")}
        << QString();
    QTest::newRow("a loop of links") << hostile() + QStringLiteral("/loop-a") << nothing << QString();
    QTest::newRow("a file") << hostile() + QStringLiteral("/a file") << nothing << QString();
    QTest::newRow("a link to a file") << hostile() + QStringLiteral("/to-file") << nothing << QString();
    QTest::newRow("relative, leading into the product from the working directory")
        << QStringLiteral("Program Files/") + nameEN() << nothing << drive;
    QTest::newRow("a Windows drive path") << QStringLiteral("C:\\Program Files\\") + nameEN() << nothing << drive;
    QTest::newRow("empty, in the product as working directory") << QString() << nothing << product;
    QTest::newRow("dot, in the product as working directory") << QStringLiteral(".") << nothing << product;
    QTest::newRow("a path of 100,000 characters")
        << product + QStringLiteral("/x").repeated(50000) << nothing << QString();
    QTest::newRow("wildcards") << drive + QStringLiteral("/Program Files/*") << nothing << QString();
}

void TestHostileLocation::removesOnlyWhatTheLocationNames()
{
    QFETCH(QString, location);
    QFETCH(QStringList, removed);
    QFETCH(QString, workingDirectory);

    if (!QFileInfo::exists(installDir()))
        QVERIFY(installTree(installDir()));
    // A link inside the product must go as a link, never be followed into the home.
    if (!QFileInfo(installDir() + QStringLiteral("/home link")).isSymLink())
        QVERIFY(makeLink(home(), installDir() + QStringLiteral("/home link")));
    const QString productLink = hostile() + QStringLiteral("/to-product");
    if (location.startsWith(productLink))
        QVERIFY(makeLink(installDir(), productLink));
    QVERIFY(registerProduct(guid(), location));
    if (!workingDirectory.isEmpty())
        QVERIFY(QDir::setCurrent(workingDirectory));
    const QMap<QString, QString> before = listing();

    QSignalSpy reports(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess);
    InstallProcessMgr::instance()->uninstall();

    QCOMPARE(reports.size(), 4);
    QCOMPARE(reports.last().first().toInt(), 100);
    QVERIFY(!UninstallRegistry::instance()->isInstalled());
    const QStringList changes = differences(without(before, removed << keyFile(guid())), listing());
    QVERIFY2(changes.isEmpty(), qPrintable(changes.join(QLatin1Char('\n'))));
}

UNINSTALL_TEST_MAIN(TestHostileLocation)
#include "tst_hostilelocation.moc"
