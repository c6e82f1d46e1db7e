// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include <cstddef>
#include <string>

namespace ordonna::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Whole-file helpers for tests.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The number of entries in `folder`: a temporary left behind shows as one more.
std::size_t FilesIn(const std::string& folder);

// A character device that discards what is written: a node made in `dir` where the system
// allows it, else "/dev/null".
std::string NullDeviceIn(const TempDir& dir);

}  // namespace ordonna::testing
