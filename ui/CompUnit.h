// The comparison progress window: runs the comparison on its worker, shows what the shared
// state says on a timer, asks the worker's questions (a pair to confirm, a loader's "try
// anyway?", the abort question) on this thread, and ends with the removal of actions 4 and 9
// or the result file and "&VIEW LOG". Closing stops and joins the worker first.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QTimer>

#include "match/CompareRun.h"
#include "ui/QtCaller.h"

namespace Ui {
class TCompForm;
}

namespace ordonna {

struct AppOptions;
class Dialogs;

struct CompRunSetup {
  ListStore& List;
  AppOptions& Options;
  Dialogs& Ask;
  std::string LocaleDateFormat;
  bool Relaxed = false;  // the settings window's relaxed-matching switch
};

class TCompForm final : public QDialog {
  Q_OBJECT

 public:
  // The setup's references must outlive the window. The run starts 50 ms after showing.
  TCompForm(const CompRunSetup& setup, QWidget* parent);
  ~TCompForm() override;

  void done(int result) override;

  // After closing: the indexes removed from the list (ascending), and whether none is left.
  const std::vector<std::uint32_t>& Removed() const { return removed_; }
  bool Cleared() const { return cleared_; }
  CompareRun& Run() { return run_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void StartRun();
  void Tick();
  void ShowEnd();
  void Reply(std::uint8_t answer);
  void AbortButClick();
  void CloseButClick();
  void ViewLogButClick();

  std::unique_ptr<Ui::TCompForm> ui_;
  CompRunSetup setup_;
  bool running_ = true;
  QtCaller caller_;
  EntryList external_;
  CompareRun run_;
  QTimer tick_;
  QTimer blink_;
  bool started_ = false;
  bool ended_ = false;
  bool serving_ = false;  // a question of the worker is open
  bool closing_ = false;
  std::size_t logShown_ = 0;
  std::vector<std::uint32_t> removed_;
  bool cleared_ = false;
};

}  // namespace ordonna
