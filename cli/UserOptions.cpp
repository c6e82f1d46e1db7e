// Options for commands.
#include "cli/UserOptions.h"

#include "config/ConfigFile.h"

namespace ordonna::cli {

Status LoadCommandOptions(const std::string& path, Platform& platform, AppOptions& options) {
  std::string folder = platform.ConfigFolder();
  options = AppOptions{};
  SetFactoryDefaults(options, FactoryContext{0, 0, folder});
  if (!path.empty()) return LoadConfiguration(path, options);
  (void)LoadConfiguration(folder + "/ordonna.ini", options);
  return Status::Ok();
}

}  // namespace ordonna::cli
