// Block-buffered reading of a list file.
#include "listfile/OrdlFileInput.h"

#include <cstring>

namespace ordonna {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;

}  // namespace

bool OrdlFileInput::Open(const std::string& path) {
  buffer_.resize(kBlockSize);
  return file_.Open(path).ok();
}

bool OrdlFileInput::Fill() {
  if (!file_.IsOpen() || failed_) return false;
  std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
  std::size_t got = 0;
  if (!file_.ReadAt(offset_, buffer_.data() + end_, buffer_.size() - end_, got).ok()) failed_ = true;
  offset_ += got;
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
