// The gem planner's mixed-integer model: the gems each item may take, how their points, chance,
// price and totals are written as rows for the solver, and quick plans for the search to start
// from. Used by the planner alone.
#pragma once

#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

#include "model/GWItem.h"
#include "plan/GemPlanner.h"
#include "plan/MipSolver.h"

namespace gw::plan {

inline constexpr int MaxOvercharge = 5; // six points over is impossible whatever the chance
// The utility factors (Stat 2/3, Resist 2, Hits 1/4, Power 2, Skill 5) times twelve are whole
// numbers, so the solver compares values exactly.
inline constexpr int ValueScale = 12;

// The weight of one point of a target's total, in twelfths: the model's own utility factor.
std::int64_t ScaledWeight(int type);

// Whether an item's gems are within the policy: within the capacity, or overcharged by at most
// five points with a chance of at least the player's minimum. The item's ImbuePoints must hold
// its capacity.
bool WithinPolicy(const GWItem& item, int crafterSkillIndex, const std::optional<int>& minChance);

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
inline auto Signature(const ItemModel& item, const GWItem& gwItem)
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

// Both columns of every option, with the option's figure as the coefficient; the strongest gem
// twice when `strongestTwice`.
std::vector<MipTerm> GemTerms(const ItemModel& item, int (*figure)(const Option&), bool strongestTwice = false);

void SetObjective(MipProblem& problem, const std::vector<MipTerm>& terms, double factor = 1);
int Rounded(const std::vector<double>& x, int column);

// The columns and rows of a plan over `model.items` (see PlanModel.cpp).
void BuildModel(Model& model, const Configuration& config, const std::vector<PlanTarget>& targets,
                const std::vector<std::int64_t>& deficit, int gemQuality, const std::optional<int>& minChance,
                const std::vector<std::int64_t>* itemBounds);

// The lowest price, and then the fewest gems, of a fill that brings one item alone to its bound.
struct CheapestFill {
    double price = 0;
    double count = 0;
};

// Once every item must reach its own bound, none can cost less than its cheapest fill of it: rows
// that say so, for the items whose cheapest fill is known.
void AddCheapestRows(Model& model, const std::vector<std::optional<CheapestFill>>& cheapest);

// The price in copper times more than the gems there can be, plus the gems: one figure that orders
// plans by price, then by the number of gems.
std::vector<MipTerm> SecondaryTerms(const Model& model);

// The sum of the terms at x.
double TermsAt(const std::vector<MipTerm>& terms, const std::vector<double>& x);

// A plan as the search's columns: per item, how many of each option it takes.
std::vector<double> StartFromCounts(const Model& model, const Configuration& config,
                                    const std::vector<std::int64_t>& deficit, std::vector<std::vector<int>> counts);

// How a quick fill picks its next gem: the largest gain; the largest gain that leaves the
// positions still free their fair share of the points; the largest gain per copper.
enum class Greed { Largest, FairShare, Cheapest };

// A quick plan for the search to start from (see PlanModel.cpp).
std::vector<double> GreedyStart(const Model& model, const Configuration& config, const std::vector<PlanTarget>& targets,
                                const std::vector<std::int64_t>& deficit, int gemQuality, int crafterSkillIndex,
                                const std::optional<int>& minChance, Greed greed);

} // namespace gw::plan
