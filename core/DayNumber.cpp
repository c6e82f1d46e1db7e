// Day numbers by the days-from-civil algorithm, offset so that 30 December 1899 is day 0.
#include "core/DayNumber.h"

namespace ordonna {
namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CivilDate CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// 30 December 1899 counted from 1970-01-01.
constexpr std::int64_t kEpochOffset = -25569;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<CivilDate> DecodeDayNumber(std::int32_t dayNumber) {
  if (dayNumber < kFirstDayNumber || dayNumber > kLastDayNumber) return std::nullopt;
  return CivilFromDays(static_cast<std::int64_t>(dayNumber) + kEpochOffset);
}

std::optional<std::int32_t> EncodeDayNumber(const CivilDate& date) {
  if (date.Year < 1 || date.Year > 9999 || date.Month < 1 || date.Month > 12 || date.Day < 1 ||
      date.Day > DaysInMonth(date.Year, date.Month)) {
    return std::nullopt;
  }
  std::int64_t days =
      DaysFromCivil(date.Year, static_cast<unsigned>(date.Month), static_cast<unsigned>(date.Day)) - kEpochOffset;
  return static_cast<std::int32_t>(days);
}

std::optional<std::int32_t> LocalDayNumber(std::time_t moment) {
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &moment) != 0) return std::nullopt;
#else
  if (localtime_r(&moment, &local) == nullptr) return std::nullopt;
#endif
  return EncodeDayNumber({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

std::int32_t TodayDayNumber() { return LocalDayNumber(std::time(nullptr)).value_or(0); }

}  // namespace ordonna
