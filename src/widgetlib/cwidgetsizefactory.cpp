#include "cwidgetsizefactory.h"

namespace VexiloControl {

CWidgetSizeFactory::CWidgetSizeFactory() = default;

CWidgetSizeFactory::~CWidgetSizeFactory() = default;

void CWidgetSizeFactory::beginDrag(const QPoint &globalPointerPos, const QPoint &windowPos)
{
    m_dragging = true;
    m_grabOffset = globalPointerPos - windowPos;
}

void CWidgetSizeFactory::endDrag()
{
    m_dragging = false;
}

bool CWidgetSizeFactory::isDragging() const
{
    return m_dragging;
}

QPoint CWidgetSizeFactory::dragTarget(const QPoint &globalPointerPos) const
{
    return globalPointerPos - m_grabOffset;
}

} // namespace VexiloControl
