#ifndef VEXILOCONTROL_INITRESOURCE_H
#define VEXILOCONTROL_INITRESOURCE_H

#include "vexilocontrol_global.h"

#include <QString>

namespace VexiloControl {

// Registers the library's binary resource file with Qt's resource system and hands back
// the application-wide style sheet it carries. On failure (file missing, not a resource
// file, or without the style sheet) the result is false and styleSheet is left empty.
// flag is reserved and has no effect.
VEXILOCONTROL_EXPORT bool InitResource(const QString &rccFilePath, QString &styleSheet, bool flag);

// The directory of the running executable, ending in "/", so that relative names can be
// appended directly.
VEXILOCONTROL_EXPORT QString GetTargetPath();

} // namespace VexiloControl

#endif
