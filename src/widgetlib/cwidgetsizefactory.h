#ifndef VEXILOCONTROL_CWIDGETSIZEFACTORY_H
#define VEXILOCONTROL_CWIDGETSIZEFACTORY_H

#include "vexilocontrol_global.h"

#include <QPoint>

namespace VexiloControl {

// Remembers where in a window the pointer grabbed it, so that a widget that moves its
// window by dragging keeps that spot under the pointer.
class VEXILOCONTROL_EXPORT CWidgetSizeFactory
{
public:
    CWidgetSizeFactory();
    virtual ~CWidgetSizeFactory();

protected:
    void beginDrag(const QPoint &globalPointerPos, const QPoint &windowPos);
    void endDrag();
    bool isDragging() const;
    // Where the window belongs for the pointer at globalPointerPos.
    QPoint dragTarget(const QPoint &globalPointerPos) const;

private:
    bool m_dragging = false;
    QPoint m_grabOffset;
};

} // namespace VexiloControl

#endif
