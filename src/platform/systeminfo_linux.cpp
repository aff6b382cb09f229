#include "platform/machinearch.h"
#include "platform/systeminfo.h"

#include <sys/utsname.h>

namespace appinstaller {
namespace platform {

int processorArchitectureOfMachine(std::string_view machine)
{
    if (machine == "x86_64")
        return ArchitectureAmd64;
    if (machine == "ia64")
        return ArchitectureIa64;
    if (machine == "aarch64")
        return ArchitectureArm64;
    if (machine == "i386" || machine == "i486" || machine == "i586" || machine == "i686")
        return ArchitectureIntel;
    return ArchitectureUnknown;
}

int nativeProcessorArchitecture()
{
    utsname system = {};
    if (uname(&system) != 0)
        return ArchitectureUnknown;
    return processorArchitectureOfMachine(system.machine);
}

} // namespace platform
} // namespace appinstaller
