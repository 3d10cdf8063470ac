#include "plan/GemPlanner.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <map>
#include <tuple>

#include "data/Globals.h"
#include "model/Gems.h"
#include "model/Totals.h"
#include "plan/MipSolver.h"
#include "plan/PlanKinds.h"
#include "plan/PlanModel.h"
#include "plan/PlanText.h"

namespace gw {
namespace {

constexpr int StatKinds = 8;
constexpr int ResistKinds = 9;
using namespace gw::plan;

bool IsTargetType(int type)
{
    return type == TypeStat || type == TypeResist || type == TypeHits || type == TypePower || type == TypeSkill;
}

std::int64_t TotalOf(const CharacterTotals& totals, const PlanTarget& target)
{
    const auto e = static_cast<std::size_t>(target.effect);
    switch (target.type) {
    case TypeStat:
        return totals.stats[e];
    case TypeResist:
        return totals.resists[e];
    case TypeHits:
        return totals.hits;
    case TypePower:
        return totals.power;
    case TypeSkill:
        return totals.skills[e];
    default:
        return 0;
    }
}

// The weighted sum over the targets of min(total, cap), in twelfths.
std::int64_t ScaledValue(const std::vector<PlanTarget>& targets, const CharacterTotals& totals, const Caps& caps)
{
    std::int64_t value = 0;
    for (const PlanTarget& target : targets)
        value += ScaledWeight(target.type) * std::min<std::int64_t>(TotalOf(totals, target), PlanTargetCap(target, caps));
    return value;
}

double Unscaled(double scaled)
{
    return scaled / ValueScale;
}

// The valid targets of a request, each once, hits and power with effect 0.
std::vector<PlanTarget> CleanTargets(const std::vector<PlanTarget>& requested, int realm)
{
    std::vector<PlanTarget> targets;
    for (PlanTarget target : requested) {
        if (!IsTargetType(target.type))
            continue;
        if (target.type == TypeHits || target.type == TypePower)
            target.effect = 0;
        if (target.effect < 0 || target.effect >= EffectCount(target.type, realm))
            continue;
        if (std::find(targets.begin(), targets.end(), target) == targets.end())
            targets.push_back(target);
    }
    return targets;
}


std::string Number(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}


} // namespace

std::vector<PlanTarget> AllStatTargets()
{
    std::vector<PlanTarget> targets;
    for (int i = 0; i < StatKinds; ++i)
        targets.push_back({TypeStat, i});
    return targets;
}

std::vector<PlanTarget> AllResistTargets()
{
    std::vector<PlanTarget> targets;
    for (int i = 0; i < ResistKinds; ++i)
        targets.push_back({TypeResist, i});
    return targets;
}

std::string PlanTargetName(const PlanTarget& target, int realm)
{
    if (!IsTargetType(target.type))
        return {};
    return std::string(LookupEffectName(target.type, BoundRealm(realm),
                                        target.type == TypeHits || target.type == TypePower ? 0 : target.effect));
}

int PlanTargetCap(const PlanTarget& target, const Caps& caps)
{
    switch (target.type) {
    case TypeStat:
        return caps.StatCap;
    case TypeResist:
        return caps.ResistCap;
    case TypeHits:
        return caps.HitsCap;
    case TypePower:
        return caps.PowerCap;
    case TypeSkill:
        return caps.SkillCap;
    default:
        return 0;
    }
}

std::array<bool, SlotCount> DefaultPlanSlots(const Configuration& config)
{
    std::array<bool, SlotCount> slots{};
    for (std::size_t slot = 0; slot < ArmourSlotCount; ++slot)
        slots[slot] = config.Equipped[slot] != 0 && config.Items[slot].PlayerMade == 1;
    return slots;
}

PlanResult PlanGems(const Configuration& config, int realmIn, int crafterSkillIndex, const PlanRequest& request,
                    const PlanCancel* cancel)
{
    const auto started = std::chrono::steady_clock::now();
    PlanResult result;
    const int realm = BoundRealm(realmIn);
    const int gemQuality = std::clamp(request.gemQuality, 0, QualityCount - 1);
    const std::optional<int> minChance = request.minChance;
    const double timeLimit =
        std::isfinite(request.timeLimitSeconds) ? std::clamp(request.timeLimitSeconds, 0.0, 1e6) : 10.0;
    const std::vector<PlanTarget> targets = CleanTargets(request.targets, realm);

    const CharacterTotals totalsBefore = SumTotals(config, realm);
    result.priceBefore = result.priceAfter = TotalCostCopper(config);
    for (const PlanTarget& target : targets) {
        const std::int64_t total = TotalOf(totalsBefore, target);
        result.totals.push_back({target, PlanTargetCap(target, config.caps), total, total});
    }
    std::int64_t atCaps = 0;
    for (const PlanTarget& target : targets)
        atCaps += ScaledWeight(target.type) * PlanTargetCap(target, config.caps);
    const std::int64_t before = ScaledValue(targets, totalsBefore, config.caps);
    result.valueBefore = result.valueAfter = result.valueBound = Unscaled(static_cast<double>(before));
    result.valueAtCaps = Unscaled(static_cast<double>(atCaps));

    if (targets.empty()) {
        result.status = PlanStatus::NothingToFill;
        result.message = "No target chosen: nothing to plan.";
        return result;
    }
    if (before == atCaps) {
        result.status = PlanStatus::TargetsAtCap;
        result.message = "Every target is already at its cap: nothing to plan.";
        return result;
    }

    // The items the planner may change: chosen, player-made armour or weapon, counted toward the
    // totals (a gem on an item that does not count could gain nothing), and within the policy.
    Model model;
    Configuration stripped = config; // the configuration without the gems that may be replaced
    for (int slot = 0; slot < ArmourSlotCount; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        const GWItem& gwItem = config.Items[s];
        if (!request.mayChange[s] || gwItem.PlayerMade != 1 || config.Equipped[s] == 0)
            continue;
        ItemModel item;
        item.slot = slot;
        // The capacity of the item's level and quality, as the tab computes and stores it, rather
        // than a stored ImbuePoints that a file may hold out of step.
        item.capacity = ImbueCapacity(gwItem.Level, gwItem.Quality);
        GWItem measured = gwItem;
        measured.ImbuePoints = item.capacity;
        if (!WithinPolicy(measured, crafterSkillIndex, minChance)) {
            result.slotsLeftAlone.push_back(slot);
            continue;
        }
        item.chanceBase = ItemQualityBonus[static_cast<std::size_t>(std::clamp(gwItem.Quality, 0, QualityCount - 1))] +
                          CrafterSkillBonusOf(crafterSkillIndex);
        for (int row = 0; row < GemsPerItem; ++row) {
            const auto r = static_cast<std::size_t>(row);
            const int type = gwItem.EffectType[r];
            if (type == TypeUnused) {
                item.emptyRows.push_back(row);
                continue;
            }
            const int points = GemPoints(type, gwItem.EffectAmount[r]);
            const int bonus = GemQualityBonus[static_cast<std::size_t>(std::clamp(gwItem.GemQuality[r], 0, QualityCount - 1))];
            if (request.replaceGems) {
                Replaceable gem;
                gem.row = row;
                gem.points = points;
                gem.price = GemCost(type, gwItem.EffectAmount[r]);
                gem.qualityBonus = bonus;
                gem.amount = SlotBonus(gwItem, row);
                const PlanTarget own{type, type == TypeHits || type == TypePower ? 0 : gwItem.EffectName[r]};
                const auto found = std::find(targets.begin(), targets.end(), own);
                if (found != targets.end())
                    gem.target = static_cast<int>(found - targets.begin());
                item.replaceable.push_back(gem);
                stripped.Items[s].EffectType[r] = TypeUnused;
                continue;
            }
            item.fixedSum += points;
            item.fixedMax = std::max(item.fixedMax, points);
            item.fixedQualityBonus += bonus;
        }
        if (item.Positions() > 0)
            model.items.push_back(item);
    }
    if (model.items.empty()) {
        result.status = PlanStatus::NothingToFill;
        result.message = result.slotsLeftAlone.empty()
                             ? "No free gem position on the slots chosen: nothing to plan."
                             : "No gem position the planner may fill: the slots chosen are full or already overcharged.";
        return result;
    }

    // The deficits below the caps once the gems that may be replaced are taken away.
    const CharacterTotals base = SumTotals(stripped, realm);
    std::vector<std::int64_t> deficit;
    std::int64_t baseValue = 0;
    for (const PlanTarget& target : targets) {
        const std::int64_t cap = PlanTargetCap(target, config.caps);
        const std::int64_t total = TotalOf(base, target);
        deficit.push_back(std::max<std::int64_t>(0, cap - total));
        baseValue += ScaledWeight(target.type) * std::min(total, cap);
    }

    // The candidate gems, from the model's own tables. Above the first tier that fills a
    // target's whole deficit, a stronger gem of the same effect only costs more points and more.
    for (std::size_t t = 0; t < targets.size(); ++t) {
        if (deficit[t] == 0)
            continue;
        for (int tier = 0; tier < TierCount; ++tier) {
            Candidate c;
            c.target = static_cast<int>(t);
            c.type = targets[t].type;
            c.effect = targets[t].effect;
            c.tier = tier;
            c.points = GemPoints(c.type, tier);
            c.amount = GemAmount(c.type, tier);
            c.price = GemCost(c.type, tier);
            model.candidates.push_back(c);
            if (c.amount >= deficit[t])
                break;
        }
    }

    const auto remaining = [&] {
        const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        return timeLimit - spent;
    };
    // What each item can fill on its own, solved once for alike items: a bound that spares the
    // whole search proving it item by item, and a fill to start from.
    std::vector<std::int64_t> itemBounds(model.items.size());
    std::vector<std::vector<int>> alone(model.items.size());
    std::int64_t allDeficits = 0;
    for (std::size_t t = 0; t < targets.size(); ++t)
        allDeficits += ScaledWeight(targets[t].type) * deficit[t];
    // Targets alike in weight, deficit and what their gems give and use (a resist and power are)
    // reach the same value with the same gems on an item that keeps no gem of its own; they are
    // listed in target order, the first of them standing for all.
    const auto sameGems = [](int a, int b) {
        if (ScaledWeight(a) != ScaledWeight(b))
            return false;
        for (int tier = 0; tier < TierCount; ++tier)
            if (GemAmount(a, tier) != GemAmount(b, tier) || GemPoints(a, tier) != GemPoints(b, tier))
                return false;
        return true;
    };
    std::vector<std::vector<int>> alike(targets.size());
    std::vector<std::vector<int>> kind(targets.size()); // alike and of the same type: priced alike too
    for (std::size_t t = 0; t < targets.size(); ++t)
        for (std::size_t u = 0; u < targets.size(); ++u)
            if (sameGems(targets[u].type, targets[t].type) && deficit[u] == deficit[t]) {
                alike[t].push_back(static_cast<int>(u));
                if (targets[u].type == targets[t].type)
                    kind[t].push_back(static_cast<int>(u));
            }
    // Per item, when it is known: the lowest price, and then the fewest gems, of a fill that
    // reaches the item's bound. It bounds the price of a plan in which every item does.
    std::vector<std::optional<CheapestFill>> cheapest(model.items.size());
    {
        std::map<decltype(Signature(model.items[0], config.Items[0])), std::size_t> solved;
        for (const ItemModel& item : model.items)
            solved.emplace(Signature(item, config.Items[static_cast<std::size_t>(item.slot)]), 0);
        const double each = std::min(2.0, 0.25 * timeLimit / static_cast<double>(solved.size()));
        solved.clear();
        for (std::size_t i = 0; i < model.items.size(); ++i) {
            const ItemModel& item = model.items[i];
            const auto signature = Signature(item, config.Items[static_cast<std::size_t>(item.slot)]);
            const bool shareable = item.replaceable.empty();
            if (shareable) {
                const auto found = solved.find(signature);
                if (found != solved.end()) {
                    itemBounds[i] = itemBounds[found->second];
                    alone[i] = alone[found->second];
                    cheapest[i] = cheapest[found->second];
                    continue;
                }
            }
            Model single;
            single.candidates = model.candidates;
            single.items = {item};
            BuildModel(single, config, targets, deficit, gemQuality, minChance, nullptr);
            const ItemModel& built = single.items[0];
            if (shareable)
                for (std::size_t o = 0; o < built.options.size(); ++o) {
                    const auto& same = kind[static_cast<std::size_t>(built.options[o].target)];
                    const auto rank = std::find(same.begin(), same.end(), built.options[o].target) - same.begin();
                    if (rank >= built.Positions()) {
                        single.problem.upper[static_cast<std::size_t>(built.strongest[o])] = 0;
                        single.problem.upper[static_cast<std::size_t>(built.more[o])] = 0;
                    }
                }
            SetObjective(single.problem, single.gainTerms, -1);
            const MipOutcome outcome =
                SolveMip(single.problem, single.start, std::min(each, std::max(remaining(), 0.0)), cancel);
            itemBounds[i] = allDeficits;
            if ((outcome.status == MipStatus::Optimal || outcome.status == MipStatus::Stopped) &&
                std::isfinite(outcome.bound))
                itemBounds[i] =
                    std::min(allDeficits, static_cast<std::int64_t>(std::floor(-outcome.bound + 1e-6)));
            alone[i].assign(built.options.size(), 0);
            std::vector<double> best = outcome.x;
            if (outcome.status == MipStatus::Optimal) {
                // Among the item's fills of that value, the cheapest with the fewest gems.
                single.problem.AddRow(single.gainTerms, static_cast<double>(itemBounds[i]), MipInfinity);
                const std::vector<MipTerm> price = GemTerms(built, [](const Option& o) { return o.price; });
                const std::vector<MipTerm> count = GemTerms(built, [](const Option&) { return 1; });
                std::vector<MipTerm> secondary = count;
                for (const MipTerm& term : price)
                    secondary.push_back({term.column, term.value * (built.Positions() + 1)});
                SetObjective(single.problem, secondary);
                const MipOutcome cheaper =
                    SolveMip(single.problem, outcome.x, std::min(each, std::max(remaining(), 0.0)), cancel);
                if (cheaper.status == MipStatus::Optimal) {
                    best = cheaper.x;
                    CheapestFill found;
                    for (const MipTerm& term : price)
                        found.price += term.value * cheaper.x[static_cast<std::size_t>(term.column)];
                    for (const MipTerm& term : count)
                        found.count += cheaper.x[static_cast<std::size_t>(term.column)];
                    cheapest[i] = found;
                }
            }
            if (outcome.hasSolution)
                for (std::size_t o = 0; o < built.options.size(); ++o)
                    alone[i][o] = Rounded(best, built.strongest[o]) + Rounded(best, built.more[o]);
            if (shareable)
                solved.emplace(signature, i);
        }
    }
    const std::vector<ItemModel> unbuilt = model.items;
    BuildModel(model, config, targets, deficit, gemQuality, minChance, &itemBounds);

    // First the value, then among the plans of that value the price and the number of gems; a
    // price in copper times more than the gems there can be, plus the gems, orders both at once.
    SetObjective(model.problem, model.gainTerms, -1);
    // The better of two quick fills is where the search starts.
    const auto startValue = [&](const std::vector<double>& x) {
        double value = 0;
        for (const MipTerm& term : model.gainTerms)
            value += term.value * x[static_cast<std::size_t>(term.column)];
        return value;
    };
    const std::vector<double> fair =
        GreedyStart(model, config, targets, deficit, gemQuality, crafterSkillIndex, minChance, Greed::FairShare);
    const std::vector<double> largest =
        GreedyStart(model, config, targets, deficit, gemQuality, crafterSkillIndex, minChance, Greed::Largest);
    const std::vector<double> thrifty =
        GreedyStart(model, config, targets, deficit, gemQuality, crafterSkillIndex, minChance, Greed::Cheapest);
    // Each item's own best fill, each gem (the largest first) given to the alike target it fills
    // most tightly, so that alike items share the caps instead of all filling the same targets.
    std::map<std::pair<int, int>, int> candidateOf; // (target, tier) -> candidate
    for (std::size_t c = 0; c < model.candidates.size(); ++c)
        candidateOf[{model.candidates[c].target, model.candidates[c].tier}] = static_cast<int>(c);
    std::vector<std::vector<int>> turned;
    std::vector<std::int64_t> unfilled = deficit;
    for (std::size_t i = 0; i < model.items.size(); ++i) {
        const ItemModel& item = model.items[i];
        std::vector<int> counts(item.options.size(), 0);
        std::vector<std::size_t> gems;
        for (std::size_t o = 0; o < item.options.size(); ++o)
            for (int n = 0; n < alone[i][o]; ++n)
                gems.push_back(o);
        std::stable_sort(gems.begin(), gems.end(), [&](std::size_t a, std::size_t b) {
            return item.options[a].amount > item.options[b].amount;
        });
        for (std::size_t o : gems) {
            const Option& option = item.options[o];
            std::size_t chosen = o;
            if (option.kept < 0 && item.replaceable.empty()) {
                // The tightest target the gem still fits in whole, else the one with most left.
                // Targets of the gem's own type first: the others are priced differently.
                int target = -1;
                int roomiest = option.target;
                for (const auto* group : {&kind[static_cast<std::size_t>(option.target)],
                                          &alike[static_cast<std::size_t>(option.target)]}) {
                    for (int u : *group) {
                        const std::int64_t room = unfilled[static_cast<std::size_t>(u)];
                        if (target < 0 && room >= option.amount)
                            target = u;
                        else if (room >= option.amount && room < unfilled[static_cast<std::size_t>(target)] &&
                                 targets[static_cast<std::size_t>(u)].type ==
                                     targets[static_cast<std::size_t>(target)].type)
                            target = u;
                        if (room > unfilled[static_cast<std::size_t>(roomiest)])
                            roomiest = u;
                    }
                    if (target >= 0)
                        break;
                }
                if (target < 0)
                    target = roomiest;
                const auto found =
                    candidateOf.find({target, model.candidates[static_cast<std::size_t>(option.candidate)].tier});
                if (found != candidateOf.end())
                    chosen = static_cast<std::size_t>(found->second);
            }
            ++counts[chosen];
            if (item.options[chosen].target >= 0)
                unfilled[static_cast<std::size_t>(item.options[chosen].target)] -= item.options[chosen].amount;
        }
        turned.push_back(std::move(counts));
    }
    const std::vector<double> spread = StartFromCounts(model, config, deficit, turned);
    // Half the time left may go to the merged problem: when its plan spreads back whole, no
    // search of the full problem is needed; otherwise its bounds still narrow that search.
    std::vector<const std::vector<double>*> starts = {&spread, &fair, &largest, &thrifty};
    std::int64_t allItemBounds = 0;
    for (std::int64_t bound : itemBounds)
        allItemBounds += bound;
    const KindsOutcome kinds = SolveByKinds(model, unbuilt, config, targets, deficit, gemQuality, crafterSkillIndex,
                                            minChance, itemBounds, cheapest, starts, remaining() / 2, cancel);
    if (!kinds.plan.empty())
        starts.push_back(&kinds.plan);
    double bestStart = -1;
    for (const std::vector<double>* start : starts) {
        if (MipFeasible(model.problem, *start) && startValue(*start) > bestStart) {
            bestStart = startValue(*start);
            model.start = *start;
        }
    }
    if (kinds.valueBound)
        model.problem.AddRow(model.gainTerms, -MipInfinity, static_cast<double>(*kinds.valueBound));
    MipOutcome first;
    if (cancel != nullptr && cancel->Cancelled()) {
        first.status = MipStatus::Stopped;
        first.cancelled = true;
        first.bound = -std::numeric_limits<double>::infinity();
    } else if (kinds.valueBound && bestStart >= static_cast<double>(*kinds.valueBound)) {
        // A quick plan already reaches the most any plan can: the value is proven.
        first.status = MipStatus::Optimal;
        first.hasSolution = true;
        first.x = model.start;
        first.objective = first.bound = -bestStart;
    } else {
        first = SolveMip(model.problem, model.start, std::max(remaining(), 0.0), cancel);
    }
    if (!first.hasSolution && first.status != MipStatus::Stopped) {
        result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        result.status = PlanStatus::Failed;
        result.message = "The solver failed (" + (first.error.empty() ? std::string("no plan found") : first.error) +
                         "); nothing planned.";
        return result;
    }
    if (!first.hasSolution) {
        // Stopped before it took up the plan that changes nothing: that is the best known.
        first.x = model.start;
        first.objective = 0;
    }
    MipOutcome chosen = first;
    bool proven = first.status == MipStatus::Optimal;
    bool cancelled = first.cancelled;
    double boundScaled = static_cast<double>(baseValue) - first.bound;
    if (proven) {
        // Hold the value reached and look for the cheapest plan with the fewest gems.
        const double reached = std::round(-first.objective);
        model.problem.AddRow(model.gainTerms, reached, MipInfinity);
        // When the plan's value is every item's own bound, every item reaches its bound, and no
        // item can then cost less than its cheapest fill of that value.
        if (reached >= static_cast<double>(allItemBounds))
            AddCheapestRows(model, cheapest);
        const std::vector<MipTerm> secondary = SecondaryTerms(model);
        // The merged problem's lowest price holds for plans of its best value, which this one is.
        const bool mergedPrice = kinds.secondaryBound && kinds.valueBound && reached >= static_cast<double>(*kinds.valueBound);
        if (mergedPrice)
            model.problem.AddRow(secondary, *kinds.secondaryBound, MipInfinity);
        SetObjective(model.problem, secondary);
        const double left = remaining();
        if (left > 0.001 && !(cancel && cancel->Cancelled())) {
            // The cheapest of the plans known to reach the value is where that search starts.
            std::vector<double> from = first.x;
            const auto secondaryOf = [&](const std::vector<double>& x) { return TermsAt(secondary, x); };
            for (const std::vector<double>* start : starts)
                if (MipFeasible(model.problem, *start) && secondaryOf(*start) < secondaryOf(from))
                    from = *start;
            MipOutcome second;
            if (mergedPrice && secondaryOf(from) <= *kinds.secondaryBound + 0.5) {
                // A known plan costs no more than any plan can: the price is proven too.
                second.status = MipStatus::Optimal;
                second.hasSolution = true;
                second.x = from;
                second.objective = second.bound = secondaryOf(from);
            } else {
                second = SolveMip(model.problem, from, left, cancel);
            }
            if (second.hasSolution) {
                chosen = second;
                proven = second.status == MipStatus::Optimal;
                cancelled = second.cancelled;
            } else {
                proven = false;
                cancelled = second.cancelled;
            }
        } else {
            proven = false;
            cancelled = cancel && cancel->Cancelled();
        }
        boundScaled = static_cast<double>(baseValue) + reached;
    }

    // Write the gems into a copy of the configuration, position by position.
    Configuration after = config;
    for (const ItemModel& item : model.items) {
        std::vector<const Candidate*> gems;
        std::vector<bool> keep(item.replaceable.size(), false);
        for (std::size_t o = 0; o < item.options.size(); ++o) {
            const int n = Rounded(chosen.x, item.strongest[o]) + Rounded(chosen.x, item.more[o]);
            const Option& option = item.options[o];
            if (option.kept >= 0 && n > 0)
                keep[static_cast<std::size_t>(option.kept)] = true;
            else if (option.kept < 0)
                gems.insert(gems.end(), static_cast<std::size_t>(std::max(n, 0)),
                            &model.candidates[static_cast<std::size_t>(option.candidate)]);
        }
        // The strongest first, so that it is the gem counted in full.
        std::stable_sort(gems.begin(), gems.end(),
                         [](const Candidate* x, const Candidate* y) { return x->points > y->points; });
        std::vector<int> rows;
        for (std::size_t j = 0; j < item.replaceable.size(); ++j)
            if (!keep[j])
                rows.push_back(item.replaceable[j].row);
        rows.insert(rows.end(), item.emptyRows.begin(), item.emptyRows.end());
        if (gems.empty())
            continue;
        if (gems.size() > rows.size()) {
            result.status = PlanStatus::Failed;
            result.message = "The solver's plan does not fit the gem positions; nothing planned.";
            return result;
        }
        PlannedItem planned;
        planned.slot = item.slot;
        planned.before = config.Items[static_cast<std::size_t>(item.slot)];
        planned.capacity = item.capacity;
        GWItem& gwItem = after.Items[static_cast<std::size_t>(item.slot)];
        std::sort(rows.begin(), rows.end());
        for (std::size_t g = 0; g < gems.size(); ++g) {
            const auto r = static_cast<std::size_t>(rows[g]);
            PlannedGem gem;
            gem.row = rows[g];
            gem.type = gems[g]->type;
            gem.effect = gems[g]->effect;
            gem.tier = gems[g]->tier;
            gem.quality = gemQuality;
            gem.points = gems[g]->points;
            gem.price = gems[g]->price;
            gem.replaces = gwItem.EffectType[r] != TypeUnused;
            gwItem.EffectType[r] = gem.type;
            gwItem.EffectAmount[r] = gem.tier;
            gwItem.EffectName[r] = gem.effect;
            gwItem.GemQuality[r] = gem.quality;
            (gem.replaces ? result.gemsReplaced : result.gemsAdded) += 1;
            planned.gems.push_back(gem);
        }
        std::sort(planned.gems.begin(), planned.gems.end(),
                  [](const PlannedGem& a, const PlannedGem& b) { return a.row < b.row; });
        gwItem.ImbuePoints = item.capacity;
        planned.after = gwItem;
        GWItem measured = planned.before;
        measured.ImbuePoints = item.capacity;
        planned.usedBefore = ItemPoints(measured, 0);
        planned.usedAfter = ItemPoints(planned.after, 0);
        planned.overchargeBefore = ComputeOvercharge(measured, crafterSkillIndex, OverchargeRows::UsedRowsOnly);
        planned.overchargeAfter = ComputeOvercharge(planned.after, crafterSkillIndex, OverchargeRows::UsedRowsOnly);
        // The model's own rules have the last word: a plan they would not accept is no plan.
        if (!WithinPolicy(planned.after, crafterSkillIndex, minChance)) {
            result = PlanResult{};
            result.status = PlanStatus::Failed;
            result.message = "The solver's plan breaks the overcharge policy on " +
                             std::string(SlotCaption(item.slot)) + "; nothing planned.";
            return result;
        }
        result.items.push_back(std::move(planned));
    }

    const CharacterTotals totalsAfter = SumTotals(after, realm);
    for (PlannedTotal& total : result.totals)
        total.after = TotalOf(totalsAfter, total.target);
    result.priceAfter = TotalCostCopper(after);
    const std::int64_t afterValue = ScaledValue(targets, totalsAfter, config.caps);
    result.valueAfter = Unscaled(static_cast<double>(afterValue));
    // The solver's bound, held between the value reached and the value at the caps (a search
    // stopped before its first bound reports none).
    if (!std::isfinite(boundScaled))
        boundScaled = static_cast<double>(atCaps);
    boundScaled = std::clamp(boundScaled, static_cast<double>(afterValue), static_cast<double>(atCaps));
    result.valueBound = proven ? result.valueAfter : Unscaled(boundScaled);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (proven) {
        result.status = PlanStatus::Optimal;
    } else {
        result.status = cancelled ? PlanStatus::Cancelled : PlanStatus::TimeLimit;
    }
    result.message = PlanStatusLine(result);
    return result;
}

void ApplyPlan(Configuration& config, const PlanResult& plan)
{
    for (const PlannedItem& item : plan.items) {
        if (item.slot < 0 || item.slot >= ArmourSlotCount)
            continue;
        GWItem& target = config.Items[static_cast<std::size_t>(item.slot)];
        for (const PlannedGem& gem : item.gems) {
            if (gem.row < 0 || gem.row >= GemsPerItem)
                continue;
            const auto r = static_cast<std::size_t>(gem.row);
            target.EffectType[r] = gem.type;
            target.EffectAmount[r] = gem.tier;
            target.EffectName[r] = gem.effect;
            target.GemQuality[r] = gem.quality;
        }
        target.ImbuePoints = item.capacity;
    }
}

std::string PlanStatusLine(const PlanResult& plan)
{
    const std::string figures = "value " + Number(plan.valueAfter) + " of " + Number(plan.valueAtCaps) +
                                " at the caps (was " + Number(plan.valueBefore) + "), price " +
                                PriceText(plan.priceAfter) + " (was " + PriceText(plan.priceBefore) + "), " +
                                std::to_string(plan.gemsAdded) + " gems added, " +
                                std::to_string(plan.gemsReplaced) + " replaced";
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", plan.seconds);
    switch (plan.status) {
    case PlanStatus::Optimal:
        return "Proven optimal in " + std::string(seconds) + ": " + figures + ".";
    case PlanStatus::TimeLimit:
        // The value may be proven best while the search for a cheaper plan of it ran out of time.
        if (plan.valueBound <= plan.valueAfter)
            return "Best plan found within the time limit (" + std::string(seconds) + "): " + figures +
                   "; no plan reaches a higher value, but a cheaper one may exist.";
        return "Best plan found within the time limit (" + std::string(seconds) + "): " + figures +
               "; the solver's bound is " + Number(plan.valueBound) + ".";
    case PlanStatus::Cancelled:
        return "Cancelled after " + std::string(seconds) + "; best plan found so far: " + figures +
               "; the solver's bound is " + Number(plan.valueBound) + ".";
    case PlanStatus::NothingToFill:
    case PlanStatus::TargetsAtCap:
    case PlanStatus::Failed:
        break;
    }
    return plan.message;
}

} // namespace gw
