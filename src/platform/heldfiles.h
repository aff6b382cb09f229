#ifndef APPINSTALLER_PLATFORM_HELDFILES_H
#define APPINSTALLER_PLATFORM_HELDFILES_H

#include <QStringList>

namespace appinstaller {
namespace platform {

// The files of this very program that the operating system will not let anyone
// delete while it runs, as absolute paths with "/" separators. On Windows an
// executable, the libraries a process has loaded and the files it keeps open stay
// locked until it ends: the uninstaller's own executable, every library it has
// loaded, the widget library's resource file and the translation catalogues.
// Elsewhere a file in use can be deleted like any other, and the list is empty.
QStringList filesHeldByThisProcess();

} // namespace platform
} // namespace appinstaller

#endif
