// gemwright-report run as a player runs it: the report on standard output, the configuration's
// messages on standard error, and the exit status.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/Globals.h"
#include "io/ConfigFile.h"
#include "io/ItemRecord.h"
#include "report/ReportTemplate.h"
#include "support/Platform.h"
#include "support/TestFiles.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;
using test::WriteAll;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no line feed>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

class ReportTool : public ::testing::Test {
  protected:
    void SetUp() override
    {
        GW_SKIP_ON_WINDOWS("runs the command through a POSIX shell; under Wine the Windows command is "
                           "compared byte for byte with the native one instead");
    }

    fs::path Path(const std::string& name) const { return m_dir.path / name; }

    std::string Template(const std::string& text, const std::string& name = "t.rpt") const
    {
        WriteAll(Path(name), text);
        return Path(name).string();
    }

    std::string Config(const Configuration& config, int realm, const std::string& name = "c.gwc") const
    {
        WriteAll(Path(name), ConfigurationText(config, realm));
        return Path(name).string();
    }

    ToolRun Start(const std::vector<std::string>& args) const
    {
        // Run in the test's directory, so that relative file names can be tried; a command that
        // hangs is ended and fails the test.
        std::string command = "cd " + Quote(m_dir.path.string()) + " && timeout 60 " + Quote(GW_REPORT_TOOL);
        for (const auto& arg : args)
            command += " " + Quote(arg);
        command += " >" + Quote(Path("stdout").string()) + " 2>" + Quote(Path("stderr").string());
        const int raw = std::system(command.c_str());
        ToolRun run;
        run.status = test::ExitStatus(raw);
        run.out = ReadAll(Path("stdout"));
        run.err = ReadAll(Path("stderr"));
        return run;
    }

    test::TempDir m_dir;
};

// A player-made chest with a perfect Strength gem and a drop in the arms slot.
Configuration SampleConfiguration()
{
    Configuration config;
    GWItem& chest = config.Items[0];
    chest.ImbuePoints = 28;
    chest.EffectType[0] = TypeStat;
    chest.EffectAmount[0] = 9;
    chest.EffectType[1] = TypeSkill;
    chest.EffectAmount[1] = 2;
    GWItem& arms = config.Items[1];
    arms.PlayerMade = 0;
    arms.Name = "Arms of <chest name>";
    arms.EffectType[0] = TypeStat;
    arms.EffectAmount[0] = 10;
    return config;
}

TEST_F(ReportTool, WithoutConfigurationRendersTheStartUpOne)
{
    const auto run = Start({Template("STR <str>\r\nChest: <if chest pcmade>made<endif> item\r\n"
                                     "Cost <totalcost>\r\nlast <hits>")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "STR 0\nChest: made item\nCost 0c\nlast 0");
    EXPECT_EQ(run.err, "");
}

TEST_F(ReportTool, RendersTheItemsAsRead)
{
    const auto templ = Template("<str>|<skills>|<chest usedpoints>/<chest availablepoints>|"
                                "<arms name>|<chest gem2 name>\n<materials gems>");
    const auto run = Start({templ, Config(SampleConfiguration(), 0)});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "38|3 Body Magic|24/28|Arms of <chest name>|rough Heated Evocation Sigil\n"
                       "1 On Gem\n1 Ra Gem\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(ReportTool, TheConfigurationsRealmReplacesTheStartRealm)
{
    const auto templ = Template("<skills> <chest gem2 effect>\n");
    const auto config = Config(SampleConfiguration(), 1);
    for (const char* realm : {"albion", "hibernia", "midgard"}) {
        const auto run = Start({"--realm", realm, templ, config});
        EXPECT_EQ(run.status, 0) << realm;
        EXPECT_EQ(run.out, "3 Blades Blades\n") << realm;
        EXPECT_EQ(run.err, "") << realm;
    }
}

TEST_F(ReportTool, FailedRecordsAreReportedAndKeepTheirSlots)
{
    // The second record belongs to another realm and the third has an unknown version.
    const Configuration sample = SampleConfiguration();
    std::string bytes;
    for (int slot = 0; slot < SlotCount; ++slot) {
        std::string record =
            ItemRecordText(sample.Items[static_cast<std::size_t>(slot)], slot == 1 ? "midgard" : "albion");
        if (slot == 2)
            record.replace(0, 10, "version9.9");
        bytes += record;
    }
    WriteAll(Path("c.gwc"), bytes);
    const auto run = Start({Template("<str> [<arms name>]\n"), Path("c.gwc").string(), "--write-config",
                            Path("saved.gwc").string()});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "28 []\n");
    EXPECT_EQ(Lines(run.err), (std::vector<std::string>{std::string(ForeignRealmMessage),
                                                        std::string(VersionMismatchMessage)}));
    // Saved as the window's "Save" writes it, failed slots as they were (cleared).
    Configuration expected = sample;
    expected.Items[1].Clear();
    EXPECT_EQ(ReadAll(Path("saved.gwc")), ConfigurationText(expected, 0));
}

TEST_F(ReportTool, ShortFileIsReported)
{
    WriteAll(Path("one.chest"), ItemRecordText(SampleConfiguration().Items[1], "albion"));
    const auto run = Start({Template("[<chest name>]\n"), Path("one.chest").string()});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "[Arms of <chest name>]\n");
    EXPECT_EQ(Lines(run.err), (std::vector<std::string>{std::string(ConfigTruncatedMessage)}));
}

TEST_F(ReportTool, SixteenRecordFilesSkipTwoHandedAndRanged)
{
    std::string bytes;
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot == 8 || slot == 9)
            continue;
        GWItem item;
        item.PlayerMade = 0;
        item.Name = "item" + std::to_string(slot);
        std::string record = ItemRecordText(item, "albion");
        record.replace(0, 10, "version1.2");
        bytes += record;
    }
    WriteAll(Path("old.gwc"), bytes);
    const auto run = Start(
        {Template("<lweapon name>,<2handed name>,<ranged name>,<neck name>\n"), Path("old.gwc").string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "item7,,,item10\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(ReportTool, WeaponSlotsCountByTheirContents)
{
    Configuration config;
    GWItem& twoHanded = config.Items[8];
    twoHanded.PlayerMade = 0;
    twoHanded.EffectType[0] = TypeStat;
    twoHanded.EffectAmount[0] = 12;
    GWItem& leftHand = config.Items[7];
    leftHand.EffectType[0] = TypeStat;
    leftHand.EffectAmount[0] = 9;
    const auto templ = Template("<str>\n");
    EXPECT_EQ(Start({templ, Config(config, 0)}).out, "12\n");
    // Without a configuration the left hand and the two-handed slot do not count.
    EXPECT_EQ(Start({templ}).out, "0\n");
}

TEST_F(ReportTool, LevelCrafterSkillAndDisplayMode)
{
    Configuration config = SampleConfiguration();
    config.Items[0].ImbuePoints = 22; // 24 used: over 2
    const auto templ = Template("<str> <hits> <chest overcharge>\n");
    const auto file = Config(config, 0);
    // 50 (skill 1001) - 20 (over 2) + 18 (item 99%) + 0 (gems 94%)
    EXPECT_EQ(Start({templ, file}).out, "38 0 48%\n");
    EXPECT_EQ(Start({templ, file, "--distance"}).out, "37 200 48%\n");
    EXPECT_EQ(Start({"--distance", "--level", "30", templ, file}).out, "7 120 48%\n");
    EXPECT_EQ(Start({"--distance", "--level=75", templ, file}).out, "37 200 48%\n");
    EXPECT_EQ(Start({"--distance", "--level", "abc", templ, file}).out, "-37 4 48%\n");
    EXPECT_EQ(Start({templ, file, "--crafter-skill", "551"}).out, "38 0 3%\n");
    EXPECT_EQ(Start({templ, file, "--crafter-skill=51"}).out, "38 0 BOOM! (-47%)\n");
}

TEST_F(ReportTool, OptionsAnywhereLastOneCountsAndDoubleDashEnds)
{
    const auto templ = Template("<str>\n");
    Template("<str>\n", "--distance");
    // After "--" every argument is a file, so these are three files.
    const auto run = Start({"--level", "10", "--", templ, "--level", "20"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");

    const auto distance = Start({"--level", "10", "--level=20", "--distance", "--", "--distance"});
    EXPECT_EQ(distance.status, 0);
    EXPECT_EQ(distance.out, "30\n");
    EXPECT_EQ(Start({"--realm", "bogus", "--realm", "midgard", templ}).status, 0);
}

TEST_F(ReportTool, UsageErrorsPrintUsageOnStandardError)
{
    const auto templ = Template("<str>\n");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--bogus", templ, "--write-config", Path("w.gwc").string()},
        {"-x", templ},
        {templ, "--level"},
        {templ, "--write-config"},
        {"--realm", "Albion", templ},
        {"--realm=", templ},
        {"--crafter-skill", "1000", templ},
        {"--distance=1", templ},
        {templ, templ, templ},
        {"--level", "5"},
    };
    for (const auto& args : cases) {
        std::string shown;
        for (const auto& a : args)
            shown += a + " ";
        const auto run = Start(args);
        EXPECT_EQ(run.status, 1) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_NE(run.err.find("Usage: gemwright-report"), std::string::npos) << shown;
        EXPECT_FALSE(fs::exists(Path("w.gwc")));
    }
}

TEST_F(ReportTool, HelpGoesToStandardOutput)
{
    const auto run = Start({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Usage: gemwright-report [--realm albion|hibernia|midgard]", 0), 0u);
    EXPECT_EQ(run.err, "");
}

TEST_F(ReportTool, UnopenableFilesStopEverything)
{
    const auto templ = Template("<str>\n");
    const auto config = Config(SampleConfiguration(), 0);
    const std::string missing = Path("missing file.rpt").string();
    const std::string saved = Path("saved.gwc").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{missing, config, "--write-config", saved}, missing},
        {{templ, missing, "--write-config", saved}, missing},
        {{m_dir.path.string(), config, "--write-config", saved}, m_dir.path.string()},
        {{templ, m_dir.path.string(), "--write-config", saved}, m_dir.path.string()},
        {{missing, missing + "2"}, missing},
    };
    for (const auto& [args, named] : cases) {
        const auto run = Start(args);
        EXPECT_EQ(run.status, 2) << named;
        EXPECT_EQ(run.out, "");
        ASSERT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(saved));
    }
}

TEST_F(ReportTool, UnwritableConfigurationStopsBeforeTheReport)
{
    const std::string target = (m_dir.path / "no such dir" / "saved.gwc").string();
    const auto run = Start({Template("<str>\n"), Config(SampleConfiguration(), 0), "--write-config", target});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    ASSERT_EQ(Lines(run.err).size(), 1u) << run.err;
    EXPECT_NE(run.err.find(target), std::string::npos) << run.err;
}

TEST_F(ReportTool, ReportThatCannotBeWrittenIsAFailure)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    const std::string command = Quote(GW_REPORT_TOOL) + " " + Quote(Template("<str>\n")) + " >/dev/full 2>" +
                                Quote(Path("stderr").string());
    const int raw = std::system(command.c_str());
    EXPECT_EQ(test::ExitStatus(raw), 2);
    EXPECT_EQ(Lines(ReadAll(Path("stderr"))).size(), 1u);
}

TEST_F(ReportTool, WritesTheConfigurationAsSaveWritesIt)
{
    const Configuration sample = SampleConfiguration();
    const auto config = Config(sample, 2);
    const auto run = Start({"--write-config=" + Path("copy.gwc").string(), Template(""), config});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadAll(Path("copy.gwc")), ConfigurationText(sample, 2));
    // Without a configuration: the start-up items in the start realm.
    Start({"--realm", "hibernia", "--write-config", Path("empty.gwc").string(), Template("")});
    EXPECT_EQ(ReadAll(Path("empty.gwc")), ConfigurationText(Configuration{}, 1));
}

#ifndef _WIN32
// Pipes and device nodes are made the POSIX way; the Windows build has its own device tests.
TEST_F(ReportTool, PipesDevicesAndHugeFilesAreRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0644), 0);
    {
        std::ofstream sparse(Path("sparse"), std::ios::binary);
    }
    fs::resize_file(Path("sparse"), std::uintmax_t{100} << 30);
    const auto templ = Template("<str>\n");
    const auto config = Config(SampleConfiguration(), 0);
    for (const std::string& hostile : {Path("pipe").string(), std::string("/dev/zero"), Path("sparse").string()}) {
        for (const auto& args : {std::vector<std::string>{hostile, config}, std::vector<std::string>{templ, hostile}}) {
            const auto run = Start(args);
            EXPECT_EQ(run.status, 2) << args[0] << " " << args[1];
            EXPECT_EQ(run.out, "");
            ASSERT_EQ(Lines(run.err).size(), 1u) << run.err;
            EXPECT_NE(run.err.find(hostile), std::string::npos) << run.err;
        }
    }
}

TEST_F(ReportTool, WriteConfigNeverReplacesAPipeOrADevice)
{
    ASSERT_EQ(::mkfifo(Path("pipe.gwc").c_str(), 0644), 0);
    std::vector<std::string> targets = {Path("pipe.gwc").string()};
    if (::mknod(Path("null.gwc").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        targets.push_back(Path("null.gwc").string());
    else
        std::printf("skipped: only the administrator can make a device node\n");
    for (const std::string& target : targets) {
        const auto run = Start({Template("<str>\n"), "--write-config", target});
        EXPECT_EQ(run.status, 2) << target;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("is not a regular file"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(target))) << target;
    }
}

#endif

TEST_F(ReportTool, AReportPastTheLimitIsStoppedThereWithStatus2)
{
    std::string templ;
    for (int i = 0; i < 9000; ++i)
        templ += "<2047>\n";
    const auto run = Start({Template(templ)});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out.size(), ReportSizeLimit);
    EXPECT_EQ(Lines(run.err), (std::vector<std::string>{
                                  "gemwright-report: The report is larger than 16 MiB; it was stopped."}));
}

} // namespace
} // namespace gw
