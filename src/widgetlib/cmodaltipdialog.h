#ifndef VEXILOCONTROL_CMODALTIPDIALOG_H
#define VEXILOCONTROL_CMODALTIPDIALOG_H

#include "vexilocontrol_global.h"

#include <QDialog>

class QLabel;

namespace VexiloControl {

class CCommandButton;
class CFancyTitle;
class CPushButton;

// A frameless modal message box: a title, a wrapped content text and either one OK
// button or, for a question, Cancel and OK. OK is the default button, so Enter accepts;
// Esc, Cancel and closing the window reject. exec() returns QDialog::Accepted only when
// the user confirmed.
class VEXILOCONTROL_EXPORT CModalTipDialog : public QDialog
{
    Q_OBJECT

public:
    enum ModalTipDialogModel { ModelInformation = 0, ModelWarning = 1, ModelError = 2, ModelQuestion = 3 };
    enum ModalTipDialogSize { SizeCompact = 0, SizeLarge = 1 };

    explicit CModalTipDialog(QWidget *parent = nullptr);
    ~CModalTipDialog() override;

    void setDialogModel(ModalTipDialogModel model);
    // By value because callers built against the library pass it so.
    void setContentText(QString text); // NOLINT(performance-unnecessary-value-param)
    void setDialogSize(ModalTipDialogSize size);

    // A warning with one OK button, shown modally; returns exec()'s result.
    static int ShowMessageWarn(const QString &text, ModalTipDialogSize size, QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString titleText() const;
    void fitToContent();

    ModalTipDialogModel m_model = ModelInformation;
    ModalTipDialogSize m_size = SizeCompact;
    CFancyTitle *m_pTitleBar = nullptr;
    QLabel *m_pTitleLabel = nullptr;
    QLabel *m_pContentLabel = nullptr;
    CPushButton *m_pCancelButton = nullptr;
    CCommandButton *m_pConfirmButton = nullptr;
};

} // namespace VexiloControl

#endif
