// The load options window: replace the list or append to it, how to sort after appending,
// and whether to ask again. Its choices take effect at once; closing it without GO puts the
// three values back as they were when it opened.
#pragma once

#include <cstdint>
#include <memory>

#include <QDialog>

namespace Ui {
class TLoadMergeForm;
}

namespace ordonna {

struct AppOptions;
class Dialogs;

class TLoadMergeForm final : public QDialog {
  Q_OBJECT

 public:
  // `options` and `dialogs` must outlive the window.
  TLoadMergeForm(AppOptions& options, Dialogs& dialogs, QWidget* parent);
  ~TLoadMergeForm() override;

  // Every way of closing ends here: GO accepts, Esc and the close box reject.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void NewRadioClick();
  void AppendRadioClick();
  void SortClick(std::uint8_t choice);
  void DontShowCheckClick();
  void GoButClick();

  std::unique_ptr<Ui::TLoadMergeForm> ui_;
  AppOptions& options_;
  Dialogs& dialogs_;
  // The values when the window opened.
  std::uint8_t savedLoadAppend_;
  std::uint8_t savedAppendSort_;
  std::uint8_t savedDontShow_;
};

}  // namespace ordonna
