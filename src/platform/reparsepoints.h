#ifndef APPINSTALLER_PLATFORM_REPARSEPOINTS_H
#define APPINSTALLER_PLATFORM_REPARSEPOINTS_H

// Kept free of Qt so that the Win32 implementation builds with a plain C++ toolchain.

namespace appinstaller {
namespace platform {

// Removes every reparse point below directory (junctions and directory symbolic
// links with RemoveDirectoryW, file symbolic links with DeleteFileW) as the link
// itself, never descending into one, so that a recursive removal afterwards meets
// no link it could follow out of the tree. Directories may be named with "\" or
// "/", relatively or absolutely, and the walk reaches below MAX_PATH.
//
// Returns true when no reparse point is left below directory: every one found was
// removed and every directory could be read. A directory that does not exist, or a
// file, has nothing below it. Returns false when a link stays (it could not be
// removed, or directory is itself a reparse point, whose target is not walked) or
// when part of the tree could not be read.
bool removeReparsePointsBelow(const wchar_t *directory);

} // namespace platform
} // namespace appinstaller

#endif
