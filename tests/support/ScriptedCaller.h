// A Caller for tests: questions are answered from a queue prepared by the test, and any
// question the test did not expect (or asked with another text) fails the test.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/Caller.h"

namespace ordonna::testing {

class ScriptedCaller final : public Caller {
 public:
  struct Question {
    std::string Text;  // expected text, or empty to accept any
    Answer Reply;
  };
  struct Message {
    std::string Text;
    std::string Title;
    MessageKind Kind;
  };

  // Queues the answer to the next question.
  void Expect(std::string text, Answer reply) { questions_.push_back({std::move(text), reply}); }
  // Clears the running flag after `events` more calls of ProcessEvents (the user pressing CANCEL).
  void CancelAfter(int events) { cancelAfter_ = events; }

  Answer AskYesNo(std::string_view text, std::string_view title, Answer preferred) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title, Answer preferred) override;
  void ShowMessage(std::string_view text, std::string_view title, MessageKind kind) override;
  void SetStatus(std::string_view text) override { statuses.emplace_back(text); }
  void ProcessEvents() override;
  bool Running() const override { return running_; }

  // True when every queued answer was used.
  bool AllAnswered() const { return questions_.empty(); }

  std::vector<std::string> asked;
  std::vector<Message> messages;
  std::vector<std::string> statuses;
  int eventsProcessed = 0;

 private:
  Answer Next(std::string_view text);

  std::deque<Question> questions_;
  int cancelAfter_ = -1;
  bool running_ = true;
};

}  // namespace ordonna::testing
