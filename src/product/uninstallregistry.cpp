#include "uninstallregistry.h"

#include "platform/registrykey.h"
#include "platform/systeminfo.h"
#include "setupconfig.h"

#include <QString>
#include <QVariant>

namespace appinstaller {

namespace {

const char kHivePrefix[] = "HKEY_LOCAL_MACHINE\\";
const char kWow64UninstallRoot[] = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kUninstallRoot[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kInstallLocation[] = "InstallLocation";

} // namespace

std::string UninstallRegistry::uninstallRootPath() const
{
    // Only the machine's own architecture decides; a 32-bit process on a 64-bit
    // system still finds the product's entry in the Wow6432Node view.
    const int architecture = platform::nativeProcessorArchitecture();
    if (architecture == platform::ArchitectureAmd64 || architecture == platform::ArchitectureIa64)
        return kWow64UninstallRoot;
    return kUninstallRoot;
}

std::string UninstallRegistry::keyPath(const std::string &keyName) const
{
    return kHivePrefix + uninstallRootPath() + keyName;
}

std::unique_ptr<platform::RegistryKey> UninstallRegistry::openKey(const std::string &keyName) const
{
    // With no name the path would be the Uninstall root itself, which holds every
    // installed product: reading it would mistake them for ours, clearing it would
    // remove them all.
    if (keyName.empty())
        return nullptr;
    return std::make_unique<platform::RegistryKey>(QString::fromStdString(keyPath(keyName)));
}

bool UninstallRegistry::isKeyPresent(const std::string &keyName) const
{
    const std::unique_ptr<platform::RegistryKey> key = openKey(keyName);
    return key && !key->allKeys().isEmpty();
}

std::string UninstallRegistry::readValue(const std::string &valueName, const std::string &keyName) const
{
    const std::unique_ptr<platform::RegistryKey> key = openKey(keyName);
    if (!key)
        return std::string();
    const QVariant value = key->value(QString::fromStdString(valueName));
    return value.isValid() ? value.toString().toStdString() : std::string();
}

bool UninstallRegistry::isInstalled() const
{
    return isInstalled(SetupConfig::instance()->guid());
}

std::string UninstallRegistry::installLocation() const
{
    return installLocation(SetupConfig::instance()->guid());
}

void UninstallRegistry::clearUninstallKey() const
{
    clearUninstallKey(SetupConfig::instance()->guid());
}

bool UninstallRegistry::isInstalled(const std::string &guid) const
{
    return isKeyPresent(guid);
}

std::string UninstallRegistry::installLocation(const std::string &guid) const
{
    if (!isKeyPresent(guid))
        return std::string();
    return readValue(kInstallLocation, guid);
}

void UninstallRegistry::clearUninstallKey(const std::string &guid) const
{
    // The key disappears when the object is destroyed, which happens before returning.
    if (const std::unique_ptr<platform::RegistryKey> key = openKey(guid))
        key->clear();
}

} // namespace appinstaller
