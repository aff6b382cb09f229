#include "platform/registrykey.h"

#include <QSettings>

namespace appinstaller {
namespace platform {

RegistryKey::RegistryKey(const QString &keyPath)
    : m_settings(std::make_unique<QSettings>(keyPath, QSettings::NativeFormat))
{
}

RegistryKey::~RegistryKey() = default;

QStringList RegistryKey::allKeys() const
{
    return m_settings->allKeys();
}

QVariant RegistryKey::value(const QString &name) const
{
    return m_settings->value(name, QVariant());
}

void RegistryKey::clear()
{
    m_settings->clear();
}

QString standInRoot()
{
    return QString();
}

QString standInKeyFile(const QString &)
{
    return QString();
}

} // namespace platform
} // namespace appinstaller
