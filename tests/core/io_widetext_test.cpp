// The conversions between UTF-8 and wide characters that paths and the system's messages go
// through, checked against an encoder of their own on random text.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "io/WideText.h"

namespace gw {
namespace {

// An independent encoder: a code point to UTF-8 by the table of the standard.
std::string Utf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 + c / 64);
        out += static_cast<char>(0x80 + c % 64);
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 + c / 4096);
        out += static_cast<char>(0x80 + c / 64 % 64);
        out += static_cast<char>(0x80 + c % 64);
    } else {
        out += static_cast<char>(0xF0 + c / 262144);
        out += static_cast<char>(0x80 + c / 4096 % 64);
        out += static_cast<char>(0x80 + c / 64 % 64);
        out += static_cast<char>(0x80 + c % 64);
    }
    return out;
}

std::wstring Wide(char32_t c)
{
    if (c >= 0x10000 && sizeof(wchar_t) == 2)
        return {static_cast<wchar_t>(0xD800 + (c - 0x10000) / 1024), static_cast<wchar_t>(0xDC00 + c % 1024)};
    return std::wstring(1, static_cast<wchar_t>(c));
}

TEST(WideText, RandomTextRoundTripsAndMatchesAnIndependentEncoder)
{
    std::mt19937 random(1252);
    // Weighted toward the edges of each encoding length.
    const char32_t edges[] = {0x0, 0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFD, 0xFFFF, 0x10000, 0x10FFFF};
    for (int round = 0; round < 2000; ++round) {
        std::string utf8;
        std::wstring wide;
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            char32_t c = random() % 3 == 0 ? edges[random() % std::size(edges)]
                                           : static_cast<char32_t>(random() % 0x110000);
            if (c >= 0xD800 && c <= 0xDFFF)
                c = 0xE9;
            utf8 += Utf8(c);
            wide += Wide(c);
        }
        ASSERT_EQ(Utf8FromWide(wide), utf8);
        ASSERT_EQ(WideFromUtf8(utf8), wide);
        ASSERT_EQ(PathToUtf8(PathFromUtf8(utf8)), utf8);
    }
}

TEST(WideText, WhatCannotBeConvertedBecomesTheReplacementCharacter)
{
    const std::string replacement = "\xEF\xBF\xBD";
    const struct {
        const char* what;
        std::string utf8;
        std::string expected; // after a trip to wide characters and back
    } cases[] = {
        {"a lone continuation byte", "a\x80z", "a" + replacement + "z"},
        {"a Windows-1252 byte", "\xC9p\xE9", replacement + "p" + replacement},
        {"a sequence cut short", "ab\xE2\x82", "ab" + replacement + replacement},
        {"an overlong slash", "\xC0\xAF", replacement + replacement},
        {"an encoded surrogate", "\xED\xA0\x80", replacement + replacement + replacement},
        {"beyond the last code point", "\xF4\x90\x80\x80", replacement + replacement + replacement + replacement},
        {"a lead byte with no room", "\xF8", replacement},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8FromWide(WideFromUtf8(c.utf8)), c.expected) << c.what;

    if constexpr (sizeof(wchar_t) == 2) {
        const std::wstring unpaired = {L'a', static_cast<wchar_t>(0xD800), L'b', static_cast<wchar_t>(0xDC00)};
        EXPECT_EQ(Utf8FromWide(unpaired), "a" + replacement + "b" + replacement);
    }
}

} // namespace
} // namespace gw
