// Every modal dialog the windows open (message boxes, file and font dialogs, the program's
// own modal windows) and the shell's open action, behind one interface: the program passes
// QtDialogs, tests pass a scripted one that answers without blocking.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/Caller.h"

class QDialog;

namespace ordonna {

struct FileDialogRequest {
  QString Title;
  QString Filter;         // Qt filter list, entries separated by ";;"
  QString Folder;         // where the dialog opens
  QString ProposedName;   // file name filled in at the start (save dialogs)
  QString DefaultSuffix;  // added to a name typed without an extension (save dialogs)
  int FilterIndex = 0;    // the filter selected at the start, counted from 0
};

// A filter list written as "description|patterns|description|patterns" (patterns separated
// by ";") in the Qt form; every pattern also matches its upper-case extension, as names of
// files copied from Windows disks often have one.
QString QtFileFilter(std::string_view descriptionsAndPatterns);

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A question with a warning icon: Yes/No, or Yes/No/Cancel when `withCancel`. `preferred`
  // is the default button; closing the box answers No (Cancel when offered). Texts may break
  // lines with "\r\n".
  virtual Answer AskMessage(const QString& text, const QString& title, bool withCancel, Answer preferred) = 0;
  // A question with a warning icon and the buttons OK and Cancel (the default, also Esc);
  // true for OK.
  virtual bool AskOkCancel(const QString& text, const QString& title) = 0;
  // A message with an OK button and the icon of `kind`.
  virtual void ShowMessage(const QString& text, const QString& title, MessageKind kind) = 0;
  // The chosen file, or empty when cancelled. The save dialog confirms replacing a file.
  virtual QString ChooseSaveFile(const FileDialogRequest& request) = 0;
  virtual QString ChooseOpenFile(const FileDialogRequest& request) = 0;
  // The chosen font, or nothing when cancelled.
  virtual std::optional<QFont> ChooseFont(const QFont& initial) = 0;
  // The chosen colour, or nothing when cancelled. The picker starts with `customColors` as
  // its sixteen custom colours and leaves them there as the user changed them.
  virtual std::optional<QColor> ChooseColor(const QColor& initial, std::array<QColor, 16>& customColors) = 0;
  // Runs one of the program's own modal windows; true when it closed accepted.
  virtual bool RunModal(QDialog& dialog) = 0;
  // Hands a file to the user's program for its type; false when none could be started.
  virtual bool OpenDocument(const QString& path) = 0;
};

// The usual warning: title "Warning", OK, warning icon.
void WarnMessage(Dialogs& dialogs, const QString& text);

// The real dialogs, centred on `parent` once it is set.
class QtDialogs final : public Dialogs {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }

  Answer AskMessage(const QString& text, const QString& title, bool withCancel, Answer preferred) override;
  bool AskOkCancel(const QString& text, const QString& title) override;
  void ShowMessage(const QString& text, const QString& title, MessageKind kind) override;
  QString ChooseSaveFile(const FileDialogRequest& request) override;
  QString ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<QFont> ChooseFont(const QFont& initial) override;
  std::optional<QColor> ChooseColor(const QColor& initial, std::array<QColor, 16>& customColors) override;
  bool RunModal(QDialog& dialog) override;
  bool OpenDocument(const QString& path) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace ordonna
