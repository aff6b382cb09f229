#ifndef APPINSTALLER_UNINSTALLTHREAD_H
#define APPINSTALLER_UNINSTALLTHREAD_H

#include <QThread>

namespace appinstaller {

// The thread on which the uninstall runs, so that the user interface stays free
// to show its progress. It runs the procedure once and ends; its finished signal
// tells that the procedure is over.
class UnInstallThread : public QThread
{
    Q_OBJECT

public:
    explicit UnInstallThread(QObject *parent = nullptr);
    // Waits for run() to end.
    ~UnInstallThread() override;

protected:
    // InstallProcessMgr::instance()->uninstall(), without an event loop.
    void run() override;
};

} // namespace appinstaller

#endif
