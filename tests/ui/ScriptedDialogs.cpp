// Queued answers for the windows' dialogs.
#include "ui/ScriptedDialogs.h"

#include <QDialog>

namespace ordonna::testing {

Answer ScriptedDialogs::AskMessage(const QString& text, const QString& title, bool /*withCancel*/, Answer preferred) {
  Asked.push_back({text, title});
  if (questions_.empty()) {
    Unexpected.push_back(QStringLiteral("question: ") + text);
    return preferred;
  }
  Reply reply = questions_.front();
  questions_.pop_front();
  if (reply.Text != text)
    Unexpected.push_back(QStringLiteral("question: ") + text + QStringLiteral(" (expected: ") + reply.Text +
                         QStringLiteral(")"));
  return reply.Value;
}

bool ScriptedDialogs::AskOkCancel(const QString& text, const QString& title) {
  return AskMessage(text, title, false, Answer::No) == Answer::Yes;
}

void ScriptedDialogs::ShowMessage(const QString& text, const QString& title, MessageKind kind) {
  Shown.push_back({text, title, kind});
}

QString ScriptedDialogs::NextFile(const FileDialogRequest& request) {
  FileRequests.push_back(request);
  if (files_.empty()) {
    Unexpected.push_back(QStringLiteral("file dialog: ") + request.Title);
    return {};
  }
  QString path = files_.front();
  files_.pop_front();
  return path;
}

QString ScriptedDialogs::ChooseSaveFile(const FileDialogRequest& request) { return NextFile(request); }

QString ScriptedDialogs::ChooseOpenFile(const FileDialogRequest& request) { return NextFile(request); }

std::optional<QFont> ScriptedDialogs::ChooseFont(const QFont& initial) {
  FontRequests.push_back(initial);
  if (fonts_.empty()) {
    Unexpected.push_back(QStringLiteral("font dialog from ") + initial.family());
    return std::nullopt;
  }
  std::optional<QFont> font = fonts_.front();
  fonts_.pop_front();
  return font;
}

std::optional<QColor> ScriptedDialogs::ChooseColor(const QColor& initial, std::array<QColor, 16>& customColors) {
  ColorRequests.push_back(initial);
  CustomColorRequests.push_back(customColors);
  if (colors_.empty()) {
    Unexpected.push_back(QStringLiteral("colour picker from ") + initial.name());
    return std::nullopt;
  }
  ColorReply reply = std::move(colors_.front());
  colors_.pop_front();
  if (reply.EditCustom) reply.EditCustom(customColors);
  return reply.Color;
}

bool ScriptedDialogs::RunModal(QDialog& dialog) {
  if (modals_.empty()) {
    Unexpected.push_back(QStringLiteral("modal window: ") + dialog.windowTitle());
    return false;
  }
  std::function<void(QDialog&)> run = std::move(modals_.front());
  modals_.pop_front();
  run(dialog);
  return dialog.result() == QDialog::Accepted;
}

bool ScriptedDialogs::OpenDocument(const QString& path) {
  Opened.push_back(path);
  return true;
}

}  // namespace ordonna::testing
