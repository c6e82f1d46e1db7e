// The worker's requests, the log list and the texts behind their mutexes.
#include "match/WorkerState.h"
#include <algorithm>

namespace ordonna {

Answer WorkerRequests::Ask(std::string_view text, std::string_view title, Answer preferred) {
  std::unique_lock lock(mutex_);
  if (stopped_) return Answer::No;
  reply_.reset();
  queue_.push_back({true, std::string(text), std::string(title), preferred, MessageKind::Warning});
  replied_.wait(lock, [this] { return reply_.has_value() || stopped_; });
  Answer answer = stopped_ ? Answer::No : *reply_;
  reply_.reset();
  return answer;
}

void WorkerRequests::Tell(std::string_view text, std::string_view title, MessageKind kind) {
  std::lock_guard lock(mutex_);
  queue_.push_back({false, std::string(text), std::string(title), Answer::No, kind});
}

std::optional<WorkerRequests::Request> WorkerRequests::Next() {
  std::lock_guard lock(mutex_);
  if (queue_.empty()) return std::nullopt;
  Request request = std::move(queue_.front());
  queue_.pop_front();
  return request;
}

void WorkerRequests::Reply(Answer answer) {
  {
    std::lock_guard lock(mutex_);
    reply_ = answer;
  }
  replied_.notify_all();
}

void WorkerRequests::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    // A question not yet taken by the window is answered by the stop.
    std::erase_if(queue_, [](const Request& request) { return request.Question; });
  }
  replied_.notify_all();
}

void WorkerRequests::Reset() {
  std::lock_guard lock(mutex_);
  queue_.clear();
  reply_.reset();
  stopped_ = false;
}

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

std::vector<std::string> LogList::LinesFrom(std::size_t first, std::size_t most) const {
  std::lock_guard lock(mutex_);
  if (first >= lines_.size()) return {};
  const std::size_t last = first + std::min(most, lines_.size() - first);
  return {lines_.begin() + static_cast<std::ptrdiff_t>(first), lines_.begin() + static_cast<std::ptrdiff_t>(last)};
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
