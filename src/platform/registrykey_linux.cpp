#include "platform/registrykey.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace appinstaller {
namespace platform {

namespace {

bool isSafeComponent(const QString &component)
{
    return !component.isEmpty() && component != QLatin1String(".") && component != QLatin1String("..")
           && !component.contains(QLatin1Char('/')) && !component.contains(QChar(0));
}

} // namespace

RegistryKey::RegistryKey(const QString &keyPath)
{
    const QString file = standInKeyFile(keyPath);
    if (file.isEmpty())
        return;
    // A FIFO or device in the key's place would block or never end the read.
    const QFileInfo entry(file);
    if (entry.exists() && !entry.isFile())
        return;
    m_settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
    // Tools that fill the stand-in may write plain UTF-8 text as well as the
    // escapes QSettings itself writes; this reads both.
    m_settings->setIniCodec("UTF-8");
}

RegistryKey::~RegistryKey() = default;

QStringList RegistryKey::allKeys() const
{
    if (!m_settings)
        return QStringList();
    return m_settings->allKeys();
}

QVariant RegistryKey::value(const QString &name) const
{
    if (!m_settings)
        return QVariant();
    return m_settings->value(name, QVariant());
}

void RegistryKey::clear()
{
    if (!m_settings)
        return;
    // Removing the file removes the key with all its values and subkeys, as deleting
    // a registry key does. QSettings::clear() would leave an empty file behind, and
    // after a write that failed it would go on showing the key to this process as
    // empty although it is still there. A key that may not be written stays whole.
    const QFileInfo file(m_settings->fileName());
    if (!file.exists() || !file.isWritable() || !QFile::remove(file.filePath()))
        return;
    // Lets the values already read from the file go.
    m_settings->sync();
}

QString standInRoot()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return QString();
    return dataHome + QStringLiteral("/appinstaller");
}

QString standInKeyFile(const QString &keyPath)
{
    const QString root = standInRoot();
    const QStringList components = keyPath.split(QLatin1Char('\\'));
    if (root.isEmpty())
        return QString();
    for (const QString &component : components) {
        if (!isSafeComponent(component))
            return QString();
    }
    return root + QStringLiteral("/registry/") + components.join(QLatin1Char('/')) + QStringLiteral(".ini");
}

} // namespace platform
} // namespace appinstaller
