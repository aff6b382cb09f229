#include "initresource.h"

#include <QCoreApplication>
#include <QFile>
#include <QResource>

namespace VexiloControl {

bool InitResource(const QString &rccFilePath, QString &styleSheet, bool flag)
{
    Q_UNUSED(flag)
    styleSheet.clear();

    // Registering the same file again only adds a second, identical tree; lookups still
    // resolve, so repeated calls are harmless.
    if (!QResource::registerResource(rccFilePath))
        return false;

    QFile sheet(QStringLiteral(":/VexiloControl/guiresource.qss"));
    if (!sheet.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QResource::unregisterResource(rccFilePath);
        return false;
    }
    styleSheet = QString::fromUtf8(sheet.readAll());
    return true;
}

QString GetTargetPath()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

} // namespace VexiloControl
