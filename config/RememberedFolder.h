// The form in which the option record remembers a dialog folder: a stored string holds at
// most 255 bytes, and a folder cut in the middle of a name would not exist.
#pragma once

#include <string>
#include <string_view>

namespace ordonna {

// `folder` as it can be stored: unchanged when it fits in 255 bytes, otherwise cut back to
// its last "/" that fits, so the stored value is still a real folder (one of its ancestors).
std::string StoredFolder(std::string_view folder);

// The folder holding `fileName` (everything before its last "/", "/" for a file in the root,
// empty for a name without a folder), in the stored form of StoredFolder.
std::string StoredFolderOf(std::string_view fileName);

}  // namespace ordonna
