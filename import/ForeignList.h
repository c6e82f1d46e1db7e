// The reader of text lists written by other programs: one MP3 file per line, the name cut at
// the first ":" or ".mp3", then stereo words and numbers with units (3:45, 128 kbps, 4.5 MB,
// 44.1 kHz) hunted in the rest. Used by the import and by the list comparison.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Caller.h"
#include "core/InputSource.h"
#include "core/ListStore.h"

namespace ordonna {

// The texts each caller shows; the import and the comparison word a few of them differently.
struct ForeignTextMessages {
  std::string_view Reading;
  std::string_view CantOpen;
  std::string_view CantRead;
  std::string_view LongLine;  // question: process as unix text?
  std::string_view LongLineTitle;
  std::string_view UnknownError;
};

inline constexpr ForeignTextMessages kImportForeignMessages = {
    "Importing unknown type text list...",
    "Unable to open the external text file.",
    "Can't read external text file.",
    "Too large string. Could be binary file or unix text file.\r\nTry to process as unix text?",
    "error",
    "Unknown error occurred while processing external text file.",
};

inline constexpr ForeignTextMessages kCompareForeignMessages = {
    "Importing unknown type text list...",
    "Not able to open the external text file.",
    "Can't read external text file.",
    "Too large string. Could be a binary file or unix text file.\r\nTry to process as unix text?",
    "error",
    "Unknown error occurred while processing external text file.",
};

inline constexpr std::string_view kWarningTitle = "Warning";

struct ForeignTextOptions {
  ForeignTextMessages Messages = kImportForeignMessages;
  bool MircLines = false;       // only lines starting with "!" (chat-server catalogues)
  bool KeepSourceLine = false;  // the comparison keeps each source line in Folder
  // When set (the import merging into a non-empty list), the final status counts the total
  // of this many entries and the imported ones.
  std::optional<std::uint32_t> TotalBase;
};

struct ForeignTextResult {
  bool Ok = false;
  std::uint32_t Lines = 0;     // lines read
  std::uint32_t Imported = 0;  // entries appended to the list
};

// Lines longer than this ask whether the file is unix text.
inline constexpr std::size_t kForeignLineLimit = 2047;

// Reads the file at `path` into `into` (cleared first). Failures are shown through `caller`
// (open, read, unexpected errors), as are the long-line question and the status texts;
// `caller.Running()` turning false stops the read as a failure.
ForeignTextResult ImportForeignText(const std::string& path, const ForeignTextOptions& options, EntryList& into,
                                    Caller& caller);
// The same from a source.
ForeignTextResult ImportForeignText(InputSource& source, const ForeignTextOptions& options, EntryList& into,
                                    Caller& caller);

// The entry one line gives (the line without its line end). Exposed for the fuzz target.
// False for lines that yield no entry (empty, or skipped as not a chat-server line).
bool ParseForeignLine(std::string_view line, const ForeignTextOptions& options, ListEntry& entry);

}  // namespace ordonna
