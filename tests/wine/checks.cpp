#include "checks.h"

#include <cstdio>

void Checks::expect(bool condition, const std::string &what)
{
    std::printf("%s: %s\n", condition ? "PASS" : "FAIL", what.c_str());
    std::fflush(stdout);
    ++(condition ? m_passed : m_failed);
}

void Checks::skip(const std::string &what)
{
    std::printf("SKIP: %s\n", what.c_str());
    std::fflush(stdout);
    ++m_skipped;
}

int Checks::finish() const
{
    std::printf("wine: %d passed, %d failed, %d skipped\n", m_passed, m_failed, m_skipped);
    std::fflush(stdout);
    return m_failed == 0 && m_passed > 0 ? 0 : 1;
}
