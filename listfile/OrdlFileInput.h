// List-file input from a file, read in large blocks so that a list of a million entries loads
// without holding the whole file in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "listfile/OrdlReader.h"
#include "platform/InputFile.h"

namespace ordonna {

class OrdlFileInput final : public OrdlInput {
 public:
  // Opens `path` read-only; false when it is no regular file or cannot be opened.
  bool Open(const std::string& path);
  bool Read(void* data, std::size_t size) override;
  bool AtEnd() override;

 private:
  bool Fill();

  InputFile file_;
  std::uint64_t offset_ = 0;  // where the next block starts in the file
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool failed_ = false;
};

}  // namespace ordonna
