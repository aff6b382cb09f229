#include "cfancytitle.h"

#include <QMouseEvent>

namespace VexiloControl {

CFancyTitle::CFancyTitle(QWidget *parent)
    : CFrame(parent)
{
}

CFancyTitle::~CFancyTitle() = default;

void CFancyTitle::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        CFrame::mousePressEvent(event);
        return;
    }
    beginDrag(event->globalPos(), window()->pos());
    event->accept();
}

void CFancyTitle::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        endDrag();
    CFrame::mouseReleaseEvent(event);
}

void CFancyTitle::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double click is no gesture of its own on a title bar here: QWidget treats its
    // second press like any other press, so a drag may start from it.
    CFrame::mouseDoubleClickEvent(event);
}

void CFancyTitle::mouseMoveEvent(QMouseEvent *event)
{
    // The release can get lost (for instance to a popup grabbing the pointer), so the
    // button state of the move itself decides whether the drag is still on.
    if (!isDragging() || !(event->buttons() & Qt::LeftButton)) {
        endDrag();
        CFrame::mouseMoveEvent(event);
        return;
    }
    window()->move(dragTarget(event->globalPos()));
    event->accept();
}

void CFancyTitle::resizeEvent(QResizeEvent *event)
{
    // Subclasses lay out their contents with layouts; the title has no geometry of its own
    // to follow.
    CFrame::resizeEvent(event);
}

} // namespace VexiloControl
