#include "cmodaltipdialog.h"

#include "ccommandbutton.h"
#include "cfancytitle.h"
#include "cframe.h"
#include "cpushbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace VexiloControl {

namespace {
const QSize compactSize(360, 180);
const QSize largeSize(440, 220);
} // namespace

CModalTipDialog::CModalTipDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    // The window itself stays transparent so that the panel's rounded corners show.
    setAttribute(Qt::WA_TranslucentBackground);

    auto *panel = new CFrame(this);
    panel->setObjectName(QStringLiteral("panel"));
    auto *outerLayout = new QVBoxLayout(this);
    outerLayout->setContentsMargins(0, 0, 0, 0);
    outerLayout->addWidget(panel);

    // Without a window frame the title is what the user drags the dialog by.
    m_pTitleBar = new CFancyTitle(panel);
    m_pTitleBar->setObjectName(QStringLiteral("titleBar"));
    m_pTitleLabel = new QLabel(m_pTitleBar);
    m_pTitleLabel->setObjectName(QStringLiteral("titleLabel"));
    auto *titleLayout = new QHBoxLayout(m_pTitleBar);
    titleLayout->setContentsMargins(24, 20, 24, 12);
    titleLayout->addWidget(m_pTitleLabel);

    m_pContentLabel = new QLabel(panel);
    m_pContentLabel->setObjectName(QStringLiteral("contentLabel"));
    m_pContentLabel->setTextFormat(Qt::PlainText);
    m_pContentLabel->setWordWrap(true);
    m_pContentLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_pCancelButton = new CPushButton(panel);
    m_pCancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_pCancelButton->setText(tr("Cancel"));
    m_pConfirmButton = new CCommandButton(panel);
    m_pConfirmButton->setObjectName(QStringLiteral("confirmButton"));
    m_pConfirmButton->setText(tr("OK"));
    m_pConfirmButton->setDefault(true);
    // Focus would otherwise go to the first button in the chain, Cancel, which would then
    // take over Enter as the focused auto-default button.
    m_pConfirmButton->setFocus();

    auto *buttonLayout = new QHBoxLayout;
    buttonLayout->setSpacing(12);
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(m_pCancelButton);
    buttonLayout->addWidget(m_pConfirmButton);

    auto *bodyLayout = new QVBoxLayout;
    bodyLayout->setContentsMargins(24, 0, 24, 20);
    bodyLayout->setSpacing(16);
    bodyLayout->addWidget(m_pContentLabel, 1);
    bodyLayout->addLayout(buttonLayout);

    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    panelLayout->addWidget(m_pTitleBar);
    panelLayout->addLayout(bodyLayout, 1);

    connect(m_pConfirmButton, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(m_pCancelButton, &QAbstractButton::clicked, this, &QDialog::reject);

    setDialogModel(ModelInformation);
    setDialogSize(SizeCompact);
}

CModalTipDialog::~CModalTipDialog() = default;

void CModalTipDialog::setDialogModel(ModalTipDialogModel model)
{
    m_model = model;
    const QString title = titleText();
    setWindowTitle(title);
    m_pTitleLabel->setText(title);
    m_pCancelButton->setVisible(model == ModelQuestion);
}

void CModalTipDialog::setContentText(QString text) // NOLINT(performance-unnecessary-value-param)
{
    m_pContentLabel->setText(text);
    fitToContent();
}

void CModalTipDialog::setDialogSize(ModalTipDialogSize size)
{
    m_size = size;
    fitToContent();
}

int CModalTipDialog::ShowMessageWarn(const QString &text, ModalTipDialogSize size, QWidget *parent)
{
    CModalTipDialog dialog(parent);
    dialog.setDialogModel(ModelWarning);
    dialog.setContentText(text);
    dialog.setDialogSize(size);
    return dialog.exec();
}

void CModalTipDialog::showEvent(QShowEvent *event)
{
    // Layouts ignore widgets that have never been shown, so the text's real height is
    // known only now; fitting before the base class centres the dialog keeps it centred.
    fitToContent();
    QDialog::showEvent(event);
}

QString CModalTipDialog::titleText() const
{
    // Fixed per model: scripts and assistive tools find the dialogs by these titles.
    switch (m_model) {
    case ModelWarning:
        return tr("Warning");
    case ModelError:
        return tr("Error");
    case ModelQuestion:
        return tr("Confirm");
    case ModelInformation:
        break;
    }
    return tr("Information");
}

void CModalTipDialog::fitToContent()
{
    // The width is fixed by the size model; a text longer than the model's height allows
    // makes the dialog taller instead of being cut off.
    const QSize base = m_size == SizeLarge ? largeSize : compactSize;
    ensurePolished();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(base.width()) : 0;
    setFixedSize(base.width(), qMax(base.height(), needed));
}

} // namespace VexiloControl
