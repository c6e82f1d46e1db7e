// Character boundaries, the Windows-1252 fallback and ASCII case folding.
#include "core/Text.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/FixedString.h"

namespace ordonna {
namespace {

TEST(Text, CutToCapacityStopsOnACharacterBoundary) {
  // "é" is two bytes, "€" three, "𝄞" four; Windows-1252 bytes and a lead byte whose sequence is
  // incomplete are characters of one byte.
  const std::tuple<std::string, std::size_t, std::string> cases[] = {
      {"abcd", 3, "abc"},          {"ab\xC3\xA9", 3, "ab"},
      {"a\xE2\x82\xAC", 3, "a"},   {"\xF0\x9D\x84\x9Ex", 4, "\xF0\x9D\x84\x9E"},
      {"\xF0\x9D\x84\x9E", 3, ""}, {"ab\xE9\xE8", 3, "ab\xE9"},
      {"ab\xC3", 3, "ab\xC3"}};
  for (const auto& [text, capacity, cut] : cases) EXPECT_EQ(CutToCapacity(text, capacity), cut) << text;
}

TEST(Text, FixedStringsKeepWhatFits) {
  FixedString<255> field;
  std::string accented;
  for (int i = 0; i < 150; ++i) accented += "\xC3\xA9";  // 300 bytes of "é"
  field.Set(accented);
  EXPECT_EQ(field.View().size(), 254u) << "127 whole characters fit in 255 bytes";
  EXPECT_EQ(CharacterCount(field.View()), 127u);

  FixedString<32> label;
  label.Set("LABEL");
  label.Length = 200;  // as a damaged file could say
  EXPECT_EQ(label.View().size(), 32u) << "a stored length is clamped to the capacity";
}

TEST(Text, DecodeForDisplayKeepsUtf8AndReadsOtherBytesAsWindows1252) {
  // Euro sign and Y with diaeresis; unassigned bytes become C1 controls; neither an overlong
  // form nor a surrogate is UTF-8.
  const std::pair<const char*, const char*> cases[] = {{"Caf\xC3\xA9", "Caf\xC3\xA9"},
                                                       {"\x80 \x9F", "\xE2\x82\xAC \xC5\xB8"},
                                                       {"\xC0\xAF", "\xC3\x80\xC2\xAF"},
                                                       {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
                                                       {"mixed \xC3\xA9 and \xE9", "mixed \xC3\xA9 and \xC3\xA9"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(DecodeForDisplay(bytes), text) << bytes;
}

TEST(Text, ControlCharactersBecomeQuestionMarks) {
  // Stored names: bytes 1-31 and 127 only; the bytes of UTF-8 and Windows-1252 text stay.
  EXPECT_EQ(MaskControlBytes("\x01\x1f \x7f~\tb\r\nc \xC3\xA9\x9B\x80"), "?? ?~?b??c \xC3\xA9\x9B\x80");
  // The terminal form also hides C1 controls, whether written in UTF-8 or as a lone byte.
  const std::pair<std::string, std::string> terminal[] = {{"a\x1b[31mb", "a?[31mb"},
                                                          {"x\xC2\x9Fy", "x?y"},
                                                          {std::string("n\0ul", 4), "n?ul"},
                                                          {"\xC3\xA9\x80", "\xC3\xA9\xE2\x82\xAC"}};
  for (const auto& [text, shown] : terminal) EXPECT_EQ(DecodeForTerminal(text), shown) << text;
}

TEST(Text, Windows1252MapsBothWays) {
  EXPECT_EQ(UnicodeToWindows1252(U'\u0100'), -1);
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(UnicodeToWindows1252(Windows1252ToUnicode(static_cast<std::uint8_t>(byte))), byte) << byte;
  }
}

TEST(Text, CaseFoldingTouchesAsciiLettersOnly) {
  EXPECT_TRUE(EqualIgnoringAsciiCase("Music/ABC", "music/abc"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("\xC3\xA9t\xC3\xA9", "\xC3\x89t\xC3\x89")) << "é and É differ";
  EXPECT_EQ(AsciiUpperCopy("abz{\xE9"), "ABZ{\xE9");
}

}  // namespace
}  // namespace ordonna
