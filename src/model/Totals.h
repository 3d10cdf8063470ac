// The character panel: stat, resist, hits, power, focus and skill totals against the caps of
// the character level, the total cost, and the rule of which weapon slots count.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/GWItem.h"

namespace gw {

enum class DisplayMode { TotalBonus = 0, DistanceToCap = 1 };

// The character level read from the level box and held to 1..50. `text` is what the box must
// show afterwards: "50" above 50, "1" at 0 or below, the typed text unchanged otherwise.
struct CharLevel {
    int level = 50;
    bool rewritten = false;
    std::string text;
};
CharLevel HoldCharLevel(std::string_view typed);
Caps CapsForLevel(int level);

// The value an effect row adds to the totals: the looked-up gem amount for a player-made item,
// the stored amount for a drop or jewellery item.
int SlotBonus(const GWItem& item, int row);

// The summed totals of the equipped slots as numbers, before they are shown: what the panel
// writes and what the gem planner weighs. Effects whose index lies outside their list count
// nowhere; focus effects are listed, never summed, so they have no total here.
struct CharacterTotals {
    std::array<std::int64_t, 8> stats{};
    std::array<std::int64_t, 9> resists{};
    std::array<std::int64_t, 32> skills{};  // only the realm's own skills are summed
    std::int64_t hits = 0;
    std::int64_t power = 0;
};
CharacterTotals SumTotals(const Configuration& config, int realm);

// Every text the character panel shows, computed as one value.
struct CharacterPanel {
    std::array<std::string, 8> stats;    // STR CON DEX QUI INT PIE CHA EMP
    std::array<std::string, 9> resists; // Body Cold Heat Energy Matter Spirit Crush Thrust Slash
    std::string hits;
    std::string power;
    std::array<std::string, 4> focus;    // empty where no focus effect fills the line
    std::vector<std::string> skills;     // "n Name", in skill index order
    std::string totalCost;               // "0c" or the money text
};

CharacterPanel ComputePanel(const Configuration& config, int realm, DisplayMode mode);

// The "Equipped" box was set to `checked` on armour slot `slot` (6..9 change flags).
void ApplyEquippedClick(std::array<int, SlotCount>& equipped, int slot, bool checked);
// The weapon flags derived from the items after a configuration has been opened: right hand,
// else two-handed, else ranged, else right hand. Flag 7 keeps its value when the right hand holds
// an item.
void DeriveEquippedAfterOpen(Configuration& config);

} // namespace gw
