// Feeds arbitrary bytes to the snapshot reader as a file; it must fail cleanly or read.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/Snapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/dev/shm/ordonna-fuzz-snapshot-" + std::to_string(getpid());
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  // Expect the count the file claims, and also a count it does not claim.
  std::uint32_t claimed =
      size >= 4 ? data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24 : 0;
  ordonna::EntryList list;
  (void)ordonna::ReadSnapshot(path, claimed, list);
  (void)ordonna::ReadSnapshot(path, claimed + 1, list);
  return 0;
}
