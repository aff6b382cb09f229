#ifndef VEXILOCONTROL_GLOBAL_H
#define VEXILOCONTROL_GLOBAL_H

#include <QtGlobal>

// The library is built with hidden visibility, so everything callers use must be marked.
#if defined(VEXILOCONTROL_LIBRARY)
#define VEXILOCONTROL_EXPORT Q_DECL_EXPORT
#else
#define VEXILOCONTROL_EXPORT Q_DECL_IMPORT
#endif

#endif
