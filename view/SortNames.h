// Names of list orders for the "Sorted by:" label, the re-sort hint, the sort question and
// the editor's position choices, and the rule that enables re-sorting.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Sort.h"

namespace ordonna {

struct MainOptions;

// "filename", "-time", "-filename/c", ... ("/c" only for filename, path and label); "not
// sorted" for a state without a field 0..9.
std::string SortStateName(std::uint8_t sortState);

// "FILENAME", "TIME", ..., "VOLUME" for sort fields 0..9; empty for any other field.
std::string_view HeaderSortName(std::uint8_t sortField);

// The order the main options ask for, and its SortState byte.
SortSettings MainSortSettings(const MainOptions& options);
std::uint8_t MainSortState(const MainOptions& options);

// Re-sorting is offered only when the list's order differs from the main options.
bool ResortEnabled(std::uint8_t listSortState, const MainOptions& options);
// "Re-sort by " + the name of the main sort field + " (main option)".
std::string ResortHint(const MainOptions& options);

// One of the editor's four placement choices (0 above, 1 below the selected entry, 2 re-sort
// by the list's order, 3 re-sort by the main options).
struct PositionChoice {
  std::string Caption;
  bool Enabled = true;
};
std::array<PositionChoice, 4> PositionChoices(std::uint8_t listSortState, const MainOptions& options);

}  // namespace ordonna
