// Imbue points, overcharge and success chance, utility and the empty-gem count.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/GWItem.h"

namespace gw {

inline constexpr int ImbueLevelCount = 52;   // item levels 0..51
inline constexpr int CrafterSkillCount = 20; // "1001", "951", ... "51"

extern const int ImbueCapacityTable[ImbueLevelCount][7];
extern const std::array<int, 7> GemQualityBonus;
extern const std::array<int, 7> ItemQualityBonus;
extern const std::array<int, 6> OverchargePenalty;   // [1..5]; [0] is unused and 0
extern const std::array<int, CrafterSkillCount> CrafterSkillBonus;

// "1001", "951", ... "51": the crafter-skill list, index 0 first.
std::string CrafterSkillText(int index);
std::vector<std::string> CrafterSkillListTexts();
// Bonus of a crafter-skill index; an index outside the list counts as 0.
int CrafterSkillBonusOf(int index);

// Points one gem charges; 0 for Unused, an unknown type or a tier outside 0..9.
int GemPoints(int type, int tier);
// gem 0: points the four gems use together (the strongest in full, the others in half, rounded
// down). gem 1..4: that gem's share, doubled (show it halved with one decimal).
int ItemPoints(const GWItem& item, int gem);
// The capacity of an item level and quality index. Levels outside the table are clamped to
// 0..51 and a quality outside 0..6 to the nearest end, so any typed level gives a figure.
int ImbueCapacity(int level, int qualityIndex);
// The same, from the text of the level box.
int ImbueCapacityFromText(std::string_view levelText, int qualityIndex);

enum class ChanceColour { WindowText, Green, Yellow, Red };

struct OverchargeResult {
    int over = 0;            // used points minus the stored capacity
    bool hasChance = false;  // over of 1..5
    int chance = 0;          // only meaningful with hasChance
    std::string text;        // "None", "Impossible!", "BOOM! (n%)" or "n%"
    ChanceColour colour = ChanceColour::WindowText;
};

// Which gem positions add their gem-quality bonus to the chance: the window counts only the
// rows whose type is not Unused; reports count all four positions.
enum class OverchargeRows { UsedRowsOnly, AllPositions };

// Against the item's stored ImbuePoints, with the item's own Quality and GemQuality.
OverchargeResult ComputeOvercharge(const GWItem& item, int crafterSkillIndex, OverchargeRows rows);

// Utility of one effect: a tier for a player-made item, the typed amount otherwise.
double EffectValue(int type, int amount, int playerMade);
// The four effects summed with the running sums held in single precision, the last added in
// full precision.
double SlotUtility(const GWItem& item);
// The browser's preview rule: drop values whatever PlayerMade says, every running sum and the
// result held in single precision.
double PreviewUtility(const GWItem& item);
// "%3.1f"
std::string FormatUtility(double utility);
// A doubled share shown halved, "%2.1f" (ItemPoints 5 shows "2.5").
std::string FormatShare(int doubledShare);

// Empty gem positions of the equipped player-made armour and weapon items.
int EmptyGemCount(const Configuration& config);
// "Find Empty Slot (%d)"
std::string FindEmptySlotCaption(int count);

// Everything the armour tab shows for its current item (names and costs from the stored item).
struct ArmourFigures {
    int capacity = 0;                      // stored back into ImbuePoints by the caller
    int usedPoints = 0;
    std::array<std::string, 4> shares;     // "%2.1f"
    std::array<std::string, 4> gemNames;   // "None" for an Unused row
    std::array<std::string, 4> gemCosts;   // "0c" for an Unused row
    std::string itemCost;                  // FormatMoney of the sum (empty when no row is used)
    OverchargeResult overcharge;
    std::string utility;                   // "%3.1f"
    int emptyGems = 0;
    std::string findEmptyCaption;
};

// The figures of one armour slot. The item's ImbuePoints is taken as `capacity` (the caller
// stores it first, as the refresh does), so the overcharge is measured against it.
ArmourFigures ComputeArmourFigures(const Configuration& config, int slot, std::string_view levelText,
                                   int qualityIndex, int crafterSkillIndex, int realm);

} // namespace gw
