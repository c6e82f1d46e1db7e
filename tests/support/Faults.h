// Sources and sinks that fail as a damaged or full disk does, for every reader and writer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/InputSource.h"
#include "core/OutputSink.h"

namespace ordonna::testing {

// Accepts `limit` bytes, then fails every write, as a full disk does.
class FailingSink final : public OutputSink {
 public:
  explicit FailingSink(std::size_t limit) : limit_(limit) {}
  Status Write(std::string_view bytes) override {
    if (written + bytes.size() > limit_) {
      written = limit_;
      return Status::IoError("Cannot write file", "disk full");
    }
    written += bytes.size();
    return Status::Ok();
  }
  std::size_t written = 0;

 private:
  std::size_t limit_;
};

// Holds `bytes` but fails every read that reaches past the first `readable` of them.
class FailingInput final : public InputSource {
 public:
  FailingInput(std::string bytes, std::size_t readable) : bytes_(std::move(bytes)), readable_(readable) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  Status ReadAt(std::uint64_t offset, void* data, std::size_t size, std::size_t& got) override {
    got = 0;
    if (offset + size > readable_ && offset < bytes_.size()) return Status::IoError("Cannot read file", "bad sector");
    return MemoryInput(bytes_).ReadAt(offset, data, size, got);
  }

 private:
  std::string bytes_;
  std::size_t readable_;
};

}  // namespace ordonna::testing
