#include "testsandbox.h"
#include "uitestsupport.h"

#include "ui/installingpage.h"
#include "ui/upperwidget.h"
#include "uninstall/installprocessmgr.h"
#include "uninstall/uninstallthread.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using appinstaller::InstallingPage;
using appinstaller::InstallProcessMgr;
using appinstaller::UnInstallThread;
using appinstaller::UpperWidget;

namespace {

template <typename T>
T *child(QWidget &page, const char *name)
{
    T *found = page.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("the page has no %s", name);
    return found;
}

} // namespace

class TestInstallingPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(uitest::applyLibraryStyleSheet());
    }

    void bandOnTopAndPanelBelow()
    {
        InstallingPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        QCOMPARE(page.objectName(), QStringLiteral("InstallingUI"));
        QCOMPARE(page.size(), QSize(720, 480));
        auto *band = child<UpperWidget>(page, "m_pUpperWidget");
        QCOMPARE(uitest::geometryIn(band, &page), QRect(0, 0, 720, 320));
        QCOMPARE(uitest::geometryIn(child<QWidget>(page, "m_pBottomWidget"), &page), QRect(0, 320, 720, 160));
        QCOMPARE(uitest::geometryIn(child<QWidget>(page, "m_pTopTitleWidget"), &page), QRect(0, 0, 720, 60));

        // The track spans the panel less its 36-px side margins, below the texts.
        auto *track = child<QWidget>(page, "m_pWidgetProcessBar");
        const QRect trackRect = uitest::geometryIn(track, &page);
        QCOMPARE(trackRect.size(), QSize(648, 16));
        QCOMPARE(trackRect.x(), 36);
        const QRect textRect = uitest::geometryIn(child<QLabel>(page, "m_pInstallingLabel"), &page);
        QCOMPARE(textRect.y(), 320 + 26);
        QVERIFY(trackRect.y() >= textRect.bottom());
    }

    void idleBeforeAnyReport()
    {
        InstallingPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        QVERIFY(child<QLabel>(page, "m_pInstallingLabel")->text().isEmpty());
        QVERIFY(child<QLabel>(page, "m_pInstallProgressLabel")->text().isEmpty());
        auto *fill = child<QFrame>(page, "frame");
        QCOMPARE(fill->maximumWidth(), 0);
        QCOMPARE(fill->width(), 0);
        QVERIFY(page.findChildren<UnInstallThread *>().isEmpty());
    }

    void reportSetsTextsAndFill_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("percentText");
        QTest::addColumn<int>("fillWidth");

        // The track is 648 wide with 3-px insets, so 642 px make the whole bar.
        QTest::newRow("start") << 0 << QStringLiteral("0%") << 0;
        QTest::newRow("one per cent") << 1 << QStringLiteral("1%") << 6;
        QTest::newRow("shortcuts, truncated from 192.6") << 30 << QStringLiteral("30%") << 192;
        QTest::newRow("registry, truncated from 385.2") << 60 << QStringLiteral("60%") << 385;
        QTest::newRow("ninety-nine, truncated from 635.58") << 99 << QStringLiteral("99%") << 635;
        QTest::newRow("done") << 100 << QStringLiteral("100%") << 642;
    }

    void reportSetsTextsAndFill()
    {
        QFETCH(int, percent);
        QFETCH(QString, percentText);
        QFETCH(int, fillWidth);

        InstallingPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        page.onProcessInfo(percent, QStringLiteral("step text"));

        QCOMPARE(child<QLabel>(page, "m_pInstallingLabel")->text(), QStringLiteral("step text"));
        QCOMPARE(child<QLabel>(page, "m_pInstallProgressLabel")->text(), percentText);
        auto *fill = child<QFrame>(page, "frame");
        QCOMPARE(fill->minimumWidth(), fillWidth);
        QCOMPARE(fill->maximumWidth(), fillWidth);
        QTRY_COMPARE(fill->width(), fillWidth);
        // Left-aligned inside the track's inset.
        QCOMPARE(fill->x(), 3);
    }

    void laterReportReplacesEarlier()
    {
        InstallingPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        page.onProcessInfo(60, QStringLiteral("third"));
        page.onProcessInfo(30, QStringLiteral("second"));

        QCOMPARE(child<QLabel>(page, "m_pInstallingLabel")->text(), QStringLiteral("second"));
        QCOMPARE(child<QLabel>(page, "m_pInstallProgressLabel")->text(), QStringLiteral("30%"));
        QTRY_COMPARE(child<QFrame>(page, "frame")->width(), 192);
    }

    void reportOfHundredEmitsNothing()
    {
        InstallingPage page;
        QSignalSpy finishedSpy(&page, &InstallingPage::signalunInstallFinished);
        QSignalSpy closeSpy(&page, &InstallingPage::signalClose);

        page.onProcessInfo(100, QStringLiteral("done"));
        QCoreApplication::processEvents();

        QCOMPARE(finishedSpy.count(), 0);
        QCOMPARE(closeSpy.count(), 0);
    }

    void bandCloseButtonMakesThePageEmitOnce()
    {
        InstallingPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QSignalSpy closeSpy(&page, &InstallingPage::signalClose);

        QTest::mouseClick(child<UpperWidget>(page, "m_pUpperWidget")->findChild<QPushButton *>(),
                          Qt::LeftButton);

        QCOMPARE(closeSpy.count(), 1);
    }

    void workerReportsArriveInOrderBeforeItsEnd()
    {
        InstallingPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        // Connected after the page, so each report is seen here right after the page
        // has shown it; the end is seen together with what the page shows then.
        QList<int> seen;
        QString percentAtEnd;
        auto *percentLabel = child<QLabel>(page, "m_pInstallProgressLabel");
        connect(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, &page,
                [&seen](int iProcess, const QString &) { seen.append(iProcess); });
        connect(&page, &InstallingPage::signalunInstallFinished, &page, [&] {
            seen.append(-1);
            percentAtEnd = percentLabel->text();
        });

        page.startUnInstall();

        QTRY_COMPARE(seen, (QList<int>{0, 30, 60, 100, -1}));
        QCOMPARE(percentAtEnd, QStringLiteral("100%"));
        // No product is set up beside the test, so no install location is known and
        // the last report says that the uninstall is incomplete.
        QCOMPARE(child<QLabel>(page, "m_pInstallingLabel")->text(), QStringLiteral("UninstallIncompleteHvRqYwNd"));
        QTRY_COMPARE(child<QFrame>(page, "frame")->width(), 642);

        const auto workers = page.findChildren<UnInstallThread *>();
        QCOMPARE(workers.size(), 1);
        QVERIFY(workers.first()->isFinished());
    }
};

UNINSTALL_TEST_MAIN(TestInstallingPage)
#include "tst_installingpage.moc"
