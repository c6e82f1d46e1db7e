// List-file input from a file, read in large blocks so that a list of a million entries loads
// without holding the whole file in memory.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "listfile/OrdlReader.h"

namespace ordonna {

class OrdlFileInput final : public OrdlInput {
 public:
  OrdlFileInput() = default;
  OrdlFileInput(const OrdlFileInput&) = delete;
  OrdlFileInput& operator=(const OrdlFileInput&) = delete;
  ~OrdlFileInput() override;

  // Opens `path` read-only; false when it cannot be opened.
  bool Open(const std::string& path);
  bool Read(void* data, std::size_t size) override;
  bool AtEnd() override;

 private:
  bool Fill();

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool failed_ = false;
};

}  // namespace ordonna
