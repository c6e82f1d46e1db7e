// ParseDate with its role bookkeeping, the order questions and the conversion to day numbers.
#include "import/DateResolution.h"

#include <optional>

#include "core/DayNumber.h"
#include "core/ListStore.h"
#include "import/ImportMessages.h"
#include "import/ImportedFields.h"

namespace ordonna {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool Undetermined(std::string_view field) { return field.empty() || field == "?" || field == "-"; }

// The order a date style names: 1 day-month-year, 2 month-day-year, 3 year-month-day.
DateOrder OrderOfStyle(std::uint8_t style) {
  switch (style) {
    case 1: return {2, 1, 0};
    case 2: return {2, 0, 1};
    default: return {0, 1, 2};
  }
}

// The order of the locale's short date format: the positions of its year, month and day
// conversions; nothing when it lacks one of them.
std::optional<DateOrder> OrderOfLocale(std::string_view format) {
  int year = -1, month = -1, day = -1, position = 0;
  for (std::size_t i = 0; i + 1 < format.size(); ++i) {
    if (format[i] != '%') continue;
    const char c = format[++i];
    if (c == 'Y' || c == 'y') year = position++;
    else if (c == 'm') month = position++;
    else if (c == 'd' || c == 'e') day = position++;
  }
  if (year < 0 || month < 0 || day < 0 || position != 3) return std::nullopt;
  return DateOrder{static_cast<std::uint8_t>(year), static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day)};
}

std::uint8_t YearPosition(const DatePartRoles& roles) {
  for (std::uint8_t i = 0; i < 3; ++i) {
    if (roles[i] == 2) return i;
  }
  return 3;
}

DateResolution Resolved(DateOrder order) { return {DateOutcome::Resolved, order, {}}; }
DateResolution Failed(std::string_view error) { return {DateOutcome::Failed, {}, std::string(error)}; }

// Asks which of the two open positions is the day.
DateResolution Prompt(std::uint8_t year, Caller& caller) {
  const std::uint8_t earlier = year == 0 ? 1 : 0;
  const std::uint8_t later = year == 2 ? 1 : 2;
  const Answer answer = caller.AskYesNoCancel(import_text::kDayBeforeMonth, import_text::kPromptTitle, Answer::No);
  if (answer == Answer::Cancel) return {DateOutcome::Cancelled, {}, {}};
  return answer == Answer::Yes ? Resolved({year, later, earlier}) : Resolved({year, earlier, later});
}

}  // namespace

bool DateTable::ParseDate(std::string_view field, DateSlot slot, std::uint32_t entry, std::uint32_t sourceLine) {
  if (Undetermined(field)) return true;
  std::array<std::uint16_t, 3> parts{};
  int groups = 0;
  for (std::size_t i = 0; i < field.size();) {
    if (!IsDigit(field[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < field.size() && IsDigit(field[end])) ++end;
    if (groups == 3 || end - i > 4) return false;
    int value = 0;
    for (std::size_t k = i; k < end; ++k) value = value * 10 + (field[k] - '0');
    if (value < 1 || value > 2099) return false;
    parts[static_cast<std::size_t>(groups++)] = static_cast<std::uint16_t>(value);
    i = end;
  }
  if (groups != 3) return false;

  DatePartRoles roles = roles_;
  bool yearSeen = false, daySeen = false;
  for (std::size_t p = 0; p < 3; ++p) {
    const std::uint16_t v = parts[p];
    if (v > 31) {
      if (yearSeen) return false;
      yearSeen = true;
      roles[p] = 2;
    } else if (v >= 13) {
      if (daySeen) return false;
      daySeen = true;
      if (roles[p] == 0) roles[p] = 1;
    }
  }
  int sum = 0, years = 0;
  for (std::uint8_t r : roles) {
    sum += r;
    years += r == 2;
  }
  if (sum > 3 || years == 0) return false;
  roles_ = roles;
  dates_.push_back({entry, sourceLine, slot, parts});
  return true;
}

DateResolution ResolveDateOrder(const DatePartRoles& roles, const DateResolutionInput& input, Caller& caller) {
  const int sum = roles[0] + roles[1] + roles[2];
  if (sum > 3) return Failed(import_text::kDateOrderUnknown);
  const std::uint8_t year = YearPosition(roles);
  if (year == 3) return Failed(import_text::kDateOrderUnknown);
  if (sum == 3) {
    DateOrder order{year, 0, 0};
    for (std::uint8_t i = 0; i < 3; ++i) {
      if (roles[i] == 1) order.Day = i;
      if (roles[i] == 0) order.Month = i;
    }
    return Resolved(order);
  }
  // Only the year is known: the list's own style, else the options, say which is the day.
  if (input.TagDateStyle >= 1 && input.TagDateStyle <= 3) {
    const DateOrder order = OrderOfStyle(input.TagDateStyle);
    if (order.Year == year) return Resolved(order);
    const Answer answer = caller.AskYesNo(import_text::kDatesNotValid, import_text::kDatesNotValidTitle, Answer::Yes);
    return {answer == Answer::Yes ? DateOutcome::LeaveUnknown : DateOutcome::Cancelled, {}, {}};
  }
  if (input.ImportDateStyleFallback != 0) return Prompt(year, caller);
  std::optional<DateOrder> assumed;
  if (input.DateStyle >= 1 && input.DateStyle <= 3) {
    assumed = OrderOfStyle(input.DateStyle);
  } else {
    assumed = OrderOfLocale(input.LocaleDateFormat);
  }
  if (!assumed || assumed->Year != year) return Failed(import_text::kDateOrderUnknown);
  return Resolved(*assumed);
}

bool ConvertDates(const DateTable& table, const DateOrder& order, EntryList& list, std::uint32_t first,
                  std::uint32_t& badLine) {
  for (const DateTable::Stored& date : table.Dates()) {
    const std::optional<std::int32_t> day =
        EncodeDayNumber({date.Parts[order.Year], date.Parts[order.Month], date.Parts[order.Day]});
    if (!day) {
      badLine = date.SourceLine;
      return false;
    }
    ListEntry& entry = list.Entry(first + date.Entry);
    if (date.Slot == DateSlot::Created) {
      entry.FileDate = *day;
    } else {
      entry.DateAdded = *day;
    }
  }
  return true;
}

void ClearDates(const DateTable& table, EntryList& list, std::uint32_t first) {
  for (const DateTable::Stored& date : table.Dates()) {
    ListEntry& entry = list.Entry(first + date.Entry);
    if (date.Slot == DateSlot::Created) {
      entry.FileDate = kNumberUnknown;
    } else {
      entry.DateAdded = kNumberUnknown;
    }
  }
}

}  // namespace ordonna
