#include "mainwindow.h"

#include "cfile.h"
#include "ui/installingpage.h"
#include "ui/uninstallcompletedpage.h"
#include "uninstall/installprocessmgr.h"

#include <QColor>
#include <QDir>
#include <QGraphicsDropShadowEffect>
#include <QPalette>

namespace appinstaller {

namespace {
const char kStyleDirectory[] = ":/Uninstall/Qss/";
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    ui.setupUi(this);

    if (!m_pInstallingPage) {
        m_pInstallingPage = new InstallingPage(this);
        ui.m_pInstallStackedWidget->addWidget(m_pInstallingPage);
    }
    if (!m_pCompletedPage) {
        m_pCompletedPage = new UnInstallCompletedPage(this);
        ui.m_pInstallStackedWidget->addWidget(m_pCompletedPage);
    }

    const QString styleDirectory = QString::fromLatin1(kStyleDirectory);
    const QStringList styleFiles = QDir(styleDirectory).entryList(QDir::Files, QDir::NoSort);
    setStyleSheet(VexiloControl::CFile::ReadAll(styleFiles, styleDirectory));

    connect(m_pInstallingPage, &InstallingPage::signalunInstallFinished, this,
            &MainWindow::onFinishedUnInstall);
    connect(m_pInstallingPage, &InstallingPage::signalClose, this, &QWidget::close);
    connect(m_pCompletedPage, &UnInstallCompletedPage::signalClose, this, &QWidget::close);

    ui.m_pInstallStackedWidget->setCurrentWidget(m_pInstallingPage);

    // The shadow belongs to the page stack so that it falls evenly into the
    // transparent border around it.
    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setOffset(0.0, 0.0);
    QColor shadowColor;
    shadowColor.setRgb(0, 0, 0, 114);
    shadow->setColor(shadowColor);
    shadow->setBlurRadius(12.0);
    ui.m_pInstallStackedWidget->setGraphicsEffect(shadow);

    setAutoFillBackground(true);
    QPalette transparentPalette = palette();
    transparentPalette.setBrush(QPalette::All, QPalette::Window, QBrush(Qt::transparent, Qt::SolidPattern));
    setPalette(transparentPalette);
    setWindowOpacity(1.0);
    setAttribute(Qt::WA_TranslucentBackground, true);
}

MainWindow::~MainWindow() = default;

void MainWindow::onFinishedUnInstall()
{
    ui.m_pInstallStackedWidget->setCurrentWidget(m_pCompletedPage);
    // Reached through the worker's finished signal, delivered queued: the run is
    // over, and everything it wrote into its report is visible on this thread.
    m_pCompletedPage->showReport(InstallProcessMgr::instance()->report());
}

void MainWindow::onUninstall()
{
    ui.m_pInstallStackedWidget->setCurrentWidget(m_pInstallingPage);
    if (m_pInstallingPage)
        m_pInstallingPage->startUnInstall();
}

} // namespace appinstaller
