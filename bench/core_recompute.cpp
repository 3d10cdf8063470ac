// What one refresh of the main window computes: the character panel (every total, focus and skill
// line, the total cost), the figures of the current armour tab and the current jewellery utility.
#include <benchmark/benchmark.h>

#include "data/Globals.h"
#include "model/Imbue.h"
#include "model/Totals.h"

#include "FullConfiguration.h"

namespace {

using namespace gw;

void BM_RecomputeAll(benchmark::State& state)
{
    const Configuration config = gwbench::FullConfiguration();
    const int armourTab = 6;
    const int jewelleryTab = 3;
    for (auto _ : state) {
        CharacterPanel panel = ComputePanel(config, 0, DisplayMode::TotalBonus);
        ArmourFigures figures = ComputeArmourFigures(config, armourTab, "51", 5, 0, 0);
        std::string jewelleryUtility = FormatUtility(
            SlotUtility(config.Items[static_cast<std::size_t>(FirstJewellerySlot + jewelleryTab)]));
        benchmark::DoNotOptimize(panel);
        benchmark::DoNotOptimize(figures);
        benchmark::DoNotOptimize(jewelleryUtility);
    }
}
BENCHMARK(BM_RecomputeAll);

} // namespace
