#ifndef APPINSTALLER_CUSTOMTITLEWIDGET_H
#define APPINSTALLER_CUSTOMTITLEWIDGET_H

#include "cfancytitle.h"

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace appinstaller {

// The window's own title bar: the frameless main window has no system chrome, so
// this strip carries the title text and the only close button the user sees.
// Dragging the window by it is the base class's business.
class CustomTitleWidget : public VexiloControl::CFancyTitle
{
    Q_OBJECT

public:
    explicit CustomTitleWidget(QWidget *parent = nullptr);
    ~CustomTitleWidget() override;

signals:
    void signalClose();

private:
    QLabel *m_pIconLabel = nullptr;
    QLabel *m_pTitleLabel = nullptr;
    QPushButton *m_pCloseBtn = nullptr;
    QHBoxLayout *m_pTitleLayout = nullptr;
};

} // namespace appinstaller

#endif
