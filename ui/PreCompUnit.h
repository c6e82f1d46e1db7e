// The comparison settings window: what to compare with, the action, the input and output
// files with their state pictures, and the matching settings. "&GO" (enabled only for files
// that suit the list type and the action) stores the file names and accepts; any other way
// of closing cancels and the caller restores the settings.
#pragma once

#include <memory>
#include <string>

#include "match/CompareSetup.h"
#include "ui/PlacedDialog.h"

class QAbstractButton;

namespace Ui {
class TPreCompForm;
}

namespace ordonna {

struct AppOptions;
class Dialogs;

class TPreCompForm final : public PlacedDialog {
  Q_OBJECT

 public:
  // Repairs the stored settings and shows them. The references must outlive the window.
  TPreCompForm(AppOptions& options, Dialogs& dialogs, QWidget* parent);
  ~TPreCompForm() override;

  // The relaxed-matching switch as the window left it (not stored in the options).
  bool Relaxed() const { return relaxed_.Relaxed(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowSettings();
  void WithComboChange(int index);
  void ActionComboChange(int index);
  void relaxcheckClick(bool on);
  void ButLoadFileClick();
  void ButSaveFileClick();
  void ButLastClick();
  void GoButClick();
  void TakeInput(const std::string& path);
  void TakeOutput(const std::string& path);
  void UpdateFileStates();

  std::unique_ptr<Ui::TPreCompForm> ui_;
  AppOptions& options_;
  Dialogs& dialogs_;
  RelaxedSwitch relaxed_;
  std::string input_;
  std::string output_;
  bool inputValid_ = false;
  FileState outputState_ = FileState::Invalid;
};

}  // namespace ordonna
