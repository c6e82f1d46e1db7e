// The desktop's knowledge of list files: a MIME type for ".ordl" (by name and by its first
// four bytes) and a desktop entry that opens such files with the program, both per user.
#pragma once

#include <string>

namespace ordonna {

enum class FileTypeResult {
  Unchanged,    // everything was already in place
  Registered,   // files were written
  CannotStart,  // the first file could not be written: nothing was registered
  Incomplete,   // a later file could not be written
};

// Writes the MIME package and the desktop entry below `dataHome` (normally ~/.local/share)
// when they are missing or differ; `executable` is the program's absolute path.
FileTypeResult RegisterListFileType(const std::string& dataHome, const std::string& executable);

// The user's data folder: $XDG_DATA_HOME, else ~/.local/share.
std::string UserDataHome();

}  // namespace ordonna
