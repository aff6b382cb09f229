#include "installingpage.h"

#include "uninstall/installprocessmgr.h"
#include "uninstall/uninstallthread.h"

namespace appinstaller {

namespace {
// The track layout's left and right margins: the fill can use what lies between.
constexpr int kTrackInset = 3 + 3;
} // namespace

InstallingPage::InstallingPage(QWidget *parent)
    : QWidget(parent)
{
    ui.setupUi(this);

    ui.frame->setFixedWidth(0);
    update();

    ui.m_pWidgetProcessBar->setStyleSheet(
        QStringLiteral("border:1px solid rgba(0,0,0,0.2);border-radius:8px"));
    ui.frame->setStyleSheet(QStringLiteral("background:red; border-radius:5px; border:none;"));

    connect(ui.m_pUpperWidget, &UpperWidget::signalClose, this, &InstallingPage::signalClose);
    connect(InstallProcessMgr::instance(), &InstallProcessMgr::signalProcess, this,
            &InstallingPage::onProcessInfo);
}

InstallingPage::~InstallingPage()
{
    // The window may be closed while the removal still runs. Waiting here, before
    // any widget of the page goes, means no report can arrive at a page that is
    // half torn down and no thread object is destroyed while its thread runs; the
    // removal itself is left to complete, as nothing may interrupt it.
    const auto workers = findChildren<UnInstallThread *>(QString(), Qt::FindDirectChildrenOnly);
    for (UnInstallThread *worker : workers)
        worker->wait();
}

void InstallingPage::startUnInstall()
{
    auto *worker = new UnInstallThread(this);
    connect(worker, &QThread::finished, this, &InstallingPage::signalunInstallFinished);
    worker->start();
}

void InstallingPage::onProcessInfo(int iProcess, const QString &strProcessName)
{
    ui.m_pInstallingLabel->setText(strProcessName);
    ui.m_pInstallProgressLabel->setText(QString::number(iProcess) + QLatin1Char('%'));
    ui.frame->setFixedWidth((ui.m_pWidgetProcessBar->width() - kTrackInset) * iProcess / 100);
    update();
}

} // namespace appinstaller
