// The Import command: a list this program exported as text, plain HTML or HTML table (or,
// on request or as a fallback, any text list) read back into the working list, replacing it
// or appended to it. The list is never touched unless the import succeeds.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Caller.h"
#include "core/ListStore.h"
#include "core/Status.h"
#include "platform/Platform.h"

namespace ordonna {

struct AppOptions;

// What the open dialog shows.
struct ImportDialogRequest {
  std::string Title;          // " - Choose text or html list to import - "
  std::string Filter;         // "description|patterns|..."
  int FilterIndex = 1;        // 1-based
  std::string InitialFolder;  // ImportFolder as stored
};

// The main window's side: the open dialog. The chosen file (and its folder) must exist.
class ImportHost {
 public:
  virtual ~ImportHost() = default;
  // The chosen full name, or empty when cancelled.
  virtual std::string ChooseImportFile(const ImportDialogRequest& request) = 0;
};

struct ImportEnvironment {
  std::string TempFolder;        // where "backup.(file).tmp" is written
  std::string LocaleDateFormat;  // the locale's short date format (strftime conversions)
  std::int32_t Today = 0;        // day number of today
  // Volumes on local, non-removable disks; their labels fill in missing volume labels.
  std::vector<Volume> FixedVolumes;
};

// The environment on this host: its temporary folder, date format and today, and the
// volumes the platform finds on fixed disks.
ImportEnvironment HostImportEnvironment(Platform& platform);

enum class ImportOutcome { Imported, Cancelled, Failed };

struct ImportResult {
  ImportOutcome Outcome = ImportOutcome::Cancelled;
  std::uint32_t Imported = 0;  // entries added to the working list
};

// The whole command after the options window was left with GO: the unsaved-list question
// (when replacing), the file choice, recognition, parsing, completion and the failure dialog
// with its fallback to the reader of other programs' lists. On anything but success the
// working list, its sort state and its unsaved mark are exactly as before.
ImportResult ImportList(ListStore& list, AppOptions& options, const ImportEnvironment& environment, ImportHost& host,
                        Caller& caller);

// The folder of a chosen file as ImportFolder stores it: the root keeps its "/", other
// folders lose the trailing one; nothing for folders of 256 bytes or more.
std::optional<std::string> ImportFolderOf(const std::string& path);

// Reads the list in `bytes` into `into` (cleared first) with the given options: recognition,
// header and footer stripping, conversion, column resolution and the lines, without files
// or snapshots. Used by ImportList and by the fuzz target. A failure carries the text for
// the failure dialog; Status::Code::Cancelled for a cancel. `existing` entries already in
// the target list count towards the million-entry stop.
struct ParsedList {
  std::uint8_t SortState = 63;
  bool Tagged = false;
  std::array<bool, 10> Included{};  // Enumerate, InfoTime, ... InfoVolumeLabel
};
[[nodiscard]] Status ReadExportedList(std::string_view bytes, const AppOptions& options,
                                      const ImportEnvironment& environment, std::uint32_t existing, EntryList& into,
                                      ParsedList& parsed, Caller& caller);

}  // namespace ordonna
