// The day-number calendar: day 0 is 30 December 1899; 1..2,958,465 are determined.
#include "core/DayNumber.h"

#include <gtest/gtest.h>

#include <tuple>

namespace ordonna {
namespace {

TEST(DayNumber, KnownDatesTheEndsOfTheRangeAndRoundTrips) {
  struct Case {
    std::int32_t Day;
    int Year, Month, DayOfMonth;
  };
  const Case cases[] = {{1, 1899, 12, 31},   {2, 1900, 1, 1},      {61, 1900, 3, 1} /* 1900 is no leap year */,
                        {38082, 2004, 4, 5}, {36585, 2000, 2, 29}, {2958465, 9999, 12, 31}};
  for (const Case& c : cases) {
    auto date = DecodeDayNumber(c.Day);
    ASSERT_TRUE(date.has_value()) << c.Day;
    EXPECT_EQ(std::tuple(+date->Year, +date->Month, +date->Day), std::tuple(c.Year, c.Month, c.DayOfMonth)) << c.Day;
    EXPECT_EQ(EncodeDayNumber(*date), c.Day);
  }
  for (std::int32_t day : {0, -1, 2958466, INT32_MIN}) EXPECT_FALSE(DecodeDayNumber(day)) << day;
  for (CivilDate bad : {CivilDate{1900, 2, 29}, {2004, 13, 1}, {10000, 1, 1}}) EXPECT_FALSE(EncodeDayNumber(bad));
  EXPECT_EQ(EncodeDayNumber({1899, 12, 30}), 0);
  for (std::int32_t day = 1; day <= 2958465; day += 7) {
    auto date = DecodeDayNumber(day);
    ASSERT_TRUE(date);
    ASSERT_EQ(EncodeDayNumber(*date), day) << "every day round trips";
  }
}

TEST(DayNumber, LocalDateOfAMomentDropsTheTimeOfDay) {
  std::tm lateEvening{};
  lateEvening.tm_year = 2004 - 1900, lateEvening.tm_mon = 3, lateEvening.tm_mday = 5;
  lateEvening.tm_hour = 23, lateEvening.tm_min = 59, lateEvening.tm_isdst = -1;
  EXPECT_EQ(LocalDayNumber(std::mktime(&lateEvening)), 38082);
  EXPECT_GT(TodayDayNumber(), 45000);
}

}  // namespace
}  // namespace ordonna
