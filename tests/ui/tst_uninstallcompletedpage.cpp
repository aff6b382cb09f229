#include "testsandbox.h"
#include "uitestsupport.h"

#include "ui/uninstallcompletedpage.h"
#include "ui/upperwidget.h"
#include "uninstall/uninstallreport.h"

#include "ccommandbutton.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

using appinstaller::UnInstallCompletedPage;
using appinstaller::UninstallReport;
using appinstaller::UpperWidget;

namespace {

const char kPageContext[] = "appinstaller::UnInstallCompletedPage";

QString shortcut()
{
    return QStringLiteral("/home/user/Desktop/Viewer.lnk");
}

QString registryKey()
{
    return QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{A}");
}

// A Start-menu folder with files f00 to f21 still in it, in the sandbox.
QString startMenuFolder()
{
    return TestSandbox::current()->root() + QStringLiteral("/Start Menu/Viewer");
}

// Something of every kind, for both reasons, and more entries than are listed.
UninstallReport reportOfEveryKind()
{
    for (int index = 0; index < 22; ++index) {
        QDir().mkpath(startMenuFolder());
        QFile file(startMenuFolder() + QStringLiteral("/f%1").arg(index, 2, 10, QLatin1Char('0')));
        file.open(QIODevice::WriteOnly);
    }
    UninstallReport report;
    report.addNotRemoved(UninstallReport::Kind::Shortcut, shortcut());
    report.addRefused(UninstallReport::Kind::InstallDirectory, QString());
    report.addRemainingTree(UninstallReport::Kind::StartMenuFolder, startMenuFolder(), {});
    report.addNotRemoved(UninstallReport::Kind::RegistryKey, registryKey());
    return report;
}

// Every widget of the page with its place, visibility and text, to tell whether
// anything changed.
QStringList snapshotOf(UnInstallCompletedPage &page)
{
    QStringList lines;
    const auto widgets = page.findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        const QRect place = uitest::geometryIn(widget, &page);
        QString text;
        if (auto *label = qobject_cast<QLabel *>(widget))
            text = label->text();
        lines.append(QStringLiteral("%1 %2,%3 %4x%5 %6 %7")
                         .arg(widget->objectName())
                         .arg(place.x())
                         .arg(place.y())
                         .arg(place.width())
                         .arg(place.height())
                         .arg(widget->isVisible())
                         .arg(text));
    }
    return lines;
}

} // namespace

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

    void completeReportLeavesThePageAsBuilt()
    {
        UnInstallCompletedPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QStringList before = snapshotOf(page);

        page.showReport(UninstallReport());
        QCoreApplication::processEvents();

        QCOMPARE(snapshotOf(page), before);
        QVERIFY(!page.findChild<QPlainTextEdit *>()->isVisible());
    }

    // The same 160-px panel: mark and text on the first row from the left, the
    // list lined up with the text below them, the button in its corner beside it.
    void incompleteLayoutFitsThePanel()
    {
        UnInstallCompletedPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.showReport(reportOfEveryKind());
        QCoreApplication::processEvents();

        auto *panel = page.findChild<QWidget *>(QStringLiteral("m_pBottomWidget"));
        QCOMPARE(uitest::geometryIn(panel, &page), QRect(0, 320, 720, 160));
        auto *mark = page.findChild<QPushButton *>(QStringLiteral("m_pIconToolBtn"));
        auto *text = page.findChild<QLabel *>(QStringLiteral("m_pInstallInfoLabel"));
        auto *list = page.findChild<QPlainTextEdit *>(QStringLiteral("m_pLeftoversEdit"));
        auto *button = page.findChild<VexiloControl::CCommandButton *>(QStringLiteral("m_pCompletedBtn"));
        QVERIFY(mark && text && list && button);

        QCOMPARE(mark->geometry(), QRect(36, 16, 32, 32));
        QCOMPARE(text->x(), 36 + 32 + 6);
        QCOMPARE(text->geometry().center().y(), mark->geometry().center().y());
        QVERIFY(list->isVisible());
        QCOMPARE(list->x(), text->x());
        QVERIFY(list->y() >= mark->y() + mark->height() + 6);
        QCOMPARE(list->y() + list->height(), 160 - 24);
        QVERIFY(list->height() >= 60);
        QCOMPARE(list->x() + list->width() + 16, button->x());
        QCOMPARE(button->x() + button->width(), 720 - 36);
        QCOMPARE(button->y() + button->height(), 160 - 24);
    }

    void incompleteTextsShowTheirKeysWithoutCatalogue()
    {
        UnInstallCompletedPage page;
        page.showReport(reportOfEveryKind());
        QCOMPARE(page.findChild<QLabel *>(QStringLiteral("m_pInstallInfoLabel"))->text(),
                 QStringLiteral("NotEverythingWasRemovedGhYtRb"));
        QCOMPARE(page.findChild<VexiloControl::CCommandButton *>()->text(), QStringLiteral("Completed"));
    }

    // Paths one to a line, grouped by why they stay, entries below their folder.
    void listGroupsWhatRemains()
    {
        const uitest::ScopedCatalogue english(QStringLiteral("en"));
        QVERIFY(english.isLoaded());
        UnInstallCompletedPage page;
        page.showReport(reportOfEveryKind());

        QStringList expected{english.text(kPageContext, "CouldNotBeRemovedPwLzQa"),
                             QStringLiteral("  ") + shortcut(), QStringLiteral("  ") + startMenuFolder()};
        for (int index = 0; index < UninstallReport::kListedEntries; ++index)
            expected.append(QStringLiteral("    ") + startMenuFolder()
                            + QStringLiteral("/f%1").arg(index, 2, 10, QLatin1Char('0')));
        expected << QStringLiteral("    ") + english.text(kPageContext, "AndMoreEntriesRnBfKs").arg(2)
                 << QStringLiteral("  ") + registryKey()
                 << english.text(kPageContext, "LeftInPlaceForSafetyJcXd")
                 << QStringLiteral("  ") + english.text(kPageContext, "InstallLocationNotRecordedTzMq");

        const auto *list = page.findChild<QPlainTextEdit *>(QStringLiteral("m_pLeftoversEdit"));
        QCOMPARE(list->toPlainText().split(QLatin1Char('\n')), expected);
        QCOMPARE(page.findChild<QLabel *>(QStringLiteral("m_pInstallInfoLabel"))->text(),
                 english.text(kPageContext, "NotEverythingWasRemovedGhYtRb"));
    }

    // The user takes the list away by keyboard: it has the focus, all of it can be
    // selected and copied, and nothing can be typed into it.
    void listIsSelectableAndCopiesWhole()
    {
        UnInstallCompletedPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        page.showReport(reportOfEveryKind());

        auto *list = page.findChild<QPlainTextEdit *>(QStringLiteral("m_pLeftoversEdit"));
        QTRY_COMPARE(QApplication::focusWidget(), list);
        QVERIFY(list->isReadOnly());
        QCOMPARE(list->textInteractionFlags(), Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        const QString text = list->toPlainText();
        QApplication::clipboard()->clear();

        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClicks(list, QStringLiteral("typed"));

        QCOMPARE(QApplication::clipboard()->text(), text);
        QCOMPARE(list->toPlainText(), text);
    }

    void clicksThatClose_data()
    {
        QTest::addColumn<QString>("buttonPath");
        QTest::addColumn<bool>("incomplete");
        QTest::newRow("Completed button") << QStringLiteral("m_pCompletedBtn") << false;
        QTest::newRow("title bar close button") << QStringLiteral("m_pUpperWidget") << false;
        QTest::newRow("Completed button, incomplete run") << QStringLiteral("m_pCompletedBtn") << true;
        QTest::newRow("title bar close button, incomplete run") << QStringLiteral("m_pUpperWidget") << true;
    }

    void clicksThatClose()
    {
        QFETCH(QString, buttonPath);
        QFETCH(bool, incomplete);

        UnInstallCompletedPage page;
        if (incomplete)
            page.showReport(reportOfEveryKind());
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
