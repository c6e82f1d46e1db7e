// The caption input window of the HTML table export: the caption text and whether to offer it
// again. O&K stores both into the options; any other way of closing changes nothing.
#pragma once

#include <memory>

#include <QDialog>

namespace Ui {
class TInputCaptionForm;
}

namespace ordonna {

struct AppOptions;

class TInputCaptionForm final : public QDialog {
  Q_OBJECT

 public:
  // Opens with LastCaption in the field when RememberCaption is set. `options` must outlive
  // the window.
  TInputCaptionForm(AppOptions& options, QWidget* parent);
  ~TInputCaptionForm() override;

  // Every way of closing ends here: the window's place is kept for next time.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OkButClick();

  std::unique_ptr<Ui::TInputCaptionForm> ui_;
  AppOptions& options_;
};

}  // namespace ordonna
