// The gem planner: the cheapest gems that bring the totals a player picks to the caps of their
// level, without overcharging an item beyond what the player accepts. The plan is solved exactly
// by a mixed-integer solver and agrees with the model's own figures: capacity, used points (the
// strongest gem in full, the others in half, rounded down), overcharge, chance, price and totals.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/GWItem.h"
#include "model/Imbue.h"

namespace gw {

// One total the player wants at its cap: an effect type (TypeStat, TypeResist, TypeHits,
// TypePower or TypeSkill) and the effect index within that type's list for the realm (0 for
// Hits and Power).
struct PlanTarget {
    int type = 0;
    int effect = 0;
    bool operator==(const PlanTarget&) const = default;
};

// The eight stats, the nine resists, in list order.
std::vector<PlanTarget> AllStatTargets();
std::vector<PlanTarget> AllResistTargets();
// "Strength", "Body Resist", "Hits", "Power", or the realm's skill name; empty for no target.
std::string PlanTargetName(const PlanTarget& target, int realm);
// The cap of the character level that the target's total is held to (0 for no target).
int PlanTargetCap(const PlanTarget& target, const Caps& caps);

// The slots the planner may change by default: every equipped player-made armour and weapon slot.
std::array<bool, SlotCount> DefaultPlanSlots(const Configuration& config);

struct PlanRequest {
    std::vector<PlanTarget> targets;
    // Only player-made armour and weapon slots (0..9) can be changed; other slots are ignored.
    std::array<bool, SlotCount> mayChange{};
    // false: only empty gem positions are filled; true: gems already set may be replaced too.
    bool replaceGems = false;
    int gemQuality = 5; // quality index of new gems: 0..6 is 94..100, 5 is 99
    // No value: the used points stay within the capacity. A value P: an item may be overcharged
    // while its success chance stays at least P%.
    std::optional<int> minChance;
    double timeLimitSeconds = 10.0;
};

// Set from any thread to stop a running plan; the best plan found so far is returned.
class PlanCancel {
  public:
    void Cancel() noexcept { m_cancelled.store(true, std::memory_order_relaxed); }
    bool Cancelled() const noexcept { return m_cancelled.load(std::memory_order_relaxed); }

  private:
    std::atomic<bool> m_cancelled{false};
};

enum class PlanStatus {
    Optimal,       // proven best in value, then price, then number of gems
    TimeLimit,     // the time limit ended the search: the best plan found, with the solver's bound
    Cancelled,     // cancelled: the best plan found so far (possibly none), with the bound
    NothingToFill, // no target, or no gem position the planner may fill on the slots chosen
    TargetsAtCap,  // every target already is at its cap: nothing to gain
    Failed,        // the solver failed; nothing is planned
};

// One gem position the plan sets.
struct PlannedGem {
    int row = 0;         // gem position 0..3
    int type = 0;
    int effect = 0;
    int tier = 0;
    int quality = 5;
    int points = 0;      // GemPoints of the gem
    int price = 0;       // GemCost of the gem, in copper
    bool replaces = false; // a gem was set there before
};

// One slot the plan changes, with its figures before and after.
struct PlannedItem {
    int slot = 0;
    std::vector<PlannedGem> gems;
    GWItem before;
    GWItem after;        // `before` with the gems set and ImbuePoints = capacity
    int capacity = 0;    // ImbueCapacity of the item's level and quality
    int usedBefore = 0;
    int usedAfter = 0;
    OverchargeResult overchargeBefore; // the window's rule: used rows only, against `capacity`
    OverchargeResult overchargeAfter;
};

struct PlannedTotal {
    PlanTarget target;
    int cap = 0;
    std::int64_t before = 0;
    std::int64_t after = 0;
};

struct PlanResult {
    PlanStatus status = PlanStatus::Failed;
    std::string message;               // one line that says what happened
    std::vector<PlannedItem> items;    // the slots changed, in slot order
    std::vector<PlannedTotal> totals;  // the targets, in request order
    std::int64_t priceBefore = 0;      // every gem of the configuration, in copper
    std::int64_t priceAfter = 0;
    int gemsAdded = 0;                 // gems set on positions that were empty
    int gemsReplaced = 0;
    // The weighted sum over the targets of min(total, cap): before, after, the most the caps
    // allow, and the solver's proven upper bound on what any plan can reach.
    double valueBefore = 0;
    double valueAfter = 0;
    double valueAtCaps = 0;
    double valueBound = 0;
    double seconds = 0;                // time spent solving
    // Slots that were chosen but left as they are: their gems already break the overcharge
    // policy, and filling more positions could only make that worse.
    std::vector<int> slotsLeftAlone;
    bool HasPlan() const { return !items.empty(); }
};

// Plans gems for `config` as the window holds it (items, Equipped flags, caps), in `realm` with
// the crafter-skill index of the crafter-skill list. Never throws; a failing solver gives
// PlanStatus::Failed with a message. `cancel` may be set from another thread while this runs.
PlanResult PlanGems(const Configuration& config, int realm, int crafterSkillIndex, const PlanRequest& request,
                    const PlanCancel* cancel = nullptr);

// Writes the planned gems into the configuration's items (and each changed item's capacity into
// its ImbuePoints); other fields of the items are left as they are.
void ApplyPlan(Configuration& config, const PlanResult& plan);

// The status line: "Proven optimal: ..." or "Best plan found in 10 s: ..., bound ...", or the
// result's message for the outcomes without a plan.
std::string PlanStatusLine(const PlanResult& plan);

} // namespace gw
