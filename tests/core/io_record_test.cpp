// The item record: byte-exact writing, reading of every version and line ending, and reading
// that stays sound on damaged input.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "io/ItemRecord.h"

namespace gw {
namespace {

GWItem SampleItem()
{
    GWItem item;
    item.PlayerMade = 0;
    item.Quality = 6;
    item.ImbuePoints = 37;
    item.Name = "Cloak of \xC9t\xE9 \x80\xFF";
    item.EffectType = {1, 2, 6, 5};
    item.EffectAmount = {15, -5, 3, 2147483647};
    item.EffectName = {0, 8, 31, 10};
    item.GemQuality = {0, 6, 3, -2147483647 - 1};
    item.Level = 51;
    item.Qual = "100";
    item.DPS = "16.5";
    item.Speed = "3.7";
    item.Bonus = "35";
    return item;
}

ReadOutcome ReadText(const std::string& text, GWItem& item, std::string_view realm = "albion")
{
    std::istringstream in(text);
    LineReader reader(in);
    return ReadFrom(reader, item, realm);
}

std::string WithBareLineFeeds(std::string text)
{
    std::string out;
    for (char c : text)
        if (c != '\r')
            out.push_back(c);
    return out;
}

TEST(ItemRecordWriting, WritesTheTwentySevenLinesOfTheNewestVersionWithCrLf)
{
    const std::string expected = "version1.4\r\nalbion\r\n6\r\n37\r\n0\r\nCloak of \xC9t\xE9 \x80\xFF\r\n"
                                 "1\r\n2\r\n6\r\n5\r\n15\r\n-5\r\n3\r\n2147483647\r\n0\r\n8\r\n31\r\n10\r\n"
                                 "0\r\n6\r\n3\r\n-2147483648\r\n51\r\n100\r\n16.5\r\n3.7\r\n35\r\n";
    EXPECT_EQ(ItemRecordText(SampleItem(), "albion"), expected);
}

TEST(ItemRecordWriting, ALineFeedInsideAStringCannotShiftTheLaterFields)
{
    GWItem item = SampleItem();
    item.Name = "first\nsecond";
    item.Qual = "9\n9";
    GWItem read;
    ASSERT_TRUE(ReadText(ItemRecordText(item, "albion"), read).ok());
    EXPECT_EQ(read.Name, "first");
    EXPECT_EQ(read.Qual, "9");
    EXPECT_EQ(read.EffectType, item.EffectType);
    EXPECT_EQ(read.Bonus, item.Bonus);
}

TEST(ItemRecordReading, GivesBackEveryFieldWithCrLfOrBareLineFeeds)
{
    const GWItem item = SampleItem();
    for (const std::string& text :
         {ItemRecordText(item, "midgard"), WithBareLineFeeds(ItemRecordText(item, "midgard"))}) {
        GWItem read;
        const ReadOutcome outcome = ReadText(text, read, "midgard");
        EXPECT_EQ(outcome.status, ReadStatus::Ok);
        EXPECT_TRUE(outcome.message.empty());
        EXPECT_EQ(read, item);
    }
}

TEST(ItemRecordReading, EveryByteValueInANameRoundTrips)
{
    for (int b = 0; b < 256; ++b) {
        if (b == '\n')
            continue;
        const char byte = static_cast<char>(b);
        for (const std::string& name :
             {std::string(1, byte), std::string("a") + byte + "z", std::string("ab") + byte}) {
            GWItem item = SampleItem();
            item.Name = name;
            GWItem read;
            ASSERT_TRUE(ReadText(ItemRecordText(item, "albion"), read).ok()) << "byte " << b;
            EXPECT_EQ(read, item) << "byte " << b;
        }
    }
}

TEST(ItemRecordReading, OldestVersionHasTwentyTwoLinesAndDefaultsTheRest)
{
    const std::string record =
        "version1.1\nhibernia\n3\n12\n1\nOld Vest\n1\n0\n0\n0\n9\n0\n0\n0\n2\n0\n0\n0\n6\n0\n0\n0\n";
    std::istringstream in(record + "after");
    LineReader reader(in);
    GWItem read = SampleItem();
    ASSERT_EQ(ReadFrom(reader, read, "hibernia").status, ReadStatus::Ok);
    EXPECT_EQ(read.Name, "Old Vest");
    EXPECT_EQ(read.EffectAmount[0], 9);
    EXPECT_EQ(read.EffectName[0], 2);
    EXPECT_EQ(read.GemQuality[0], 6);
    EXPECT_EQ(read.Level, 0);
    EXPECT_EQ(read.Qual, "0");
    EXPECT_EQ(read.DPS, "0");
    EXPECT_EQ(read.Speed, "0");
    EXPECT_EQ(read.Bonus, "0");
    std::string next;
    ASSERT_TRUE(reader.ReadLine(FieldLineBuffer, next));
    EXPECT_EQ(next, "after");
}

TEST(ItemRecordReading, VersionsOneTwoAndOneThreeReadLikeTheNewest)
{
    for (std::string_view version : {"version1.2", "version1.3"}) {
        std::string text = ItemRecordText(SampleItem(), "albion");
        text.replace(0, CurrentRecordVersion.size(), version);
        GWItem read;
        ASSERT_TRUE(ReadText(text, read).ok()) << version;
        EXPECT_EQ(read, SampleItem());
    }
}

TEST(ItemRecordReading, RefusesAForeignRealmBeforeLookingAtTheVersion)
{
    struct Case {
        const char* what;
        std::string header;
        ReadStatus expected;
    };
    const Case cases[] = {
        {"another realm", "version1.4\r\nhibernia\r\n", ReadStatus::ForeignRealm},
        {"another realm with an unknown version", "version9\r\nmidgard\r\n", ReadStatus::ForeignRealm},
        {"a realm in capitals", "version1.4\r\nAlbion\r\n", ReadStatus::ForeignRealm},
        {"a realm with a trailing blank", "version1.4\r\nalbion \r\n", ReadStatus::ForeignRealm},
        {"a capital V", "Version1.4\r\nalbion\r\n", ReadStatus::VersionMismatch},
        {"a newer number", "version1.5\r\nalbion\r\n", ReadStatus::VersionMismatch},
        {"a trailing blank", "version1.4 \r\nalbion\r\n", ReadStatus::VersionMismatch},
        {"an empty version line", "\r\nalbion\r\n", ReadStatus::VersionMismatch},
        {"a version line far too long", "version1.4" + std::string(5000, 'x') + "\nalbion\n",
         ReadStatus::VersionMismatch},
    };
    const std::string body =
        ItemRecordText(SampleItem(), "albion").substr(std::string("version1.4\r\nalbion\r\n").size());
    for (const Case& c : cases) {
        std::istringstream in(c.header + body);
        LineReader reader(in);
        GWItem item;
        const ReadOutcome outcome = ReadFrom(reader, item, "albion");
        EXPECT_EQ(outcome.status, c.expected) << c.what;
        EXPECT_EQ(outcome.message,
                  c.expected == ReadStatus::ForeignRealm ? ForeignRealmMessage : VersionMismatchMessage)
            << c.what;
        EXPECT_EQ(item, GWItem{}) << c.what;
        // Both header lines are consumed, nothing more: the next read starts at the quality.
        std::string next;
        ASSERT_TRUE(reader.ReadLine(FieldLineBuffer, next));
        EXPECT_EQ(next, "6") << c.what;
    }
}

TEST(ItemRecordReading, ARecordCutAnywhereLeavesTheItemAsItWas)
{
    const std::string text = ItemRecordText(SampleItem(), "albion");
    const std::size_t lastLineStart = text.rfind("35\r\n");
    for (std::size_t length = 0; length < text.size(); ++length) {
        GWItem item;
        item.Name = "untouched";
        const ReadOutcome outcome = ReadText(text.substr(0, length), item);
        if (length > lastLineStart) {
            // The last line is there, perhaps without its line end or with part of its text.
            EXPECT_EQ(outcome.status, ReadStatus::Ok) << length;
            continue;
        }
        // A realm line cut short names no realm: the record is foreign rather than short.
        const bool realmLineCut = length > 12 && length < 18;
        EXPECT_EQ(outcome.status, realmLineCut ? ReadStatus::ForeignRealm : ReadStatus::Truncated) << length;
        EXPECT_FALSE(outcome.message.empty());
        EXPECT_EQ(item.Name, "untouched") << length;
    }
}

TEST(ItemRecordReading, LinesLongerThanTheirBuffersAreCutAndTheRestOfTheLineSkipped)
{
    GWItem item = SampleItem();
    const std::string longest(298, 'n');
    for (std::size_t length : {298u, 299u, 300u, 301u, 4096u, 1000000u}) {
        item.Name = std::string(length, 'n');
        item.Bonus = std::string(length, 'b');
        for (const std::string& text :
             {ItemRecordText(item, "albion"), WithBareLineFeeds(ItemRecordText(item, "albion"))}) {
            GWItem read;
            ASSERT_TRUE(ReadText(text, read).ok()) << length;
            EXPECT_EQ(read.Name, longest) << length;
            EXPECT_EQ(read.Bonus, std::string(298, 'b')) << length;
            EXPECT_EQ(read.EffectType, item.EffectType) << length;
            EXPECT_EQ(read.Level, item.Level) << length;
        }
    }
}

TEST(ItemRecordReading, NumbersAreTheirLineLeadingDigits)
{
    std::string text = ItemRecordText(SampleItem(), "albion");
    text.replace(text.find("\r\n6\r\n37\r\n"), 9, "\r\n  4 stars\r\nnone\r\n");
    GWItem read;
    ASSERT_TRUE(ReadText(text, read).ok());
    EXPECT_EQ(read.Quality, 4);
    EXPECT_EQ(read.ImbuePoints, 0);
}

TEST(LineReader, HonoursTheBufferOfEachLineAndEndsCleanly)
{
    std::istringstream in(std::string(18, 'h') + "\r\n" + std::string(19, 'i') + "\n" + std::string(17, 'j') +
                          "\r\r\n\nlast");
    LineReader reader(in);
    std::string line;
    ASSERT_TRUE(reader.ReadLine(HeaderLineBuffer, line));
    EXPECT_EQ(line, std::string(18, 'h'));
    ASSERT_TRUE(reader.ReadLine(HeaderLineBuffer, line));
    EXPECT_EQ(line, std::string(18, 'i'));
    ASSERT_TRUE(reader.ReadLine(HeaderLineBuffer, line));
    EXPECT_EQ(line, std::string(17, 'j') + "\r");
    ASSERT_TRUE(reader.ReadLine(HeaderLineBuffer, line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(reader.ReadLine(HeaderLineBuffer, line));
    EXPECT_EQ(line, "last");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.ReadLine(HeaderLineBuffer, line));
    EXPECT_FALSE(reader.ReadLine(HeaderLineBuffer, line));
}

} // namespace
} // namespace gw
