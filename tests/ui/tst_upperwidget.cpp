#include "testsandbox.h"
#include "uitestsupport.h"

#include "ui/customtitlewidget.h"
#include "ui/upperwidget.h"

#include <QPushButton>
#include <QSignalSpy>

using appinstaller::CustomTitleWidget;
using appinstaller::UpperWidget;

class TestUpperWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(uitest::applyLibraryStyleSheet());
    }

    void formNamesTheBandAndFixesItsSize()
    {
        UpperWidget band;
        QCOMPARE(band.objectName(), QStringLiteral("UpperWidgeUI"));
        QCOMPARE(band.minimumSize(), QSize(720, 480));
        QCOMPARE(band.maximumSize(), QSize(720, 480));
    }

    void innerWidgetFillsTheBandWithTheTitleBarOnTop()
    {
        UpperWidget band;
        band.show();
        QVERIFY(QTest::qWaitForWindowExposed(&band));

        auto *inner = band.findChild<QWidget *>(QStringLiteral("m_pUpperWidget"));
        QVERIFY(inner);
        QCOMPARE(uitest::geometryIn(inner, &band), QRect(0, 0, 720, 480));

        auto *title = band.findChild<CustomTitleWidget *>(QStringLiteral("m_pTopTitleWidget"));
        QVERIFY(title);
        QCOMPARE(title->parentWidget(), inner);
        QCOMPARE(uitest::geometryIn(title, &band), QRect(0, 0, 720, 60));
    }

    void closeButtonMakesTheBandEmitOnce()
    {
        UpperWidget band;
        band.show();
        QVERIFY(QTest::qWaitForWindowExposed(&band));
        QSignalSpy bandSpy(&band, &UpperWidget::signalClose);

        auto *title = band.findChild<CustomTitleWidget *>();
        QVERIFY(title);
        QTest::mouseClick(title->findChild<QPushButton *>(), Qt::LeftButton);

        QCOMPARE(bandSpy.count(), 1);
    }
};

UNINSTALL_TEST_MAIN(TestUpperWidget)
#include "tst_upperwidget.moc"
