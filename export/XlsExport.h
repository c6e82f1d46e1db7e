// The XLS export: a minimal worksheet in the binary spreadsheet record format, one row per
// entry and one text cell per selected field, written column by column.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/Status.h"
#include "export/ExportJob.h"

namespace ordonna {

// Row numbers are 16 bits wide: lists of this many entries or more are refused.
inline constexpr std::uint32_t kXlsEntryLimit = 65536;

// Checks the list size first (more than kXlsEntryLimit - 1 entries, or none, are refused
// with their own messages and nothing is touched), then writes the file at `path` through a
// temporary file. Any failure to create, write or close it gives the message "Error
// exporting xls file..."; the message of a failure is Status::message(), the system's
// reason its detail. An earlier file at `path` is replaced only on success.
[[nodiscard]] Status ExportXls(const ExportJob& job, const std::string& path);

// Writes the records: beginning of file, the cells of column 0 for every row, then those of
// each selected field, end of file. REQUIRES: fewer than kXlsEntryLimit entries.
[[nodiscard]] Status WriteXlsFile(const ExportJob& job, OutputSink& sink);

// `text` in Windows-1252, the code page readers assume for cells that name none: a character
// without a Windows-1252 form becomes "?". At most 255 bytes.
std::string XlsCellText(std::string_view text);

}  // namespace ordonna
