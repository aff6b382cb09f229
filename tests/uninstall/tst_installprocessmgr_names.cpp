#include "uninstall/installprocessmgr.h"

#include "productfixture.h"
#include "progressrecorder.h"
#include "testsandbox.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

using appinstaller::InstallProcessMgr;
using namespace productfixture;

// Product names that could reach outside their folder, end to end. The setup
// description is read once per process, so each row writes it and runs in a child
// process of this test (with a sandbox of its own); the child does the checking.
class TestProductNames : public QObject
{
    Q_OBJECT

private slots:
    void unsafeNameTouchesNothingOfItsOwn_data();
    void unsafeNameTouchesNothingOfItsOwn();
};

void TestProductNames::unsafeNameTouchesNothingOfItsOwn_data()
{
    QTest::addColumn<bool>("described");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");

    QTest::newRow("no setup description: both names empty") << false << QString() << QString();
    QTest::newRow("dot-dot") << true << nameEN() << QStringLiteral("..");
    QTest::newRow("dot") << true << nameEN() << QStringLiteral(".");
    QTest::newRow("parent of the parent") << true << nameEN() << QStringLiteral("../..");
    QTest::newRow("into the home's documents") << true << QStringLiteral("../../../Documents") << nameCH();
    QTest::newRow("trailing space") << true << nameEN() << QStringLiteral("applications ");
}

void TestProductNames::unsafeNameTouchesNothingOfItsOwn()
{
    QFETCH(bool, described);
    QFETCH(QString, english);
    QFETCH(QString, chinese);

    if (!isRowChild()) {
        if (described)
            QVERIFY(writeSetupDescription(guid(), english, chinese));
        else
            QVERIFY(removeSetupDescription());
        const QString failure = runChildForCurrentRow("TestProductNames");
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        return;
    }

    const QString en = nameEN();
    const QString ch = nameCH();
    // Everything a name that escaped its folder would hit, the product's own
    // shortcuts and Start-menu folders under the safe name, and the product.
    QVERIFY(createSurroundings());
    QVERIFY(installTree(installDir()));
    QVERIFY(makeFile(desktop() + QStringLiteral("/.lnk")));
    QVERIFY(makeFile(desktop() + QStringLiteral("/..lnk")));
    QVERIFY(makeFile(desktop() + QStringLiteral("/...lnk")));
    QVERIFY(makeFile(publicDesktop() + QStringLiteral("/.lnk")));
    QVERIFY(makeFile(home() + QStringLiteral("/...lnk")));
    QVERIFY(makeFile(startMenu() + QStringLiteral("/applications /kept.lnk")));
    QStringList removed;
    if (described) {
        QVERIFY(registerProduct(guid(), installDir()));
        removed << installDir() << keyFile(guid());
    }
    for (const QString &name : {english, chinese}) {
        if (name != en && name != ch)
            continue;
        const QString userShortcut = desktop() + QLatin1Char('/') + name + QStringLiteral(".lnk");
        const QString folder = startMenu() + QLatin1Char('/') + name;
        QVERIFY(makeFile(userShortcut));
        QVERIFY(makeFile(folder + QStringLiteral("/Tools/Help.lnk")));
        removed << userShortcut << folder;
    }
    QVERIFY(QDir::setCurrent(root() + QStringLiteral("/work")));
    const QMap<QString, QString> before = listing();

    ProgressRecorder recorder;
    connect(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, &recorder,
            &ProgressRecorder::onProcessInfo);
    InstallProcessMgr::instance()->uninstall();

    // Without a setup description no install location is known, and the run says so.
    QCOMPARE(recorder.events(), described ? ProgressRecorder::completeRun() : ProgressRecorder::incompleteRun());
    QCOMPARE(listing(), without(before, removed));
}

UNINSTALL_TEST_MAIN(TestProductNames)
#include "tst_installprocessmgr_names.moc"
