// The value tags: which keyword wins, the fields of player-made items and drops, gems, skills,
// materials and the width.
#include <gtest/gtest.h>

#include <string>

#include "data/Globals.h"
#include "model/Imbue.h"
#include "report/ReportFields.h"
#include "support/FakeReportSource.h"

namespace gw {
namespace {

using FakeSource = test::FakeReportSource;

std::string Eval(const FakeSource& source, std::string_view tag)
{
    return EvaluateValueTag(tag, source);
}

std::string CaptionOf(PanelCaption c)
{
    return "C" + std::to_string(static_cast<int>(c));
}

TEST(CaptionTags, EveryKeywordReadsItsLabel)
{
    const FakeSource source;
    const char* keywords[] = {"str",    "con",    "dex",    "qui",    "int",   "pie",
                              "cha",    "emp",    "body",   "cold",   "heat",  "energy",
                              "matter", "spirit", "crush",  "thrust", "slash", "focus1",
                              "focus2", "focus3", "focus4", "hits",   "power", "totalcost"};
    for (int i = 0; i < PanelCaptionCount; ++i)
        EXPECT_EQ(Eval(source, keywords[i]), "C" + std::to_string(i)) << keywords[i];
}

TEST(CaptionTags, KeywordsArePrefixesInAnyCase)
{
    const FakeSource source;
    EXPECT_EQ(Eval(source, "intelligence"), CaptionOf(PanelCaption::Int));
    EXPECT_EQ(Eval(source, "Constitution"), CaptionOf(PanelCaption::Con));
    EXPECT_EQ(Eval(source, "STR"), CaptionOf(PanelCaption::Str));
    EXPECT_EQ(Eval(source, "powerful"), CaptionOf(PanelCaption::Power));
    EXPECT_EQ(Eval(source, "focus"), "");
    // Tests run in table order on what is left, so the last match sets the value.
    EXPECT_EQ(Eval(source, "strcon"), CaptionOf(PanelCaption::Con));
    EXPECT_EQ(Eval(source, "constr"), CaptionOf(PanelCaption::Con)); // "str" was tested first
    EXPECT_EQ(Eval(source, "strhits"), CaptionOf(PanelCaption::Hits));
}

TEST(Width, PadsWithLeadingSpacesOnlyForAWholeNumber)
{
    FakeSource source;
    source.captions[0] = "75";
    EXPECT_EQ(Eval(source, "str5"), "   75");
    EXPECT_EQ(Eval(source, "str 5"), "   75");
    EXPECT_EQ(Eval(source, "str\t+5"), "   75");
    EXPECT_EQ(Eval(source, "str 1"), "75"); // never shortened
    EXPECT_EQ(Eval(source, "str -5"), "75");
    EXPECT_EQ(Eval(source, "str 5 "), "75"); // not wholly a number
    EXPECT_EQ(Eval(source, "str 5x"), "75");
    EXPECT_EQ(Eval(source, "str -"), "75");
    EXPECT_EQ(Eval(source, "12"), std::string(12, ' '));
    EXPECT_EQ(Eval(source, "  7"), std::string(7, ' '));
    EXPECT_EQ(Eval(source, "xyz"), "");
    EXPECT_EQ(Eval(source, "xyz 12"), "");
    EXPECT_EQ(Eval(source, ""), "");
}

TEST(Width, HugeWidthsAreHeldToTheLongestValue)
{
    const FakeSource source;
    EXPECT_EQ(Eval(source, "5000"), std::string(MaxValueWidth, ' '));
    EXPECT_EQ(Eval(source, "99999999999999999999999"), std::string(MaxValueWidth, ' '));
}

TEST(Width, LongValuesAreKeptWhole)
{
    FakeSource source;
    source.captions[0] = std::string(3000, 'x');
    EXPECT_EQ(Eval(source, "str"), source.captions[0]);
    EXPECT_EQ(Eval(source, "str 2500"), source.captions[0]);
}

TEST(SkillTags, WholeListAndNumberedLines)
{
    FakeSource source;
    for (int i = 1; i <= 12; ++i)
        source.skills.push_back(std::to_string(i) + " Skill" + std::to_string(i));
    std::string all;
    for (const auto& line : source.skills)
        all += (all.empty() ? "" : "\n") + line;

    EXPECT_EQ(Eval(source, "skills"), all);
    EXPECT_EQ(Eval(source, "SKILLS 40"), all); // no width after "skills"
    EXPECT_EQ(Eval(source, "skill 1"), "1 Skill1");
    EXPECT_EQ(Eval(source, "skill 12"), "12 Skill12");
    EXPECT_EQ(Eval(source, "skill 0330"), std::string(30 - 8, ' ') + "3 Skill3");
    EXPECT_EQ(Eval(source, "skill 2 12"), "    2 Skill2"); // "2 " is the number, "12" the width
    EXPECT_EQ(Eval(source, "skill_1"), "1 Skill1");        // any separator
    EXPECT_EQ(Eval(source, "skill 13"), "");
    EXPECT_EQ(Eval(source, "skill 0"), "");
    EXPECT_EQ(Eval(source, "skill -1"), "");
    EXPECT_EQ(Eval(source, "skill"), "");
    EXPECT_EQ(Eval(source, "skill x 5"), "     ");
}

TEST(SkillTags, FewerLinesThanAsked)
{
    FakeSource source;
    source.skills = {"3 Slash", "5 Parry", "11 Shields"};
    EXPECT_EQ(Eval(source, "skills"), "3 Slash\n5 Parry\n11 Shields");
    EXPECT_EQ(Eval(source, "skill 3"), "11 Shields");
    EXPECT_EQ(Eval(source, "skill 4"), "");
    source.skills.clear();
    EXPECT_EQ(Eval(source, "skills"), "");
    EXPECT_EQ(Eval(source, "skill 1 3"), "   ");
}

// A player-made chest that is overcharged by 4 points: gems of 19, 16 and 10 points against a
// capacity of 28, with an unused third position that keeps the 100% quality.
FakeSource OverchargedChest()
{
    FakeSource source;
    GWItem& chest = source.config.Items[0];
    chest.PlayerMade = 1;
    chest.Quality = 5;
    chest.ImbuePoints = 28;
    chest.Level = 51;
    chest.Name = "hidden";
    chest.EffectType = {TypeStat, TypeResist, TypeUnused, TypeSkill};
    chest.EffectAmount = {9, 5, 3, 2};
    chest.EffectName = {0, 2, 4, 0};
    chest.GemQuality = {6, 5, 6, 0};
    return source;
}

TEST(SlotFields, PlayerMadeItem)
{
    const FakeSource source = OverchargedChest();
    EXPECT_EQ(Eval(source, "chest quality"), "99%");
    EXPECT_EQ(Eval(source, "Chest Quality 6"), "   99%");
    EXPECT_EQ(Eval(source, "chest level"), "51");
    EXPECT_EQ(Eval(source, "chest usedpoints"), "32");
    EXPECT_EQ(Eval(source, "chest availablepoints"), "28");
    EXPECT_EQ(Eval(source, "chest utility"), FormatUtility(SlotUtility(source.config.Items[0])));
    // 50 (skill 1001) - 50 (over 4) + 18 (item 99%) + 11 + 8 + 11 + 0: the unused third
    // position's 100% counts in a report.
    EXPECT_EQ(Eval(source, "chest overcharge"), "48%");
    for (const char* dropOnly : {"chest name", "chest af", "chest speed", "chest bonus"})
        EXPECT_EQ(Eval(source, dropOnly), "") << dropOnly;
    EXPECT_EQ(Eval(source, "chest"), "");
    EXPECT_EQ(Eval(source, "chest nothing"), "");
    EXPECT_EQ(Eval(source, "chest 12"), std::string(12, ' '));
}

TEST(SlotFields, OverchargeTexts)
{
    FakeSource source = OverchargedChest();
    GWItem& chest = source.config.Items[0];
    chest.ImbuePoints = 32;
    EXPECT_EQ(Eval(source, "chest overcharge"), "None");
    chest.ImbuePoints = 26;
    EXPECT_EQ(Eval(source, "chest overcharge"), "Impossible!");
    chest.ImbuePoints = 27; // over 5: 50 - 70 + 18 + 30 = 28
    EXPECT_EQ(Eval(source, "chest overcharge"), "28%");
    source.crafterSkill = 10; // "501": bonus 0, chance -22
    EXPECT_EQ(Eval(source, "chest overcharge"), "BOOM! (-22%)");
    chest.GemQuality = {6, 6, 6, 6}; // 44 from the gems: chance 0
    chest.Quality = 4;               // item 98%: 10
    chest.ImbuePoints = 28;          // over 4: 0 - 50 + 10 + 44 = 4
    EXPECT_EQ(Eval(source, "chest overcharge"), "4%");
    chest.Quality = 0; // 0 - 50 + 0 + 44 = -6
    EXPECT_EQ(Eval(source, "chest overcharge"), "BOOM! (-6%)");
    // The boom begins below 1: a chance of 0 explodes, a chance of 1 does not.
    chest.Quality = 2; // 0 - 50 + 6 + 44 = 0
    EXPECT_EQ(Eval(source, "chest overcharge"), "BOOM! (0%)");
    chest.Quality = 0;
    chest.GemQuality = {6, 6, 6, 5}; // the unused third position still counts its 11
    source.crafterSkill = 8;         // "601": 10 - 50 + 0 + 41 = 1
    EXPECT_EQ(Eval(source, "chest overcharge"), "1%");
}

TEST(SlotFields, QualityOutsideTheListIsEmpty)
{
    FakeSource source = OverchargedChest();
    source.config.Items[0].Quality = 7;
    source.config.Items[0].GemQuality[0] = -1;
    EXPECT_EQ(Eval(source, "chest quality"), "");
    EXPECT_EQ(Eval(source, "chest gem1 quality"), "");
    source.config.Items[0].Quality = 6;
    EXPECT_EQ(Eval(source, "chest quality"), "100%");
    source.config.Items[0].Quality = 0;
    EXPECT_EQ(Eval(source, "chest quality"), "94%");
}

TEST(SlotFields, DropItem)
{
    FakeSource source;
    GWItem& arms = source.config.Items[1];
    arms.PlayerMade = 0;
    arms.Name = "Sleeves of <str>";
    arms.Qual = "89";
    arms.Level = 45;
    arms.DPS = "26.2";
    arms.Speed = "3.7";
    arms.Bonus = "35";
    arms.ImbuePoints = 11;
    arms.EffectType = {TypeStat, TypeHits, TypeUnused, TypeSkill};
    arms.EffectAmount = {15, 30, 0, -2};
    arms.EffectName = {1, 0, 0, 3};
    arms.GemQuality = {6, 6, 6, 6};
    EXPECT_EQ(Eval(source, "arms name"), "Sleeves of <str>");
    EXPECT_EQ(Eval(source, "arms quality"), "89");
    EXPECT_EQ(Eval(source, "arms level"), "45");
    EXPECT_EQ(Eval(source, "arms af"), "26.2");
    EXPECT_EQ(Eval(source, "arms speed"), "3.7");
    EXPECT_EQ(Eval(source, "arms bonus"), "35");
    EXPECT_EQ(Eval(source, "arms utility"), FormatUtility(SlotUtility(arms)));
    for (const char* pmOnly : {"arms usedpoints", "arms availablepoints", "arms overcharge"})
        EXPECT_EQ(Eval(source, pmOnly), "") << pmOnly;
    EXPECT_EQ(Eval(source, "arms gem1 amount"), "15");
    EXPECT_EQ(Eval(source, "arms gem1 effect"), "Constitution");
    EXPECT_EQ(Eval(source, "arms gem1 name"), "");
    EXPECT_EQ(Eval(source, "arms gem1 quality"), "");
    EXPECT_EQ(Eval(source, "arms gem4 amount"), "-2");
    EXPECT_EQ(Eval(source, "arms gem4 effect"), "Critical Strike");
    EXPECT_EQ(Eval(source, "arms gem3 effect"), "Empty");
}

TEST(SlotFields, EmptyItemHasAUtilityOfZero)
{
    const FakeSource source;
    EXPECT_EQ(Eval(source, "chest utility"), "0.0");
    EXPECT_EQ(Eval(source, "lwrist utility"), "0.0");
    EXPECT_EQ(Eval(source, "chest overcharge"), "None");
    EXPECT_EQ(Eval(source, "chest usedpoints"), "0");
}

TEST(SlotFields, KeywordsAddressSlotsByTheirPosition)
{
    FakeSource source;
    const char* keywords[] = {"chest",   "arms",    "head",    "legs",   "hands",  "feet",
                              "rweapon", "lweapon", "2handed", "ranged", "neck",   "cloak",
                              "jewel",   "belt",    "rring",   "lring",  "rwrist", "lwrist"};
    for (int slot = 0; slot < SlotCount; ++slot) {
        GWItem& item = source.config.Items[static_cast<std::size_t>(slot)];
        item.PlayerMade = 0;
        item.Name = "item" + std::to_string(slot);
    }
    for (int slot = 0; slot < SlotCount; ++slot)
        EXPECT_EQ(Eval(source, std::string(keywords[slot]) + " name"), "item" + std::to_string(slot));
    EXPECT_EQ(Eval(source, "RRING NAME"), "item14");  // "Left Ring"
    EXPECT_EQ(Eval(source, "lwrist name"), "item17"); // "Right Wrist"
}

TEST(GemFields, PlayerMadeGems)
{
    const FakeSource source = OverchargedChest();
    EXPECT_EQ(Eval(source, "chest gem1 quality"), "100%");
    EXPECT_EQ(Eval(source, "chest gem1 amount"), "28");
    EXPECT_EQ(Eval(source, "chest gem1 name"), "perfect Fiery Essence Jewel");
    EXPECT_EQ(Eval(source, "chest gem1 effect"), "Strength");
    EXPECT_EQ(Eval(source, "chest gem2 effect"), "Heat Resist");
    EXPECT_EQ(Eval(source, "chest gem2 quality"), "99%");
    EXPECT_EQ(Eval(source, "chest gem4 name"), "rough Heated Evocation Sigil");
    EXPECT_EQ(Eval(source, "chest gem4 effect"), "Body Magic");
    EXPECT_EQ(Eval(source, "chest gem4 amount 4"), "   3");
    // An unused position: "Empty" as its effect and nothing else.
    EXPECT_EQ(Eval(source, "chest gem3 effect"), "Empty");
    for (const char* field : {"chest gem3 name", "chest gem3 amount", "chest gem3 quality"})
        EXPECT_EQ(Eval(source, field), "") << field;
}

TEST(GemFields, FifthCharacterRule)
{
    const FakeSource source = OverchargedChest();
    const std::string fourth = Eval(source, "chest gem4 name");
    EXPECT_EQ(Eval(source, "chest gem9 name"), fourth);
    EXPECT_EQ(Eval(source, "chest gemx name"), fourth);
    EXPECT_EQ(Eval(source, "chest gem1_name"), "perfect Fiery Essence Jewel");
    EXPECT_EQ(Eval(source, "chest gem name"), ""); // "gem n" is taken off, "ame" is no field
    EXPECT_EQ(Eval(source, "chest gem1 colour"), "");
    EXPECT_EQ(Eval(source, "chest gem1"), "");
}

TEST(GemFields, NamesFollowTheRealmOfTheReport)
{
    FakeSource source = OverchargedChest();
    source.realm = 2;
    EXPECT_EQ(Eval(source, "chest gem4 effect"), "Augmentation");
    EXPECT_EQ(Eval(source, "chest gem4 name"), "rough Airy Chaos Rune");
}

TEST(GemFields, DamagedTypesAndIndicesGiveEmptyNames)
{
    FakeSource source = OverchargedChest();
    source.config.Items[0].EffectType[0] = 9;
    source.config.Items[0].EffectName[1] = 99;
    EXPECT_EQ(Eval(source, "chest gem1 name"), "");
    EXPECT_EQ(Eval(source, "chest gem1 effect"), "");
    EXPECT_EQ(Eval(source, "chest gem2 effect"), "");
    EXPECT_EQ(Eval(source, "chest gem2 name"), "");
}

TEST(MaterialsTags, ListsOfThePlayerMadeGems)
{
    FakeSource source;
    GWItem& chest = source.config.Items[0];
    chest.EffectType = {TypeStat, TypeStat, TypeUnused, TypeUnused};
    GWItem& weapon = source.config.Items[9]; // not equipped: still counts
    weapon.EffectType[0] = TypeResist;
    weapon.EffectAmount[0] = 9;
    EXPECT_EQ(Eval(source, "materials gemlist"),
              "2 raw Fiery Essence Jewels\n1 perfect Dusty Shielding Jewel\n");
    EXPECT_EQ(Eval(source, "materials gems"), "2 Lo Gems\n1 Ra Gem\n");
    EXPECT_EQ(Eval(source, "Materials Dusts"), "2 Essence of Life\n46 Ground Draconic Scales\n");
    EXPECT_EQ(Eval(source, "materials liquids"), "2 Draconic Fire\n10 Undead Ash and Holy Water\n");
    EXPECT_EQ(Eval(source, "materials gems 12"), "2 Lo Gems\n1 Ra Gem\n"); // longer than 12
    EXPECT_EQ(Eval(source, "materials gems 40"), std::string(40 - 19, ' ') + "2 Lo Gems\n1 Ra Gem\n");
    EXPECT_EQ(Eval(source, "materials wood"), "");
    EXPECT_EQ(Eval(source, "materials"), "");
}

TEST(MaterialsTags, NoPlayerMadeGemGivesEmptyLists)
{
    FakeSource source;
    source.config.Items[0].PlayerMade = 0;
    source.config.Items[0].EffectType[0] = TypeStat;
    for (const char* tag : {"materials gemlist", "materials gems", "materials dusts", "materials liquids"})
        EXPECT_EQ(Eval(source, tag), "") << tag;
}

TEST(Evaluator, ReadsTheSourceOncePerReport)
{
    class CountingSource : public FakeSource {
      public:
        std::string Caption(PanelCaption c) const override
        {
            ++captionReads;
            return FakeSource::Caption(c);
        }
        std::vector<std::string> SkillLines() const override
        {
            ++skillReads;
            return {"1 Slash"};
        }
        mutable int captionReads = 0;
        mutable int skillReads = 0;
    };
    const CountingSource source;
    ValueTagEvaluator evaluator(source);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(evaluator.Evaluate("str"), "C0");
        EXPECT_EQ(evaluator.Evaluate("skill 1"), "1 Slash");
        EXPECT_EQ(evaluator.Evaluate("skills"), "1 Slash");
    }
    EXPECT_EQ(source.captionReads, 1);
    EXPECT_EQ(source.skillReads, 1);
}

TEST(PanelSource, CaptionsFollowTheDisplayMode)
{
    Configuration config;
    config.Items[0].EffectType[0] = TypeStat;
    config.Items[0].EffectAmount[0] = 9; // 28 Strength
    config.Items[0].EffectType[1] = TypeFocus;
    const PanelReportSource totals(config, 0, 0, DisplayMode::TotalBonus);
    const PanelReportSource distance(config, 0, 0, DisplayMode::DistanceToCap);
    EXPECT_EQ(EvaluateValueTag("str", totals), "28");
    EXPECT_EQ(EvaluateValueTag("str", distance), "47");
    EXPECT_EQ(EvaluateValueTag("hits", distance), "200");
    EXPECT_EQ(EvaluateValueTag("focus1", distance), "5 Fire Focus");
    EXPECT_EQ(EvaluateValueTag("focus2", distance), "");
    EXPECT_EQ(EvaluateValueTag("totalcost", totals), totals.Panel().totalCost);
    EXPECT_EQ(PanelCaptionLabel(PanelCaption::Str), "TotalStr");
    EXPECT_EQ(PanelCaptionLabel(PanelCaption::Focus4), "TotalFocus4");
    EXPECT_EQ(PanelCaptionLabel(PanelCaption::TotalCost), "TotalCost");
}

} // namespace
} // namespace gw
