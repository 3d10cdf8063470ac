// Imbue capacity, gem and item points, overcharge and chance, utility and empty gem positions.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "data/Globals.h"
#include "model/Imbue.h"

namespace gw {
namespace {

// None of them is a type, tier, quality, gem number or effect index.
const std::vector<int> Hostile = {INT_MIN, -100000, -1, 32, 52, 1000, INT_MAX};

GWItem Crafted(std::array<int, 4> types, std::array<int, 4> tiers, int qualityIndex = 5,
               std::array<int, 4> gemQualities = {5, 5, 5, 5})
{
    GWItem item;
    item.EffectType = types;
    item.EffectAmount = tiers;
    item.Quality = qualityIndex;
    item.GemQuality = gemQualities;
    return item;
}

GWItem Drop(std::array<int, 4> types, std::array<int, 4> amounts)
{
    GWItem item;
    item.PlayerMade = 0;
    item.EffectType = types;
    item.EffectAmount = amounts;
    return item;
}

TEST(ImbueCapacity, TableRowsAtBothEnds)
{
    const int expected[4][7] = {{0, 0, 0, 0, 0, 0, 1},
                                {0, 1, 1, 1, 1, 1, 1},
                                {10, 14, 17, 20, 23, 27, 31},
                                {10, 15, 18, 21, 24, 28, 32}};
    const int levels[4] = {0, 1, 50, 51};
    for (int r = 0; r < 4; ++r)
        for (int q = 0; q < 7; ++q)
            EXPECT_EQ(ImbueCapacity(levels[r], q), expected[r][q]) << levels[r] << "/" << q;
    EXPECT_EQ(ImbueCapacityTable[25][3], 10);
}

TEST(ImbueCapacity, LevelAndQualityOutsideTheTableTakeTheNearestEnd)
{
    EXPECT_EQ(ImbueCapacity(52, 5), 28);
    EXPECT_EQ(ImbueCapacity(INT_MAX, 6), 32);
    EXPECT_EQ(ImbueCapacity(-1, 6), 1);
    EXPECT_EQ(ImbueCapacity(INT_MIN, 6), 1);
    EXPECT_EQ(ImbueCapacity(51, -1), 10);
    EXPECT_EQ(ImbueCapacity(51, 7), 32);
    EXPECT_EQ(ImbueCapacity(INT_MIN, INT_MAX), 1);
}

TEST(ImbueCapacity, FromTheLevelBoxText)
{
    EXPECT_EQ(ImbueCapacityFromText("51", 5), 28);
    EXPECT_EQ(ImbueCapacityFromText("abc", 6), 1) << "text without digits is level 0";
    EXPECT_EQ(ImbueCapacityFromText("abc", 0), 0);
    EXPECT_EQ(ImbueCapacityFromText("99999999999999", 5), 28);
}

TEST(GemPoints, EveryTypeByTier)
{
    const std::vector<std::vector<int>> expected = {
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},          // Unused
        {1, 3, 5, 7, 9, 11, 13, 15, 17, 19},     // Stat charges its base value
        {1, 2, 4, 8, 12, 16, 20, 24, 28, 32},    // Resist
        {1, 3, 5, 7, 9, 11, 13, 15, 17, 19},     // Hits
        {1, 2, 4, 8, 12, 16, 20, 24, 28, 32},    // Power
        {1, 1, 1, 1, 1, 1, 1, 1, 1, 1},          // Focus
        {1, 5, 10, 15, 20, 25, 30, 35, 40, 45}}; // Skill
    for (int type = 0; type < EffectTypeCount; ++type)
        for (int tier = 0; tier < TierCount; ++tier)
            EXPECT_EQ(GemPoints(type, tier), expected[type][tier]) << type << "/" << tier;
    for (int bad : Hostile) {
        EXPECT_EQ(GemPoints(bad, 3), 0) << bad;
        for (int type = 0; type < EffectTypeCount; ++type)
            EXPECT_EQ(GemPoints(type, bad), 0) << type << "/" << bad;
    }
}

TEST(ItemPoints, StrongestCountsInFullOthersInHalf)
{
    // 19 + 16 + 7 + 1 points: (43 + 19) / 2.
    const GWItem item = Crafted({TypeStat, TypeResist, TypeHits, TypeFocus}, {9, 5, 3, 0});
    EXPECT_EQ(ItemPoints(item, 0), 31);
    EXPECT_EQ(ItemPoints(item, 1), 38);
    EXPECT_EQ(ItemPoints(item, 2), 16);
    EXPECT_EQ(FormatShare(ItemPoints(item, 1)), "19.0");
    EXPECT_EQ(FormatShare(ItemPoints(item, 4)), "0.5");
}

TEST(ItemPoints, OfTwoEqualGemsTheFirstCountsInFull)
{
    const GWItem item = Crafted({TypeStat, TypeStat, 0, 0}, {9, 9, 0, 0});
    EXPECT_EQ(ItemPoints(item, 0), 28);
    EXPECT_EQ(FormatShare(ItemPoints(item, 1)), "19.0");
    EXPECT_EQ(FormatShare(ItemPoints(item, 2)), "9.5");

    const GWItem later = Crafted({TypeFocus, TypeSkill, TypeStat, TypeHits}, {0, 1, 2, 2});
    EXPECT_EQ(ItemPoints(later, 2), 10) << "the first of the 5-point gems is the strongest";
    EXPECT_EQ(ItemPoints(later, 3), 5);
    EXPECT_EQ(ItemPoints(later, 4), 5);
}

TEST(ItemPoints, EmptyAndHalfPointCases)
{
    const GWItem empty;
    for (int gem = 0; gem <= 4; ++gem)
        EXPECT_EQ(ItemPoints(empty, gem), 0);
    EXPECT_EQ(FormatShare(0), "0.0");
    EXPECT_EQ(FormatShare(-3), "-1.5");
    EXPECT_EQ(FormatShare(INT_MIN), "-1073741824.0");
    EXPECT_EQ(FormatShare(INT_MAX), "1073741823.5");
    EXPECT_EQ(ItemPoints(Crafted({TypeFocus, 0, 0, 0}, {0, 0, 0, 0}), 0), 1) << "(1 + 1) / 2";
    // A half point left over is dropped: 3 + 1/2 rounds down to 3.
    EXPECT_EQ(ItemPoints(Crafted({TypeStat, TypeFocus, 0, 0}, {1, 0, 0, 0}), 0), 3);
    for (int gem : {-1, 5, INT_MIN, INT_MAX})
        EXPECT_EQ(ItemPoints(Crafted({TypeStat, 0, 0, 0}, {9, 0, 0, 0}), gem), 0) << gem;
}

TEST(ItemPoints, DamagedTypesAndTiersChargeNothing)
{
    for (int bad : Hostile) {
        EXPECT_EQ(ItemPoints(Crafted({bad, bad, bad, bad}, {3, 3, 3, 3}), 0), 0);
        EXPECT_EQ(ItemPoints(Crafted({TypeSkill, TypeSkill, TypeSkill, TypeSkill}, {bad, bad, bad, bad}), 0),
                  0);
    }
}

// The worked example: 31 points against 28, four gems of quality 99 on an item of quality 99,
// crafter skill 1001.
GWItem Overcharged(int capacity)
{
    GWItem item = Crafted({TypeStat, TypeResist, TypeHits, TypeFocus}, {9, 5, 3, 0});
    item.ImbuePoints = capacity;
    return item;
}

TEST(Overcharge, ThreePointsOverGivesSeventyInYellow)
{
    const OverchargeResult r = ComputeOvercharge(Overcharged(28), 0, OverchargeRows::UsedRowsOnly);
    EXPECT_EQ(r.over, 3);
    EXPECT_TRUE(r.hasChance);
    EXPECT_EQ(r.chance, 70);
    EXPECT_EQ(r.text, "70%");
    EXPECT_EQ(r.colour, ChanceColour::Yellow);
}

TEST(Overcharge, BandsAndTexts)
{
    struct Case {
        const char* what;
        std::array<int, 4> gemQualities;
        int capacity, skillIndex;
        std::string text;
        ChanceColour colour;
    };
    // 31 points used; item quality 99 adds 18. One over costs 10, five over 70.
    const std::array<int, 4> q99 = {5, 5, 5, 5}; // 4 x 8
    const Case cases[] = {
        {"within capacity", q99, 31, 0, "None", ChanceColour::WindowText},
        {"far below capacity", q99, INT_MAX, 0, "None", ChanceColour::WindowText},
        {"85 is green", q99, 30, 1, "85%", ChanceColour::Green},
        {"84 is yellow", {6, 6, 6, 3}, 30, 2, "84%", ChanceColour::Yellow},
        {"60 is yellow", q99, 30, 6, "60%", ChanceColour::Yellow},
        {"59 is red", {6, 6, 6, 5}, 30, 8, "59%", ChanceColour::Red},
        {"1 is still a chance", {6, 6, 5, 3}, 30, 18, "1%", ChanceColour::Red},
        {"0 explodes", q99, 30, 18, "BOOM! (0%)", ChanceColour::Red},
        {"a negative chance explodes", q99, 30, 19, "BOOM! (-5%)", ChanceColour::Red},
        {"five over still has a chance", q99, 26, 0, "30%", ChanceColour::Red},
        {"six over is impossible", q99, 25, 0, "Impossible!", ChanceColour::Red},
        {"a hugely negative capacity saturates", q99, INT_MIN, 0, "Impossible!", ChanceColour::Red},
    };
    for (const Case& c : cases) {
        GWItem item = Overcharged(c.capacity);
        item.GemQuality = c.gemQualities;
        const OverchargeResult r = ComputeOvercharge(item, c.skillIndex, OverchargeRows::UsedRowsOnly);
        EXPECT_EQ(r.text, c.text) << c.what;
        EXPECT_EQ(r.colour, c.colour) << c.what;
    }
    EXPECT_EQ(ComputeOvercharge(Overcharged(INT_MIN), 0, OverchargeRows::UsedRowsOnly).over, INT_MAX);
}

TEST(Overcharge, WindowCountsUsedRowsReportCountsAllPositions)
{
    GWItem item = Crafted({TypeStat, TypeStat, 0, 0}, {9, 9, 0, 0}, 5, {5, 5, 6, 6});
    item.ImbuePoints = 27; // 28 used: one over
    // 8 + 8 - 10 + 18 + 50 in the window; the report adds the two empty positions' 11 each.
    EXPECT_EQ(ComputeOvercharge(item, 0, OverchargeRows::UsedRowsOnly).chance, 74);
    EXPECT_EQ(ComputeOvercharge(item, 0, OverchargeRows::AllPositions).chance, 96);
}

TEST(Overcharge, DamagedQualitiesAndSkillIndexStayInTheirTables)
{
    for (int bad : Hostile) {
        GWItem item = Crafted({TypeStat, TypeStat, 0, 0}, {9, 9, 0, 0}, bad, {bad, bad, bad, bad});
        item.ImbuePoints = 27;
        const OverchargeResult r = ComputeOvercharge(item, bad, OverchargeRows::AllPositions);
        EXPECT_TRUE(r.hasChance);
        // Qualities take the nearest end of their table; an unknown skill index adds nothing.
        const int q = bad < 0 ? 0 : 6;
        EXPECT_EQ(r.chance, 4 * GemQualityBonus[q] - 10 + ItemQualityBonus[q] + CrafterSkillBonusOf(bad))
            << bad;
    }
}

TEST(CrafterSkill, ListAndBonusesAtBothEnds)
{
    const auto texts = CrafterSkillListTexts();
    ASSERT_EQ(texts.size(), 20u);
    EXPECT_EQ(texts.front(), "1001");
    EXPECT_EQ(texts[1], "951");
    EXPECT_EQ(texts[10], "501");
    EXPECT_EQ(texts.back(), "51");
    EXPECT_EQ(CrafterSkillBonusOf(0), 50);
    EXPECT_EQ(CrafterSkillBonusOf(10), 0);
    EXPECT_EQ(CrafterSkillBonusOf(19), -45);
    for (int bad : {-1, 20, INT_MIN, INT_MAX}) {
        EXPECT_EQ(CrafterSkillBonusOf(bad), 0);
        EXPECT_EQ(CrafterSkillText(bad), "");
    }
    EXPECT_EQ(GemQualityBonus, (std::array<int, 7>{0, 0, 1, 3, 5, 8, 11}));
    EXPECT_EQ(ItemQualityBonus, (std::array<int, 7>{0, 0, 6, 8, 10, 18, 26}));
    EXPECT_EQ(OverchargePenalty, (std::array<int, 6>{0, -10, -20, -30, -50, -70}));
}

TEST(Utility, ValuesOfSingleEffects)
{
    EXPECT_EQ(FormatUtility(SlotUtility(Crafted({TypeStat, 0, 0, 0}, {1, 0, 0, 0}))), "2.7");
    EXPECT_EQ(FormatUtility(SlotUtility(Drop({TypeHits, 0, 0, 0}, {30, 0, 0, 0}))), "7.5");
    EXPECT_EQ(FormatUtility(SlotUtility(GWItem{})), "0.0");
    EXPECT_EQ(EffectValue(TypeStat, 3, 0), 3 * 0.6666666666666666);
    EXPECT_EQ(EffectValue(TypeResist, 9, 1), 34.0);
    EXPECT_EQ(EffectValue(TypePower, -4, 0), -8.0);
    EXPECT_EQ(EffectValue(TypeFocus, 50, 0), 1.0);
    EXPECT_EQ(EffectValue(TypeFocus, INT_MIN, 1), 1.0);
    EXPECT_EQ(EffectValue(TypeSkill, 9, 1), 50.0);
    EXPECT_EQ(EffectValue(TypeSkill, INT_MAX, 0), 5.0 * INT_MAX) << "typed amounts do not overflow";
    for (int bad : Hostile) {
        EXPECT_EQ(EffectValue(bad, 5, 1), 0.0);
        EXPECT_EQ(EffectValue(bad, 5, 0), 0.0);
        EXPECT_EQ(EffectValue(TypeStat, bad, 1), 0.0) << "a tier outside the table gives nothing";
    }
}

TEST(Utility, RunningSumsAreHeldInSinglePrecision)
{
    // Stat 2, 7, 1, 1 on a drop: exact sum 7.333333333333333.
    const GWItem item = Drop({TypeStat, TypeStat, TypeStat, TypeStat}, {2, 7, 1, 1});
    EXPECT_EQ(SlotUtility(item), 7.333333174387614) << "the last value is added at full precision";
    EXPECT_EQ(PreviewUtility(item), 7.3333330154418945) << "the preview rounds the result too";
}

TEST(Utility, PreviewTakesAmountsAsStored)
{
    GWItem item = Drop({TypeStat, TypeResist, 0, 0}, {15, 8, 0, 0});
    EXPECT_EQ(FormatUtility(PreviewUtility(item)), "26.0");
    item.PlayerMade = 1; // still read as typed amounts, not tiers
    EXPECT_EQ(FormatUtility(PreviewUtility(item)), "26.0");
    EXPECT_EQ(FormatUtility(PreviewUtility(Drop({TypeFocus, 0, 0, 0}, {50, 0, 0, 0}))), "1.0");
}

TEST(EmptyGems, CountsOnlyEquippedPlayerMadeArmour)
{
    Configuration config;
    EXPECT_EQ(EmptyGemCount(config), 28);
    EXPECT_EQ(FindEmptySlotCaption(28), "Find Empty Slot (28)");

    config.Items[0].EffectType = {1, 2, 0, 0};
    config.Items[1].PlayerMade = 0; // a drop has no gem positions
    config.Equipped[6] = 0;
    config.Items[10].PlayerMade = 1; // jewellery never counts
    EXPECT_EQ(EmptyGemCount(config), 18);

    for (auto& item : config.Items)
        item.EffectType = {1, 1, 1, 1};
    EXPECT_EQ(EmptyGemCount(config), 0);
    EXPECT_EQ(FindEmptySlotCaption(0), "Find Empty Slot (0)");
}

TEST(ArmourFigures, EverythingTheTabShows)
{
    Configuration config;
    config.Items[2] = Crafted({TypeStat, 0, TypeResist, 0}, {0, 4, 9, 0});
    config.Items[2].EffectName = {0, 0, 0, 0};
    const ArmourFigures f = ComputeArmourFigures(config, 2, "51", 6, 0, 0);
    EXPECT_EQ(f.capacity, 32);
    EXPECT_EQ(f.usedPoints, 32); // (1 + 32 + 32) / 2, rounded down
    EXPECT_EQ(f.shares, (std::array<std::string, 4>{"0.5", "0.0", "32.0", "0.0"}));
    EXPECT_EQ(f.gemNames, (std::array<std::string, 4>{"raw Fiery Essence Jewel", "None",
                                                      "perfect Dusty Shielding Jewel", "None"}));
    EXPECT_EQ(f.gemCosts, (std::array<std::string, 4>{"1s 60c ", "0c", "29g 74s ", "0c"}));
    EXPECT_EQ(f.itemCost, "29g 75s 60c ");
    EXPECT_EQ(f.overcharge.text, "None");
    EXPECT_EQ(f.utility, "34.7");
    EXPECT_EQ(f.emptyGems, 26);
    EXPECT_EQ(f.findEmptyCaption, "Find Empty Slot (26)");
}

TEST(ArmourFigures, OverchargeIsMeasuredAgainstTheCapacityOfTheLevelBox)
{
    Configuration config;
    config.Items[0] = Overcharged(0); // the stored value is replaced by the box's capacity
    const ArmourFigures f = ComputeArmourFigures(config, 0, "51", 5, 0, 0);
    EXPECT_EQ(f.overcharge.text, "70%");
    EXPECT_EQ(ComputeArmourFigures(config, 1, "51", 5, 0, 0).itemCost, "") << "no gem, no price";
    EXPECT_EQ(ComputeArmourFigures(config, 0, "0", 5, 0, 0).overcharge.text, "Impossible!");
}

TEST(ArmourFigures, DamagedSlotAndItemNeverReadOutsideATable)
{
    Configuration config;
    for (int bad : Hostile) {
        GWItem& item = config.Items[9];
        item.EffectType = {bad, TypeSkill, TypeFocus, TypeStat};
        item.EffectAmount = {bad, bad, 3, 3};
        item.EffectName = {bad, 3, bad, bad};
        item.Quality = bad;
        item.GemQuality = {bad, bad, bad, bad};
        const ArmourFigures f = ComputeArmourFigures(config, 9, std::to_string(bad), bad, bad, bad);
        EXPECT_EQ(f.gemNames[2], "") << "an effect index outside the list names no gem";
        EXPECT_EQ(ComputeArmourFigures(config, bad, "51", 5, 0, 0).usedPoints, 0);
    }
}

} // namespace
} // namespace gw
