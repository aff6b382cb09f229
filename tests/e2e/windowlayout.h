#ifndef WINDOWLAYOUT_H
#define WINDOWLAYOUT_H

#include <QPoint>

// Where the uninstaller's buttons sit in its 744 x 504 window, whose page stack is
// inset by 12 px: the completion page's "Completed" button in the lower right corner
// of its panel, and the title bar's close button.
namespace WindowLayout {
const QPoint completedButton(12 + 720 - 36 - 44, 12 + 480 - 24 - 16);
const QPoint closeButton(12 + 720 - 16 - 12, 12 + 16 + 12);
} // namespace WindowLayout

#endif
