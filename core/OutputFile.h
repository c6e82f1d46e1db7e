// A file being written as a whole (a list, a snapshot): every write and the close are
// checked, so a full disk is a failure, never a silently short file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "core/Status.h"

namespace ordonna {

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // Creates or empties `path`.
  [[nodiscard]] Status Create(const std::string& path);
  [[nodiscard]] Status Write(const void* data, std::size_t size);
  // Flushes and closes; a failure here means the content may not be on disk.
  [[nodiscard]] Status Close();
  bool IsOpen() const { return file_ != nullptr; }

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
};

// Creates (or empties) a file for a whole list; when that fails it is tried once more.
[[nodiscard]] Status CreateForWriting(const std::string& path, OutputFile& file);

}  // namespace ordonna
