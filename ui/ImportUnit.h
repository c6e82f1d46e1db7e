// The import options window: a stay-on-top window, not modal, shown before the file to import
// is chosen. Its controls change the eight import options at once; leaving it any other way
// than GO (cancel, Esc, the close box, or activating another window) puts them back.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <QDialog>

class QTimer;
class QWindow;

namespace Ui {
class TImportForm;
}

namespace ordonna {

struct AppOptions;
class ListStore;

class TImportForm final : public QDialog {
  Q_OBJECT

 public:
  // `options` and `list` must outlive the window. Show it with show(); it reports through
  // ImportGo and OptionsClosed, and through QDialog::finished once it has closed.
  TImportForm(AppOptions& options, const ListStore& list, QWidget* parent);
  ~TImportForm() override;

  // The import may proceed: the window was left with GO.
  bool ImportGo() const { return importGo_; }
  // The window has closed, whichever way.
  bool OptionsClosed() const { return optionsClosed_; }

  // Every way of closing ends here: GO accepts; cancel, Esc, the close box and losing
  // activation reject.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormActivate();
  void FormDeactivate(QWindow* focused);
  void imacframeClick(std::uint8_t fileType);
  void ImapCheckClick();
  void MircCheckClick();
  void cmfcheckClick();
  void clabcheckClick();
  void daradioClick(std::uint8_t choice);
  void dsradioClick(std::uint8_t choice);
  void stripcheckClick();
  void GobutClick();
  void Timer1Timer();
  // Enables the controls that matter for the file type; then the strip rule.
  void ApplyFileTypeRule();
  // The strip box is offered only for exported lists when a header or footer file is in use.
  void ApplyStripRule();

  std::unique_ptr<Ui::TImportForm> ui_;
  AppOptions& options_;
  const ListStore& list_;
  QTimer* timer1_;
  // The eight options as they were when the window was activated.
  std::array<std::uint8_t, 8> snapshot_{};
  bool importGo_ = false;
  bool optionsClosed_ = false;
};

}  // namespace ordonna
