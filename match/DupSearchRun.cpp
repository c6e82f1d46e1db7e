// The worker thread of one duplicates search.
#include "match/DupSearchRun.h"

#include <string>

namespace ordonna {

DupSearchRun::~DupSearchRun() {
  state_.Answer.Set(kDupStop);
  Wait();
}

void DupSearchRun::Start(const EntryList& list, const DupSearchSettings& settings, ThreadPriorityLevel priority) {
  Wait();
  state_.Answer.Set(kDupNoAnswer);
  ended_ = false;
  worker_ = std::thread([this, &list, settings, priority] {
    priority_ = SetCurrentThreadPriority(priority);
    StatePairQuestion question(list, state_, settings.Style);
    (void)RunDupSearch(list, settings, state_, marks_, question);
    ended_.store(true, std::memory_order_release);
  });
}

void DupSearchRun::Wait() {
  if (worker_.joinable()) worker_.join();
}

DeletionResult DupSearchRun::Delete(ListStore& list) {
  Wait();
  state_.Answer.Set(kDupNoAnswer);
  return ApplyDeletions(list, marks_);
}

void DupSearchRun::Undo() {
  state_.Answer.Set(kDupStop);
  Wait();
}

DeletionResult DupSearchRun::Close(ListStore& list, Caller& caller) {
  // The marks are read only once the worker no longer reads the list.
  state_.Answer.Set(kDupStop);
  Wait();
  DeletionResult result;
  if (state_.Running && state_.ToDelete > 0) {
    if (caller.AskYesNo(kRevertQuestion, kRevertTitle, Answer::Yes) == Answer::No) {
      result = ApplyDeletions(list, marks_);
    }
  }
  state_.Running = false;
  return result;
}

std::string ItemsLeftText(std::uint32_t itemCount) { return std::to_string(itemCount) + " items left."; }

}  // namespace ordonna
