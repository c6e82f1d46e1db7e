// The log list of the duplicates search and comparison windows.
#pragma once

#include <string>
#include <vector>

class QListWidget;

namespace ordonna {

// Appends `lines`; the cursor follows the last line unless the user moved it up.
void AppendFollowingLast(QListWidget& log, const std::vector<std::string>& lines);

}  // namespace ordonna
