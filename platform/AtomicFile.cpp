// POSIX implementation of the temp-file-and-rename replacement.
#include "platform/AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Platform.h"

namespace ordonna {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// The process's umask, read without changing it (umask(2) would race with other threads).
mode_t CurrentUmask() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  unsigned mask = 022;
  if (status != nullptr) {
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
      if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
    }
    std::fclose(status);
  }
  return static_cast<mode_t>(mask);
}

Status ErrnoStatus(std::string_view what, const std::string& path) {
  return Status::IoError(what, path + " (" + std::strerror(errno) + ")");
}

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

Status AtomicFile::Open(const std::string& target) {
  Discard();
  target_ = target;
  temporary_ = target + ".tmp-XXXXXX";
  fd_ = mkstemp(temporary_.data());
  if (fd_ < 0) {
    error_ = ErrnoStatus("Cannot create file", temporary_);
    temporary_.clear();
    return error_;
  }
  error_ = Status::Ok();
  buffer_.reserve(kBufferSize);
  return error_;
}

Status AtomicFile::Write(const void* data, std::size_t size) {
  if (fd_ < 0 && error_.ok()) error_ = Status::IoError("File is not open", target_);
  if (!error_.ok()) return error_;
  buffer_.append(static_cast<const char*>(data), size);
  return buffer_.size() >= kBufferSize ? Flush() : error_;
}

Status AtomicFile::Flush() {
  for (std::size_t done = 0; done < buffer_.size() && error_.ok();) {
    ssize_t written = write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error_ = ErrnoStatus("Cannot write file", temporary_);
    } else {
      done += static_cast<std::size_t>(written);
    }
  }
  buffer_.clear();
  return error_;
}

Status AtomicFile::Commit() {
  if (fd_ < 0 && error_.ok()) error_ = Status::IoError("File is not open", target_);
  if (error_.ok()) (void)Flush();
  // mkstemp made the file owner-only: a replaced file keeps its permissions, a new one gets
  // those any new file of the user would get.
  struct stat old {};
  mode_t mode = stat(target_.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
  if (error_.ok() && fchmod(fd_, mode) != 0) error_ = ErrnoStatus("Cannot write file", temporary_);
  if (error_.ok() && fsync(fd_) != 0) error_ = ErrnoStatus("Cannot write file", temporary_);
  if (fd_ >= 0 && close(fd_) != 0 && error_.ok()) error_ = ErrnoStatus("Cannot write file", temporary_);
  fd_ = -1;
  if (error_.ok() && rename(temporary_.c_str(), target_.c_str()) != 0) {
    error_ = ErrnoStatus("Cannot replace file", target_);
  }
  if (error_.ok()) {
    temporary_.clear();
  } else {
    Discard();
  }
  return error_;
}

void AtomicFile::Discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
  buffer_.clear();
}

Status ReplaceFileAtomically(const std::string& path, const void* data, std::size_t size) {
  AtomicFile file;
  Status status = file.Open(path);
  if (status.ok()) status = file.Write(data, size);
  if (status.ok()) status = file.Commit();
  return status;
}

}  // namespace ordonna
