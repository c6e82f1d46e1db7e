// The text files of the duplicates search and the comparison (CR LF lines, written through
// a temporary file so that a failure never destroys an earlier file), and the field texts
// their lines and confirmation labels are made of.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ListEntry.h"
#include "core/OutputSink.h"
#include "core/Status.h"
#include "export/FieldStyle.h"

namespace ordonna {

// The date and time a log is stamped with, already formatted.
struct LogStamp {
  std::string Date;  // the locale's short date
  std::string Time;  // hours, minutes and seconds
};

// Now, with the locale's short date format (strftime conversions).
LogStamp CurrentLogStamp(const std::string& shortDateFormat);

// Which fields follow the name in a log line.
enum class LogFields {
  NameOnly,
  Determined,     // only the fields whose value is known
  ErrorInfoRule,  // known fields, and the others too unless ErrorInfoStyle is 0
};

// The name, then ", " + play time, bitrate number + " kbps", size and stereo mode as chosen.
std::string LogEntryLine(const ListEntry& entry, LogFields fields, const FieldStyle& style);

// A confirmation label: `prefix` + name, play time, size, bitrate, stereo mode and volume
// label, separated by ", ".
std::string PairLine(std::string_view prefix, const ListEntry& entry, const FieldStyle& style);

// Writes `firstLine` + stamp, `secondLine`, then each of `lines` after a line break (so an
// empty line follows the header and the last line has no line break).
[[nodiscard]] Status WriteLogFile(const std::string& path, std::string_view firstLine, const LogStamp& stamp,
                                  std::string_view secondLine, std::span<const std::string> lines);
// The same to a sink.
[[nodiscard]] Status WriteLogFile(OutputSink& sink, std::string_view firstLine, const LogStamp& stamp,
                                  std::string_view secondLine, std::span<const std::string> lines);

}  // namespace ordonna
