// The comparison's worker thread.
#include "match/CompareRun.h"

namespace ordonna {

CompareRun::~CompareRun() {
  state_.Paused = false;
  state_.Paused.notify_all();
  SetAnswer(kCompareStop);
  Wait();
}

void CompareRun::Start(const ListStore& current, EntryList& external, const CompareSettings& settings,
                       ThreadPriorityLevel priority) {
  Wait();
  settings_ = settings;
  state_.Requests.Reset();
  state_.Answer.Set(kCompareNoAnswer);
  ended_ = false;
  worker_ = std::thread([this, &current, &external, priority] {
    (void)SetCurrentThreadPriority(priority);
    StateCompareQuestion question(current.Working(), external, state_, settings_);
    WorkerCaller caller(state_.Requests, state_.Texts);
    end_ = RunComparison(current, external, settings_, state_, marks_, question, caller);
    ended_.store(true, std::memory_order_release);
  });
}

void CompareRun::Wait() {
  if (worker_.joinable()) worker_.join();
}

void CompareRun::SetAnswer(std::uint8_t answer) {
  state_.Answer.Set(answer);
  if (answer == kCompareStop || answer == kCompareIdleStop) state_.Requests.Stop();
}

bool CompareRun::ServeRequests(Caller& caller) {
  bool served = false;
  while (std::optional<WorkerRequests::Request> request = state_.Requests.Next()) {
    served = true;
    if (request->Question) {
      state_.Requests.Reply(caller.AskYesNo(request->Text, request->Title, request->Preferred));
    } else {
      caller.ShowMessage(request->Text, request->Title, request->Kind);
    }
  }
  return served;
}

void CompareRun::Abort(Caller& caller) {
  if (!state_.Running) {
    SetAnswer(kCompareIdleStop);
    return;
  }
  state_.Paused = true;
  std::string_view question = AbortQuestion(settings_.Action, state_.UniqueCount, state_.MatchCount);
  bool save = !question.empty() && caller.AskYesNo(question, kAbortPromptTitle, Answer::Yes) == Answer::Yes;
  SetAnswer(save ? kCompareStopAndSave : kCompareStop);
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
      SetAnswer(kCompareStop);
    } else if (state_.Answer.ClearUnless(kCompareRemove, kCompareIdleStop) == 0) {
      SetAnswer(kCompareIdleStop);
    }
  }
  Wait();
  if (end_ == CompareEnd::Remove) return ApplyRemoval(current, marks_, settings_.Action);
  return {};
}

}  // namespace ordonna
