#include "plan/PlanKinds.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <utility>

#include "plan/MipSolver.h"

namespace gw::plan {
namespace {

struct Merged {
    std::vector<int> groupOf;           // per target: its merged target, or -1 for no deficit
    std::vector<PlanTarget> targets;    // one per type
    std::vector<std::int64_t> deficit;  // the sum of its targets' deficits
};

Merged MergeTargets(const std::vector<PlanTarget>& targets, const std::vector<std::int64_t>& deficit)
{
    Merged merged;
    merged.groupOf.assign(targets.size(), -1);
    for (std::size_t t = 0; t < targets.size(); ++t) {
        if (deficit[t] == 0)
            continue;
        std::size_t g = 0;
        while (g < merged.targets.size() && merged.targets[g].type != targets[t].type)
            ++g;
        if (g == merged.targets.size()) {
            merged.targets.push_back(targets[t]);
            merged.deficit.push_back(0);
        }
        merged.groupOf[t] = static_cast<int>(g);
        merged.deficit[g] += deficit[t];
    }
    return merged;
}

// Each gem of the coarse plan, the largest first, goes to the target of its type that it fills
// most tightly in whole, else to the one with most room left; nothing is lost to a cap when
// every gem fits.
std::vector<double> SpreadBack(const Model& model, const Model& coarse, const std::vector<std::vector<int>>& coarseCounts,
                               const Merged& merged, const Configuration& config,
                               const std::vector<std::int64_t>& deficit)
{
    std::map<std::pair<int, int>, int> candidateOf; // (target, tier) -> candidate of the full problem
    for (std::size_t c = 0; c < model.candidates.size(); ++c)
        candidateOf[{model.candidates[c].target, model.candidates[c].tier}] = static_cast<int>(c);
    std::vector<std::int64_t> room = deficit;
    std::vector<std::vector<int>> counts;
    struct Gem {
        std::size_t item;
        int group;
        int tier;
        int amount;
    };
    std::vector<Gem> gems;
    for (std::size_t i = 0; i < coarse.items.size(); ++i) {
        const ItemModel& item = coarse.items[i];
        const ItemModel& full = model.items[i];
        counts.emplace_back(full.options.size(), 0);
        for (std::size_t o = 0; o < item.options.size(); ++o) {
            const int n = coarseCounts[i][o];
            if (n <= 0)
                continue;
            const Option& option = item.options[o];
            if (option.kept >= 0) {
                // The gem that stays counts toward its own target, as in the full problem.
                for (std::size_t f = 0; f < full.options.size(); ++f)
                    if (full.options[f].kept == option.kept) {
                        counts[i][f] = n;
                        if (full.options[f].target >= 0)
                            room[static_cast<std::size_t>(full.options[f].target)] -= full.options[f].amount;
                    }
                continue;
            }
            const Candidate& c = coarse.candidates[static_cast<std::size_t>(option.candidate)];
            for (int k = 0; k < n; ++k)
                gems.push_back({i, c.target, c.tier, c.amount});
        }
    }
    std::stable_sort(gems.begin(), gems.end(), [](const Gem& a, const Gem& b) { return a.amount > b.amount; });
    for (const Gem& gem : gems) {
        int tightest = -1;
        int roomiest = -1;
        int candidate = -1;
        int roomiestCandidate = -1;
        for (std::size_t t = 0; t < deficit.size(); ++t) {
            if (merged.groupOf[t] != gem.group)
                continue;
            const auto found = candidateOf.find({static_cast<int>(t), gem.tier});
            if (found == candidateOf.end())
                continue;
            if (room[t] >= gem.amount && (tightest < 0 || room[t] < room[static_cast<std::size_t>(tightest)])) {
                tightest = static_cast<int>(t);
                candidate = found->second;
            }
            if (roomiest < 0 || room[t] > room[static_cast<std::size_t>(roomiest)]) {
                roomiest = static_cast<int>(t);
                roomiestCandidate = found->second;
            }
        }
        if (tightest < 0) {
            tightest = roomiest;
            candidate = roomiestCandidate;
        }
        if (candidate < 0)
            return {};
        room[static_cast<std::size_t>(tightest)] -= gem.amount;
        const ItemModel& full = model.items[gem.item];
        for (std::size_t f = 0; f < full.options.size(); ++f)
            if (full.options[f].candidate == candidate)
                ++counts[gem.item][f];
    }
    std::vector<double> plan = StartFromCounts(model, config, deficit, std::move(counts));
    if (!MipFeasible(model.problem, plan))
        return {};
    return plan;
}

// Per item, how many of each option a plan takes.
std::vector<std::vector<int>> OptionCounts(const Model& model, const std::vector<double>& x)
{
    std::vector<std::vector<int>> counts;
    for (const ItemModel& item : model.items) {
        counts.emplace_back(item.options.size(), 0);
        for (std::size_t o = 0; o < item.options.size(); ++o)
            counts.back()[o] = Rounded(x, item.strongest[o]) + Rounded(x, item.more[o]);
    }
    return counts;
}

// When no item keeps a gem it may lose, the merged problem is settled over whole fills rather
// than gem by gem: for each set of alike items, every fill the model accepts, and how many of the
// items take each, so that alike items cost the search nothing. A plan of value `reached` or more
// leaves no item below `reached` less what the other items can reach at most, which keeps the
// fills few. With `bestValue` the best value is sought (knowing one plan reaches `reached`),
// otherwise the lowest SecondaryTerms figure among plans reaching `reached`. Nothing when the
// fills are too many or the solve is cut short.
struct Fills {
    std::int64_t value = 0;
    double secondary = 0;
    std::vector<std::vector<int>> counts; // per item and coarse option
};
std::optional<Fills> SolveByFills(const Model& coarse, const Configuration& config, const Merged& merged,
                                  std::int64_t reached, bool bestValue, const std::vector<std::int64_t>& itemBounds,
                                  int gemQuality, int crafterSkillIndex, const std::optional<int>& minChance,
                                  double seconds, const PlanCancel* cancel)
{
    std::int64_t allBounds = 0;
    for (std::int64_t bound : itemBounds)
        allBounds += bound;
    int positions = 0;
    for (const ItemModel& item : coarse.items) {
        if (!item.replaceable.empty())
            return std::nullopt;
        positions += item.Positions();
    }
    // Beyond this many fills (or gem sets looked at), enumerating them costs more than the
    // gem-by-gem search saves; the enumeration also stops at the time limit or a cancel.
    constexpr std::size_t MostFills = 20000;
    constexpr std::size_t MostVisits = 400000;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(std::max(seconds, 0.0));
    std::size_t visits = 0;
    const std::size_t kinds = coarse.candidates.size();
    MipProblem p;
    std::vector<MipTerm> value;
    std::vector<std::vector<MipTerm>> groupAdds(merged.targets.size());
    std::vector<int> gainColumns;
    for (std::size_t g = 0; g < merged.targets.size(); ++g) {
        const double weight = static_cast<double>(ScaledWeight(merged.targets[g].type));
        gainColumns.push_back(p.AddColumn(0, static_cast<double>(merged.deficit[g]), bestValue ? -weight : 0, true));
        value.push_back({gainColumns.back(), static_cast<double>(ScaledWeight(merged.targets[g].type))});
    }
    struct Fill {
        std::vector<int> gems; // coarse candidates
        int column = 0;
        int price = 0;
    };
    std::vector<std::vector<Fill>> fillsOf; // per class of alike items
    std::vector<std::size_t> classOf(coarse.items.size());
    std::vector<std::size_t> first; // per class: its first item
    std::vector<int> members;
    std::size_t fillCount = 0;
    for (std::size_t i = 0; i < coarse.items.size(); ++i) {
        const ItemModel& item = coarse.items[i];
        const auto signature = Signature(item, config.Items[static_cast<std::size_t>(item.slot)]);
        std::size_t c = 0;
        while (c < first.size() &&
               (Signature(coarse.items[first[c]], config.Items[static_cast<std::size_t>(coarse.items[first[c]].slot)]) !=
                    signature ||
                itemBounds[first[c]] != itemBounds[i]))
            ++c;
        classOf[i] = c;
        if (c < first.size()) {
            ++members[c];
            continue;
        }
        first.push_back(i);
        members.push_back(1);
        // Every multiset of at most Positions() gems, in candidate order; a fill that cannot
        // reach the item's bound even with its gems counted against the merged caps is no fill
        // of a plan in which every item reaches its bound.
        std::vector<Fill> fills;
        std::map<std::vector<std::int64_t>, std::size_t> sameAdds;
        std::vector<int> gems;
        GWItem base = config.Items[static_cast<std::size_t>(item.slot)];
        base.ImbuePoints = item.capacity;
        const auto visit = [&](const auto& self, std::size_t from) -> bool {
            if (++visits > MostVisits)
                return false;
            if (visits % 1024 == 0 &&
                ((cancel != nullptr && cancel->Cancelled()) || std::chrono::steady_clock::now() > deadline))
                return false;
            std::vector<std::int64_t> adds(merged.targets.size(), 0);
            for (int gem : gems) {
                const Candidate& k = coarse.candidates[static_cast<std::size_t>(gem)];
                adds[static_cast<std::size_t>(k.target)] += k.amount;
            }
            std::int64_t reach = 0;
            for (std::size_t g = 0; g < adds.size(); ++g)
                reach += ScaledWeight(merged.targets[g].type) * std::min(adds[g], merged.deficit[g]);
            if (reach >= reached - (allBounds - itemBounds[i])) {
                GWItem trial = base;
                for (std::size_t r = 0; r < gems.size(); ++r) {
                    const Candidate& k = coarse.candidates[static_cast<std::size_t>(gems[r])];
                    const auto row = static_cast<std::size_t>(item.emptyRows[r]);
                    trial.EffectType[row] = k.type;
                    trial.EffectAmount[row] = k.tier;
                    trial.EffectName[row] = k.effect;
                    trial.GemQuality[row] = gemQuality;
                }
                if (WithinPolicy(trial, crafterSkillIndex, minChance)) {
                    // Of fills that add the same to every merged target, only the cheapest (then
                    // the one of fewest gems) can be in a best plan.
                    int price = 0;
                    for (int gem : gems)
                        price += coarse.candidates[static_cast<std::size_t>(gem)].price;
                    const auto [at, added] = sameAdds.try_emplace(adds, fills.size());
                    if (added) {
                        if (++fillCount > MostFills)
                            return false;
                        fills.push_back({gems, 0, price});
                    } else {
                        Fill& kept = fills[at->second];
                        if (price < kept.price || (price == kept.price && gems.size() < kept.gems.size()))
                            kept = {gems, 0, price};
                    }
                }
            }
            if (static_cast<int>(gems.size()) >= item.Positions())
                return true;
            for (std::size_t k = from; k < kinds; ++k) {
                gems.push_back(static_cast<int>(k));
                const bool more = self(self, k);
                gems.pop_back();
                if (!more)
                    return false;
            }
            return true;
        };
        if (!visit(visit, 0))
            return std::nullopt;
        fillsOf.push_back(std::move(fills));
    }
    for (std::size_t c = 0; c < fillsOf.size(); ++c) {
        std::vector<MipTerm> all;
        for (Fill& fill : fillsOf[c]) {
            const double secondary =
                static_cast<double>(fill.price) * (positions + 1) + static_cast<double>(fill.gems.size());
            fill.column = p.AddColumn(0, members[c], bestValue ? 0 : secondary, true);
            all.push_back({fill.column, 1});
            for (int gem : fill.gems) {
                const Candidate& k = coarse.candidates[static_cast<std::size_t>(gem)];
                groupAdds[static_cast<std::size_t>(k.target)].push_back({fill.column, -static_cast<double>(k.amount)});
            }
        }
        p.AddRow(all, members[c], members[c]);
    }
    for (std::size_t g = 0; g < groupAdds.size(); ++g) {
        groupAdds[g].push_back({gainColumns[g], 1});
        p.AddRow(groupAdds[g], -MipInfinity, 0);
    }
    if (!bestValue)
        p.AddRow(value, static_cast<double>(reached), MipInfinity);
    const double left =
        std::chrono::duration<double>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0)
        return std::nullopt;
    const MipOutcome outcome = SolveMip(p, {}, left, cancel);
    if (outcome.status != MipStatus::Optimal)
        return std::nullopt;
    Fills best;
    best.value = std::llround(TermsAt(value, outcome.x));
    best.secondary = bestValue ? 0 : std::round(outcome.objective);
    // Hand the fills of each class to its items.
    std::vector<std::size_t> nextFill(fillsOf.size(), 0);
    std::vector<int> takenOfNext(fillsOf.size(), 0);
    for (std::size_t i = 0; i < coarse.items.size(); ++i) {
        const std::size_t c = classOf[i];
        std::vector<Fill>& fills = fillsOf[c];
        while (nextFill[c] < fills.size() && takenOfNext[c] >= Rounded(outcome.x, fills[nextFill[c]].column)) {
            ++nextFill[c];
            takenOfNext[c] = 0;
        }
        best.counts.emplace_back(coarse.items[i].options.size(), 0);
        if (nextFill[c] >= fills.size())
            return std::nullopt;
        ++takenOfNext[c];
        for (int gem : fills[nextFill[c]].gems)
            for (std::size_t o = 0; o < coarse.items[i].options.size(); ++o)
                if (coarse.items[i].options[o].candidate == gem)
                    ++best.counts.back()[o];
    }
    return best;
}

// A plan of the full problem as a plan of the merged one: the same gems on the same items.
std::vector<double> Coarsen(const Model& model, const Model& coarse, const std::vector<double>& x,
                            const Merged& merged, const Configuration& config)
{
    std::map<std::pair<int, int>, std::size_t> optionOf; // (merged target, tier) -> coarse option
    std::vector<std::vector<int>> counts;
    for (std::size_t i = 0; i < model.items.size(); ++i) {
        const ItemModel& full = model.items[i];
        const ItemModel& item = coarse.items[i];
        optionOf.clear();
        for (std::size_t o = 0; o < item.options.size(); ++o)
            if (item.options[o].candidate >= 0) {
                const Candidate& c = coarse.candidates[static_cast<std::size_t>(item.options[o].candidate)];
                optionOf[{c.target, c.tier}] = o;
            }
        counts.emplace_back(item.options.size(), 0);
        for (std::size_t f = 0; f < full.options.size(); ++f) {
            const int n = Rounded(x, full.strongest[f]) + Rounded(x, full.more[f]);
            if (n <= 0)
                continue;
            const Option& option = full.options[f];
            if (option.kept >= 0) {
                for (std::size_t o = 0; o < item.options.size(); ++o)
                    if (item.options[o].kept == option.kept)
                        counts[i][o] = n;
                continue;
            }
            const Candidate& c = model.candidates[static_cast<std::size_t>(option.candidate)];
            const auto found = optionOf.find({merged.groupOf[static_cast<std::size_t>(c.target)], c.tier});
            if (found == optionOf.end())
                return {};
            counts[i][found->second] += n;
        }
    }
    return StartFromCounts(coarse, config, merged.deficit, std::move(counts));
}

} // namespace

KindsOutcome SolveByKinds(const Model& model, std::vector<ItemModel> items, const Configuration& config,
                          const std::vector<PlanTarget>& targets, const std::vector<std::int64_t>& deficit,
                          int gemQuality, int crafterSkillIndex, const std::optional<int>& minChance,
                          const std::vector<std::int64_t>& itemBounds,
                          const std::vector<std::optional<CheapestFill>>& cheapest,
                          const std::vector<const std::vector<double>*>& known, double seconds,
                          const PlanCancel* cancel)
{
    KindsOutcome outcome;
    const auto started = std::chrono::steady_clock::now();
    const auto left = [&] {
        return std::max(0.0, seconds - std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    };
    const Merged merged = MergeTargets(targets, deficit);

    // The gems of a merged target: every tier that any of its targets may take.
    Model coarse;
    for (std::size_t g = 0; g < merged.targets.size(); ++g)
        for (int tier = 0;; ++tier) {
            const auto found = std::find_if(model.candidates.begin(), model.candidates.end(), [&](const Candidate& c) {
                return c.tier == tier && merged.groupOf[static_cast<std::size_t>(c.target)] == static_cast<int>(g);
            });
            if (found == model.candidates.end())
                break;
            Candidate c = *found;
            c.target = static_cast<int>(g);
            coarse.candidates.push_back(c);
        }
    for (ItemModel& item : items)
        for (Replaceable& gem : item.replaceable)
            gem.target = gem.target >= 0 ? merged.groupOf[static_cast<std::size_t>(gem.target)] : -1;
    coarse.items = std::move(items);
    BuildModel(coarse, config, merged.targets, merged.deficit, gemQuality, minChance, &itemBounds);

    // The best value.
    SetObjective(coarse.problem, coarse.gainTerms, -1);
    std::vector<double> start = coarse.start;
    for (const std::vector<double>* plan : known) {
        std::vector<double> image = Coarsen(model, coarse, *plan, merged, config);
        if (!image.empty() && MipFeasible(coarse.problem, image) &&
            TermsAt(coarse.gainTerms, image) > TermsAt(coarse.gainTerms, start))
            start = std::move(image);
    }
    for (Greed greed : {Greed::FairShare, Greed::Largest, Greed::Cheapest}) {
        std::vector<double> quick = GreedyStart(coarse, config, merged.targets, merged.deficit, gemQuality,
                                                crafterSkillIndex, minChance, greed);
        if (MipFeasible(coarse.problem, quick) && TermsAt(coarse.gainTerms, quick) > TermsAt(coarse.gainTerms, start))
            start = std::move(quick);
    }
    std::int64_t allBounds = 0;
    for (std::int64_t bound : itemBounds)
        allBounds += bound;
    const std::int64_t knownValue = std::llround(TermsAt(coarse.gainTerms, start));
    std::optional<Fills> byFills;
    if (knownValue < allBounds)
        byFills = SolveByFills(coarse, config, merged, knownValue, true, itemBounds, gemQuality, crafterSkillIndex,
                               minChance, left() / 2, cancel);
    MipOutcome value;
    if (byFills) {
        // The fills' plan is where the search at that value starts; any plan of the merged
        // problem will do, spread back or not.
        value.x = StartFromCounts(coarse, config, merged.deficit, byFills->counts);
        if (!MipFeasible(coarse.problem, value.x) || std::llround(TermsAt(coarse.gainTerms, value.x)) != byFills->value)
            value.x = start;
    } else {
        value = SolveMip(coarse.problem, start, left() / 2, cancel);
        if (value.status != MipStatus::Optimal) {
            if (value.status == MipStatus::Stopped && std::abs(value.bound) < 1e12)
                outcome.valueBound = static_cast<std::int64_t>(std::floor(-value.bound + 1e-6));
            return outcome;
        }
    }
    const std::int64_t reached = byFills ? byFills->value : std::llround(-value.objective);
    outcome.valueBound = reached;

    // The lowest price, then the fewest gems, at that value.
    coarse.problem.AddRow(coarse.gainTerms, static_cast<double>(reached), MipInfinity);
    if (reached >= allBounds)
        AddCheapestRows(coarse, cheapest);
    {
        const std::optional<Fills> fills = SolveByFills(coarse, config, merged, reached, false, itemBounds, gemQuality,
                                                        crafterSkillIndex, minChance, left(), cancel);
        if (fills) {
            outcome.secondaryBound = fills->secondary;
            outcome.plan = SpreadBack(model, coarse, fills->counts, merged, config, deficit);
            return outcome;
        }
    }
    const std::vector<MipTerm> secondary = SecondaryTerms(coarse);
    SetObjective(coarse.problem, secondary);
    std::vector<double> cheapestStart = value.x;
    for (const std::vector<double>* plan : known) {
        std::vector<double> image = Coarsen(model, coarse, *plan, merged, config);
        if (!image.empty() && MipFeasible(coarse.problem, image) &&
            TermsAt(secondary, image) < TermsAt(secondary, cheapestStart))
            cheapestStart = std::move(image);
    }
    const MipOutcome price = SolveMip(coarse.problem, cheapestStart, left(), cancel);
    if (price.status == MipStatus::Optimal)
        outcome.secondaryBound = std::round(price.objective);
    else if (price.status == MipStatus::Stopped && std::abs(price.bound) < 1e15)
        outcome.secondaryBound = std::ceil(price.bound - 1e-6);
    const MipOutcome& best = price.hasSolution ? price : value;
    outcome.plan = SpreadBack(model, coarse, OptionCounts(coarse, best.x), merged, config, deficit);
    return outcome;
}

} // namespace gw::plan
