// The comparison's worker thread.
#include "match/CompareRun.h"

namespace ordonna {

CompareRun::~CompareRun() {
  state_.Paused = false;
  state_.Paused.notify_all();
  state_.Answer.Set(kCompareStop);
  Wait();
}

void CompareRun::Start(const ListStore& current, EntryList& external, const CompareSettings& settings,
                       ThreadPriorityLevel priority, Caller& caller) {
  Wait();
  settings_ = settings;
  state_.Answer.Set(kCompareNoAnswer);
  ended_ = false;
  worker_ = std::thread([this, &current, &external, priority, &caller] {
    (void)SetCurrentThreadPriority(priority);
    StateCompareQuestion question(current.Working(), external, state_, settings_);
    end_ = RunComparison(current, external, settings_, state_, marks_, question, caller);
    ended_.store(true, std::memory_order_release);
  });
}

void CompareRun::Wait() {
  if (worker_.joinable()) worker_.join();
}

void CompareRun::Abort(Caller& caller) {
  if (!state_.Running) {
    state_.Answer.Set(kCompareIdleStop);
    return;
  }
  state_.Paused = true;
  std::string_view question = AbortQuestion(settings_.Action, state_.UniqueCount, state_.MatchCount);
  bool save = !question.empty() && caller.AskYesNo(question, kAbortPromptTitle, Answer::Yes) == Answer::Yes;
  state_.Answer.Set(save ? kCompareStopAndSave : kCompareStop);
  state_.Paused = false;
  state_.Paused.notify_all();
}

DeletionResult CompareRun::Close(ListStore& current) {
  if (!Ended()) {
    state_.Paused = false;
    state_.Paused.notify_all();
    // A worker waiting for "&DELETE" takes any answer but 4 as "no changes"; one already
    // given stands.
    if (!state_.AwaitingDelete) {
      state_.Answer.Set(kCompareStop);
    } else if (state_.Answer.ClearUnless(kCompareRemove, kCompareIdleStop) == 0) {
      state_.Answer.Set(kCompareIdleStop);
    }
  }
  Wait();
  if (end_ == CompareEnd::Remove) return ApplyRemoval(current, marks_, settings_.Action);
  return {};
}

}  // namespace ordonna
