// Scripted answers; unexpected questions are reported as test failures.
#include "support/ScriptedCaller.h"

#include <gtest/gtest.h>

namespace ordonna::testing {

Answer ScriptedCaller::Next(std::string_view text) {
  asked.emplace_back(text);
  if (questions_.empty()) {
    ADD_FAILURE() << "unexpected question: " << text;
    return Answer::Cancel;
  }
  Question question = questions_.front();
  questions_.pop_front();
  if (!question.Text.empty()) {
    EXPECT_EQ(question.Text, text);
  }
  return question.Reply;
}

Answer ScriptedCaller::AskYesNo(std::string_view text, std::string_view, Answer) { return Next(text); }

Answer ScriptedCaller::AskYesNoCancel(std::string_view text, std::string_view, Answer) { return Next(text); }

void ScriptedCaller::ShowMessage(std::string_view text, std::string_view title, MessageKind kind) {
  messages.push_back({std::string(text), std::string(title), kind});
}

void ScriptedCaller::ProcessEvents() {
  ++eventsProcessed;
  if (cancelAfter_ >= 0 && cancelAfter_-- == 0) running_ = false;
}

}  // namespace ordonna::testing
