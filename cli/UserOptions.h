// The options a command works with: a configuration file named on the command line, or
// the user's own, or the factory defaults when the user has none.
#pragma once

#include <string>

#include "config/AppOptions.h"
#include "core/Status.h"
#include "platform/Platform.h"

namespace ordonna::cli {

// With `path` empty: the user's "ordonna.ini", falling back to the factory defaults. With a
// path: that file, and a failure when it cannot be loaded.
[[nodiscard]] Status LoadCommandOptions(const std::string& path, Platform& platform, AppOptions& options);

// The configuration file LoadCommandOptions reads for `path`.
std::string CommandOptionsFile(const std::string& path, Platform& platform);

}  // namespace ordonna::cli
