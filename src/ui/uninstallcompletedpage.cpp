#include "uninstallcompletedpage.h"

namespace appinstaller {

UnInstallCompletedPage::UnInstallCompletedPage(QWidget *parent)
    : QWidget(parent)
{
    ui.setupUi(this);

    connect(ui.m_pUpperWidget, &UpperWidget::signalClose, this, &UnInstallCompletedPage::signalClose);
    connect(ui.m_pCompletedBtn, &QAbstractButton::clicked, this,
            &UnInstallCompletedPage::onCompletedBtnClicked);
}

UnInstallCompletedPage::~UnInstallCompletedPage() = default;

void UnInstallCompletedPage::onCompletedBtnClicked()
{
    emit signalClose();
}

} // namespace appinstaller
