// Block-buffered reading of a list file.
#include "listfile/OrdlFileInput.h"

#include <cstring>

namespace ordonna {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;

}  // namespace

OrdlFileInput::~OrdlFileInput() {
  if (file_ != nullptr) std::fclose(file_);
}

bool OrdlFileInput::Open(const std::string& path) {
  file_ = std::fopen(path.c_str(), "rb");
  buffer_.resize(kBlockSize);
  return file_ != nullptr;
}

bool OrdlFileInput::Fill() {
  if (file_ == nullptr || failed_) return false;
  std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
  std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
  if (got == 0 && std::ferror(file_)) failed_ = true;
  end_ += got;
  return got != 0;
}

bool OrdlFileInput::Read(void* data, std::size_t size) {
  auto* out = static_cast<char*>(data);
  while (end_ - begin_ < size) {
    if (!Fill()) return false;
  }
  std::memcpy(out, buffer_.data() + begin_, size);
  begin_ += size;
  return true;
}

bool OrdlFileInput::AtEnd() { return begin_ == end_ && !Fill() && !failed_; }

}  // namespace ordonna
