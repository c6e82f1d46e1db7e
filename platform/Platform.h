// Host services behind one interface, so the logic never calls the operating system
// directly and tests can substitute a fake. One implementation per operating system.
#pragma once

#include <memory>
#include <string>

#include "core/Status.h"

namespace ordonna {

class Platform {
 public:
  virtual ~Platform() = default;

  // Folder of "ordonna.ini": $ORDONNA_HOME when set, else the user's configuration folder.
  // Created (owner-only) when missing. No trailing separator.
  virtual std::string ConfigFolder() = 0;
  // Folder of the temporary list files: $ORDONNA_HOME when set, else the user's cache folder.
  virtual std::string TempFolder() = 0;
  // The user's home folder; stands for the stored default folder "c:\".
  virtual std::string HomeFolder() = 0;

  // The locale's short date format as strftime conversions (%d, %m, %y, %Y, ...).
  virtual std::string ShortDateFormat() = 0;
};

// The implementation for the system this program was built for.
std::unique_ptr<Platform> MakeHostPlatform();

// Writes `size` bytes to a temporary file beside `path`, flushes it to disk and renames it
// over `path`. On any failure the temporary file is removed and `path` is left untouched.
[[nodiscard]] Status ReplaceFileAtomically(const std::string& path, const void* data, std::size_t size);

}  // namespace ordonna
