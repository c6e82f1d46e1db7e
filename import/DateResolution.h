// Dates of an imported list: the three numbers of every date field are collected while the
// lines are read, the positions of year, day and month are learnt from all of them together,
// and only then is every date turned into a day number.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Caller.h"
#include "core/Status.h"

namespace ordonna {

class EntryList;

// Per position: 2 a number above 31 was seen there (the year), 1 a number from 13 to 31
// (the day), 0 only numbers up to 12.
using DatePartRoles = std::array<std::uint8_t, 3>;

// Which date column a field belongs to.
enum class DateSlot : std::uint8_t { Created = 0, Added = 1 };

class DateTable {
 public:
  // Reads `field` as the date of the entry `entry` (counted among the imported ones), which
  // came from line `sourceLine` of the list. Undetermined forms ("", "?", "-") store no date
  // and are valid. False for an invalid date: not three digit groups of 1..2099, two years,
  // two day-like numbers, or no year position known yet.
  bool ParseDate(std::string_view field, DateSlot slot, std::uint32_t entry, std::uint32_t sourceLine);

  const DatePartRoles& Roles() const { return roles_; }
  bool Empty() const { return dates_.empty(); }

  struct Stored {
    std::uint32_t Entry;
    std::uint32_t SourceLine;
    DateSlot Slot;
    std::array<std::uint16_t, 3> Parts;
  };
  const std::vector<Stored>& Dates() const { return dates_; }

 private:
  DatePartRoles roles_{};
  std::vector<Stored> dates_;
};

// The order of a date's parts: the index of year, month and day in the field.
struct DateOrder {
  std::uint8_t Year;
  std::uint8_t Month;
  std::uint8_t Day;
};

// How the order is settled when the roles leave day and month open.
struct DateResolutionInput {
  // The tag's DateStyle, or kDateStyleUnknown for untagged lists.
  std::uint8_t TagDateStyle;
  std::uint8_t ImportDateStyleFallback;  // 0 assume DateStyle, 1 ask
  std::uint8_t DateStyle;                // the options' style
  // The locale's short date format (strftime conversions), the order of DateStyle 0.
  std::string LocaleDateFormat;
};

enum class DateOutcome { Resolved, LeaveUnknown, Cancelled, Failed };

struct DateResolution {
  DateOutcome Outcome;
  DateOrder Order{};
  std::string Error;  // for Failed
};

// Settles the order from the roles, asking through `caller` where the rules say so.
DateResolution ResolveDateOrder(const DatePartRoles& roles, const DateResolutionInput& input, Caller& caller);

// Writes the collected dates into the entries of `list` from index `first` on. An impossible
// calendar date (31 April) fails with the list line it came from in `badLine`.
[[nodiscard]] bool ConvertDates(const DateTable& table, const DateOrder& order, EntryList& list, std::uint32_t first,
                                std::uint32_t& badLine);

// Leaves every collected date of the entries from `first` on undetermined.
void ClearDates(const DateTable& table, EntryList& list, std::uint32_t first);

}  // namespace ordonna
