// The documented cases of line parsing, date resolution and column resolution.
#include <gtest/gtest.h>

#include <tuple>

#include "export/ExportTestUtil.h"
#include "import/ColumnResolution.h"
#include "import/DateResolution.h"
#include "import/LineParser.h"

namespace ordonna::testing {
namespace {

using C = ColumnCode;

// The entry read from line 3 as Describe writes it, or the error text.
std::string Read(std::string_view line, std::vector<ColumnCode> order, std::uint8_t delimiter = 0,
                 std::uint8_t dateAddedFallback = 1) {
  DateTable dates;
  LineLayout layout;
  layout.Order = std::move(order);
  layout.DelimiterCode = delimiter;
  layout.DateAddedFallback = dateAddedFallback;
  layout.Today = 45000;
  ListEntry entry{};
  Status status = LineParser(layout, dates).ParseImportLine(line, 3, 0, entry);
  return status.ok() ? Describe(entry) : status.message();
}

TEST(LineParsing, FieldsComeFromTheRightAndErrorsNameTheLineAndShowTheField) {
  const std::string fields = std::string(255, 'n') + ", /" + std::string(254, 'p') + ", " + std::string(255, 'l') + ",";
  const std::vector<ColumnCode> wide = {C::PlayTime, C::VolumeLabel, C::Path, C::FileName};
  const std::string shown = " (line 3). Displaying [some of] it:\r\n";
  struct Case {
    std::vector<ColumnCode> Order;
    std::string Line;
    std::string Result;  // the fields after the name, or the error text
    std::uint8_t Delimiter = 0, DateAddedFallback = 1;
  };
  const std::vector<ColumnCode> bitrate = {C::Bitrate, C::FileName}, timed = {C::PlayTime, C::FileName};
  const Case cases[] = {
      // a name keeps the delimiter it holds; 725 s at 44.1 kHz
      {{C::Size, C::Bitrate, C::PlayTime, C::FileName},
       "Hello, world, 12:5, 320 kbps, 7132K",
       "Hello, world|||14 7132 27754 4 255 -1 -1"},
      // ??:?? is an absent time; without a date-added column today's date is written
      {{C::PlayTime, C::Bitrate, C::FileName}, "(Name) (320kbps) (?\?:?\?)", "Name|||14 -1 -1 4 255 -1 45000", 1, 0},
      {{C::Frequency, C::StereoMode, C::FileName}, "Name\t\t48.0", "Name|||255 -1 -1 4 1 -1 -1", 4},
      // the unit in any letter case, and only the whole unit
      {bitrate, "Name, 128 KBPS", "Name|||9 -1 -1 4 255 -1 -1"},
      {bitrate, "Name, VAR.Kbps", "Name|||16 -1 -1 4 255 -1 -1"},
      {bitrate, "Name, 128 kbp", "Name|||255 -1 -1 4 255 -1 -1"},
      {timed, "Name, 12:60", "Can't read seconds" + shown + "60"},
      {{C::Size, C::FileName}, "Name, 9999999999K", "Can't read filesize" + shown + "9999999999K"},
      {{C::Size, C::FileName},
       "Name only",
       "Invalid no. of delimiters in the line 3.\r\nDisplaying [some of] it:\r\nName only"},
      {{C::FileName}, "ab", "Too short line found. Content:\r\nab"},
      {{C::FileName}, std::string(1023, 'a') + ", 1:00", "Line 3 too long (1029 by"},
      {wide, fields + std::string(250, ' ') + "1:00", "Line 3 too long (1024 by"},
  };
  for (const Case& c : cases) {
    std::string got = Read(c.Line, c.Order, c.Delimiter, c.DateAddedFallback);
    if (c.Result.starts_with("Line 3 too long")) got.resize(c.Result.size());  // the rest is the line itself
    EXPECT_EQ(got, c.Result) << c.Line.substr(0, 40);
  }
  EXPECT_EQ(Read(fields + std::string(249, ' ') + "1:00", wide).substr(0, 2), "nn") << "1,023 characters are read";
}

TEST(DateResolution, ParseDateLearnsTheRolesOfThePositions) {
  DateTable table;
  EXPECT_TRUE(table.ParseDate("24.12.2003", DateSlot::Created, 0, 1));
  EXPECT_TRUE(table.ParseDate("03.01.2004", DateSlot::Created, 1, 2));
  EXPECT_EQ(table.Roles(), (DatePartRoles{1, 0, 2})) << "day-month-year";
  ScriptedCaller caller;
  DateResolution r = ResolveDateOrder(table.Roles(), {kDateStyleUnknown, 0, 1, "%d/%m/%Y"}, caller);
  EXPECT_EQ(std::tuple(r.Outcome, +r.Order.Day, +r.Order.Month), std::tuple(DateOutcome::Resolved, 0, 1));

  // 13 is the least day, 12 the greatest month; 31 the greatest day, 32 the least year.
  const std::pair<const char*, DatePartRoles> rolesOf[] = {{"12/24/2003", {0, 1, 2}}, {"2003-12-24", {2, 0, 1}},
                                                           {"13.12.2003", {1, 0, 2}}, {"12.12.2003", {0, 0, 2}},
                                                           {"31.12.32", {1, 0, 2}},   {"1.1.2099", {0, 0, 2}}};
  for (const auto& [field, roles] : rolesOf) {
    DateTable other;
    EXPECT_TRUE(other.ParseDate(field, DateSlot::Created, 0, 1));
    EXPECT_EQ(other.Roles(), roles) << field;
  }

  DateTable invalid;
  for (std::string_view field : {"0.1.2004", "1.1.2100", "24.25.2003", "01.02.03"}) {
    EXPECT_FALSE(invalid.ParseDate(field, DateSlot::Created, 0, 1)) << field;
  }
  EXPECT_TRUE(invalid.ParseDate("01.02.2003", DateSlot::Created, 0, 1));
  EXPECT_TRUE(invalid.ParseDate("01.02.03", DateSlot::Created, 1, 2)) << "valid once the year position is known";
  EXPECT_FALSE(invalid.ParseDate("2003.02.01", DateSlot::Created, 2, 3)) << "year first after year last";
}

TEST(DateResolution, OpenDayAndMonthFollowTagOptionsOrQuestion) {
  const DatePartRoles yearLast{0, 0, 2};
  ScriptedCaller caller;
  DateResolution r = ResolveDateOrder(yearLast, {2, 0, 1, ""}, caller);
  EXPECT_EQ(std::tuple(r.Outcome, +r.Order.Month), std::tuple(DateOutcome::Resolved, 0)) << "style 2: month first";
  caller.Expect({}, Answer::Yes);
  EXPECT_EQ(ResolveDateOrder(yearLast, {3, 0, 1, ""}, caller).Outcome, DateOutcome::LeaveUnknown);

  caller.Expect({}, Answer::Yes);  // does the day go first?
  EXPECT_EQ(+ResolveDateOrder(yearLast, {kDateStyleUnknown, 1, 1, ""}, caller).Order.Day, 0);
  EXPECT_TRUE(caller.AllAnswered());
}

TEST(ColumnResolution, FindsDelimiterColumnsAndReportsBadLists) {
  ScriptedCaller caller;
  ResolvedColumns r;
  std::string text;
  for (int i = 1; i <= 10; ++i) {
    text += std::string(i % 2 ? "Some, artist" : "Some artist") + " - song " + std::to_string(i) + ", 3:4" +
            std::to_string(i % 10) + ", 128 " + (i % 2 ? "kbps" : "KBps") + ", /music/a b\r\n";
  }
  ASSERT_TRUE(ResolveColumns(text, "%d/%m/%Y", caller, r).ok());
  EXPECT_EQ(r.Order, (std::vector<ColumnCode>{C::Path, C::Bitrate, C::PlayTime, C::FileName}))
      << "the smallest comma count decides; the extra commas stay in the names";

  std::string tabs = "Name\tof\t3:45\t128 kbps\r\n";
  for (int i = 0; i < 9; ++i) tabs += "Name of a song\t3:45\t128 kbps\r\n";
  EXPECT_EQ(ResolveColumns(tabs, "", caller, r).message(), "Variable number of tabs per line.");

  // The numbers in a column of their own are read past.
  std::string numbered;
  for (int i = 1; i <= 10; ++i) {
    numbered += "Some artist - song number " + std::to_string(i) + ", " + std::to_string(i) + "., 3:45, 128 kbps\r\n";
  }
  ASSERT_TRUE(ResolveColumns(numbered, "", caller, r).ok());
  EXPECT_EQ(r.Order, (std::vector<ColumnCode>{C::Bitrate, C::PlayTime, C::Number, C::FileName}));
  EXPECT_TRUE(r.Fields.NumberColumn);
  EXPECT_FALSE(r.Fields.Enumerate) << "the names keep their text up to a period";
  EXPECT_EQ(Read("Mr. Song, 3., 3:45, 128 kbps", r.Order).substr(0, 9), "Mr. Song|");
}

}  // namespace
}  // namespace ordonna::testing
