// Configuration files: the eighteen records as written, old sixteen-record files, damaged and
// cut-short files, and the weapon flags derived after opening.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "io/ConfigFile.h"
#include "io/ItemRecord.h"
#include "support/TestFiles.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

// Every slot different, every field set, names with bytes of the upper half of the code page.
Configuration FullConfiguration()
{
    Configuration config;
    for (int slot = 0; slot < SlotCount; ++slot) {
        GWItem& item = config.Items[static_cast<std::size_t>(slot)];
        item.PlayerMade = slot % 3 == 0 ? 0 : 1;
        item.Quality = slot % 7;
        item.ImbuePoints = 20 + slot;
        item.Name = "Item " + std::to_string(slot) + " \xE6\xF8\xE5";
        for (int row = 0; row < GemsPerItem; ++row) {
            const std::size_t r = static_cast<std::size_t>(row);
            item.EffectType[r] = (slot + row) % 7;
            item.EffectAmount[r] = slot % 3 == 0 ? -slot - row : (slot + row) % 10;
            item.EffectName[r] = (slot * 3 + row) % 8;
            item.GemQuality[r] = row + 1;
        }
        item.Level = slot + 30;
        item.Qual = std::to_string(94 + slot % 7);
        item.DPS = "16." + std::to_string(slot);
        item.Speed = "3." + std::to_string(slot);
        item.Bonus = std::to_string(slot * 5);
    }
    return config;
}

// An item that differs from everything FullConfiguration holds, to see what a read left alone.
GWItem Marker()
{
    GWItem item;
    item.Name = "kept";
    item.EffectType = {1, 0, 0, 0};
    return item;
}

Configuration Marked()
{
    Configuration config;
    for (GWItem& item : config.Items)
        item = Marker();
    return config;
}

std::string Record(const GWItem& item, std::string_view realm, std::string_view version = "version1.4")
{
    std::string text = ItemRecordText(item, realm);
    text.replace(0, CurrentRecordVersion.size(), version);
    return text;
}

std::string OldestRecord(const GWItem& item, std::string_view realm)
{
    // The first 22 lines only.
    std::string text = Record(item, realm, "version1.1");
    std::size_t end = 0;
    for (int line = 0; line < 22; ++line)
        end = text.find('\n', end) + 1;
    return text.substr(0, end);
}

ConfigReadResult ReadText(const std::string& text, Configuration& config, int realm = 0)
{
    std::istringstream in(text);
    return ReadConfiguration(in, config, realm);
}

TEST(ConfigurationWriting, WritesEighteenNewestRecordsInSlotOrder)
{
    const Configuration config = FullConfiguration();
    const std::string text = ConfigurationText(config, 1);
    std::string expected;
    for (const GWItem& item : config.Items)
        expected += ItemRecordText(item, "hibernia");
    EXPECT_EQ(text, expected);

    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            ++lines;
            EXPECT_EQ(text[i - 1], '\r');
        }
    EXPECT_EQ(lines, 486u);
    EXPECT_EQ(text.back(), '\n');
}

TEST(ConfigurationReading, SaveThenOpenGivesBackEverySlotAndTheRealm)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    const Configuration saved = FullConfiguration();
    ASSERT_TRUE(SaveConfiguration(file, saved, 2));
    EXPECT_EQ(ReadAll(file), ConfigurationText(saved, 2));

    Configuration opened;
    const ConfigReadResult result = OpenConfiguration(file, opened, 0);
    EXPECT_TRUE(result.opened);
    EXPECT_TRUE(result.realmChanged);
    EXPECT_EQ(result.realm, 2);
    EXPECT_EQ(result.recordCount, 18);
    EXPECT_EQ(result.recordsRead, 18);
    EXPECT_TRUE(result.messages.empty());
    for (int slot = 0; slot < SlotCount; ++slot)
        EXPECT_EQ(opened.Items[static_cast<std::size_t>(slot)], saved.Items[static_cast<std::size_t>(slot)])
            << slot;
    // Saving what was opened writes the same bytes again.
    EXPECT_EQ(ConfigurationText(opened, result.realm), ReadAll(file));
}

TEST(ConfigurationReading, SixteenRecordFilesLeaveTheTwoHandedAndRangedSlotsAlone)
{
    const Configuration source = FullConfiguration();
    for (std::string_view version : {"version1.1", "version1.2"}) {
        std::string text;
        for (int slot : {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17}) {
            const GWItem& item = source.Items[static_cast<std::size_t>(slot)];
            text += version == "version1.1" ? OldestRecord(item, "albion") : Record(item, "albion", version);
        }
        Configuration config = Marked();
        const ConfigReadResult result = ReadText(text, config);
        EXPECT_EQ(result.recordCount, 16) << version;
        EXPECT_EQ(result.recordsRead, 16) << version;
        EXPECT_TRUE(result.messages.empty()) << version;
        EXPECT_FALSE(result.realmChanged);
        EXPECT_EQ(config.Items[8], Marker()) << version;
        EXPECT_EQ(config.Items[9], Marker()) << version;
        EXPECT_EQ(config.Items[7].Name, source.Items[7].Name) << version;
        EXPECT_EQ(config.Items[10].Name, source.Items[10].Name) << version;
        EXPECT_EQ(config.Items[17].EffectName, source.Items[17].EffectName) << version;
        if (version == "version1.2")
            EXPECT_EQ(config.Items[17], source.Items[17]);
        else
            EXPECT_EQ(config.Items[17].Level, 0);
    }
}

TEST(ConfigurationReading, EachRecordIsReadByItsOwnVersion)
{
    // A newest-layout file may hold records of the oldest version, which lack five lines.
    const Configuration source = FullConfiguration();
    std::string text;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const GWItem& item = source.Items[static_cast<std::size_t>(slot)];
        text += slot % 2 == 1 ? OldestRecord(item, "albion")
                              : Record(item, "albion", slot == 0 ? "version1.3" : "version1.2");
    }
    Configuration config;
    const ConfigReadResult result = ReadText(text, config);
    EXPECT_EQ(result.recordCount, 18);
    EXPECT_EQ(result.recordsRead, 18);
    EXPECT_EQ(config.Items[16], source.Items[16]);
    EXPECT_EQ(config.Items[17].Name, source.Items[17].Name);
    EXPECT_EQ(config.Items[17].Bonus, "0");
}

TEST(ConfigurationReading, AFailedRecordCostsOnlyItsOwnSlot)
{
    const Configuration source = FullConfiguration();
    struct Case {
        const char* what;
        std::string realm;
        std::string version;
        std::string_view message;
    };
    const Case cases[] = {
        {"a foreign record", "midgard", "version1.4", ForeignRealmMessage},
        {"a foreign record of an unknown version", "hibernia", "nonsense", ForeignRealmMessage},
        {"a record of an unknown version", "albion", "version2.0", VersionMismatchMessage},
    };
    for (const Case& c : cases) {
        std::string text;
        for (int slot = 0; slot < SlotCount; ++slot) {
            const GWItem& item = source.Items[static_cast<std::size_t>(slot)];
            text += slot == 4 ? Record(item, c.realm, c.version) : Record(item, "albion");
        }
        Configuration config = Marked();
        const ConfigReadResult result = ReadText(text, config);
        ASSERT_EQ(result.messages.size(), 1u) << c.what;
        EXPECT_EQ(result.messages[0], c.message) << c.what;
        EXPECT_EQ(result.failedRecords, 1) << c.what;
        EXPECT_EQ(result.recordsRead, 17) << c.what;
        EXPECT_FALSE(result.truncated) << c.what;
        for (int slot = 0; slot < SlotCount; ++slot) {
            const std::size_t s = static_cast<std::size_t>(slot);
            EXPECT_EQ(config.Items[s], slot == 4 ? Marker() : source.Items[s]) << c.what << " slot " << slot;
        }
    }
}

TEST(ConfigurationReading, AFailedOldRecordSkipsItsShorterLength)
{
    const Configuration source = FullConfiguration();
    std::string text;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const GWItem& item = source.Items[static_cast<std::size_t>(slot)];
        text += slot == 2 ? OldestRecord(item, "hibernia") : Record(item, "albion");
    }
    Configuration config = Marked();
    const ConfigReadResult result = ReadText(text, config);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], ForeignRealmMessage);
    EXPECT_EQ(result.recordsRead, 17);
    EXPECT_EQ(config.Items[2], Marker());
    EXPECT_EQ(config.Items[3], source.Items[3]);
    EXPECT_EQ(config.Items[17], source.Items[17]);
}

TEST(ConfigurationReading, AFailedLastRecordLeavesOnlyItsSlot)
{
    const Configuration source = FullConfiguration();
    std::string text;
    for (int slot = 0; slot < SlotCount; ++slot)
        text += Record(source.Items[static_cast<std::size_t>(slot)], slot == 17 ? "hibernia" : "albion");
    Configuration config = Marked();
    const ConfigReadResult result = ReadText(text, config);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], ForeignRealmMessage);
    EXPECT_EQ(result.recordsRead, 17);
    EXPECT_EQ(config.Items[16], source.Items[16]);
    EXPECT_EQ(config.Items[17], Marker());
}

TEST(ConfigurationReading, ASecondLineNamingNoRealmKeepsTheRealmAndJudgesRecordsByIt)
{
    const std::string text = ConfigurationText(FullConfiguration(), 0);
    std::string renamed = text;
    renamed.replace(renamed.find("albion"), 6, "Albion");
    Configuration config = Marked();
    const ConfigReadResult result = ReadText(renamed, config, 1);
    EXPECT_FALSE(result.realmChanged);
    EXPECT_EQ(result.realm, 1);
    EXPECT_EQ(result.messages.front(), ForeignRealmMessage);
    EXPECT_EQ(config.Items[0], Marker());
}

TEST(ConfigurationReading, AFileEndingBeforeItsLastRecordStopsWithOneMessage)
{
    const Configuration source = FullConfiguration();
    const std::string full = ConfigurationText(source, 0);

    struct Case {
        const char* what;
        std::string text;
        int slotsRead;
    };
    const std::size_t seventhRecord = [&] {
        std::size_t at = 0;
        for (int line = 0; line < 6 * 27 + 9; ++line)
            at = full.find('\n', at) + 1;
        return at;
    }();
    const Case cases[] = {
        {"an empty file", "", 0},
        {"only a version line", "version1.4\r\n", 0},
        {"a single item file", ItemRecordText(source.Items[0], "albion"), 1},
        {"a download cut inside the seventh record", full.substr(0, seventhRecord), 6},
        {"a download cut in the last record", full.substr(0, full.size() - 8), 17},
    };
    for (const Case& c : cases) {
        Configuration config = Marked();
        const ConfigReadResult result = ReadText(c.text, config);
        EXPECT_TRUE(result.truncated) << c.what;
        ASSERT_EQ(result.messages.size(), 1u) << c.what;
        EXPECT_EQ(result.messages[0], ConfigTruncatedMessage) << c.what;
        EXPECT_EQ(result.recordsRead, c.slotsRead) << c.what;
        for (int slot = 0; slot < SlotCount; ++slot) {
            const std::size_t s = static_cast<std::size_t>(slot);
            EXPECT_EQ(config.Items[s], slot < c.slotsRead ? source.Items[s] : Marker())
                << c.what << " slot " << slot;
        }
    }
}

TEST(ConfigurationReading, OverlongLinesDoNotShiftTheRecordsAfterThem)
{
    Configuration source = FullConfiguration();
    source.Items[3].Name = std::string(200000, 'x');
    source.Items[5].Bonus = std::string(301, 'b');
    std::string text = ConfigurationText(source, 0);
    // The last record's realm line, far too long, names no realm and is skipped whole.
    text.replace(text.rfind("albion"), 6, "albion" + std::string(100000, ' '));
    Configuration config;
    const ConfigReadResult result = ReadText(text, config);
    EXPECT_EQ(result.recordsRead, 17);
    EXPECT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(config.Items[3].Name, std::string(298, 'x'));
    EXPECT_EQ(config.Items[5].Bonus, std::string(298, 'b'));
    EXPECT_EQ(config.Items[16], source.Items[16]);
    EXPECT_EQ(config.Items[17], GWItem{});
}

TEST(ConfigurationReading, WeaponFlagsAreDerivedFromTheOpenedItems)
{
    Configuration source;
    source.Items[6].PlayerMade = 0; // a drop in the right hand, nothing two-handed or ranged
    Configuration config;
    config.Equipped[6] = 0;
    config.Equipped[9] = 1;
    ReadText(ConfigurationText(source, 0), config);
    EXPECT_EQ(config.Equipped[6], 1);
    EXPECT_EQ(config.Equipped[9], 0);

    Configuration twoHanded;
    twoHanded.Items[8].EffectType = {1, 0, 0, 0};
    Configuration opened;
    ReadText(ConfigurationText(twoHanded, 0), opened);
    EXPECT_EQ(opened.Equipped[6], 0);
    EXPECT_EQ(opened.Equipped[8], 1);
}

TEST(ConfigurationReading, AFileThatCannotBeOpenedChangesNothing)
{
    TempDir dir;
    for (const fs::path& path : {dir.path / "missing.gwc", dir.path, fs::path("/dev/zero")}) {
        Configuration config = Marked();
        config.Equipped[9] = 1;
        const ConfigReadResult result = OpenConfiguration(path, config, 2);
        EXPECT_FALSE(result.opened);
        EXPECT_EQ(result.realm, 2);
        ASSERT_EQ(result.messages.size(), 1u);
        EXPECT_TRUE(result.messages[0].starts_with("Load Failed. ")) << result.messages[0];
        EXPECT_NE(result.messages[0].find(path.string()), std::string::npos) << result.messages[0];
        EXPECT_EQ(config.Items[6], Marker());
        EXPECT_EQ(config.Equipped[9], 1);
    }
}

TEST(ConfigurationSaving, AFailedSaveLeavesTheOldFileAndSaysSo)
{
    TempDir dir;
    const fs::path file = dir.path / "plan.gwc";
    WriteAll(file, "the old plan");
    for (SaveStep step : {SaveStep::CreateTemporary, SaveStep::Write, SaveStep::Sync, SaveStep::Rename}) {
        const SaveResult result = SaveConfiguration(file, FullConfiguration(), 0, {step, ENOSPC});
        EXPECT_FALSE(result);
        EXPECT_NE(result.message.find("No space left on device"), std::string::npos) << result.message;
        EXPECT_EQ(ReadAll(file), "the old plan");
    }
    const SaveResult missing =
        SaveConfiguration(dir.path / "no such folder" / "plan.gwc", FullConfiguration(), 0);
    EXPECT_FALSE(missing);
    EXPECT_FALSE(fs::exists(dir.path / "no such folder"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

} // namespace
} // namespace gw
