// The duplicates search progress window: runs the search on its worker, shows what the
// shared state says on a timer, asks the pairs the worker waits on, and finishes by deleting,
// undoing or saving and viewing the deletion log. Closing it in any way stops and joins the
// worker before the list is touched.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QTimer>

#include "match/DupSearchRun.h"
#include "ui/QtCaller.h"

namespace Ui {
class TDupSearchForm;
}

namespace ordonna {

struct AppOptions;
class Dialogs;
class ListStore;

struct DupRunSetup {
  ListStore& List;
  AppOptions& Options;
  Dialogs& Ask;
  std::string LocaleDateFormat;
  std::function<void(const QString&)> ShowStatus;  // the main window's status line
};

class TDupSearchForm final : public QDialog {
  Q_OBJECT

 public:
  // The setup's references must outlive the window. The run starts 50 ms after showing.
  TDupSearchForm(const DupRunSetup& setup, QWidget* parent);
  ~TDupSearchForm() override;

  void done(int result) override;

  // After closing: the indexes the run removed from the list (ascending), and whether no
  // entry was left.
  const std::vector<std::uint32_t>& Removed() const { return removed_; }
  bool Cleared() const { return cleared_; }
  DupSearchRun& Run() { return run_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void StartRun();
  void Tick();
  void Blink();
  void ShowFinalButtons();
  void Reply(std::uint8_t answer);
  void AbortButClick();
  void CloseButClick();
  void SaveLogButClick();
  void ViewLogButClick();
  void RecordRemoved(const DeletionResult& result, const DeletionMarks& marks);

  std::unique_ptr<Ui::TDupSearchForm> ui_;
  DupRunSetup setup_;
  bool running_ = true;
  QtCaller caller_;
  DupSearchRun run_;
  QTimer tick_;
  QTimer blink_;
  bool started_ = false;
  bool finished_ = false;  // the final buttons are set
  bool closing_ = false;
  std::size_t logShown_ = 0;
  std::string logPath_;
  std::vector<std::uint32_t> removed_;
  bool cleared_ = false;
};

}  // namespace ordonna
