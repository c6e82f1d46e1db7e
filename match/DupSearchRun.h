// One run of the duplicates search on its worker thread, as the progress window drives it:
// start, answer, stop, and the three ways to finish. Closing always stops the worker and
// waits for it before the list is touched.
#pragma once

#include <atomic>
#include <thread>

#include "core/Caller.h"
#include "match/DuplicateSearch.h"
#include "platform/ThreadPriority.h"

namespace ordonna {

class DupSearchRun {
 public:
  DupSearchRun() = default;
  DupSearchRun(const DupSearchRun&) = delete;
  DupSearchRun& operator=(const DupSearchRun&) = delete;
  // Stops the worker and waits for it.
  ~DupSearchRun();

  // Starts the worker over `list`, which must stay unchanged until the worker has ended.
  void Start(const EntryList& list, const DupSearchSettings& settings, ThreadPriorityLevel priority);

  DupSearchState& State() { return state_; }
  // REQUIRES: the worker has ended.
  const DeletionMarks& Marks() const { return marks_; }
  bool Ended() const { return ended_.load(std::memory_order_acquire); }
  // The priority the worker got (high falls back to normal when refused).
  ThreadPriorityLevel PriorityInForce() const { return priority_.load(); }

  // A button's answer; kDupStop also ends the worker's run.
  void SetAnswer(std::uint8_t answer) { state_.Answer.Set(answer); }
  void Wait();

  // "&DELETE" / "&CLOSE" after a completed run: applies the marks.
  DeletionResult Delete(ListStore& list);
  // "&UNDO" / "&ABORT": stops without deleting anything.
  void Undo();
  // Closing the window: stops the worker and waits for it, then, after an interrupted run
  // with entries marked, asks whether to revert; No applies the marks.
  DeletionResult Close(ListStore& list, Caller& caller);

 private:
  DupSearchState state_;
  DeletionMarks marks_;
  std::atomic<bool> ended_{true};
  std::atomic<ThreadPriorityLevel> priority_{ThreadPriorityLevel::Normal};
  std::thread worker_;
};

// "N items left." for the status line after the deletions.
std::string ItemsLeftText(std::uint32_t itemCount);

}  // namespace ordonna
