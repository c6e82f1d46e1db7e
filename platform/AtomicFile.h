// A file that replaces its target only when complete: the content goes to a temporary file
// beside the target, which Commit flushes to disk and renames over the target. Until then,
// and after any failure, the target keeps its old content.
#pragma once

#include <cstddef>
#include <string>

#include "core/Status.h"

namespace ordonna {

class AtomicFile {
 public:
  AtomicFile() = default;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  // An uncommitted file is discarded.
  ~AtomicFile();

  // Creates the temporary file beside `target`.
  [[nodiscard]] Status Open(const std::string& target);
  // Buffered; the first failure is kept and returned again by every later call.
  [[nodiscard]] Status Write(const void* data, std::size_t size);
  // Flushes, syncs, closes and renames over the target. A replaced target's permissions
  // are kept; a new target gets the permissions of any new file (the umask applies).
  [[nodiscard]] Status Commit();
  // Removes the temporary file; the target is untouched.
  void Discard();

 private:
  [[nodiscard]] Status Flush();

  int fd_ = -1;
  std::string target_;
  std::string temporary_;
  std::string buffer_;
  Status error_;
};

}  // namespace ordonna
