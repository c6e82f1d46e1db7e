// POSIX answers about named files.
#include "platform/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/Snapshot.h"
#include "core/Text.h"
#include "platform/InputFile.h"
#include "platform/OutputFile.h"

namespace ordonna {

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat one {};
  struct stat two {};
  return stat(first.c_str(), &one) == 0 && stat(second.c_str(), &two) == 0 && one.st_dev == two.st_dev &&
         one.st_ino == two.st_ino;
}

std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? std::string() : absolute.lexically_normal().string();
}

std::string AbsoluteFolderOf(const std::string& path) {
  const std::string absolute = AbsolutePath(path);
  return absolute.empty() ? std::string() : std::filesystem::path(absolute).parent_path().string();
}

std::vector<std::string> FilesBelow(const std::string& folder, std::string_view suffix) {
  std::vector<std::string> found;
  std::error_code error;
  auto options = std::filesystem::directory_options::skip_permission_denied;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, options, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    std::error_code typeError;
    const std::string name = it->path().filename().string();
    if (it->is_regular_file(typeError) && name.size() >= suffix.size() &&
        EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - suffix.size()), suffix)) {
      found.push_back(it->path().string());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

Status WriteSnapshotFile(const std::string& path, std::span<const ListEntry> entries) {
  return WriteFileWith(
      path, [&](OutputSink& sink) { return WriteSnapshot(sink, entries); }, OutputFile::Use::Temporary);
}

Status ReadSnapshotFile(const std::string& path, std::uint32_t expectedCount, EntryList& list) {
  InputFile file;
  Status status = file.Open(path);
  if (status.ok()) status = ReadSnapshot(file, expectedCount, list);
  return status;
}

void RemoveTemporaryFiles(const std::string& folder) {
  for (std::string_view name : {temp_file::kScanSnapshot, temp_file::kImportBackup, temp_file::kImportWork,
                                temp_file::kViewerUndo, temp_file::kViewerFilter}) {
    (void)RemoveFile(folder + "/" + std::string(name));
  }
}

}  // namespace ordonna
