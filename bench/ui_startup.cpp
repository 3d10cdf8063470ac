// Start-up as a player waits for it: a whole process, from its start until the main window has
// painted, timed by running the start-up probe that is built beside this benchmark.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

extern char** environ;

namespace {

std::string ProbePath()
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / "gemwright-startup-probe").string();
}

void BM_StartUp(benchmark::State& state)
{
    const std::string probe = ProbePath();
    if (!std::filesystem::exists(probe)) {
        state.SkipWithError("gemwright-startup-probe is not built beside the benchmark");
        return;
    }
    // The probe works in a directory of its own, named on its command line so that it never
    // reaches the real data home, and remembers a full list of recent configurations, as a
    // player's preferences would.
    const auto dir = std::filesystem::temp_directory_path() / ("gemwright-startup-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "config" / "gemwright");
    {
        std::ofstream preferences(dir / "config" / "gemwright" / "preferences.conf");
        preferences << "[RecentFiles]\nPaths=";
        for (int i = 0; i < 8; ++i)
            preferences << (i > 0 ? ", " : "") << (dir / ("plan" + std::to_string(i) + ".gwc")).string();
        preferences << "\n";
    }
    const char* previousConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string keptConfig = previousConfig != nullptr ? previousConfig : "";
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string previous = std::filesystem::current_path().string();
    std::filesystem::current_path(dir);
    const std::string workdir = dir.string();
    char* argv[] = {const_cast<char*>(probe.c_str()), const_cast<char*>("--workdir"),
                    const_cast<char*>(workdir.c_str()), nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, probe.c_str(), &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("the probe could not be started");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the probe failed");
            break;
        }
    }
    std::filesystem::current_path(previous);
    if (previousConfig != nullptr)
        setenv("XDG_CONFIG_HOME", keptConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    posix_spawn_file_actions_destroy(&actions);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace
