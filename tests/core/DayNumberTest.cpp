// The day-number calendar: day 0 is 30 December 1899; 1..2,958,465 are determined.
#include "core/DayNumber.h"

#include <gtest/gtest.h>

namespace ordonna {
namespace {

void ExpectDate(std::int32_t day, int year, int month, int dayOfMonth) {
  auto date = DecodeDayNumber(day);
  ASSERT_TRUE(date.has_value()) << day;
  EXPECT_EQ(date->Year, year) << day;
  EXPECT_EQ(date->Month, month) << day;
  EXPECT_EQ(date->Day, dayOfMonth) << day;
  EXPECT_EQ(EncodeDayNumber(*date), day);
}

TEST(DayNumber, KnownDates) {
  ExpectDate(1, 1899, 12, 31);
  ExpectDate(2, 1900, 1, 1);
  ExpectDate(61, 1900, 3, 1);  // 1900 is not a leap year
  ExpectDate(25569, 1970, 1, 1);
  ExpectDate(38082, 2004, 4, 5);
  ExpectDate(36585, 2000, 2, 29);
  ExpectDate(2958465, 9999, 12, 31);
}

TEST(DayNumber, OutsideTheRangeIsNotDetermined) {
  EXPECT_FALSE(DecodeDayNumber(0));
  EXPECT_FALSE(DecodeDayNumber(-1));
  EXPECT_FALSE(DecodeDayNumber(2958466));
  EXPECT_FALSE(DecodeDayNumber(INT32_MIN));
  EXPECT_FALSE(EncodeDayNumber({2001, 2, 29}));
  EXPECT_FALSE(EncodeDayNumber({2004, 13, 1}));
  EXPECT_FALSE(EncodeDayNumber({10000, 1, 1}));
  EXPECT_EQ(EncodeDayNumber({1899, 12, 30}), 0);
}

TEST(DayNumber, EveryDayRoundTrips) {
  for (std::int32_t day = 1; day <= 2958465; day += 7) {
    auto date = DecodeDayNumber(day);
    ASSERT_TRUE(date);
    ASSERT_EQ(EncodeDayNumber(*date), day);
  }
}

TEST(DayNumber, LocalDateOfAMomentDropsTheTimeOfDay) {
  std::tm noon{};
  noon.tm_year = 2004 - 1900;
  noon.tm_mon = 3;
  noon.tm_mday = 5;
  noon.tm_hour = 23;
  noon.tm_min = 59;
  noon.tm_isdst = -1;
  EXPECT_EQ(LocalDayNumber(std::mktime(&noon)), 38082);
  EXPECT_GT(TodayDayNumber(), 45000);
}

}  // namespace
}  // namespace ordonna
