#include "app/application.h"
#include "app/clientcheck.h"
#include "product/setupconfig.h"
#include "product/uninstallregistry.h"
#include "ui/mainwindow.h"

#include "cmodaltipdialog.h"
#include "initresource.h"

#include <QString>

using appinstaller::Application;
using appinstaller::MainWindow;
using appinstaller::SetupConfig;
using appinstaller::UninstallRegistry;
using VexiloControl::CModalTipDialog;

int main(int argc, char *argv[])
{
    Application app(argc, argv);

    QString styleSheet;
    const QString resourcePath = QCoreApplication::applicationDirPath() + QStringLiteral("/rcc/guiresource.rcc");
    VexiloControl::InitResource(resourcePath, styleSheet, false);
    app.setStyleSheet(styleSheet);

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
