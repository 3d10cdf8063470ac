// Rendering report templates: a large template with about one value tag or condition every
// twenty characters, over a fully equipped configuration.
#include <benchmark/benchmark.h>

#include <string>

#include "data/Globals.h"
#include "report/ReportTemplate.h"

#include "FullConfiguration.h"

namespace {

using namespace gw;

// Lines that mix totals, skills, slot and gem fields, materials and conditions.
constexpr const char* BlockLines[] = {
    "Str <str3> Con <con> Hits <hits5> <focus1>\n",
    "<if chest pcmade>Chest <chest usedpoints>/<chest availablepoints> <chest overcharge>\n",
    "  <chest gem1 name40> <chest gem1 amount3> <chest gem1 effect>\n",
    "<endif><if arms drop>Arms <arms name> <arms af> <arms gem2 effect>\n",
    "<endif>Skill <skill 0230> <skill 1> <totalcost>\n",
    "<materials dusts><endif>\n",
    "Ranged <ranged overcharge> <2handed utility> <neck name> <lwrist bonus>\n",
    "<if legs drop>never shown <legs name>\n<endif>\n",
    "<materials gemlist><materials liquids><skills>\n",
};

std::string BenchTemplate(std::size_t bytes)
{
    std::string text;
    text.reserve(bytes + 256);
    for (std::size_t i = 0; text.size() < bytes; ++i)
        text += BlockLines[i % std::size(BlockLines)];
    return text;
}

void BM_RenderTemplate(benchmark::State& state)
{
    const std::string templ = BenchTemplate(static_cast<std::size_t>(state.range(0)) * 1024);
    // Arms as a drop, so that both kinds of condition have lines to keep and to drop.
    Configuration config = gwbench::FullConfiguration();
    config.Items[1].PlayerMade = 0;
    std::size_t tags = 0;
    for (char c : templ)
        tags += c == '<';
    for (auto _ : state) {
        // The panel is part of what a report button costs, so it is computed every time.
        const PanelReportSource source(config, 0, 0, DisplayMode::TotalBonus);
        std::string report = RenderTemplate(templ, source);
        benchmark::DoNotOptimize(report);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(templ.size()));
    state.counters["chars_per_tag"] =
        static_cast<double>(templ.size()) / static_cast<double>(tags == 0 ? 1 : tags);
}
BENCHMARK(BM_RenderTemplate)->Arg(64)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

} // namespace
