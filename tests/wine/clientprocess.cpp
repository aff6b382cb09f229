#include "clientprocess.h"

#include <windows.h>

namespace {

const char kReady = 'r';
const DWORD kEndTimeoutMs = 30000;

} // namespace

ClientProcess::~ClientProcess()
{
    stop();
}

bool ClientProcess::start(const std::wstring &path)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE childInput = nullptr;
    HANDLE input = nullptr;
    HANDLE output = nullptr;
    HANDLE childOutput = nullptr;
    if (!CreatePipe(&childInput, &input, &inheritable, 0))
        return false;
    if (!CreatePipe(&output, &childOutput, &inheritable, 0)) {
        CloseHandle(childInput);
        CloseHandle(input);
        return false;
    }
    SetHandleInformation(input, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = childOutput;
    std::wstring commandLine = L"\"" + path + L"\" --client";
    PROCESS_INFORMATION process = {};
    const bool created = CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process)
                         != 0;
    CloseHandle(childInput);
    CloseHandle(childOutput);
    if (!created) {
        CloseHandle(input);
        CloseHandle(output);
        return false;
    }
    CloseHandle(process.hThread);
    m_process = process.hProcess;
    m_input = input;

    char report = 0;
    DWORD read = 0;
    const bool ready = ReadFile(output, &report, 1, &read, nullptr) != 0 && read == 1 && report == kReady;
    CloseHandle(output);
    return ready;
}

bool ClientProcess::stop()
{
    if (m_input != nullptr) {
        CloseHandle(m_input);
        m_input = nullptr;
    }
    if (m_process == nullptr)
        return false;
    const bool ended = WaitForSingleObject(m_process, kEndTimeoutMs) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(m_process, 1);
    CloseHandle(m_process);
    m_process = nullptr;
    return ended;
}

int ClientProcess::serve()
{
    DWORD count = 0;
    if (!WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), &kReady, 1, &count, nullptr))
        return 1;
    char ignored = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &ignored, 1, &count, nullptr) && count > 0) {
    }
    return 0;
}
