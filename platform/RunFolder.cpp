// Per-run temporary folders: creation, removal at exit and on signals, and the clearing of
// folders left by runs that were killed.
#include "platform/RunFolder.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <vector>

#include "core/Snapshot.h"

namespace ordonna {
namespace {

constexpr std::string_view kPrefix = "run.";

std::string& ActivePath() {
  static std::string path;
  return path;
}

// What a signal handler removes: the temporary files, then the folder last. Built before the
// handlers are installed and left alone while they may run, so the handler only reads it.
std::vector<std::string>& SignalRemovals() {
  static std::vector<std::string> paths;
  return paths;
}

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemoveOnSignal(int signal) {
  // unlink and rmdir are safe in a signal handler; nothing here allocates.
  const std::vector<std::string>& paths = SignalRemovals();
  for (std::size_t i = 0; i + 1 < paths.size(); ++i) unlink(paths[i].c_str());
  if (!paths.empty()) rmdir(paths.back().c_str());
  // The handler was installed to run once: the signal now ends the process as usual.
  raise(signal);
}

bool ProcessAlive(pid_t pid) { return kill(pid, 0) == 0 || errno == EPERM; }

}  // namespace

RunFolder::RunFolder(const std::string& base) : path_(base + "/" + std::string(kPrefix) + std::to_string(getpid())) {
  // A run whose folder cannot be made works without temporary files (their writes fail and
  // say so) rather than in the shared names.
  mkdir(path_.c_str(), 0700);
  ActivePath() = path_;
  std::vector<std::string>& removals = SignalRemovals();
  for (std::string_view name : {temp_file::kScanSnapshot, temp_file::kImportBackup, temp_file::kImportWork,
                                temp_file::kViewerUndo, temp_file::kViewerFilter}) {
    removals.push_back(path_ + "/" + std::string(name));
  }
  removals.push_back(path_);
  struct sigaction action {};
  action.sa_handler = RemoveOnSignal;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

RunFolder::~RunFolder() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int signal : kSignals) {
    struct sigaction current {};
    // A handler installed since (the command line's Ctrl-C as cancel) stays as it is.
    if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler == RemoveOnSignal) {
      sigaction(signal, &action, nullptr);
    }
  }
  SignalRemovals().clear();
  ActivePath().clear();
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string CurrentRunFolder() { return ActivePath(); }

void RemoveEndedRunFolders(const std::string& base) {
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(base, error)) {
    const std::string name = item.path().filename().string();
    if (name.compare(0, kPrefix.size(), kPrefix) != 0) continue;
    int pid = 0;
    const char* digits = name.data() + kPrefix.size();
    const char* end = name.data() + name.size();
    auto [stop, parsed] = std::from_chars(digits, end, pid);
    if (parsed != std::errc() || stop != end || pid <= 0 || ProcessAlive(pid)) continue;
    std::error_code ignored;
    std::filesystem::remove_all(item.path(), ignored);
  }
}

}  // namespace ordonna
