// Saving the deletion log of a duplicates search: the file name rules after the save dialog,
// the one question about replacing a file, and the log file itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/AppOptions.h"
#include "core/Caller.h"
#include "core/ListStore.h"
#include "match/DuplicateSearch.h"
#include "match/MatchLog.h"

namespace ordonna {

inline constexpr std::string_view kNothingToSave = "Nothing to save.";
inline constexpr std::string_view kDupLogDiskError = "Disk error.";
inline constexpr std::string_view kWriteLogTitle = "write log file";

struct DupLogTarget {
  std::string Path;
  bool TxtAppended = false;
};

// ".txt" is appended when the first filter is selected and the name does not end in it.
DupLogTarget DupLogTargetOf(const std::string& chosen, bool firstFilterSelected);

// The folder to remember for a file: everything before the last "/" ("/" itself for a file
// in the root), or nothing when it would not fit a stored folder (256 characters or more).
std::optional<std::string> RememberedFolder(const std::string& path);

// "name already exists.\r\nDo you want to replace it?"
std::string ReplaceQuestion(const std::string& path);

// Writes the log of the entries marked in `marks` (list order) to `path`.
[[nodiscard]] Status WriteDupLog(const std::string& path, const EntryList& list, const DeletionMarks& marks,
                                 std::uint32_t toDelete, const FieldStyle& style, const LogStamp& stamp);

struct DupLogSaved {
  bool Saved = false;
  std::string LogPath;  // the name in double quotes, for "&VIEW LOG"
};

// "&SAVE LOG" after the save dialog returned `chosen`: the rules above, the question when
// ".txt" was appended to the name of an existing file, the warnings, and DupLogFolder.
DupLogSaved SaveDupLog(const std::string& chosen, bool firstFilterSelected, const DupSearchState& state,
                       const EntryList& list, const DeletionMarks& marks, const FieldStyle& style,
                       const LogStamp& stamp, AppOptions& options, Caller& caller);

}  // namespace ordonna
