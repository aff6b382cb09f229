#ifndef VEXILOCONTROL_CFILE_H
#define VEXILOCONTROL_CFILE_H

#include "vexilocontrol_global.h"

#include <QString>
#include <QStringList>

namespace VexiloControl {

class VEXILOCONTROL_EXPORT CFile
{
public:
    // The text of the named files in directory, in list order, joined with "\n".
    // Files that cannot be read are left out.
    static QString ReadAll(const QStringList &fileNames, const QString &directory);
};

} // namespace VexiloControl

#endif
