#ifndef APPINSTALLER_PLATFORM_SYSTEMFOLDERS_H
#define APPINSTALLER_PLATFORM_SYSTEMFOLDERS_H

#include <QStringList>

namespace appinstaller {
namespace platform {

// The desktop shared by all users, ending in "/". On Windows the fixed
// "C:/Users/Public/Desktop/"; elsewhere its place below the stand-in root.
QString publicDesktopPath();

// Directories of the operating system itself that no uninstall may remove:
// on Windows the Windows, system and program-files directories; elsewhere the
// top-level system directories such as /usr, /etc and /home.
QStringList systemDirectories();

} // namespace platform
} // namespace appinstaller

#endif
