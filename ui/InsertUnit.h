// The editor window: types a new entry (insert mode) or changes one field by field (edit
// mode), with the play-time step buttons, the volume and folder pickers and the choice of
// where the entry goes. The record rules are view/EditorRules; the viewer places the result.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include <QTimer>

#include "core/ListEntry.h"
#include "export/FieldStyle.h"
#include "platform/Platform.h"
#include "ui/PlacedDialog.h"
#include "view/EditorRules.h"
#include "view/SortNames.h"

class QLineEdit;
class QToolButton;

namespace Ui {
class TInsertForm;
}

namespace ordonna {

struct AppOptions;
class Dialogs;
class FolderTree;

struct EditorSetup {
  AppOptions& Options;  // InsertPosition, InsertFolder, the window's place
  Dialogs& Ask;
  Platform* Host = nullptr;  // volumes and the home folder; none in some tests
  FieldStyle Style;          // for the play-time text
  bool EditMode = false;
  ListEntry Entry{};  // edit mode: the entry to change
  std::array<PositionChoice, 4> Choices{};
};

class TInsertForm final : public PlacedDialog {
  Q_OBJECT

 public:
  // The setup's references must outlive the window.
  TInsertForm(const EditorSetup& setup, QWidget* parent);
  ~TInsertForm() override;

  // The working record; the window was confirmed when it closed accepted.
  const ListEntry& Entry() const { return entry_; }

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();
  void FieldChanged();
  void ShowFrames();
  void ShowPlayTime();
  void Step(StepButton button);
  void StepPressed(StepButton button);
  void StepReleased();
  void ButtonTimerTimer();
  void DiskButClick();
  void DiskComboChange(int index);
  void TakeVolumeLabel();
  void DirButClick();
  void DirListChange(const QString& folder);
  void ShowFolder(const std::string& folder);
  std::string HomeFolder() const;

  std::unique_ptr<Ui::TInsertForm> ui_;
  EditorSetup setup_;
  AppOptions& options_;
  ListEntry entry_;
  ListEntry opening_;
  bool filling_ = false;
  bool closing_ = false;
  StepButton held_ = StepButton::None;
  bool repeatStarted_ = false;
  QTimer* buttonTimer_;
  FolderTree* folders_;
  std::vector<Volume> volumes_;
};

}  // namespace ordonna
