// Names and free texts are kept as the bytes of the Windows-1252 code page, exactly as they are
// in the files. The window shows and edits them as Unicode; these conversions make the round trip
// lossless: every byte has a character (the five bytes the code page leaves undefined map to the
// C1 control characters of the same value), so a name read from a file is written back unchanged.
#pragma once

#include <string>
#include <string_view>

namespace gw {

// The character a byte stands for.
char32_t Cp1252ToUnicode(unsigned char byte);
// The byte of a character, or '?' when the code page has none for it.
unsigned char UnicodeToCp1252(char32_t ch);

// Bytes to UTF-16 (every byte gives one code unit: all of the code page lies in the BMP).
std::u16string DecodeCp1252(std::string_view bytes);
// UTF-16 to bytes; a character outside the code page (a surrogate pair counts as one character,
// an unpaired surrogate too) becomes '?'.
std::string EncodeCp1252(std::u16string_view text);

} // namespace gw
