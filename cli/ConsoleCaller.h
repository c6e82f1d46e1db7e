// The Caller of ordonna-cli: messages go to stderr, questions are answered by policy (or
// asked on the terminal; a question answered by policy is printed with its answer), status texts become a progress line
// on a terminal, and Ctrl-C clears the running flag as the CANCEL button does.
#pragma once

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

// "\r\n" and "\n\n" in the program's texts read as plain line breaks on a console.
std::string ConsoleText(std::string_view text);

}  // namespace ordonna::cli
