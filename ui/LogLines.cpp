// The log list of the duplicates search and comparison windows.
#include "ui/LogLines.h"

#include <QListWidget>
#include <QStringList>

#include "ui/QtText.h"

namespace ordonna {

void AppendFollowingLast(QListWidget& log, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  // Every line is one row of one height: a long log is not measured line by line.
  log.setUniformItemSizes(true);
  const bool followLast = log.count() < 1 || log.currentRow() == log.count() - 1;
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) texts << ToQString(line);
  log.addItems(texts);
  if (followLast) log.setCurrentRow(log.count() - 1);
}

}  // namespace ordonna
