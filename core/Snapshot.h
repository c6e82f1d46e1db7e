// Snapshots of a whole list in a temporary file: a u32 little-endian item count, then the
// 564-byte records in list order. No header, no version.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/ListEntry.h"
#include "core/ListStore.h"
#include "core/Status.h"

namespace ordonna {

// Writes `entries` with their count; the file is readable by its owner only.
[[nodiscard]] Status WriteSnapshot(const std::string& path, std::span<const ListEntry> entries);

// Reads a snapshot that must hold exactly `expectedCount` entries into `list`, replacing its
// content. A different stored count, a short or over-long file or an I/O error is a failure
// and leaves `list` as it was.
[[nodiscard]] Status ReadSnapshot(const std::string& path, std::uint32_t expectedCount, EntryList& list);

}  // namespace ordonna
