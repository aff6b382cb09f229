#ifndef APPINSTALLER_TESTS_WINE_CHECKS_H
#define APPINSTALLER_TESTS_WINE_CHECKS_H

#include <string>

// The outcome of a Windows test program: every check prints one line, and the
// program's exit code fails the run when any check failed.
class Checks
{
public:
    void expect(bool condition, const std::string &what);
    void skip(const std::string &what);
    // Prints "wine: N passed, N failed, N skipped" and gives the exit code.
    int finish() const;

private:
    int m_passed = 0;
    int m_failed = 0;
    int m_skipped = 0;
};

#endif
