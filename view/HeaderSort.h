// What a click on a column header of the viewer asks and which order it chooses.
#pragma once

#include <cstdint>
#include <optional>

#include "view/Columns.h"

namespace ordonna {

class Caller;

// The SortState to sort the list by after a click on the header of the column at `position`,
// or nothing when the click is refused (a filtered list, the number column) or the user says
// no. Artist and title offer the file name instead. A field the list is already sorted by
// flips the direction; another field starts ascending and case-insensitive.
std::optional<std::uint8_t> DecideHeaderSort(int position, const ColumnLayout& layout, bool filtered,
                                             std::uint8_t listSortState, Caller& caller);

}  // namespace ordonna
