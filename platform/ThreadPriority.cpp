// Per-thread nice values through setpriority on the thread id (Linux threads have their own).
#include "platform/ThreadPriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace ordonna {
namespace {

constexpr int kLowStep = 10;
constexpr int kHighStep = -5;

id_t ThreadId() { return static_cast<id_t>(syscall(SYS_gettid)); }

int ProcessNice() {
  errno = 0;
  // The main thread's value stands for the process.
  int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(getpid()));
  return errno == 0 ? nice : 0;
}

bool SetNice(int nice) { return setpriority(PRIO_PROCESS, ThreadId(), nice) == 0; }

}  // namespace

ThreadPriorityLevel ThreadPriorityOf(std::uint8_t option) {
  if (option == 0) return ThreadPriorityLevel::Low;
  if (option == 2) return ThreadPriorityLevel::High;
  return ThreadPriorityLevel::Normal;
}

ThreadPriorityLevel SetCurrentThreadPriority(ThreadPriorityLevel level) {
  const int base = ProcessNice();
  switch (level) {
    case ThreadPriorityLevel::Low:
      if (SetNice(base + kLowStep)) return level;
      break;
    case ThreadPriorityLevel::High:
      if (SetNice(base + kHighStep)) return level;
      break;
    case ThreadPriorityLevel::Normal: break;
  }
  // Normal is the process's own value; a thread that was nicer may not get back without
  // privilege, and then stays where it is.
  (void)SetNice(base);
  return ThreadPriorityLevel::Normal;
}

int CurrentThreadNice() {
  errno = 0;
  int nice = getpriority(PRIO_PROCESS, ThreadId());
  return errno == 0 ? nice : 0;
}

}  // namespace ordonna
