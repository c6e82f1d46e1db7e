// The one way the program writes a named file, with the rules for what may be at that name:
// - a symbolic link is followed, and its final target is what gets written;
// - a regular file (or a new name) is replaced only when complete: the content goes to a
//   temporary file beside it, which Commit flushes to disk and renames over it, so until then,
//   and after any failure, the file keeps its old content;
// - a character device, FIFO or socket is written straight through, never replaced;
// - a name of a descriptor the program holds open ("/dev/stdout", "/dev/fd/N") is written
//   through that descriptor, whatever it leads to (a pipe, a terminal, a shell's "> file");
// - a folder or a block device is refused.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/OutputSink.h"
#include "core/Status.h"

namespace ordonna {

class OutputFile final : public OutputSink {
 public:
  // A document of the user (synced to disk, permissions as the umask allows), or a work file
  // of the program such as a snapshot (its owner's only, and not synced: it is never kept
  // across a crash).
  enum class Use { Document, Temporary };

  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // An uncommitted file is discarded.
  ~OutputFile() override;

  // Starts writing to `target` by the rules above.
  [[nodiscard]] Status Open(const std::string& target, Use use = Use::Document);
  // Buffered; the first failure is kept and returned again by every later call.
  [[nodiscard]] Status Write(std::string_view bytes) override;
  // Flushes, syncs (a document), closes and renames over the target. A replaced document
  // keeps its permissions; a new one gets those of any new file (the umask applies).
  [[nodiscard]] Status Commit();
  // Removes the temporary file; the target is untouched (what went straight through a
  // device stays sent).
  void Discard();

 private:
  [[nodiscard]] Status Flush();
  // Writes `bytes` to the file unbuffered; a failure is kept in error_.
  void WriteAll(std::string_view bytes);

  int fd_ = -1;
  bool direct_ = false;  // writing straight through a device, FIFO or socket
  Use use_ = Use::Document;
  std::string target_;
  std::string temporary_;
  std::string buffer_;
  Status error_;
};

// Opens `path` by the rules above, lets `write` fill it and commits; the first failure is
// returned and leaves a replaced file as it was.
[[nodiscard]] Status WriteFileWith(const std::string& path, const std::function<Status(OutputSink&)>& write,
                                   OutputFile::Use use = OutputFile::Use::Document);
// Writes `bytes` as the whole content of `path`.
[[nodiscard]] Status WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace ordonna
