#ifndef APPINSTALLER_CLIENTCHECK_H
#define APPINSTALLER_CLIENTCHECK_H

#include <QString>

namespace appinstaller {

// True when a process other than this one runs an executable whose file name equals
// the file-name part of programName (the text after its last "/"; a backslash is an
// ordinary character). The name makes a round trip through the system's 8-bit
// encoding, as the product's installer wrote it, and compares case-sensitively.
bool isProcessRunning(QString programName);

} // namespace appinstaller

#endif
