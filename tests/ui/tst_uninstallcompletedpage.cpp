#include "testsandbox.h"
#include "uitestsupport.h"

#include "ui/uninstallcompletedpage.h"
#include "ui/upperwidget.h"

#include "ccommandbutton.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using appinstaller::UnInstallCompletedPage;
using appinstaller::UpperWidget;

class TestUnInstallCompletedPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(uitest::applyLibraryStyleSheet());
    }

    void layoutOfBandMarkTextAndButton()
    {
        UnInstallCompletedPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        QCOMPARE(page.objectName(), QStringLiteral("UnInstallCompletedUI"));
        QCOMPARE(page.size(), QSize(720, 480));
        auto *band = page.findChild<UpperWidget *>(QStringLiteral("m_pUpperWidget"));
        QVERIFY(band);
        QCOMPARE(uitest::geometryIn(band, &page), QRect(0, 0, 720, 320));
        auto *panel = page.findChild<QWidget *>(QStringLiteral("m_pBottomWidget"));
        QVERIFY(panel);
        QCOMPARE(uitest::geometryIn(panel, &page), QRect(0, 320, 720, 160));

        auto *mark = page.findChild<QPushButton *>(QStringLiteral("m_pIconToolBtn"));
        auto *text = page.findChild<QLabel *>(QStringLiteral("m_pInstallInfoLabel"));
        QVERIFY(mark && text);
        QCOMPARE(mark->size(), QSize(32, 32));
        QCOMPARE(mark->y(), 32);
        QCOMPARE(text->x(), mark->x() + 32 + 6);
        // Centred between the two spacers of the first row.
        const int left = mark->x();
        const int right = 720 - (text->x() + text->width());
        QVERIFY(qAbs(left - right) <= 7);

        auto *button = page.findChild<VexiloControl::CCommandButton *>(QStringLiteral("m_pCompletedBtn"));
        QVERIFY(button);
        QVERIFY(button->width() >= 88);
        QVERIFY(button->height() >= 32);
        QCOMPARE(button->x() + button->width(), 720 - 36);
        QCOMPARE(button->y() + button->height(), 160 - 24);
    }

    void textsShowTheirKeysWithoutCatalogue()
    {
        UnInstallCompletedPage page;
        QCOMPARE(page.findChild<QLabel *>(QStringLiteral("m_pInstallInfoLabel"))->text(),
                 QStringLiteral("Uninstalled"));
        QCOMPARE(page.findChild<VexiloControl::CCommandButton *>()->text(), QStringLiteral("Completed"));
        QVERIFY(page.findChild<QPushButton *>(QStringLiteral("m_pIconToolBtn"))->text().isEmpty());
    }

    void clicksThatClose_data()
    {
        QTest::addColumn<QString>("buttonPath");
        QTest::newRow("Completed button") << QStringLiteral("m_pCompletedBtn");
        QTest::newRow("title bar close button") << QStringLiteral("m_pUpperWidget");
    }

    void clicksThatClose()
    {
        QFETCH(QString, buttonPath);

        UnInstallCompletedPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QSignalSpy closeSpy(&page, &UnInstallCompletedPage::signalClose);

        QWidget *named = page.findChild<QWidget *>(buttonPath);
        QVERIFY(named);
        auto *button = qobject_cast<QPushButton *>(named);
        if (!button)
            button = named->findChild<QPushButton *>();
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);

        QCOMPARE(closeSpy.count(), 1);
    }

    void clickOnTheSuccessMarkDoesNothing()
    {
        UnInstallCompletedPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QSignalSpy closeSpy(&page, &UnInstallCompletedPage::signalClose);

        auto *mark = page.findChild<QPushButton *>(QStringLiteral("m_pIconToolBtn"));
        QSignalSpy clickSpy(mark, &QAbstractButton::clicked);
        QTest::mouseClick(mark, Qt::LeftButton);
        QCoreApplication::processEvents();

        QCOMPARE(clickSpy.count(), 1);
        QCOMPARE(closeSpy.count(), 0);
        QVERIFY(page.isVisible());
    }
};

UNINSTALL_TEST_MAIN(TestUnInstallCompletedPage)
#include "tst_uninstallcompletedpage.moc"
