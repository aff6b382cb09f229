#include "clientcheck.h"

#include "platform/processlist.h"

#include <QByteArray>

namespace appinstaller {

bool isProcessRunning(QString programName)
{
    programName.remove(0, programName.lastIndexOf(QLatin1Char('/')) + 1);
    const QByteArray ansiName = programName.toLocal8Bit();
    return platform::isExecutableRunning(ansiName.constData());
}

} // namespace appinstaller
