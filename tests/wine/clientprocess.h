#ifndef APPINSTALLER_TESTS_WINE_CLIENTPROCESS_H
#define APPINSTALLER_TESTS_WINE_CLIENTPROCESS_H

#include <string>

// A copy of the test program running as a stand-in client. It tells through its
// standard output that it runs and ends when its standard input closes, so the test
// knows exactly when the process is there without waiting on a clock.
class ClientProcess
{
public:
    ClientProcess() = default;
    ~ClientProcess();
    ClientProcess(const ClientProcess &) = delete;
    ClientProcess &operator=(const ClientProcess &) = delete;

    // Starts the program at path and returns true once it reports that it runs.
    bool start(const std::wstring &path);
    // Closes the program's input and returns true once it has ended.
    bool stop();

    // The client's side: report, then wait for the end of the input.
    static int serve();

private:
    void *m_process = nullptr;
    void *m_input = nullptr;
};

#endif
