#include "platform/processlist.h"

#include <windows.h>

#include <tlhelp32.h>

#include <cwchar>

namespace appinstaller {
namespace platform {

#if !defined(_WIN64)
static_assert(sizeof(PROCESSENTRY32W) == 556, "the 32-bit process record is 556 bytes");
#endif

bool isExecutableRunning(const char *ansiFileName)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;

    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    if (!Process32FirstW(snapshot, &entry)) {
        CloseHandle(snapshot);
        return false;
    }

    // A name that does not fit (or does not convert) leaves the buffer without a
    // terminator, so it must never reach the comparison.
    wchar_t wideName[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, ansiFileName, -1, wideName, MAX_PATH) == 0) {
        CloseHandle(snapshot);
        return false;
    }

    const DWORD ownProcessId = GetCurrentProcessId();
    bool running = false;
    do {
        if (std::wcscmp(wideName, entry.szExeFile) == 0 && entry.th32ProcessID != ownProcessId) {
            running = true;
            break;
        }
    } while (Process32NextW(snapshot, &entry));

    CloseHandle(snapshot);
    return running;
}

} // namespace platform
} // namespace appinstaller
