// What the duplicates search and comparison windows show of a run: the log list and the
// lines naming the two files of a pair.
#pragma once

#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace ordonna {

class LogList;

// Appends the lines of `log` from `shown` on (which it advances), for at most a few tens of
// milliseconds: a run can log thousands of lines at once, and the window must keep answering.
// True when every line is shown. The cursor follows the last line unless the user
// moved it up.
bool ShowNewLines(QListWidget& list, const LogList& log, std::size_t& shown);

// Shows `line` in `label`; too wide, it loses characters at its end to "...".
void ShowFittingLine(QLabel& label, const std::string& line);

}  // namespace ordonna
