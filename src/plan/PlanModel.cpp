#include "plan/PlanModel.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "data/Globals.h"
#include "model/Imbue.h"

namespace gw::plan {


// The weight of one point of a target's total, in twelfths: the model's own utility factor.
std::int64_t ScaledWeight(int type)
{
    return std::llround(EffectValue(type, ValueScale, 0));
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

static void SetStart(Model& model, int column, double value)
{
    model.start[static_cast<std::size_t>(column)] = value;
}

static int AddColumn(Model& model, double lo, double hi, bool integer)
{
    model.start.push_back(lo);
    return model.problem.AddColumn(lo, hi, 0, integer);
}

// Both columns of every option, with the option's figure as the coefficient; the strongest gem
// twice when `strongestTwice`.
std::vector<MipTerm> GemTerms(const ItemModel& item, int (*figure)(const Option&), bool strongestTwice)
{
    std::vector<MipTerm> terms;
    for (std::size_t o = 0; o < item.options.size(); ++o) {
        const double value = figure(item.options[o]);
        terms.push_back({item.strongest[o], strongestTwice ? 2 * value : value});
        terms.push_back({item.more[o], value});
    }
    return terms;
}

static void BuildItemColumns(Model& model, ItemModel& item, int gemQuality, const std::optional<int>& minChance)
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
static void OrderTwins(Model& model, const Configuration& config)
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

void SetObjective(MipProblem& problem, const std::vector<MipTerm>& terms, double factor)
{
    std::fill(problem.cost.begin(), problem.cost.end(), 0.0);
    for (const MipTerm& term : terms)
        problem.cost[static_cast<std::size_t>(term.column)] += factor * term.value;
}

int Rounded(const std::vector<double>& x, int column)
{
    return static_cast<int>(std::lround(x[static_cast<std::size_t>(column)]));
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

void AddCheapestRows(Model& model, const std::vector<std::optional<CheapestFill>>& cheapest)
{
    for (std::size_t i = 0; i < model.items.size() && i < cheapest.size(); ++i) {
        if (!cheapest[i])
            continue;
        const ItemModel& item = model.items[i];
        const std::vector<MipTerm> price = GemTerms(item, [](const Option& o) { return o.price; });
        model.problem.AddRow(price, cheapest[i]->price, MipInfinity);
        std::vector<MipTerm> both = GemTerms(item, [](const Option&) { return 1; });
        for (const MipTerm& term : price)
            both.push_back({term.column, term.value * (item.Positions() + 1)});
        model.problem.AddRow(both, cheapest[i]->price * (item.Positions() + 1) + cheapest[i]->count, MipInfinity);
    }
}

std::vector<MipTerm> SecondaryTerms(const Model& model)
{
    int positions = 0;
    for (const ItemModel& item : model.items)
        positions += item.Positions();
    std::vector<MipTerm> secondary;
    for (const MipTerm& term : model.priceTerms)
        secondary.push_back({term.column, term.value * (positions + 1)});
    for (const MipTerm& term : model.countTerms)
        secondary.push_back(term);
    return secondary;
}

double TermsAt(const std::vector<MipTerm>& terms, const std::vector<double>& x)
{
    double sum = 0;
    for (const MipTerm& term : terms)
        sum += term.value * x[static_cast<std::size_t>(term.column)];
    return sum;
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

} // namespace gw::plan
