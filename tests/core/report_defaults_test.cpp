// The two report definitions shipped with the program render cleanly for an empty and for a
// full configuration: every slot where it belongs, no blank-line runs, no tag left over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Globals.h"
#include "report/ReportTemplate.h"

namespace gw {
namespace {

const std::string ConfigReport = std::string(GW_SOURCE_DIR) + "/share/Config Report.rpt";
const std::string MatsList = std::string(GW_SOURCE_DIR) + "/share/Mats List.rpt";

std::string Render(const std::string& path, const Configuration& config,
                   DisplayMode mode = DisplayMode::TotalBonus)
{
    const PanelReportSource source(config, 0, 0, mode);
    const GeneratedReport report = GenerateReport(path, source);
    EXPECT_TRUE(report.ok) << report.message;
    return report.text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

bool HasLineStarting(const std::string& text, const std::string& prefix)
{
    for (const auto& line : Lines(text)) {
        if (line.starts_with(prefix))
            return true;
    }
    return false;
}

void ExpectClean(const std::string& text)
{
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.front(), '\n');
    EXPECT_EQ(text.back(), '\n');
    EXPECT_FALSE(text.ends_with("\n\n")) << "blank line at the end";
    EXPECT_EQ(text.find("\n\n\n"), std::string::npos) << "two blank lines in a row";
    EXPECT_EQ(text.find('<'), std::string::npos) << "a tag left in the report";
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

const char* const ArmourCaptions[] = {"Chest", "Arms",       "Head",      "Legs",     "Hands",
                                      "Feet",  "Right Hand", "Left Hand", "2 Handed", "Ranged"};
const char* const JewelleryCaptions[] = {"Neck",      "Cloak",      "Jewel",      "Belt",
                                         "Left Ring", "Right Ring", "Left Wrist", "Right Wrist"};

// Every slot filled: player-made armour with four gems, drops in the arms and left hand,
// jewellery as the jewellery page stores it.
Configuration FullConfiguration()
{
    Configuration config;
    for (int slot = 0; slot < ArmourSlotCount; ++slot) {
        GWItem& item = config.Items[static_cast<std::size_t>(slot)];
        if (slot == 1 || slot == 7) {
            item.PlayerMade = 0;
            item.Name = "Drop " + std::to_string(slot);
            item.Qual = "89";
            item.Level = 45;
            item.EffectType = {TypeStat, TypeHits, TypeUnused, TypeSkill};
            item.EffectAmount = {15, 30, 0, 3};
            item.EffectName = {1, 0, 0, 3};
            continue;
        }
        item.Level = 51;
        item.ImbuePoints = 28;
        item.EffectType = {TypeStat, TypeResist, TypeFocus, TypeSkill};
        item.EffectAmount = {9, 5, 3, 1};
        item.EffectName = {slot % 8, slot % 9, slot % 5, slot};
        item.GemQuality = {6, 5, 4, 3};
    }
    for (int slot = FirstJewellerySlot; slot < SlotCount; ++slot) {
        GWItem& item = config.Items[static_cast<std::size_t>(slot)];
        item.PlayerMade = 0;
        item.Quality = 0;
        item.Name = "Jewel " + std::to_string(slot);
        item.Qual = "100";
        item.EffectType = {TypeStat, TypeResist, TypeUnused, TypeUnused};
        item.EffectAmount = {10, 8, 0, 0};
        item.EffectName = {slot % 8, slot % 9, 0, 0};
    }
    return config;
}

TEST(ConfigReport, EmptyConfiguration)
{
    const std::string text = Render(ConfigReport, Configuration{});
    ExpectClean(text);
    for (const char* caption : ArmourCaptions)
        EXPECT_TRUE(HasLineStarting(text, std::string(caption) + ": player-made")) << caption;
    // Cleared jewellery slots hold nothing the jewellery page stored, so they are left out.
    for (const char* caption : JewelleryCaptions)
        EXPECT_FALSE(HasLineStarting(text, std::string(caption) + ":")) << caption;
    // Unused gem positions say so in the effect column, not far out to the right.
    EXPECT_NE(text.find("0.0)\n" + std::string(16, ' ') + "Empty" + std::string(12, ' ') + "\n"), std::string::npos)
        << text;
    EXPECT_TRUE(HasLineStarting(text, "Stats      Str    0     Con    0"));
    EXPECT_TRUE(text.ends_with("         Crush    0  Thrust    0   Slash    0\n"
                               "          Hits    0   Power    0\n"
                               "\n"
                               "Total cost of the gems: 0c\n"))
        << text;
}

TEST(ConfigReport, FullConfiguration)
{
    const Configuration config = FullConfiguration();
    const std::string text = Render(ConfigReport, config);
    ExpectClean(text);
    for (int slot = 0; slot < ArmourSlotCount; ++slot) {
        const std::string caption = ArmourCaptions[slot];
        const bool drop = slot == 1 || slot == 7;
        EXPECT_TRUE(HasLineStarting(text, caption + (drop ? ": Drop " : ": player-made"))) << caption;
    }
    for (const char* caption : JewelleryCaptions)
        EXPECT_TRUE(HasLineStarting(text, std::string(caption) + ": Jewel ")) << caption;
    EXPECT_NE(text.find("\n             Strength   28  100% perfect Fiery Essence Jewel\n"), std::string::npos);
    EXPECT_NE(text.find("\n         Constitution   15\n"
                        "                 Hits   30\n"
                        "                Empty     \n"
                        "      Critical Strike    3\n"),
              std::string::npos);
    EXPECT_NE(text.find("\nRight Wrist: Jewel 17 (quality 100, level 0, bonus 0, utility "),
              std::string::npos);
    // Focus and skill lines follow the totals, one a line.
    EXPECT_NE(text.find("Power    0\n20 Fire Focus\n"), std::string::npos);
    EXPECT_TRUE(HasLineStarting(text, "2 Body Magic"));
    EXPECT_TRUE(text.ends_with("\n\nTotal cost of the gems: " +
                               PanelReportSource(config, 0, 0, DisplayMode::TotalBonus).Panel().totalCost +
                               "\n"));
}

TEST(ConfigReport, DistanceToCap)
{
    const std::string text = Render(ConfigReport, Configuration{}, DisplayMode::DistanceToCap);
    ExpectClean(text);
    EXPECT_TRUE(HasLineStarting(text, "Stats      Str   75     Con   75"));
    EXPECT_TRUE(HasLineStarting(text, "          Hits  200   Power   26"));
}

TEST(MatsList, EmptyConfiguration)
{
    EXPECT_EQ(Render(MatsList, Configuration{}), "Order form\n==========\n\nTotal cost of the gems: 0c\n");
}

TEST(MatsList, OrderFormWithEveryList)
{
    Configuration config;
    config.Items[0].EffectType = {TypeStat, TypeStat, TypeUnused, TypeUnused};
    config.Items[9].EffectType[0] = TypeResist;
    config.Items[9].EffectAmount[0] = 9;
    EXPECT_EQ(Render(MatsList, config),
              "Order form\n"
              "==========\n"
              "\n"
              "2 raw Fiery Essence Jewels\n"
              "1 perfect Dusty Shielding Jewel\n"
              "\n"
              "2 Lo Gems\n"
              "1 Ra Gem\n"
              "\n"
              "2 Essence of Life\n"
              "46 Ground Draconic Scales\n"
              "\n"
              "2 Draconic Fire\n"
              "10 Undead Ash and Holy Water\n"
              "\n"
              "Total cost of the gems: " +
                  PanelReportSource(config, 0, 0, DisplayMode::TotalBonus).Panel().totalCost + "\n");
}

TEST(MatsList, FullConfiguration)
{
    ExpectClean(Render(MatsList, FullConfiguration()));
}

} // namespace
} // namespace gw
