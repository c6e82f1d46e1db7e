// Loading and saving the working list as ".ordl" files, with the questions, messages and
// status texts of the load and save commands. File dialogs belong to the caller.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "config/AppOptions.h"
#include "core/Caller.h"
#include "core/ListStore.h"
#include "core/OutputSink.h"
#include "core/Status.h"

namespace ordonna {

struct LoadResult {
  std::int32_t Count = -1;  // entries read, -1 on failure
  bool Refused = false;     // the user kept the unsaved list
};

// Reads a list file into the working list (replacing it, or behind its entries when
// `append`). Messages are shown only when `reportErrors`. `confirmDiscard` asks whether an
// unsaved list may go (false keeps it and fails the load). A failed load changes nothing:
// not the entries, not SortState, not ListFileName.
LoadResult LoadListFile(const std::string& path, bool reportErrors, bool append, ListStore& list, Caller& caller,
                        const std::function<bool()>& confirmDiscard);

// Orders the list after an append by `AppendSort` and sets SortState; `previousSortState`
// is the list's order before the load, `fileSortState` the order stored in the file.
void SortAfterAppend(ListStore& list, const AppOptions& options, std::uint8_t previousSortState,
                     std::uint8_t fileSortState);

// The status text after a successful load.
std::string LoadedStatus(bool append, std::int32_t loaded, std::uint32_t total);

// The name a list is saved under: ".ordl" is appended unless the name ends in it (any case).
std::string ListFileTarget(const std::string& chosenName, bool* extensionAdded = nullptr);

// Writes the working list to `path` (already completed by ListFileTarget). The old file is
// replaced only when every byte was written. On success clears Unsaved and sets
// ListFileName and `LastSavedList`.
[[nodiscard]] Status SaveListFile(const std::string& path, ListStore& list, AppOptions& options);

// Writes entries and SortState in the list file format, replacing `path` atomically.
[[nodiscard]] Status WriteListFile(const std::string& path, const EntryList& entries, std::uint8_t sortState);
// The same to a sink.
[[nodiscard]] Status WriteListFile(OutputSink& sink, const EntryList& entries, std::uint8_t sortState);

}  // namespace ordonna
