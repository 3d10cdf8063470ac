// Bounds on the whole plan from a coarser problem: the targets of one type (the eight stats, the
// nine resists, the skills) merged into one whose deficit is their sum. Gems of one type and tier
// cost and use the same whatever their effect, so every plan is also a plan of the coarser problem
// at the same price, whose value can only be larger (one cap over the sum rather than one each).
// Its best value therefore bounds every plan's from above, and its lowest price at that value
// bounds from below. Without the many interchangeable targets, and with alike items counted by
// the whole fills they take rather than gem by gem, the solver settles it quickly, and
// its plan spread back over the targets, when no cap wastes a point, meets both bounds: a plan
// proven best without searching the full problem.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "plan/PlanModel.h"

namespace gw::plan {

struct KindsOutcome {
    std::optional<std::int64_t> valueBound; // the most any plan gains, in twelfths
    std::optional<double> secondaryBound;   // the least SecondaryTerms of any plan gaining valueBound
    std::vector<double> plan;               // the coarse plan spread back, as columns of the model; or empty
};

// `model` is the full problem as built; `items` are its items as they were before it was built;
// `known` are plans of it that the merged search may start from.
KindsOutcome SolveByKinds(const Model& model, std::vector<ItemModel> items, const Configuration& config,
                          const std::vector<PlanTarget>& targets, const std::vector<std::int64_t>& deficit,
                          int gemQuality, int crafterSkillIndex, const std::optional<int>& minChance,
                          const std::vector<std::int64_t>& itemBounds,
                          const std::vector<std::optional<CheapestFill>>& cheapest,
                          const std::vector<const std::vector<double>*>& known, double seconds,
                          const PlanCancel* cancel);

} // namespace gw::plan
