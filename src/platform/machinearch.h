#ifndef APPINSTALLER_PLATFORM_MACHINEARCH_H
#define APPINSTALLER_PLATFORM_MACHINEARCH_H

#include <string_view>

namespace appinstaller {
namespace platform {

// The Windows processor architecture code (see ProcessorArchitecture) for a machine
// name as uname() reports it, such as "x86_64" or "aarch64". Names without a
// Windows counterpart give ArchitectureUnknown.
int processorArchitectureOfMachine(std::string_view machine);

} // namespace platform
} // namespace appinstaller

#endif
