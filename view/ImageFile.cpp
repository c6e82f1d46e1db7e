// Images through the snapshot functions of core.
#include "view/ImageFile.h"

#include <filesystem>
#include <system_error>

#include "core/Snapshot.h"

namespace ordonna {

Status WriteImage(const std::string& path, std::span<const ListEntry> entries) { return WriteSnapshot(path, entries); }

Status ReadImage(const std::string& path, std::uint32_t expectedCount, EntryList& into) {
  return ReadSnapshot(path, expectedCount, into);
}

void EmptyImage(const std::string& path) {
  // Nothing to undo: a failure here loses nothing, the next image is written whole.
  (void)WriteSnapshot(path, {});
}

void RemoveImage(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

}  // namespace ordonna
