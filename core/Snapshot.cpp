// Snapshots, written to a sink and read straight into the entry array.
#include "core/Snapshot.h"

namespace ordonna {

Status WriteSnapshot(OutputSink& sink, std::span<const ListEntry> entries) {
  auto count = static_cast<std::uint32_t>(entries.size());
  std::uint8_t countBytes[4] = {static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
                                static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)};
  Status status = WriteBytes(sink, countBytes, sizeof countBytes);
  if (status.ok()) status = WriteBytes(sink, entries.data(), entries.size_bytes());
  return status;
}

Status ReadSnapshot(InputSource& source, std::uint32_t expectedCount, EntryList& list) {
  std::uint8_t countBytes[4];
  std::size_t got = 0;
  Status status = source.ReadAt(0, countBytes, sizeof countBytes, got);
  if (!status.ok()) return status;
  if (got != sizeof countBytes) return Status::Corrupt("Snapshot is truncated");
  std::uint32_t stored =
      countBytes[0] | countBytes[1] << 8 | countBytes[2] << 16 | static_cast<std::uint32_t>(countBytes[3]) << 24;
  if (stored != expectedCount) return Status::Mismatch("Snapshot holds another count");

  // Check the size before allocating, so a damaged file cannot ask for gigabytes.
  if (source.Size() != 4 + static_cast<std::uint64_t>(stored) * kEntrySize) {
    return Status::Corrupt("Snapshot has the wrong size");
  }

  EntryList read;
  read.SetCapacity(stored);
  read.SetItemCount(stored);
  std::span<ListEntry> entries = read.Entries();
  status = source.ReadAt(4, entries.data(), entries.size_bytes(), got);
  if (!status.ok()) return status;
  if (got != entries.size_bytes()) return Status::Corrupt("Snapshot is truncated");
  list = std::move(read);
  return Status::Ok();
}

}  // namespace ordonna
