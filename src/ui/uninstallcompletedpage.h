#ifndef APPINSTALLER_UNINSTALLCOMPLETEDPAGE_H
#define APPINSTALLER_UNINSTALLCOMPLETEDPAGE_H

#include "ui_uninstallcompletedpage.h"

#include <QWidget>

namespace appinstaller {

class UninstallReport;

// The last page: the header band, a mark with the outcome, and a button that ends
// the program. When the removal was complete it shows the green success mark and
// text; when anything of the product remains, a warning mark, a text that says so
// and a list of what remains, which the user can select and copy to remove it by
// hand.
class UnInstallCompletedPage : public QWidget
{
    Q_OBJECT

public:
    explicit UnInstallCompletedPage(QWidget *parent = nullptr);
    ~UnInstallCompletedPage() override;

    // Shows the outcome of the run; call it once, when the run has ended. A
    // complete report leaves the page as it was built.
    void showReport(const UninstallReport &report);

signals:
    void signalClose();

private slots:
    void onCompletedBtnClicked();

private:
    QString leftoverText(const UninstallReport &report) const;

    Ui::UnInstallCompletedUI ui;
};

} // namespace appinstaller

#endif
