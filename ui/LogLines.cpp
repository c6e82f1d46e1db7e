// What the duplicates search and comparison windows show of a run.
#include "ui/LogLines.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QStringList>

#include "match/WorkerState.h"
#include "ui/QtText.h"

namespace ordonna {
namespace {

constexpr std::size_t kLinesPerBatch = 500;
constexpr qint64 kMillisecondsPerCall = 20;

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

}  // namespace

bool ShowNewLines(QListWidget& list, const LogList& log, std::size_t& shown) {
  QElapsedTimer spent;
  spent.start();
  for (;;) {
    const std::vector<std::string> lines = log.LinesFrom(shown, kLinesPerBatch);
    AppendFollowingLast(list, lines);
    shown += lines.size();
    if (lines.size() < kLinesPerBatch) return true;
    if (spent.elapsed() >= kMillisecondsPerCall) return false;
  }
}

void ShowFittingLine(QLabel& label, const std::string& line) {
  const QFontMetrics metrics(label.font());
  QString text = ToQString(line);
  if (metrics.horizontalAdvance(text) > label.width()) {
    while (!text.isEmpty() && metrics.horizontalAdvance(text + QStringLiteral("...")) > label.width()) text.chop(1);
    text += QStringLiteral("...");
  }
  label.setText(text);
}

}  // namespace ordonna
