#ifndef APPINSTALLER_INSTALLPROCESSMGR_H
#define APPINSTALLER_INSTALLPROCESSMGR_H

#include "product/csingleton.h"

#include <QObject>
#include <QString>

namespace appinstaller {

// Removes the installed product: its installation directory, its desktop
// shortcuts and Start-menu folders, and its Uninstall registry key, reporting
// each step through signalProcess. Everything it needs is fetched from the setup
// description and the registry entry at the moment of use; it keeps no state.
//
// uninstall() runs on the worker thread while this object lives on the
// user-interface thread, so receivers there get the reports queued, in order.
class InstallProcessMgr : public QObject, public Base::CSingleton<InstallProcessMgr>
{
    Q_OBJECT

public:
    InstallProcessMgr();
    ~InstallProcessMgr() override;

    // The whole procedure, synchronously. Always reports 0, 30, 60 and 100, in
    // that order, whatever the removals come to: no step's outcome is looked at.
    void uninstall();

signals:
    // iProcess: 0, 30, 60 or 100; strProcessName: the translated announcement of
    // the step that follows (of completion, with 100).
    void signalProcess(int iProcess, const QString &strProcessName);

private:
    void removeShortcuts();
};

} // namespace appinstaller

#endif
