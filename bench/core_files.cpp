// Opening and saving a full eighteen-slot configuration, as the File menu does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "io/ConfigFile.h"

#include "FullConfiguration.h"

namespace {

namespace fs = std::filesystem;

// A scratch directory under the system's temporary directory, removed afterwards.
struct ScratchDir {
    fs::path path;
    ScratchDir()
    {
        std::string pattern = (fs::temp_directory_path() / "gw-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path = pattern;
    }
    ~ScratchDir() { fs::remove_all(path); }
};

void BM_ConfigOpen(benchmark::State& state)
{
    ScratchDir dir;
    const fs::path file = dir.path / "plan.gwc";
    if (!gw::SaveConfiguration(file, gwbench::FullConfiguration(), 1))
        state.SkipWithError("could not write the configuration");
    for (auto _ : state) {
        gw::Configuration config;
        const gw::ConfigReadResult result = gw::OpenConfiguration(file, config, 0);
        if (result.recordsRead != gw::SlotCount)
            state.SkipWithError("the configuration did not open whole");
        benchmark::DoNotOptimize(config);
    }
}
BENCHMARK(BM_ConfigOpen)->Unit(benchmark::kMicrosecond);

// Includes the temporary file, its flush to the device and the rename over the old file.
void BM_ConfigSave(benchmark::State& state)
{
    ScratchDir dir;
    const fs::path file = dir.path / "plan.gwc";
    const gw::Configuration config = gwbench::FullConfiguration();
    for (auto _ : state) {
        const gw::SaveResult result = gw::SaveConfiguration(file, config, 1);
        if (!result)
            state.SkipWithError(result.message.c_str());
    }
}
BENCHMARK(BM_ConfigSave)->Unit(benchmark::kMicrosecond);

} // namespace
