// Memory and file byte sources.
#include "collect/ByteSource.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace ordonna {

bool MemorySource::Fetch(std::int64_t pos, std::size_t need, std::span<const std::uint8_t>& out) {
  assert(pos >= 0 && need <= kMaxFetch);
  std::int64_t size = Size();
  if (pos <= size && need <= static_cast<std::size_t>(size - pos)) {
    out = file_.subspan(static_cast<std::size_t>(pos));
    return true;
  }
  // Near or past the end: copy what is left and pad with zeros, so that the caller never
  // reads outside the file it was given.
  std::size_t left = pos < size ? static_cast<std::size_t>(size - pos) : 0;
  padded_.assign(left + need, 0);
  if (left > 0) std::memcpy(padded_.data(), file_.data() + pos, left);
  out = padded_;
  return true;
}

bool FileSource::Open(const std::string& path) {
  assert(buffer_.size() >= kMaxFetch + kReadSlack);
  return file_.Open(path).ok();
}

bool FileSource::Fetch(std::int64_t pos, std::size_t need, std::span<const std::uint8_t>& out) {
  assert(pos >= 0 && need <= kMaxFetch);
  if (pos >= bufferPos_ && pos - bufferPos_ <= static_cast<std::int64_t>(bufferLen_) &&
      need <= bufferLen_ - static_cast<std::size_t>(pos - bufferPos_)) {
    std::size_t offset = static_cast<std::size_t>(pos - bufferPos_);
    out = std::span<const std::uint8_t>(buffer_).subspan(offset, bufferLen_ - offset);
    return true;
  }
  std::size_t want = std::min(std::max(need, readSize_), kMaxFetch + kReadSlack);
  const std::int64_t size = Size();
  std::size_t fromFile =
      pos >= size ? 0 : static_cast<std::size_t>(std::min<std::int64_t>(size - pos, static_cast<std::int64_t>(want)));
  if (fromFile > 0) {
    std::size_t got = 0;
    Status status = file_.ReadAt(static_cast<std::uint64_t>(pos), buffer_.data(), fromFile, got);
    // A short read means the file shrank or failed under us: never fill in stale bytes.
    if (!status.ok() || got != fromFile) {
      bufferLen_ = 0;
      return false;
    }
  }
  std::memset(buffer_.data() + fromFile, 0, want - fromFile);
  bufferPos_ = pos;
  bufferLen_ = want;
  out = std::span<const std::uint8_t>(buffer_).first(want);
  return true;
}

}  // namespace ordonna
