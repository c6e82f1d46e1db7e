// The main window's state machine and command states.
#include "ui/logic/MainWindowRules.h"

#include <algorithm>

#include "config/AppOptions.h"
#include "core/ListStore.h"

namespace ordonna {

std::uint8_t ClampMainFontSize(int size) {
  return static_cast<std::uint8_t>(std::clamp(size, kMinMainFontSize, kMaxMainFontSize));
}

std::vector<std::string> StartupLists(const std::string& commandLineFile, const AppOptions& options) {
  std::vector<std::string> lists;
  if (!commandLineFile.empty()) lists.push_back(commandLineFile);
  std::string named;
  if (options.Main.StartupLoad == 1) named = std::string(options.Dialog.LastSavedList.View());
  if (options.Main.StartupLoad == 2) named = std::string(options.Main.StartupListFile.View());
  if (!named.empty()) lists.push_back(std::move(named));
  return lists;
}

MainWindowRules::MainWindowRules(const ListStore& list, const AppOptions& options, bool fadingSupported)
    : list_(list), options_(options), fadingSupported_(fadingSupported) {}

bool MainWindowRules::FadeDue() const { return fadingSupported_ && options_.Main.FadeMain == 1; }

void MainWindowRules::BeginOperation() {
  busy_ = true;
  running_ = true;
}

MainWindowRules::AfterOperation MainWindowRules::EndOperation() {
  running_ = false;
  busy_ = false;
  if (closePending_) {
    // The user agreed to close while the operation ran; only now is the list free.
    closePending_ = false;
    return AfterOperation::Close;
  }
  return pendingFiles_.empty() ? AfterOperation::Nothing : AfterOperation::OpenPendingFiles;
}

MainCommands MainWindowRules::Commands() const {
  if (busy_ || held_) return {};
  const bool hasItems = !list_.Working().Empty();
  const bool selectors = options_.Dialog.SearchAllDrives == 0;
  return MainCommands{.New = true,
                      .Append = hasItems,
                      .Save = hasItems,
                      .Load = true,
                      .Import = true,
                      .Export = hasItems,
                      .View = hasItems,
                      .ExtView = !lastExportFile_.empty() && !extViewGuarded_,
                      .Options = true,
                      .Font = true,
                      .AllDrives = true,
                      .Folder = selectors};
}

// A command half-way, between its dialog and its work, must not find another list under it.
bool MainWindowRules::PendingFileDue() const { return !pendingFiles_.empty() && !busy_ && !held_ && !closeAgreed_; }

std::string MainWindowRules::TakePendingFile() {
  std::string path = std::move(pendingFiles_.front());
  pendingFiles_.pop_front();
  return path;
}

bool MainWindowRules::UnsavedQuestionDue() const {
  const std::uint16_t threshold = options_.Main.AskSaveThreshold;
  return threshold != 0 && list_.Unsaved && list_.ItemCount() >= threshold;
}

CloseStep MainWindowRules::RequestClose(bool fadedOut, const std::function<bool(CloseQuestion)>& confirm) {
  if (!closeAgreed_) {
    // A running operation is the one question: its list is not the one to ask about.
    if (running_) {
      if (!confirm(CloseQuestion::Running)) return CloseStep::Stay;
    } else if (UnsavedQuestionDue() && !confirm(CloseQuestion::Unsaved)) {
      return CloseStep::Stay;
    }
    closeAgreed_ = true;
  }
  if (busy_) {
    // Never under a running operation: it stops at its next test of the flag.
    running_ = false;
    closePending_ = true;
    return CloseStep::AfterOperation;
  }
  if (FadeDue() && !fadedOut) return CloseStep::FadeOut;
  return CloseStep::Close;
}

}  // namespace ordonna
