#ifndef XDRIVER_H
#define XDRIVER_H

#include <QRect>

class QPoint;
class QProcess;
#include <QString>

// Drives windows of other processes on the X server named by DISPLAY with xdotool,
// the way a user would: find a window by its title, type keys, click.
namespace XDriver {

// The id of the visible window whose title is exactly title, waiting up to timeoutMs;
// empty when none appears in time.
QString waitForWindow(const QString &title, int timeoutMs = 20000);
// True once no visible window has that title any more, waiting up to timeoutMs.
bool waitForWindowGone(const QString &title, int timeoutMs = 20000);
QRect geometry(const QString &windowId);
bool key(const QString &windowId, const QString &keys);
// Clicks at (x, y) relative to the window's top-left corner.
bool click(const QString &windowId, int x, int y);
// Clicks at `at` in the window until the process exits, up to timeoutMs; for buttons
// that appear only when the program gets there, such as those of a final page.
bool clickUntilExit(QProcess &process, const QString &windowId, const QPoint &at, int timeoutMs);
// Saves the window (or the whole screen for an empty id) as an image file.
bool screenshot(const QString &path, const QString &windowId = QString());
// The text on the clipboard (the CLIPBOARD selection, as Ctrl+C fills it), read with
// xclip; empty when nothing owns it.
QString clipboardText();

} // namespace XDriver

#endif
