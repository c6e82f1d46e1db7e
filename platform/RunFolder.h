// The temporary folder of one command-line run. The fixed temporary names assume one
// program per user, so each command-line run works in a folder of its own, "run." and its
// process id, below the per-user temporary folder. The window, which runs alone, keeps the
// fixed names there and clears the folders of runs that ended without removing theirs.
#pragma once

#include <string>

namespace ordonna {

class RunFolder {
 public:
  // Creates the folder below `base` (owner-only) and makes it the TempFolder of every
  // Platform of this process. It goes, with the temporary files in it, when this object is
  // destroyed and when SIGINT, SIGTERM or SIGHUP ends the process; the signal then takes its
  // default action. One at a time per process.
  explicit RunFolder(const std::string& base);
  ~RunFolder();
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The folder of the RunFolder alive in this process, or empty.
std::string CurrentRunFolder();

// Removes the run folders below `base` whose process has ended, with everything in them.
void RemoveEndedRunFolders(const std::string& base);

}  // namespace ordonna
