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
#include "plan/PlanText.h"

namespace gw {
namespace {

constexpr int StatKinds = 8;
constexpr int ResistKinds = 9;
constexpr int MaxOvercharge = 5; // six points over is impossible whatever the chance
// The utility factors (Stat 2/3, Resist 2, Hits 1/4, Power 2, Skill 5) times twelve are whole
// numbers, so the solver compares values exactly.
constexpr int ValueScale = 12;

bool IsTargetType(int type)
{
    return type == TypeStat || type == TypeResist || type == TypeHits || type == TypePower || type == TypeSkill;
}

// The weight of one point of a target's total, in twelfths: the model's own utility factor.
std::int64_t ScaledWeight(int type)
{
    return std::llround(EffectValue(type, ValueScale, 0));
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

// Whether an item's gems are within the policy: within the capacity, or overcharged by at most
// five points with a chance of at least the player's minimum. The item's ImbuePoints must hold
// its capacity.
bool WithinPolicy(const GWItem& item, int crafterSkillIndex, const std::optional<int>& minChance)
{
    const OverchargeResult over = ComputeOvercharge(item, crafterSkillIndex, OverchargeRows::UsedRowsOnly);
    if (over.over <= 0)
        return true;
    return minChance && over.hasChance && over.chance >= *minChance;
}

// One gem the planner may set: a target's effect at a tier.
struct Candidate {
    int target = 0; // index into the clean target list
    int type = 0;
    int effect = 0;
    int tier = 0;
    int points = 0;
    int amount = 0;
    int price = 0;
};

// A gem already set that the planner may keep or replace.
struct Replaceable {
    int row = 0;
    int points = 0;
    int price = 0;
    int qualityBonus = 0;
    int target = -1;  // the target its effect adds to, if any
    int amount = 0;
};

// What one position of an item can hold: a candidate gem, or one of the item's own gems kept.
struct Option {
    int candidate = -1;   // index into the candidates, or -1
    int kept = -1;        // index into the item's replaceable gems, or -1
    int points = 0;
    int amount = 0;
    int target = -1;
    int price = 0;
    int qualityBonus = 0;
    int key = 0;          // the order positions are filled in: points first, all distinct
};

// What the program knows of one item it may change, and where its columns lie. One gem is
// chosen as the strongest, counted in full; every other gem is no stronger than it and counts in
// half, so that S + M is the sum of the points with the strongest gem's twice.
struct ItemModel {
    int slot = 0;
    int capacity = 0;
    std::vector<int> emptyRows;
    std::vector<Replaceable> replaceable;
    int fixedSum = 0;       // points of the gems that stay
    int fixedMax = 0;
    int fixedQualityBonus = 0;
    int chanceBase = 0;     // item quality and crafter skill
    std::vector<Option> options;
    std::vector<int> strongest;    // per option: it is the strongest gem (0/1)
    std::vector<int> more;         // per option: how many more of it the item gets
    std::vector<int> overColumns;  // overcharge 0..5 (empty without an overcharge policy)
    std::vector<int> overValues;
    int Positions() const { return static_cast<int>(emptyRows.size() + replaceable.size()); }
};
// Items the solver cannot tell apart: the same capacity, quality and gems that stay.
auto Signature(const ItemModel& item, const GWItem& gwItem)
{
    return std::make_tuple(item.capacity, item.emptyRows.size(), item.replaceable.empty(), item.fixedSum,
                           item.fixedMax, item.fixedQualityBonus, item.chanceBase, gwItem.Quality);
}

struct Model {
    MipProblem problem;
    std::vector<ItemModel> items;
    std::vector<Candidate> candidates;
    std::vector<int> gainColumns; // per target: how much of its deficit is filled
    std::vector<std::vector<int>> itemGainColumns; // per item and target, or -1: what the item fills
    std::vector<MipTerm> gainTerms;  // the weighted gains, in twelfths
    std::vector<MipTerm> priceTerms; // the price of the gems on the changed positions
    std::vector<MipTerm> countTerms; // the number of gems on them
    std::vector<double> start;       // the plan that changes nothing
};

void SetStart(Model& model, int column, double value)
{
    model.start[static_cast<std::size_t>(column)] = value;
}

int AddColumn(Model& model, double lo, double hi, bool integer)
{
    model.start.push_back(lo);
    return model.problem.AddColumn(lo, hi, 0, integer);
}

// Both columns of every option, with the option's figure as the coefficient; the strongest gem
// twice when `strongestTwice`.
std::vector<MipTerm> GemTerms(const ItemModel& item, int (*figure)(const Option&), bool strongestTwice = false)
{
    std::vector<MipTerm> terms;
    for (std::size_t o = 0; o < item.options.size(); ++o) {
        const double value = figure(item.options[o]);
        terms.push_back({item.strongest[o], strongestTwice ? 2 * value : value});
        terms.push_back({item.more[o], value});
    }
    return terms;
}

void BuildItemColumns(Model& model, ItemModel& item, int gemQuality, const std::optional<int>& minChance)
{
    MipProblem& p = model.problem;
    const int positions = item.Positions();
    const int newBonus = GemQualityBonus[static_cast<std::size_t>(gemQuality)];
    for (std::size_t c = 0; c < model.candidates.size(); ++c) {
        const Candidate& candidate = model.candidates[c];
        item.options.push_back({static_cast<int>(c), -1, candidate.points, candidate.amount, candidate.target,
                                candidate.price, newBonus, 0});
    }
    for (std::size_t j = 0; j < item.replaceable.size(); ++j) {
        const Replaceable& r = item.replaceable[j];
        item.options.push_back({-1, static_cast<int>(j), r.points, r.amount, r.target, r.price, r.qualityBonus, 0});
    }
    const int optionCount = static_cast<int>(item.options.size());
    for (int o = 0; o < optionCount; ++o) {
        Option& option = item.options[static_cast<std::size_t>(o)];
        option.key = option.points * (optionCount + 1) + o + 1;
        const bool kept = option.kept >= 0;
        item.strongest.push_back(AddColumn(model, 0, 1, true));
        item.more.push_back(AddColumn(model, 0, kept ? 1 : positions - 1, true));
        if (kept) {
            // One gem of the item's own is one gem: kept once at most.
            p.AddRow({{item.strongest.back(), 1}, {item.more.back(), 1}}, 0, 1);
        }
    }
    // The plan that changes nothing keeps every gem, the strongest (by key) in full.
    int startStrongest = -1;
    for (int o = 0; o < optionCount; ++o) {
        const Option& option = item.options[static_cast<std::size_t>(o)];
        if (option.kept < 0)
            continue;
        if (startStrongest < 0 || option.key > item.options[static_cast<std::size_t>(startStrongest)].key)
            startStrongest = o;
        SetStart(model, item.more[static_cast<std::size_t>(o)], 1);
    }
    if (startStrongest >= 0) {
        SetStart(model, item.more[static_cast<std::size_t>(startStrongest)], 0);
        SetStart(model, item.strongest[static_cast<std::size_t>(startStrongest)], 1);
    }

    std::vector<MipTerm> one;
    for (int column : item.strongest)
        one.push_back({column, 1});
    p.AddRow(one, 0, 1);
    // Every position holds one gem at most; a replaced gem is always replaced by another, so the
    // planner never takes a gem away.
    p.AddRow(GemTerms(item, [](const Option&) { return 1; }), static_cast<double>(item.replaceable.size()),
             positions);
    // No other gem is stronger than the strongest: for every points value v, the gems of at
    // least v points need a strongest gem of at least v points.
    std::vector<int> values;
    for (const Option& option : item.options)
        values.push_back(option.points);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    for (int v : values) {
        std::vector<MipTerm> terms;
        for (int o = 0; o < optionCount; ++o) {
            const Option& option = item.options[static_cast<std::size_t>(o)];
            if (option.points < v)
                continue;
            terms.push_back({item.more[static_cast<std::size_t>(o)], 1});
            terms.push_back({item.strongest[static_cast<std::size_t>(o)], -static_cast<double>(positions - 1)});
        }
        p.AddRow(terms, -MipInfinity, 0);
    }

    // The used points, floor((S + M) / 2), stay within the capacity plus the overcharge allowed:
    // S + M <= 2 (capacity + overcharge) + 1, with M the strongest gem: the one chosen, or one
    // of the gems that stay.
    std::vector<MipTerm> withStrongest = GemTerms(item, [](const Option& o) { return o.points; }, true);
    std::vector<MipTerm> withFixed = GemTerms(item, [](const Option& o) { return o.points; });

    if (minChance) {
        // The chance: the gem-quality bonus of every used row, the overcharge penalty, the item
        // quality and the crafter skill. An overcharge of k is allowed only when the chance
        // reaches the player's minimum; the most any gems can add bounds what is worth trying.
        const int bestBonus = item.fixedQualityBonus + positions * std::max(GemQualityBonus.back(), 0);
        std::vector<MipTerm> chance;
        std::vector<MipTerm> pick;
        for (int k = 0; k <= MaxOvercharge; ++k) {
            const int slack =
                k == 0 ? 0 : OverchargePenalty[static_cast<std::size_t>(k)] + item.chanceBase - *minChance;
            if (k > 0 && bestBonus + slack < 0)
                continue;
            const int column = AddColumn(model, 0, 1, true);
            if (k == 0)
                SetStart(model, column, 1);
            item.overColumns.push_back(column);
            item.overValues.push_back(k);
            pick.push_back({column, 1});
            withStrongest.push_back({column, -2.0 * k});
            withFixed.push_back({column, -2.0 * k});
            if (k > 0)
                chance.push_back({column, static_cast<double>(slack)});
        }
        p.AddRow(pick, 1, 1);
        if (!chance.empty()) {
            const std::vector<MipTerm> bonus = GemTerms(item, [](const Option& o) { return o.qualityBonus; });
            chance.insert(chance.end(), bonus.begin(), bonus.end());
            p.AddRow(chance, -item.fixedQualityBonus, MipInfinity);
        }
    }
    const double limit = 2.0 * item.capacity + 1 - item.fixedSum;
    p.AddRow(withStrongest, -MipInfinity, limit);
    if (item.fixedMax > 0)
        p.AddRow(withFixed, -MipInfinity, limit - item.fixedMax);

    const std::vector<MipTerm> price = GemTerms(item, [](const Option& o) { return o.price; });
    model.priceTerms.insert(model.priceTerms.end(), price.begin(), price.end());
    const std::vector<MipTerm> count = GemTerms(item, [](const Option&) { return 1; });
    model.countTerms.insert(model.countTerms.end(), count.begin(), count.end());
}

// Items the solver cannot tell apart are taken in the order of their strongest gem, so that it
// does not search every permutation of one plan.
void OrderTwins(Model& model, const Configuration& config)
{
    for (std::size_t i = 0; i + 1 < model.items.size(); ++i) {
        const ItemModel& a = model.items[i];
        const ItemModel& b = model.items[i + 1];
        if (!a.replaceable.empty() || Signature(a, config.Items[static_cast<std::size_t>(a.slot)]) !=
                                          Signature(b, config.Items[static_cast<std::size_t>(b.slot)]))
            continue;
        std::vector<MipTerm> terms;
        for (std::size_t o = 0; o < a.options.size(); ++o) {
            terms.push_back({a.strongest[o], static_cast<double>(a.options[o].key)});
            terms.push_back({b.strongest[o], -static_cast<double>(b.options[o].key)});
        }
        model.problem.AddRow(terms, 0, MipInfinity);
    }
}

void SetObjective(MipProblem& problem, const std::vector<MipTerm>& terms, double factor = 1)
{
    std::fill(problem.cost.begin(), problem.cost.end(), 0.0);
    for (const MipTerm& term : terms)
        problem.cost[static_cast<std::size_t>(term.column)] += factor * term.value;
}

int Rounded(const std::vector<double>& x, int column)
{
    return static_cast<int>(std::lround(x[static_cast<std::size_t>(column)]));
}

std::string Number(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

// The columns and rows of a plan over `model.items`: each item's gems, what each item fills of
// each target's deficit, and the gain of each target, at most its deficit and at most what the
// items fill. With `itemBounds`, what one item fills, weighted, is held to its bound: the most it
// can reach on its own, which spares the search proving that item by item.
void BuildModel(Model& model, const Configuration& config, const std::vector<PlanTarget>& targets,
                const std::vector<std::int64_t>& deficit, int gemQuality, const std::optional<int>& minChance,
                const std::vector<std::int64_t>* itemBounds)
{
    for (ItemModel& item : model.items)
        BuildItemColumns(model, item, gemQuality, minChance);
    OrderTwins(model, config);

    std::vector<std::vector<MipTerm>> targetFills(targets.size());
    for (std::size_t i = 0; i < model.items.size(); ++i) {
        const ItemModel& item = model.items[i];
        std::vector<int> columns(targets.size(), -1);
        std::vector<MipTerm> weighted;
        for (std::size_t t = 0; t < targets.size(); ++t) {
            std::vector<MipTerm> adds;
            for (std::size_t o = 0; o < item.options.size(); ++o) {
                const Option& option = item.options[o];
                if (option.target != static_cast<int>(t))
                    continue;
                adds.push_back({item.strongest[o], -static_cast<double>(option.amount)});
                adds.push_back({item.more[o], -static_cast<double>(option.amount)});
            }
            if (adds.empty() || deficit[t] == 0)
                continue;
            const int fill = AddColumn(model, 0, static_cast<double>(deficit[t]), false);
            columns[t] = fill;
            adds.push_back({fill, 1});
            model.problem.AddRow(adds, -MipInfinity, 0);
            targetFills[t].push_back({fill, -1});
            weighted.push_back({fill, static_cast<double>(ScaledWeight(targets[t].type))});
        }
        if (itemBounds != nullptr && !weighted.empty())
            model.problem.AddRow(weighted, -MipInfinity, static_cast<double>((*itemBounds)[i]));
        model.itemGainColumns.push_back(std::move(columns));
    }

    for (std::size_t t = 0; t < targets.size(); ++t) {
        const int gain = AddColumn(model, 0, static_cast<double>(deficit[t]), true);
        model.gainColumns.push_back(gain);
        std::vector<MipTerm> adds = targetFills[t];
        adds.push_back({gain, 1});
        model.problem.AddRow(adds, -MipInfinity, 0);
        model.gainTerms.push_back({gain, static_cast<double>(ScaledWeight(targets[t].type))});
    }
}

// A plan as the search's columns: per item, how many of each option it takes. Alike items are
// put in the order the search requires (strongest gem first).
std::vector<double> StartFromCounts(const Model& model, const Configuration& config,
                                    const std::vector<std::int64_t>& deficit, std::vector<std::vector<int>> counts)
{
    const auto strongestKey = [&](std::size_t i, const std::vector<int>& count) {
        int key = 0;
        for (std::size_t o = 0; o < model.items[i].options.size(); ++o)
            if (count[o] > 0)
                key = std::max(key, model.items[i].options[o].key);
        return key;
    };
    for (std::size_t first = 0; first < model.items.size();) {
        std::size_t last = first + 1;
        while (last < model.items.size() && model.items[last - 1].replaceable.empty() &&
               Signature(model.items[last - 1], config.Items[static_cast<std::size_t>(model.items[last - 1].slot)]) ==
                   Signature(model.items[last], config.Items[static_cast<std::size_t>(model.items[last].slot)]))
            ++last;
        std::stable_sort(counts.begin() + static_cast<std::ptrdiff_t>(first),
                         counts.begin() + static_cast<std::ptrdiff_t>(last),
                         [&](const std::vector<int>& a, const std::vector<int>& b) {
                             return strongestKey(first, a) > strongestKey(first, b);
                         });
        first = last;
    }

    std::vector<double> x(static_cast<std::size_t>(model.problem.Columns()), 0.0);
    const auto set = [&](int column, double value) { x[static_cast<std::size_t>(column)] = value; };
    std::vector<std::int64_t> adds(deficit.size(), 0);
    for (std::size_t i = 0; i < model.items.size(); ++i) {
        const ItemModel& item = model.items[i];
        const std::vector<int>& count = counts[i];
        std::vector<std::int64_t> itemAdds(deficit.size(), 0);
        int strongest = -1;
        int sum = item.fixedSum;
        int most = item.fixedMax;
        for (std::size_t o = 0; o < item.options.size(); ++o) {
            if (count[o] == 0)
                continue;
            const Option& option = item.options[o];
            set(item.more[o], count[o]);
            sum += count[o] * option.points;
            most = std::max(most, option.points);
            if (option.target >= 0)
                itemAdds[static_cast<std::size_t>(option.target)] += std::int64_t{count[o]} * option.amount;
            if (strongest < 0 || option.key > item.options[static_cast<std::size_t>(strongest)].key)
                strongest = static_cast<int>(o);
        }
        if (strongest >= 0) {
            const auto o = static_cast<std::size_t>(strongest);
            set(item.strongest[o], 1);
            set(item.more[o], count[o] - 1);
        }
        const int over = std::max(0, (sum + most) / 2 - item.capacity);
        for (std::size_t k = 0; k < item.overValues.size(); ++k)
            if (item.overValues[k] == over)
                set(item.overColumns[k], 1);
        for (std::size_t t = 0; t < deficit.size(); ++t) {
            adds[t] += itemAdds[t];
            if (model.itemGainColumns[i][t] >= 0)
                set(model.itemGainColumns[i][t], static_cast<double>(std::min(itemAdds[t], deficit[t])));
        }
    }
    for (std::size_t t = 0; t < deficit.size(); ++t)
        set(model.gainColumns[t], static_cast<double>(std::min(adds[t], deficit[t])));
    return x;
}

// How a quick fill picks its next gem: the largest gain; the largest gain that leaves the
// positions still free their fair share of the points; the largest gain per copper.
enum class Greed { Largest, FairShare, Cheapest };

// A quick plan for the search to start from: gem by gem, the best by `greed`, as long as the
// model's own rules accept the item. Gems already set are kept.
std::vector<double> GreedyStart(const Model& model, const Configuration& config, const std::vector<PlanTarget>& targets,
                                const std::vector<std::int64_t>& deficit, int gemQuality, int crafterSkillIndex,
                                const std::optional<int>& minChance, Greed greed)
{
    struct Work {
        GWItem item;
        std::size_t nextRow = 0;
        std::vector<int> count; // per option
    };
    std::vector<Work> work;
    std::vector<std::int64_t> adds(targets.size(), 0);
    for (const ItemModel& item : model.items) {
        Work w;
        w.item = config.Items[static_cast<std::size_t>(item.slot)];
        w.item.ImbuePoints = item.capacity;
        w.count.assign(item.options.size(), 0);
        for (std::size_t o = 0; o < item.options.size(); ++o)
            if (item.options[o].kept >= 0) {
                w.count[o] = 1;
                if (item.options[o].target >= 0)
                    adds[static_cast<std::size_t>(item.options[o].target)] += item.options[o].amount;
            }
        work.push_back(std::move(w));
    }
    const auto gainOf = [&](int target, int amount) {
        const auto t = static_cast<std::size_t>(target);
        return ScaledWeight(targets[t].type) *
               (std::min(adds[t] + amount, deficit[t]) - std::min(adds[t], deficit[t]));
    };
    for (;;) {
        double bestScore = 0;
        int bestItem = -1;
        int bestOption = -1;
        int bestPrice = 0;
        for (std::size_t i = 0; i < model.items.size(); ++i) {
            const ItemModel& item = model.items[i];
            Work& w = work[i];
            if (w.nextRow >= item.emptyRows.size())
                continue;
            const auto row = static_cast<std::size_t>(item.emptyRows[w.nextRow]);
            // What the used points can still grow by, in S + M, shared by the free positions
            // (the first new gem may count twice).
            const int free = static_cast<int>(item.emptyRows.size() - w.nextRow);
            int sum = 0;
            int strongestPoints = 0;
            for (int r = 0; r < GemsPerItem; ++r) {
                const int points = GemPoints(w.item.EffectType[static_cast<std::size_t>(r)],
                                             w.item.EffectAmount[static_cast<std::size_t>(r)]);
                sum += points;
                strongestPoints = std::max(strongestPoints, points);
            }
            const int room = 2 * item.capacity + 1 - sum - strongestPoints +
                             (minChance ? 2 * MaxOvercharge : 0);
            const int share = std::max(1, room / (free + (sum == 0 ? 1 : 0)));
            for (std::size_t o = 0; o < item.options.size(); ++o) {
                const Option& option = item.options[o];
                if (option.kept >= 0)
                    continue;
                const std::int64_t gain = gainOf(option.target, option.amount);
                if (gain <= 0)
                    continue;
                const Candidate& c = model.candidates[static_cast<std::size_t>(option.candidate)];
                GWItem trial = w.item;
                trial.EffectType[row] = c.type;
                trial.EffectAmount[row] = c.tier;
                trial.EffectName[row] = c.effect;
                trial.GemQuality[row] = gemQuality;
                if (!WithinPolicy(trial, crafterSkillIndex, minChance))
                    continue;
                // Within the share, the larger gain; beyond it, only a fraction of it.
                double score = static_cast<double>(gain);
                if (greed == Greed::FairShare && c.points > share)
                    score /= 1.0 + c.points;
                else if (greed == Greed::Cheapest)
                    score /= c.price;
                if (score > bestScore || (score == bestScore && bestItem >= 0 && c.price < bestPrice)) {
                    bestScore = score;
                    bestItem = static_cast<int>(i);
                    bestOption = static_cast<int>(o);
                    bestPrice = c.price;
                }
            }
        }
        if (bestItem < 0)
            break;
        const ItemModel& item = model.items[static_cast<std::size_t>(bestItem)];
        Work& w = work[static_cast<std::size_t>(bestItem)];
        const Option& option = item.options[static_cast<std::size_t>(bestOption)];
        const Candidate& c = model.candidates[static_cast<std::size_t>(option.candidate)];
        const auto row = static_cast<std::size_t>(item.emptyRows[w.nextRow++]);
        w.item.EffectType[row] = c.type;
        w.item.EffectAmount[row] = c.tier;
        w.item.EffectName[row] = c.effect;
        w.item.GemQuality[row] = gemQuality;
        ++w.count[static_cast<std::size_t>(bestOption)];
        adds[static_cast<std::size_t>(option.target)] += option.amount;
    }

    std::vector<std::vector<int>> counts;
    for (const Work& w : work)
        counts.push_back(w.count);
    return StartFromCounts(model, config, deficit, std::move(counts));
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
        if (!request.slots[s] || gwItem.PlayerMade != 1 || config.Equipped[s] == 0)
            continue;
        ItemModel item;
        item.slot = slot;
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
    struct Cheapest {
        double price = 0;
        double count = 0;
    };
    std::vector<std::optional<Cheapest>> cheapest(model.items.size());
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
                    Cheapest found;
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
    double bestStart = -1;
    for (const std::vector<double>* start : {&spread, &fair, &largest, &thrifty}) {
        if (MipFeasible(model.problem, *start) && startValue(*start) > bestStart) {
            bestStart = startValue(*start);
            model.start = *start;
        }
    }
    MipOutcome first;
    if (cancel != nullptr && cancel->Cancelled()) {
        first.status = MipStatus::Stopped;
        first.cancelled = true;
        first.bound = -std::numeric_limits<double>::infinity();
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
        std::int64_t allBounds = 0;
        for (std::int64_t bound : itemBounds)
            allBounds += bound;
        if (reached >= static_cast<double>(allBounds))
            for (std::size_t i = 0; i < model.items.size(); ++i) {
                if (!cheapest[i])
                    continue;
                const ItemModel& item = model.items[i];
                const std::vector<MipTerm> price = GemTerms(item, [](const Option& o) { return o.price; });
                model.problem.AddRow(price, cheapest[i]->price, MipInfinity);
                std::vector<MipTerm> both = GemTerms(item, [](const Option&) { return 1; });
                for (const MipTerm& term : price)
                    both.push_back({term.column, term.value * (item.Positions() + 1)});
                model.problem.AddRow(both, cheapest[i]->price * (item.Positions() + 1) + cheapest[i]->count,
                                     MipInfinity);
            }
        int positions = 0;
        for (const ItemModel& item : model.items)
            positions += item.Positions();
        std::vector<MipTerm> secondary;
        for (const MipTerm& term : model.priceTerms)
            secondary.push_back({term.column, term.value * (positions + 1)});
        for (const MipTerm& term : model.countTerms)
            secondary.push_back(term);
        SetObjective(model.problem, secondary);
        const double left = remaining();
        if (left > 0.001 && !(cancel && cancel->Cancelled())) {
            // The cheapest of the plans known to reach the value is where that search starts.
            std::vector<double> from = first.x;
            const auto secondaryOf = [&](const std::vector<double>& x) {
                double cost = 0;
                for (const MipTerm& term : secondary)
                    cost += term.value * x[static_cast<std::size_t>(term.column)];
                return cost;
            };
            for (const std::vector<double>* start : {&spread, &fair, &largest, &thrifty})
                if (MipFeasible(model.problem, *start) && secondaryOf(*start) < secondaryOf(from))
                    from = *start;
            MipOutcome second = SolveMip(model.problem, from, left, cancel);
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
