// What the tests need to know about the system they run on, in one place, so that a test that
// only makes sense on POSIX skips on Windows with its reason rather than failing or vanishing.
#pragma once

#include <cerrno>

#ifdef _WIN32
// Windows has no disk quota error; a fault injected with this value still has to fail the save.
#ifndef EDQUOT
#define EDQUOT 122
#endif
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace gw::test {

#ifdef _WIN32
inline constexpr bool OnWindows = true;
// File permissions do not stop anyone here, so no test relies on them.
inline bool IsSuperUser()
{
    return true;
}
// std::system gives the command's exit status itself.
inline int ExitStatus(int raw)
{
    return raw;
}
#else
inline constexpr bool OnWindows = false;
inline bool IsSuperUser()
{
    return ::geteuid() == 0;
}
// std::system gives a wait status; -1 when the command did not exit normally.
inline int ExitStatus(int raw)
{
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}
#endif

} // namespace gw::test

// Skips the current test on Windows, saying why.
#define GW_SKIP_ON_WINDOWS(reason)                                                                     \
    do {                                                                                               \
        if (::gw::test::OnWindows)                                                                     \
            GTEST_SKIP() << "POSIX only: " << (reason);                                               \
    } while (false)
