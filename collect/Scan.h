// The folder scan that fills the working list: walks one folder tree or every volume,
// filters files by size, matches them with the entries already listed, analyses them and
// adds or updates entries. Runs on the caller's thread; all interaction goes through Caller.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "collect/Mp3Analyzer.h"
#include "config/AppOptions.h"
#include "core/Caller.h"
#include "core/ListStore.h"
#include "platform/Platform.h"

namespace ordonna {

enum class ScanMode { New, Append };

struct ScanRequest {
  ScanMode Mode = ScanMode::New;
  std::string Folder;  // the start folder; unused when AllDrives
  bool IncludeSubfolders = true;
  bool AllDrives = false;
};

// Kept between scans, for the question about scanning the same folder again.
struct ScanMemory {
  std::string LastStartFolder;
  std::string LastSerial;
};

struct ScanOutcome {
  bool Started = false;    // false when the user declined before anything changed
  bool Cancelled = false;  // by the user, an error prompt or the folder limit
  bool NotReady = false;   // the start folder could not be read ("Drive not ready")
  std::string Status;      // the final status text, already set through the caller
};

// Everything a scan works with. `measureWidth` gives the width of a status text in the
// window's font (pixels); without it the summary is never shortened.
struct ScanContext {
  ListStore& List;
  const AppOptions& Options;
  Platform& Host;
  Caller& Ui;
  Mp3Analyzer& Analyzer;
  ScanMemory& Memory;
  std::function<int(std::string_view)> MeasureWidth;
};

// Runs a whole scan. The caller clears its running flag to cancel (Caller::Running).
ScanOutcome StartScan(const ScanRequest& request, ScanContext& context);

// The summary of a finished scan (before any shortening). `tooLong` of the ignored files
// were left out because their path is longer than the system opens.
std::string ScanSummary(std::uint32_t added, std::uint32_t processed, std::uint32_t updated, std::uint32_t ignored,
                        std::uint32_t itemCount, std::uint32_t tooLong = 0);

// Shortens a summary wider than 264 pixels: six characters fewer, the last one a ".".
std::string FitSummary(std::string summary, const std::function<int(std::string_view)>& measureWidth);

}  // namespace ordonna
