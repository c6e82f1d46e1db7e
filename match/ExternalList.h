// Loading the list the comparison sets against the current one: a list file (asking once
// about labels too long for the format) or a text list of another program.
#pragma once

#include <cstdint>
#include <string>

#include "core/Caller.h"
#include "core/ListStore.h"

namespace ordonna {

struct ExternalList {
  bool Ok = false;
  // The order byte of a list file; a text list has no recorded order.
  std::uint8_t SortState = kNoSortOrder;
};

// Reads a list file into `into` (cleared first). Failures are shown through `caller` with
// the comparison's own texts; `caller.Running()` turning false ends the read as a failure.
ExternalList LoadExternalOrdl(const std::string& path, EntryList& into, Caller& caller);

// Reads a text list into `into`, keeping each source line in Folder.
ExternalList LoadExternalText(const std::string& path, bool mircLines, EntryList& into, Caller& caller);

}  // namespace ordonna
