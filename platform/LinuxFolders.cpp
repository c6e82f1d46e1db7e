// Folder listing for the scan: subfolders on the same device and matching regular files.
#include "platform/LinuxFolders.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "core/Text.h"

namespace ordonna {
namespace {

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

// Opens `folder`, also when its path is longer than the system takes: then the longest
// prefix that fits is opened and the rest walked one folder at a time.
DIR* OpenFolder(const std::string& folder) {
  if (folder.size() <= kLongestOpenablePath) return opendir(folder.c_str());
  std::size_t split = folder.rfind('/', kLongestOpenablePath);
  if (split == std::string::npos || split == 0) return nullptr;
  int fd = open(folder.substr(0, split).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (std::size_t start = split + 1; fd >= 0 && start < folder.size();) {
    std::size_t end = folder.find('/', start);
    if (end == std::string::npos) end = folder.size();
    const std::string part = folder.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    const int next = openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    close(fd);
    fd = next;
  }
  if (fd < 0) return nullptr;
  DIR* dir = fdopendir(fd);
  if (dir == nullptr) close(fd);
  return dir;
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() && EqualIgnoringAsciiCase(name.substr(name.size() - suffix.size()), suffix);
}

}  // namespace

bool ListLinuxFolder(const std::string& folder, std::uint64_t device, bool includeHidden, std::string_view fileSuffix,
                     std::vector<FolderItem>& items) {
  items.clear();
  std::unique_ptr<DIR, DirCloser> dir(OpenFolder(folder));
  if (!dir) return false;
  const int fd = dirfd(dir.get());
  while (const dirent* entry = readdir(dir.get())) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (name[0] == '.' && !includeHidden) continue;
    const bool maybeFolder = entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN;
    const bool maybeFile = EndsWithIgnoringCase(name, fileSuffix) && entry->d_type != DT_DIR;
    if (!maybeFolder && !maybeFile) continue;
    struct stat info {};
    // Folders are taken as they are (a link to a folder is not followed); a link to a
    // file counts as the file it points to.
    if (fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISLNK(info.st_mode) && maybeFile && fstatat(fd, entry->d_name, &info, 0) != 0) continue;
    if (S_ISDIR(info.st_mode) && !S_ISLNK(info.st_mode)) {
      if (static_cast<std::uint64_t>(info.st_dev) == device) items.push_back({std::string(name), true, 0, 0});
    } else if (S_ISREG(info.st_mode) && maybeFile) {
      items.push_back({std::string(name), false, static_cast<std::int64_t>(info.st_size),
                       static_cast<std::int64_t>(info.st_mtime)});
    }
  }
  return true;
}

}  // namespace ordonna
