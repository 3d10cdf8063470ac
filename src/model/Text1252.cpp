#include "model/Text1252.h"

#include <array>

namespace gw {

namespace {

// 0x80..0x9F; the undefined 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep their C1 value.
constexpr std::array<char16_t, 32> HighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

} // namespace

char32_t Cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControlBlock[byte - 0x80];
    return byte;
}

unsigned char UnicodeToCp1252(char32_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<unsigned char>(ch);
    for (std::size_t i = 0; i < HighControlBlock.size(); ++i)
        if (HighControlBlock[i] == ch)
            return static_cast<unsigned char>(0x80 + i);
    return '?';
}

std::u16string DecodeCp1252(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.push_back(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
    return text;
}

std::string EncodeCp1252(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            // A pair stands for one character beyond the code page: one '?' for both halves.
            if (i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
                ++i;
            bytes.push_back('?');
            continue;
        }
        bytes.push_back(static_cast<char>(UnicodeToCp1252(unit)));
    }
    return bytes;
}

} // namespace gw
