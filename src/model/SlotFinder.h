// The slot finders: which slots carry an effect and with what bonus, which effect a focus or
// skill line of the character panel names, and where the next free gem position is.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/GWItem.h"

namespace gw {

// One line of the finder's list and the slot a click on it jumps to.
struct FinderLine {
    std::string text;   // "Chest: 1"
    int slot = 0;
    bool operator==(const FinderLine&) const = default;
};

// "Slots with %s" with the effect's name in the realm ("Slots with Strength").
std::string FinderCaption(int type, int realm, int index);

// Every slot, equipped or not, player-made or not, whose rows of that effect add up to a bonus
// other than 0, in slot order, as "%s: %d" with the slot's tab caption and the sum.
std::vector<FinderLine> SlotsWithEffect(const Configuration& config, int type, int index);

// The focus row named by a focus label's caption, or -1 when the caption is empty, reads
// "No Focus" or names no focus of the realm. The last row whose name occurs in the caption wins.
int FocusRowOfCaption(std::string_view caption, int realm);
// The skill row named by a line of the skill list, or -1 when it names no skill of the realm.
int SkillRowOfLine(std::string_view line, int realm);

// A gem position: the slot and the row 0..3 within it.
struct GemPosition {
    int slot = 0;
    int row = 0;
    bool operator==(const GemPosition&) const = default;
};

// The first Unused row of the equipped player-made armour and weapon items (slots 0..9);
// drops, jewellery and unequipped slots are passed over. Nothing when every such row is used.
std::optional<GemPosition> FirstEmptyGem(const Configuration& config);

} // namespace gw
