// The one way the program reads a named file. Only a regular file opens: the name is opened
// without waiting (a FIFO with no writer would block for ever) and then checked, so a FIFO,
// a device or a folder fails at once with a reason.
#pragma once

#include <cstdint>
#include <string>

#include "core/InputSource.h"
#include "core/Status.h"

namespace ordonna {

class InputFile final : public InputSource {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() override;

  // Opens `path` read-only. The failure's detail is the name and the system's reason.
  [[nodiscard]] Status Open(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }

  std::uint64_t Size() const override { return size_; }
  [[nodiscard]] Status ReadAt(std::uint64_t offset, void* data, std::size_t size, std::size_t& got) override;

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::string path_;
};

}  // namespace ordonna
