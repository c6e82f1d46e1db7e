// The notice shown when a filter is made: what editing, deleting and saving a filtered list
// mean, with "&Don't show this message again". "O&K" keeps the filter (accepted), "cancel"
// and Esc take it back (rejected); either stores the tick.
#pragma once

#include <memory>

#include "ui/PlacedDialog.h"

namespace Ui {
class TSkipFMsgForm;
}

namespace ordonna {

struct AppOptions;

class TSkipFMsgForm final : public PlacedDialog {
  Q_OBJECT

 public:
  // `options` must outlive the window.
  TSkipFMsgForm(AppOptions& options, QWidget* parent);
  ~TSkipFMsgForm() override;

  void done(int result) override;

 private:
  std::unique_ptr<Ui::TSkipFMsgForm> ui_;
  AppOptions& options_;
};

}  // namespace ordonna
