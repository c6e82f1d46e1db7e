// Where a reader gets its bytes: a file (platform/ opens those) or memory (tests, fuzzers).
// Every reader of the program takes one, so each is tested and fuzzed without a file.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "core/Status.h"

namespace ordonna {

class InputSource {
 public:
  virtual ~InputSource() = default;

  // The byte size when the source was opened.
  virtual std::uint64_t Size() const = 0;
  // Reads up to `size` bytes from `offset` on into `data`; `got` is less than `size` only at
  // the end. A failure of the medium is an error, never a short count.
  [[nodiscard]] virtual Status ReadAt(std::uint64_t offset, void* data, std::size_t size, std::size_t& got) = 0;
};

class MemoryInput final : public InputSource {
 public:
  explicit MemoryInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  explicit MemoryInput(std::string_view bytes)
      : bytes_(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) {}

  std::uint64_t Size() const override { return bytes_.size(); }
  [[nodiscard]] Status ReadAt(std::uint64_t offset, void* data, std::size_t size, std::size_t& got) override {
    got = offset >= bytes_.size() ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(size, bytes_.size() - offset));
    if (got != 0) std::memcpy(data, bytes_.data() + offset, got);
    return Status::Ok();
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

// Reads a source from its start on, one part after the other.
class SequentialReader {
 public:
  explicit SequentialReader(InputSource& source) : source_(source) {}

  // Reads up to `size` bytes; `got` is less only at the end.
  [[nodiscard]] Status Read(void* data, std::size_t size, std::size_t& got) {
    Status status = source_.ReadAt(offset_, data, size, got);
    offset_ += got;
    return status;
  }
  std::uint64_t Offset() const { return offset_; }
  InputSource& Source() { return source_; }

 private:
  InputSource& source_;
  std::uint64_t offset_ = 0;
};

}  // namespace ordonna
