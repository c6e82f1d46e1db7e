// The duplicates search settings window: the similarity slider, the pair limits, the action
// and the worker's priority. Every control writes its setting at once; "&GO" accepts, any
// other way of closing (Escape, losing the focus) cancels and the caller restores the copy.
#pragma once

#include <memory>

#include "ui/PlacedDialog.h"

namespace Ui {
class TPreDupForm;
}

namespace ordonna {

struct AppOptions;

class TPreDupForm final : public PlacedDialog {
  Q_OBJECT

 public:
  // Repairs the stored settings and shows them. `options` must outlive the window.
  TPreDupForm(AppOptions& options, QWidget* parent);
  ~TPreDupForm() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowSettings();
  void GoButClick();

  std::unique_ptr<Ui::TPreDupForm> ui_;
  AppOptions& options_;
};

}  // namespace ordonna
