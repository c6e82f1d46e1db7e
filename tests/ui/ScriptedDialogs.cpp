// Queued answers for the windows' dialogs.
#include "ui/ScriptedDialogs.h"

#include <QDialog>

namespace ordonna::testing {
namespace {

// The front of `queue`, taken off it; nothing when it is empty.
template <class T>
std::optional<T> Pop(std::deque<T>& queue) {
  if (queue.empty()) return std::nullopt;
  T value = std::move(queue.front());
  queue.pop_front();
  return value;
}

}  // namespace

Answer ScriptedDialogs::AskMessage(const QString& text, const QString& title, bool /*withCancel*/, Answer preferred) {
  Asked.push_back({text, title});
  const std::optional<Reply> reply = Pop(questions_);
  if (!reply || (!reply->Text.isEmpty() && reply->Text != text))
    Unexpected.push_back(QStringLiteral("question: ") + text + QStringLiteral(" (expected: ") +
                         (reply ? reply->Text : QString()) + QStringLiteral(")"));
  return reply ? reply->Value : preferred;
}

bool ScriptedDialogs::AskOkCancel(const QString& text, const QString& title) {
  return AskMessage(text, title, false, Answer::No) == Answer::Yes;
}

void ScriptedDialogs::ShowMessage(const QString& text, const QString& title, MessageKind kind) {
  Shown.push_back({text, title, kind});
}

QString ScriptedDialogs::NextFile(const FileDialogRequest& request) {
  FileRequests.push_back(request);
  const std::optional<QString> path = Pop(files_);
  if (!path) Unexpected.push_back(QStringLiteral("file dialog: ") + request.Title);
  return path.value_or(QString());
}

QString ScriptedDialogs::ChooseSaveFile(const FileDialogRequest& request) { return NextFile(request); }

QString ScriptedDialogs::ChooseOpenFile(const FileDialogRequest& request) { return NextFile(request); }

std::optional<QFont> ScriptedDialogs::ChooseFont(const QFont& initial) {
  FontRequests.push_back(initial);
  const std::optional<std::optional<QFont>> font = Pop(fonts_);
  if (!font) Unexpected.push_back(QStringLiteral("font dialog from ") + initial.family());
  return font.value_or(std::nullopt);
}

std::optional<QColor> ScriptedDialogs::ChooseColor(const QColor& initial, std::array<QColor, 16>& customColors) {
  ColorRequests.push_back(initial);
  CustomColorRequests.push_back(customColors);
  const std::optional<ColorReply> reply = Pop(colors_);
  if (!reply) Unexpected.push_back(QStringLiteral("colour picker from ") + initial.name());
  if (reply && reply->EditCustom) reply->EditCustom(customColors);
  return reply ? reply->Color : std::nullopt;
}

bool ScriptedDialogs::RunModal(QDialog& dialog) {
  const std::optional<std::function<void(QDialog&)>> run = Pop(modals_);
  if (!run) {
    Unexpected.push_back(QStringLiteral("modal window: ") + dialog.windowTitle());
    return false;
  }
  (*run)(dialog);
  return dialog.result() == QDialog::Accepted;
}

bool ScriptedDialogs::OpenDocument(const QString& path) {
  Opened.push_back(path);
  return true;
}

}  // namespace ordonna::testing
