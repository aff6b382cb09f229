#ifndef APPINSTALLER_UNINSTALLREGISTRY_H
#define APPINSTALLER_UNINSTALLREGISTRY_H

#include "csingleton.h"

#include <memory>
#include <string>

namespace appinstaller {

namespace platform {
class RegistryKey;
}

// Stateless access to the product's key below the Windows Uninstall key of
// HKEY_LOCAL_MACHINE, named by the GUID of the setup description. Every operation
// opens the key afresh. An empty GUID names no key: the product then counts as
// not installed, and nothing is ever read from or cleared in the Uninstall root.
class UninstallRegistry : public Base::CSingleton<UninstallRegistry>
{
public:
    UninstallRegistry() = default;

    // "SOFTWARE\Wow6432Node\...\Uninstall\" on 64-bit Windows, else "SOFTWARE\...\Uninstall\".
    std::string uninstallRootPath() const;
    // The full path of a product key: hive prefix, Uninstall root and key name.
    std::string keyPath(const std::string &keyName) const;

    bool isKeyPresent(const std::string &keyName) const;
    std::string readValue(const std::string &valueName, const std::string &keyName) const;

    // The product named by the setup description's GUID.
    bool isInstalled() const;
    std::string installLocation() const;
    void clearUninstallKey() const;

    // The same, for the product whose key is named guid.
    bool isInstalled(const std::string &guid) const;
    std::string installLocation(const std::string &guid) const;
    void clearUninstallKey(const std::string &guid) const;

private:
    std::unique_ptr<platform::RegistryKey> openKey(const std::string &keyName) const;
};

} // namespace appinstaller

#endif
