#ifndef WINDOWLAYOUT_H
#define WINDOWLAYOUT_H

#include <QPoint>
#include <QRect>

// Where the uninstaller's buttons sit in its 744 x 504 window, whose page stack is
// inset by 12 px: the completion page's "Completed" button in the lower right corner
// of its panel, the title bar's close button, and where the outcome's mark shows.
namespace WindowLayout {
const QPoint completedButton(12 + 720 - 36 - 44, 12 + 480 - 24 - 16);
const QPoint closeButton(12 + 720 - 16 - 12, 12 + 16 + 12);
// The upper half of the completion page's panel, where the mark of the outcome sits
// (left of the middle for an incomplete run, in the middle row for a complete one).
const QRect markArea(12, 12 + 320, 720, 80);
} // namespace WindowLayout

#endif
