// The saved-item browser's preview texts: effect lines, realm-specific names and its own
// utility rule, which takes every amount as typed whatever the item's PlayerMade flag says.
#include <gtest/gtest.h>

#include "data/Globals.h"
#include "model/Preview.h"

namespace gw {
namespace {

GWItem Drop(std::initializer_list<std::array<int, 3>> rows) // {type, amount, name index}
{
    GWItem item;
    item.PlayerMade = 0;
    int r = 0;
    for (const auto& row : rows) {
        item.EffectType[static_cast<std::size_t>(r)] = row[0];
        item.EffectAmount[static_cast<std::size_t>(r)] = row[1];
        item.EffectName[static_cast<std::size_t>(r)] = row[2];
        ++r;
    }
    return item;
}

TEST(Preview, NothingSelectedShowsTheDesignedResetTexts)
{
    const PreviewTexts p = EmptyPreview();
    EXPECT_EQ(p.name, "none selected");
    for (const auto* t : {&p.level, &p.utility, &p.dps, &p.speed, &p.quality, &p.bonus})
        EXPECT_EQ(*t, "0");
    for (const auto& e : p.effects)
        EXPECT_EQ(e, "none");
}

TEST(Preview, StatAndResistDropShowsAmountsNamesAndUtility)
{
    GWItem item = Drop({{TypeStat, 15, 0}, {TypeResist, 8, 0}});
    item.Name = "Sword of Tests";
    item.Level = 51;
    item.DPS = "16.5";
    item.Speed = "3.7";
    item.Qual = "99";
    item.Bonus = "35";
    const PreviewTexts p = PreviewOf(item, 0);
    EXPECT_EQ(p.name, "Sword of Tests");
    EXPECT_EQ(p.level, "51");
    EXPECT_EQ(p.dps, "16.5");
    EXPECT_EQ(p.speed, "3.7");
    EXPECT_EQ(p.quality, "99");
    EXPECT_EQ(p.bonus, "35");
    EXPECT_EQ(p.effects[0], "15 Strength");
    EXPECT_EQ(p.effects[1], "8 Body Resist");
    EXPECT_EQ(p.effects[2], "none");
    EXPECT_EQ(p.effects[3], "none");
    EXPECT_EQ(p.utility, "26.0"); // 15 x 2/3 + 8 x 2
}

TEST(Preview, FocusCountsOneWhateverItsAmount)
{
    EXPECT_EQ(PreviewOf(Drop({{TypeFocus, 50, 0}}), 0).utility, "1.0");
}

TEST(Preview, PlayerMadeItemsAreValuedByTheirStoredAmounts)
{
    // A player-made item stores a tier in EffectAmount; the preview still takes it as typed.
    GWItem item = Drop({{TypeSkill, 3, 0}});
    item.PlayerMade = 1;
    EXPECT_EQ(PreviewOf(item, 0).utility, "15.0");
    EXPECT_EQ(PreviewOf(item, 0).effects[0].substr(0, 2), "3 ");
}

TEST(Preview, FocusAndSkillNamesComeFromTheBrowsersRealm)
{
    const GWItem item = Drop({{TypeFocus, 50, 0}});
    EXPECT_EQ(PreviewOf(item, 0).effects[0], "50 " + std::string(LookupEffectName(TypeFocus, 0, 0)));
    EXPECT_EQ(PreviewOf(item, 1).effects[0], "50 " + std::string(LookupEffectName(TypeFocus, 1, 0)));
    EXPECT_NE(PreviewOf(item, 0).effects[0], PreviewOf(item, 1).effects[0]);
}

TEST(Preview, DamagedIndicesNameNothingInsteadOfReadingPastATable)
{
    const GWItem item = Drop({{TypeSkill, 4, 9999}, {TypeStat, -2, -1}, {42, 7, 0}});
    const PreviewTexts p = PreviewOf(item, 2);
    EXPECT_EQ(p.effects[0], "4 ");
    EXPECT_EQ(p.effects[1], "-2 ");
    EXPECT_EQ(p.effects[2], "7 ");
}

} // namespace
} // namespace gw
