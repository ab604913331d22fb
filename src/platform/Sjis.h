#pragma once

// Text in the program is Shift_JIS (code page 932) bytes; these helpers convert at the edges
// (drawing, file names, source literals) and step through Shift_JIS text one character at a time.

#include <cstddef>
#include <string>
#include <string_view>

namespace valmore {

// True for a byte that begins a two-byte character of code page 932 (0x81-0x9F, 0xE0-0xFC).
bool IsSjisLeadByte(unsigned char c);

// True for a byte that may follow a lead byte (0x40-0x7E, 0x80-0xFC).
bool IsSjisTrailByte(unsigned char c);

// Byte length of the character starting at pos: 2 for a lead byte followed by a valid trail byte,
// otherwise 1. A lead byte at the very end of the text counts as one byte, so stepping never reads
// past the text. Returns 0 at or past the end.
std::size_t SjisCharLength(std::string_view text, std::size_t pos);

// Number of characters in the text, counted as SjisCharLength steps.
std::size_t SjisCharCount(std::string_view text);

// Conversions through iconv. Bytes that cannot be converted become "?" (CP932 to UTF-8: U+FFFD),
// so a damaged text is still shown rather than dropped.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// The one way user-visible Japanese literals (written in UTF-8 in the source) become program text.
inline std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8); }

}  // namespace valmore
