// Images as snapshot files in the temporary folder.
#include "view/ImageFile.h"

#include "platform/FileSystem.h"

namespace ordonna {

Status WriteImage(const std::string& path, std::span<const ListEntry> entries) {
  return WriteSnapshotFile(path, entries);
}

Status ReadImage(const std::string& path, std::uint32_t expectedCount, EntryList& into) {
  return ReadSnapshotFile(path, expectedCount, into);
}

void EmptyImage(const std::string& path) {
  // Nothing to undo: a failure here loses nothing, the next image is written whole.
  (void)WriteSnapshotFile(path, {});
}

void RemoveImage(const std::string& path) { RemoveFile(path); }

}  // namespace ordonna
