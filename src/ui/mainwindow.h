#ifndef APPINSTALLER_MAINWINDOW_H
#define APPINSTALLER_MAINWINDOW_H

#include "ui_mainwindow.h"

#include <QWidget>

namespace appinstaller {

class InstallingPage;
class UnInstallCompletedPage;

// The program's only window: frameless, of fixed size and transparent around a
// white 720 x 480 page stack, which casts a soft shadow into the 12-px border.
// It shows the progress page until the worker ends, then the completion page.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

public slots:
    // Shows the completion page with the outcome of the run; the worker's end calls it.
    void onFinishedUnInstall();
    // Starts the removal; start-up calls it once, right after showing the window.
    void onUninstall();

private:
    Ui::MainWindowUI ui;
    InstallingPage *m_pInstallingPage = nullptr;
    UnInstallCompletedPage *m_pCompletedPage = nullptr;
};

} // namespace appinstaller

#endif
