// Paths on Windows are wide (UTF-16) strings; everything the program shows or stores is UTF-8.
// These conversions are lossless for valid text and never throw: what cannot be converted (an
// unpaired surrogate, a malformed UTF-8 sequence) becomes U+FFFD, so a strange file name still
// gives a readable message instead of an exception.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace gw {

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);

// The UTF-8 text of a path, for messages; on POSIX the path's bytes unchanged.
std::string PathToUtf8(const std::filesystem::path& path);
// A path from UTF-8 text; on POSIX the bytes unchanged.
std::filesystem::path PathFromUtf8(std::string_view text);

} // namespace gw
