#include "testsandbox.h"
#include "uitestsupport.h"

#include "ui/installingpage.h"
#include "ui/mainwindow.h"
#include "ui/uninstallcompletedpage.h"
#include "ui/upperwidget.h"
#include "uninstall/installprocessmgr.h"
#include "uninstall/uninstallthread.h"

#include <QDir>
#include <QFile>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStackedWidget>

#include <atomic>
#include <memory>

using appinstaller::InstallingPage;
using appinstaller::InstallProcessMgr;
using appinstaller::MainWindow;
using appinstaller::UnInstallCompletedPage;
using appinstaller::UnInstallThread;
using appinstaller::UpperWidget;

namespace {

QStackedWidget *stackOf(MainWindow &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("m_pInstallStackedWidget"));
}

QPushButton *titleCloseButton(QWidget *page)
{
    auto *band = page->findChild<UpperWidget *>(QStringLiteral("m_pUpperWidget"));
    return band ? band->findChild<QPushButton *>() : nullptr;
}

// Holds the worker inside the report of one percentage until released, so that a
// test can act while the removal is in a known place. The connection is direct:
// it runs on the worker thread, after the page's own (queued) connection has
// posted the report. Once released, the worker removes slowTree, if given, before
// it goes on: a removal that takes its time. The connection goes with this object.
class WorkerGate : public QObject
{
public:
    explicit WorkerGate(int holdAt, const QString &slowTree = QString())
    {
        connect(
            InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, this,
            [this, holdAt, slowTree](int iProcess, const QString &) {
                if (iProcess == 100)
                    reportedHundred = true;
                if (iProcess == holdAt) {
                    reached.release();
                    proceed.acquire();
                    if (!slowTree.isEmpty())
                        QDir(slowTree).removeRecursively();
                }
            },
            Qt::DirectConnection);
    }

    QSemaphore reached;
    QSemaphore proceed;
    std::atomic<bool> reportedHundred{false};
};

// A directory tree with many files, whose removal keeps a worker busy for a while.
QString makeSlowTree()
{
    const QString root = TestSandbox::current()->root() + QStringLiteral("/slow-removal");
    for (int dir = 0; dir < 40; ++dir) {
        const QString path = root + QStringLiteral("/d%1").arg(dir);
        if (!QDir().mkpath(path))
            return QString();
        for (int file = 0; file < 50; ++file) {
            QFile entry(path + QStringLiteral("/f%1").arg(file));
            if (!entry.open(QIODevice::WriteOnly) || entry.write("x") != 1)
                return QString();
        }
    }
    return root;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(uitest::applyLibraryStyleSheet());
    }

    void fixedFramelessWindowAroundThePageStack()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.objectName(), QStringLiteral("MainWindowUI"));
        QCOMPARE(window.windowTitle(), QStringLiteral("MainWindowUI"));
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(window.size(), QSize(744, 504));
        QCOMPARE(window.minimumSize(), QSize(744, 504));
        QCOMPARE(window.maximumSize(), QSize(744, 504));

        QStackedWidget *stack = stackOf(window);
        QVERIFY(stack);
        QCOMPARE(stack->geometry(), QRect(12, 12, 720, 480));
        for (int index = 0; index < stack->count(); ++index)
            QCOMPARE(uitest::geometryIn(stack->widget(index), &window), QRect(12, 12, 720, 480));

        window.resize(900, 700);
        QCOMPARE(window.size(), QSize(744, 504));
    }

    void transparentBackgroundWithShadowOnTheStack()
    {
        MainWindow window;
        QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(window.autoFillBackground());
        QCOMPARE(window.palette().brush(QPalette::Active, QPalette::Window).color().alpha(), 0);
        QCOMPARE(window.palette().brush(QPalette::Inactive, QPalette::Window).color().alpha(), 0);
        QCOMPARE(window.windowOpacity(), 1.0);

        auto *shadow = qobject_cast<QGraphicsDropShadowEffect *>(stackOf(window)->graphicsEffect());
        QVERIFY(shadow);
        QCOMPARE(shadow->offset(), QPointF(0.0, 0.0));
        QCOMPARE(shadow->color(), QColor(0, 0, 0, 114));
        QCOMPARE(shadow->blurRadius(), 12.0);
        QVERIFY(!window.graphicsEffect());
    }

    void progressPageFirstAndNothingRunning()
    {
        MainWindow window;
        QStackedWidget *stack = stackOf(window);
        QCOMPARE(stack->count(), 2);
        QVERIFY(qobject_cast<InstallingPage *>(stack->widget(0)));
        QVERIFY(qobject_cast<UnInstallCompletedPage *>(stack->widget(1)));
        QCOMPARE(stack->currentIndex(), 0);
        QVERIFY(window.findChildren<UnInstallThread *>().isEmpty());
    }

    void pageSwitchFollowsTheFinishedSignalOnly()
    {
        MainWindow window;
        QStackedWidget *stack = stackOf(window);
        auto *progress = window.findChild<InstallingPage *>();

        progress->onProcessInfo(100, QStringLiteral("done"));
        QCoreApplication::processEvents();
        QCOMPARE(stack->currentIndex(), 0);

        emit progress->signalunInstallFinished();
        QCOMPARE(stack->currentWidget(), window.findChild<UnInstallCompletedPage *>());
    }

    void workerEndSwitchesPagesAfterTheLastReport()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStackedWidget *stack = stackOf(window);
        auto *progress = window.findChild<InstallingPage *>();
        auto *percentLabel = window.findChild<QLabel *>(QStringLiteral("m_pInstallProgressLabel"));
        QSignalSpy finishedSpy(progress, &InstallingPage::signalunInstallFinished);
        WorkerGate gate(100);

        window.onUninstall();
        QVERIFY(gate.reached.tryAcquire(1, 30000));

        // The report of 100 is shown while the worker is still inside its run.
        QTRY_COMPARE(percentLabel->text(), QStringLiteral("100%"));
        QCOMPARE(stack->currentWidget(), progress);
        QCOMPARE(finishedSpy.count(), 0);

        gate.proceed.release();
        QTRY_COMPARE(stack->currentWidget(), window.findChild<UnInstallCompletedPage *>());
        QCOMPARE(finishedSpy.count(), 1);
    }

    // With no setup description beside the test there is no product and so no
    // install location: the run says so, and the completion page shows it.
    void completionPageShowsWhatTheRunLeft()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *list = window.findChild<QPlainTextEdit *>(QStringLiteral("m_pLeftoversEdit"));
        QVERIFY(list);
        QVERIFY(!list->isVisible());

        window.onUninstall();

        QTRY_COMPARE(stackOf(window)->currentWidget(), window.findChild<UnInstallCompletedPage *>());
        QVERIFY(!InstallProcessMgr::instance()->report().isComplete());
        QVERIFY(list->isVisible());
        QVERIFY2(list->toPlainText().contains(QLatin1String("InstallLocationNotRecordedTzMq")),
                 qPrintable(list->toPlainText()));
    }

    void oneClickClosesTheWindow_data()
    {
        QTest::addColumn<bool>("onCompletionPage");
        QTest::addColumn<QString>("buttonName");

        QTest::newRow("progress page, title bar close") << false << QString();
        QTest::newRow("completion page, title bar close") << true << QString();
        QTest::newRow("completion page, Completed") << true << QStringLiteral("m_pCompletedBtn");
    }

    void oneClickClosesTheWindow()
    {
        QFETCH(bool, onCompletionPage);
        QFETCH(QString, buttonName);

        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (onCompletionPage)
            window.onFinishedUnInstall();
        QWidget *page = stackOf(window)->currentWidget();
        std::unique_ptr<QSignalSpy> closeSpy;
        if (auto *progress = qobject_cast<InstallingPage *>(page))
            closeSpy = std::make_unique<QSignalSpy>(progress, &InstallingPage::signalClose);
        else
            closeSpy = std::make_unique<QSignalSpy>(qobject_cast<UnInstallCompletedPage *>(page),
                                                    &UnInstallCompletedPage::signalClose);

        QPushButton *button = buttonName.isEmpty() ? titleCloseButton(page)
                                                   : page->findChild<QPushButton *>(buttonName);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);

        QCOMPARE(closeSpy->count(), 1);
        QVERIFY(!window.isVisible());
    }

    void closingDuringRemovalWaitsForTheWorkerWhenThePageGoes()
    {
        const QString slowTree = makeSlowTree();
        QVERIFY(!slowTree.isEmpty());
        auto window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        WorkerGate gate(30, slowTree);

        // Whether the removal had ended when the page's widgets were destroyed.
        bool endedBeforeWidgetsWent = false;
        QWidget *label = window->findChild<QLabel *>(QStringLiteral("m_pInstallingLabel"));
        connect(label, &QObject::destroyed, this,
                [&] { endedBeforeWidgetsWent = gate.reportedHundred.load(); });

        window->onUninstall();
        QVERIFY(gate.reached.tryAcquire(1, 30000));

        auto *progress = window->findChild<InstallingPage *>();
        QTest::mouseClick(titleCloseButton(progress), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        const auto workers = window->findChildren<UnInstallThread *>();
        QCOMPARE(workers.size(), 1);
        QVERIFY(workers.first()->isRunning());

        // The worker goes on with its slow removal while the window is destroyed.
        gate.proceed.release();
        window.reset();

        QVERIFY(gate.reportedHundred.load());
        QVERIFY(endedBeforeWidgetsWent);
        QVERIFY(!QDir(slowTree).exists());
        // Whatever the worker left queued for the destroyed window is dropped safely.
        QCoreApplication::processEvents();
    }
};

UNINSTALL_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
