// Characters at the lowest level: the Windows-1252 code page of the
// framework's files and of the wheel pictures, and UTF-8, the game's own
// encoding. Shared by the game, the Qt front, the metafile player and the
// tools; it depends on nothing but the standard library.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wx {

// Code point of a Windows-1252 byte. The five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control
// characters of the same number, so that every byte survives a round trip.
char32_t ausWindows1252(unsigned char byte);
// Windows-1252 byte of a code point, -1 when the code page has none.
int nachWindows1252(char32_t codepunkt);

// Decodes the UTF-8 character that starts at text[pos] and moves pos past it
// (pos < text.size()). Bytes that do not start a valid sequence (a stray
// continuation byte, a cut-off sequence, an overlong form, a surrogate, a
// value beyond U+10FFFF) are read as one character each: the Latin-1
// character of that byte. The game never refuses a text.
char32_t leseUtf8(std::string_view text, std::size_t& pos);
// The same for checking a text: nothing for an invalid sequence, and then
// pos stays where it was.
std::optional<char32_t> leseUtf8Streng(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of a code point; a surrogate or a value beyond
// U+10FFFF is written as U+FFFD.
void haengeUtf8An(std::string& text, char32_t codepunkt);
std::string utf8(char32_t codepunkt);

}  // namespace wx
