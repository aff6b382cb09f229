#include "cfile.h"

#include <QFile>

namespace VexiloControl {

QString CFile::ReadAll(const QStringList &fileNames, const QString &directory)
{
    // Resource directories such as ":/Qss/" are passed with their trailing separator,
    // plain ones often without; both must lead to the same paths.
    const QString prefix = directory.isEmpty() || directory.endsWith(QLatin1Char('/'))
                               ? directory
                               : directory + QLatin1Char('/');

    QStringList texts;
    for (const QString &name : fileNames) {
        QFile file(prefix + name);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        texts.append(QString::fromUtf8(file.readAll()));
    }
    return texts.join(QLatin1Char('\n'));
}

} // namespace VexiloControl
