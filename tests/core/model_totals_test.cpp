// The character panel: totals against the caps, focus and skill lines, and which weapons count.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "data/Globals.h"
#include "model/Totals.h"

namespace gw {
namespace {

constexpr int Albion = 0, Hibernia = 1, Midgard = 2;

void SetEffect(GWItem& item, int row, int type, int amount, int index)
{
    item.EffectType[static_cast<std::size_t>(row)] = type;
    item.EffectAmount[static_cast<std::size_t>(row)] = amount;
    item.EffectName[static_cast<std::size_t>(row)] = index;
}

GWItem DropItem()
{
    GWItem item;
    item.PlayerMade = 0;
    return item;
}

TEST(Panel, EmptyConfigurationInBothModes)
{
    const Configuration config;
    const CharacterPanel total = ComputePanel(config, Albion, DisplayMode::TotalBonus);
    for (const auto& text : total.stats)
        EXPECT_EQ(text, "0");
    for (const auto& text : total.resists)
        EXPECT_EQ(text, "0");
    EXPECT_EQ(total.hits, "0");
    EXPECT_EQ(total.power, "0");
    EXPECT_EQ(total.focus, (std::array<std::string, 4>{}));
    EXPECT_TRUE(total.skills.empty());
    EXPECT_EQ(total.totalCost, "0c");

    const CharacterPanel distance = ComputePanel(config, Albion, DisplayMode::DistanceToCap);
    for (const auto& text : distance.stats)
        EXPECT_EQ(text, "75");
    for (const auto& text : distance.resists)
        EXPECT_EQ(text, "26");
    EXPECT_EQ(distance.hits, "200");
    EXPECT_EQ(distance.power, "26");
    EXPECT_TRUE(distance.skills.empty());
}

TEST(Panel, PlayerMadeGemsCountTheirAmountDropsTheTypedValue)
{
    struct Case {
        const char* what;
        int playerMade, amount;
        std::string strength;
    };
    const Case cases[] = {
        {"perfect Strength gem", 1, 9, "28"},    {"uncut Strength gem", 1, 1, "4"},
        {"drop with 19 typed", 0, 19, "19"},     {"drop with -5 typed", 0, -5, "-5"},
        {"gem with a damaged tier", 1, 77, "0"},
    };
    for (const Case& c : cases) {
        Configuration config;
        config.Items[0].PlayerMade = c.playerMade;
        SetEffect(config.Items[0], 2, TypeStat, c.amount, 0);
        EXPECT_EQ(ComputePanel(config, Albion, DisplayMode::TotalBonus).stats[0], c.strength) << c.what;
    }
}

TEST(Panel, EachTotalItsOwnAccumulator)
{
    Configuration config;
    GWItem& chest = config.Items[0];
    SetEffect(chest, 0, TypeStat, 9, 7);   // EMP 28
    SetEffect(chest, 1, TypeResist, 9, 8); // Slash 17
    SetEffect(chest, 2, TypeHits, 9, 0);   // 76
    SetEffect(chest, 3, TypePower, 0, 0);  // 1
    config.Items[11] = DropItem();         // the cloak
    SetEffect(config.Items[11], 0, TypeStat, 40, 7);
    SetEffect(config.Items[11], 1, TypeHits, 24, 5); // hits ignore the effect index
    SetEffect(config.Items[11], 2, TypeResist, 3, 0);
    config.caps = CapsForLevel(50);

    const CharacterPanel total = ComputePanel(config, Albion, DisplayMode::TotalBonus);
    EXPECT_EQ(total.stats[7], "68");
    EXPECT_EQ(total.resists[8], "17");
    EXPECT_EQ(total.resists[0], "3");
    EXPECT_EQ(total.hits, "100");
    EXPECT_EQ(total.power, "1");
    const CharacterPanel distance = ComputePanel(config, Albion, DisplayMode::DistanceToCap);
    EXPECT_EQ(distance.stats[7], "7");
    EXPECT_EQ(distance.stats[0], "75");
    EXPECT_EQ(distance.resists[8], "9");
    EXPECT_EQ(distance.hits, "100");
    EXPECT_EQ(distance.power, "25");
}

TEST(Panel, OnlyEquippedSlotsCountButCostCountsAll)
{
    Configuration config;
    SetEffect(config.Items[7], 0, TypeStat, 9, 0); // left hand, not equipped at start
    EXPECT_EQ(ComputePanel(config, Albion, DisplayMode::TotalBonus).stats[0], "0");
    EXPECT_NE(ComputePanel(config, Albion, DisplayMode::TotalBonus).totalCost, "0c");
    config.Equipped[7] = 1;
    EXPECT_EQ(ComputePanel(config, Albion, DisplayMode::TotalBonus).stats[0], "28");
}

TEST(Panel, FocusLinesFillInSlotAndRowOrderUpToFour)
{
    Configuration config;
    SetEffect(config.Items[6], 0, TypeFocus, 0, 4); // right hand, after the armour slots
    SetEffect(config.Items[0], 3, TypeFocus, 9, 0);
    SetEffect(config.Items[0], 1, TypeFocus, 9, 0); // the same focus twice: two lines
    SetEffect(config.Items[10], 0, TypeFocus, 50, 3);
    config.Items[10].PlayerMade = 0;
    SetEffect(config.Items[2], 0, TypeFocus, 1, 2);
    const CharacterPanel panel = ComputePanel(config, Midgard, DisplayMode::DistanceToCap);
    EXPECT_EQ(panel.focus, (std::array<std::string, 4>{"50 Darkness Focus", "50 Darkness Focus",
                                                       "10 Summoning Focus", "5 Bonedancing Focus"}));
}

TEST(Panel, SkillsListedWhenTheyHaveABonus)
{
    Configuration config;
    SetEffect(config.Items[0], 0, TypeSkill, 9, 3); // 10
    SetEffect(config.Items[1], 0, TypeSkill, 1, 3); // 2 more: 12, one above the cap of 11
    SetEffect(config.Items[2], 0, TypeSkill, 0, 0); // 1
    config.Items[3] = DropItem();
    SetEffect(config.Items[3], 0, TypeSkill, -4, 5); // a negative total is not listed
    SetEffect(config.Items[3], 1, TypeSkill, 0, 6);  // nor is a zero one
    EXPECT_EQ(ComputePanel(config, Albion, DisplayMode::TotalBonus).skills,
              (std::vector<std::string>{"1 Body Magic", "12 Critical Strike"}));
    EXPECT_EQ(ComputePanel(config, Albion, DisplayMode::DistanceToCap).skills,
              (std::vector<std::string>{"10 Body Magic", "-1 Critical Strike"}));
    EXPECT_EQ(ComputePanel(config, Hibernia, DisplayMode::TotalBonus).skills,
              (std::vector<std::string>{"1 Blades", "12 Celtic Spear"}));
}

// An index outside its list, from a damaged file or another realm's item, adds to no total and
// names nothing; the sanitizer build checks that no accumulator is addressed with it.
TEST(Panel, EffectsOutsideTheirListCountNowhere)
{
    for (int bad : {INT_MIN, -1, 9, 11, 32, INT_MAX}) {
        Configuration config;
        config.Items[0] = DropItem();
        SetEffect(config.Items[0], 0, TypeStat, 5, bad);
        SetEffect(config.Items[0], 1, TypeResist, 5, bad);
        SetEffect(config.Items[0], 2, TypeFocus, 5, bad);
        SetEffect(config.Items[0], 3, TypeSkill, 5, bad);
        SetEffect(config.Items[1], 0, bad, 5, 0);
        for (int realm : {Albion, Hibernia, Midgard, bad}) {
            const CharacterPanel panel = ComputePanel(config, realm, DisplayMode::TotalBonus);
            for (const auto& text : panel.stats)
                EXPECT_EQ(text, "0") << bad;
            for (const auto& text : panel.resists)
                EXPECT_EQ(text, "0") << bad;
            if (bad >= EffectCount(TypeFocus, realm) || bad < 0) {
                EXPECT_EQ(panel.focus[0], "") << bad << "/" << realm;
            }
            if (bad >= EffectCount(TypeSkill, realm) || bad < 0) {
                EXPECT_TRUE(panel.skills.empty()) << bad << "/" << realm;
            }
        }
    }
    // Skill 25 exists in Hibernia only; shown in Midgard it would have no name.
    Configuration config;
    SetEffect(config.Items[0], 0, TypeSkill, 9, 25);
    EXPECT_EQ(ComputePanel(config, Hibernia, DisplayMode::TotalBonus).skills,
              std::vector<std::string>{"10 Verdant Path"});
    EXPECT_TRUE(ComputePanel(config, Midgard, DisplayMode::TotalBonus).skills.empty());
}

TEST(Panel, HugeTypedAmountsDoNotWrap)
{
    Configuration config;
    for (int slot : {10, 11}) {
        config.Items[static_cast<std::size_t>(slot)] = DropItem();
        SetEffect(config.Items[static_cast<std::size_t>(slot)], 0, TypeHits, INT_MAX, 0);
    }
    EXPECT_EQ(ComputePanel(config, Albion, DisplayMode::TotalBonus).hits, "4294967294");
    EXPECT_EQ(ComputePanel(config, Albion, DisplayMode::DistanceToCap).hits, "-4294967094");
}

TEST(CharacterLevel, HeldToOneToFiftyWithTheBoxRewritten)
{
    struct Case {
        const char* typed;
        int level;
        bool rewritten;
        const char* text;
    };
    const Case cases[] = {
        {"50", 50, false, "50"},
        {"1", 1, false, "1"},
        {"75", 50, true, "50"},
        {"0", 1, true, "1"},
        {"-3", 1, true, "1"},
        {"abc", 1, true, "1"},
        {"", 1, true, "1"},
        {"  20x", 20, false, "  20x"},
        {"99999999999", 50, true, "50"},
        {"-99999999999", 1, true, "1"},
    };
    for (const Case& c : cases) {
        const CharLevel held = HoldCharLevel(c.typed);
        EXPECT_EQ(held.level, c.level) << c.typed;
        EXPECT_EQ(held.rewritten, c.rewritten) << c.typed;
        EXPECT_EQ(held.text, c.text) << c.typed;
    }
}

TEST(CharacterLevel, CapsAtBothEnds)
{
    EXPECT_EQ(CapsForLevel(50), (Caps{75, 26, 11, 200, 26}));
    EXPECT_EQ(CapsForLevel(1), (Caps{1, 1, 1, 4, 1}));
    EXPECT_EQ(CapsForLevel(25), (Caps{37, 13, 6, 100, 13}));
    EXPECT_EQ(CapsForLevel(INT_MAX), CapsForLevel(50));
    EXPECT_EQ(CapsForLevel(INT_MIN), CapsForLevel(1));
}

using Flags = std::array<int, SlotCount>;

Flags WeaponFlags(int right, int left, int twoHanded, int ranged)
{
    Flags flags = Configuration{}.Equipped;
    flags[6] = right;
    flags[7] = left;
    flags[8] = twoHanded;
    flags[9] = ranged;
    return flags;
}

TEST(Equipped, ClickRules)
{
    struct Case {
        const char* what;
        Flags before;
        int slot;
        bool checked;
        Flags after;
    };
    const Case cases[] = {
        {"left hand joins the right", WeaponFlags(1, 0, 0, 0), 7, true, WeaponFlags(1, 1, 0, 0)},
        {"right hand drops two-handed and ranged", WeaponFlags(0, 0, 1, 1), 6, true, WeaponFlags(1, 0, 0, 0)},
        {"two-handed excludes the rest", WeaponFlags(1, 1, 0, 1), 8, true, WeaponFlags(0, 0, 1, 0)},
        {"ranged excludes the rest", WeaponFlags(1, 1, 1, 0), 9, true, WeaponFlags(0, 0, 0, 1)},
        {"clearing two-handed leaves no weapon", WeaponFlags(0, 0, 1, 0), 8, false, WeaponFlags(0, 0, 0, 0)},
        {"clearing the left hand", WeaponFlags(1, 1, 0, 0), 7, false, WeaponFlags(1, 0, 0, 0)},
        {"clearing still excludes", WeaponFlags(1, 1, 0, 1), 7, false, WeaponFlags(1, 0, 0, 0)},
        {"armour slots have no box", WeaponFlags(1, 1, 0, 0), 3, false, WeaponFlags(1, 1, 0, 0)},
        {"jewellery slots have no box", WeaponFlags(1, 0, 0, 0), 12, false, WeaponFlags(1, 0, 0, 0)},
        {"no slot", WeaponFlags(1, 0, 0, 0), INT_MIN, true, WeaponFlags(1, 0, 0, 0)},
        {"beyond the slots", WeaponFlags(1, 0, 0, 0), INT_MAX, true, WeaponFlags(1, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        Flags flags = c.before;
        ApplyEquippedClick(flags, c.slot, c.checked);
        EXPECT_EQ(flags, c.after) << c.what;
    }
}

TEST(Equipped, DerivedFromTheItemsAfterOpen)
{
    struct Case {
        const char* what;
        bool right, twoHanded, ranged; // which slots hold something
        Flags before;
        Flags after;
    };
    const Case cases[] = {
        {"nothing held: right hand counts", false, false, false, WeaponFlags(0, 1, 1, 1),
         WeaponFlags(1, 0, 0, 0)},
        {"right hand keeps the left's flag", true, true, true, WeaponFlags(0, 1, 1, 1),
         WeaponFlags(1, 1, 0, 0)},
        {"right hand with left off", true, false, false, WeaponFlags(0, 0, 0, 0), WeaponFlags(1, 0, 0, 0)},
        {"two-handed alone", false, true, true, WeaponFlags(1, 1, 0, 1), WeaponFlags(0, 0, 1, 0)},
        {"ranged alone", false, false, true, WeaponFlags(1, 1, 1, 0), WeaponFlags(0, 0, 0, 1)},
    };
    for (const Case& c : cases) {
        Configuration config;
        config.Equipped = c.before;
        if (c.right)
            SetEffect(config.Items[6], 0, TypeStat, 0, 0);
        if (c.twoHanded)
            SetEffect(config.Items[8], 0, TypeStat, 0, 0);
        if (c.ranged)
            SetEffect(config.Items[9], 0, TypeStat, 0, 0);
        DeriveEquippedAfterOpen(config);
        EXPECT_EQ(config.Equipped, c.after) << c.what;
    }
    // A drop is never empty, so a drop in the right hand always counts.
    Configuration config;
    config.Items[6].PlayerMade = 0;
    config.Equipped = WeaponFlags(0, 0, 1, 0);
    DeriveEquippedAfterOpen(config);
    EXPECT_EQ(config.Equipped, WeaponFlags(1, 0, 0, 0));
}

} // namespace
} // namespace gw
