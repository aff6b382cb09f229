#ifndef VEXILOCONTROL_CFANCYTITLE_H
#define VEXILOCONTROL_CFANCYTITLE_H

#include "cframe.h"
#include "cwidgetsizefactory.h"
#include "vexilocontrol_global.h"

namespace VexiloControl {

// Title bar for frameless windows: dragging it with the left button moves the window
// it belongs to.
class VEXILOCONTROL_EXPORT CFancyTitle : public CFrame, public CWidgetSizeFactory
{
    Q_OBJECT

public:
    explicit CFancyTitle(QWidget *parent = nullptr);
    ~CFancyTitle() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace VexiloControl

#endif
