// Decoding of ".ordl" content into entries. The reader distrusts every byte: lengths are
// checked against what is there, a record cut short is an error, never a partial entry.
#pragma once

#include <cstdint>
#include <span>

#include "core/ListStore.h"
#include "listfile/OrdlFormat.h"

namespace ordonna {

enum class OrdlReadError {
  None,
  NotOrdonna,     // wrong signature
  DiskError,      // unreadable, cut short, or no record at all
  NeedsVersion4,  // a label longer than 32 bytes: the file may be of the older layout
  TooLarge,       // more records than a signed 32-bit count holds
  OutOfMemory,    // the entries could not be allocated (Records says how many there are)
};

// Where the bytes come from: a file read in blocks, or memory.
class OrdlInput {
 public:
  virtual ~OrdlInput() = default;
  // Reads exactly `size` bytes; false when fewer remain or reading failed.
  virtual bool Read(void* data, std::size_t size) = 0;
  // True when no byte remains (and none failed to read).
  virtual bool AtEnd() = 0;
};

class OrdlMemoryInput final : public OrdlInput {
 public:
  explicit OrdlMemoryInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool Read(void* data, std::size_t size) override;
  bool AtEnd() override { return bytes_.empty(); }

 private:
  std::span<const std::uint8_t> bytes_;
};

struct OrdlContent {
  OrdlReadError Error = OrdlReadError::None;
  std::uint8_t SortState = 0;
  std::uint32_t Records = 0;  // records read (all of them when there is no error)
};

// Reads the header and every record, appending the entries to `into`. On an error the
// entries appended so far are left in `into`; callers read into a list of their own.
// `existingCount` counts toward the 32-bit limit.
OrdlContent ReadOrdl(OrdlInput& source, OrdlLayout layout, EntryList& into, std::uint32_t existingCount = 0);

// The same reading without keeping the entries: the error, sort byte and record count a
// ReadOrdl of the same bytes would give. Lets a loader allocate the list once, exactly.
OrdlContent CountOrdl(OrdlInput& source, OrdlLayout layout, std::uint32_t existingCount = 0);

}  // namespace ordonna
