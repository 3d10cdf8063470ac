// The item record, the slot table, the number-reading rule and the window's starting state.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "model/GWItem.h"

namespace gw {
namespace {

TEST(GWItemRecord, ClearRestoresEveryDefault)
{
    GWItem item;
    item.PlayerMade = 0;
    item.Quality = 2;
    item.ImbuePoints = 31;
    item.Name = "Old Cap";
    item.EffectType = {1, 2, 3, 4};
    item.EffectAmount = {-5, 9, 30, 1};
    item.EffectName = {7, 8, 0, 0};
    item.GemQuality = {6, 6, 6, 6};
    item.Level = 51;
    item.Qual = item.DPS = item.Speed = item.Bonus = "x";
    item.Clear();

    EXPECT_EQ(item.PlayerMade, 1);
    EXPECT_EQ(item.Quality, 5);
    EXPECT_EQ(item.ImbuePoints, 0);
    EXPECT_EQ(item.Name, "");
    for (int i = 0; i < GemsPerItem; ++i) {
        EXPECT_EQ(item.EffectType[i], 0);
        EXPECT_EQ(item.EffectAmount[i], 0);
        EXPECT_EQ(item.EffectName[i], 0);
        EXPECT_EQ(item.GemQuality[i], 0);
    }
    EXPECT_EQ(item.Level, 0);
    EXPECT_EQ(item.Qual, "0");
    EXPECT_EQ(item.DPS, "0");
    EXPECT_EQ(item.Speed, "0");
    EXPECT_EQ(item.Bonus, "0");
    EXPECT_TRUE(SlotIsEmpty(item));
}

TEST(GWItemRecord, OnlyAGemlessPlayerMadeItemIsEmpty)
{
    GWItem drop;
    drop.PlayerMade = 0;
    EXPECT_FALSE(SlotIsEmpty(drop)) << "a drop with four unused effects still occupies its slot";

    for (int row = 0; row < GemsPerItem; ++row)
        for (int type : {1, 6, -1, INT_MAX}) {
            GWItem crafted;
            crafted.EffectType[row] = type;
            EXPECT_FALSE(SlotIsEmpty(crafted)) << row << "/" << type;
        }
}

TEST(SlotTable, EveryRowMatchesTheGame)
{
    struct Row {
        const char *caption, *keyword, *extension;
        SlotGroup group;
    };
    const Row rows[SlotCount] = {
        {"Chest", "chest", ".chest", SlotGroup::Armour},
        {"Arms", "arms", ".arms", SlotGroup::Armour},
        {"Head", "head", ".head", SlotGroup::Armour},
        {"Legs", "legs", ".legs", SlotGroup::Armour},
        {"Hands", "hands", ".hands", SlotGroup::Armour},
        {"Feet", "feet", ".feet", SlotGroup::Armour},
        {"Right Hand", "rweapon", ".weapon", SlotGroup::Weapon},
        {"Left Hand", "lweapon", ".weapon", SlotGroup::Weapon},
        {"2 Handed", "2handed", ".weapon", SlotGroup::Weapon},
        {"Ranged", "ranged", ".weapon", SlotGroup::Weapon},
        {"Neck", "neck", ".neck", SlotGroup::Jewellery},
        {"Cloak", "cloak", ".cloak", SlotGroup::Jewellery},
        {"Jewel", "jewel", ".jewel", SlotGroup::Jewellery},
        {"Belt", "belt", ".belt", SlotGroup::Jewellery},
        {"Left Ring", "rring", ".ring", SlotGroup::Jewellery},
        {"Right Ring", "lring", ".ring", SlotGroup::Jewellery},
        {"Left Wrist", "rwrist", ".wrist", SlotGroup::Jewellery},
        {"Right Wrist", "lwrist", ".wrist", SlotGroup::Jewellery},
    };
    for (int slot = 0; slot < SlotCount; ++slot) {
        EXPECT_EQ(SlotCaption(slot), rows[slot].caption) << slot;
        EXPECT_EQ(SlotKeyword(slot), rows[slot].keyword) << slot;
        EXPECT_EQ(SlotExtension(slot), rows[slot].extension) << slot;
        EXPECT_EQ(SlotGroupOf(slot), rows[slot].group) << slot;
        EXPECT_EQ(SlotOfKeyword(rows[slot].keyword), slot);
    }
}

TEST(SlotTable, KeywordsMapByPositionNotByCaption)
{
    EXPECT_EQ(SlotOfKeyword("rring"), 14);
    EXPECT_EQ(SlotCaption(SlotOfKeyword("rring")), "Left Ring");
    EXPECT_EQ(SlotOfKeyword("lwrist"), 17);
    EXPECT_EQ(SlotCaption(17), "Right Wrist");
    EXPECT_EQ(SlotOfKeyword("Chest"), -1);
    EXPECT_EQ(SlotOfKeyword("ring"), -1);
    EXPECT_EQ(SlotOfKeyword(""), -1);
}

TEST(SlotTable, SlotsOutsideTheTableNameNothing)
{
    for (int slot : {-1, 18, INT_MIN, INT_MAX}) {
        EXPECT_EQ(SlotCaption(slot), "");
        EXPECT_EQ(SlotKeyword(slot), "");
        EXPECT_EQ(SlotExtension(slot), "");
        EXPECT_EQ(SlotGroupOf(slot), SlotGroup::Jewellery);
    }
}

struct LeadingIntCase {
    const char* what;
    std::string text;
    int expected;
};

class LeadingInt : public testing::TestWithParam<LeadingIntCase> {};

TEST_P(LeadingInt, ReadsTheLeadingNumber)
{
    EXPECT_EQ(ReadLeadingInt(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingInt,
    testing::Values(LeadingIntCase{"Plain", "51", 51}, LeadingIntCase{"Empty", "", 0},
                    LeadingIntCase{"NoDigits", "abc", 0}, LeadingIntCase{"SignOnly", "-", 0},
                    LeadingIntCase{"Negative", "-5", -5}, LeadingIntCase{"ExplicitPlus", "+7", 7},
                    LeadingIntCase{"LeadingBlanks", " \t\r\n\v\f42", 42},
                    LeadingIntCase{"TrailingText", "19 str", 19}, LeadingIntCase{"BlankAfterSign", "- 3", 0},
                    LeadingIntCase{"DoubleSign", "--3", 0}, LeadingIntCase{"LeadingZeros", "007", 7},
                    LeadingIntCase{"DecimalPoint", "12.9", 12},
                    LeadingIntCase{"LargestInt", "2147483647", INT_MAX},
                    LeadingIntCase{"SmallestInt", "-2147483648", INT_MIN},
                    LeadingIntCase{"OneAboveSaturates", "2147483648", INT_MAX},
                    LeadingIntCase{"OneBelowSaturates", "-2147483649", INT_MIN},
                    LeadingIntCase{"HugeSaturates", std::string(400, '9'), INT_MAX},
                    LeadingIntCase{"HugeNegativeSaturates", "-" + std::string(400, '9'), INT_MIN},
                    LeadingIntCase{"NonAsciiByte",
                                   "\xA0"
                                   "5",
                                   0}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(ConfigurationState, StartsWithRightHandCountingAndLevelFiftyCaps)
{
    Configuration config;
    for (int slot = 0; slot < SlotCount; ++slot)
        EXPECT_EQ(config.Equipped[slot], slot >= 7 && slot <= 9 ? 0 : 1) << slot;
    EXPECT_EQ(config.caps, (Caps{75, 26, 11, 200, 26}));
    config.Items[3].Name = "x";
    config.ClearAllItems();
    EXPECT_EQ(config.Items[3], GWItem{});
}

} // namespace
} // namespace gw
