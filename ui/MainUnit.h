// The main window: status line, drive and folder selectors, the scan, list file and other
// commands, the start-up and close sequences. It owns the working list and the option record
// for the whole run; the other windows work on them through the operations below. Which
// controls are enabled and where a close request leads are rules of MainWindowRules, which
// the window drives.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <QString>
#include <QWidget>

#include "collect/Mp3Analyzer.h"
#include "collect/Scan.h"
#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "export/ExportCommand.h"
#include "ui/QtCaller.h"
#include "ui/logic/MainWindowRules.h"

class QAction;
class QMenu;
class QSocketNotifier;
class QTimer;

namespace Ui {
class TMainForm;
}

namespace ordonna {

class Dialogs;
class FolderTree;
class Platform;
class SingleInstance;
class WindowFader;

// What the program (or a test) hands the main window.
struct MainFormSetup {
  Platform& Host;
  Dialogs& Ask;
  bool FadingSupported = false;  // the windowing system can make a window translucent
  std::string CommandLineFile;   // the list file named on the command line, or empty
  QString HelpFile;              // the local help page the about window opens
};

class TMainForm final : public QWidget {
  Q_OBJECT

 public:
  explicit TMainForm(const MainFormSetup& setup);
  ~TMainForm() override;

  // Loads "ordonna.ini" from the configuration folder, or makes the factory defaults and
  // writes them. False when that first file cannot be written (the user has been told and
  // the program ends). Call once, before the window is shown.
  [[nodiscard]] bool LoadSettings();

  // From now on list files sent by later copies of the program are loaded here.
  // REQUIRES: `instance` outlives the window.
  void WatchInstance(SingleInstance& instance);

  // State shared with the other windows.
  ListStore& List() { return list_; }
  AppOptions& Options() { return options_; }
  // The running flag of long operations: cleared by CANCEL, Esc and an agreed close.
  bool Running() const { return rules_.RunningFlag(); }

  // Empties the list, asking first when `ask` and an unsaved list is large enough; false
  // when the user keeps the list (nothing changed).
  bool NewList(bool ask);
  void EnableListCommands();
  void DisableAllCommands();
  void SetBusyCursor();
  void SetNormalCursor();
  // Shows `text` on the status line; a text wider than 264 pixels in the window's font loses
  // its first characters to "...". The whole text stays readable by a double click.
  void ShowStatus(const QString& text);
  const QString& StatusText() const { return statusText_; }

  // The file "Vie&w ext." opens; set by an export.
  void SetLastExportFile(const QString& path);

  // Runs the options window modally over `parent` (this window or the viewer), which
  // `recolorParent` recolours whenever the window colours are applied. `Before` holds
  // MainOptions as they were, so the caller can redo what changed when `Saved`.
  struct OptionsOutcome {
    bool Saved = false;
    MainOptions Before{};
  };
  OptionsOutcome OpenOptions(QWidget* parent, const std::function<void()>& recolorParent = {});

  // Loads `path` in replace mode as the load command does once a file is chosen, with the
  // unsaved-list question. While an operation runs or a dialog is open, the file waits.
  void OpenListFile(const QString& path);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Control events.
  void StartButClick();
  void apbutClick();
  void CancelbuttonClick();
  void sadcheckClick();
  void IncboxClick();
  void Drive1Change();
  void Dir1Change(const QString& folder);
  void Dir1ContextPopup(const QPoint& position);
  void SaveButClick();
  void LoadButClick();
  void ImportButClick();
  void ExportButClick();
  void ViewButClick();
  void ViewerClosed();
  void ExtViewButClick();
  void OptButClick();
  void AboutButClick();
  void updn1Change(int size);
  void ButFontClick();
  void Label1DblClick();
  void timerveTimer();

  // Start-up, after the window is shown for the first time.
  void FormActivate();
  void LoadStartupList();
  bool LoadAtStart(const std::string& path);
  // Close: position, temporary files, configuration.
  void FormClose();

  void RunScan(ScanMode mode);
  void RunImport();
  void LoadFile(const std::string& path, bool append, std::uint8_t previousSortState);
  void OpenPendingFiles();
  void ReceiveInstanceMessages();
  void BeginOperation();
  void EndOperation();
  void ApplyCommands(const MainCommands& commands);
  bool ConfirmClose(CloseQuestion question);

  void FillDrives();
  bool SelectFolder(const QString& folder);
  QFont MainFont() const;
  void SetMainFontSize(int size);
  void ApplyFonts();
  void ApplyWindowColor();
  // Options loaded or reset from the options window take effect as at start.
  void ApplyReplacedOptions();
  int StatusWidth(std::string_view text) const;
  QString DialogFolder(std::string_view stored) const;

  std::unique_ptr<Ui::TMainForm> ui_;
  Platform& host_;
  Dialogs& dialogs_;
  const std::string commandLineFile_;
  const QString helpFile_;
  const bool fadingSupported_;
  std::string configPath_;

  AppOptions options_{};
  ListStore list_;
  ScanMemory scanMemory_;
  ExportMemory exportMemory_;
  Mp3Analyzer analyzer_;
  MainWindowRules rules_;  // the state machine; the controls follow it

  QString statusText_;
  QtCaller caller_;
  std::uint32_t viewedCount_ = 0;  // the item count when the viewer opened
  bool oversizeWarned_ = false;    // the viewer's too-long-list warning is shown once per run
  FolderTree* folders_;
  QMenu* popupMenu_;
  QTimer* timerve_;
  WindowFader* fader_;
  SingleInstance* instance_ = nullptr;
  QSocketNotifier* instanceNotifier_ = nullptr;
};

}  // namespace ordonna
