// The gem planner on empty player-made items at level 51, quality 99, equipped, with the eight
// stats, nine resists, hits and power as targets: 1, 5 and 10 items without overcharge, and 10
// items with overcharge allowed while the chance stays at 85%. The counters give the value
// reached, the solver's bound, whether it was proven, and a greedy fill's value to compare.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <optional>

#include "data/Globals.h"
#include "model/Imbue.h"
#include "model/Totals.h"
#include "plan/GemPlanner.h"

namespace {

using namespace gw;

struct Case {
    Configuration config;
    PlanRequest request;
};

Case EmptyItems(int items, std::optional<int> minChance)
{
    Case c;
    for (int slot = 0; slot < ArmourSlotCount; ++slot) {
        c.config.Items[static_cast<std::size_t>(slot)].Level = 51;
        c.config.Equipped[static_cast<std::size_t>(slot)] = slot < items ? 1 : 0;
    }
    c.request.targets = AllStatTargets();
    for (const PlanTarget& t : AllResistTargets())
        c.request.targets.push_back(t);
    c.request.targets.push_back({TypeHits, 0});
    c.request.targets.push_back({TypePower, 0});
    c.request.mayChange = DefaultPlanSlots(c.config);
    c.request.minChance = minChance;
    return c;
}

// The weighted capped value of a configuration, as the planner counts it.
double Value(const Configuration& config, const std::vector<PlanTarget>& targets)
{
    const CharacterTotals totals = SumTotals(config, 0);
    double value = 0;
    for (const PlanTarget& t : targets) {
        std::int64_t total = 0;
        switch (t.type) {
        case TypeStat:
            total = totals.stats[static_cast<std::size_t>(t.effect)];
            break;
        case TypeResist:
            total = totals.resists[static_cast<std::size_t>(t.effect)];
            break;
        case TypeHits:
            total = totals.hits;
            break;
        default:
            total = totals.power;
            break;
        }
        value += EffectValue(t.type, static_cast<int>(std::min<std::int64_t>(total, PlanTargetCap(t, config.caps))), 0);
    }
    return value;
}

bool Acceptable(GWItem item, const std::optional<int>& minChance)
{
    item.ImbuePoints = ImbueCapacity(item.Level, item.Quality);
    const OverchargeResult over = ComputeOvercharge(item, 0, OverchargeRows::UsedRowsOnly);
    return over.over <= 0 || (minChance && over.hasChance && over.chance >= *minChance);
}

// Gem by gem, the largest gain that keeps its item acceptable.
double GreedyValue(const Case& c)
{
    Configuration config = c.config;
    for (;;) {
        const double now = Value(config, c.request.targets);
        double bestGain = 1e-9;
        std::optional<Configuration> best;
        for (int slot = 0; slot < ArmourSlotCount; ++slot) {
            const auto s = static_cast<std::size_t>(slot);
            if (!c.request.mayChange[s])
                continue;
            const auto row = std::find(config.Items[s].EffectType.begin(), config.Items[s].EffectType.end(), 0);
            if (row == config.Items[s].EffectType.end())
                continue;
            const auto r = static_cast<std::size_t>(row - config.Items[s].EffectType.begin());
            for (const PlanTarget& t : c.request.targets)
                for (int tier = 0; tier < TierCount; ++tier) {
                    Configuration trial = config;
                    GWItem& item = trial.Items[s];
                    item.EffectType[r] = t.type;
                    item.EffectAmount[r] = tier;
                    item.EffectName[r] = t.effect;
                    item.GemQuality[r] = c.request.gemQuality;
                    if (!Acceptable(item, c.request.minChance))
                        continue;
                    const double gain = Value(trial, c.request.targets) - now;
                    if (gain > bestGain) {
                        bestGain = gain;
                        best = trial;
                    }
                }
        }
        if (!best)
            return now;
        config = *best;
    }
}

void Run(benchmark::State& state, std::optional<int> minChance)
{
    const Case c = EmptyItems(static_cast<int>(state.range(0)), minChance);
    PlanResult result;
    for (auto _ : state) {
        result = PlanGems(c.config, 0, 0, c.request);
        benchmark::DoNotOptimize(result);
    }
    state.counters["value"] = result.valueAfter;
    state.counters["bound"] = result.valueBound;
    state.counters["optimal"] = result.status == PlanStatus::Optimal ? 1 : 0;
    state.counters["greedy"] = GreedyValue(c);
}

void BM_PlanGems(benchmark::State& state)
{
    Run(state, std::nullopt);
}
BENCHMARK(BM_PlanGems)->Arg(1)->Arg(5)->Arg(10)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_PlanGemsOvercharge85(benchmark::State& state)
{
    Run(state, 85);
}
BENCHMARK(BM_PlanGemsOvercharge85)->Arg(10)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
