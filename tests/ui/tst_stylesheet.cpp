#include "testsandbox.h"
#include "uitestsupport.h"

#include "ui/installingpage.h"
#include "ui/mainwindow.h"
#include "ui/uninstallcompletedpage.h"
#include "ui/upperwidget.h"
#include "uninstall/uninstallreport.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

using appinstaller::InstallingPage;
using appinstaller::MainWindow;
using appinstaller::UnInstallCompletedPage;
using appinstaller::UpperWidget;

namespace {

QString windowStyleSheet()
{
    QFile file(QStringLiteral(":/Uninstall/Qss/Uninstall.qss"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kSuccessGreen(0x02, 0xBF, 0x0F);
const QColor kWarningAmber(0xF5, 0x9E, 0x0B);
const QColor kWarningText(0xC2, 0x5E, 0x00);

// The completion page of a window, shown for a run that left a shortcut behind.
appinstaller::UnInstallCompletedPage *showIncompletePage(MainWindow &window)
{
    window.onFinishedUnInstall();
    auto *page = window.findChild<UnInstallCompletedPage *>();
    appinstaller::UninstallReport report;
    report.addNotRemoved(appinstaller::UninstallReport::Kind::Shortcut, QStringLiteral("/desktop/Viewer.lnk"));
    page->showReport(report);
    return page;
}

} // namespace

// The rules of the window's style sheet, seen on the real window and on stand-ins
// that carry the same object names in other places.
class TestStyleSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(uitest::applyLibraryStyleSheet());
    }

    void windowCarriesTheEmbeddedSheet()
    {
        MainWindow window;
        QVERIFY(!windowStyleSheet().isEmpty());
        QVERIFY(window.styleSheet().contains(windowStyleSheet().trimmed()));
    }

    void bandPictureFillsTheInnerWidget_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::newRow("below the title bar") << QPoint(360, 200);
        QTest::newRow("lower left") << QPoint(40, 300);
        QTest::newRow("lower right") << QPoint(700, 300);
        QTest::newRow("behind the title text") << QPoint(300, 8);
    }

    void bandPictureFillsTheInnerWidget()
    {
        QFETCH(QPoint, point);

        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *band = window.findChild<InstallingPage *>()->findChild<UpperWidget *>(QStringLiteral("m_pUpperWidget"));
        QVERIFY(band);
        QCOMPARE(band->size(), QSize(720, 320));
        auto *inner = band->findChild<QWidget *>(QStringLiteral("m_pUpperWidget"));
        QVERIFY(inner);
        QCOMPARE(inner->size(), QSize(720, 320));

        // The picture is as large as the band, so it is drawn pixel for pixel.
        const QImage picture(QStringLiteral(":/Uninstall/Images/Background.png"));
        const QColor expected = picture.pixelColor(point);
        const QColor actual = uitest::pixelOf(band, point);
        QVERIFY2(uitest::nearColor(actual, expected),
                 qPrintable(actual.name() + QStringLiteral(" instead of ") + expected.name()));
    }

    void namesOutsideTheirClassesAreLeftAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("picture rule") << QStringLiteral("m_pUpperWidget");
        QTest::newRow("white panel rule") << QStringLiteral("m_pBottomWidget");
    }

    void namesOutsideTheirClassesAreLeftAlone()
    {
        QFETCH(QString, name);

        // A host under the window's sheet with a ground colour of its own; a widget
        // carrying the name, but outside the classes the rules name, must let it show.
        QWidget host;
        QPalette ground = host.palette();
        ground.setColor(QPalette::Window, QColor(0x10, 0x20, 0x30));
        host.setPalette(ground);
        host.setAutoFillBackground(true);
        host.setStyleSheet(windowStyleSheet());
        host.resize(200, 200);
        QWidget stray(&host);
        stray.setObjectName(name);
        stray.setGeometry(20, 20, 160, 160);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));

        QCOMPARE(uitest::pixelOf(&host, QPoint(100, 100)), QColor(0x10, 0x20, 0x30));
    }

    void panelsAreWhite()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        for (QWidget *page : {static_cast<QWidget *>(window.findChild<InstallingPage *>()),
                              static_cast<QWidget *>(window.findChild<UnInstallCompletedPage *>())}) {
            auto *panel = page->findChild<QWidget *>(QStringLiteral("m_pBottomWidget"));
            QVERIFY(panel);
            QCOMPARE(uitest::pixelOf(panel, QPoint(10, 140)), kWhite);
        }
    }

    void completionTextIsGreenBold20px()
    {
        MainWindow window;
        window.show();
        window.onFinishedUnInstall();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto *text = window.findChild<QLabel *>(QStringLiteral("m_pInstallInfoLabel"));
        QVERIFY(text);
        QCOMPARE(text->font().pixelSize(), 20);
        QVERIFY(text->font().bold());
        QCOMPARE(text->palette().color(QPalette::WindowText), kSuccessGreen);
    }

    void progressTextsAre14pxDimBlack_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("step text") << QStringLiteral("m_pInstallingLabel");
        QTest::newRow("percentage") << QStringLiteral("m_pInstallProgressLabel");
    }

    void progressTextsAre14pxDimBlack()
    {
        QFETCH(QString, name);

        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto *label = window.findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(label->font().pixelSize(), 14);
        const QColor color = label->palette().color(QPalette::WindowText);
        QCOMPARE(color.rgb() & 0xFFFFFF, 0u);
        QVERIFY(qAbs(color.alpha() - 179) <= 1);
    }

    void successMarkShowsOnlyTheGlyph()
    {
        MainWindow window;
        window.show();
        window.onFinishedUnInstall();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto *mark = window.findChild<QPushButton *>(QStringLiteral("m_pIconToolBtn"));
        QVERIFY(mark);
        const QImage panel = mark->parentWidget()->grab().toImage();
        const QPoint origin = mark->pos();
        // The disc, well away from the check mark.
        QVERIFY(uitest::nearColor(panel.pixelColor(origin + QPoint(16, 6)), kSuccessGreen, 8));
        // Outside the disc: no button face and no frame over the white panel.
        QCOMPARE(panel.pixelColor(origin + QPoint(1, 1)), kWhite);
        QCOMPARE(panel.pixelColor(origin + QPoint(30, 30)), kWhite);
        // The check mark is cut out of the disc: the panel shows through it.
        const QColor check = panel.pixelColor(origin + QPoint(14, 21));
        QVERIFY2(check.green() > 200 && check.red() > 200 && check.blue() > 200, qPrintable(check.name()));
    }

    void incompleteTextIsDarkOrangeBold20px()
    {
        MainWindow window;
        window.show();
        showIncompletePage(window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto *text = window.findChild<QLabel *>(QStringLiteral("m_pInstallInfoLabel"));
        QCOMPARE(text->font().pixelSize(), 20);
        QVERIFY(text->font().bold());
        QCOMPARE(text->palette().color(QPalette::WindowText), kWarningText);
    }

    void warningMarkTakesThePlaceOfTheSuccessMark()
    {
        MainWindow window;
        window.show();
        showIncompletePage(window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto *mark = window.findChild<QPushButton *>(QStringLiteral("m_pIconToolBtn"));
        QCOMPARE(mark->size(), QSize(32, 32));
        const QImage panel = mark->parentWidget()->grab().toImage();
        const QPoint origin = mark->pos();
        // The disc beside the exclamation mark, and below it.
        QVERIFY(uitest::nearColor(panel.pixelColor(origin + QPoint(8, 16)), kWarningAmber, 8));
        QVERIFY(uitest::nearColor(panel.pixelColor(origin + QPoint(16, 28)), kWarningAmber, 8));
        QCOMPARE(panel.pixelColor(origin + QPoint(1, 1)), kWhite);
        QCOMPARE(panel.pixelColor(origin + QPoint(30, 30)), kWhite);
        // The exclamation mark is cut out: its bar and its dot show the panel.
        for (const QPoint &cut : {QPoint(16, 12), QPoint(16, 23)}) {
            const QColor colour = panel.pixelColor(origin + cut);
            QVERIFY2(colour.red() > 200 && colour.green() > 200 && colour.blue() > 200, qPrintable(colour.name()));
        }
    }

    void onlyTheShadowShowsAroundTheStack()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QImage image = window.grab().toImage();
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(743, 503).alpha(), 0);
        // Evenly on all four sides, faint and dark.
        for (const QPoint &point : {QPoint(8, 252), QPoint(735, 252), QPoint(372, 8), QPoint(372, 495)}) {
            const QColor shadow = image.pixelColor(point);
            QVERIFY2(shadow.alpha() > 0 && shadow.alpha() < 114, qPrintable(QString::number(shadow.alpha())));
            QVERIFY(shadow.red() < 40 && shadow.green() < 40 && shadow.blue() < 40);
        }
        QCOMPARE(image.pixelColor(17, 472), kWhite);
    }
};

UNINSTALL_TEST_MAIN(TestStyleSheet)
#include "tst_stylesheet.moc"
