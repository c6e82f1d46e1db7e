// The internal list viewer: the working list in a grid with the columns the options ask for,
// header sorting, re-sorting, deletion and one level of undo, colour schemes, column widths,
// fonts and the total-time caption. It is window-modal over the main window, which hands it
// the list and runs the save and export commands for it. The list logic is view/ListViewer;
// the window passes its grid position in and applies what comes back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QFont>
#include <QString>
#include <QWidget>

#include "config/AppOptions.h"
#include "ui/QtCaller.h"
#include "view/ListViewer.h"
#include "view/NameSearch.h"

class QAction;
class QActionGroup;
class QMenu;

namespace Ui {
class TViewForm;
}

namespace ordonna {

class Dialogs;
class ListStore;
class Platform;
class ViewGridModel;
class WindowFader;

// What the main window hands the viewer.
struct ViewerSetup {
  ListStore& List;
  AppOptions& Options;
  Dialogs& Ask;
  std::string TempFolder;        // where the undo and filter images live
  std::string LocaleDateFormat;  // for the date columns
  bool FadingSupported = false;
  bool& OversizeWarned;  // the too-long-list warning was shown (once per run)
  std::function<void()> SaveList;
  std::function<void()> ExportList;
  std::function<void()> NewList;                   // the viewer emptied the list
  std::function<void(const QString&)> ShowStatus;  // the main window's status line
  // Runs the options window over the viewer, calling `recolor` whenever it applies the
  // window colours; MainOptions as they were before when the options were kept (O&K or a
  // reset), nothing when they were cancelled.
  std::function<std::optional<MainOptions>(QWidget& over, std::function<void()> recolor)> RunOptions;
  Platform* Host = nullptr;  // volumes for the editor's pickers
};

class TViewForm final : public QWidget {
  Q_OBJECT

 public:
  // The setup's references must outlive the window.
  TViewForm(const ViewerSetup& setup, QWidget* parent);
  ~TViewForm() override;

  // Places the window as stored (or maximized), builds the grid and shows it.
  void Open();
  // (Re)fills the grid from the working list.
  void BuildGrid();

 signals:
  // The viewer has closed: its place is stored and its undo level ended.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Control events.
  void DelButClick();
  void UndoButClick();
  void InsButClick();
  void EditButClick();
  void ReSortButClick();
  void PrimButClick();
  void ResortItemClick();
  void SchemeClick(std::uint8_t scheme);
  void WidthModeClick(bool manual);
  void SplitCheckClick();
  void updn1Change(int size);
  void FontButClick();
  void TotalTimeClick(std::uint8_t style);
  void OptButClick();
  void HeaderClick(int position);
  void FindCommand();
  void FindNextCommand();
  void DupButClick();
  void CompButClick();
  // A duplicates search or comparison: the settings window `makeSettings` makes and, when it
  // is confirmed, the progress window `makeProgress` makes from it; the viewer then follows
  // what the run removed.
  template <typename MakeSettings, typename MakeProgress>
  void RunMatching(MakeSettings makeSettings, MakeProgress makeProgress);
  // Runs the editor over `entry` (edit mode) or a new entry; true when confirmed.
  bool RunEditor(bool editMode, ListEntry& entry);
  bool MakeFilter(const std::string& text);
  void ShowFound(std::optional<std::uint32_t> found);
  void GridContextPopup(const QPoint& position);

  GridPosition CurrentPosition() const;
  void GoTo(GridPosition position);
  void SelectRows(std::uint32_t first, std::uint32_t count);
  // Rebuilds, moves, closes or changes the filtered state as the list logic says.
  void Apply(const ViewerUpdate& update);
  void ApplyWidths();
  void StoreWidths();
  void ApplyScheme();
  void ApplyFilterState();
  void ApplyFont();
  void ApplyWindowColor();
  // The panel's switches, the font size and the total-time menu as the options say.
  void ShowPanelOptions();
  void ApplySavedOptions(const MainOptions& before);
  void UpdateCaption();
  void UpdateSortControls();
  void UpdateUndo();
  QFont GridFont() const;
  void SetBusy(bool busy);
  // Another window removed entries behind the grid (their old indexes, ascending).
  void EntriesRemovedBehind(const std::vector<std::uint32_t>& removed, bool cleared);

  std::unique_ptr<Ui::TViewForm> ui_;
  ViewerSetup setup_;
  ListStore& list_;
  AppOptions& options_;
  Dialogs& dialogs_;
  bool running_ = true;  // the caller's running flag: nothing here is cancelled
  QtCaller caller_;
  ListViewer viewer_;
  ViewGridModel* model_;
  WindowFader* fader_;
  QMenu* popupMenu_;
  QAction* deleteItem_;
  QAction* undoItem_;
  QAction* insertItem_;
  QAction* resortItem_;
  QAction* findItem_;
  QActionGroup* schemeItems_;
  QActionGroup* widthItems_;
  QActionGroup* totalTimeItems_;
  bool building_ = false;
  bool refused_ = false;            // the list is too long to show
  bool closeAgreed_ = false;        // the close question was answered
  std::uint32_t deletedFirst_ = 0;  // the block the last deletion removed, selected again by its undo
  std::uint32_t deletedCount_ = 0;
  SearchMemory search_;
  ViewerUpdate filterUpdate_;  // what making the filter from the find window changed
};

}  // namespace ordonna
