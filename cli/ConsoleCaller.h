// The Caller of ordonna-cli: messages go to stderr, questions are answered by policy (or
// asked on the terminal; a question answered by policy is printed with its answer), status texts become a progress line
// on a terminal, and Ctrl-C clears the running flag as the CANCEL button does.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "core/Caller.h"

namespace ordonna::cli {

class ConsoleCaller final : public Caller {
 public:
  enum class Policy {
    Preferred,  // take the answer the question proposes
    Yes,
    No,
    Ask,  // ask on the terminal (falls back to Preferred without one)
  };

  ConsoleCaller(Policy policy, bool showProgress);
  ~ConsoleCaller() override;

  // From now on Ctrl-C asks the running operation to stop instead of killing the program.
  static void CatchInterrupts();

  Answer AskYesNo(std::string_view text, std::string_view title, Answer preferred) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title, Answer preferred) override;
  void ShowMessage(std::string_view text, std::string_view title, MessageKind kind) override;
  void SetStatus(std::string_view text) override;
  void ProcessEvents() override {}
  bool Running() const override;

 private:
  Answer Decide(std::string_view text, std::string_view title, Answer preferred, bool withCancel);
  void ClearProgress();

  Policy policy_;
  bool showProgress_;
  bool progressShown_ = false;
  long long lastProgressMs_ = 0;
};

// The progress line of a long search on stderr, only while stderr is a terminal: the share
// of the outer loop done, the entries found so far, the time spent and an estimate of the
// rest. Updates may come from any thread and often; the line is redrawn a few times a
// second, cleared while a question is asked (Pause, Resume) and at the end.
class ProgressLine {
 public:
  // `found` names the count, as in "120 marked".
  ProgressLine(bool wanted, std::string found);
  ~ProgressLine();
  void Update(std::uint16_t thousandths, std::uint32_t found);
  void Pause();
  void Resume();

 private:
  void Clear();

  std::mutex mutex_;
  const bool shown_;
  const std::string found_;
  const std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDrawn_;
  bool drawn_ = false;
  bool paused_ = false;
};

// "42.0 % done, 120 marked, 0:12 elapsed, about 0:16 left" (no estimate before any progress).
std::string ProgressText(std::uint16_t thousandths, std::uint32_t found, std::string_view what, double elapsedSeconds);

// "\r\n" and "\n\n" in the program's texts read as plain line breaks on a console.
std::string ConsoleText(std::string_view text);

}  // namespace ordonna::cli
