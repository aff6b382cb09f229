#ifndef APPINSTALLER_TESTS_WINE_WINETESTS_H
#define APPINSTALLER_TESTS_WINE_WINETESTS_H

#include <string>

class Checks;

// Each group works only inside scratch, an absolute directory of its own.
void testProcessList(Checks &checks, const std::wstring &scratch);
void testSystemInfo(Checks &checks);
void testResources(Checks &checks);
void testReparsePoints(Checks &checks, const std::wstring &scratch);

#endif
