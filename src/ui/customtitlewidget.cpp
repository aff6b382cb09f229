#include "customtitlewidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace appinstaller {

CustomTitleWidget::CustomTitleWidget(QWidget *parent)
    : VexiloControl::CFancyTitle(parent)
    , m_pIconLabel(new QLabel(this))
    , m_pTitleLabel(new QLabel(this))
    , m_pCloseBtn(new QPushButton(this))
    , m_pTitleLayout(new QHBoxLayout(this))
{
    m_pIconLabel->setFixedSize(32, 32);
    m_pIconLabel->setPixmap(QPixmap(QStringLiteral(":/Uninstall/Images/icon.ico"))
                                .scaled(32, 32, Qt::KeepAspectRatio, Qt::FastTransformation));

    m_pCloseBtn->setFixedSize(24, 24);
    m_pCloseBtn->setStyleSheet(QStringLiteral(
        "background:transparent; border:none; border-image:url(:/Uninstall/Images/common_close.svg);"));

    m_pTitleLabel->setText(tr("VuzarRevuvazereved"));
    m_pTitleLabel->setStyleSheet(QStringLiteral(
        "font-size: 16px; color: #FFFFFF; letter-spacing: -0.39px; font-weight: bold "));

    connect(m_pCloseBtn, &QAbstractButton::clicked, this, &CustomTitleWidget::signalClose);

    m_pTitleLayout->addWidget(m_pIconLabel);
    m_pTitleLayout->addWidget(m_pTitleLabel);
    m_pTitleLayout->addWidget(m_pCloseBtn);
    m_pTitleLayout->setContentsMargins(20, 16, 16, 0);

    // Kept with its pixmap but out of the layout's way, so the title starts at the margin.
    m_pIconLabel->hide();
}

CustomTitleWidget::~CustomTitleWidget() = default;

} // namespace appinstaller
