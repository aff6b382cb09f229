#include "testsandbox.h"
#include "uitestsupport.h"

#include "ui/customtitlewidget.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <algorithm>

using appinstaller::CustomTitleWidget;

namespace {

// The title bar's two labels carry no names: the title is the shown one, the icon
// the hidden one.
QLabel *labelShown(CustomTitleWidget &title, bool shown)
{
    const auto labels = title.findChildren<QLabel *>();
    const auto found = std::find_if(labels.cbegin(), labels.cend(),
                                    [shown](const QLabel *label) { return label->isHidden() != shown; });
    return found == labels.cend() ? nullptr : *found;
}

QLabel *titleLabel(CustomTitleWidget &title)
{
    return labelShown(title, true);
}

QLabel *iconLabel(CustomTitleWidget &title)
{
    return labelShown(title, false);
}

} // namespace

class TestCustomTitleWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(uitest::applyLibraryStyleSheet());
    }

    void titleAndCloseButtonSitInsideTheMargins()
    {
        // As wide as the header band, 60 px high as the band's form makes it.
        CustomTitleWidget title;
        title.resize(720, 60);
        title.show();
        QVERIFY(QTest::qWaitForWindowExposed(&title));

        QLabel *label = titleLabel(title);
        QVERIFY(label);
        const auto buttons = title.findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 1);
        QPushButton *close = buttons.first();

        QCOMPARE(label->x(), 20);
        QCOMPARE(close->size(), QSize(24, 24));
        QCOMPARE(close->x() + close->width(), 720 - 16);
        QVERIFY(close->y() >= 16);
        // The title takes the room between them, the layout's default gap aside.
        QVERIFY(label->x() + label->width() <= close->x());
        QVERIFY(label->x() + label->width() >= close->x() - 12);
    }

    void iconIsLoadedButTakesNoRoom()
    {
        CustomTitleWidget title;
        title.resize(720, 60);
        title.show();
        QVERIFY(QTest::qWaitForWindowExposed(&title));

        QLabel *icon = iconLabel(title);
        QVERIFY(icon);
        QVERIFY(!icon->isVisible());
        QCOMPARE(icon->size(), QSize(32, 32));
        const QPixmap pixmap = icon->pixmap(Qt::ReturnByValue);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), QSize(32, 32));
    }

    void titleShowsItsKeyWithoutCatalogue()
    {
        CustomTitleWidget title;
        QLabel *label = titleLabel(title);
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("VuzarRevuvazereved"));
    }

    void titleTextIsWhiteBold16px()
    {
        CustomTitleWidget title;
        title.show();
        QVERIFY(QTest::qWaitForWindowExposed(&title));
        QLabel *label = titleLabel(title);
        QVERIFY(label);
        QCOMPARE(label->font().pixelSize(), 16);
        QVERIFY(label->font().bold());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    }

    void closeButtonClickEmitsOnce()
    {
        CustomTitleWidget title;
        title.resize(720, 60);
        title.show();
        QVERIFY(QTest::qWaitForWindowExposed(&title));
        QSignalSpy closeSpy(&title, &CustomTitleWidget::signalClose);

        QTest::mouseClick(title.findChild<QPushButton *>(), Qt::LeftButton);

        QCOMPARE(closeSpy.count(), 1);
    }
};

UNINSTALL_TEST_MAIN(TestCustomTitleWidget)
#include "tst_customtitlewidget.moc"
