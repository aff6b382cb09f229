#include "app/application.h"
#include "app/clientcheck.h"
#include "product/setupconfig.h"
#include "product/uninstallregistry.h"
#include "ui/mainwindow.h"
#include "uninstall/installprocessmgr.h"

#include "cmodaltipdialog.h"
#include "initresource.h"

#include <QString>

using appinstaller::Application;
using appinstaller::InstallProcessMgr;
using appinstaller::MainWindow;
using appinstaller::SetupConfig;
using appinstaller::UninstallRegistry;
using VexiloControl::CModalTipDialog;

namespace {

// The exit code of a run after which something of the product remains.
constexpr int kIncomplete = 1;

// The start-up decisions and, when the user confirms, the run until the window
// closes. Returns -1 for a refusal or a declined confirmation, else the event
// loop's result. The window goes on return, and its going waits for a removal
// that is still under way.
int decideAndRun(Application &app)
{
    MainWindow window(nullptr);

    const QString programName = QString::fromStdString(SetupConfig::instance()->programName());
    if (appinstaller::isProcessRunning(programName)) {
        CModalTipDialog::ShowMessageWarn(QObject::tr("TheClientIsRunningPrnptTrdtT"),
                                         CModalTipDialog::SizeCompact, nullptr);
        return -1;
    }

    if (!UninstallRegistry::instance()->isInstalled()) {
        CModalTipDialog::ShowMessageWarn(QObject::tr("ThisSoftwareIsNotCurmXqDCfI"),
                                         CModalTipDialog::SizeCompact, nullptr);
        return -1;
    }

    {
        CModalTipDialog confirmation(nullptr);
        confirmation.setDialogModel(CModalTipDialog::ModelQuestion);
        confirmation.setContentText(QObject::tr("DetermineTheUninstalfYANYiIa"));
        confirmation.setDialogSize(CModalTipDialog::SizeLarge);
        if (confirmation.exec() == 0)
            return -1;
    }

    window.show();
    window.onUninstall();
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    Application app(argc, argv);

    QString styleSheet;
    const QString resourcePath = QCoreApplication::applicationDirPath() + QStringLiteral("/rcc/guiresource.rcc");
    VexiloControl::InitResource(resourcePath, styleSheet, false);
    app.setStyleSheet(styleSheet);

    const int result = decideAndRun(app);
    // The removal has ended by now, also when the window was closed during it, so
    // its report is final: a run that left anything of the product is no success.
    if (result == 0 && !InstallProcessMgr::instance()->report().isComplete())
        return kIncomplete;
    return result;
}
