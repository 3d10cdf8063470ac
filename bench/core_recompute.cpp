// What one refresh of the main window computes: the character panel (every total, focus and skill
// line, the total cost), the figures of the current armour tab and the current jewellery utility.
#include <benchmark/benchmark.h>

#include "data/Globals.h"
#include "model/Imbue.h"
#include "model/Totals.h"

namespace {

using namespace gw;

// Every slot filled and every gem position used, with all effect types, so that each total,
// focus line and skill line has work to do.
Configuration FullConfiguration()
{
    Configuration config;
    for (int slot = 0; slot < ArmourSlotCount; ++slot) {
        GWItem& item = config.Items[static_cast<std::size_t>(slot)];
        item.Level = 51;
        item.Quality = 5;
        for (int row = 0; row < GemsPerItem; ++row) {
            const auto r = static_cast<std::size_t>(row);
            item.EffectType[r] = 1 + (slot + row) % 6;
            item.EffectAmount[r] = (slot * 3 + row) % TierCount;
            item.EffectName[r] = (slot + 2 * row) % EffectCount(item.EffectType[r], 0);
            item.GemQuality[r] = (slot + row) % QualityCount;
        }
    }
    for (int slot = FirstJewellerySlot; slot < SlotCount; ++slot) {
        GWItem& item = config.Items[static_cast<std::size_t>(slot)];
        item.PlayerMade = 0;
        item.Quality = 0;
        for (int row = 0; row < GemsPerItem; ++row) {
            const auto r = static_cast<std::size_t>(row);
            item.EffectType[r] = 1 + (slot + row) % 6;
            item.EffectAmount[r] = 3 + slot + row;
            item.EffectName[r] = (slot + row) % EffectCount(item.EffectType[r], 0);
        }
    }
    config.Equipped[7] = 1; // both hands count
    return config;
}

void BM_RecomputeAll(benchmark::State& state)
{
    const Configuration config = FullConfiguration();
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
