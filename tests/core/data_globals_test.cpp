// The game's vocabulary: every list and table against the game's rules, row by row at both ends,
// and every lookup bounded for the indices a damaged file can bring.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "data/Globals.h"

namespace gw {
namespace {

constexpr int Albion = 0, Hibernia = 1, Midgard = 2;

// Values a damaged file or a typed amount can bring in place of an index.
// None of them is a type, tier, quality or effect index (7 is checked on its own).
const std::vector<int> Hostile = {INT_MIN, -100000, -1, 10, 11, 26, 32, 33, 1000, INT_MAX};

struct CatalogueRow {
    const char* what;
    int type, realm, index;
    const char* effect;
    const char* gem;
};

class CatalogueEnds : public testing::TestWithParam<CatalogueRow> {};

TEST_P(CatalogueEnds, EffectAndGemNamesMatchTheGame)
{
    const CatalogueRow& row = GetParam();
    EXPECT_EQ(LookupEffectName(row.type, row.realm, row.index), row.effect);
    EXPECT_EQ(LookupGemBaseName(row.type, row.realm, row.index), row.gem);
}

INSTANTIATE_TEST_SUITE_P(
    FirstAndLastRows, CatalogueEnds,
    testing::Values(
        CatalogueRow{"StatFirst", TypeStat, Albion, 0, "Strength", "Fiery Essence Jewel"},
        CatalogueRow{"StatLast", TypeStat, Midgard, 7, "Empathy", "Heated Essence Jewel"},
        CatalogueRow{"ResistFirst", TypeResist, Albion, 0, "Body Resist", "Dusty Shielding Jewel"},
        CatalogueRow{"ResistLast", TypeResist, Hibernia, 8, "Slash Resist", "Watery Shielding Jewel"},
        CatalogueRow{"Hits", TypeHits, Hibernia, 0, "Hits", "Blood Essence Jewel"},
        CatalogueRow{"Power", TypePower, Midgard, 0, "Power", "Mystic Essence Jewel"},
        CatalogueRow{"FocusAlbionFirst", TypeFocus, Albion, 0, "Fire Focus", "Fiery Focus Sigil"},
        CatalogueRow{"FocusAlbionLast", TypeFocus, Albion, 10, "Death Servant Focus", "Ashen Focus Sigil"},
        CatalogueRow{"FocusHiberniaFirst", TypeFocus, Hibernia, 0, "Enchantment Focus", "Vapor Focus Stone"},
        CatalogueRow{"FocusHiberniaLast", TypeFocus, Hibernia, 7, "Verdant Focus",
                     "Mineral Encrusted Focus Stone"},
        CatalogueRow{"FocusMidgardFirst", TypeFocus, Midgard, 0, "Darkness Focus", "Icy Focus Sigil"},
        CatalogueRow{"FocusMidgardLast", TypeFocus, Midgard, 4, "Bonedancing Focus", "Ashen Focus Rune"},
        CatalogueRow{"SkillAlbionFirst", TypeSkill, Albion, 0, "Body Magic", "Heated Evocation Sigil"},
        CatalogueRow{"SkillAlbionLast", TypeSkill, Albion, 31, "Soulrending", "Steaming Fervor Sigil"},
        CatalogueRow{"SkillHiberniaFirst", TypeSkill, Hibernia, 0, "Blades", "Watery War Spell Stone"},
        CatalogueRow{"SkillHiberniaLast", TypeSkill, Hibernia, 25, "Verdant Path",
                     "Mineral Encrusted Nature Spell Stone"},
        CatalogueRow{"SkillMidgardFirst", TypeSkill, Midgard, 0, "Augmentation", "Airy Chaos Rune"},
        CatalogueRow{"SkillMidgardLast", TypeSkill, Midgard, 24, "Hand to Hand",
                     "Lightning Charged War Rune"},
        // The same stored index means a different effect in each realm.
        CatalogueRow{"SkillThreeAlbion", TypeSkill, Albion, 3, "Critical Strike", "Heated Battle Jewel"},
        CatalogueRow{"SkillThreeHibernia", TypeSkill, Hibernia, 3, "Celtic Spear", "Earthen War Spell Stone"},
        CatalogueRow{"SkillThreeMidgard", TypeSkill, Midgard, 3, "Beastcraft", "Earthen Primal Rune"},
        // Stat, Resist, Hits and Power ignore the realm, even one outside the list of realms.
        CatalogueRow{"StatIgnoresRealm", TypeStat, INT_MAX, 6, "Charisma", "Icy Essence Jewel"}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(EffectLists, CountsPerTypeAndRealm)
{
    const int expected[EffectTypeCount][RealmCount] = {{0, 0, 0}, {8, 8, 8},  {9, 9, 9},   {1, 1, 1},
                                                       {1, 1, 1}, {11, 8, 5}, {32, 26, 25}};
    for (int type = 0; type < EffectTypeCount; ++type)
        for (int realm = 0; realm < RealmCount; ++realm) {
            EXPECT_EQ(EffectCount(type, realm), expected[type][realm]) << type << "/" << realm;
            EXPECT_EQ(EffectListTexts(type, realm).size(), static_cast<size_t>(expected[type][realm]));
        }
}

TEST(EffectLists, MidgardFocusListsExactlyItsFive)
{
    EXPECT_EQ(EffectListTexts(TypeFocus, Midgard),
              (std::vector<std::string>{"Darkness Focus", "Runecarving Focus", "Summoning Focus",
                                        "Suppression Focus", "Bonedancing Focus"}));
    EXPECT_EQ(EffectListTexts(TypeFocus, Albion).back(), "Death Servant Focus");
}

TEST(EffectLists, HiberniaSkillsEndWithThePathsAfterVoidMagic)
{
    const auto skills = EffectListTexts(TypeSkill, Hibernia);
    ASSERT_EQ(skills.size(), 26u);
    EXPECT_EQ(skills.front(), "Blades");
    EXPECT_EQ(
        std::vector<std::string>(skills.begin() + 21, skills.end()),
        (std::vector<std::string>{"Void Magic", "Arboreal Path", "Creeping Path", "Scythe", "Verdant Path"}));
}

TEST(EffectLists, UnusedAndUnknownTypesListNothing)
{
    for (int type : {0, -1, 7, INT_MIN, INT_MAX}) {
        EXPECT_TRUE(EffectListTexts(type, Albion).empty()) << type;
        EXPECT_TRUE(AmountListTexts(type).empty()) << type;
    }
    EXPECT_EQ(EffectListTexts(TypeHits, Midgard), std::vector<std::string>{"Hits"});
    EXPECT_EQ(EffectListTexts(TypePower, Hibernia), std::vector<std::string>{"Power"});
}

TEST(GemAmounts, AmountListsShowWhatAGemGives)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(AmountListTexts(TypeStat), (V{"1", "4", "7", "10", "13", "16", "19", "22", "25", "28"}));
    EXPECT_EQ(AmountListTexts(TypeResist), (V{"1", "2", "3", "5", "7", "9", "11", "13", "15", "17"}));
    EXPECT_EQ(AmountListTexts(TypeHits), (V{"4", "12", "20", "28", "36", "44", "52", "60", "68", "76"}));
    EXPECT_EQ(AmountListTexts(TypePower), (V{"1", "2", "3", "5", "7", "9", "11", "13", "15", "17"}));
    EXPECT_EQ(AmountListTexts(TypeFocus), (V{"5", "10", "15", "20", "25", "30", "35", "40", "45", "50"}));
    EXPECT_EQ(AmountListTexts(TypeSkill), (V{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
}

TEST(GemAmounts, StatBaseValueIsTheRawRow)
{
    EXPECT_EQ(GemBaseValue(TypeStat, 0), 1);
    EXPECT_EQ(GemBaseValue(TypeStat, 9), 19);
    EXPECT_EQ(GemAmount(TypeStat, 9), 28);
    EXPECT_EQ(GemBaseValue(TypeHits, 9), GemAmount(TypeHits, 9));
}

TEST(GemTiers, PrefixesAndBaseGemWordsAtBothEnds)
{
    EXPECT_EQ(TierPrefix(0), "raw ");
    EXPECT_EQ(TierPrefix(4), "imperfect ");
    EXPECT_EQ(TierPrefix(9), "perfect ");
    EXPECT_EQ(BaseGemWord(0), "Lo");
    EXPECT_EQ(BaseGemWord(8), "Kath");
    EXPECT_EQ(BaseGemWord(9), "Ra");
}

TEST(Realms, KeywordsCaptionsAndBounds)
{
    EXPECT_EQ(RealmFileName(0), "albion");
    EXPECT_EQ(RealmFileName(2), "midgard");
    EXPECT_EQ(RealmCaption(1), "Hibernia");
    EXPECT_EQ(RealmOfKeyword("hibernia"), 1);
    EXPECT_EQ(RealmOfKeyword("Hibernia"), -1); // files carry the lower-case keyword only
    EXPECT_EQ(RealmOfKeyword(""), -1);
    for (int realm : {-1, 3, INT_MIN, INT_MAX}) {
        EXPECT_EQ(BoundRealm(realm), 0);
        EXPECT_EQ(RealmFileName(realm), "albion");
    }
}

TEST(Qualities, TextsOfTheSevenIndices)
{
    EXPECT_EQ(QualityText(0), "94");
    EXPECT_EQ(QualityText(6), "100");
    EXPECT_EQ(QualityPercentText(5), "99%");
    EXPECT_EQ(QualityText(7), "");
    EXPECT_EQ(QualityPercentText(-1), "");
    EXPECT_EQ(EffectTypeListTexts(),
              (std::vector<std::string>{"Unused", "Stat", "Resist", "Hits", "Power", "Focus", "Skill"}));
}

// A damaged file can bring any value as type, index, tier, quality or realm: every lookup stays
// inside its table (the sanitizer build catches a stray read).
TEST(Bounds, NoLookupReadsOutsideItsTable)
{
    for (int bad : Hostile) {
        EXPECT_EQ(EffectTypeName(bad), "") << bad;
        EXPECT_EQ(EffectCount(bad, Albion), 0) << bad;
        EXPECT_EQ(TierPrefix(bad), "") << bad;
        EXPECT_EQ(BaseGemWord(bad), "") << bad;
        EXPECT_EQ(QualityText(bad), "") << bad;
        for (int type = -1; type <= EffectTypeCount; ++type) {
            EXPECT_EQ(GemAmount(type, bad), 0);
            EXPECT_EQ(GemBaseValue(type, bad), 0);
            for (int realm : {Albion, Hibernia, Midgard, bad}) {
                // 10 and 11 are real entries of the longer lists.
                if (bad >= 0 && bad < EffectCount(type, realm))
                    continue;
                EXPECT_EQ(LookupEffectName(type, realm, bad), "") << type << "/" << realm << "/" << bad;
                EXPECT_EQ(LookupGemBaseName(type, realm, bad), "");
            }
        }
        EXPECT_EQ(GemAmount(bad, 3), 0);
        EXPECT_EQ(LookupEffectName(bad, Albion, 0), "");
    }
    EXPECT_EQ(EffectTypeName(7), "");
    EXPECT_EQ(GemAmount(7, 0), 0);
    // A Midgard item's skill beyond its 25 entries names nothing rather than a blank cell.
    EXPECT_EQ(LookupEffectName(TypeSkill, Midgard, 25), "");
    EXPECT_EQ(LookupGemBaseName(TypeFocus, Hibernia, 8), "");
}

} // namespace
} // namespace gw
