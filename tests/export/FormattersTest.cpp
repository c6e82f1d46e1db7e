// Field formatters: every style, every undetermined value, and the texts exports depend on.
#include "export/Formatters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "config/AppOptions.h"
#include "export/FieldStyle.h"

namespace ordonna {
namespace {

FieldStyle ErrorStyle(std::uint8_t errorInfoStyle) {
  FieldStyle style;
  style.ErrorInfoStyle = errorInfoStyle;
  return style;
}

FieldStyle VbrStyle(std::uint8_t vbrStyle) {
  FieldStyle style;
  style.VbrStyle = vbrStyle;
  return style;
}

FieldStyle DateStyle(std::uint8_t dateStyle, std::string localeFormat = "%m/%d/%y") {
  FieldStyle style;
  style.DateStyle = dateStyle;
  style.LocaleDateFormat = std::move(localeFormat);
  return style;
}

FieldStyle PadTo(std::uint8_t width) {
  FieldStyle style;
  style.PadFilenameTo = width;
  return style;
}

FieldStyle TotalStyle(std::uint8_t totalStyle) {
  FieldStyle style;
  style.ViewerTotalTimeStyle = totalStyle;
  return style;
}

ListEntry EntryOf(std::int32_t frames, std::uint8_t frequencyCode) {
  ListEntry entry = UndeterminedEntry();
  entry.Frames = frames;
  entry.FrequencyCode = frequencyCode;
  return entry;
}

constexpr std::int32_t kFifthApril2004 = 38082;

TEST(FormatPlayTime, RoundsHalvesToEvenAndWritesMinutesWithoutHours) {
  FieldStyle style;
  EXPECT_EQ(FormatPlayTime(2297, 0, style), "1:00");
  EXPECT_EQ(FormatPlayTime(0, 0, style), "0:00");
  EXPECT_EQ(FormatPlayTime(1000, 0, style), "0:26");
  EXPECT_EQ(FormatPlayTime(1000, 2, style), "0:36");
  EXPECT_EQ(FormatPlayTime(1000, 3, style), "0:26") << "an unknown frequency counts as 44.1 kHz";
  EXPECT_EQ(FormatPlayTime(125, 2, style), "0:04") << "4.5 s rounds to the even 4";
  EXPECT_EQ(FormatPlayTime(625, 2, style), "0:22") << "22.5 s rounds to the even 22";
  EXPECT_EQ(FormatPlayTime(187500, 1, style), "75:00");
  EXPECT_EQ(FormatPlayTime(std::numeric_limits<std::int32_t>::max(), 2, style), "1288490:11");
}

TEST(FormatPlayTime, UndeterminedFramesFollowErrorInfoStyle) {
  EXPECT_EQ(FormatPlayTime(-1, 0, ErrorStyle(0)), "");
  EXPECT_EQ(FormatPlayTime(-1, 0, ErrorStyle(1)), "??:??");
  EXPECT_EQ(FormatPlayTime(-1, 0, ErrorStyle(2)), "--:--");
  EXPECT_EQ(FormatPlayTime(-7, 1, ErrorStyle(3)), "??:??") << "an out-of-range style reads as question marks";
}

TEST(PlaySeconds, IsTheUnroundedProductAndZeroForNoFrames) {
  EXPECT_DOUBLE_EQ(PlaySeconds(125, 2), 4.5);
  EXPECT_DOUBLE_EQ(PlaySeconds(1000, 1), 24.0);
  EXPECT_DOUBLE_EQ(PlaySeconds(2297, 0), 60.003265306122366);
  EXPECT_EQ(PlaySeconds(0, 0), 0.0);
  EXPECT_EQ(PlaySeconds(-1, 2), 0.0);
}

TEST(Bitrate, ConstantBitratesInAllThreeForms) {
  FieldStyle style;
  EXPECT_EQ(FormatKbpsPadded(1, style), " 32");
  EXPECT_EQ(FormatKbpsUnit(1, style), " 32 kbps");
  EXPECT_EQ(FormatKbpsCompact(1, style), "32");
  EXPECT_EQ(FormatKbpsPadded(9, style), "128");
  EXPECT_EQ(FormatKbpsUnit(9, style), "128 kbps");
  EXPECT_EQ(FormatKbpsCompact(9, style), "128");
  EXPECT_EQ(FormatKbpsUnit(14, style), "320 kbps");
  EXPECT_EQ(FormatKbpsCompact(6, style), "80");
}

TEST(Bitrate, VariableBitrateByEveryVbrStyle) {
  struct Case { std::uint8_t Style; const char* Padded; const char* Unit; const char* Compact; };
  const Case cases[] = {{0, "var", "var.kbps", "var"}, {1, "VAR", "VAR.kbps", "VAR"}, {2, "vbr", "vbr", "vbr"},
                        {3, "VBR", "VBR", "VBR"},      {5, "VAR", "VAR.kbps", "VAR"}};
  for (const Case& c : cases) {
    SCOPED_TRACE("VbrStyle " + std::to_string(c.Style));
    EXPECT_EQ(FormatKbpsPadded(16, VbrStyle(c.Style)), c.Padded);
    EXPECT_EQ(FormatKbpsUnit(16, VbrStyle(c.Style)), c.Unit);
    EXPECT_EQ(FormatKbpsCompact(16, VbrStyle(c.Style)), c.Compact);
  }
}

TEST(Bitrate, UndeterminedCodesByEveryErrorInfoStyle) {
  for (std::uint8_t code : {0, 15, 17, 255}) {
    SCOPED_TRACE("code " + std::to_string(code));
    EXPECT_EQ(FormatKbpsPadded(code, ErrorStyle(0)), "   ");
    EXPECT_EQ(FormatKbpsUnit(code, ErrorStyle(0)), "");
    EXPECT_EQ(FormatKbpsCompact(code, ErrorStyle(0)), "");
    EXPECT_EQ(FormatKbpsPadded(code, ErrorStyle(1)), "  ?");
    EXPECT_EQ(FormatKbpsUnit(code, ErrorStyle(1)), "? kbps");
    EXPECT_EQ(FormatKbpsCompact(code, ErrorStyle(1)), "?");
    EXPECT_EQ(FormatKbpsPadded(code, ErrorStyle(2)), "  -");
    EXPECT_EQ(FormatKbpsUnit(code, ErrorStyle(2)), "- kbps");
    EXPECT_EQ(FormatKbpsCompact(code, ErrorStyle(2)), "-");
  }
}

TEST(Frequency, ThreeFormsIgnoringErrorInfoStyle) {
  EXPECT_EQ(FormatFreqShort(0), "44.1");
  EXPECT_EQ(FormatFreqUnit(0), "44.1 KHz");
  EXPECT_EQ(FormatFreqPadded(0), " 44.1 ");
  EXPECT_EQ(FormatFreqShort(1), "48.0");
  EXPECT_EQ(FormatFreqUnit(1), "48.0 KHz");
  EXPECT_EQ(FormatFreqPadded(1), " 48.0 ");
  EXPECT_EQ(FormatFreqShort(2), "32.0");
  EXPECT_EQ(FormatFreqUnit(2), "32.0 KHz");
  EXPECT_EQ(FormatFreqPadded(2), " 32.0 ");
  for (std::uint8_t code : {3, 200}) {
    EXPECT_EQ(FormatFreqShort(code), "?");
    EXPECT_EQ(FormatFreqUnit(code), "? KHz");
    EXPECT_EQ(FormatFreqPadded(code), " ? ");
  }
}

TEST(FormatStereo, ShortAndLongNamesAndUndeterminedModes) {
  FieldStyle shortNames;
  FieldStyle longNames;
  longNames.StereoStyle = 1;
  EXPECT_EQ(FormatStereo(0, shortNames), "S");
  EXPECT_EQ(FormatStereo(1, shortNames), "JS");
  EXPECT_EQ(FormatStereo(2, shortNames), "DC");
  EXPECT_EQ(FormatStereo(3, shortNames), "M");
  EXPECT_EQ(FormatStereo(0, longNames), "stereo");
  EXPECT_EQ(FormatStereo(1, longNames), "joint stereo");
  EXPECT_EQ(FormatStereo(2, longNames), "dual channel");
  EXPECT_EQ(FormatStereo(3, longNames), "mono");
  EXPECT_EQ(FormatStereo(4, ErrorStyle(0)), "");
  EXPECT_EQ(FormatStereo(4, ErrorStyle(1)), "?");
  EXPECT_EQ(FormatStereo(255, ErrorStyle(2)), "-");
}

TEST(FormatSize, EverySizeStyleUnitAlsoBehindMarks) {
  const char* numbers[] = {"5000", "5000 K", "5000K", "5000 Kb", "5000Kb"};
  const char* questions[] = {"?", "? K", "?K", "? Kb", "?Kb"};
  const char* hyphens[] = {"-", "- K", "-K", "- Kb", "-Kb"};
  for (std::uint8_t unit = 0; unit < 5; ++unit) {
    SCOPED_TRACE("SizeStyle " + std::to_string(unit));
    FieldStyle style;
    style.SizeStyle = unit;
    EXPECT_EQ(FormatSize(5000, style), numbers[unit]);
    style.ErrorInfoStyle = 1;
    EXPECT_EQ(FormatSize(-1, style), questions[unit]);
    style.ErrorInfoStyle = 2;
    EXPECT_EQ(FormatSize(-1, style), hyphens[unit]);
    style.ErrorInfoStyle = 0;
    EXPECT_EQ(FormatSize(-1, style), "") << "an omitted size has no unit either";
  }
  FieldStyle style;
  style.SizeStyle = 9;
  EXPECT_EQ(FormatSize(0, style), "0 K") << "an out-of-range unit reads as space and K";
}

TEST(FormatDate, DottedStylesWriteTwoDigitDayAndMonthAndTheFullYear) {
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(1)), "05.04.2004.");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(2)), "04.05.2004.");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(3)), "2004.04.05.");
  EXPECT_EQ(FormatDate(1, DateStyle(1)), "31.12.1899.");
  EXPECT_EQ(FormatDate(2958465, DateStyle(3)), "9999.12.31.");
}

TEST(FormatDate, LocaleFormatWritesYearsInFull) {
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "%m/%d/%y")), "04/05/2004");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "%d.%m.%Y")), "05.04.2004");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "%Y-%m-%d")), "2004-04-05");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "%e/%m/%Ey")), " 5/04/2004");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "%-d/%_m/%Oy")), "05/04/2004");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "%D")), "04/05/2004");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "%F")), "2004-04-05");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "%d%%%m%%%Y")), "05%04%2004");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "%d.%m.%Y %H:%M%")), "05.04.2004 :")
      << "time conversions and a dangling % are left out";
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(7, "%d.%m.%Y")), "05.04.2004")
      << "an out-of-range style reads as the locale's";
}

TEST(FormatDate, LocaleFormatWithoutADateFallsBackAndIsCut) {
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "")), "04/05/2004");
  EXPECT_EQ(FormatDate(kFifthApril2004, DateStyle(0, "%H:%M")), "04/05/2004");
  std::string longDate = FormatDate(kFifthApril2004, DateStyle(0, "%d" + std::string(300, 'x')));
  EXPECT_EQ(longDate.size(), 255u);
  EXPECT_EQ(longDate.substr(0, 4), "05xx");
}

TEST(FormatDate, DayNumbersOutsideTheCalendarAreUndetermined) {
  for (std::int32_t day : {0, -1, 2958466, std::numeric_limits<std::int32_t>::max()}) {
    SCOPED_TRACE("day " + std::to_string(day));
    EXPECT_EQ(FormatDate(day, ErrorStyle(0)), "");
    EXPECT_EQ(FormatDate(day, ErrorStyle(1)), "?");
    EXPECT_EQ(FormatDate(day, ErrorStyle(2)), "-");
  }
}

TEST(SplitName, SplitsAtTheFirstSeparatorByPriority) {
  struct Case { const char* Name; const char* Artist; const char* Title; };
  const Case cases[] = {
      {"Band -Song", "Band", "Song"},
      {"Band- Song", "Band", "Song"},
      {"Up-Down - Song", "Up-Down", "Song"},
      {"A - B - C", "A", "B - C"},
      {"Band -  Song", "Band", " Song"},
      {"ab-cd", "ab", "cd"},
      {"a-bc", "", "a-bc"},
      {"\xC3\xA9-bc", "", "\xC3\xA9-bc"},  // four characters in five bytes
      {"Overture", "", "Overture"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    ArtistAndTitle split = SplitName(c.Name);
    EXPECT_EQ(split.Artist, c.Artist) << "name '" << c.Name << "'";
    EXPECT_EQ(split.Title, c.Title) << "name '" << c.Name << "'";
  }
}

TEST(HtmlEscapeCell, EscapesThenAlternatesSpacePositions) {
  EXPECT_EQ(HtmlEscapeCell("a\"b&c<d>e"), "a&quot;b&amp;c&lt;d&gt;e");
  EXPECT_EQ(HtmlEscapeCell("a    b"), "a &nbsp; &nbsp;b");
  EXPECT_EQ(HtmlEscapeCell("  x"), " &nbsp;x");
  EXPECT_EQ(HtmlEscapeCell("a  b  c"), "a &nbsp;b &nbsp;c") << "a character resets the alternation";
  EXPECT_EQ(HtmlEscapeCell(std::string("a\0\xFF b", 5)), "a &nbsp; b") << "bytes 0 and 255 are space positions";
  EXPECT_EQ(HtmlEscapeCell("R&  B"), "R&amp; &nbsp;B");
}

TEST(HtmlEscapeText, EscapesMarkupAndZeroBytesOnly) {
  EXPECT_EQ(HtmlEscapeText("<a href=\"x\">&"), "&lt;a href=&quot;x&quot;&gt;&amp;");
  EXPECT_EQ(HtmlEscapeText(std::string("a\0b", 3)), "a&nbsp;b");
  EXPECT_EQ(HtmlEscapeText("  \xFF\xC3\xA9  "), "  \xFF\xC3\xA9  ");
}

TEST(HtmlSpaces, ToggleStartsWithNbspAndEveryCharacterResetsIt) {
  EXPECT_EQ(HtmlSpaces("  a   b"), "&nbsp; a &nbsp; b");
  EXPECT_EQ(HtmlSpaces(" x"), "&nbsp;x");
  EXPECT_EQ(HtmlSpaces("a b"), "a b");
  EXPECT_EQ(HtmlSpaces(""), "");
}

TEST(HtmlEscaping, LongFolderFullOfAmpersandsKeepsEveryEntity) {
  const std::string folder(255, '&');
  std::string expected;
  for (int i = 0; i < 255; ++i) expected += "&amp;";
  EXPECT_EQ(HtmlEscapeText(folder), expected);
  EXPECT_EQ(HtmlEscapeCell(folder), expected);
  EXPECT_EQ(HtmlSpaces(expected), expected);
  EXPECT_EQ(PadName(expected, PadTo(99)), expected);
  EXPECT_EQ(VisibleLength(expected), 255u);
}

TEST(VisibleLength, CountsCharactersAndEntitiesAsOne) {
  EXPECT_EQ(VisibleLength("Salt &amp; Pepper"), 13u);
  EXPECT_EQ(VisibleLength("&quot;x&quot;"), 3u);
  EXPECT_EQ(VisibleLength("&amp;amp;"), 5u);
  EXPECT_EQ(VisibleLength("\xC3\x9C" "bel"), 4u) << "UTF-8 characters, not bytes";
  EXPECT_EQ(VisibleLength("\xE9t\xE9"), 3u) << "each invalid byte is one character";
  EXPECT_EQ(VisibleLength(std::string(32768, 'a')), 32768u);
  EXPECT_EQ(VisibleLength(std::string(32769, 'a')), 0u);
}

TEST(PadName, FillsToTheVisibleWidthByCharacters) {
  EXPECT_EQ(PadName("Salt &amp; Pepper", PadTo(10)), "Salt &amp; Pepper");
  EXPECT_EQ(PadName("AB", PadTo(10)), "AB        ");
  EXPECT_EQ(PadName("AB", PadTo(0)), "AB");
  EXPECT_EQ(PadName("&amp;", PadTo(3)), "&amp;  ");
  EXPECT_EQ(PadName("\xC3\x9C" "b\xC3\xA9r", PadTo(6)), "\xC3\x9C" "b\xC3\xA9r  ");
  EXPECT_EQ(PadName("\xE9t\xE9", PadTo(5)), "\xE9t\xE9  ");
  const std::string huge(40000, 'a');
  EXPECT_EQ(PadName(huge, PadTo(10)), huge) << "a text past the counting limit is wider, not empty";
}

TEST(TotalPlaySeconds, SumsFramesPerFrequencyBeforeRounding) {
  EXPECT_EQ(TotalPlaySeconds({}), 0);
  std::vector<ListEntry> entries(10, EntryOf(20, 0));  // 0.52 s each, 5.22 s together
  EXPECT_EQ(TotalPlaySeconds(entries), 5);
  entries = {EntryOf(1000, 0), EntryOf(1000, 1), EntryOf(1000, 2), EntryOf(1000, 3)};
  EXPECT_EQ(TotalPlaySeconds(entries), 112) << "26.12 + 24 + 36 + 26.12 s";
  entries = {EntryOf(125, 2)};
  EXPECT_EQ(TotalPlaySeconds(entries), 4) << "halves round to even";
}

TEST(TotalPlaySeconds, UndeterminedFramesDoNotReduceTheTotal) {
  // 14 frames at 32 kHz are 0.504 s: one frame less would round to 0.
  std::vector<ListEntry> entries = {EntryOf(14, 2), EntryOf(-1, 2), EntryOf(-5000, 0),
                                    EntryOf(std::numeric_limits<std::int32_t>::min(), 1)};
  EXPECT_EQ(TotalPlaySeconds(entries), 1);
}

TEST(TotalPlaySeconds, LargeSumsDoNotOverflow) {
  const std::int32_t most = std::numeric_limits<std::int32_t>::max();
  std::vector<ListEntry> entries(4, EntryOf(most, 2));
  EXPECT_EQ(TotalPlaySeconds(entries), 309237645);
}

TEST(FormatTotalDuration, OneDayOneHourOneMinuteOneSecondInEveryStyle) {
  const std::int64_t total = 90061;
  EXPECT_EQ(FormatTotalDuration(total, TotalStyle(0)), ", 1.01:01:01)");
  EXPECT_EQ(FormatTotalDuration(total, TotalStyle(1)), ", 25:01:01)");
  EXPECT_EQ(FormatTotalDuration(total, TotalStyle(2)), ", 1 day 1 hour 1 minute 1 second )");
  EXPECT_EQ(FormatTotalDuration(total, TotalStyle(3)), ", 25 hours 1 minute 1 second )");
  EXPECT_EQ(FormatTotalDuration(total, TotalStyle(6)), ", 1 day 1 hour 1 minute 1 second )")
      << "only the low two bits of the style count";
}

TEST(FormatTotalDuration, PluralsAndZeroParts) {
  const std::int64_t twoDaysThreeHoursFiveSeconds = 183605;
  EXPECT_EQ(FormatTotalDuration(twoDaysThreeHoursFiveSeconds, TotalStyle(0)), ", 2.03:00:05)");
  EXPECT_EQ(FormatTotalDuration(twoDaysThreeHoursFiveSeconds, TotalStyle(1)), ", 51:00:05)");
  EXPECT_EQ(FormatTotalDuration(twoDaysThreeHoursFiveSeconds, TotalStyle(2)),
            ", 2 days 3 hours 0 minutes 5 seconds )");
  EXPECT_EQ(FormatTotalDuration(twoDaysThreeHoursFiveSeconds, TotalStyle(3)), ", 51 hours 0 minutes 5 seconds )");

  EXPECT_EQ(FormatTotalDuration(86400, TotalStyle(0)), ", 1.00:00:00)");
  EXPECT_EQ(FormatTotalDuration(86400, TotalStyle(2)), ", 1 day 0 hours 0 minutes )");
  EXPECT_EQ(FormatTotalDuration(7200, TotalStyle(0)), ", 02:00:00)");
  EXPECT_EQ(FormatTotalDuration(7200, TotalStyle(1)), ", 2:00:00)");
  EXPECT_EQ(FormatTotalDuration(7200, TotalStyle(3)), ", 2 hours 0 minutes )");
  EXPECT_EQ(FormatTotalDuration(120, TotalStyle(0)), ", 02:00)");
  EXPECT_EQ(FormatTotalDuration(120, TotalStyle(2)), ", 2 minutes )");
  EXPECT_EQ(FormatTotalDuration(120, TotalStyle(3)), ", 2 minutes )");
  EXPECT_EQ(FormatTotalDuration(1, TotalStyle(2)), ", 1 second )");
  EXPECT_EQ(FormatTotalDuration(59, TotalStyle(3)), ", 59 seconds )");
}

TEST(FormatTotalDuration, ZeroAndNegativeTotals) {
  EXPECT_EQ(FormatTotalDuration(0, TotalStyle(0)), ", 00:00)");
  EXPECT_EQ(FormatTotalDuration(0, TotalStyle(1)), ", 00:00)");
  EXPECT_EQ(FormatTotalDuration(0, TotalStyle(2)), ", 0 seconds )");
  EXPECT_EQ(FormatTotalDuration(0, TotalStyle(3)), ", 0 seconds )");
  EXPECT_EQ(FormatTotalDuration(-1, TotalStyle(0)), ")");
}

TEST(FieldStyleOf, TakesEachOptionFromItsOwnField) {
  AppOptions options{};
  options.Main.DateStyle = 3;
  options.Main.SizeStyle = 4;
  options.Main.StereoStyle = 1;
  options.Main.VbrStyle = 2;
  options.Main.ErrorInfoStyle = 0;
  options.Main.PadFilenameTo = 42;
  options.Dialog.ViewerTotalTimeStyle = 2;
  FieldStyle style = FieldStyleOf(options, "%d.%m.%Y");
  EXPECT_EQ(style.DateStyle, 3);
  EXPECT_EQ(style.SizeStyle, 4);
  EXPECT_EQ(style.StereoStyle, 1);
  EXPECT_EQ(style.VbrStyle, 2);
  EXPECT_EQ(style.ErrorInfoStyle, 0);
  EXPECT_EQ(style.PadFilenameTo, 42);
  EXPECT_EQ(style.ViewerTotalTimeStyle, 2);
  EXPECT_EQ(style.LocaleDateFormat, "%d.%m.%Y");
}

}  // namespace
}  // namespace ordonna
