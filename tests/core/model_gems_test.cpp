// Gem names, prices, money texts and the materials a configuration needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "data/Globals.h"
#include "model/Gems.h"

namespace gw {
namespace {

constexpr int Albion = 0, Hibernia = 1, Midgard = 2;

// A configuration whose player-made chest carries the given gems (type, tier, effect index).
struct Gem {
    int type, tier, index;
};
Configuration WithGems(std::vector<Gem> gems, int slot = 0)
{
    Configuration config;
    for (std::size_t i = 0; i < gems.size(); ++i) {
        GWItem& item = config.Items[static_cast<std::size_t>(slot) + i / GemsPerItem];
        const std::size_t row = i % GemsPerItem;
        item.EffectType[row] = gems[i].type;
        item.EffectAmount[row] = gems[i].tier;
        item.EffectName[row] = gems[i].index;
    }
    return config;
}

TEST(GemNames, TierPrefixThenBaseName)
{
    EXPECT_EQ(GemName(TypeStat, 0, 0, Albion), "raw Fiery Essence Jewel");
    EXPECT_EQ(GemName(TypeSkill, 9, 0, Albion), "perfect Heated Evocation Sigil");
    EXPECT_EQ(GemName(TypeSkill, 9, 0, Midgard), "perfect Airy Chaos Rune");
    EXPECT_EQ(GemName(TypeHits, 4, 0, Hibernia), "imperfect Blood Essence Jewel");
}

TEST(GemNames, NothingNamesNoGem)
{
    EXPECT_EQ(GemName(TypeStat, 10, 0, Albion), "");
    EXPECT_EQ(GemName(7, 0, 0, Albion), "");
    for (int bad : {INT_MIN, -1, 32, INT_MAX}) {
        EXPECT_EQ(GemName(TypeStat, bad, 0, Albion), "") << bad;
        EXPECT_EQ(GemName(bad, 0, 0, Albion), "") << bad;
        EXPECT_EQ(GemName(TypeSkill, 0, bad, Albion), "") << bad;
        EXPECT_EQ(GemName(TypeStat, 0, 0, bad), "raw Fiery Essence Jewel") << "stat gems ignore the realm";
    }
    EXPECT_EQ(GemName(TypeUnused, 0, 0, Albion), "");
    EXPECT_EQ(GemName(TypeFocus, 0, 5, Midgard), "") << "Midgard has five focus gems";
}

TEST(GemPrices, FormulaAtBothEndsOfTheTiers)
{
    EXPECT_EQ(GemCost(TypeStat, 0), 160);
    EXPECT_EQ(GemCost(TypeResist, 0), 160) << "the Resist term is 0 at tier 0";
    EXPECT_EQ(GemCost(TypeStat, 9), 294240 + 400 + 2220);
    EXPECT_EQ(GemCost(TypeResist, 9) - GemCost(TypeStat, 9), 540);
    EXPECT_EQ(GemCost(TypeFocus, 2), GemCost(TypeStat, 2)) << "Focus is priced like Stat";
    EXPECT_EQ(GemCost(TypeSkill, 5), GemCost(TypeHits, 5));
    EXPECT_EQ(GemBasePrice.front(), 60);
    EXPECT_EQ(GemBasePrice.back(), 294240);
    for (int bad : {INT_MIN, -1, 10, INT_MAX}) {
        EXPECT_EQ(GemCost(TypeStat, bad), 0);
        EXPECT_EQ(GemCost(bad, 3), 0);
    }
    EXPECT_EQ(GemCost(TypeUnused, 3), 0);
}

TEST(Money, EachPartEndsInABlank)
{
    struct Case {
        std::int64_t copper;
        const char* text;
    };
    const Case cases[] = {
        {0, ""},
        {160, "1s 60c "},
        {1, "1c "},
        {100, "1s "},
        {10'000, "1g "},
        {10'000'000, "1p "},
        {10'000'101, "1p 1s 1c "},
        {29'740'000, "2p 974g "},
        {9'999'999, "999g 99s 99c "},
        {INT_MAX, "214p 748g 36s 47c "},
        {-160, "-1s 60c "},
        {INT64_MIN, "-922337203685p 477g 58s 8c "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatMoney(c.copper), c.text) << c.copper;
}

TEST(TotalCost, AllPlayerMadeGemsWhetherEquippedOrNot)
{
    Configuration config;
    EXPECT_EQ(TotalCostText(config), "0c");

    config.Items[7].EffectType[0] = TypeStat; // left hand, not equipped: still bought
    EXPECT_EQ(TotalCostCopper(config), 160);
    config.Items[12].EffectType[0] = TypeStat; // jewellery holds typed effects, not gems
    config.Items[12].PlayerMade = 0;
    config.Items[3].PlayerMade = 0; // nor does a drop
    config.Items[3].EffectType = {1, 1, 1, 1};
    EXPECT_EQ(TotalCostText(config), "1s 60c ");
}

TEST(TotalCost, FortyPerfectResistGemsPassAPlatinum)
{
    Configuration config;
    for (int slot = 0; slot < ArmourSlotCount; ++slot) {
        config.Items[static_cast<std::size_t>(slot)].EffectType = {2, 2, 2, 2};
        config.Items[static_cast<std::size_t>(slot)].EffectAmount = {9, 9, 9, 9};
    }
    EXPECT_EQ(TotalCostText(config), "1p 189g 60s ");
}

TEST(Materials, OneRawStrengthGem)
{
    const Configuration config = WithGems({{TypeStat, 0, 0}});
    EXPECT_EQ(BaseGemList(config, Albion), "1 Lo Gem\n");
    EXPECT_EQ(DustList(config, Albion), "1 Essence of Life\n");
    EXPECT_EQ(LiquidList(config, Albion), "1 Draconic Fire\n");
    EXPECT_EQ(GemList(config, Albion), "1 raw Fiery Essence Jewel\n");
}

TEST(Materials, PerfectBodyResistTakesShieldingDust)
{
    const Configuration config = WithGems({{TypeResist, 9, 0}});
    EXPECT_EQ(BaseGemList(config, Midgard), "1 Ra Gem\n");
    EXPECT_EQ(DustList(config, Midgard), "46 Ground Draconic Scales\n");
    EXPECT_EQ(LiquidList(config, Midgard), "10 Undead Ash and Holy Water\n");
}

TEST(Materials, FocusGemsTakeTheLargerDustCount)
{
    const Configuration config = WithGems({{TypeFocus, 2, 0}});
    EXPECT_EQ(DustList(config, Albion), "11 Ground Draconic Scales\n");
    EXPECT_EQ(LiquidList(config, Albion), "3 Draconic Fire\n");
}

TEST(Materials, SkillGemsFollowTheRealmOfTheMoment)
{
    const Configuration crush = WithGems({{TypeSkill, 3, 5}, {TypeSkill, 3, 5}});
    EXPECT_EQ(BaseGemList(crush, Albion), "2 Ee Gems\n");
    EXPECT_EQ(DustList(crush, Albion), "26 Ground Caer Stone\n");
    EXPECT_EQ(LiquidList(crush, Albion), "8 Draconic Fire\n");
    EXPECT_EQ(GemList(crush, Albion), "2 flawed Fiery War Sigils\n");
    // Index 5 in Midgard is Critical Strike's Heated Battle Jewel.
    EXPECT_EQ(DustList(crush, Midgard), "26 Bloodied Battlefield Dirt\n");
    EXPECT_EQ(LiquidList(crush, Midgard), "8 Heat From an Unearthly Pyre\n");

    const Configuration hammer = WithGems({{TypeSkill, 3, 8}, {TypeSkill, 3, 8}});
    EXPECT_EQ(BaseGemList(hammer, Midgard), "2 Ee Gems\n");
    EXPECT_EQ(DustList(hammer, Midgard), "26 Ground Giant Bone\n");
    EXPECT_EQ(LiquidList(hammer, Midgard), "8 Draconic Fire\n");
}

TEST(Materials, ListsAreOrderedByRowAndNameTheRealmsDusts)
{
    // Hibernia: Nature (row 3) and Arcane (row 4) before Focus (row 5); liquids by index.
    const Configuration config =
        WithGems({{TypeFocus, 0, 7}, {TypeSkill, 1, 12}, {TypeSkill, 0, 5}, {TypeSkill, 9, 24}});
    EXPECT_EQ(BaseGemList(config, Hibernia), "2 Lo Gems\n1 Um Gem\n1 Ra Gem\n");
    EXPECT_EQ(DustList(config, Hibernia),
              "37 Unseelie Dust\n5 Fairy Dust\n1 Otherworldly Dust\n1 Ground Draconic Scales\n");
    EXPECT_EQ(LiquidList(config, Hibernia), "2 Treant Blood\n1 Swamp Fog\n1 Heat From an Unearthly Pyre\n"
                                            "10 Sun Light\n");
}

TEST(Materials, EveryCatalogueGemTakesOneDustAndOneLiquid)
{
    for (int realm = 0; realm < RealmCount; ++realm)
        for (int type = TypeStat; type <= TypeSkill; ++type)
            for (int index = 0; index < EffectCount(type, realm); ++index) {
                const Configuration config = WithGems({{type, 0, index}});
                const std::string dust = DustList(config, realm);
                const std::string liquid = LiquidList(config, realm);
                const std::string gem = GemName(type, 0, index, realm);
                EXPECT_EQ(std::count(dust.begin(), dust.end(), '\n'), 1) << gem << ": " << dust;
                EXPECT_EQ(std::count(liquid.begin(), liquid.end(), '\n'), 1) << gem << ": " << liquid;
            }
    // "Lightning" holds the word "Light".
    EXPECT_EQ(LiquidList(WithGems({{TypeSkill, 0, 24}}), Midgard), "1 Sun Light\n");
}

TEST(Materials, GemListCountsEachKindInTypeIndexTierOrder)
{
    const Configuration config = WithGems({{TypeSkill, 0, 1},
                                           {TypeStat, 4, 2},
                                           {TypeStat, 0, 2},
                                           {TypeStat, 0, 1},
                                           {TypeSkill, 0, 1},
                                           {TypeUnused, 9, 9}});
    EXPECT_EQ(GemList(config, Albion), "1 raw Earthen Essence Jewel\n"
                                       "1 raw Vapor Essence Jewel\n"
                                       "1 imperfect Vapor Essence Jewel\n"
                                       "2 raw Earthen Fervor Sigils\n");
}

TEST(Materials, OnlyPlayerMadeArmourGemsAreCounted)
{
    Configuration config = WithGems({{TypeStat, 0, 0}});
    config.Equipped[0] = 0;                    // equipped flags do not matter here
    config.Items[10].EffectType[0] = TypeStat; // jewellery slot
    config.Items[4].PlayerMade = 0;
    config.Items[4].EffectType[0] = TypeStat;
    EXPECT_EQ(BaseGemList(config, Albion), "1 Lo Gem\n");
    EXPECT_EQ(BaseGemList(Configuration{}, Albion), "");
    EXPECT_EQ(DustList(Configuration{}, Albion), "");
    EXPECT_EQ(LiquidList(Configuration{}, Albion), "");
    EXPECT_EQ(GemList(Configuration{}, Albion), "");
}

TEST(Materials, DamagedGemsBuyNothingAndReadNoTable)
{
    for (int bad : {INT_MIN, -1, 32, 1000, INT_MAX}) {
        const Configuration config =
            WithGems({{bad, 0, 0}, {TypeStat, bad, 0}, {TypeSkill, 0, bad}, {TypeFocus, bad, bad}});
        for (int realm : {Albion, Midgard, bad}) {
            // Only the third gem has a tier that names a base gem; none of them has a name.
            EXPECT_EQ(BaseGemList(config, realm), "2 Lo Gems\n") << bad;
            EXPECT_EQ(DustList(config, realm), "") << bad;
            EXPECT_EQ(LiquidList(config, realm), "") << bad;
            EXPECT_EQ(GemList(config, realm), "") << bad;
        }
    }
    // A Hibernia item's skill beyond Midgard's 25 names nothing when reported in Midgard.
    const Configuration verdant = WithGems({{TypeSkill, 0, 25}});
    EXPECT_EQ(GemList(verdant, Hibernia), "1 raw Mineral Encrusted Nature Spell Stone\n");
    EXPECT_EQ(GemList(verdant, Midgard), "");
}

} // namespace
} // namespace gw
