// The report-definition language: which tags are found, what conditions keep or drop, and how
// lines are put together.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "data/Globals.h"
#include "report/ReportTemplate.h"
#include "support/FakeReportSource.h"
#include "support/TestFiles.h"

namespace gw {
namespace {

// Captions with recognisable texts, so a test sees which one a tag printed; strength reads as a
// number, as in a real report.
struct FakeSource : test::FakeReportSource {
    FakeSource() { captions[static_cast<std::size_t>(PanelCaption::Str)] = "75"; }
};

FakeSource WithChest(bool playerMade)
{
    FakeSource source;
    source.config.Items[0].PlayerMade = playerMade ? 1 : 0;
    return source;
}

struct Case {
    const char* name;
    bool chestPlayerMade;
    std::string templ;
    std::string report;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& param)
{
    return param.param.name;
}

class RenderCases : public ::testing::TestWithParam<Case> {};

TEST_P(RenderCases, GivesTheReport)
{
    const Case& c = GetParam();
    EXPECT_EQ(RenderTemplate(c.templ, WithChest(c.chestPlayerMade)), c.report);
}

const Case PlainText[] = {
    {"EmptyTemplateGivesEmptyReport", true, "", ""},
    {"TextWithoutTagsIsCopied", true, "Order form\n\n  for Albion\n", "Order form\n\n  for Albion\n"},
    {"LastLineMayLackItsLineFeed", true, "a\nb", "a\nb"},
    {"CarriageReturnBeforeLineFeedIsDropped", true, "a\r\nb\r\n", "a\nb\n"},
    {"LoneCarriageReturnStays", true, "a\rb\r", "a\rb\r"},
    {"UnclosedBracketIsText", true, "a < b\n", "a < b\n"},
    {"GreaterThanBeforeTheFirstTagHidesIt", true, "a > b <str>\n", "a > b <str>\n"},
    {"DoubleOpenBracketMakesTagTextStartWithBracket", true, "x<<str>y\n", "xy\n"},
    {"GreaterThanAfterAValueHidesLaterTags", true, "<str> > <str>\n", "75 > <str>\n"},
    {"UpperCaseKeyword", true, "<STR>|<Str>\n", "75|75\n"},
    {"TextKeepsItsOwnCase", true, "Str: <str> STR\n", "Str: 75 STR\n"},
    {"UnknownNumberTagGivesSpaces", true, "[<12>]\n", "[            ]\n"},
    {"UnknownWordTagGivesNothing", true, "[<xyz>]\n", "[]\n"},
    {"EmptyTagGivesNothing", true, "[<>]\n", "[]\n"},
    {"ValueTagAloneKeepsItsLineEvenWhenEmpty", true, "a\n<xyz>\nb\n", "a\n\nb\n"},
    {"EndTagWithoutConditionIsDeleted", true, "a<endif>b\n<endif>\nc\n", "ab\nc\n"},
    {"TwoEndTagsOnALineLeaveNoBlankLine", true, "<endif><endif>\nc\n", "c\n"},
    {"EndTagAfterEmptyValueLeavesNoBlankLine", true, "<xyz><endif>\nc\n", "c\n"},
    {"EndTagOnLastLineWithoutLineFeedKeepsTheRest", true, "a\nb<endif>", "a\nb"},
    {"EndTagAloneOnLastLineWithoutLineFeed", true, "a\n<endif>", "a\n"},
};
INSTANTIATE_TEST_SUITE_P(Text, RenderCases, ::testing::ValuesIn(PlainText), CaseName);

const Case Conditions[] = {
    {"HoldingConditionAloneLeavesNoLine", true, "a\n<if chest pcmade>\nmade\n<endif>\nb\n", "a\nmade\nb\n"},
    {"FailingConditionDropsThroughItsEndLine", false, "a\n<if chest pcmade>\nmade\n<endif>\nb\n", "a\nb\n"},
    {"DropWordHoldsForADrop", false, "<if chest drop>\ndrop\n<endif>\n", "drop\n"},
    {"DropWordFailsForPlayerMade", true, "<if chest drop>\ndrop\n<endif>\n", ""},
    {"ConditionWithoutWordAsksForADrop", false, "<if chest>\ndrop\n<endif>\n", "drop\n"},
    {"ConditionKeywordsAnyCase", true, "<IF CHEST PCMADE>\nmade\n<EndIf>\n", "made\n"},
    {"SameLineConditionHolds", true, "Chest: <if chest pcmade>made<endif> item\n", "Chest: made item\n"},
    {"SameLineConditionFails", false, "Chest: <if chest pcmade>made<endif> item\n", "Chest:  item\n"},
    {"FailingConditionRunsOnIntoTheLineAfterItsEnd", false,
     "Chest: <if chest pcmade>\nskipped\n<endif>\nnext\n", "Chest: next\n"},
    {"FailingLineClosesOnlyOnLowerCaseEndTag", false, "<if chest pcmade>x<ENDIF>y\nskipped\n<endif>\nafter\n",
     "after\n"},
    {"FailingLineTagsAfterItsEndTagAreProcessed", false, "<if chest pcmade>x<endif><str>\n", "75\n"},
    {"EndTagLineWhileSkippingKeepsItsText", false, "<if chest pcmade>\nskipped\nbefore <endif> after\n",
     "before  after\n"},
    {"SkippingDropsValueLinesAndPlainText", false,
     "<if chest pcmade>\n<str>\nif chest\nendif\ntext <str> <endif>\n<endif>\nend\n", "end\n"},
    {"SkippingDropsLinesWhoseTagsAreHidden", false, "<if chest pcmade>\na > b <endif>\n<endif>\nend\n",
     "end\n"},
    {"HoldingConditionInsideSkippedBlockEndsIt", false,
     "<if chest pcmade>\nmade\n<if chest drop>\ndrop\n<endif>\nend\n", "drop\nend\n"},
    {"ConditionsDoNotNest", false, "<if chest pcmade>\n<if chest drop>\ninner\n<endif>\nouter\n<endif>\n",
     "inner\nouter\n"},
    {"FailingConditionWhileSkippingKeepsSkipping", false,
     "<if chest pcmade>\n<if chest pcmade>\nx\n<endif>\ny\n", "y\n"},
    {"FailingConditionWhileSkippingWithEndTagOnItsLine", false,
     "<if chest pcmade>\nbefore <if chest pcmade>x<endif> after\n", "before  after\n"},
    {"OpenConditionDropsTheRestOfTheFile", false, "a\n<if chest pcmade>\nb\nc", "a\n"},
    {"ValueAfterHoldingConditionOnItsLine", true, "<if chest pcmade><str>\n", "75\n"},
};
INSTANTIATE_TEST_SUITE_P(Conditions, RenderCases, ::testing::ValuesIn(Conditions), CaseName);

TEST(Render, InsertedValuesAreNeverSearchedForTags)
{
    FakeSource source;
    source.config.Items[0].PlayerMade = 0;
    source.config.Items[0].Name = "<chest name>";
    EXPECT_EQ(RenderTemplate("[<chest name>]\n", source), "[<chest name>]\n");
    // A ">" inside an inserted value does not hide the tags after it.
    source.config.Items[0].Name = "a>b";
    EXPECT_EQ(RenderTemplate("<chest name> <str>\n", source), "a>b 75\n");
    source.captions[0] = "<endif><if chest pcmade>";
    EXPECT_EQ(RenderTemplate("<str>\nnext\n", source), "<endif><if chest pcmade>\nnext\n");
}

TEST(Render, ValuesWithLineFeedsStayInPlace)
{
    FakeSource source;
    source.skills = {"3 Slash", "5 Parry"};
    EXPECT_EQ(RenderTemplate("Skills:\n<skills>\nend\n", source), "Skills:\n3 Slash\n5 Parry\nend\n");
}

TEST(Render, LongLinesAreReadInPiecesOf2046)
{
    const FakeSource source;
    // A tag that ends exactly at the seam is whole; one cut by it stays text.
    const std::string whole = std::string(2041, 'x') + "<str>" + "<str>\n";
    EXPECT_EQ(RenderTemplate(whole, source), std::string(2041, 'x') + "75" + "75\n");
    const std::string cut = std::string(2043, 'x') + "<str>\n";
    EXPECT_EQ(RenderTemplate(cut, source), cut);
    // A CR before the LF does not count toward the piece.
    const std::string crlf = std::string(2040, 'x') + "<str>\r\n<str>\n";
    EXPECT_EQ(RenderTemplate(crlf, source), std::string(2040, 'x') + "75\n75\n");
}

TEST(Render, EachPieceOfALongLineIsALineOfItsOwn)
{
    const FakeSource source = WithChest(false);
    // A failing condition skips to the end of its piece; the next piece, while skipping, keeps
    // its text around the end tag as any line would.
    const std::string templ = "<if chest pcmade>" + std::string(2029, 'x') + "yy<endif>z\nw\n";
    EXPECT_EQ(RenderTemplate(templ, source), "yyz\nw\n");

    // While skipping, a piece that holds no tag is dropped whole.
    const std::string skipped = "<if chest pcmade>\n" + std::string(3000, 'b') + "<endif>c\nd\n";
    EXPECT_EQ(RenderTemplate(skipped, source), std::string(3000 - 2046, 'b') + "c\nd\n");
}

TEST(FindTag, TakesTheFirstOpeningAndClosingBrackets)
{
    EXPECT_EQ(FindTag("ab<cd>ef"), (TagSpan{2, 4}));
    EXPECT_EQ(FindTag("<<str>"), (TagSpan{0, 6}));
    EXPECT_EQ(FindTag("<>"), (TagSpan{0, 2}));
    EXPECT_FALSE(FindTag("a > b <str>"));
    EXPECT_FALSE(FindTag("a < b"));
    EXPECT_FALSE(FindTag(""));
    EXPECT_EQ(FindTag("a > b <str>", 3), (TagSpan{6, 5}));
    EXPECT_FALSE(FindTag("<str>", 5));
    EXPECT_FALSE(FindTag("<str>", 99));
}

TEST(ClassifyTag, EndConditionAndValueInBothModes)
{
    Configuration config;
    config.Items[0].PlayerMade = 1;
    for (const auto mode : {TemplateMode::Copying, TemplateMode::Skipping}) {
        EXPECT_EQ(ClassifyTag("endif", mode, config), TagAction::Remove);
        EXPECT_EQ(ClassifyTag("if chest pcmade", mode, config), TagAction::Remove);
        EXPECT_EQ(ClassifyTag("if chest drop", mode, config), TagAction::FalseCondition);
    }
    EXPECT_EQ(ClassifyTag("str", TemplateMode::Copying, config), TagAction::Value);
    EXPECT_EQ(ClassifyTag("str", TemplateMode::Skipping, config), TagAction::DropLine);
    EXPECT_EQ(ClassifyTag("endif ", TemplateMode::Copying, config), TagAction::Value);
    EXPECT_EQ(ClassifyTag("if", TemplateMode::Copying, config), TagAction::Value);
    EXPECT_EQ(ClassifyTag("", TemplateMode::Skipping, config), TagAction::DropLine);
}

TEST(EvaluateCondition, SlotKeywordsAndThePcmadeWord)
{
    Configuration config;
    config.Items[1].PlayerMade = 0;  // arms: a drop
    config.Items[8].PlayerMade = 0;  // 2 handed: a drop
    config.Items[10].PlayerMade = 0; // neck, as the jewellery page stores it
    EXPECT_TRUE(EvaluateCondition("if chest pcmade", config));
    EXPECT_FALSE(EvaluateCondition("if chest drop", config));
    EXPECT_TRUE(EvaluateCondition("if arms drop", config));
    EXPECT_TRUE(EvaluateCondition("if arms", config));
    EXPECT_FALSE(EvaluateCondition("if arms-pcmade", config));
    EXPECT_TRUE(EvaluateCondition("if 2handed anything", config));
    EXPECT_TRUE(EvaluateCondition("if ranged pcmade", config));
    // The separator may be any character, and the word must be whole.
    EXPECT_TRUE(EvaluateCondition("if chest_pcmade", config));
    EXPECT_FALSE(EvaluateCondition("if chest pcmade ", config));
    EXPECT_FALSE(EvaluateCondition("if chestpcmade", config));
    // Several keywords in turn: the last one decides.
    EXPECT_TRUE(EvaluateCondition("if chest arms drop", config));
    // "chest" is tested before "arms" is taken off, so the word is "chest pcmade".
    EXPECT_TRUE(EvaluateCondition("if arms chest pcmade", config));
    // Jewellery slots are tested the same way; no slot at all never holds.
    EXPECT_TRUE(EvaluateCondition("if neck drop", config));
    EXPECT_FALSE(EvaluateCondition("if neck pcmade", config));
    EXPECT_TRUE(EvaluateCondition("if lwrist pcmade", config)); // cleared, never stored
    EXPECT_FALSE(EvaluateCondition("if wrist drop", config));
    EXPECT_FALSE(EvaluateCondition("if ", config));
    EXPECT_FALSE(EvaluateCondition("if  chest pcmade", config));
}

TEST(EvaluateCondition, JewelleryWordsAfterAnArmourKeywordAreJustWords)
{
    // What follows an armour or weapon keyword is compared with "pcmade" only; a jewellery
    // keyword there must not move the condition to a jewellery slot.
    Configuration config;
    config.Items[0].PlayerMade = 0;  // chest: a drop
    config.Items[13].PlayerMade = 0; // belt, as the jewellery page stores it
    for (const char* word : {"neck", "cloak", "jewel", "belt", "rring", "lring", "rwrist", "lwrist"}) {
        const std::string tail = std::string(word) + " pcmade";
        EXPECT_TRUE(EvaluateCondition("if chest " + tail, config)) << word;
        EXPECT_FALSE(EvaluateCondition("if head " + tail, config)) << word; // cleared: player-made
    }
    EXPECT_TRUE(EvaluateCondition("if chest beltless", config));
    EXPECT_TRUE(EvaluateCondition("if chest neck", config));
    // With no armour keyword in front, the jewellery keywords choose the slot, last one deciding.
    EXPECT_TRUE(EvaluateCondition("if belt drop", config));
    EXPECT_TRUE(EvaluateCondition("if neck belt drop", config));
    EXPECT_TRUE(EvaluateCondition("if belt neck drop", config)); // "neck" is tested before "belt"
    EXPECT_FALSE(EvaluateCondition("if neck drop", config));
}

class GenerateReportFile : public ::testing::Test {
  protected:
    test::TempDir m_dir;
};

TEST_F(GenerateReportFile, ReadsTheFileAsText)
{
    const auto path = m_dir.path / "Order.rpt";
    test::WriteAll(path, "STR <str>\r\n<if chest pcmade>\r\nmade\r\n<endif>\r\n");
    const auto report = GenerateReport(path.string(), FakeSource());
    ASSERT_TRUE(report.ok);
    EXPECT_EQ(report.text, "STR 75\nmade\n");
    EXPECT_TRUE(report.message.empty());
}

TEST_F(GenerateReportFile, UnreadableFileNamesItsPath)
{
    for (const auto& path : {m_dir.path / "missing.rpt", m_dir.path}) {
        const auto report = GenerateReport(path.string(), FakeSource());
        EXPECT_FALSE(report.ok);
        EXPECT_TRUE(report.text.empty());
        EXPECT_NE(report.message.find(path.string()), std::string::npos) << report.message;
    }
}

// A report rendered into a sink with a limit is exactly the first `limit` bytes of the whole
// report, in pieces small enough that a report of any size needs little memory.
TEST(BoundedReport, IsThePrefixOfTheWholeReportAndStopsExactlyAtTheLimit)
{
    const std::vector<std::string> parts = {"<2047>", "<str>",  "<if chest pcmade>", "<endif>", "text ",
                                            "\n",      "\r\n", "<if chest drop>",   "<100>",   "> <"};
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        std::string templ;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i)
            templ += parts[random() % parts.size()];
        const FakeSource source = WithChest(random() % 2 == 0);
        const std::string whole = RenderTemplate(templ, source);
        const std::uintmax_t limit = random() % (whole.size() + 20);

        std::string received;
        std::size_t largestPiece = 0;
        const RenderEnd end = RenderTemplate(templ, source, [&](std::string_view piece) {
            received.append(piece);
            largestPiece = std::max(largestPiece, piece.size());
            return true;
        }, limit);
        EXPECT_EQ(end, whole.size() > limit ? RenderEnd::Stopped : RenderEnd::Complete) << templ;
        EXPECT_EQ(received, whole.substr(0, static_cast<std::size_t>(limit))) << templ;
        EXPECT_LE(largestPiece, 1u << 20);
    }
}

TEST(BoundedReport, ASinkThatFailsStopsTheReport)
{
    std::string templ;
    for (int i = 0; i < 200; ++i)
        templ += "<2047>\n";
    int pieces = 0;
    const RenderEnd end = RenderTemplate(templ, FakeSource(), [&](std::string_view) { return ++pieces < 2; });
    EXPECT_EQ(end, RenderEnd::SinkFailed);
    EXPECT_EQ(pieces, 2);
}

TEST_F(GenerateReportFile, AReportPastTheLimitIsStoppedThere)
{
    // Six bytes that ask for 2,047 characters: a 4 MiB definition would make 1.4 GB.
    std::string templ;
    for (int i = 0; i < 10000; ++i)
        templ += "<2047>";
    const auto path = m_dir.path / "Huge.rpt";
    test::WriteAll(path, templ);
    const auto report = GenerateReport(path.string(), FakeSource());
    EXPECT_TRUE(report.ok);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.text.size(), ReportSizeLimit);
    EXPECT_EQ(report.message, "The report is larger than 16 MiB; it was stopped.");

    test::WriteAll(path, templ.substr(0, 6 * 100));
    const auto small = GenerateReport(path.string(), FakeSource());
    EXPECT_TRUE(small.ok);
    EXPECT_FALSE(small.stopped);
    EXPECT_EQ(small.text.size(), 204700u);
    EXPECT_TRUE(small.message.empty());
}

} // namespace
} // namespace gw
