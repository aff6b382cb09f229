#include "platform/systeminfo.h"

#include <windows.h>

namespace appinstaller {
namespace platform {

int nativeProcessorArchitecture()
{
    // GetSystemInfo would report the emulated architecture to a 32-bit process on
    // 64-bit Windows; only the native one tells which registry view holds the entry.
    SYSTEM_INFO info;
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture;
}

} // namespace platform
} // namespace appinstaller
