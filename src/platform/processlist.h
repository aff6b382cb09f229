#ifndef APPINSTALLER_PLATFORM_PROCESSLIST_H
#define APPINSTALLER_PLATFORM_PROCESSLIST_H

// Kept free of Qt so that the Win32 implementation builds with a plain C++ toolchain.

namespace appinstaller {
namespace platform {

// True when a process other than the calling one runs an executable whose file
// name equals ansiFileName exactly. The name arrives in the system's 8-bit (ANSI)
// encoding, zero-terminated, and is converted to UTF-16 for the comparison.
// An empty name, or one of 260 or more UTF-16 units, matches nothing.
bool isExecutableRunning(const char *ansiFileName);

} // namespace platform
} // namespace appinstaller

#endif
