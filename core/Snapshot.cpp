// Snapshot files, written through OutputFile and read straight into the entry array.
#include "core/Snapshot.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/OutputFile.h"

namespace ordonna {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

Status WriteSnapshot(const std::string& path, std::span<const ListEntry> entries) {
  OutputFile file;
  Status status = file.Create(path);
  if (!status.ok()) return status;
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write, ignored);
  auto count = static_cast<std::uint32_t>(entries.size());
  std::uint8_t countBytes[4] = {static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
                                static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)};
  status = file.Write(countBytes, sizeof countBytes);
  if (status.ok()) status = file.Write(entries.data(), entries.size_bytes());
  if (!status.ok()) return status;
  return file.Close();
}

Status ReadSnapshot(const std::string& path, std::uint32_t expectedCount, EntryList& list) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return Status::IoError("Cannot open snapshot", path);

  std::uint8_t countBytes[4];
  if (std::fread(countBytes, 1, sizeof countBytes, file.get()) != sizeof countBytes) {
    return Status::Corrupt("Snapshot is truncated", path);
  }
  std::uint32_t stored =
      countBytes[0] | countBytes[1] << 8 | countBytes[2] << 16 | static_cast<std::uint32_t>(countBytes[3]) << 24;
  if (stored != expectedCount) return Status::Mismatch("Snapshot holds another count", path);

  // Check the size before allocating, so a damaged file cannot ask for gigabytes.
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return Status::IoError("Cannot read snapshot", path);
  if (size != 4 + static_cast<std::uintmax_t>(stored) * kEntrySize) {
    return Status::Corrupt("Snapshot has the wrong size", path);
  }

  EntryList read;
  read.SetCapacity(stored);
  read.SetItemCount(stored);
  std::span<ListEntry> entries = read.Entries();
  if (std::fread(entries.data(), 1, entries.size_bytes(), file.get()) != entries.size_bytes()) {
    return Status::Corrupt("Snapshot is truncated", path);
  }
  list = std::move(read);
  return Status::Ok();
}

void RemoveTemporaryFiles(const std::string& folder) {
  for (std::string_view name : {temp_file::kScanSnapshot, temp_file::kImportBackup, temp_file::kImportWork,
                                temp_file::kViewerUndo, temp_file::kViewerFilter}) {
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(folder) / name, ignored);
  }
}

}  // namespace ordonna
