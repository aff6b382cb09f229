#ifndef APPINSTALLER_INSTALLPROCESSMGR_H
#define APPINSTALLER_INSTALLPROCESSMGR_H

#include "product/csingleton.h"
#include "uninstallreport.h"

#include <QObject>
#include <QString>

namespace appinstaller {

// Removes the installed product: its installation directory, its desktop
// shortcuts and Start-menu folders, and its Uninstall registry key, reporting
// each step through signalProcess. Everything it needs is fetched from the setup
// description and the registry entry at the moment of use. What each run leaves
// behind is kept for report().
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
    // that order, whatever the removals come to; the text that comes with 100 says
    // whether anything of the product remains.
    void uninstall();

    // What the last run of uninstall() left behind; empty before the first run.
    // uninstall() writes it, without a lock, on the thread it runs on: read it from
    // another thread only once that thread has finished. QThread::finished delivered
    // through a queued connection, or a QThread::wait() that has returned, makes
    // everything the run wrote visible to the reader.
    UninstallReport report() const;

signals:
    // iProcess: 0, 30, 60 or 100; strProcessName: the translated announcement of
    // the step that follows (of the outcome, with 100).
    void signalProcess(int iProcess, const QString &strProcessName);

private:
    void removeShortcuts(UninstallReport &outcome);

    UninstallReport m_report;
};

} // namespace appinstaller

#endif
