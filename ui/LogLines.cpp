// The log list of the duplicates search and comparison windows.
#include "ui/LogLines.h"

#include <QListWidget>

#include "ui/QtText.h"

namespace ordonna {

void AppendFollowingLast(QListWidget& log, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    const bool followLast = log.count() < 1 || log.currentRow() == log.count() - 1;
    log.addItem(ToQString(line));
    if (log.count() < 2) {
      log.setCurrentRow(0);
    } else if (followLast) {
      log.setCurrentRow(log.count() - 1);
    }
  }
}

}  // namespace ordonna
