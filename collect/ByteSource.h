// Where the analysis gets a file's bytes: from memory (tests, fuzzing) or from a file read
// in chunks into a buffer the analyser keeps. Positions past the end of the file read as zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/InputFile.h"

namespace ordonna {

class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // The byte size of the file.
  virtual std::int64_t Size() const = 0;

  // Sets `out` to the bytes from `pos` on: at least `need` of them, zeros where they lie past
  // the end of the file, possibly more. `out` stays valid until the next call. False on a read
  // error. REQUIRES: pos >= 0, need <= kMaxFetch.
  [[nodiscard]] virtual bool Fetch(std::int64_t pos, std::size_t need, std::span<const std::uint8_t>& out) = 0;

  // The largest `need` a caller may ask for.
  static constexpr std::size_t kMaxFetch = 1 << 20;
};

// A file held in memory (or mapped). Fetches near the end copy the rest of the file into
// `padded`, followed by zeros; a caller analysing many files passes a buffer it keeps.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> file) : file_(file), padded_(ownPadded_) {}
  MemorySource(std::span<const std::uint8_t> file, std::vector<std::uint8_t>& padded) : file_(file), padded_(padded) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(file_.size()); }
  [[nodiscard]] bool Fetch(std::int64_t pos, std::size_t need, std::span<const std::uint8_t>& out) override;

 private:
  std::span<const std::uint8_t> file_;
  std::vector<std::uint8_t> ownPadded_;
  std::vector<std::uint8_t>& padded_;
};

// A file on disk, read into a caller-owned buffer of at least
// kMaxFetch + kReadSlack bytes. Each read fetches max(need, readSize) bytes, so a caller
// chooses between few large reads and reading only what it looks at. The file is only read.
class FileSource final : public ByteSource {
 public:
  static constexpr std::size_t kReadSlack = 4096;

  FileSource(std::vector<std::uint8_t>& buffer, std::size_t readSize) : buffer_(buffer), readSize_(readSize) {}

  // Opens `path` read-only and takes its size. False when it cannot or is no regular file.
  [[nodiscard]] bool Open(const std::string& path);
  std::int64_t Size() const override { return static_cast<std::int64_t>(file_.Size()); }
  [[nodiscard]] bool Fetch(std::int64_t pos, std::size_t need, std::span<const std::uint8_t>& out) override;
  void SetReadSize(std::size_t readSize) { readSize_ = readSize; }

 private:
  std::vector<std::uint8_t>& buffer_;
  std::size_t readSize_;
  InputFile file_;
  std::int64_t bufferPos_ = 0;  // file position of buffer_[0]
  std::size_t bufferLen_ = 0;   // valid bytes in buffer_ (file bytes, then zeros past the end)
};

}  // namespace ordonna
