// One comparison on its worker thread, as the progress window drives it: start, answers, the
// abort question with the worker held still, and the removal after "&DELETE", applied only
// once the worker has ended.
#pragma once

#include <atomic>
#include <thread>

#include "core/Caller.h"
#include "match/Comparison.h"
#include "platform/ThreadPriority.h"

namespace ordonna {

class CompareRun {
 public:
  CompareRun() = default;
  CompareRun(const CompareRun&) = delete;
  CompareRun& operator=(const CompareRun&) = delete;
  // Stops the worker and waits for it.
  ~CompareRun();

  // Starts the worker. `current` and `external` must outlive the run. The loaders' questions
  // and messages wait in State().Requests for the window (ServeRequests).
  void Start(const ListStore& current, EntryList& external, const CompareSettings& settings,
             ThreadPriorityLevel priority);

  CompareState& State() { return state_; }
  bool Ended() const { return ended_.load(std::memory_order_acquire); }
  // REQUIRES: Ended().
  CompareEnd End() const { return end_; }
  const CompareMarks& Marks() const { return marks_; }

  // A stop (8 or 32) also answers a waiting loader's question No.
  void SetAnswer(std::uint8_t answer);
  // Shows the waiting messages and asks the waiting question through `caller`, on the
  // caller's thread. Returns false when nothing was waiting.
  bool ServeRequests(Caller& caller);
  void Wait();

  // "&ABORT": while the pair loop runs, holds the worker, asks whether to save what was found
  // (when there is something) and stops with or without saving; otherwise answers 32.
  void Abort(Caller& caller);

  // Closing the window: stops the worker if it still runs, waits for it, then applies the
  // removal of actions 4 and 9 when the user pressed "&DELETE".
  DeletionResult Close(ListStore& current);

 private:
  CompareState state_;
  CompareMarks marks_;
  CompareSettings settings_;
  CompareEnd end_ = CompareEnd::Stopped;
  std::atomic<bool> ended_{true};
  std::thread worker_;
};

}  // namespace ordonna
