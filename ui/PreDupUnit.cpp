// The duplicates search settings window.
#include "ui/PreDupUnit.h"

#include <optional>

#include <QApplication>
#include <QLabel>

#include "config/AppOptions.h"
#include "match/CompareSetup.h"
#include "ui/WindowPlace.h"
#include "ui_PreDupUnit.h"

namespace ordonna {
namespace {

// A whole number no greater than `limit`, or nothing (the setting keeps its value).
std::optional<int> NumberUpTo(const QString& text, int limit) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < 0 || value > limit || text.trimmed() != text) return std::nullopt;
  return value;
}

}  // namespace

TPreDupForm::TPreDupForm(AppOptions& options, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TPreDupForm>()), options_(options) {
  ui_->setupUi(this);
  // The slider's scale: "50" ... "95" under the ticks, then "100 %".
  const QRect slider = ui_->TrackBar1->geometry();
  for (int value = 50; value <= 100; value += 5) {
    auto* label = new QLabel(value == 100 ? QStringLiteral("100 %") : QString::number(value), this);
    const int x = slider.left() + 6 + (slider.width() - 12) * (value - 50) / 50;
    label->setGeometry(value == 100 ? x - 30 : x - 10, slider.bottom() + 2, value == 100 ? 40 : 20, 16);
    label->setAlignment(value == 100 ? Qt::AlignRight : Qt::AlignHCenter);
  }
  setFixedSize(543, 325);  // placed controls, no layout
  RepairDuplicateSettings(options_.Dialog);
  ShowSettings();
  DialogOptions& dialog = options_.Dialog;
  connect(ui_->TrackBar1, &QSlider::valueChanged, this,
          [&dialog](int value) { dialog.MatchPercent = static_cast<std::uint8_t>(value); });
  connect(ui_->HighCheck, &QCheckBox::toggled, this, [&dialog](bool on) { dialog.MatchHighChars = on; });
  connect(ui_->auncheck, &QCheckBox::toggled, this, [&dialog](bool on) { dialog.AllowUnspecified = on; });
  connect(ui_->Bitcheck, &QCheckBox::toggled, this, [&dialog](bool on) { dialog.BitrateMustMatch = on; });
  connect(ui_->LetterCheck, &QCheckBox::toggled, this, [&dialog](bool on) { dialog.LetterCheck = on; });
  connect(ui_->sizedifcheck, &QCheckBox::toggled, this, [this, &dialog](bool on) {
    dialog.SizeMayDiffer = on;
    ui_->SizeEdit->setEnabled(on);
  });
  connect(ui_->timedifcheck, &QCheckBox::toggled, this, [this, &dialog](bool on) {
    dialog.TimeMayDiffer = on;
    ui_->TimeEdit->setEnabled(on);
  });
  connect(ui_->SizeEdit, &QLineEdit::textEdited, this, [&dialog](const QString& text) {
    if (std::optional<int> value = NumberUpTo(text, 9999)) dialog.SizeDiffKB = static_cast<std::uint16_t>(*value);
  });
  connect(ui_->TimeEdit, &QLineEdit::textEdited, this, [&dialog](const QString& text) {
    if (std::optional<int> value = NumberUpTo(text, 99)) dialog.TimeDiffSec = static_cast<std::uint16_t>(*value);
  });
  connect(ui_->SizeEdit, &QLineEdit::returnPressed, ui_->TimeEdit, [this] { ui_->TimeEdit->setFocus(); });
  connect(ui_->TimeEdit, &QLineEdit::returnPressed, ui_->GoBut, [this] { ui_->GoBut->setFocus(); });
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

void TPreDupForm::done(int result) {
  KeepPlace(*this, {options_.Places.DupSetupLeft, options_.Places.DupSetupTop});
  QDialog::done(result);
}

void TPreDupForm::showEvent(QShowEvent* event) {
  MoveToStoredPlace(*this, {options_.Places.DupSetupLeft, options_.Places.DupSetupTop});
  QDialog::showEvent(event);
}

void TPreDupForm::changeEvent(QEvent* event) {
  // Losing the focus closes the window as a cancel.
  if (event->type() == QEvent::ActivationChange && isVisible()) {
    if (isActiveWindow()) {
      wasActive_ = true;
    } else if (wasActive_ && QApplication::activeModalWidget() == nullptr) {
      reject();
    }
  }
  QDialog::changeEvent(event);
}

bool TPreDupForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->LetterLab && event->type() == QEvent::MouseButtonRelease) {
    ui_->LetterCheck->toggle();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace ordonna
