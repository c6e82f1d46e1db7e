// POSIX reading of regular files with pread, so that one open file serves readers at any
// position without a shared file offset.
#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ordonna {

InputFile::~InputFile() {
  if (fd_ >= 0) close(fd_);
}

Status InputFile::Open(const std::string& path) {
  if (fd_ >= 0) close(fd_);
  path_ = path;
  size_ = 0;
  fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd_ < 0) return Status::IoError("Cannot open file", path + " (" + std::strerror(errno) + ")");
  struct stat info {};
  std::string reason;
  if (fstat(fd_, &info) != 0) {
    reason = std::strerror(errno);
  } else if (S_ISDIR(info.st_mode)) {
    reason = std::strerror(EISDIR);
  } else if (!S_ISREG(info.st_mode)) {
    reason = "not a regular file";
  }
  if (!reason.empty()) {
    close(fd_);
    fd_ = -1;
    return Status::IoError("Cannot open file", path + " (" + reason + ")");
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
  return Status::Ok();
}

Status InputFile::ReadAt(std::uint64_t offset, void* data, std::size_t size, std::size_t& got) {
  got = 0;
  if (fd_ < 0) return Status::IoError("File is not open", path_);
  auto* out = static_cast<char*>(data);
  while (got < size) {
    ssize_t read = pread(fd_, out + got, size - got, static_cast<off_t>(offset + got));
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) return Status::IoError("Cannot read file", path_ + " (" + std::strerror(errno) + ")");
    if (read == 0) break;
    got += static_cast<std::size_t>(read);
  }
  return Status::Ok();
}

}  // namespace ordonna
