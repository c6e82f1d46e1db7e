// Dates as whole days counted from 30 December 1899 (day 1 is 31 December 1899), in local
// time. Day numbers outside 1..2,958,465 (31 December 9999) are not a determined date.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace ordonna {

inline constexpr std::int32_t kFirstDayNumber = 1;
inline constexpr std::int32_t kLastDayNumber = 2958465;

struct CivilDate {
  int Year;
  int Month;  // 1..12
  int Day;    // 1..31
};

// The date of a day number, or nothing outside 1..2,958,465.
std::optional<CivilDate> DecodeDayNumber(std::int32_t dayNumber);

// The day number of a valid proleptic Gregorian date in years 1..9999, else nothing.
std::optional<std::int32_t> EncodeDayNumber(const CivilDate& date);

// The local date of a moment, as a day number (the time of day dropped).
std::optional<std::int32_t> LocalDayNumber(std::time_t moment);

// Today's local date.
std::int32_t TodayDayNumber();

}  // namespace ordonna
