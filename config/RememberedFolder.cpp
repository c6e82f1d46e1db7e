// Dialog folders cut back to a whole folder name.
#include "config/RememberedFolder.h"

namespace ordonna {
namespace {

constexpr std::size_t kStoredCapacity = 255;

}  // namespace

std::string StoredFolder(std::string_view folder) {
  if (folder.size() <= kStoredCapacity) return std::string(folder);
  // A "/" at index i leaves a prefix of i bytes; the "/" right behind the capacity still
  // leaves a prefix that fits.
  std::size_t slash = folder.rfind('/', kStoredCapacity);
  if (slash == std::string_view::npos) return {};
  return slash == 0 ? std::string("/") : std::string(folder.substr(0, slash));
}

std::string StoredFolderOf(std::string_view fileName) {
  std::size_t slash = fileName.rfind('/');
  if (slash == std::string_view::npos) return {};
  return StoredFolder(slash == 0 ? std::string_view("/") : fileName.substr(0, slash));
}

}  // namespace ordonna
