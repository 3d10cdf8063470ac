#include "model/ItemLevel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace {

using gw::ItemKind;

struct HoldCase {
    const char* name;
    ItemKind kind;
    const char* typed;
    const char* shown;
};

// What the input box shows after one keystroke's text has been checked.
const HoldCase HoldCases[] = {
    {"armour default stands", ItemKind::Armor, "102", "102"},
    {"armour zero becomes one", ItemKind::Armor, "0", "1"},
    {"armour empty text reads as zero", ItemKind::Armor, "", "1"},
    {"armour one is replaced by itself", ItemKind::Armor, "1", "1"},
    {"armour two stands", ItemKind::Armor, "2", "2"},
    {"armour above the bound", ItemKind::Armor, "150", "102"},
    {"armour negative", ItemKind::Armor, "-7", "1"},
    {"armour trailing letters kept when in range", ItemKind::Armor, " 75af", " 75af"},
    {"armour letters only", ItemKind::Armor, "af", "1"},
    {"armour overlong digits", ItemKind::Armor, "99999999999999999999", "102"},
    {"cloth above the bound", ItemKind::Cloth, "150", "51"},
    {"cloth 52 is one too many", ItemKind::Cloth, "52", "51"},
    {"cloth zero", ItemKind::Cloth, "0", "1"},
    {"cloth in range", ItemKind::Cloth, "30", "30"},
    {"weapon above the bound", ItemKind::Weapon, "20", "16.5"},
    {"weapon top bound stands", ItemKind::Weapon, "16.5", "16.5"},
    {"weapon just above the top", ItemKind::Weapon, "16.51", "16.5"},
    {"weapon one stays one", ItemKind::Weapon, "1", "1"},
    {"weapon 1. reads as one", ItemKind::Weapon, "1.", "1"},
    {"weapon pasted 1.7 stands", ItemKind::Weapon, "1.7", "1.7"},
    {"weapon 1.5 stands", ItemKind::Weapon, "1.5", "1.5"},
    {"weapon empty", ItemKind::Weapon, "", "1"},
    {"weapon exponent is not read", ItemKind::Weapon, "1e5", "1"},
    {"weapon inf is not a number", ItemKind::Weapon, "inf", "1"},
    {"weapon comma is no decimal point", ItemKind::Weapon, "12,5", "12,5"},
    {"shield leaves any text", ItemKind::Shield, "abc", "abc"},
    {"reinforced leaves any text", ItemKind::Reinforced, "500", "500"},
};

TEST(ItemLevelInput, EachKindHoldsItsInputInRange)
{
    for (const auto& c : HoldCases)
        EXPECT_EQ(gw::HoldLevelInput(c.kind, c.typed), c.shown) << c.name;
}

TEST(ItemLevelInput, EveryReplacementSettlesAtOnce)
{
    // The box applies the rule again to its own replacement; a second replacement would loop.
    for (const auto& c : HoldCases) {
        const std::string once = gw::HoldLevelInput(c.kind, c.typed);
        EXPECT_EQ(gw::HoldLevelInput(c.kind, once), once) << c.name;
    }
    for (int k = 0; k < 5; ++k) {
        const auto kind = static_cast<ItemKind>(k);
        const std::string start(gw::KindStartText(kind));
        EXPECT_EQ(gw::HoldLevelInput(kind, start), start) << k;
    }
}

TEST(ItemLevelInput, DecimalReader)
{
    EXPECT_DOUBLE_EQ(gw::ReadLeadingDecimal("16.5"), 16.5);
    EXPECT_DOUBLE_EQ(gw::ReadLeadingDecimal("  +3.25x"), 3.25);
    EXPECT_DOUBLE_EQ(gw::ReadLeadingDecimal("-2.5"), -2.5);
    EXPECT_DOUBLE_EQ(gw::ReadLeadingDecimal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(gw::ReadLeadingDecimal("7."), 7.0);
    EXPECT_DOUBLE_EQ(gw::ReadLeadingDecimal("."), 0.0);
    EXPECT_DOUBLE_EQ(gw::ReadLeadingDecimal("-"), 0.0);
    EXPECT_DOUBLE_EQ(gw::ReadLeadingDecimal("nan"), 0.0);
    EXPECT_DOUBLE_EQ(gw::ReadLeadingDecimal("0x10"), 0.0);
    // The nearest double of the text, not an accumulated approximation.
    EXPECT_EQ(gw::ReadLeadingDecimal("1.35"), 1.35);
    EXPECT_EQ(gw::ReadLeadingDecimal(std::string(400, '9')), std::numeric_limits<double>::max());
    EXPECT_EQ(gw::ReadLeadingDecimal("0." + std::string(400, '0') + "1"), 0.0);
}

struct LevelCase {
    const char* name;
    ItemKind kind;
    const char* input;
    int wood;
    int level;
};

const LevelCase LevelCases[] = {
    {"armour default", ItemKind::Armor, "102", 0, 51},
    {"armour halves truncating", ItemKind::Armor, "75", 0, 37},
    {"armour one", ItemKind::Armor, "1", 0, 0},
    {"cloth is the factor itself", ItemKind::Cloth, "51", 0, 51},
    {"cloth low", ItemKind::Cloth, "1", 0, 1},
    {"weapon top", ItemKind::Weapon, "16.5", 0, 51},
    {"weapon bottom", ItemKind::Weapon, "1.5", 0, 1},
    {"weapon below the rule gives a negative level", ItemKind::Weapon, "1", 0, -1},
    {"weapon a step of 0.3", ItemKind::Weapon, "1.8", 0, 2},
    {"weapon mid step rounds half up", ItemKind::Weapon, "1.35", 0, 1},
    {"weapon 12.0", ItemKind::Weapon, "12.0", 0, 36},
    {"weapon 10.2", ItemKind::Weapon, "10.2", 0, 30},
    // Half steps fall where the binary DPS lies a hair off the decimal one; only a difference
    // kept in extended precision gives these.
    {"weapon half step 4.05 rounds up", ItemKind::Weapon, "4.05", 0, 10},
    {"weapon half step 5.55 rounds up", ItemKind::Weapon, "5.55", 0, 15},
    {"weapon half step 9.45 falls short", ItemKind::Weapon, "9.45", 0, 27},
    {"weapon half step 4.35 falls short", ItemKind::Weapon, "4.35", 0, 10},
    {"shield rowan", ItemKind::Shield, "", 0, 2},
    {"shield elm", ItemKind::Shield, "", 1, 5},
    {"shield duskwood", ItemKind::Shield, "", 9, 45},
    {"shield ignores the input", ItemKind::Shield, "102", 3, 15},
    {"reinforced heartwood", ItemKind::Reinforced, "", 4, 26},
    {"reinforced duskwood", ItemKind::Reinforced, "", 9, 51},
    {"reinforced wood chosen lower afterwards", ItemKind::Reinforced, "", 1, 11},
    {"wood past the list is the last wood", ItemKind::Reinforced, "", 42, 51},
    {"wood below the list is the first wood", ItemKind::Shield, "", -3, 2},
};

TEST(ItemLevelCompute, LevelOfEachKind)
{
    for (const auto& c : LevelCases)
        EXPECT_EQ(gw::ComputeItemLevel(c.kind, c.input, c.wood), c.level) << c.name;
}

TEST(ItemLevelCompute, WeaponLevelAcrossTheTypableRange)
{
    // Every DPS of one decimal from 1.5 to 16.5: the level climbs by one every 0.3 and stays
    // inside the capacity table.
    int previous = 0;
    for (int tenths = 15; tenths <= 165; ++tenths) {
        const int level = gw::ComputeItemLevel(ItemKind::Weapon, std::to_string(tenths / 10) + "." +
                                                                      std::to_string(tenths % 10), 0);
        EXPECT_GE(level, previous) << tenths;
        EXPECT_GE(level, 1) << tenths;
        EXPECT_LE(level, 51) << tenths;
        previous = level;
    }
    EXPECT_EQ(previous, 51);
}

TEST(ItemLevelCompute, WeaponLevelOfOddValuesIsBounded)
{
    EXPECT_EQ(gw::WeaponLevel(std::nan("")), 0);
    EXPECT_EQ(gw::WeaponLevel(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(gw::WeaponLevel(-std::numeric_limits<double>::infinity()), INT_MIN);
    EXPECT_EQ(gw::WeaponLevel(std::numeric_limits<double>::max()), INT_MAX);
    EXPECT_EQ(gw::WeaponLevel(0.0), -4);
}

TEST(ItemLevelKinds, StartTextsAndWoods)
{
    EXPECT_EQ(gw::KindStartText(ItemKind::Armor), "102");
    EXPECT_EQ(gw::KindStartText(ItemKind::Cloth), "51");
    EXPECT_EQ(gw::KindStartText(ItemKind::Weapon), "16.5");
    EXPECT_EQ(gw::KindStartText(ItemKind::Shield), "");
    EXPECT_FALSE(gw::KindUsesInput(ItemKind::Reinforced));

    const auto woods = gw::ShieldWoodListTexts();
    ASSERT_EQ(woods.size(), 10u);
    EXPECT_EQ(woods.front(), "Rowan");
    EXPECT_EQ(woods[4], "Heartwood");
    EXPECT_EQ(woods.back(), "Duskwood");
    EXPECT_EQ(gw::ShieldWoodName(10), "");

    EXPECT_EQ(gw::RaiseReinforcedWood(1), 4);
    EXPECT_EQ(gw::RaiseReinforcedWood(4), 4);
    EXPECT_EQ(gw::RaiseReinforcedWood(7), 7);
}

} // namespace
