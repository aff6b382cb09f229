#include "uninstall/uninstallthread.h"

#include "product/uninstallregistry.h"
#include "productfixture.h"
#include "progressrecorder.h"
#include "testsandbox.h"
#include "uninstall/installprocessmgr.h"

#include <QFileInfo>
#include <QPointer>
#include <QSemaphore>
#include <QtTest>

#include <memory>

#if __has_include(<sched.h>)
#include <sched.h>
#endif

using appinstaller::InstallProcessMgr;
using appinstaller::UnInstallThread;
using namespace productfixture;

namespace {

int schedulingPolicy()
{
#ifdef SCHED_IDLE
    return sched_getscheduler(0);
#else
    return -1;
#endif
}

} // namespace

// The worker as the progress page drives it: created with a parent on the
// user-interface thread, finished relayed, started with the inherited priority.
class TestUnInstallThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void reportsReachTheStartingThreadInOrder_data();
    void reportsReachTheStartingThreadInOrder();
    void runsAtThePriorityOfTheStartingThread();
    void destroyingTheOwnerWaitsForTheRun();

private:
    void installProduct();
};

void TestUnInstallThread::initTestCase()
{
    QVERIFY(writeSetupDescription(guid(), nameEN(), nameCH()));
    // The progress page is the first to ask for the procedure, on this thread.
    QCOMPARE(InstallProcessMgr::instance()->thread(), QThread::currentThread());
    QVERIFY(createSurroundings());
    QVERIFY(makeDir(publicDesktop()));
}

void TestUnInstallThread::installProduct()
{
    QVERIFY(installTree(installDir()));
    for (int i = 0; i < 200; ++i)
        QVERIFY(makeFile(installDir() + QStringLiteral("/data/bulk/%1/item.dat").arg(i)));
    QVERIFY(makeFile(desktop() + QLatin1Char('/') + nameEN() + QStringLiteral(".lnk")));
    QVERIFY(makeFile(publicDesktop() + QLatin1Char('/') + nameCH() + QStringLiteral(".lnk")));
    QVERIFY(makeFile(startMenu() + QLatin1Char('/') + nameEN() + QStringLiteral("/Viewer.lnk")));
    QVERIFY(registerProduct(guid(), installDir()));
}

void TestUnInstallThread::reportsReachTheStartingThreadInOrder_data()
{
    QTest::addColumn<bool>("installed");

    QTest::newRow("installed product") << true;
    QTest::newRow("nothing installed, every removal fails") << false;
}

void TestUnInstallThread::reportsReachTheStartingThreadInOrder()
{
    QFETCH(bool, installed);
    if (installed)
        installProduct();
    const QMap<QString, QString> before = listing();

    QObject page;
    ProgressRecorder recorder;
    QList<QThread *> emitters;
    connect(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, &recorder,
            &ProgressRecorder::onProcessInfo);
    const QMetaObject::Connection emitting = connect(
        InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, this,
        [&emitters] { emitters.append(QThread::currentThread()); }, Qt::DirectConnection);

    auto *worker = new UnInstallThread(&page);
    connect(worker, &QThread::finished, &recorder, &ProgressRecorder::onFinished);
    worker->start();

    QTRY_VERIFY_WITH_TIMEOUT(recorder.isFinished(), 30000);
    disconnect(emitting);
    // With no product installed there is no install location, which the run reports.
    QCOMPARE(recorder.events(), (installed ? ProgressRecorder::completeRun() : ProgressRecorder::incompleteRun())
                                    << QStringLiteral("finished"));
    for (QThread *receivingThread : recorder.threads())
        QCOMPARE(receivingThread, QThread::currentThread());
    QCOMPARE(emitters.size(), 4);
    for (QThread *emittingThread : qAsConst(emitters))
        QCOMPARE(emittingThread, static_cast<QThread *>(worker));

    QVERIFY(!appinstaller::UninstallRegistry::instance()->isInstalled());
    if (installed) {
        QVERIFY(!QFileInfo::exists(installDir()));
        QCOMPARE(listing(), without(before, {installDir(), keyFile(guid()),
                                             desktop() + QLatin1Char('/') + nameEN() + QStringLiteral(".lnk"),
                                             publicDesktop() + QLatin1Char('/') + nameCH() + QStringLiteral(".lnk"),
                                             startMenu() + QLatin1Char('/') + nameEN()}));
    } else {
        QCOMPARE(listing(), before);
    }
}

// Started the way the page starts it, from a thread of the lowest scheduling class:
// the procedure must run in that class, and Qt must not have been asked for any
// priority of its own.
void TestUnInstallThread::runsAtThePriorityOfTheStartingThread()
{
    QThread::Priority requested = QThread::HighestPriority;
    int policy = -2;
    int starterPolicy = -3;
    const QMetaObject::Connection observer = connect(
        InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, this,
        [&](int iProcess) {
            if (iProcess != 0)
                return;
            requested = QThread::currentThread()->priority();
            policy = schedulingPolicy();
        },
        Qt::DirectConnection);

    std::unique_ptr<QThread> starter(QThread::create([&starterPolicy] {
        starterPolicy = schedulingPolicy();
        UnInstallThread worker;
        worker.start();
        worker.wait();
    }));
    starter->start(QThread::IdlePriority);
    QVERIFY(starter->wait(30000));
    disconnect(observer);

    QCOMPARE(requested, QThread::InheritPriority);
#ifdef SCHED_IDLE
    QCOMPARE(starterPolicy, SCHED_IDLE);
#endif
    QCOMPARE(policy, starterPolicy);
}

// A window closed during the uninstall destroys the worker's owner while run() is
// still busy; without the wait in the destructor Qt aborts the program right there.
void TestUnInstallThread::destroyingTheOwnerWaitsForTheRun()
{
    installProduct();
    QSemaphore started;
    QSemaphore proceed;
    QStringList reports;
    const QMetaObject::Connection holder = connect(
        InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, this,
        [&](int iProcess) {
            reports.append(QString::number(iProcess));
            if (iProcess == 0) {
                started.release();
                proceed.acquire();
            }
        },
        Qt::DirectConnection);

    auto page = std::make_unique<QObject>();
    QPointer<UnInstallThread> worker = new UnInstallThread(page.get());
    // The owner lets the worker go on only once its own destruction has begun, so the
    // worker is certainly still removing files when its thread object is destroyed.
    connect(page.get(), &QObject::destroyed, this, [&proceed] { proceed.release(); },
            Qt::DirectConnection);
    worker->start();
    started.acquire();
    page.reset();
    disconnect(holder);

    QVERIFY(worker.isNull());
    QCOMPARE(reports, (QStringList{"0", "30", "60", "100"}));
    QVERIFY(!QFileInfo::exists(installDir()));
    QVERIFY(!appinstaller::UninstallRegistry::instance()->isInstalled());
}

UNINSTALL_TEST_MAIN(TestUnInstallThread)
#include "tst_uninstallthread.moc"
