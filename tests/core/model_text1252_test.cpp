// Names and free texts are stored as Windows-1252 bytes and edited as Unicode: every byte must
// survive the round trip, and characters the code page lacks must become '?', never garbage.
#include <gtest/gtest.h>

#include <string>

#include "model/Text1252.h"

namespace {

TEST(Text1252, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::u16string text = gw::DecodeCp1252(all);
    ASSERT_EQ(text.size(), all.size());
    EXPECT_EQ(gw::EncodeCp1252(text), all);
}

struct Mapping {
    const char* name;
    unsigned char byte;
    char32_t ch;
};

class Text1252Mapping : public ::testing::TestWithParam<Mapping> {};

TEST_P(Text1252Mapping, ByteAndCharacterCorrespond)
{
    const Mapping& m = GetParam();
    EXPECT_EQ(gw::Cp1252ToUnicode(m.byte), m.ch);
    EXPECT_EQ(gw::UnicodeToCp1252(m.ch), m.byte);
}

INSTANTIATE_TEST_SUITE_P(
    TheHighBlockAndItsNeighbours, Text1252Mapping,
    ::testing::Values(Mapping{"ascii_letter", 'A', U'A'}, Mapping{"euro", 0x80, U'\u20AC'},
                      Mapping{"low_quote", 0x82, U'\u201A'}, Mapping{"ellipsis", 0x85, U'\u2026'},
                      Mapping{"s_caron", 0x8A, U'\u0160'}, Mapping{"z_caron", 0x8E, U'\u017D'},
                      Mapping{"right_single_quote", 0x92, U'\u2019'}, Mapping{"em_dash", 0x97, U'\u2014'},
                      Mapping{"trade_mark", 0x99, U'\u2122'}, Mapping{"y_diaeresis", 0x9F, U'\u0178'},
                      // The five bytes the code page leaves open stand for the C1 controls.
                      Mapping{"open_81", 0x81, U'\u0081'}, Mapping{"open_8D", 0x8D, U'\u008D'},
                      Mapping{"open_8F", 0x8F, U'\u008F'}, Mapping{"open_90", 0x90, U'\u0090'},
                      Mapping{"open_9D", 0x9D, U'\u009D'},
                      Mapping{"no_break_space", 0xA0, U'\u00A0'}, Mapping{"e_acute", 0xE9, U'\u00E9'},
                      Mapping{"y_diaeresis_small", 0xFF, U'\u00FF'}),
    [](const ::testing::TestParamInfo<Mapping>& p) { return std::string(p.param.name); });

TEST(Text1252, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    // C1 controls the code page replaced (0x80 is the euro) have no byte of their own.
    EXPECT_EQ(gw::UnicodeToCp1252(U'\u0080'), '?');
    EXPECT_EQ(gw::UnicodeToCp1252(U'\u0100'), '?');
    EXPECT_EQ(gw::UnicodeToCp1252(U'\u4E2D'), '?');
    EXPECT_EQ(gw::EncodeCp1252(u"Ring \u4E2D of \u03A9"), "Ring ? of ?");
}

TEST(Text1252, ASurrogatePairIsOneUnknownCharacter)
{
    EXPECT_EQ(gw::EncodeCp1252(u"a\U0001F600b"), "a?b");
    // Halves without their partner are unknown characters too, one '?' each.
    const char16_t lone[] = {u'x', 0xD83D, u'y', 0xDE00, 0};
    EXPECT_EQ(gw::EncodeCp1252(lone), "x?y?");
    const char16_t trailing[] = {u'z', 0xD83D, 0};
    EXPECT_EQ(gw::EncodeCp1252(trailing), "z?");
}

TEST(Text1252, EmptyTextStaysEmpty)
{
    EXPECT_TRUE(gw::DecodeCp1252("").empty());
    EXPECT_TRUE(gw::EncodeCp1252(u"").empty());
}

} // namespace
