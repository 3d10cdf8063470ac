// gemwright-plan run as a player runs it: the plan on standard output, messages on standard
// error, and the exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/Globals.h"
#include "io/ConfigFile.h"
#include "io/ItemRecord.h"
#include "support/TestFiles.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
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

// A chest at level 51, quality 99 (capacity 28) with a perfect Strength gem in its first
// position; the other armour at level 51 and empty; a necklace with 30 Constitution.
Configuration Sample()
{
    Configuration config;
    for (int slot = 0; slot < ArmourSlotCount; ++slot)
        config.Items[static_cast<std::size_t>(slot)].Level = 51;
    GWItem& chest = config.Items[0];
    chest.EffectType[0] = TypeStat;
    chest.EffectAmount[0] = 9;
    chest.GemQuality[0] = 5;
    GWItem& neck = config.Items[10];
    neck.PlayerMade = 0;
    neck.EffectType[0] = TypeStat;
    neck.EffectName[0] = 1;
    neck.EffectAmount[0] = 30;
    return config;
}

class PlanTool : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return (m_dir.path / name).string(); }

    std::string Config(const Configuration& config, int realm = 0, const std::string& name = "c.gwc") const
    {
        test::WriteAll(Path(name), ConfigurationText(config, realm));
        return Path(name);
    }

    ToolRun Start(const std::vector<std::string>& args) const
    {
        std::string command = "cd " + Quote(m_dir.path.string()) + " && " + Quote(GW_PLAN_TOOL);
        for (const auto& arg : args)
            command += " " + Quote(arg);
        command += " >" + Quote(Path("stdout")) + " 2>" + Quote(Path("stderr"));
        const int raw = std::system(command.c_str());
        ToolRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = test::ReadAll(Path("stdout"));
        run.err = test::ReadAll(Path("stderr"));
        return run;
    }

    test::TempDir m_dir;
};

TEST_F(PlanTool, UsageErrorsAndUnreadableFiles)
{
    const std::string config = Config(Sample());
    fs::create_directory(Path("folder"));
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err; // the first line of standard error
    };
    const Case cases[] = {
        {{}, 1, "gemwright-plan: no target given: use --target, --all-stats or --all-resists"},
        {{"--target", "str"}, 1, "gemwright-plan: no CONFIG given"},
        {{"--target", "str", config, config}, 1, "gemwright-plan: too many files: only CONFIG is taken"},
        {{"--target", "str,bogus", config}, 1, "gemwright-plan: unknown target 'bogus'"},
        {{"--target", "str,", config}, 1, "gemwright-plan: unknown target ''"},
        {{"--target", "skill:nonesuch", config}, 1, "gemwright-plan: unknown target 'skill:nonesuch' in Albion"},
        {{"--target", "skill:33", config}, 1, "gemwright-plan: unknown target 'skill:33' in Albion"},
        {{"--target", "str", "--slots", "chest,neck", config}, 1,
         "gemwright-plan: unknown armour or weapon slot 'neck'"},
        {{"--target", "str", "--gem-quality", "93", config}, 1,
         "gemwright-plan: gem quality '93' is not one of 94..100"},
        {{"--target", "str", "--min-chance", "101", config}, 1,
         "gemwright-plan: minimum chance '101' is not one of 0..100"},
        {{"--target", "str", "--min-chance=8x", config}, 1,
         "gemwright-plan: minimum chance '8x' is not one of 0..100"},
        {{"--target", "str", "--time-limit", "0", config}, 1,
         "gemwright-plan: time limit '0' is not a number of seconds above 0"},
        {{"--target", "str", "--realm", "nowhere", config}, 1, "gemwright-plan: unknown realm 'nowhere'"},
        {{"--target", "str", "--crafter-skill", "1000", config}, 1, "gemwright-plan: unknown crafter skill '1000'"},
        {{"--all-stats=yes", config}, 1, "gemwright-plan: option '--all-stats' takes no value"},
        {{"--target"}, 1, "gemwright-plan: option '--target' needs a value"},
        {{"-t", "str", config}, 1, "gemwright-plan: unknown option '-t'"},
        {{"--target", "str", "missing.gwc"}, 2,
         "gemwright-plan: cannot open the configuration \"missing.gwc\": No such file or directory"},
        {{"--target", "str", "folder"}, 2, "gemwright-plan: cannot open the configuration \"folder\": Is a directory"},
        {{"--target", "str", "--write-config", Path("folder/none/c.gwc"), config}, 2, ""},
    };
    for (const Case& c : cases) {
        std::string name;
        for (const auto& arg : c.args)
            name += arg + " ";
        const ToolRun run = Start(c.args);
        EXPECT_EQ(run.status, c.status) << name;
        if (!c.err.empty()) {
            ASSERT_FALSE(Lines(run.err).empty()) << name;
            EXPECT_EQ(Lines(run.err)[0], c.err) << name;
        }
        EXPECT_EQ(run.out, "") << name;
        if (c.status == 1) {
            EXPECT_NE(run.err.find("Usage: gemwright-plan"), std::string::npos) << name;
        }
    }
    EXPECT_FALSE(fs::exists(Path("folder/none/c.gwc")));
}

TEST_F(PlanTool, PrintsTheHelpOnStandardOutput)
{
    const ToolRun run = Start({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Usage: gemwright-plan", 0), 0u);
    EXPECT_EQ(run.err, "");
}

TEST_F(PlanTool, PlansWritesTheConfigurationAndAlignsTheTable)
{
    // Strength from 28 (the chest's gem) and Constitution from 30 (the necklace) to 75 on the
    // chest and arms only; the repeated --target counts by its last value.
    const ToolRun run = Start({"--target", "hits", "--target", "str,con", "--slots", "chest,arms", "--write-config",
                               Path("planned.gwc"), Config(Sample())});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines.back().rfind("Proven optimal in ", 0), 0u) << lines.back();
    EXPECT_NE(run.out.find("Target        Before  After  Cap\nStrength      28      "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Hits"), std::string::npos);

    // Every row of the gem table starts its columns where the heading's do.
    ASSERT_EQ(lines[0].rfind("Slot", 0), 0u);
    const std::size_t gemColumn = lines[0].find("Gem");
    const std::size_t priceColumn = lines[0].find("Price");
    for (std::size_t i = 1; i < lines.size() && !lines[i].empty(); ++i) {
        EXPECT_TRUE(lines[i].rfind("Chest ", 0) == 0 || lines[i].rfind("Arms ", 0) == 0) << lines[i];
        EXPECT_EQ(lines[i][gemColumn - 1], ' ') << lines[i];
        EXPECT_NE(lines[i][gemColumn], ' ') << lines[i];
        EXPECT_NE(lines[i][priceColumn], ' ') << lines[i];
    }

    // The file written holds the plan: the chest keeps its gem and gets more; nothing else
    // changes but the two slots.
    Configuration planned;
    const ConfigReadResult read = OpenConfiguration(Path("planned.gwc"), planned, 0);
    ASSERT_TRUE(read.messages.empty());
    const Configuration sample = Sample();
    EXPECT_EQ(planned.Items[0].EffectType[0], TypeStat);
    EXPECT_EQ(planned.Items[0].EffectAmount[0], 9);
    EXPECT_NE(planned.Items[0].EffectType[1], TypeUnused);
    for (int slot = 2; slot < SlotCount; ++slot)
        EXPECT_EQ(planned.Items[static_cast<std::size_t>(slot)].EffectType,
                  sample.Items[static_cast<std::size_t>(slot)].EffectType)
            << slot;
}

TEST_F(PlanTool, NothingToPlanIsOneLineAndSuccess)
{
    Configuration full = Sample();
    full.Items[0].EffectType = {TypeStat, TypeFocus, TypeFocus, TypeFocus};
    struct Case {
        std::vector<std::string> args;
        std::string last;
    };
    const Case cases[] = {
        {{"--target", "con", "--slots", "chest", Config(full, 0, "full.gwc")},
         "No free gem position on the slots chosen: nothing to plan."},
        {{"--target", "str", "--slots", "chest", Config(Sample(), 0, "capped.gwc"), "--level", "18"},
         "Every target is already at its cap: nothing to plan."},
    };
    for (const Case& c : cases) {
        const ToolRun run = Start(c.args);
        EXPECT_EQ(run.status, 0) << c.last;
        EXPECT_EQ(run.err, "") << c.last;
        const std::vector<std::string> lines = Lines(run.out);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), c.last);
        EXPECT_EQ(run.out.find("Gem"), std::string::npos) << run.out;
    }
}

TEST_F(PlanTool, SkillsByNameOrPlaceInTheConfigurationsRealm)
{
    // The configuration is Hibernian: its first skill is Blades, whatever --realm says.
    for (const char* target : {"skill:1", "skill:BLADES", "skill:blades"}) {
        const ToolRun run = Start({"--realm", "midgard", "--target", target, "--slots", "arms", Config(Sample(), 1)});
        EXPECT_EQ(run.status, 0) << target << run.err;
        EXPECT_NE(run.out.find("\nBlades "), std::string::npos) << target << run.out;
    }
}

TEST_F(PlanTool, AConfigurationThatFailsToLoadIsPlannedAsLoaded)
{
    // The second record belongs to another realm: its slot stays as it was, with a message, and
    // the plan is still made.
    const Configuration sample = Sample();
    std::string bytes;
    for (int slot = 0; slot < SlotCount; ++slot)
        bytes += ItemRecordText(sample.Items[static_cast<std::size_t>(slot)], slot == 1 ? "midgard" : "albion");
    test::WriteAll(Path("mixed.gwc"), bytes);
    const ToolRun run = Start({"--target", "str", "--slots", "chest", Path("mixed.gwc")});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err, "");
    EXPECT_NE(run.out.find("Proven optimal"), std::string::npos) << run.out;
}

} // namespace
} // namespace gw
