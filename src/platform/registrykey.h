#ifndef APPINSTALLER_PLATFORM_REGISTRYKEY_H
#define APPINSTALLER_PLATFORM_REGISTRYKEY_H

#include <QStringList>
#include <QVariant>

#include <memory>

class QSettings;

namespace appinstaller {
namespace platform {

// One opened registry key, such as
// "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\{GUID}".
//
// On Windows this is QSettings in its native format. Elsewhere the key is an INI
// file below the stand-in root (see standInRoot()): the key's values are the file's
// top-level entries and its subkeys are INI groups. A path with an empty, "." or ".."
// component, or a component holding "/", maps to no file at all: it reads as an
// absent key and clearing it does nothing.
class RegistryKey
{
public:
    explicit RegistryKey(const QString &keyPath);
    ~RegistryKey();

    RegistryKey(const RegistryKey &) = delete;
    RegistryKey &operator=(const RegistryKey &) = delete;

    // Every value of the key and of its subkeys; empty for an absent key.
    QStringList allKeys() const;
    // The value, or an invalid QVariant when it is absent.
    QVariant value(const QString &name) const;
    // Empties the key; once this object is destroyed the key no longer exists.
    // Without write access to the key it stays as it was.
    void clear();

private:
    std::unique_ptr<QSettings> m_settings;
};

// The directory that stands in for the Windows registry and system drive where
// Windows is absent: $XDG_DATA_HOME/appinstaller. Empty on Windows.
QString standInRoot();

// The INI file a key path maps to below standInRoot(), or an empty string when the
// path maps to no file. Empty on Windows.
QString standInKeyFile(const QString &keyPath);

} // namespace platform
} // namespace appinstaller

#endif
