// The settings file: defaults, bare file names, the realm line, long lines, the button captions
// and writing exactly three lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "io/SettingsFile.h"
#include "support/Platform.h"
#include "support/TestFiles.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;
using test::TempDir;

Settings Parse(const std::string& text)
{
    std::istringstream in(text);
    return ParseSettings(in, "/start");
}

// A file of the start directory "/start", joined with the system's own separator.
std::string InStart(const std::string& name)
{
    return "/start" + std::string(1, static_cast<char>(fs::path::preferred_separator)) + name;
}

TEST(SettingsReading, NoFileGivesTheDefaultsQuietly)
{
    TempDir dir;
    const SettingsReadResult result = ReadSettings(dir.path);
    EXPECT_FALSE(result.found);
    EXPECT_TRUE(result.message.empty());
    EXPECT_EQ(result.settings.ReportDefinition2, (dir.path / "Config Report.rpt").string());
    EXPECT_EQ(result.settings.ReportDefinition1, (dir.path / "Mats List.rpt").string());
    EXPECT_EQ(result.settings.realm, 0);
}

TEST(SettingsReading, PathsAndBareFileNames)
{
    const Settings full = Parse("/reports/Config Report.rpt\r\n/other/Mats List.rpt\r\n1");
    EXPECT_EQ(full.ReportDefinition2, "/reports/Config Report.rpt");
    EXPECT_EQ(full.ReportDefinition1, "/other/Mats List.rpt");
    EXPECT_EQ(full.realm, 1);

    // Every relative path lies below the start directory, not below wherever the program was
    // started from.
    const Settings bare = Parse("Config Report.rpt\nrelative/Mats List.rpt\n2");
    EXPECT_EQ(bare.ReportDefinition2, InStart("Config Report.rpt"));
    EXPECT_EQ(bare.ReportDefinition1, InStart("relative/Mats List.rpt"));
    EXPECT_EQ(bare.realm, 2);

    // An empty line names no file: that button keeps its default.
    const Settings empty = Parse("\r\n/x/y.rpt\r\n0");
    EXPECT_EQ(empty.ReportDefinition2, InStart("Config Report.rpt"));
    EXPECT_EQ(empty.ReportDefinition1, "/x/y.rpt");

    // A settings file kept from a Windows machine names its definitions with backslashes.
    const Settings windows = Parse("C:\\Gemwright\\Config Report.rpt\r\nMats List.rpt\r\n0");
    if (test::OnWindows) {
        EXPECT_EQ(windows.ReportDefinition2, "C:\\Gemwright\\Config Report.rpt");
    }
    EXPECT_EQ(windows.ReportDefinition1, InStart("Mats List.rpt"));
}

TEST(SettingsReading, TheRealmLineMustBeWhollyANumberInRange)
{
    const struct {
        const char* what;
        std::string third;
        int realm;
    } cases[] = {
        {"Hibernia", "1", 1},
        {"Midgard", "2", 2},
        {"leading zeros", "002", 2},
        {"a line feed after the digits", "2\n", 0},
        {"a CR LF after the digits", "2\r\n", 0},
        {"a blank after the digits", "2 ", 0},
        {"empty", "", 0},
        {"text", "Midgard", 0},
        {"above the realms", "3", 0},
        {"negative", "-1", 0},
        {"beyond every integer", "99999999999999999999999", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse("/a.rpt\r\n/b.rpt\r\n" + c.third).realm, c.realm) << c.what;
    EXPECT_EQ(Parse("/a.rpt\r\n/b.rpt\r\n").realm, 0) << "a file ending after line 2";
    EXPECT_EQ(Parse("/a.rpt\r\n/b.rpt").realm, 0) << "a file ending inside line 2";
    EXPECT_EQ(Parse("").realm, 0);
}

TEST(SettingsReading, LongLinesAreReadWholeAndNeverSpillIntoTheNextLine)
{
    const std::string longPath = "/" + std::string(5000, 'd') + "/Report.rpt";
    const Settings settings = Parse(longPath + "\r\n/" + std::string(200000, 'x') + "\r\n2");
    EXPECT_EQ(settings.ReportDefinition2, longPath);
    EXPECT_EQ(settings.ReportDefinition1.size(), 64u * 1024u);
    EXPECT_EQ(settings.realm, 2);
}

TEST(SettingsReading, AnUnreadableFileGivesTheDefaultsAndSaysSo)
{
    TempDir dir;
    fs::create_directory(dir.path / SettingsFileName);
    const SettingsReadResult result = ReadSettings(dir.path);
    EXPECT_TRUE(result.found);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(result.settings, DefaultSettings(dir.path));
}

TEST(ReportButtonCaption, DropsTheLastFourCharactersOfTheFileName)
{
    const struct {
        const char* path;
        const char* caption;
    } cases[] = {
        {"/home/p/Config Report.rpt", "Config Report"},
        {"Mats List.rpt", "Mats List"},
        {"/dir.with.dots/abc", "abc"},
        {"/x/abcd", ""},
        {"/x/", ""},
        {"", ""},
        {"/x/\xC3\xA9t\xC3\xA9.rpt", "\xC3\xA9t\xC3\xA9"},
        {"/x/\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9\xC3\xA9"},
        {"/x/a\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportButtonCaption(c.path), c.caption) << c.path;
    // A backslash separates directories only where the system says so; elsewhere it may be part
    // of a file's name.
    EXPECT_EQ(ReportButtonCaption("C:\\Gemwright\\Mats List.rpt"),
              test::OnWindows ? "Mats List" : "C:\\Gemwright\\Mats List");
}

TEST(SettingsWriting, ExactlyThreeLinesWithNoLineBreakAfterTheRealm)
{
    TempDir dir;
    // Absolute paths on this system: relative ones are read back below the start directory.
    const std::string root = test::OnWindows ? "C:/r/" : "/r/";
    Settings settings{root + "Config Report.rpt", root + "Mats List.rpt", 2};
    ASSERT_TRUE(SaveSettings(dir.path, settings));
    EXPECT_EQ(ReadAll(dir.path / SettingsFileName), root + "Config Report.rpt\r\n" + root + "Mats List.rpt\r\n2");
    const SettingsReadResult read = ReadSettings(dir.path);
    EXPECT_TRUE(read.found);
    EXPECT_EQ(read.settings, settings);

    // A path that cannot stay on one line is forgotten rather than shifting the realm line.
    settings.ReportDefinition1 = "/r/odd\nname.rpt";
    ASSERT_TRUE(SaveSettings(dir.path, settings));
    EXPECT_EQ(ReadSettings(dir.path).settings.ReportDefinition1, (dir.path / "Mats List.rpt").string());
    EXPECT_EQ(ReadSettings(dir.path).settings.realm, 2);
}

TEST(SettingsWriting, AFailedSaveKeepsTheOldSettings)
{
    TempDir dir;
    ASSERT_TRUE(SaveSettings(dir.path, {"/a.rpt", "/b.rpt", 1}));
    const std::string before = ReadAll(dir.path / SettingsFileName);
    const SaveResult result = SaveSettings(dir.path, {"/c.rpt", "/d.rpt", 2}, {SaveStep::Write, ENOSPC});
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(ReadAll(dir.path / SettingsFileName), before);
    EXPECT_FALSE(SaveSettings(dir.path / "missing", {"/c.rpt", "/d.rpt", 2}));
}

} // namespace
} // namespace gw
