// Temporary folders under the system's temporary directory.
#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace ordonna::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ordonna-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::size_t FilesIn(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

std::string NullDeviceIn(const TempDir& dir) {
  const std::string node = dir.File("null");
  if (mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) return "/dev/null";
  // A folder on a file system mounted without devices holds the node but cannot open it.
  const int fd = open(node.c_str(), O_WRONLY);
  if (fd >= 0) {
    close(fd);
    return node;
  }
  unlink(node.c_str());
  return "/dev/null";
}

}  // namespace ordonna::testing
