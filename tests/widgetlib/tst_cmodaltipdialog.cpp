#include "ccommandbutton.h"
#include "cmodaltipdialog.h"

#include "testsandbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QSet>
#include <QTimer>
#include <QtTest>

using VexiloControl::CCommandButton;
using VexiloControl::CModalTipDialog;

namespace {

enum class Answer { EnterKey, ReturnKey, ConfirmClick, EscapeKey, CancelClick, CloseWindow };

QStringList visibleButtonNames(const CModalTipDialog &dialog)
{
    QStringList names;
    const auto buttons = dialog.findChildren<QAbstractButton *>();
    for (const QAbstractButton *button : buttons) {
        if (button->isVisibleTo(&dialog))
            names.append(button->objectName());
    }
    names.sort();
    return names;
}

CModalTipDialog *shownDialog()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        auto *dialog = qobject_cast<CModalTipDialog *>(window);
        if (dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

void answer(CModalTipDialog *dialog, Answer how)
{
    // Keys go where the user's keyboard would: to the dialog's focus widget.
    QWidget *focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    switch (how) {
    case Answer::EnterKey:
        QTest::keyClick(focus, Qt::Key_Enter);
        break;
    case Answer::ReturnKey:
        QTest::keyClick(focus, Qt::Key_Return);
        break;
    case Answer::ConfirmClick:
        QTest::mouseClick(dialog->findChild<QAbstractButton *>(QStringLiteral("confirmButton")), Qt::LeftButton);
        break;
    case Answer::EscapeKey:
        QTest::keyClick(focus, Qt::Key_Escape);
        break;
    case Answer::CancelClick:
        QTest::mouseClick(dialog->findChild<QAbstractButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
        break;
    case Answer::CloseWindow:
        dialog->close();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(CModalTipDialog::ModalTipDialogModel)
Q_DECLARE_METATYPE(CModalTipDialog::ModalTipDialogSize)

class TestCModalTipDialog : public QObject
{
    Q_OBJECT

private slots:
    void questionAnswers_data();
    void questionAnswers();
    void confirmIsTheFocusedDefaultButton();
    void modelDecidesTitleAndButtons_data();
    void modelDecidesTitleAndButtons();
    void titlesAreDistinct();
    void switchingModelBackHidesCancel();
    void sizeModels_data();
    void sizeModels();
    void longTextWrapsAndGrowsTheDialog();
    void showMessageWarn_data();
    void showMessageWarn();
};

void TestCModalTipDialog::questionAnswers_data()
{
    QTest::addColumn<Answer>("how");
    QTest::addColumn<bool>("confirmed");

    QTest::newRow("enter") << Answer::EnterKey << true;
    QTest::newRow("return") << Answer::ReturnKey << true;
    QTest::newRow("confirm clicked") << Answer::ConfirmClick << true;
    QTest::newRow("escape") << Answer::EscapeKey << false;
    QTest::newRow("cancel clicked") << Answer::CancelClick << false;
    QTest::newRow("window closed") << Answer::CloseWindow << false;
}

void TestCModalTipDialog::questionAnswers()
{
    QFETCH(Answer, how);
    QFETCH(bool, confirmed);

    CModalTipDialog dialog;
    dialog.setDialogModel(CModalTipDialog::ModelQuestion);
    dialog.setContentText(QStringLiteral("Remove it?"));
    dialog.setDialogSize(CModalTipDialog::SizeLarge);

    bool wasModal = false;
    QTimer::singleShot(0, &dialog, [&dialog, &wasModal, how] {
        wasModal = QApplication::activeModalWidget() == &dialog;
        answer(&dialog, how);
    });
    const int result = dialog.exec();

    QVERIFY(wasModal);
    QVERIFY(!dialog.isVisible());
    if (confirmed)
        QCOMPARE(result, int(QDialog::Accepted));
    else
        QCOMPARE(result, 0);
}

void TestCModalTipDialog::confirmIsTheFocusedDefaultButton()
{
    CModalTipDialog dialog;
    dialog.setDialogModel(CModalTipDialog::ModelQuestion);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    auto *confirm = dialog.findChild<CCommandButton *>(QStringLiteral("confirmButton"));
    QVERIFY(confirm);
    QVERIFY(confirm->isDefault());
    QCOMPARE(dialog.focusWidget(), confirm);
}

void TestCModalTipDialog::modelDecidesTitleAndButtons_data()
{
    QTest::addColumn<CModalTipDialog::ModalTipDialogModel>("model");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("buttons");

    const QStringList okOnly = {QStringLiteral("confirmButton")};
    QTest::newRow("information") << CModalTipDialog::ModelInformation << QStringLiteral("Information") << okOnly;
    QTest::newRow("warning") << CModalTipDialog::ModelWarning << QStringLiteral("Warning") << okOnly;
    QTest::newRow("error") << CModalTipDialog::ModelError << QStringLiteral("Error") << okOnly;
    QTest::newRow("question") << CModalTipDialog::ModelQuestion << QStringLiteral("Confirm")
                              << QStringList{QStringLiteral("cancelButton"), QStringLiteral("confirmButton")};
}

void TestCModalTipDialog::modelDecidesTitleAndButtons()
{
    QFETCH(CModalTipDialog::ModalTipDialogModel, model);
    QFETCH(QString, title);
    QFETCH(QStringList, buttons);

    CModalTipDialog dialog;
    dialog.setDialogModel(model);
    dialog.setContentText(QStringLiteral("Something happened."));

    QCOMPARE(dialog.windowTitle(), title);
    auto *titleLabel = dialog.findChild<QLabel *>(QStringLiteral("titleLabel"));
    QVERIFY(titleLabel);
    QCOMPARE(titleLabel->text(), title);
    QCOMPARE(visibleButtonNames(dialog), buttons);

    auto *confirm = dialog.findChild<QAbstractButton *>(QStringLiteral("confirmButton"));
    QCOMPARE(confirm->text(), QStringLiteral("OK"));
    if (buttons.contains(QStringLiteral("cancelButton")))
        QCOMPARE(dialog.findChild<QAbstractButton *>(QStringLiteral("cancelButton"))->text(), QStringLiteral("Cancel"));
}

void TestCModalTipDialog::titlesAreDistinct()
{
    QSet<QString> titles;
    for (const auto model : {CModalTipDialog::ModelInformation, CModalTipDialog::ModelWarning,
                             CModalTipDialog::ModelError, CModalTipDialog::ModelQuestion}) {
        CModalTipDialog dialog;
        dialog.setDialogModel(model);
        titles.insert(dialog.windowTitle());
    }
    QCOMPARE(titles.size(), 4);
}

void TestCModalTipDialog::switchingModelBackHidesCancel()
{
    CModalTipDialog dialog;
    dialog.setDialogModel(CModalTipDialog::ModelQuestion);
    dialog.setDialogModel(CModalTipDialog::ModelWarning);
    QCOMPARE(visibleButtonNames(dialog), QStringList{QStringLiteral("confirmButton")});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Warning"));
}

void TestCModalTipDialog::sizeModels_data()
{
    QTest::addColumn<CModalTipDialog::ModalTipDialogSize>("sizeModel");
    QTest::addColumn<QSize>("expected");

    QTest::newRow("compact") << CModalTipDialog::SizeCompact << QSize(360, 180);
    QTest::newRow("large") << CModalTipDialog::SizeLarge << QSize(440, 220);
}

void TestCModalTipDialog::sizeModels()
{
    QFETCH(CModalTipDialog::ModalTipDialogSize, sizeModel);
    QFETCH(QSize, expected);

    CModalTipDialog dialog;
    dialog.setDialogModel(CModalTipDialog::ModelQuestion);
    dialog.setContentText(QStringLiteral("Short."));
    dialog.setDialogSize(sizeModel);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.size(), expected);
}

void TestCModalTipDialog::longTextWrapsAndGrowsTheDialog()
{
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("All files of the product will be removed from this computer. ");

    CModalTipDialog dialog;
    dialog.setDialogModel(CModalTipDialog::ModelQuestion);
    dialog.setContentText(text);
    dialog.setDialogSize(CModalTipDialog::SizeCompact);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    auto *content = dialog.findChild<QLabel *>(QStringLiteral("contentLabel"));
    QVERIFY(content);
    QCOMPARE(content->text(), text);
    QVERIFY(content->wordWrap());
    QCOMPARE(dialog.width(), 360);
    QVERIFY(dialog.height() > 180);
    QVERIFY(content->width() <= dialog.width());
    QVERIFY2(content->height() >= content->heightForWidth(content->width()),
             qPrintable(QStringLiteral("label %1 high, text needs %2")
                            .arg(content->height())
                            .arg(content->heightForWidth(content->width()))));
}

void TestCModalTipDialog::showMessageWarn_data()
{
    QTest::addColumn<Answer>("how");
    QTest::addColumn<int>("expected");

    QTest::newRow("ok clicked") << Answer::ConfirmClick << int(QDialog::Accepted);
    QTest::newRow("escape") << Answer::EscapeKey << 0;
}

void TestCModalTipDialog::showMessageWarn()
{
    QFETCH(Answer, how);
    QFETCH(int, expected);

    QString title;
    QString content;
    QStringList buttons;
    QSize size;
    bool modal = false;
    QTimer::singleShot(0, this, [&, how] {
        CModalTipDialog *dialog = shownDialog();
        if (!dialog)
            return;
        modal = QApplication::activeModalWidget() == dialog;
        title = dialog->windowTitle();
        content = dialog->findChild<QLabel *>(QStringLiteral("contentLabel"))->text();
        buttons = visibleButtonNames(*dialog);
        size = dialog->size();
        answer(dialog, how);
    });
    const int result = CModalTipDialog::ShowMessageWarn(QStringLiteral("The client is running."),
                                                        CModalTipDialog::SizeCompact, nullptr);

    QCOMPARE(result, expected);
    QVERIFY(modal);
    QCOMPARE(title, QStringLiteral("Warning"));
    QCOMPARE(content, QStringLiteral("The client is running."));
    QCOMPARE(buttons, QStringList{QStringLiteral("confirmButton")});
    QCOMPARE(size, QSize(360, 180));
}

UNINSTALL_TEST_MAIN(TestCModalTipDialog)
#include "tst_cmodaltipdialog.moc"
