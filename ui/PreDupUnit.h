// The duplicates search settings window: the similarity slider, the pair limits, the action
// and the worker's priority. Every control writes its setting at once; "&GO" accepts, any
// other way of closing (Escape, losing the focus) cancels and the caller restores the copy.
#pragma once

#include <memory>

#include <QDialog>

namespace Ui {
class TPreDupForm;
}

namespace ordonna {

struct AppOptions;

class TPreDupForm final : public QDialog {
  Q_OBJECT

 public:
  // Repairs the stored settings and shows them. `options` must outlive the window.
  TPreDupForm(AppOptions& options, QWidget* parent);
  ~TPreDupForm() override;

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowSettings();
  void GoButClick();

  std::unique_ptr<Ui::TPreDupForm> ui_;
  AppOptions& options_;
  bool wasActive_ = false;
};

}  // namespace ordonna
