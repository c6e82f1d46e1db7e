// The caller of long operations run from the windows: questions and messages in message
// boxes, status texts on the main window's status line, pending events processed by Qt, and
// the main window's running flag (cleared by CANCEL, Esc and an agreed close).
#pragma once

#include <functional>
#include <string_view>

#include <QString>

#include "core/Caller.h"

namespace ordonna {

class Dialogs;

class QtCaller final : public Caller {
 public:
  // `running` must outlive this object; the window owns both.
  QtCaller(Dialogs& dialogs, std::function<void(const QString&)> showStatus, const bool& running)
      : dialogs_(dialogs), showStatus_(std::move(showStatus)), running_(running) {}

  Answer AskYesNo(std::string_view text, std::string_view title, Answer preferred) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view title, Answer preferred) override;
  void ShowMessage(std::string_view text, std::string_view title, MessageKind kind) override;
  void SetStatus(std::string_view text) override;
  void ProcessEvents() override;
  bool Running() const override { return running_; }

 private:
  Dialogs& dialogs_;
  std::function<void(const QString&)> showStatus_;
  const bool& running_;
};

}  // namespace ordonna
