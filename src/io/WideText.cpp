#include "io/WideText.h"

namespace gw {

namespace {

constexpr char32_t Replacement = 0xFFFD;

// wchar_t holds UTF-16 on Windows and whole code points elsewhere; both are handled, so the
// conversions mean the same on every system.
void AppendWide(std::wstring& out, char32_t c)
{
    if (c >= 0x10000 && sizeof(wchar_t) == 2) {
        c -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(c));
    }
}

bool IsSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

// The next code point of UTF-8 text; a malformed, overlong or surrogate sequence gives
// U+FFFD and consumes one byte.
char32_t NextUtf8(std::string_view text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80)
        return lead;
    // How many bytes follow the lead byte, its bits of the code point, and the smallest code
    // point that needs this many bytes (anything smaller is an overlong form).
    int more = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        c = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        c = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        c = lead & 0x07;
        least = 0x10000;
    } else {
        return Replacement;
    }
    if (text.size() - i < static_cast<std::size_t>(more))
        return Replacement;
    for (int k = 0; k < more; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80)
            return Replacement;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || IsSurrogate(c))
        return Replacement;
    i += static_cast<std::size_t>(more);
    return c;
}

} // namespace

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Chooses the conversion by the type the system's paths are made of; only one of each pair is
// used on a system, so they have external linkage and raise no unused-function warning.
namespace native {
inline std::string ToUtf8(const std::string& native)
{
    return native;
}
inline std::string ToUtf8(const std::wstring& native)
{
    return Utf8FromWide(native);
}
inline void FromUtf8(std::string& native, std::string_view text)
{
    native.assign(text);
}
inline void FromUtf8(std::wstring& native, std::string_view text)
{
    native = WideFromUtf8(text);
}
} // namespace native

std::string Utf8FromWide(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            const auto low = static_cast<char32_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        AppendUtf8(out, IsSurrogate(c) || c > 0x10FFFF ? Replacement : c);
    }
    return out;
}

std::wstring WideFromUtf8(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
        AppendWide(out, NextUtf8(text, i));
    return out;
}

std::string PathToUtf8(const std::filesystem::path& path)
{
    return native::ToUtf8(path.native());
}

std::filesystem::path PathFromUtf8(std::string_view text)
{
    std::filesystem::path::string_type converted;
    native::FromUtf8(converted, text);
    return std::filesystem::path(std::move(converted));
}

} // namespace gw
