#ifndef APPINSTALLER_REMOVALGUARD_H
#define APPINSTALLER_REMOVALGUARD_H

#include <QString>

namespace appinstaller {

// The checks between the paths and names that the registry and the setup
// description hand us and the removals made from them. The uninstall deletes
// whole directory trees on the strength of a registry value that any installer,
// or a damaged registry, may have filled with anything; a refused removal only
// leaves the product's files behind, a wrong one could wipe the user's data or
// the system. Both checks therefore err on the side of refusing.

// True when path leads to an existing directory that may be removed with
// everything in it. The path must be absolute. ".", ".." and symbolic links
// (also in the middle of the path) are resolved first, and the directory reached
// is what is judged. Refused are:
// - anything that is not an existing directory;
// - a filesystem or drive root, and the root of any mounted volume;
// - each of these, and every directory that contains one of them: the user's
//   home; every location QStandardPaths names (desktop, documents, downloads,
//   music, movies, pictures, fonts, the Start-menu programs folder, data, config,
//   cache, runtime and temp locations); the public desktop; the directories of
//   the operating system (platform::systemDirectories()); the registry stand-in
//   root (platform::standInRoot()).
// Paths are compared without regard to case, as Windows does; on systems that
// tell case apart this only makes the check refuse a little more.
bool isRemovableDirectory(const QString &path);

// True when name can stand as exactly one path component that means what it
// says on every system we serve: not empty; not "." or ".."; no "/" or "\"; none
// of the characters Windows forbids in file names (control characters and
// <>:"|?*); and no trailing dot or space, which Windows silently drops (so that
// "Viewer " would name "Viewer", and " " or "..." the folder it was meant to be
// inside of).
bool isSafeProductName(const QString &name);

} // namespace appinstaller

#endif
