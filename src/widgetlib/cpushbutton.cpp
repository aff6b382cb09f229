#include "cpushbutton.h"

#include <QEvent>
#include <QStyle>
#include <QVariant>

namespace VexiloControl {

namespace {
const char hoveredProperty[] = "hovered";
const char pressedProperty[] = "pressed";
} // namespace

CPushButton::CPushButton(QWidget *parent)
    : QPushButton(parent)
{
    setProperty(hoveredProperty, false);
    setProperty(pressedProperty, false);
}

CPushButton::~CPushButton() = default;

bool CPushButton::event(QEvent *event)
{
    const bool handled = QPushButton::event(event);
    switch (event->type()) {
    case QEvent::Show:
        watchWindow();
        break;
    case QEvent::EnabledChange:
        // Enter and leave reach disabled widgets too; a disabled button shows no hover.
        setLookState(hoveredProperty, isEnabled() && underMouse());
        break;
    default:
        break;
    }
    // Mouse, keyboard (space) and dragging off the button while held all change isDown().
    setLookState(pressedProperty, isDown());
    return handled;
}

bool CPushButton::eventFilter(QObject *watched, QEvent *event)
{
    // A window hidden under the pointer (a dialog closed by this very button) does not
    // reliably deliver a leave event; without this the button would come back hovered
    // when the window is shown again.
    if (watched == m_watchedWindow && event->type() == QEvent::Hide)
        setLookState(hoveredProperty, false);
    return QPushButton::eventFilter(watched, event);
}

void CPushButton::enterEvent(QEvent *event)
{
    setLookState(hoveredProperty, isEnabled());
    QPushButton::enterEvent(event);
}

void CPushButton::leaveEvent(QEvent *event)
{
    setLookState(hoveredProperty, false);
    QPushButton::leaveEvent(event);
}

void CPushButton::paintEvent(QPaintEvent *event)
{
    // The looks of every state come from the style sheet through QPushButton's painting.
    QPushButton::paintEvent(event);
}

void CPushButton::setLookState(const char *name, bool on)
{
    if (property(name).toBool() == on)
        return;
    setProperty(name, on);
    // Style sheets evaluate property selectors only when a widget is polished.
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void CPushButton::watchWindow()
{
    // Showing is the moment after which the window can no longer change unnoticed: a
    // reparenting hides the button and the next show comes through here again.
    QWidget *current = window();
    if (current == m_watchedWindow)
        return;
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = current;
    if (current != this)
        current->installEventFilter(this);
}

} // namespace VexiloControl
