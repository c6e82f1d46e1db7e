// The about window: the program's name and version, and a HELP button that opens the local
// help page installed beside the program.
#pragma once

#include <memory>

#include <QDialog>
#include <QString>

namespace Ui {
class TAboutForm;
}

namespace ordonna {

struct AppOptions;
class Dialogs;

class TAboutForm final : public QDialog {
  Q_OBJECT

 public:
  // `options` and `dialogs` must outlive the window.
  TAboutForm(AppOptions& options, Dialogs& dialogs, QString helpFile, QWidget* parent);
  ~TAboutForm() override;

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void HelpButClick();

  std::unique_ptr<Ui::TAboutForm> ui_;
  AppOptions& options_;
  Dialogs& dialogs_;
  QString helpFile_;
};

}  // namespace ordonna
