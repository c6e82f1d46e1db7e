// POSIX file mapping with a bus-error guard. Reading a mapped page that no longer has file
// behind it raises SIGBUS; the handler puts zero pages in place of the rest of the mapping,
// notes it for the reading thread and lets the read resume.
#include "platform/MappedFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cstdint>
#include <mutex>

namespace ordonna {
namespace {

// The calling thread's open mapping. Plain data: the signal handler reads and writes it.
struct GuardedRange {
  std::uintptr_t Begin = 0;
  std::uintptr_t End = 0;  // page-rounded
  bool Vanished = false;
};
thread_local GuardedRange tGuarded;

struct sigaction gPreviousAction {};
std::uintptr_t gPageSize = 4096;

void OnBusError(int signal, siginfo_t* info, void* context) {
  GuardedRange& guarded = tGuarded;
  auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  if (address >= guarded.Begin && address < guarded.End) {
    std::uintptr_t page = address & ~(gPageSize - 1);
    void* zeros = mmap(reinterpret_cast<void*>(page), guarded.End - page, PROT_READ,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (zeros != MAP_FAILED) {
      guarded.Vanished = true;
      return;
    }
  }
  // Not a page of ours: hand the signal to whoever had it before.
  if ((gPreviousAction.sa_flags & SA_SIGINFO) != 0 && gPreviousAction.sa_sigaction != nullptr) {
    gPreviousAction.sa_sigaction(signal, info, context);
  } else if (gPreviousAction.sa_handler != SIG_DFL && gPreviousAction.sa_handler != SIG_IGN) {
    gPreviousAction.sa_handler(signal);
  } else {
    // The faulting read runs again and meets the default action.
    sigaction(SIGBUS, &gPreviousAction, nullptr);
  }
}

bool InstallGuard() {
  gPageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  struct sigaction action {};
  action.sa_sigaction = OnBusError;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  return sigaction(SIGBUS, &action, &gPreviousAction) == 0;
}

bool GuardInstalled() {
  static std::once_flag once;
  static bool installed = false;
  std::call_once(once, [] { installed = InstallGuard(); });
  return installed;
}

}  // namespace

MappedFile::~MappedFile() {
  if (mappedSize_ == 0) return;
  tGuarded = {};
  munmap(const_cast<std::uint8_t*>(data_), mappedSize_);
}

bool MappedFile::Open(const std::string& path) {
  assert(tGuarded.End == 0 && "one open mapping per thread");
  if (data_ != nullptr || !GuardInstalled()) return false;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
                 static_cast<std::uintmax_t>(info.st_size) <= SIZE_MAX / 2;
  if (!regular) {
    close(fd);
    return false;
  }
  size_ = static_cast<std::size_t>(info.st_size);
  if (size_ == 0) {
    close(fd);
    return true;
  }
  void* data = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (data == MAP_FAILED) {
    size_ = 0;
    return false;
  }
  madvise(data, size_, MADV_SEQUENTIAL);
  data_ = static_cast<const std::uint8_t*>(data);
  mappedSize_ = (size_ + gPageSize - 1) & ~(gPageSize - 1);
  auto begin = reinterpret_cast<std::uintptr_t>(data_);
  tGuarded = {begin, begin + mappedSize_, false};
  return true;
}

bool MappedFile::Vanished() const { return mappedSize_ != 0 && tGuarded.Vanished; }

}  // namespace ordonna
