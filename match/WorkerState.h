// What a search or comparison worker shares with its progress window: the answer channel the
// worker blocks on, the questions and messages the window shows for it, the log list it fills
// and the texts it shows. Numbers are atomics; texts, requests and the log sit behind a mutex.
// Any thread may read; the worker writes, the window answers.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Caller.h"

namespace ordonna {

// The user's answer, written by the window and waited for by the worker.
class AnswerChannel {
 public:
  std::uint8_t Get() const { return answer_.load(std::memory_order_acquire); }
  // Stores the answer and wakes a worker waiting for one.
  void Set(std::uint8_t answer) {
    answer_.store(answer, std::memory_order_release);
    answer_.notify_all();
  }
  // Clears the answer before a question unless it is `keep` or `alsoKeep` (a stop must not
  // be lost). Returns 0 when cleared, else the answer kept.
  std::uint8_t ClearUnless(std::uint8_t keep, std::uint8_t alsoKeep) {
    std::uint8_t current = Get();
    while (current != keep && current != alsoKeep) {
      if (answer_.compare_exchange_weak(current, 0, std::memory_order_acq_rel)) return 0;
    }
    return current;
  }
  // Blocks until the answer is no longer 0 and returns it (no busy poll).
  std::uint8_t WaitForAnswer() const {
    std::uint8_t answer;
    while ((answer = Get()) == 0) answer_.wait(0, std::memory_order_acquire);
    return answer;
  }

 private:
  std::atomic<std::uint8_t> answer_{0};
};

// The questions and messages of a worker, shown by the window on its own thread (a worker
// never touches a window or the window's caller). Messages queue; a question blocks the
// worker until the window replies or the run stops, which answers No.
class WorkerRequests {
 public:
  struct Request {
    bool Question = false;
    std::string Text;
    std::string Title;
    Answer Preferred = Answer::No;            // questions
    MessageKind Kind = MessageKind::Warning;  // messages
  };

  // Worker side.
  Answer Ask(std::string_view text, std::string_view title, Answer preferred);
  void Tell(std::string_view text, std::string_view title, MessageKind kind);

  // Window side: the oldest request not yet taken. A question taken must be replied to.
  std::optional<Request> Next();
  void Reply(Answer answer);
  // The run stops: a waiting question and every later one are answered No.
  void Stop();
  // A new run: nothing pending, not stopped.
  void Reset();

 private:
  std::mutex mutex_;
  std::condition_variable replied_;
  std::deque<Request> queue_;
  std::optional<Answer> reply_;
  bool stopped_ = false;
};

// The log list box: the first 30,000 names, then one overflow line, then nothing more.
class LogList {
 public:
  static constexpr std::size_t kLimit = 30000;

  explicit LogList(std::string_view overflowLine) : overflowLine_(overflowLine) {}

  void Add(std::string_view name);
  void Clear();
  // At most `most` lines from `first` on (a window fetches only what is new).
  std::vector<std::string> LinesFrom(std::size_t first, std::size_t most = SIZE_MAX) const;
  std::size_t Size() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  std::string overflowLine_;
};

// The captions and labels a worker changes while it runs.
class WorkerTexts {
 public:
  struct Snapshot {
    std::string Caption;
    std::string ProgressLabel;
    std::string File1;
    std::string File2;
    std::string Finish;
  };

  void SetCaption(std::string_view caption, std::string_view progressLabel);
  void SetFiles(std::string_view file1, std::string_view file2);
  void SetFinish(std::string_view finish);
  Snapshot Read() const;

 private:
  mutable std::mutex mutex_;
  Snapshot texts_;
};

// The caller a worker hands to the loaders: questions and messages become requests, status
// texts show in the first file label. Stops are seen through the answer channel, not here.
class WorkerCaller final : public Caller {
 public:
  WorkerCaller(WorkerRequests& requests, WorkerTexts& texts) : requests_(requests), texts_(texts) {}
  Answer AskYesNo(std::string_view text, std::string_view title, Answer preferred) override {
    return requests_.Ask(text, title, preferred);
  }
  Answer AskYesNoCancel(std::string_view text, std::string_view title, Answer preferred) override {
    return requests_.Ask(text, title, preferred);
  }
  void ShowMessage(std::string_view text, std::string_view title, MessageKind kind) override {
    requests_.Tell(text, title, kind);
  }
  void SetStatus(std::string_view text) override { texts_.SetFiles(text, ""); }
  void ProcessEvents() override {}
  bool Running() const override { return true; }

 private:
  WorkerRequests& requests_;
  WorkerTexts& texts_;
};

}  // namespace ordonna
