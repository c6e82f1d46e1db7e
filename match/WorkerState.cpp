// The log list and the texts behind their mutex.
#include "match/WorkerState.h"

namespace ordonna {

void LogList::Add(std::string_view name) {
  std::lock_guard lock(mutex_);
  if (lines_.size() < kLimit) {
    lines_.emplace_back(name);
  } else if (lines_.size() == kLimit) {
    lines_.push_back(overflowLine_);
  }
}

void LogList::Clear() {
  std::lock_guard lock(mutex_);
  lines_.clear();
}

std::vector<std::string> LogList::LinesFrom(std::size_t first) const {
  std::lock_guard lock(mutex_);
  if (first >= lines_.size()) return {};
  return {lines_.begin() + static_cast<std::ptrdiff_t>(first), lines_.end()};
}

std::size_t LogList::Size() const {
  std::lock_guard lock(mutex_);
  return lines_.size();
}

void WorkerTexts::SetCaption(std::string_view caption, std::string_view progressLabel) {
  std::lock_guard lock(mutex_);
  texts_.Caption = caption;
  texts_.ProgressLabel = progressLabel;
}

void WorkerTexts::SetFiles(std::string_view file1, std::string_view file2) {
  std::lock_guard lock(mutex_);
  texts_.File1 = file1;
  texts_.File2 = file2;
}

void WorkerTexts::SetFinish(std::string_view finish) {
  std::lock_guard lock(mutex_);
  texts_.Finish = finish;
}

WorkerTexts::Snapshot WorkerTexts::Read() const {
  std::lock_guard lock(mutex_);
  return texts_;
}

}  // namespace ordonna
