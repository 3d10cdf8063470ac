// Runs part of a test as an ordinary user, for the cases where the administrator's privileges
// would hide what a player sees (a read-only file, another user's file).
#pragma once

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

namespace gw::test {

// The unprivileged account every Debian system has.
inline constexpr uid_t NobodyUid = 65534;
inline constexpr gid_t NobodyGid = 65534;

struct OrdinaryRun {
    bool ran = false;    // false: no ordinary user could be had; `failure` says why
    std::string failure; // empty when the body passed; otherwise what went wrong
};

// Runs `body` in a child process: as the current user when that is not the administrator,
// otherwise as "nobody", after handing the directory `scratch` (not what is already in it) to
// that user. The body gives an empty text when it passes, or the description of the failure.
inline OrdinaryRun RunAsOrdinaryUser(const std::filesystem::path& scratch,
                                     const std::function<std::string()>& body)
{
    OrdinaryRun run;
    const bool root = ::geteuid() == 0;
    if (root) {
        if (::chown(scratch.c_str(), NobodyUid, NobodyGid) != 0) {
            run.failure = "cannot hand the scratch directory to nobody";
            return run;
        }
    }
    int channel[2];
    if (::pipe(channel) != 0) {
        run.failure = "no pipe";
        return run;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        run.failure = "cannot fork";
        return run;
    }
    if (child == 0) {
        ::close(channel[0]);
        std::string failure;
        if (root && (::setgroups(0, nullptr) != 0 || ::setresgid(NobodyGid, NobodyGid, NobodyGid) != 0 ||
                     ::setresuid(NobodyUid, NobodyUid, NobodyUid) != 0))
            ::_exit(77); // this system does not let the administrator become another user
        failure = body();
        const ssize_t written = ::write(channel[1], failure.data(), failure.size());
        ::_exit(written == static_cast<ssize_t>(failure.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(channel[0], buffer, sizeof buffer)) > 0)
        run.failure.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
        run.failure = "the administrator cannot become the user nobody here";
        return run;
    }
    run.ran = true;
    if (!WIFEXITED(status) || (WEXITSTATUS(status) != 0 && run.failure.empty()))
        run.failure = "the ordinary user's part ended abnormally";
    return run;
}

} // namespace gw::test
