#include "checks.h"
#include "clientprocess.h"
#include "testfiles.h"
#include "winetests.h"

#include "platform/processlist.h"

#include <windows.h>

#include <string>
#include <vector>

using appinstaller::platform::isExecutableRunning;

namespace {

bool copyOfThisProgram(const std::wstring &path)
{
    return CopyFileW(ownExecutablePath().c_str(), path.c_str(), FALSE) != 0;
}

struct NameCase
{
    const char *what;
    std::string name;
    bool running;
};

void checkNames(Checks &checks, const std::vector<NameCase> &cases)
{
    for (const NameCase &nameCase : cases)
        checks.expect(isExecutableRunning(nameCase.name.c_str()) == nameCase.running, nameCase.what);
}

void testRunningClient(Checks &checks, const std::wstring &scratch)
{
    const std::wstring clientPath = scratch + L"\\Client.exe";
    checks.expect(copyOfThisProgram(clientPath), "a copy of the test program is made as Client.exe");
    checks.expect(!isExecutableRunning("Client.exe"), "Client.exe is not found before it starts");

    ClientProcess client;
    checks.expect(client.start(clientPath), "Client.exe starts and reports that it runs");
    const std::string ownName = toAnsi(fileNameOf(ownExecutablePath()));
    checkNames(checks, {
        {"the running Client.exe is found by its exact name", "Client.exe", true},
        {"\"client.exe\" does not match \"Client.exe\"", "client.exe", false},
        {"\"CLIENT.EXE\" does not match \"Client.exe\"", "CLIENT.EXE", false},
        {"the name without its extension does not match", "Client", false},
        {"a prefix of the name does not match", "Client.ex", false},
        {"the name with a trailing space does not match", "Client.exe ", false},
        {"the full path is no file name and does not match", toAnsi(clientPath), false},
        {"an empty name matches nothing", "", false},
        {"the calling process never counts, by its own name", ownName, false},
        {"a 300-character name beginning with the client's name matches nothing",
         "Client.exe" + std::string(290, 'x'), false},
        {"a 260-character name beginning with the client's name matches nothing",
         "Client.exe" + std::string(250, 'x'), false},
    });
    checks.expect(!isExecutableRunning(nullptr), "no name matches nothing");
    checks.expect(client.stop(), "Client.exe ends when its input closes");
    checks.expect(!isExecutableRunning("Client.exe"), "Client.exe is no longer found once it has ended");
}

// The exclusion is by process, not by name: another process under the caller's own
// name does count.
void testOtherProcessUnderOwnName(Checks &checks, const std::wstring &scratch)
{
    const std::wstring directory = scratch + L"\\same-name";
    const std::wstring ownName = fileNameOf(ownExecutablePath());
    const std::wstring copyPath = directory + L"\\" + ownName;
    checks.expect(makeDirectory(directory) && copyOfThisProgram(copyPath),
                  "a copy of the test program is made under its own name");
    ClientProcess twin;
    checks.expect(twin.start(copyPath), "the copy under the caller's name starts");
    checks.expect(isExecutableRunning(toAnsi(ownName).c_str()),
                  "another process under the caller's own name is found");
    checks.expect(twin.stop(), "the copy under the caller's name ends");
}

// The longest names a process can carry still match; the cut-off lies only beyond them.
void testLongName(Checks &checks, const std::wstring &scratch)
{
    const std::wstring longName = std::wstring(236, L'L') + L".exe";
    const std::wstring path = scratch + L"\\" + longName;
    checks.expect(copyOfThisProgram(path), "a copy with a 240-character name is made");
    ClientProcess client;
    checks.expect(client.start(path), "the copy with a 240-character name starts");
    const std::string ansiName = toAnsi(longName);
    checkNames(checks, {
        {"a running program with a 240-character name is found", ansiName, true},
        {"the 240-character name less its last character does not match",
         ansiName.substr(0, ansiName.size() - 1), false},
        {"a 300-character name whose first 240 characters name a running program matches nothing",
         ansiName + std::string(60, 'x'), false},
    });
    checks.expect(client.stop(), "the copy with a 240-character name ends");
}

// Names arrive in the ANSI code page and are compared in UTF-16.
void testAnsiName(Checks &checks, const std::wstring &scratch)
{
    const std::wstring name = L"Caf\u00e9.exe";
    const std::string ansiName = toAnsi(name);
    if (fromAnsi(ansiName) != name) {
        checks.skip("a non-ASCII name: the ANSI code page cannot hold \"Caf\\u00e9.exe\"");
        return;
    }
    const std::wstring path = scratch + L"\\" + name;
    checks.expect(copyOfThisProgram(path), "a copy with a non-ASCII name is made");
    ClientProcess client;
    checks.expect(client.start(path), "the copy with a non-ASCII name starts");
    checks.expect(isExecutableRunning(ansiName.c_str()), "a non-ASCII name given in the ANSI code page is found");
    checks.expect(!isExecutableRunning("Cafe.exe"), "the same name without its accent does not match");
    checks.expect(client.stop(), "the copy with a non-ASCII name ends");
}

} // namespace

void testProcessList(Checks &checks, const std::wstring &scratch)
{
    testRunningClient(checks, scratch);
    testOtherProcessUnderOwnName(checks, scratch);
    testLongName(checks, scratch);
    testAnsiName(checks, scratch);
}
