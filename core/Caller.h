// How a long operation talks to whoever runs it (a window, the command-line tool, a test):
// questions, messages, status text, pending events and the running flag. The logic never
// shows anything itself, so every operation runs the same under each caller.
//
// Thread rule: a caller is used only on the thread that owns it (a window's caller on the
// user-interface thread). A worker thread never calls one: it leaves its questions and
// messages in the state it shares with its window (match/WorkerState.h), and the window asks
// them through its caller and writes the answers back.
#pragma once

#include <string_view>

namespace ordonna {

enum class Answer { Yes, No, Cancel };

enum class MessageKind { Information, Warning, Error };

class Caller {
 public:
  virtual ~Caller() = default;

  // `preferred` is the answer the question proposes (the default button); a caller that
  // cannot ask anybody may take it.
  virtual Answer AskYesNo(std::string_view text, std::string_view title, Answer preferred) = 0;
  virtual Answer AskYesNoCancel(std::string_view text, std::string_view title, Answer preferred) = 0;
  virtual void ShowMessage(std::string_view text, std::string_view title, MessageKind kind) = 0;
  virtual void SetStatus(std::string_view text) = 0;
  // Lets the user act (press CANCEL) between steps of an operation on the caller's thread.
  virtual void ProcessEvents() = 0;
  // False once the user asked to stop the running operation.
  virtual bool Running() const = 0;
};

}  // namespace ordonna
