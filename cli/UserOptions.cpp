// Options for commands.
#include "cli/UserOptions.h"

#include "config/ConfigFile.h"

namespace ordonna::cli {

Status LoadCommandOptions(const std::string& path, Platform& platform, AppOptions& options) {
  std::string folder = platform.ConfigFolder();
  options = AppOptions{};
  SetFactoryDefaults(options, FactoryContext{0, 0, folder});
  if (!path.empty()) return LoadConfiguration(path, options);
  (void)LoadConfiguration(CommandOptionsFile(path, platform), options);
  return Status::Ok();
}

std::string CommandOptionsFile(const std::string& path, Platform& platform) {
  return path.empty() ? platform.ConfigFolder() + "/ordonna.ini" : path;
}

}  // namespace ordonna::cli
