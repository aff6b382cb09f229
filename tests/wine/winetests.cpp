#include "checks.h"
#include "clientprocess.h"
#include "winetests.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

// Runs the checks of the Win32 platform code inside the scratch directory named on
// the command line; started with --client it is the stand-in client instead.
int wmain(int argc, wchar_t **argv)
{
    if (argc == 2 && std::wcscmp(argv[1], L"--client") == 0)
        return ClientProcess::serve();
    if (argc != 2) {
        std::fprintf(stderr, "usage: %ls SCRATCH-DIRECTORY | --client\n", argv[0]);
        return 2;
    }

    wchar_t scratch[MAX_PATH];
    const DWORD length = GetFullPathNameW(argv[1], MAX_PATH, scratch, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        std::fprintf(stderr, "cannot resolve the scratch directory %ls\n", argv[1]);
        return 2;
    }

    Checks checks;
    testSystemInfo(checks);
    testResources(checks);
    testProcessList(checks, scratch);
    testReparsePoints(checks, scratch);
    return checks.finish();
}
