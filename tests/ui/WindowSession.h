// One run of the main window for a test: its own settings folder (ORDONNA_HOME), a settings
// file written before the start, scripted dialogs, and helpers to reach controls and to act
// while a long operation runs.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "config/AppOptions.h"
#include "platform/Platform.h"
#include "support/TempDir.h"
#include "ui/Dialogs.h"
#include "ui/MainUnit.h"
#include "ui/ViewUnit.h"

namespace ordonna::testing {

// Dialogs for window tests, answered from queues the test fills; what is shown or asked is
// recorded, and what nobody queued goes to `Unexpected` and gets its default answer.
class ScriptedDialogs final : public Dialogs {
 public:
  // The next question must have this text (empty: any text); it gets `reply`.
  void ExpectQuestion(QString text, Answer reply) { questions_.push_back({std::move(text), reply}); }
  // The next file dialog returns `path` (empty: cancelled).
  void ExpectFile(QString path) { files_.push_back(std::move(path)); }
  void ExpectFont(std::optional<QFont> font) { fonts_.push_back(std::move(font)); }
  // The next colour picker returns `color` after `editCustom` changed its custom colours.
  void ExpectColor(std::optional<QColor> color, std::function<void(std::array<QColor, 16>&)> editCustom = {}) {
    colors_.push_back({color, std::move(editCustom)});
  }
  // The next modal window is handed to `run`, which plays the user.
  void ExpectModal(std::function<void(QDialog&)> run) { modals_.push_back(std::move(run)); }
  bool AllUsed() const {
    return questions_.empty() && files_.empty() && fonts_.empty() && colors_.empty() && modals_.empty();
  }
  Answer AskMessage(const QString& text, const QString& title, bool withCancel, Answer preferred) override;
  bool AskOkCancel(const QString& text, const QString& title) override {  // Yes stands for OK
    return AskMessage(text, title, false, Answer::No) == Answer::Yes;
  }
  void ShowMessage(const QString& text, const QString& title, MessageKind) override { Shown << title + ": " + text; }
  QString ChooseSaveFile(const FileDialogRequest& request) override { return NextFile(request); }
  QString ChooseOpenFile(const FileDialogRequest& request) override { return NextFile(request); }
  std::optional<QFont> ChooseFont(const QFont& initial) override;
  std::optional<QColor> ChooseColor(const QColor& initial, std::array<QColor, 16>& customColors) override;
  bool RunModal(QDialog& dialog) override;
  bool OpenDocument(const QString& path) override {
    Opened << path;
    return true;
  }
  QStringList Asked;  // the questions' texts
  QStringList Shown;  // the messages, as "title: text"
  QStringList Opened;
  QStringList Unexpected;

 private:
  QString NextFile(const FileDialogRequest& request);
  std::deque<std::pair<QString, Answer>> questions_;
  std::deque<QString> files_;
  std::deque<std::optional<QFont>> fonts_;
  std::deque<std::pair<std::optional<QColor>, std::function<void(std::array<QColor, 16>&)>>> colors_;
  std::deque<std::function<void(QDialog&)>> modals_;
};

bool ShowAndWait(QWidget& window);  // until it is on the screen

class WindowSession {
 public:
  WindowSession();
  // Writes "ordonna.ini": factory defaults changed by `change`.
  void WriteSettings(const std::function<void(AppOptions&)>& change);
  // Creates the window, loads its settings, shows it and lets the start-up list load.
  TMainForm& Start(const std::string& commandLineFile = {}, bool fadingSupported = false);
  const std::string& Home() const { return home_.Path(); }
  TMainForm& Form() { return *form_; }
  ScriptedDialogs dialogs;

 private:
  TempDir home_;
  std::unique_ptr<Platform> host_;
  std::unique_ptr<TMainForm> form_;
};

// The child control named `name`; the test aborts when there is none.
template <class Control>
Control& Find(QWidget& form, const char* name) {
  auto* control = form.findChild<Control*>(QString::fromLatin1(name));
  if (control == nullptr) qFatal("no control named %s", name);
  return *control;
}

ListEntry NamedEntry(const std::string& name, const std::string& folder);

// Writes a list file of `count` entries named "title 0", "title 1", ... ("/music").
void WriteList(const std::string& path, int count);

// Starts the main window, its settings changed by `change` (the viewer not maximized), with a
// list of entries named `names` ("/music") in no order.
TMainForm& StartWithNames(WindowSession& session, const std::vector<std::string>& names,
                          const std::function<void(AppOptions&)>& change = {});

// Clicks View and returns the viewer, shown and active (its keys are the window's shortcuts).
TViewForm& OpenViewer(TMainForm& form);

// The list's file names, joined by "|".
QString Names(const ListStore& list);

// Plays the progress window of a duplicates search or comparison: presses `answers`, waits for
// the end and closes; `finish` receives the close caption, the finish label and the log's length.
std::function<void(QDialog&)> PlayProgress(QString& finish, std::vector<const char*> answers = {});

bool ClickWhenShown(QDialog& dialog, const char* name);

// After a duplicates search or comparison the list, the viewer's grid and its undo state agree.
void CheckViewerFollowsTheList(WindowSession& session, TViewForm& viewer, const QString& names, bool unsaved);

// Every scripted answer used and nothing unexpected asked.
#define QVERIFY_SCRIPT_DONE(dialogs) \
  QVERIFY2((dialogs).AllUsed() && (dialogs).Unexpected.isEmpty(), qPrintable((dialogs).Unexpected.join('\n')))

}  // namespace ordonna::testing
