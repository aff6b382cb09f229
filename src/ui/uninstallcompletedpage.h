#ifndef APPINSTALLER_UNINSTALLCOMPLETEDPAGE_H
#define APPINSTALLER_UNINSTALLCOMPLETEDPAGE_H

#include "ui_uninstallcompletedpage.h"

#include <QWidget>

namespace appinstaller {

// The last page: the header band, a success mark with its text, and a button
// that ends the program. It is shown however the removal went.
class UnInstallCompletedPage : public QWidget
{
    Q_OBJECT

public:
    explicit UnInstallCompletedPage(QWidget *parent = nullptr);
    ~UnInstallCompletedPage() override;

signals:
    void signalClose();

private slots:
    void onCompletedBtnClicked();

private:
    Ui::UnInstallCompletedUI ui;
};

} // namespace appinstaller

#endif
