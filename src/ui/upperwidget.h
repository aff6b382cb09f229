#ifndef APPINSTALLER_UPPERWIDGET_H
#define APPINSTALLER_UPPERWIDGET_H

#include "ui_upperwidget.h"

#include <QWidget>

namespace appinstaller {

// The picture band that opens both pages, with the title bar along its top.
// The picture itself comes from the main window's style sheet, which paints the
// form's inner widget rather than the band.
class UpperWidget : public QWidget
{
    Q_OBJECT

public:
    explicit UpperWidget(QWidget *parent = nullptr);
    ~UpperWidget() override;

signals:
    void signalClose();

private:
    Ui::UpperWidgeUI ui;
};

} // namespace appinstaller

#endif
