#ifndef APPINSTALLER_PLATFORM_LINKREMOVAL_H
#define APPINSTALLER_PLATFORM_LINKREMOVAL_H

#include <QString>

namespace appinstaller {
namespace platform {

// Removes, as links, every link below directory that a recursive removal could
// otherwise follow into a folder that is not the product's, without descending into
// any of them. On Windows these are the reparse points (junctions and symbolic
// links), which Qt 5 does not report as links. Elsewhere Qt never follows links
// while removing a tree, so there is nothing to do.
// False when a link may remain (it could not be removed, or part of the tree could
// not be read): the tree must then not be removed recursively.
bool removeLinksBelow(const QString &directory);

} // namespace platform
} // namespace appinstaller

#endif
