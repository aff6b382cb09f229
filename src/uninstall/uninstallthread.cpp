#include "uninstallthread.h"

#include "installprocessmgr.h"

namespace appinstaller {

UnInstallThread::UnInstallThread(QObject *parent)
    : QThread(parent)
{
}

// The window that owns this thread can be closed while the uninstall still runs,
// and destroying a running QThread aborts the whole program half way through the
// removals. The procedure cannot be interrupted and always comes to an end, so the
// owner's destruction waits for it here.
UnInstallThread::~UnInstallThread()
{
    wait();
}

void UnInstallThread::run()
{
    InstallProcessMgr::instance()->uninstall();
}

} // namespace appinstaller
