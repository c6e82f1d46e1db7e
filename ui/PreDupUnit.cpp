// The duplicates search settings window.
#include "ui/PreDupUnit.h"

#include <optional>

#include <QApplication>
#include <QLabel>

#include "config/AppOptions.h"
#include "match/CompareSetup.h"
#include "ui/MatchSettingsControls.h"
#include "ui/WindowPlace.h"
#include "ui_PreDupUnit.h"

namespace ordonna {
TPreDupForm::TPreDupForm(AppOptions& options, QWidget* parent)
    : PlacedDialog({&options.Places.DupSetupLeft, &options.Places.DupSetupTop}, FocusLoss::Cancels, parent),
      ui_(std::make_unique<Ui::TPreDupForm>()),
      options_(options) {
  ui_->setupUi(this);
  AddPercentScale(*this, *ui_->TrackBar1);
  FixPlacedWindowSize(*this, QSize(543, 325));
  RepairDuplicateSettings(options_.Dialog);
  ShowSettings();
  DialogOptions& dialog = options_.Dialog;
  ConnectMatchLimits(*this, *ui_, dialog);
  connect(ui_->auncheck, &QCheckBox::toggled, this, [&dialog](bool on) { dialog.AllowUnspecified = on; });
  const std::pair<QRadioButton*, std::uint8_t> actions[] = {{ui_->rbut1, 0}, {ui_->rbut2, 1}, {ui_->rbut3, 2}};
  for (auto [radio, value] : actions) {
    connect(radio, &QRadioButton::toggled, this, [&dialog, value](bool on) {
      if (on) dialog.MatchAction = value;
    });
  }
  const std::pair<QRadioButton*, std::uint8_t> priorities[] = {
      {ui_->LowRadio, 0}, {ui_->NormalRadio, 1}, {ui_->HighRadio, 2}};
  for (auto [radio, value] : priorities) {
    connect(radio, &QRadioButton::toggled, this, [&dialog, value](bool on) {
      if (on) dialog.ThreadPriority = value;
    });
  }
  ui_->LetterLab->installEventFilter(this);
  ui_->GoBut->setDefault(false);
  ui_->GoBut->setAutoDefault(false);
  connect(ui_->GoBut, &QPushButton::clicked, this, &TPreDupForm::GoButClick);
}

TPreDupForm::~TPreDupForm() = default;

void TPreDupForm::ShowSettings() {
  const DialogOptions& dialog = options_.Dialog;
  ui_->TrackBar1->setValue(dialog.MatchPercent);
  ui_->HighCheck->setChecked(dialog.MatchHighChars != 0);
  ui_->auncheck->setChecked(dialog.AllowUnspecified != 0);
  ui_->sizedifcheck->setChecked(dialog.SizeMayDiffer != 0);
  ui_->SizeEdit->setText(QString::number(dialog.SizeDiffKB));
  ui_->SizeEdit->setEnabled(dialog.SizeMayDiffer != 0);
  ui_->timedifcheck->setChecked(dialog.TimeMayDiffer != 0);
  ui_->TimeEdit->setText(QString::number(dialog.TimeDiffSec));
  ui_->TimeEdit->setEnabled(dialog.TimeMayDiffer != 0);
  ui_->Bitcheck->setChecked(dialog.BitrateMustMatch != 0);
  ui_->LetterCheck->setChecked(dialog.LetterCheck != 0);
  (dialog.MatchAction == 0 ? ui_->rbut1 : dialog.MatchAction == 2 ? ui_->rbut3 : ui_->rbut2)->setChecked(true);
  (dialog.ThreadPriority == 0   ? ui_->LowRadio
   : dialog.ThreadPriority == 2 ? ui_->HighRadio
                                : ui_->NormalRadio)
      ->setChecked(true);
}

void TPreDupForm::GoButClick() {
  // The part threshold follows from MatchPercent when the run starts.
  accept();
}

bool TPreDupForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->LetterLab && event->type() == QEvent::MouseButtonRelease) {
    ui_->LetterCheck->toggle();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace ordonna
