#include "model/Imbue.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "data/Globals.h"
#include "model/Gems.h"

namespace gw {

// Imbue points an item can take, by item level 0..51 (rows) and item quality 94..100 (columns).
const int ImbueCapacityTable[ImbueLevelCount][QualityCount] = {
    {0, 0, 0, 0, 0, 0, 1},        // 0
    {0, 1, 1, 1, 1, 1, 1},        // 1
    {1, 1, 1, 1, 1, 2, 2},        // 2
    {1, 1, 1, 2, 2, 2, 2},        // 3
    {1, 1, 2, 2, 2, 3, 3},        // 4
    {1, 2, 2, 2, 3, 3, 4},        // 5
    {1, 2, 2, 3, 3, 4, 4},        // 6
    {2, 2, 3, 3, 4, 4, 5},        // 7
    {2, 3, 3, 4, 4, 5, 5},        // 8
    {2, 3, 3, 4, 5, 5, 6},        // 9
    {2, 3, 4, 4, 5, 6, 7},        // 10
    {2, 3, 4, 5, 6, 6, 7},        // 11
    {3, 4, 4, 5, 6, 7, 8},        // 12
    {3, 4, 5, 6, 6, 7, 9},        // 13
    {3, 4, 5, 6, 7, 8, 9},        // 14
    {3, 4, 5, 6, 7, 8, 10},       // 15
    {3, 5, 6, 7, 8, 9, 10},       // 16
    {4, 5, 6, 7, 8, 10, 11},      // 17
    {4, 5, 6, 8, 9, 10, 12},      // 18
    {4, 6, 7, 8, 9, 11, 12},      // 19
    {4, 6, 7, 8, 10, 11, 13},     // 20
    {4, 6, 7, 9, 10, 12, 13},     // 21
    {5, 6, 8, 9, 11, 12, 14},     // 22
    {5, 7, 8, 10, 11, 13, 15},    // 23
    {5, 7, 9, 10, 12, 13, 15},    // 24
    {5, 7, 9, 10, 12, 14, 16},    // 25
    {5, 8, 9, 11, 12, 14, 16},    // 26
    {6, 8, 10, 11, 13, 15, 17},   // 27
    {6, 8, 10, 12, 13, 15, 18},   // 28
    {6, 8, 10, 12, 14, 16, 18},   // 29
    {6, 9, 11, 12, 14, 16, 19},   // 30
    {6, 9, 11, 13, 15, 17, 20},   // 31
    {7, 9, 11, 13, 15, 17, 20},   // 32
    {7, 10, 12, 14, 16, 18, 21},  // 33
    {7, 10, 12, 14, 16, 19, 21},  // 34
    {7, 10, 12, 14, 17, 19, 22},  // 35
    {7, 10, 13, 15, 17, 20, 23},  // 36
    {8, 11, 13, 15, 17, 20, 23},  // 37
    {8, 11, 13, 16, 18, 21, 24},  // 38
    {8, 11, 14, 16, 18, 21, 24},  // 39
    {8, 11, 14, 16, 19, 22, 25},  // 40
    {8, 12, 14, 17, 19, 22, 26},  // 41
    {9, 12, 15, 17, 20, 23, 26},  // 42
    {9, 12, 15, 18, 20, 23, 27},  // 43
    {9, 13, 15, 18, 21, 24, 27},  // 44
    {9, 13, 16, 18, 21, 24, 28},  // 45
    {9, 13, 16, 19, 22, 25, 29},  // 46
    {10, 13, 16, 19, 22, 25, 29}, // 47
    {10, 14, 17, 20, 23, 26, 30}, // 48
    {10, 14, 17, 20, 23, 27, 31}, // 49
    {10, 14, 17, 20, 23, 27, 31}, // 50
    {10, 15, 18, 21, 24, 28, 32}, // 51
};

const std::array<int, 7> GemQualityBonus = {0, 0, 1, 3, 5, 8, 11};
const std::array<int, 7> ItemQualityBonus = {0, 0, 6, 8, 10, 18, 26};
const std::array<int, 6> OverchargePenalty = {0, -10, -20, -30, -50, -70};
const std::array<int, CrafterSkillCount> CrafterSkillBonus = {50, 45, 40,  35,  30,  25,  20,  15,  10,  5,
                                                              0,  -5, -10, -15, -20, -25, -30, -35, -40, -45};

namespace {

// A quality index outside the list counts as its nearest end, for capacity and bonuses alike,
// so a damaged file still gives a figure rather than reading past a table.
int ClampQuality(int index)
{
    return std::clamp(index, 0, QualityCount - 1);
}

bool RowUsed(const GWItem& item, int row)
{
    return item.EffectType[static_cast<std::size_t>(row)] != TypeUnused;
}

} // namespace

std::string CrafterSkillText(int index)
{
    if (index < 0 || index >= CrafterSkillCount)
        return {};
    return std::to_string(1001 - 50 * index);
}

std::vector<std::string> CrafterSkillListTexts()
{
    std::vector<std::string> texts;
    texts.reserve(CrafterSkillCount);
    for (int index = 0; index < CrafterSkillCount; ++index)
        texts.push_back(CrafterSkillText(index));
    return texts;
}

int CrafterSkillBonusOf(int index)
{
    return index >= 0 && index < CrafterSkillCount ? CrafterSkillBonus[static_cast<std::size_t>(index)] : 0;
}

int GemPoints(int type, int tier)
{
    if (tier < 0 || tier >= TierCount)
        return 0;
    // Stat gems are charged by their base value, not by the amount they give.
    const int v = GemBaseValue(type, tier);
    switch (type) {
    case TypeStat:
        return v;
    case TypeResist:
    case TypePower:
        return tier == 0 ? 1 : (v - 1) * 2;
    case TypeHits:
        return v / 4;
    case TypeFocus:
        return 1;
    case TypeSkill:
        return tier == 0 ? 1 : (v - 1) * 5;
    default:
        return 0;
    }
}

int ItemPoints(const GWItem& item, int gem)
{
    std::array<int, GemsPerItem> points{};
    int strongest = 0;
    for (std::size_t j = 0; j < points.size(); ++j) {
        points[j] = GemPoints(item.EffectType[j], item.EffectAmount[j]);
        // Only a strictly stronger gem takes over, so the earliest of equal gems counts in full.
        if (points[j] > points[static_cast<std::size_t>(strongest)])
            strongest = static_cast<int>(j);
    }
    if (gem == 0) {
        int sum = points[static_cast<std::size_t>(strongest)];
        for (int p : points)
            sum += p;
        return sum / 2;
    }
    if (gem < 1 || gem > GemsPerItem)
        return 0;
    const int p = points[static_cast<std::size_t>(gem - 1)];
    return gem - 1 == strongest ? 2 * p : p;
}

int ImbueCapacity(int level, int qualityIndex)
{
    // Levels beyond the table take its nearest row, so any typed level gives a figure.
    const int row = std::clamp(level, 0, ImbueLevelCount - 1);
    return ImbueCapacityTable[row][ClampQuality(qualityIndex)];
}

int ImbueCapacityFromText(std::string_view levelText, int qualityIndex)
{
    return ImbueCapacity(ReadLeadingInt(levelText), qualityIndex);
}

namespace {

// The overcharge of an item measured against a given capacity.
OverchargeResult OverchargeAgainst(const GWItem& item, int capacity, int crafterSkillIndex,
                                   OverchargeRows rows)
{
    OverchargeResult result;
    // Stored capacities from files may be any 32-bit value; subtract wide and saturate.
    const std::int64_t over = std::int64_t{ItemPoints(item, 0)} - capacity;
    result.over = static_cast<int>(std::clamp<std::int64_t>(over, INT32_MIN, INT32_MAX));
    if (over >= 6) {
        result.text = "Impossible!";
        result.colour = ChanceColour::Red;
        return result;
    }
    if (over <= 0) {
        result.text = "None";
        result.colour = ChanceColour::WindowText;
        return result;
    }
    int chance = 0;
    for (int row = 0; row < GemsPerItem; ++row) {
        if (rows == OverchargeRows::UsedRowsOnly && !RowUsed(item, row))
            continue;
        chance += GemQualityBonus[static_cast<std::size_t>(
            ClampQuality(item.GemQuality[static_cast<std::size_t>(row)]))];
    }
    chance += OverchargePenalty[static_cast<std::size_t>(over)];
    chance += ItemQualityBonus[static_cast<std::size_t>(ClampQuality(item.Quality))];
    chance += CrafterSkillBonusOf(crafterSkillIndex);

    result.hasChance = true;
    result.chance = chance;
    if (chance >= 85)
        result.colour = ChanceColour::Green;
    else if (chance >= 60)
        result.colour = ChanceColour::Yellow;
    else
        result.colour = ChanceColour::Red;
    result.text = chance < 1 ? "BOOM! (" + std::to_string(chance) + "%)" : std::to_string(chance) + "%";
    return result;
}

} // namespace

OverchargeResult ComputeOvercharge(const GWItem& item, int crafterSkillIndex, OverchargeRows rows)
{
    return OverchargeAgainst(item, item.ImbuePoints, crafterSkillIndex, rows);
}

double EffectValue(int type, int amount, int playerMade)
{
    constexpr double twoThirds = 0.6666666666666666;
    // A player-made gem stores its tier; a drop or jewellery effect the amount itself. Typed
    // amounts are widened first so that no factor can overflow.
    const double value = playerMade != 0 ? double(GemAmount(type, amount)) : double(amount);
    switch (type) {
    case TypeStat:
        return value * twoThirds;
    case TypeResist:
    case TypePower:
        return value * 2;
    case TypeHits:
        return value * 0.25;
    case TypeFocus:
        return 1;
    case TypeSkill:
        return value * 5;
    default:
        return 0;
    }
}

double SlotUtility(const GWItem& item)
{
    float sum = static_cast<float>(EffectValue(item.EffectType[0], item.EffectAmount[0], item.PlayerMade));
    sum = static_cast<float>(sum + EffectValue(item.EffectType[1], item.EffectAmount[1], item.PlayerMade));
    sum = static_cast<float>(sum + EffectValue(item.EffectType[2], item.EffectAmount[2], item.PlayerMade));
    return sum + EffectValue(item.EffectType[3], item.EffectAmount[3], item.PlayerMade);
}

double PreviewUtility(const GWItem& item)
{
    float sum = 0;
    for (std::size_t row = 0; row < GemsPerItem; ++row)
        sum = static_cast<float>(sum + EffectValue(item.EffectType[row], item.EffectAmount[row], 0));
    return sum;
}

std::string FormatUtility(double utility)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%3.1f", utility);
    return buffer;
}

std::string FormatShare(int doubledShare)
{
    // Half of a whole number always ends in .0 or .5, so "%2.1f" is written exactly without
    // going through floating point (the refresh shows four of these).
    const std::int64_t doubled = doubledShare;
    const std::int64_t magnitude = doubled < 0 ? -doubled : doubled;
    std::string text = doubled < 0 ? "-" : "";
    text += std::to_string(magnitude / 2);
    text += magnitude % 2 != 0 ? ".5" : ".0";
    return text;
}

int EmptyGemCount(const Configuration& config)
{
    int count = 0;
    for (int slot = 0; slot < ArmourSlotCount; ++slot) {
        const GWItem& item = config.Items[static_cast<std::size_t>(slot)];
        if (item.PlayerMade == 0 || config.Equipped[static_cast<std::size_t>(slot)] == 0)
            continue;
        for (int type : item.EffectType)
            if (type == TypeUnused)
                ++count;
    }
    return count;
}

std::string FindEmptySlotCaption(int count)
{
    return "Find Empty Slot (" + std::to_string(count) + ")";
}

ArmourFigures ComputeArmourFigures(const Configuration& config, int slot, std::string_view levelText,
                                   int qualityIndex, int crafterSkillIndex, int realm)
{
    ArmourFigures figures;
    figures.emptyGems = EmptyGemCount(config);
    figures.findEmptyCaption = FindEmptySlotCaption(figures.emptyGems);
    // Only the armour and weapon tabs have these figures; any other slot shows those of a
    // cleared item. A drop's typed amounts are read as tiers here like any other, bounded by the
    // lookups; the tab hides these figures for a drop.
    static const GWItem cleared;
    const GWItem& item =
        slot >= 0 && slot < ArmourSlotCount ? config.Items[static_cast<std::size_t>(slot)] : cleared;

    std::int64_t itemCost = 0;
    for (std::size_t row = 0; row < GemsPerItem; ++row) {
        const int type = item.EffectType[row];
        if (type < 1) {
            figures.gemNames[row] = "None";
            figures.gemCosts[row] = "0c";
            continue;
        }
        figures.gemNames[row] = GemName(type, item.EffectAmount[row], item.EffectName[row], realm);
        const int cost = GemCost(type, item.EffectAmount[row]);
        figures.gemCosts[row] = FormatMoney(cost);
        itemCost += cost;
    }
    figures.itemCost = FormatMoney(itemCost);

    figures.capacity = ImbueCapacityFromText(levelText, qualityIndex);
    figures.usedPoints = ItemPoints(item, 0);
    for (int gem = 1; gem <= GemsPerItem; ++gem)
        figures.shares[static_cast<std::size_t>(gem - 1)] = FormatShare(ItemPoints(item, gem));
    figures.overcharge =
        OverchargeAgainst(item, figures.capacity, crafterSkillIndex, OverchargeRows::UsedRowsOnly);
    figures.utility = FormatUtility(SlotUtility(item));
    return figures;
}

} // namespace gw
