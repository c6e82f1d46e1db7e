// Field formatters: each style's rule, undetermined values, and the texts exports depend on.
#include "export/Formatters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "config/AppOptions.h"
#include "export/FieldStyle.h"

namespace ordonna {
namespace {

FieldStyle Style(std::uint8_t errorInfoStyle, std::uint8_t dateStyle = 1, std::string localeFormat = "") {
  FieldStyle style;
  style.ErrorInfoStyle = errorInfoStyle;
  style.DateStyle = dateStyle;
  style.LocaleDateFormat = std::move(localeFormat);
  return style;
}

ListEntry EntryOf(std::int32_t frames, std::uint8_t frequencyCode) {
  ListEntry entry = UndeterminedEntry();
  entry.Frames = frames;
  entry.FrequencyCode = frequencyCode;
  return entry;
}

TEST(FormatPlayTime, RoundsHalvesToEvenAndWritesMinutesWithoutHours) {
  // An unknown frequency (3) counts as 44.1 kHz; 4.5 s round to the even 4; an out-of-range
  // error style reads as question marks.
  EXPECT_EQ(FormatPlayTime(2297, 0, Style(1)) + " " + FormatPlayTime(1000, 3, Style(1)) + " " +
                FormatPlayTime(125, 2, Style(1)) + " " + FormatPlayTime(INT32_MAX, 2, Style(1)) + " " +
                FormatPlayTime(-7, 1, Style(3)),
            "1:00 0:26 0:04 1288490:11 ??:??");
  EXPECT_DOUBLE_EQ(PlaySeconds(125, 2) + PlaySeconds(-1, 2), 4.5);
}

TEST(Formatters, BitrateFrequencyStereoAndSizeNames) {
  FieldStyle vbr = Style(1), kb = Style(1);
  vbr.VbrStyle = 1, kb.SizeStyle = 3;
  EXPECT_EQ(FormatKbpsPadded(1, Style(1)) + "|" + FormatKbpsUnit(15, Style(1)) + "|" + FormatKbpsCompact(16, vbr) +
                "|" + FormatKbpsUnit(16, vbr),
            " 32|? kbps|VAR|VAR.kbps");
  std::string all;
  for (std::uint8_t code : {2, 3}) all += FormatFreqShort(code) + FormatFreqUnit(code) + FormatFreqPadded(code) + ",";
  EXPECT_EQ(all + FormatStereo(0, FieldStyle{}) + FormatStereo(4, Style(1)), "32.032.0 KHz 32.0 ,?? KHz ? ,S?");
  EXPECT_EQ(FormatSize(-1, kb), "? Kb") << "a size unit follows a mark too";
}

TEST(FormatDate, DottedStylesAndLocaleFormatsWriteYearsInFull) {
  constexpr std::int32_t kFifthApril2004 = 38082;
  // Time conversions and a dangling % are left out; without a date conversion the fallback.
  EXPECT_EQ(FormatDate(kFifthApril2004, Style(1, 2)) + "|" + FormatDate(kFifthApril2004, Style(1, 0, "%e/%m/%Ey")) +
                "|" + FormatDate(kFifthApril2004, Style(1, 0, "%d.%m.%Y %H:%M%")) + "|" +
                FormatDate(kFifthApril2004, Style(1, 0, "%H:%M")),
            "04.05.2004.| 5/04/2004|05.04.2004 :|04/05/2004");
  EXPECT_EQ(FormatDate(1, Style(1, 1)) + FormatDate(2958465, Style(1, 3)), "31.12.1899.9999.12.31.");
  EXPECT_EQ(FormatDate(0, Style(1)) + FormatDate(2958466, Style(1)), "??");
}

TEST(SplitName, SplitsAtTheFirstSeparatorByPriority) {
  // "artist|title"; a name of four characters (here in five bytes) is never split
  std::string all;
  for (const char* name : {"Up-Down - Song", "A - B - C", "ab-cd", "\xC3\xA9-bc"}) {
    ArtistAndTitle split = SplitName(name);
    all += std::string(split.Artist) + "|" + std::string(split.Title) + ",";
  }
  EXPECT_EQ(all, "Up-Down|Song,A|B - C,ab|cd,|\xC3\xA9-bc,");
}

TEST(HtmlEscaping, MarkupEscapedSpacesMadeVisibleAndNamesPadded) {
  using Escape = std::string (*)(std::string_view);
  const std::tuple<Escape, std::string, std::string> cases[] = {
      {HtmlEscapeCell, "a  b  c", "a &nbsp;b &nbsp;c"},             // a character resets the alternation
      {HtmlEscapeCell, std::string("a\0\xFF b", 5), "a &nbsp; b"},  // bytes 0 and 255 are space positions
      {HtmlEscapeText, "  \xFF\xC3\xA9  ", "  \xFF\xC3\xA9  "},     // only markup and zero bytes
      {HtmlSpaces, "  a   b", "&nbsp; a &nbsp; b"},
  };
  for (const auto& [escape, text, html] : cases) EXPECT_EQ(escape(text), html) << text;

  // Widths count characters and entities, each invalid byte as one; past 32,768 nothing is counted.
  EXPECT_EQ(std::to_string(VisibleLength("Salt &amp; Pepper")) + " " + std::to_string(VisibleLength("\xE9t\xE9")) +
                " " + std::to_string(VisibleLength(std::string(32769, 'a'))),
            "13 3 0");
  const std::string huge(40000, 'a');  // past the counting limit: wider, not empty
  auto pad = [](const std::string& text, std::uint8_t width) {
    FieldStyle style;
    style.PadFilenameTo = width;
    return PadName(text, style);
  };
  EXPECT_EQ(pad("AB", 0) + pad("&amp;", 3) + pad("Salt &amp; Pepper", 10) + "|", "AB&amp;  Salt &amp; Pepper|");
  EXPECT_EQ(pad(huge, 10), huge);
}

TEST(TotalPlaySeconds, SumsFramesPerFrequencyBeforeRounding) {
  std::vector<ListEntry> entries = {EntryOf(1000, 0), EntryOf(1000, 1), EntryOf(1000, 2), EntryOf(1000, 3)};
  EXPECT_EQ(TotalPlaySeconds(entries), 112) << "26.12 + 24 + 36 + 26.12 s";
  // 14 frames at 32 kHz are 0.504 s: one frame less would round to 0.
  entries = {EntryOf(14, 2), EntryOf(-1, 2), EntryOf(-5000, 0), EntryOf(std::numeric_limits<std::int32_t>::min(), 1)};
  EXPECT_EQ(TotalPlaySeconds(entries), 1) << "undetermined frames do not reduce the total";
  entries.assign(4, EntryOf(std::numeric_limits<std::int32_t>::max(), 2));
  EXPECT_EQ(TotalPlaySeconds(entries), 309237645) << "no overflow";
}

TEST(FormatTotalDuration, SingularNamesAndTheClockStyle) {
  AppOptions options{};
  options.Dialog.ViewerTotalTimeStyle = 6;  // only the low two bits of the style count
  EXPECT_EQ(FormatTotalDuration(90061, FieldStyleOf(options, "")), ", 1 day 1 hour 1 minute 1 second )");
  options.Dialog.ViewerTotalTimeStyle = 0;
  EXPECT_EQ(FormatTotalDuration(7200, FieldStyleOf(options, "")) + FormatTotalDuration(-1, FieldStyleOf(options, "")),
            ", 02:00:00))");
}

}  // namespace
}  // namespace ordonna
