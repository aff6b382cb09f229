#ifndef APPINSTALLER_INSTALLINGPAGE_H
#define APPINSTALLER_INSTALLINGPAGE_H

#include "ui_installingpage.h"

#include <QWidget>

namespace appinstaller {

// The page shown while the product is removed: the header band, the text of the
// current step with its percentage, and a bar drawn by style sheets alone (the
// track m_pWidgetProcessBar with the fill widget inside it). It starts the worker
// and relays the worker's end.
class InstallingPage : public QWidget
{
    Q_OBJECT

public:
    explicit InstallingPage(QWidget *parent = nullptr);
    ~InstallingPage() override;

    // Starts one worker; meant to be called once per run.
    void startUnInstall();

signals:
    void signalClose();
    void signalunInstallFinished();

public slots:
    void onProcessInfo(int iProcess, const QString &strProcessName);

private:
    Ui::InstallingUI ui;
};

} // namespace appinstaller

#endif
