// The gem planner against an exhaustive search written here, and its plans against the model's
// own rules: capacity, overcharge and chance, totals and price.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "data/Globals.h"
#include "model/Gems.h"
#include "model/Imbue.h"
#include "model/Totals.h"
#include "plan/GemPlanner.h"

namespace gw {
namespace {

// A point of each target type, in twelfths: Stat 2/3, Resist 2, Hits 1/4, Power 2, Skill 5.
std::int64_t Weight12(int type)
{
    switch (type) {
    case TypeStat:
        return 8;
    case TypeResist:
        return 24;
    case TypeHits:
        return 3;
    case TypePower:
        return 24;
    case TypeSkill:
        return 60;
    default:
        return 0;
    }
}

std::int64_t TotalOf(const CharacterTotals& totals, const PlanTarget& t)
{
    switch (t.type) {
    case TypeStat:
        return totals.stats[static_cast<std::size_t>(t.effect)];
    case TypeResist:
        return totals.resists[static_cast<std::size_t>(t.effect)];
    case TypeHits:
        return totals.hits;
    case TypePower:
        return totals.power;
    default:
        return totals.skills[static_cast<std::size_t>(t.effect)];
    }
}

// The value the planner maximises, from the panel's own totals, in twelfths.
std::int64_t Value12(const Configuration& config, int realm, const std::vector<PlanTarget>& targets)
{
    const CharacterTotals totals = SumTotals(config, realm);
    std::int64_t value = 0;
    for (const PlanTarget& t : targets)
        value += Weight12(t.type) * std::min<std::int64_t>(TotalOf(totals, t), PlanTargetCap(t, config.caps));
    return value;
}

int GemCount(const Configuration& config)
{
    int count = 0;
    for (int slot = 0; slot < ArmourSlotCount; ++slot)
        for (int type : config.Items[static_cast<std::size_t>(slot)].EffectType)
            count += type != TypeUnused ? 1 : 0;
    return count;
}

// Whether the item's gems are acceptable: within the capacity of its level and quality, or
// overcharged by one to five points with the chance at least the minimum asked for.
bool Acceptable(GWItem item, int crafterSkill, const std::optional<int>& minChance)
{
    item.ImbuePoints = ImbueCapacity(item.Level, item.Quality);
    const OverchargeResult over = ComputeOvercharge(item, crafterSkill, OverchargeRows::UsedRowsOnly);
    if (over.over <= 0)
        return true;
    return minChance.has_value() && over.over <= 5 && over.chance >= *minChance;
}

struct Instance {
    Configuration config;
    int realm = 0;
    int crafterSkill = 0;
    PlanRequest request;
};

PlanTarget RandomTarget(std::mt19937& rng, int realm)
{
    static const int types[] = {TypeStat, TypeResist, TypeHits, TypePower, TypeSkill};
    const int type = types[rng() % 5];
    const int count = EffectCount(type, realm);
    return {type, static_cast<int>(rng() % static_cast<unsigned>(count))};
}

void RandomGem(std::mt19937& rng, GWItem& item, int row, int realm)
{
    const auto r = static_cast<std::size_t>(row);
    item.EffectType[r] = 1 + static_cast<int>(rng() % 6);
    item.EffectAmount[r] = static_cast<int>(rng() % 10);
    item.EffectName[r] = static_cast<int>(rng() % static_cast<unsigned>(EffectCount(item.EffectType[r], realm)));
    item.GemQuality[r] = static_cast<int>(rng() % 7);
}

// Jewellery with typed amounts, so that some totals start near, at or above their caps.
void RandomJewellery(std::mt19937& rng, Configuration& config, const std::vector<PlanTarget>& targets)
{
    for (int slot = FirstJewellerySlot; slot < SlotCount; ++slot) {
        GWItem& item = config.Items[static_cast<std::size_t>(slot)];
        item.PlayerMade = 0;
        if (rng() % 2 == 0 || targets.empty())
            continue;
        const PlanTarget& t = targets[rng() % targets.size()];
        item.EffectType[0] = t.type;
        item.EffectName[0] = t.effect;
        const int cap = PlanTargetCap(t, config.caps);
        item.EffectAmount[0] = static_cast<int>(rng() % static_cast<unsigned>(cap + 3)) - 2;
    }
}

// One or two items with one or two free positions (the other positions hold gems), two to four
// targets, any level, quality, caps, crafter skill and overcharge policy.
Instance SmallInstance(std::mt19937& rng)
{
    Instance in;
    in.realm = static_cast<int>(rng() % 3);
    in.crafterSkill = static_cast<int>(rng() % CrafterSkillCount);
    in.config.caps = CapsForLevel(1 + static_cast<int>(rng() % 50));
    in.config.Equipped.fill(1);
    for (int slot = 0; slot < ArmourSlotCount; ++slot)
        in.config.Items[static_cast<std::size_t>(slot)].EffectType = {TypeFocus, TypeFocus, TypeFocus, TypeFocus};
    const int items = 1 + static_cast<int>(rng() % 2);
    std::vector<int> slots{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::shuffle(slots.begin(), slots.end(), rng);
    for (int i = 0; i < items; ++i) {
        GWItem& item = in.config.Items[static_cast<std::size_t>(slots[static_cast<std::size_t>(i)])];
        item = GWItem{};
        item.Level = static_cast<int>(rng() % 52);
        item.Quality = static_cast<int>(rng() % 7);
        const int free = 1 + static_cast<int>(rng() % 2);
        std::vector<int> rows{0, 1, 2, 3};
        std::shuffle(rows.begin(), rows.end(), rng);
        for (int k = free; k < GemsPerItem; ++k)
            RandomGem(rng, item, rows[static_cast<std::size_t>(k)], in.realm);
        in.request.mayChange[static_cast<std::size_t>(slots[static_cast<std::size_t>(i)])] = true;
    }
    const int targetCount = 2 + static_cast<int>(rng() % 3);
    while (static_cast<int>(in.request.targets.size()) < targetCount) {
        const PlanTarget t = RandomTarget(rng, in.realm);
        if (std::find(in.request.targets.begin(), in.request.targets.end(), t) == in.request.targets.end())
            in.request.targets.push_back(t);
    }
    RandomJewellery(rng, in.config, in.request.targets);
    in.request.gemQuality = static_cast<int>(rng() % 7);
    if (rng() % 2 == 0)
        in.request.minChance = static_cast<int>(rng() % 101);
    in.request.timeLimitSeconds = 60;
    return in;
}

// What one item can become, seen from the whole plan: what it adds to each target, the price
// and the number of its gems.
struct Fill {
    std::vector<std::int64_t> adds;
    std::int64_t price = 0;
    int gems = 0;
};

// Every way to fill the chosen positions of one item that the model accepts, less those that
// another fill beats on every count.
std::vector<Fill> ItemFills(const Instance& in, int slot)
{
    const GWItem& original = in.config.Items[static_cast<std::size_t>(slot)];
    std::vector<int> rows;
    for (int r = 0; r < GemsPerItem; ++r)
        if (original.EffectType[static_cast<std::size_t>(r)] == TypeUnused || in.request.replaceGems)
            rows.push_back(r);
    struct Gem {
        int type, effect, tier;
    };
    std::vector<Gem> gems;
    for (const PlanTarget& t : in.request.targets)
        for (int tier = 0; tier < TierCount; ++tier)
            gems.push_back({t.type, t.effect, tier});

    const auto fillOf = [&](const GWItem& item) {
        Fill fill;
        for (const PlanTarget& t : in.request.targets) {
            std::int64_t add = 0;
            for (int r = 0; r < GemsPerItem; ++r) {
                const auto rr = static_cast<std::size_t>(r);
                if (item.EffectType[rr] == t.type &&
                    (t.type == TypeHits || t.type == TypePower || item.EffectName[rr] == t.effect))
                    add += GemAmount(item.EffectType[rr], item.EffectAmount[rr]);
            }
            fill.adds.push_back(add);
        }
        for (int r = 0; r < GemsPerItem; ++r) {
            const auto rr = static_cast<std::size_t>(r);
            if (item.EffectType[rr] != TypeUnused) {
                fill.price += GemCost(item.EffectType[rr], item.EffectAmount[rr]);
                ++fill.gems;
            }
        }
        return fill;
    };
    std::vector<Fill> fills;
    if (!Acceptable(original, in.crafterSkill, in.request.minChance))
        return {fillOf(original)}; // an item already beyond the policy stays as it is

    // Each chosen position: left as it is (empty, or its own gem) or any candidate gem.
    const std::size_t choices = gems.size() + 1;
    std::size_t combos = 1;
    for (std::size_t k = 0; k < rows.size(); ++k)
        combos *= choices;
    for (std::size_t code = 0; code < combos; ++code) {
        GWItem item = original;
        std::size_t rest = code;
        for (int row : rows) {
            const std::size_t pick = rest % choices;
            rest /= choices;
            if (pick == 0)
                continue;
            const Gem& g = gems[pick - 1];
            const auto r = static_cast<std::size_t>(row);
            item.EffectType[r] = g.type;
            item.EffectAmount[r] = g.tier;
            item.EffectName[r] = g.effect;
            item.GemQuality[r] = in.request.gemQuality;
        }
        if (Acceptable(item, in.crafterSkill, in.request.minChance))
            fills.push_back(fillOf(item));
    }
    // A fill that another adds at least as much to every target as, at no more price and gems,
    // can never be the better choice.
    const auto beats = [](const Fill& a, const Fill& b) {
        for (std::size_t t = 0; t < a.adds.size(); ++t)
            if (a.adds[t] < b.adds[t])
                return false;
        return a.price <= b.price && a.gems <= b.gems;
    };
    std::vector<Fill> kept;
    for (std::size_t i = 0; i < fills.size(); ++i) {
        bool beaten = false;
        for (std::size_t j = 0; j < fills.size() && !beaten; ++j)
            beaten = j != i && beats(fills[j], fills[i]) && (!beats(fills[i], fills[j]) || j < i);
        if (!beaten)
            kept.push_back(fills[i]);
    }
    return kept;
}

struct Best {
    std::int64_t value = INT64_MIN;
    std::int64_t price = 0;
    int gems = 0;
};

// The best value, then price, then number of gems over every combination of the items' fills.
Best Enumerate(const Instance& in)
{
    std::vector<int> slots;
    for (int slot = 0; slot < ArmourSlotCount; ++slot)
        if (in.request.mayChange[static_cast<std::size_t>(slot)])
            slots.push_back(slot);
    // The totals and the price without the chosen items' gems.
    Configuration rest = in.config;
    for (int slot : slots)
        rest.Items[static_cast<std::size_t>(slot)].EffectType.fill(TypeUnused);
    const CharacterTotals base = SumTotals(rest, in.realm);
    const std::int64_t basePrice = TotalCostCopper(rest);
    const int baseGems = GemCount(rest);

    std::vector<std::vector<Fill>> fills;
    for (int slot : slots)
        fills.push_back(ItemFills(in, slot));
    Best best;
    std::vector<std::size_t> pick(fills.size(), 0);
    for (;;) {
        std::int64_t value = 0;
        std::int64_t price = basePrice;
        int gems = baseGems;
        for (std::size_t t = 0; t < in.request.targets.size(); ++t) {
            const PlanTarget& target = in.request.targets[t];
            std::int64_t total = TotalOf(base, target);
            for (std::size_t i = 0; i < fills.size(); ++i)
                total += fills[i][pick[i]].adds[t];
            value += Weight12(target.type) * std::min<std::int64_t>(total, PlanTargetCap(target, in.config.caps));
        }
        for (std::size_t i = 0; i < fills.size(); ++i) {
            price += fills[i][pick[i]].price;
            gems += fills[i][pick[i]].gems;
        }
        if (value > best.value || (value == best.value && (price < best.price || (price == best.price && gems < best.gems))))
            best = {value, price, gems};
        std::size_t i = 0;
        while (i < pick.size() && ++pick[i] == fills[i].size())
            pick[i++] = 0;
        if (i == pick.size())
            break;
    }
    return best;
}

// Everything a plan must satisfy whatever its status.
void ExpectSound(const Instance& in, const PlanResult& plan, const std::string& name)
{
    Configuration applied = in.config;
    ApplyPlan(applied, plan);
    for (int slot = 0; slot < SlotCount; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        const auto planned = std::find_if(plan.items.begin(), plan.items.end(),
                                          [&](const PlannedItem& item) { return item.slot == slot; });
        if (planned == plan.items.end()) {
            EXPECT_EQ(applied.Items[s], in.config.Items[s]) << name << " slot " << slot;
            continue;
        }
        EXPECT_TRUE(in.request.mayChange[s] && in.config.Equipped[s] != 0) << name << " slot " << slot;
        EXPECT_EQ(applied.Items[s], planned->after) << name << " slot " << slot;
        EXPECT_TRUE(Acceptable(planned->after, in.crafterSkill, in.request.minChance)) << name << " slot " << slot;
        EXPECT_EQ(planned->usedAfter, ItemPoints(planned->after, 0)) << name;
        for (int r = 0; r < GemsPerItem; ++r) {
            const auto rr = static_cast<std::size_t>(r);
            const bool set = std::any_of(planned->gems.begin(), planned->gems.end(),
                                         [&](const PlannedGem& g) { return g.row == r; });
            if (!set) {
                EXPECT_EQ(planned->after.EffectType[rr], in.config.Items[s].EffectType[rr]) << name;
                EXPECT_EQ(planned->after.EffectAmount[rr], in.config.Items[s].EffectAmount[rr]) << name;
            } else {
                // A gem is never taken away, and one already set changes only when asked.
                EXPECT_NE(planned->after.EffectType[rr], TypeUnused) << name;
                EXPECT_TRUE(in.request.replaceGems || in.config.Items[s].EffectType[rr] == TypeUnused) << name;
            }
        }
    }
    EXPECT_EQ(plan.priceAfter, TotalCostCopper(applied)) << name;
    const CharacterTotals totals = SumTotals(applied, in.realm);
    for (const PlannedTotal& total : plan.totals)
        EXPECT_EQ(total.after, TotalOf(totals, total.target)) << name;
    EXPECT_EQ(std::llround(plan.valueAfter * 12), Value12(applied, in.realm, in.request.targets)) << name;
    EXPECT_GE(plan.valueBound + 1e-9, plan.valueAfter) << name;
    EXPECT_LE(plan.valueAfter, plan.valueAtCaps + 1e-9) << name;
}

TEST(PlanGems, AgreesWithAnExhaustiveSearchOnSmallInstances)
{
    std::mt19937 rng(20261207);
    int planned = 0;
    for (int n = 0; n < 150; ++n) {
        Instance in = SmallInstance(rng);
        const std::string name = "instance " + std::to_string(n);
        const Best best = Enumerate(in);
        const PlanResult plan = PlanGems(in.config, in.realm, in.crafterSkill, in.request);
        ExpectSound(in, plan, name);
        Configuration applied = in.config;
        ApplyPlan(applied, plan);
        if (plan.status == PlanStatus::TargetsAtCap || plan.status == PlanStatus::NothingToFill) {
            // Nothing to gain: the search finds no better value either.
            EXPECT_EQ(best.value, Value12(in.config, in.realm, in.request.targets)) << name;
            EXPECT_FALSE(plan.HasPlan()) << name;
            continue;
        }
        ASSERT_EQ(plan.status, PlanStatus::Optimal) << name << ": " << plan.message;
        EXPECT_EQ(Value12(applied, in.realm, in.request.targets), best.value) << name;
        EXPECT_EQ(TotalCostCopper(applied), best.price) << name;
        EXPECT_EQ(GemCount(applied), best.gems) << name;
        planned += plan.HasPlan() ? 1 : 0;
    }
    EXPECT_GT(planned, 30); // many instances have something to plan
}

// Several targets of one type share their gems' prices and points, and the planner proves its
// plans through that; caps low enough to bind make the sharing matter.
TEST(PlanGems, TargetsOfOneTypeAgreeWithAnExhaustiveSearch)
{
    std::mt19937 rng(4242);
    int planned = 0;
    for (int n = 0; n < 120; ++n) {
        Instance in = SmallInstance(rng);
        const std::string name = "instance " + std::to_string(n);
        static const int types[] = {TypeStat, TypeResist, TypeSkill};
        in.request.targets.clear();
        const int count = 2 + static_cast<int>(rng() % 3);
        for (int k = 0; k < count; ++k) {
            const int type = k < 2 || rng() % 2 == 0 ? types[n % 3] : types[rng() % 3];
            const PlanTarget t{type, static_cast<int>(rng() % static_cast<unsigned>(EffectCount(type, in.realm)))};
            if (std::find(in.request.targets.begin(), in.request.targets.end(), t) == in.request.targets.end())
                in.request.targets.push_back(t);
        }
        RandomJewellery(rng, in.config, in.request.targets);
        const Best best = Enumerate(in);
        const PlanResult plan = PlanGems(in.config, in.realm, in.crafterSkill, in.request);
        ExpectSound(in, plan, name);
        if (!plan.HasPlan())
            continue;
        ASSERT_EQ(plan.status, PlanStatus::Optimal) << name << ": " << plan.message;
        Configuration applied = in.config;
        ApplyPlan(applied, plan);
        EXPECT_EQ(Value12(applied, in.realm, in.request.targets), best.value) << name;
        EXPECT_EQ(TotalCostCopper(applied), best.price) << name;
        EXPECT_EQ(GemCount(applied), best.gems) << name;
        ++planned;
    }
    EXPECT_GT(planned, 30);
}

// Alike items crowding the same caps are too many for the exhaustive search, but a proven plan
// cannot depend on the order the targets are listed in: each order starts the search from other
// quick plans, so a bound that claimed too much would show as a different value, price or count.
TEST(PlanGems, ProvenPlansOfAlikeItemsDoNotDependOnTheTargetOrder)
{
    std::mt19937 rng(9001);
    int compared = 0;
    for (int n = 0; n < 4; ++n) {
        Instance in;
        in.realm = static_cast<int>(rng() % 3);
        in.config.caps = CapsForLevel(35 + static_cast<int>(rng() % 16));
        const int items = 3 + static_cast<int>(rng() % 4);
        const int level = 40 + static_cast<int>(rng() % 12);
        for (int slot = 0; slot < ArmourSlotCount; ++slot) {
            in.config.Items[static_cast<std::size_t>(slot)].Level = level;
            in.config.Equipped[static_cast<std::size_t>(slot)] = slot < items ? 1 : 0;
        }
        static const int types[] = {TypeStat, TypeResist};
        const int targetCount = 4 + static_cast<int>(rng() % 5);
        while (static_cast<int>(in.request.targets.size()) < targetCount) {
            const PlanTarget t = rng() % 4 == 0 ? PlanTarget{rng() % 2 == 0 ? TypeHits : TypePower, 0} : [&] {
                const int type = types[rng() % 2];
                return PlanTarget{type, static_cast<int>(rng() % static_cast<unsigned>(EffectCount(type, in.realm)))};
            }();
            if (std::find(in.request.targets.begin(), in.request.targets.end(), t) == in.request.targets.end())
                in.request.targets.push_back(t);
        }
        in.request.mayChange = DefaultPlanSlots(in.config);
        if (rng() % 2 == 0)
            in.request.minChance = 60 + static_cast<int>(rng() % 40);
        in.request.timeLimitSeconds = 4;
        const std::string name = "configuration " + std::to_string(n);
        std::optional<std::tuple<std::int64_t, std::int64_t, int>> first;
        for (int order = 0; order < 3; ++order) {
            std::shuffle(in.request.targets.begin(), in.request.targets.end(), rng);
            const PlanResult plan = PlanGems(in.config, in.realm, in.crafterSkill, in.request);
            ExpectSound(in, plan, name);
            if (plan.status != PlanStatus::Optimal)
                continue;
            Configuration applied = in.config;
            ApplyPlan(applied, plan);
            const auto figures = std::make_tuple(Value12(applied, in.realm, in.request.targets),
                                                 TotalCostCopper(applied), GemCount(applied));
            if (!first)
                first = figures;
            else
                EXPECT_EQ(figures, *first) << name << ", order " << order;
            ++compared;
        }
    }
    EXPECT_GE(compared, 6); // most of these plans are proven
}

TEST(PlanGems, ReplacingGemsAgreesWithAnExhaustiveSearch)
{
    std::mt19937 rng(77);
    for (int n = 0; n < 25; ++n) {
        Instance in;
        in.realm = static_cast<int>(rng() % 3);
        in.crafterSkill = static_cast<int>(rng() % CrafterSkillCount);
        in.config.caps = CapsForLevel(1 + static_cast<int>(rng() % 50));
        GWItem& item = in.config.Items[static_cast<std::size_t>(rng() % 6)];
        item.Level = static_cast<int>(rng() % 52);
        item.Quality = static_cast<int>(rng() % 7);
        for (int row = 0; row < 3; ++row)
            RandomGem(rng, item, row, in.realm);
        for (int slot = 0; slot < ArmourSlotCount; ++slot)
            in.request.mayChange[static_cast<std::size_t>(slot)] = &in.config.Items[static_cast<std::size_t>(slot)] == &item;
        // A target of one of the gems already set, and another.
        in.request.targets.push_back(RandomTarget(rng, in.realm));
        const PlanTarget own{item.EffectType[0], item.EffectName[0]};
        if (own.type != TypeFocus && own.type != TypeHits && own.type != TypePower &&
            std::find(in.request.targets.begin(), in.request.targets.end(), own) == in.request.targets.end())
            in.request.targets.push_back(own);
        in.request.replaceGems = true;
        in.request.gemQuality = static_cast<int>(rng() % 7);
        if (rng() % 2 == 0)
            in.request.minChance = static_cast<int>(rng() % 101);
        const std::string name = "instance " + std::to_string(n);
        const Best best = Enumerate(in);
        const PlanResult plan = PlanGems(in.config, in.realm, in.crafterSkill, in.request);
        ExpectSound(in, plan, name);
        if (plan.status != PlanStatus::Optimal)
            continue;
        Configuration applied = in.config;
        ApplyPlan(applied, plan);
        EXPECT_EQ(Value12(applied, in.realm, in.request.targets), best.value) << name;
        EXPECT_EQ(TotalCostCopper(applied), best.price) << name;
        EXPECT_EQ(GemCount(applied), best.gems) << name;
    }
}

// The test's own greedy fill: gem by gem, the one with the largest gain that keeps its item
// acceptable, until no gem gains anything.
std::int64_t GreedyValue(const Instance& in)
{
    Configuration config = in.config;
    for (;;) {
        const std::int64_t now = Value12(config, in.realm, in.request.targets);
        std::int64_t bestGain = 0;
        Configuration bestConfig;
        for (int slot = 0; slot < ArmourSlotCount; ++slot) {
            const auto s = static_cast<std::size_t>(slot);
            const GWItem& item = config.Items[s];
            if (!in.request.mayChange[s] || item.PlayerMade != 1 || config.Equipped[s] == 0 ||
                !Acceptable(in.config.Items[s], in.crafterSkill, in.request.minChance))
                continue;
            const auto row = std::find(item.EffectType.begin(), item.EffectType.end(), TypeUnused);
            if (row == item.EffectType.end())
                continue;
            const auto r = static_cast<std::size_t>(row - item.EffectType.begin());
            for (const PlanTarget& t : in.request.targets)
                for (int tier = 0; tier < TierCount; ++tier) {
                    Configuration trial = config;
                    GWItem& g = trial.Items[s];
                    g.EffectType[r] = t.type;
                    g.EffectAmount[r] = tier;
                    g.EffectName[r] = t.effect;
                    g.GemQuality[r] = in.request.gemQuality;
                    if (!Acceptable(g, in.crafterSkill, in.request.minChance))
                        continue;
                    const std::int64_t gain = Value12(trial, in.realm, in.request.targets) - now;
                    if (gain > bestGain) {
                        bestGain = gain;
                        bestConfig = trial;
                    }
                }
        }
        if (bestGain == 0)
            return now;
        config = bestConfig;
    }
}

TEST(PlanGems, PlansForFullConfigurationsAreSoundAndBeatAGreedyFill)
{
    std::mt19937 rng(4242);
    for (int n = 0; n < 8; ++n) {
        Instance in;
        in.realm = static_cast<int>(rng() % 3);
        in.crafterSkill = static_cast<int>(rng() % CrafterSkillCount);
        in.config.caps = CapsForLevel(20 + static_cast<int>(rng() % 31));
        for (int slot = 0; slot < ArmourSlotCount; ++slot) {
            GWItem& item = in.config.Items[static_cast<std::size_t>(slot)];
            item.Level = 30 + static_cast<int>(rng() % 22);
            item.Quality = static_cast<int>(rng() % 7);
            item.PlayerMade = rng() % 6 == 0 ? 0 : 1;
            for (int row = 0; row < GemsPerItem; ++row)
                if (rng() % 3 == 0)
                    RandomGem(rng, item, row, in.realm);
        }
        ApplyEquippedClick(in.config.Equipped, 6 + static_cast<int>(rng() % 4), true);
        const int targetCount = 3 + static_cast<int>(rng() % 6);
        while (static_cast<int>(in.request.targets.size()) < targetCount) {
            const PlanTarget t = RandomTarget(rng, in.realm);
            if (std::find(in.request.targets.begin(), in.request.targets.end(), t) == in.request.targets.end())
                in.request.targets.push_back(t);
        }
        RandomJewellery(rng, in.config, in.request.targets);
        in.request.mayChange = DefaultPlanSlots(in.config);
        if (rng() % 2 == 0)
            in.request.minChance = 50 + static_cast<int>(rng() % 50);
        in.request.timeLimitSeconds = 1;
        const std::string name = "configuration " + std::to_string(n);
        const PlanResult plan = PlanGems(in.config, in.realm, in.crafterSkill, in.request);
        ASSERT_NE(plan.status, PlanStatus::Failed) << name << ": " << plan.message;
        ExpectSound(in, plan, name);
        EXPECT_GE(std::llround(plan.valueAfter * 12), GreedyValue(in)) << name;
    }
}

// A chest at level 51, quality 99 (capacity 28), equipped, and nothing else to change.
Instance OneChest()
{
    Instance in;
    in.config.Items[0].Level = 51;
    in.request.mayChange[0] = true;
    in.request.targets = {{TypeStat, 0}};
    in.request.timeLimitSeconds = 120; // these plans prove optimal in well under a second
    return in;
}

TEST(PlanGems, OutcomesWithoutAPlan)
{
    struct Case {
        const char* name;
        void (*setUp)(Instance&);
        PlanStatus status;
        std::vector<int> leftAlone;
    };
    const Case cases[] = {
        {"no target", [](Instance& in) { in.request.targets.clear(); }, PlanStatus::NothingToFill, {}},
        {"unknown targets only", [](Instance& in) { in.request.targets = {{TypeFocus, 0}, {TypeStat, 8}}; },
         PlanStatus::NothingToFill, {}},
        {"every position set",
         [](Instance& in) { in.config.Items[0].EffectType = {TypeFocus, TypeFocus, TypeFocus, TypeFocus}; },
         PlanStatus::NothingToFill, {}},
        {"slot not equipped", [](Instance& in) { in.config.Equipped[0] = 0; }, PlanStatus::NothingToFill, {}},
        {"a drop", [](Instance& in) { in.config.Items[0].PlayerMade = 0; }, PlanStatus::NothingToFill, {}},
        {"jewellery slot only",
         [](Instance& in) {
             in.request.mayChange = {};
             in.request.mayChange[10] = true;
         },
         PlanStatus::NothingToFill, {}},
        {"target at its cap",
         [](Instance& in) {
             GWItem& neck = in.config.Items[10];
             neck.PlayerMade = 0;
             neck.EffectType[0] = TypeStat;
             neck.EffectAmount[0] = 80;
         },
         PlanStatus::TargetsAtCap, {}},
        {"already overcharged beyond the policy",
         [](Instance& in) {
             GWItem& chest = in.config.Items[0];
             chest.EffectType = {TypeStat, TypeStat, TypeUnused, TypeUnused};
             chest.EffectAmount = {9, 9, 0, 0}; // two perfect gems of 19 points use 28
             chest.Level = 40;                  // against a capacity of 22: six over
         },
         PlanStatus::NothingToFill, {0}},
    };
    for (const Case& c : cases) {
        Instance in = OneChest();
        c.setUp(in);
        const PlanResult plan = PlanGems(in.config, in.realm, in.crafterSkill, in.request);
        EXPECT_EQ(plan.status, c.status) << c.name << ": " << plan.message;
        EXPECT_FALSE(plan.HasPlan()) << c.name;
        EXPECT_FALSE(plan.message.empty()) << c.name;
        EXPECT_EQ(PlanStatusLine(plan), plan.message) << c.name;
        EXPECT_EQ(plan.slotsLeftAlone, c.leftAlone) << c.name;
        EXPECT_EQ(plan.priceAfter, plan.priceBefore) << c.name;
    }
}

TEST(PlanGems, PriceComesBeforeTheNumberOfGems)
{
    // Strength from 70 to the cap of 75: a raw and an uncut gem (1 + 4) cost less than the one
    // rough gem (7) that would do it alone, and nothing is gained beyond the cap.
    Instance in = OneChest();
    GWItem& neck = in.config.Items[10];
    neck.PlayerMade = 0;
    neck.EffectType[0] = TypeStat;
    neck.EffectAmount[0] = 70;
    ASSERT_LT(GemCost(TypeStat, 0) + GemCost(TypeStat, 1), GemCost(TypeStat, 2));
    const PlanResult plan = PlanGems(in.config, 0, 0, in.request);
    ASSERT_EQ(plan.status, PlanStatus::Optimal) << plan.message;
    ASSERT_EQ(plan.items.size(), 1u);
    ASSERT_EQ(plan.items[0].gems.size(), 2u);
    // The stronger gem takes the first position, so that it is the one counted in full.
    const PlannedGem& first = plan.items[0].gems[0];
    const PlannedGem& second = plan.items[0].gems[1];
    EXPECT_EQ(std::make_tuple(first.row, first.type, first.effect, first.tier, first.quality),
              std::make_tuple(0, int{TypeStat}, 0, 1, 5));
    EXPECT_EQ(std::make_tuple(second.row, second.type, second.effect, second.tier, second.quality),
              std::make_tuple(1, int{TypeStat}, 0, 0, 5));
    EXPECT_EQ(plan.totals[0].before, 70);
    EXPECT_EQ(plan.totals[0].after, 75);
    EXPECT_EQ(plan.priceAfter, GemCost(TypeStat, 0) + GemCost(TypeStat, 1));
    EXPECT_EQ(plan.gemsAdded, 2);
    EXPECT_NE(PlanStatusLine(plan).find("Proven optimal"), std::string::npos);
}

TEST(PlanGems, OverchargeIsAllowedOnlyWhileTheChanceHolds)
{
    // Four stats on one chest of capacity 28: without overcharge the points stop at 28; at a
    // minimum chance the chest may go over by as much as the chance allows.
    Instance in = OneChest();
    in.request.targets = {{TypeStat, 0}, {TypeStat, 1}, {TypeStat, 2}, {TypeStat, 3}};
    const PlanResult none = PlanGems(in.config, 0, 0, in.request);
    ASSERT_EQ(none.status, PlanStatus::Optimal) << none.message;
    EXPECT_LE(none.items.at(0).usedAfter, 28);
    for (int minChance : {0, 85, 101}) {
        in.request.minChance = minChance;
        const PlanResult plan = PlanGems(in.config, 0, 0, in.request);
        ASSERT_EQ(plan.status, PlanStatus::Optimal) << minChance << ": " << plan.message;
        ExpectSound(in, plan, "min chance " + std::to_string(minChance));
        EXPECT_GE(plan.valueAfter, none.valueAfter) << minChance;
        const OverchargeResult& over = plan.items.at(0).overchargeAfter;
        if (over.over > 0) {
            EXPECT_GE(over.chance, minChance);
        }
    }
}

TEST(PlanGems, ACancelledPlanIsStillSound)
{
    Instance in;
    for (int slot = 0; slot < ArmourSlotCount; ++slot) {
        in.config.Items[static_cast<std::size_t>(slot)].Level = 51;
        in.config.Equipped[static_cast<std::size_t>(slot)] = 1;
    }
    in.request.targets = AllStatTargets();
    in.request.mayChange = DefaultPlanSlots(in.config);
    PlanCancel cancel;
    cancel.Cancel();
    const PlanResult plan = PlanGems(in.config, 0, 0, in.request, &cancel);
    EXPECT_EQ(plan.status, PlanStatus::Cancelled) << plan.message;
    ExpectSound(in, plan, "cancelled");
    EXPECT_NE(PlanStatusLine(plan).find("Cancelled"), std::string::npos);
}

} // namespace
} // namespace gw
