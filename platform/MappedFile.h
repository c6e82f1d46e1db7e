// A file mapped read-only into memory, for reading large files without copying them. A page
// that vanishes while mapped (another program cut the file short, or the disk failed) reads
// as zeros instead of ending the program, and the mapping reports it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace ordonna {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the regular file at `path`. False when it cannot be mapped; the caller then reads
  // it. A thread holds one open mapping at a time.
  [[nodiscard]] bool Open(const std::string& path);

  std::span<const std::uint8_t> Bytes() const { return {data_, size_}; }

  // True when part of the file vanished while mapped: the bytes read may be zeros in
  // place of the file's.
  bool Vanished() const;

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mappedSize_ = 0;
};

}  // namespace ordonna
