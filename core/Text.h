// The text rules every module uses. Strings are stored as bytes: UTF-8 from this system,
// Windows-1252 from lists made on Windows. Capacities count bytes and are cut on a character
// boundary; a byte that is not part of valid UTF-8 is one Windows-1252 character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ordonna {

// One character at the front of a byte string.
struct TextCharacter {
  char32_t CodePoint;  // the Unicode character (an invalid byte as its Windows-1252 character)
  std::size_t Bytes;   // bytes it occupies, at least 1 for a non-empty input
  bool ValidUtf8;      // false for a lone byte that does not start a valid UTF-8 sequence
};

// REQUIRES: !text.empty().
TextCharacter NextCharacter(std::string_view text);

// The longest prefix of `text` of at most `capacity` bytes that ends on a character boundary.
std::string_view CutToCapacity(std::string_view text, std::size_t capacity);

// Characters in `text`, by the rule of NextCharacter.
std::size_t CharacterCount(std::string_view text);

// Valid UTF-8 for display: valid sequences are kept, other bytes decoded as Windows-1252.
std::string DecodeForDisplay(std::string_view text);

// DecodeForDisplay for a terminal: every control character (U+0000-U+001F, U+007F-U+009F)
// becomes "?", so a name cannot move the cursor or change colours.
std::string DecodeForTerminal(std::string_view text);

// The form of a name stored in an entry: bytes 1 to 31 and 127 become "?". A tab or line break
// in a file name would otherwise break every line of a text export. Other bytes are kept, so
// the result has the length of `text`.
std::string MaskControlBytes(std::string_view text);

// The Unicode character of a Windows-1252 byte (the five unassigned bytes map to C1 controls).
char32_t Windows1252ToUnicode(std::uint8_t byte);

// The Windows-1252 byte of a Unicode character, or -1 when it has none.
int UnicodeToWindows1252(char32_t codePoint);

// Appends the UTF-8 form of `codePoint`.
void AppendUtf8(std::string& out, char32_t codePoint);

// ASCII-only letter case: no other character is changed.
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// `text` without the byte-order marks (editors on Windows save one) and NUL bytes before
// it: they are no part of a list's first line.
std::string_view WithoutLeadingMarks(std::string_view text);
std::string AsciiUpperCopy(std::string_view text);

}  // namespace ordonna
