// The main window's rules without the window: which controls are enabled in which state, the
// long-operation and close state machine, when a list file sent by a later copy may load,
// which start-up lists are tried and the font size limits. The window reports what happens
// and applies what the rules answer; the rules read the list and the options, never a control.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace ordonna {

struct AppOptions;
class ListStore;

// Whether each control of the main window is enabled.
struct MainCommands {
  bool New = false;        // StartBut
  bool Append = false;     // apbut
  bool Save = false;       // SaveBut
  bool Load = false;       // LoadBut
  bool Import = false;     // ImportBut
  bool Export = false;     // ExportBut
  bool View = false;       // ViewBut
  bool ExtView = false;    // ExtViewBut
  bool Options = false;    // OptBut
  bool Font = false;       // ButFont and updn1
  bool AllDrives = false;  // sadcheck
  bool Folder = false;     // Drive1, Dir1 and Incbox
};

// The questions a close request may ask (yes lets the close go on).
enum class CloseQuestion { Running, Unsaved };

// What a close request comes to.
enum class CloseStep {
  Stay,            // a question was answered no
  AfterOperation,  // the running operation was told to stop; its end closes the window
  FadeOut,         // the window fades out first; the end of the fade closes it
  Close,           // close now
};

inline constexpr int kMinMainFontSize = 4;
inline constexpr int kMaxMainFontSize = 32;

// A font size asked for (key, up-down control, menu or font dialog) as stored.
std::uint8_t ClampMainFontSize(int size);

// The list files tried at start-up, in order, until one loads items: the command line's, then
// the one StartupLoad names (1 the last saved list, 2 the start-up list file). Empty names
// are left out.
std::vector<std::string> StartupLists(const std::string& commandLineFile, const AppOptions& options);

class MainWindowRules {
 public:
  // `list` and `options` are the window's and outlive the rules.
  MainWindowRules(const ListStore& list, const AppOptions& options, bool fadingSupported);

  // The flag long operations test; cleared by CANCEL, Esc and an agreed close.
  const bool& RunningFlag() const { return running_; }
  void StopRunning() { running_ = false; }
  // A long operation has not returned yet: commands do nothing.
  bool Busy() const { return busy_; }

  // Fading is possible and FadeMain asks for it.
  bool FadeDue() const;
  // The first showing has happened: from now on folder changes are the user's.
  void MarkActivated() { activated_ = true; }
  bool Activated() const { return activated_; }

  void BeginOperation();
  enum class AfterOperation { Nothing, Close, OpenPendingFiles };
  AfterOperation EndOperation();

  // A window that is not modal (the import options) holds every command while it is open.
  void HoldCommands(bool held) { held_ = held; }

  // The file "Vie&w ext." opens; empty when there is none (nothing exported, or the list
  // changed since).
  void SetLastExportFile(std::string path) { lastExportFile_ = std::move(path); }
  const std::string& LastExportFile() const { return lastExportFile_; }
  // "Vie&w ext." waits a moment after it started a program, against double starts.
  void GuardExtView(bool guarded) { extViewGuarded_ = guarded; }

  MainCommands Commands() const;

  // List files sent by later copies wait while an operation runs, a window holds the
  // commands or the window is closing.
  void QueueFile(std::string path) { pendingFiles_.push_back(std::move(path)); }
  bool PendingFileDue() const;
  std::string TakePendingFile();

  // A close request: `confirm` asks the question and returns true for yes. Once agreed, a
  // later request asks nothing. `fadedOut`: the window's fade-out has ended.
  CloseStep RequestClose(bool fadedOut, const std::function<bool(CloseQuestion)>& confirm);

 private:
  bool UnsavedQuestionDue() const;

  const ListStore& list_;
  const AppOptions& options_;
  const bool fadingSupported_;
  bool running_ = false;
  bool busy_ = false;
  bool held_ = false;
  bool activated_ = false;
  bool closeAgreed_ = false;
  bool closePending_ = false;  // close as soon as the running operation returns
  bool extViewGuarded_ = false;
  std::string lastExportFile_;
  std::deque<std::string> pendingFiles_;
};

}  // namespace ordonna
