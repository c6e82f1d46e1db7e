// Field formatters: every style, every undetermined value, and the texts exports depend on.
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

FieldStyle ErrorStyle(std::uint8_t errorInfoStyle) {
  FieldStyle style;
  style.ErrorInfoStyle = errorInfoStyle;
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

ListEntry EntryOf(std::int32_t frames, std::uint8_t frequencyCode) {
  ListEntry entry = UndeterminedEntry();
  entry.Frames = frames;
  entry.FrequencyCode = frequencyCode;
  return entry;
}

constexpr std::int32_t kFifthApril2004 = 38082;

TEST(FormatPlayTime, RoundsHalvesToEvenAndWritesMinutesWithoutHours) {
  // An unknown frequency (3) counts as 44.1 kHz; 4.5 s and 22.5 s round to the even 4 and 22;
  // an out-of-range error style reads as question marks.
  const std::tuple<std::int32_t, std::uint8_t, std::uint8_t, const char*> cases[] = {
      {2297, 0, 1, "1:00"}, {0, 0, 1, "0:00"},   {1000, 2, 1, "0:36"},    {1000, 3, 1, "0:26"},
      {125, 2, 1, "0:04"},  {625, 2, 1, "0:22"}, {187500, 1, 1, "75:00"}, {INT32_MAX, 2, 1, "1288490:11"},
      {-1, 0, 0, ""},       {-1, 0, 1, "??:??"}, {-1, 0, 2, "--:--"},     {-7, 1, 3, "??:??"}};
  for (const auto& [frames, frequency, error, text] : cases) {
    EXPECT_EQ(FormatPlayTime(frames, frequency, ErrorStyle(error)), text) << frames << " " << int(frequency);
  }
  EXPECT_DOUBLE_EQ(PlaySeconds(125, 2), 4.5) << "unrounded";
  EXPECT_EQ(PlaySeconds(-1, 2), 0.0);
}

TEST(Bitrate, EveryCodeInAllThreeFormsByVbrAndErrorStyle) {
  struct Case {
    std::uint8_t Code, Vbr, Error;
    const char *Padded, *Unit, *Compact;
  };
  const Case cases[] = {
      {1, 0, 1, " 32", " 32 kbps", "32"}, {9, 0, 1, "128", "128 kbps", "128"},  {14, 0, 1, "320", "320 kbps", "320"},
      {6, 0, 0, " 80", " 80 kbps", "80"}, {16, 0, 1, "var", "var.kbps", "var"}, {16, 1, 1, "VAR", "VAR.kbps", "VAR"},
      {16, 2, 1, "vbr", "vbr", "vbr"},    {16, 3, 1, "VBR", "VBR", "VBR"},      {16, 5, 1, "VAR", "VAR.kbps", "VAR"},
      {0, 0, 0, "   ", "", ""},           {15, 0, 1, "  ?", "? kbps", "?"},     {17, 0, 2, "  -", "- kbps", "-"},
      {255, 0, 1, "  ?", "? kbps", "?"},  {255, 0, 2, "  -", "- kbps", "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.Code) + " vbr " + std::to_string(c.Vbr));
    FieldStyle style = ErrorStyle(c.Error);
    style.VbrStyle = c.Vbr;
    EXPECT_EQ(FormatKbpsPadded(c.Code, style), c.Padded);
    EXPECT_EQ(FormatKbpsUnit(c.Code, style), c.Unit);
    EXPECT_EQ(FormatKbpsCompact(c.Code, style), c.Compact);
  }
}

TEST(Frequency, ThreeFormsIgnoringErrorInfoStyle) {
  const char* names[] = {"44.1", "48.0", "32.0", "?", "?"};
  const std::uint8_t codes[] = {0, 1, 2, 3, 200};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(FormatFreqShort(codes[i]), names[i]);
    EXPECT_EQ(FormatFreqUnit(codes[i]), std::string(names[i]) + " KHz");
    EXPECT_EQ(FormatFreqPadded(codes[i]), " " + std::string(names[i]) + " ");
  }
}

TEST(FormatStereo, ShortAndLongNamesAndUndeterminedModes) {
  std::string all;
  FieldStyle longStyle;
  longStyle.StereoStyle = 1;
  for (std::uint8_t mode = 0; mode < 4; ++mode)
    all += FormatStereo(mode, FieldStyle{}) + "/" + FormatStereo(mode, longStyle) + ",";
  EXPECT_EQ(all, "S/stereo,JS/joint stereo,DC/dual channel,M/mono,");
  EXPECT_EQ(FormatStereo(4, ErrorStyle(0)) + FormatStereo(4, ErrorStyle(1)) + FormatStereo(255, ErrorStyle(2)), "?-");
}

TEST(FormatSize, EverySizeStyleUnitAlsoBehindMarks) {
  const char* units[] = {"", " K", "K", " Kb", "Kb"};
  for (std::uint8_t unit = 0; unit < 5; ++unit) {
    SCOPED_TRACE("SizeStyle " + std::to_string(unit));
    FieldStyle style;
    style.SizeStyle = unit;
    EXPECT_EQ(FormatSize(5000, style), std::string("5000") + units[unit]);
    style.ErrorInfoStyle = 1;
    EXPECT_EQ(FormatSize(-1, style), std::string("?") + units[unit]);
    style.ErrorInfoStyle = 2;
    EXPECT_EQ(FormatSize(-1, style), std::string("-") + units[unit]);
    style.ErrorInfoStyle = 0;
    EXPECT_EQ(FormatSize(-1, style), "") << "an omitted size has no unit either";
  }
  FieldStyle style;
  style.SizeStyle = 9;
  EXPECT_EQ(FormatSize(0, style), "0 K") << "an out-of-range unit reads as space and K";
}

TEST(FormatDate, DottedStylesAndLocaleFormatsWriteYearsInFull) {
  const std::pair<FieldStyle, const char*> cases[] = {
      {DateStyle(1), "05.04.2004."},
      {DateStyle(2), "04.05.2004."},
      {DateStyle(3), "2004.04.05."},
      {DateStyle(0, "%m/%d/%y"), "04/05/2004"},
      {DateStyle(0, "%e/%m/%Ey"), " 5/04/2004"},
      {DateStyle(0, "%-d/%_m/%Oy"), "05/04/2004"},
      {DateStyle(0, "%d%%%m%%%Y"), "05%04%2004"},
      {DateStyle(0, "%d.%m.%Y %H:%M%"), "05.04.2004 :"},  // time conversions and a dangling % are left out
      {DateStyle(7, "%d.%m.%Y"), "05.04.2004"},           // an out-of-range style reads as the locale's
      {DateStyle(0, ""), "04/05/2004"},
      {DateStyle(0, "%H:%M"), "04/05/2004"}};  // no date conversion: the fallback
  for (const auto& [style, text] : cases) {
    EXPECT_EQ(FormatDate(kFifthApril2004, style), text) << int(style.DateStyle) << " " << style.LocaleDateFormat;
  }
  EXPECT_EQ(FormatDate(1, DateStyle(1)), "31.12.1899.");
  EXPECT_EQ(FormatDate(2958465, DateStyle(3)), "9999.12.31.");
  std::string longDate = FormatDate(kFifthApril2004, DateStyle(0, "%d" + std::string(300, 'x')));
  EXPECT_EQ(longDate.size(), 255u);
  EXPECT_EQ(longDate.substr(0, 4), "05xx");
  for (std::int32_t day : {0, -1, 2958466, std::numeric_limits<std::int32_t>::max()}) {
    EXPECT_EQ(FormatDate(day, ErrorStyle(0)), "") << day;
    EXPECT_EQ(FormatDate(day, ErrorStyle(1)), "?") << day;
    EXPECT_EQ(FormatDate(day, ErrorStyle(2)), "-") << day;
  }
}

TEST(SplitName, SplitsAtTheFirstSeparatorByPriority) {
  // "artist|title"; a name of four characters (here in five bytes) is never split
  const std::pair<const char*, const char*> cases[] = {{"Band -Song", "Band|Song"},
                                                       {"Up-Down - Song", "Up-Down|Song"},
                                                       {"A - B - C", "A|B - C"},
                                                       {"Band -  Song", "Band| Song"},
                                                       {"ab-cd", "ab|cd"},
                                                       {"a-bc", "|a-bc"},
                                                       {"\xC3\xA9-bc", "|\xC3\xA9-bc"},
                                                       {"Overture", "|Overture"},
                                                       {"", "|"}};
  for (const auto& [name, parts] : cases) {
    ArtistAndTitle split = SplitName(name);
    EXPECT_EQ(std::string(split.Artist) + "|" + std::string(split.Title), parts) << name;
  }
}

TEST(HtmlEscaping, MarkupEscapedSpacesMadeVisibleAndNamesPadded) {
  using Escape = std::string (*)(std::string_view);
  const std::tuple<Escape, std::string, std::string> cases[] = {
      {HtmlEscapeCell, "a\"b&c<d>e", "a&quot;b&amp;c&lt;d&gt;e"},
      {HtmlEscapeCell, "a    b", "a &nbsp; &nbsp;b"},
      {HtmlEscapeCell, "a  b  c", "a &nbsp;b &nbsp;c"},             // a character resets the alternation
      {HtmlEscapeCell, std::string("a\0\xFF b", 5), "a &nbsp; b"},  // bytes 0 and 255 are space positions
      {HtmlEscapeCell, "R&  B", "R&amp; &nbsp;B"},
      {HtmlEscapeText, "<a href=\"x\">&", "&lt;a href=&quot;x&quot;&gt;&amp;"},
      {HtmlEscapeText, std::string("a\0b", 3), "a&nbsp;b"},
      {HtmlEscapeText, "  \xFF\xC3\xA9  ", "  \xFF\xC3\xA9  "},  // only markup and zero bytes
      {HtmlSpaces, "  a   b", "&nbsp; a &nbsp; b"},
      {HtmlSpaces, " x", "&nbsp;x"},
  };
  for (const auto& [escape, text, html] : cases) EXPECT_EQ(escape(text), html) << text;

  // Widths count characters and entities, each invalid byte as one; past 32,768 nothing is counted.
  const std::pair<std::string, std::size_t> lengths[] = {
      {"Salt &amp; Pepper", 13},        {"&quot;x&quot;", 3},        {"&amp;amp;", 5}, {"\xE9t\xE9", 3},
      {std::string(32768, 'a'), 32768}, {std::string(32769, 'a'), 0}};
  for (const auto& [text, length] : lengths) EXPECT_EQ(VisibleLength(text), length) << text.substr(0, 20);
  const std::string huge(40000, 'a');  // past the counting limit: wider, not empty
  const std::string uber =
      "\xC3\x9C"
      "b\xC3\xA9r";
  const std::tuple<std::string, std::uint8_t, std::string> padded[] = {{"Salt &amp; Pepper", 10, "Salt &amp; Pepper"},
                                                                       {"AB", 10, "AB        "},
                                                                       {"AB", 0, "AB"},
                                                                       {"&amp;", 3, "&amp;  "},
                                                                       {uber, 6, uber + "  "},
                                                                       {huge, 10, huge}};
  for (const auto& [text, width, result] : padded) EXPECT_EQ(PadName(text, PadTo(width)), result) << text.substr(0, 20);

  const std::string folder(255, '&');
  std::string entities;
  for (int i = 0; i < 255; ++i) entities += "&amp;";
  EXPECT_EQ(HtmlEscapeText(folder), entities);
  EXPECT_EQ(HtmlEscapeCell(folder), entities);
  EXPECT_EQ(HtmlSpaces(entities), entities);
  EXPECT_EQ(PadName(entities, PadTo(99)), entities);
  EXPECT_EQ(VisibleLength(entities), 255u);
}

TEST(TotalPlaySeconds, SumsFramesPerFrequencyBeforeRounding) {
  EXPECT_EQ(TotalPlaySeconds({}), 0);
  std::vector<ListEntry> entries(10, EntryOf(20, 0));  // 0.52 s each, 5.22 s together
  EXPECT_EQ(TotalPlaySeconds(entries), 5);
  entries = {EntryOf(1000, 0), EntryOf(1000, 1), EntryOf(1000, 2), EntryOf(1000, 3)};
  EXPECT_EQ(TotalPlaySeconds(entries), 112) << "26.12 + 24 + 36 + 26.12 s";
  EXPECT_EQ(TotalPlaySeconds(std::vector<ListEntry>{EntryOf(125, 2)}), 4) << "halves round to even";
  // 14 frames at 32 kHz are 0.504 s: one frame less would round to 0.
  entries = {EntryOf(14, 2), EntryOf(-1, 2), EntryOf(-5000, 0), EntryOf(std::numeric_limits<std::int32_t>::min(), 1)};
  EXPECT_EQ(TotalPlaySeconds(entries), 1) << "undetermined frames do not reduce the total";
  entries.assign(4, EntryOf(std::numeric_limits<std::int32_t>::max(), 2));
  EXPECT_EQ(TotalPlaySeconds(entries), 309237645) << "no overflow";
}

TEST(FormatTotalDuration, EveryStylePluralsAndZeroParts) {
  // only the low two bits of the style count
  const std::tuple<std::int64_t, std::uint8_t, const char*> cases[] = {
      {90061, 0, ", 1.01:01:01)"},
      {90061, 1, ", 25:01:01)"},
      {90061, 2, ", 1 day 1 hour 1 minute 1 second )"},
      {90061, 3, ", 25 hours 1 minute 1 second )"},
      {90061, 6, ", 1 day 1 hour 1 minute 1 second )"},
      {183605, 2, ", 2 days 3 hours 0 minutes 5 seconds )"},
      {86400, 2, ", 1 day 0 hours 0 minutes )"},
      {7200, 0, ", 02:00:00)"},
      {7200, 1, ", 2:00:00)"},
      {7200, 3, ", 2 hours 0 minutes )"},
      {120, 0, ", 02:00)"},
      {120, 2, ", 2 minutes )"},
      {120, 3, ", 2 minutes )"},
      {1, 2, ", 1 second )"},
      {0, 1, ", 00:00)"},
      {0, 2, ", 0 seconds )"},
      {-1, 0, ")"}};
  for (const auto& [seconds, style, text] : cases) {
    AppOptions options{};
    options.Dialog.ViewerTotalTimeStyle = style;
    EXPECT_EQ(FormatTotalDuration(seconds, FieldStyleOf(options, "")), text) << seconds << " " << int(style);
  }
}

}  // namespace
}  // namespace ordonna
