#include "checks.h"
#include "winetests.h"

#include "platform/systeminfo.h"

#include <windows.h>

using appinstaller::platform::ArchitectureAmd64;
using appinstaller::platform::ArchitectureIntel;
using appinstaller::platform::nativeProcessorArchitecture;

// The tests run on a 64-bit x86 system (a 64-bit Wine prefix), where the product's
// Uninstall entry lies in the Wow6432Node view whatever the build of the program.
void testSystemInfo(Checks &checks)
{
    checks.expect(nativeProcessorArchitecture() == ArchitectureAmd64,
                  "the native processor architecture is AMD64 (9), which selects the Wow6432Node root");

    SYSTEM_INFO emulated;
    GetSystemInfo(&emulated);
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    if (sizeof(void *) == 4) {
        checks.expect(wow64 != FALSE, "the 32-bit build runs emulated on the 64-bit system");
        checks.expect(emulated.wProcessorArchitecture == ArchitectureIntel,
                      "the 32-bit build is told x86 (0) by GetSystemInfo, so only the native query finds AMD64");
    } else {
        checks.expect(wow64 == FALSE, "the 64-bit build runs natively");
        checks.expect(emulated.wProcessorArchitecture == ArchitectureAmd64,
                      "the 64-bit build is told AMD64 (9) by GetSystemInfo as well");
    }
}
