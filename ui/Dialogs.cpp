// The real message boxes, file and font dialogs, and the shell's open action.
#include "ui/Dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QUrl>

#include "ui/QtText.h"

namespace ordonna {
namespace {

QMessageBox::StandardButton ButtonOf(Answer answer) {
  switch (answer) {
    case Answer::Yes: return QMessageBox::Yes;
    case Answer::No: return QMessageBox::No;
    case Answer::Cancel: return QMessageBox::Cancel;
  }
  return QMessageBox::No;
}

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
  }
  return QMessageBox::Warning;
}

QString RunFileDialog(QWidget* parent, const FileDialogRequest& request, bool save) {
  QFileDialog dialog(parent, request.Title, request.Folder, request.Filter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.DefaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.DefaultSuffix);
  if (!request.ProposedName.isEmpty()) dialog.selectFile(request.ProposedName);
  const QStringList filters = request.Filter.split(QStringLiteral(";;"));
  if (request.FilterIndex > 0 && request.FilterIndex < filters.size())
    dialog.selectNameFilter(filters[request.FilterIndex]);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.front();
}

}  // namespace

QString QtFileFilter(std::string_view descriptionsAndPatterns) {
  const QStringList parts = ToQString(descriptionsAndPatterns).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (QString pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      // "*.*" means every file, also one without an extension.
      if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
      patterns << pattern;
      const QString upper = pattern.toUpper();
      if (upper != pattern) patterns << upper;
    }
    filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

void WarnMessage(Dialogs& dialogs, const QString& text) {
  dialogs.ShowMessage(text, QStringLiteral("Warning"), MessageKind::Warning);
}

Answer QtDialogs::AskMessage(const QString& text, const QString& title, bool withCancel, Answer preferred) {
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (withCancel) buttons |= QMessageBox::Cancel;
  QMessageBox box(QMessageBox::Warning, title, DisplayLines(text), buttons, parent_);
  box.setDefaultButton(ButtonOf(preferred));
  box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return Answer::No;
  }
}

bool QtDialogs::AskOkCancel(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::Warning, title, DisplayLines(text), QMessageBox::Ok | QMessageBox::Cancel, parent_);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

void QtDialogs::ShowMessage(const QString& text, const QString& title, MessageKind kind) {
  QMessageBox box(IconOf(kind), title, DisplayLines(text), QMessageBox::Ok, parent_);
  box.exec();
}

QString QtDialogs::ChooseSaveFile(const FileDialogRequest& request) { return RunFileDialog(parent_, request, true); }

QString QtDialogs::ChooseOpenFile(const FileDialogRequest& request) { return RunFileDialog(parent_, request, false); }

std::optional<QFont> QtDialogs::ChooseFont(const QFont& initial) {
  bool ok = false;
  QFont font = QFontDialog::getFont(&ok, initial, parent_);
  if (!ok) return std::nullopt;
  return font;
}

std::optional<QColor> QtDialogs::ChooseColor(const QColor& initial, std::array<QColor, 16>& customColors) {
  for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i) QColorDialog::setCustomColor(i, customColors[i]);
  const QColor color = QColorDialog::getColor(initial, parent_);
  for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i) customColors[i] = QColorDialog::customColor(i);
  if (!color.isValid()) return std::nullopt;
  return color;
}

bool QtDialogs::RunModal(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

bool QtDialogs::OpenDocument(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace ordonna
