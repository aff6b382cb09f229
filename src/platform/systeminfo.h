#ifndef APPINSTALLER_PLATFORM_SYSTEMINFO_H
#define APPINSTALLER_PLATFORM_SYSTEMINFO_H

// Kept free of Qt so that the Win32 implementation builds with a plain C++ toolchain.

namespace appinstaller {
namespace platform {

// Windows processor architecture codes, as GetNativeSystemInfo reports them.
enum ProcessorArchitecture : int {
    ArchitectureIntel = 0,
    ArchitectureIa64 = 6,
    ArchitectureAmd64 = 9,
    ArchitectureArm64 = 12,
    ArchitectureUnknown = 0xffff
};

// The processor architecture of the machine, not of the (possibly emulated) process.
int nativeProcessorArchitecture();

} // namespace platform
} // namespace appinstaller

#endif
