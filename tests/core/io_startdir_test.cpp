// The start directory: which folder a start chooses, and filling it from the installed defaults
// without ever replacing a player's file.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "io/StartDirectory.h"
#include "support/Platform.h"
#include "support/TestFiles.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;
using test::TempDir;
using test::WriteAll;
using Source = StartDirectorySource;

TEST(StartDirectoryChoice, FollowsTheRuleInOrder)
{
    GW_SKIP_ON_WINDOWS("the rule follows a Linux desktop's XDG base directories, with POSIX absolute paths");
    const std::optional<std::string> unset;
    const struct {
        const char* what;
        std::optional<std::string> workdir;
        bool currentIsFolder;
        std::optional<std::string> xdg;
        std::optional<std::string> home;
        Source source;
        const char* path;
    } cases[] = {
        {"--workdir wins over a Gemwright folder", "/plans", true, "/xdg", "/home/p", Source::WorkdirOption,
         "/plans"},
        {"a relative --workdir is taken from the current directory", "sub/../plans/", false, unset, "/home/p",
         Source::WorkdirOption, "/cwd/plans"},
        {"a Gemwright current directory wins over the data home", unset, true, "/xdg", "/home/p",
         Source::CurrentDirectory, "/cwd"},
        {"XDG_DATA_HOME when the current directory is not one", unset, false, "/xdg/", "/home/p",
         Source::DataHome, "/xdg/gemwright"},
        {"HOME when XDG_DATA_HOME is unset", unset, false, unset, "/home/p", Source::DataHome,
         "/home/p/.local/share/gemwright"},
        {"an empty XDG_DATA_HOME counts as unset", unset, false, "", "/home/p", Source::DataHome,
         "/home/p/.local/share/gemwright"},
        {"a relative XDG_DATA_HOME is ignored", unset, false, "data", "/home/p", Source::DataHome,
         "/home/p/.local/share/gemwright"},
        {"no usable environment chooses nothing", unset, false, "rel", "", Source::None, ""},
        {"no environment at all chooses nothing", unset, false, unset, unset, Source::None, ""},
        {"an empty --workdir is refused, not taken as the current directory", "", true, "/xdg", "/home/p",
         Source::None, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartDirectoryInputs inputs;
        inputs.workdir = c.workdir;
        inputs.currentDirectory = "/cwd";
        inputs.currentIsGemwrightFolder = c.currentIsFolder;
        inputs.xdgDataHome = c.xdg;
        inputs.home = c.home;
        const StartDirectoryChoice choice = ChooseStartDirectory(inputs);
        EXPECT_EQ(choice.source, c.source);
        EXPECT_EQ(choice.path, fs::path(c.path));
        EXPECT_EQ(choice.error.empty(), c.source != Source::None);
    }
}

TEST(StartDirectoryChoice, AGemwrightFolderHoldsTheSettingsOrAnItemsFolder)
{
    TempDir dir;
    EXPECT_FALSE(IsGemwrightFolder(dir.path));
    WriteAll(dir.path / "items", "a file, not a folder");
    EXPECT_FALSE(IsGemwrightFolder(dir.path));
    fs::remove(dir.path / "items");
    fs::create_directory(dir.path / "items");
    EXPECT_TRUE(IsGemwrightFolder(dir.path));
    fs::remove(dir.path / "items");
    WriteAll(dir.path / "gemwright.ini", "");
    EXPECT_TRUE(IsGemwrightFolder(dir.path));
}

// The installed defaults of a scratch data directory, with a file that is not a definition.
struct Defaults {
    TempDir dir;
    Defaults()
    {
        WriteAll(dir.path / "Config Report.rpt", "config\r\n<str>\r\n");
        WriteAll(dir.path / "Mats List.rpt", "mats\r\n");
        WriteAll(dir.path / "Extra.rpt", "extra\r\n");
        WriteAll(dir.path / "notes.txt", "not a report definition");
    }
    static inline const char* const Names[] = {"Config Report.rpt", "Mats List.rpt", "Extra.rpt"};
};

// Everything directly in a directory whose name starts with ".gemwright-": scratch files left behind.
int ScratchFiles(const fs::path& directory)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(directory))
        count += entry.path().filename().string().rfind(".gemwright-", 0) == 0 ? 1 : 0;
    return count;
}

TEST(StartDirectoryPreparing, AFreshFolderGetsTheItemFoldersAndEveryDefault)
{
    Defaults defaults;
    TempDir home;
    const fs::path start = home.path / ".local" / "share" / "gemwright";
    const PrepareResult result = PrepareStartDirectory(start, defaults.dir.path);
    ASSERT_TRUE(result) << result.error;
    EXPECT_TRUE(result.warnings.empty());
    for (const char* realm : {"albion", "hibernia", "midgard"})
        EXPECT_TRUE(fs::is_directory(start / "items" / realm)) << realm;
    for (const char* name : Defaults::Names)
        EXPECT_EQ(ReadAll(start / name), ReadAll(defaults.dir.path / name)) << name;
    EXPECT_FALSE(fs::exists(start / "notes.txt"));
    EXPECT_EQ(result.copied.size(), 3u);
    EXPECT_EQ(ScratchFiles(start), 0);

    // A second start copies nothing more.
    const PrepareResult again = PrepareStartDirectory(start, defaults.dir.path);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again.copied.empty());
}

// Any mix of definitions the player already has, edited, emptied or replaced by a link to
// nowhere, stays exactly as it is; only the missing ones are filled in.
TEST(StartDirectoryPreparing, NeverReplacesWhatThePlayerHas)
{
    Defaults defaults;
    std::mt19937 random(20261207);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        TempDir start;
        std::string expected[3];
        for (int i = 0; i < 3; ++i) {
            const fs::path target = start.path / Defaults::Names[i];
            switch (random() % 4) {
            case 0: // missing: the default arrives
                expected[i] = ReadAll(defaults.dir.path / Defaults::Names[i]);
                break;
            case 1:
                expected[i] = "edited by the player " + std::to_string(random());
                WriteAll(target, expected[i]);
                break;
            case 2:
                expected[i] = "";
                WriteAll(target, "");
                break;
            default: { // a dangling link is the player's too (where the system lets us make one)
                std::error_code noLinks;
                fs::create_symlink(start.path / "gone", target, noLinks);
                expected[i] = noLinks ? ReadAll(defaults.dir.path / Defaults::Names[i]) : "<link>";
                break;
            }
            }
        }
        const PrepareResult result = PrepareStartDirectory(start.path, defaults.dir.path);
        ASSERT_TRUE(result) << result.error;
        for (int i = 0; i < 3; ++i) {
            const fs::path target = start.path / Defaults::Names[i];
            if (expected[i] == "<link>")
                EXPECT_TRUE(fs::is_symlink(target)) << Defaults::Names[i];
            else
                EXPECT_EQ(ReadAll(target), expected[i]) << Defaults::Names[i];
        }
        EXPECT_EQ(ScratchFiles(start.path), 0);
    }
}

TEST(StartDirectoryPreparing, AFolderThatCannotBeMadeIsRefusedWithItsName)
{
    Defaults defaults;
    TempDir dir;
    WriteAll(dir.path / "plain", "a file where a folder should be");
    const struct {
        const char* what;
        fs::path start;
    } cases[] = {
        {"below a file", dir.path / "plain" / "sub"},
        {"the file itself", dir.path / "plain"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PrepareResult result = PrepareStartDirectory(c.start, defaults.dir.path);
        EXPECT_FALSE(result);
        EXPECT_NE(result.error.find(c.start.string()), std::string::npos) << result.error;
        EXPECT_EQ(ReadAll(dir.path / "plain"), "a file where a folder should be");
    }
}

TEST(StartDirectoryPreparing, MissingDefaultsAreAWarningNotARefusal)
{
    TempDir start;
    const PrepareResult result = PrepareStartDirectory(start.path, start.path / "no-such-data");
    ASSERT_TRUE(result) << result.error;
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_NE(result.warnings[0].find("no-such-data"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(start.path / "items" / "midgard"));
}

} // namespace
} // namespace gw
