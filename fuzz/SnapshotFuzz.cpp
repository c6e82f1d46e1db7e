// Feeds arbitrary bytes to the snapshot reader; it must fail cleanly or read.
#include <cstdint>
#include <span>

#include "core/Snapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ordonna::MemoryInput source(std::span(data, size));
  // Expect the count the bytes claim, and also a count they do not claim.
  std::uint32_t claimed =
      size >= 4 ? data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24 : 0;
  ordonna::EntryList list;
  (void)ordonna::ReadSnapshot(source, claimed, list);
  (void)ordonna::ReadSnapshot(source, claimed + 1, list);
  return 0;
}
