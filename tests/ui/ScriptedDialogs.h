// Dialogs for window tests: questions, file and font dialogs and modal windows are answered
// from queues the test fills; everything shown or asked is recorded. A question or dialog
// nobody queued is recorded in `Unexpected` and answered with its default.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QStringList>

#include "ui/Dialogs.h"

namespace ordonna::testing {

class ScriptedDialogs final : public Dialogs {
 public:
  struct Question {
    QString Text;
    QString Title;
  };
  struct Message {
    QString Text;
    QString Title;
    MessageKind Kind;
  };
  // The next question must have this text (empty: any text); it gets `reply`.
  void ExpectQuestion(QString text, Answer reply) { questions_.push_back({std::move(text), reply}); }
  // The next file dialog returns `path` (empty: cancelled).
  void ExpectFile(QString path) { files_.push_back(std::move(path)); }
  void ExpectFont(std::optional<QFont> font) { fonts_.push_back(std::move(font)); }
  // The next colour picker returns `color` (nothing: cancelled) after `editCustom` changed
  // its custom colours, as a user adding one does.
  void ExpectColor(std::optional<QColor> color, std::function<void(std::array<QColor, 16>&)> editCustom = {}) {
    colors_.push_back({color, std::move(editCustom)});
  }
  // The next modal window is handed to `run`, which plays the user; the window was accepted
  // when its result says so.
  void ExpectModal(std::function<void(QDialog&)> run) { modals_.push_back(std::move(run)); }
  // True when every queued answer was used.
  bool AllUsed() const {
    return questions_.empty() && files_.empty() && fonts_.empty() && colors_.empty() && modals_.empty();
  }
  Answer AskMessage(const QString& text, const QString& title, bool withCancel, Answer preferred) override;
  // Answered from the question queue: Yes stands for OK.
  bool AskOkCancel(const QString& text, const QString& title) override;
  void ShowMessage(const QString& text, const QString& title, MessageKind kind) override;
  QString ChooseSaveFile(const FileDialogRequest& request) override;
  QString ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<QFont> ChooseFont(const QFont& initial) override;
  std::optional<QColor> ChooseColor(const QColor& initial, std::array<QColor, 16>& customColors) override;
  bool RunModal(QDialog& dialog) override;
  bool OpenDocument(const QString& path) override;
  std::vector<Question> Asked;
  std::vector<Message> Shown;
  std::vector<FileDialogRequest> FileRequests;
  std::vector<QFont> FontRequests;                          // the font each font dialog started with
  std::vector<QColor> ColorRequests;                        // the colour each picker started with
  std::vector<std::array<QColor, 16>> CustomColorRequests;  // and its custom colours
  QStringList Opened;
  QStringList Unexpected;

 private:
  struct Reply {
    QString Text;
    Answer Value;
  };
  QString NextFile(const FileDialogRequest& request);
  std::deque<Reply> questions_;
  std::deque<QString> files_;
  std::deque<std::optional<QFont>> fonts_;
  struct ColorReply {
    std::optional<QColor> Color;
    std::function<void(std::array<QColor, 16>&)> EditCustom;
  };
  std::deque<ColorReply> colors_;
  std::deque<std::function<void(QDialog&)>> modals_;
};

}  // namespace ordonna::testing
