// POSIX implementation of the output rules: links resolved by hand (so a dangling link's
// target can be created), temp-file-and-rename for files, plain writes for devices.
#include "platform/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace ordonna {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;
constexpr int kMaxLinks = 40;

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

Status ErrorStatus(std::string_view what, const std::string& path, int error) {
  return Status::IoError(what, path + " (" + std::strerror(error) + ")");
}

// The name at the end of a chain of symbolic links; `path` itself when it is no link (or
// does not exist). A relative link counts from the folder of the link.
bool FollowLinks(std::string path, std::string& resolved) {
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      resolved = path;
      return true;
    }
    std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4095) + 1, '\0');
    ssize_t length = readlink(path.c_str(), link.data(), link.size());
    if (length < 0 || static_cast<std::size_t>(length) >= link.size()) return false;
    link.resize(static_cast<std::size_t>(length));
    std::size_t slash = path.find_last_of('/');
    path = link.front() == '/' || slash == std::string::npos ? link : path.substr(0, slash + 1) + link;
  }
  errno = ELOOP;
  return false;
}

// The descriptor a name stands for when it names one the program holds open ("/dev/stdout",
// "/dev/fd/1", "/proc/self/fd/1"), else -1. Such a name is written through that descriptor,
// at its own position, whatever it leads to: "> out.txt" of a shell then receives the output.
int DescriptorNamed(const std::string& name) {
  int fd = -1;
  if (name == "/dev/stdout") {
    fd = 1;
  } else if (name == "/dev/stderr") {
    fd = 2;
  } else {
    for (std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
      if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
      std::string_view digits = std::string_view(name).substr(prefix.size());
      if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string_view::npos) return -1;
      fd = std::stoi(std::string(digits));
    }
  }
  return fd >= 0 && fcntl(fd, F_GETFD) != -1 ? fd : -1;
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

Status OutputFile::Open(const std::string& target, Use use) {
  Discard();
  use_ = use;
  target_ = target;
  if (int held = DescriptorNamed(target); held >= 0) {
    fd_ = fcntl(held, F_DUPFD_CLOEXEC, 3);
    direct_ = fd_ >= 0;
    error_ = fd_ >= 0 ? Status::Ok() : ErrorStatus("Cannot create file", target, errno);
    return error_;
  }
  // The kernel follows every link here, the links of /proc included.
  struct stat info {};
  const bool exists = stat(target.c_str(), &info) == 0;
  if (exists && S_ISDIR(info.st_mode)) {
    error_ = ErrorStatus("Cannot create file", target, EISDIR);
    return error_;
  }
  direct_ = exists && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode));
  if (exists && !direct_ && !S_ISREG(info.st_mode)) {
    error_ = Status::IoError("Cannot create file", target + " (not a regular file)");
    return error_;
  }
  if (direct_) {
    fd_ = open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  } else if (FollowLinks(target, target_)) {
    temporary_ = target_ + ".tmp-XXXXXX";
    fd_ = mkstemp(temporary_.data());
  }
  if (fd_ < 0) {
    error_ = ErrorStatus("Cannot create file", temporary_.empty() ? target_ : temporary_, errno);
    temporary_.clear();
    return error_;
  }
  error_ = Status::Ok();
  buffer_.reserve(kBufferSize);
  return error_;
}

Status OutputFile::Write(std::string_view bytes) {
  if (fd_ < 0 && error_.ok()) error_ = Status::IoError("File is not open", target_);
  if (!error_.ok()) return error_;
  if (buffer_.size() + bytes.size() < kBufferSize) {
    buffer_.append(bytes);
    return error_;
  }
  if (!Flush().ok()) return error_;
  // A large block (a whole list image) goes out as it is rather than through a copy; a small
  // one starts the next buffer instead of costing a write of its own.
  if (bytes.size() < kBufferSize) {
    buffer_.append(bytes);
  } else {
    WriteAll(bytes);
  }
  return error_;
}

Status OutputFile::Flush() {
  WriteAll(buffer_);
  buffer_.clear();
  return error_;
}

void OutputFile::WriteAll(std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size() && error_.ok();) {
    ssize_t written = write(fd_, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error_ = ErrorStatus("Cannot write file", direct_ ? target_ : temporary_, errno);
    } else {
      done += static_cast<std::size_t>(written);
    }
  }
}

Status OutputFile::Commit() {
  if (fd_ < 0 && error_.ok()) error_ = Status::IoError("File is not open", target_);
  if (error_.ok()) (void)Flush();
  if (direct_) {
    if (fd_ >= 0 && close(fd_) != 0 && error_.ok()) error_ = ErrorStatus("Cannot write file", target_, errno);
    fd_ = -1;
    return error_;
  }
  // mkstemp made the file owner-only: a replaced file keeps its permissions, a new one gets
  // those any new file of the user would get.
  struct stat old {};
  mode_t mode = use_ == Use::Temporary             ? mode_t{0600}
                : stat(target_.c_str(), &old) == 0 ? (old.st_mode & 07777)
                                                   : (0666 & ~CurrentUmask());
  if (error_.ok() && fchmod(fd_, mode) != 0) error_ = ErrorStatus("Cannot write file", temporary_, errno);
  if (error_.ok() && use_ == Use::Document && fsync(fd_) != 0)
    error_ = ErrorStatus("Cannot write file", temporary_, errno);
  if (fd_ >= 0 && close(fd_) != 0 && error_.ok()) error_ = ErrorStatus("Cannot write file", temporary_, errno);
  fd_ = -1;
  if (error_.ok() && rename(temporary_.c_str(), target_.c_str()) != 0) {
    error_ = ErrorStatus("Cannot replace file", target_, errno);
  }
  if (error_.ok()) {
    temporary_.clear();
  } else {
    Discard();
  }
  return error_;
}

void OutputFile::Discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
  buffer_.clear();
  direct_ = false;
}

Status WriteFileWith(const std::string& path, const std::function<Status(OutputSink&)>& write, OutputFile::Use use) {
  OutputFile file;
  Status status = file.Open(path, use);
  if (status.ok()) status = write(file);
  if (status.ok()) status = file.Commit();
  return status;
}

Status WriteWholeFile(const std::string& path, std::string_view bytes) {
  return WriteFileWith(path, [&](OutputSink& sink) { return sink.Write(bytes); });
}

}  // namespace ordonna
