// The find window: the text to find, Find First / Find Next, match case, and Fi&lter, which
// makes the filtered list while the window is open (through the viewer) and closes it. It
// closes when it loses the focus; Esc or an empty text close it with no request.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/PlacedDialog.h"
#include "view/NameSearch.h"

namespace Ui {
class TFindForm;
}

namespace ordonna {

struct AppOptions;

class TFindForm final : public PlacedDialog {
  Q_OBJECT

 public:
  // `makeFilter` makes the filtered list of the names that contain the text, true when it
  // did. `options` must outlive the window.
  TFindForm(AppOptions& options, bool filtered, const std::string& text,
            std::function<bool(const std::string&)> makeFilter, QWidget* parent);
  ~TFindForm() override;

  FindRequest Request() const { return request_; }
  // The text of the request (UTF-8).
  std::string Text() const;

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Finish(FindRequest request);
  void Edit1Change();
  void ButFiltClick();

  std::unique_ptr<Ui::TFindForm> ui_;
  AppOptions& options_;
  bool filtered_;
  std::function<bool(const std::string&)> makeFilter_;
  FindRequest request_ = FindRequest::Nothing;
  bool closing_ = false;
};

}  // namespace ordonna
