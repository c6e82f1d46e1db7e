// One run of the main window for a test: its own settings folder (ORDONNA_HOME), a settings
// file written before the start, scripted dialogs, and helpers to reach controls and to act
// while a long operation runs.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <QWidget>

#include "config/AppOptions.h"
#include "platform/Platform.h"
#include "support/TempDir.h"
#include "ui/MainUnit.h"
#include "ui/ScriptedDialogs.h"
#include "ui/ViewUnit.h"

namespace ordonna::testing {

// Factory defaults as on a 1024 x 768 screen, for windows tested without the main window.
AppOptions FactoryOptions();

// Shows `window` and waits until it is on the screen.
bool ShowAndWait(QWidget& window);

class WindowSession {
 public:
  WindowSession();
  ~WindowSession();
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

// Clicks `button` and runs `during` once, from the first round of pending events that the
// operation started by the click processes (the click returns when the operation has ended).
// False when the operation processed no events at all.
bool ClickAndActDuring(QWidget& button, const std::function<void()>& during);

// Writes `count` small MP3 files of `frames` frames each ("song001.mp3", ...) into `folder`.
void WriteMp3Files(const std::string& folder, int count, int frames = 40);

// An entry with just a name and folder.
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

// The last message shown, as "title: text".
QString LastShown(const ScriptedDialogs& dialogs);

// Every scripted answer used and nothing unexpected asked.
#define QVERIFY_SCRIPT_DONE(dialogs) \
  QVERIFY2((dialogs).AllUsed() && (dialogs).Unexpected.isEmpty(), qPrintable((dialogs).Unexpected.join('\n')))

}  // namespace ordonna::testing
