// Snapshots of a whole list in a temporary file: a u32 little-endian item count, then the
// 564-byte records in list order. No header, no version.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/InputSource.h"
#include "core/ListEntry.h"
#include "core/ListStore.h"
#include "core/OutputSink.h"
#include "core/Status.h"

namespace ordonna {

// Writes `entries` with their count.
[[nodiscard]] Status WriteSnapshot(OutputSink& sink, std::span<const ListEntry> entries);

// Reads a snapshot that must hold exactly `expectedCount` entries into `list`, replacing its
// content. A different stored count, a short or over-long file or an I/O error is a failure
// and leaves `list` as it was.
[[nodiscard]] Status ReadSnapshot(InputSource& source, std::uint32_t expectedCount, EntryList& list);

// The snapshots and work files that operations keep in the temporary folder.
namespace temp_file {
inline constexpr std::string_view kScanSnapshot = "main.(file).tmp";
inline constexpr std::string_view kImportBackup = "backup.(file).tmp";
inline constexpr std::string_view kImportWork = "importing.(file).tmp";
inline constexpr std::string_view kViewerUndo = "vundo.(file).tmp";
inline constexpr std::string_view kViewerFilter = "filter.(file).tmp";
}  // namespace temp_file

}  // namespace ordonna
