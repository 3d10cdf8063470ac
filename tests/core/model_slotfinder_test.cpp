#include "model/SlotFinder.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "data/Globals.h"

namespace {

using gw::FinderLine;
using gw::GemPosition;

constexpr int Albion = 0;
constexpr int Hibernia = 1;
constexpr int Midgard = 2;

// A player-made gem of a tier in a row.
void SetGem(gw::Configuration& config, int slot, int row, int type, int index, int tier)
{
    auto& item = config.Items[static_cast<std::size_t>(slot)];
    item.PlayerMade = 1;
    item.EffectType[static_cast<std::size_t>(row)] = type;
    item.EffectName[static_cast<std::size_t>(row)] = index;
    item.EffectAmount[static_cast<std::size_t>(row)] = tier;
}

// A drop or jewellery effect with its typed amount.
void SetTyped(gw::Configuration& config, int slot, int row, int type, int index, int amount)
{
    auto& item = config.Items[static_cast<std::size_t>(slot)];
    item.PlayerMade = 0;
    item.EffectType[static_cast<std::size_t>(row)] = type;
    item.EffectName[static_cast<std::size_t>(row)] = index;
    item.EffectAmount[static_cast<std::size_t>(row)] = amount;
}

TEST(SlotFinderLines, CaptionNamesTheEffectInTheRealm)
{
    EXPECT_EQ(gw::FinderCaption(gw::TypeStat, Albion, 0), "Slots with Strength");
    EXPECT_EQ(gw::FinderCaption(gw::TypeResist, Albion, 8), "Slots with Slash Resist");
    EXPECT_EQ(gw::FinderCaption(gw::TypeHits, Midgard, 0), "Slots with Hits");
    EXPECT_EQ(gw::FinderCaption(gw::TypeFocus, Hibernia, 0), "Slots with Enchantment Focus");
    EXPECT_EQ(gw::FinderCaption(gw::TypeSkill, Midgard, 24), "Slots with Hand to Hand");
}

TEST(SlotFinderLines, PlayerMadeDropsJewelleryAndUnequippedSlotsAllCount)
{
    gw::Configuration config;
    SetGem(config, 0, 0, gw::TypeStat, 0, 0);     // Chest, first amount of Strength: 1
    SetGem(config, 1, 2, gw::TypeStat, 0, 0);     // Arms
    SetTyped(config, 3, 1, gw::TypeStat, 0, 15);  // Legs, a drop with 15 typed
    SetGem(config, 8, 0, gw::TypeStat, 0, 9);     // 2 Handed, not equipped: 28
    SetTyped(config, 17, 3, gw::TypeStat, 0, 4);  // Right Wrist
    SetGem(config, 2, 0, gw::TypeStat, 1, 9);     // Constitution: another effect
    SetGem(config, 4, 0, gw::TypeResist, 0, 9);   // Body: same index, another type
    ASSERT_EQ(config.Equipped[8], 0);

    const std::vector<FinderLine> expected{
        {"Chest: 1", 0}, {"Arms: 1", 1}, {"Legs: 15", 3}, {"2 Handed: 28", 8}, {"Right Wrist: 4", 17}};
    EXPECT_EQ(gw::SlotsWithEffect(config, gw::TypeStat, 0), expected);
}

TEST(SlotFinderLines, RowsOfOneSlotAreSummedAndAZeroSumIsLeftOut)
{
    gw::Configuration config;
    SetGem(config, 0, 0, gw::TypeSkill, 3, 2);
    SetGem(config, 0, 3, gw::TypeSkill, 3, 4);        // 3 + 5
    SetTyped(config, 5, 0, gw::TypeSkill, 3, 6);
    SetTyped(config, 5, 1, gw::TypeSkill, 3, -6);     // cancels out: Feet not listed
    SetTyped(config, 12, 0, gw::TypeSkill, 3, -2);    // a negative sum is listed
    const std::vector<FinderLine> expected{{"Chest: 8", 0}, {"Jewel: -2", 12}};
    EXPECT_EQ(gw::SlotsWithEffect(config, gw::TypeSkill, 3), expected);

    EXPECT_TRUE(gw::SlotsWithEffect(config, gw::TypeSkill, 4).empty());
    EXPECT_TRUE(gw::SlotsWithEffect(gw::Configuration{}, gw::TypeStat, 0).empty());
}

TEST(SlotFinderLines, LargeStoredAmountsDoNotWrapIntoAHiddenSlot)
{
    gw::Configuration config;
    for (int row = 0; row < 4; ++row)
        SetTyped(config, 11, row, gw::TypeStat, 2, INT_MAX);
    SetTyped(config, 13, 0, gw::TypeStat, 2, INT_MIN);
    SetTyped(config, 13, 1, gw::TypeStat, 2, INT_MIN);
    const std::vector<FinderLine> expected{{"Cloak: 8589934588", 11}, {"Belt: -4294967296", 13}};
    EXPECT_EQ(gw::SlotsWithEffect(config, gw::TypeStat, 2), expected);
}

TEST(SlotFinderLines, HitsAndPowerListWhatTheirTotalCounts)
{
    // The totals take every Hits row whatever effect index it holds; so does the finder.
    gw::Configuration config;
    SetTyped(config, 10, 0, gw::TypeHits, 0, 20);
    SetTyped(config, 14, 0, gw::TypeHits, 5, 30);
    SetTyped(config, 15, 0, gw::TypePower, 2, 3);
    const std::vector<FinderLine> hits{{"Neck: 20", 10}, {"Left Ring: 30", 14}};
    EXPECT_EQ(gw::SlotsWithEffect(config, gw::TypeHits, 0), hits);
    const std::vector<FinderLine> power{{"Right Ring: 3", 15}};
    EXPECT_EQ(gw::SlotsWithEffect(config, gw::TypePower, 0), power);
}

struct LookupCase {
    const char* text;
    int realm;
    int row;
};

TEST(SlotFinderLookup, FocusCaptions)
{
    const LookupCase cases[] = {
        {"No Focus", Albion, -1},
        {"", Albion, -1},
        {"50 Fire Focus", Albion, 0},
        {"5 Death Servant Focus", Albion, 10},
        {"5 Deathsight Focus", Albion, 8},
        {"15 Verdant Focus", Hibernia, 7},
        {"25 Bonedancing Focus", Midgard, 4},
        {"5 Fire Focus", Midgard, -1},       // a name of another realm names nothing
        {"Focus", Albion, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gw::FocusRowOfCaption(c.text, c.realm), c.row) << c.text;
}

TEST(SlotFinderLookup, SkillLines)
{
    const LookupCase cases[] = {
        {"3 Axe", Midgard, 1},
        {"3 Left Axe", Midgard, 9},           // "Axe" sits earlier in the table
        {"-2 Hand to Hand", Midgard, 24},
        {"10 Soulrending", Albion, 31},
        {"4 Critical Strike", Hibernia, 4},
        {"1 Verdant Path", Hibernia, 25},
        {"1 Painworking", Hibernia, -1},      // Albion only; Hibernia's column ends at 25
        {"", Albion, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gw::SkillRowOfLine(c.text, c.realm), c.row) << c.text;
}

TEST(SlotFinderEmptyGem, FirstUnusedRowOfEquippedPlayerMadeArmour)
{
    gw::Configuration config;
    // Start-up: every slot empty, the chest's first row is free.
    EXPECT_EQ(gw::FirstEmptyGem(config), (GemPosition{0, 0}));

    // A drop in the chest is passed over although its rows are Unused.
    config.Items[0].PlayerMade = 0;
    for (int row = 0; row < 3; ++row)
        SetGem(config, 1, row, gw::TypeStat, 0, 0);
    EXPECT_EQ(gw::FirstEmptyGem(config), (GemPosition{1, 3}));

    // Full slots are passed over; the first free row inside a slot is taken.
    for (int slot = 1; slot <= 5; ++slot)
        for (int row = 0; row < 4; ++row)
            SetGem(config, slot, row, gw::TypeHits, 0, 0);
    config.Items[6].EffectType[0] = gw::TypeStat;
    EXPECT_EQ(gw::FirstEmptyGem(config), (GemPosition{6, 1}));
}

TEST(SlotFinderEmptyGem, UnequippedWeaponsAndJewelleryAreSkipped)
{
    gw::Configuration config;
    for (int slot = 0; slot <= 6; ++slot)
        for (int row = 0; row < 4; ++row)
            SetGem(config, slot, row, gw::TypeStat, 0, 0);
    // Left Hand, 2 Handed and Ranged are empty but do not count; jewellery never does.
    EXPECT_EQ(gw::FirstEmptyGem(config), std::nullopt);

    config.Equipped[9] = 1;
    EXPECT_EQ(gw::FirstEmptyGem(config), (GemPosition{9, 0}));
    config.Equipped[6] = 0;
    config.Items[6].EffectType[2] = gw::TypeUnused;
    EXPECT_EQ(gw::FirstEmptyGem(config), (GemPosition{9, 0}));
}

} // namespace
