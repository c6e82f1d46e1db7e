// The comparison settings window.
#include "ui/PreCompUnit.h"

#include <optional>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "config/AppOptions.h"
#include "match/CompareTexts.h"
#include "match/DupLog.h"
#include "platform/FileSystem.h"
#include "ui/Dialogs.h"
#include "ui/MatchSettingsControls.h"
#include "ui/QtText.h"
#include "ui/WindowPlace.h"
#include "ui_PreCompUnit.h"

namespace ordonna {
namespace {

// The state picture of a file button: green new, yellow replaced, red not valid.
QIcon StatePicture(bool valid, bool replaces) {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::black);
  painter.setBrush(!valid ? QColor(220, 0, 0) : replaces ? QColor(240, 210, 0) : QColor(0, 180, 0));
  painter.drawEllipse(2, 2, 12, 12);
  return QIcon(picture);
}

// A file name shortened from the left with a leading "..." until it fits `label`.
QString FittedName(const QLabel& label, const std::string& path) {
  const QFontMetrics metrics(label.font());
  QString text = ToQString(path);
  if (metrics.horizontalAdvance(text) <= label.width()) return text;
  while (!text.isEmpty() && metrics.horizontalAdvance(QStringLiteral("...") + text) > label.width()) text.remove(0, 1);
  return QStringLiteral("...") + text;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

TPreCompForm::TPreCompForm(AppOptions& options, Dialogs& dialogs, QWidget* parent)
    : PlacedDialog({&options.Places.CompSetupLeft, &options.Places.CompSetupTop}, FocusLoss::Cancels, parent),
      ui_(std::make_unique<Ui::TPreCompForm>()),
      options_(options),
      dialogs_(dialogs),
      relaxed_((RepairCompareSettings(options.Dialog), options.Dialog.CompareWith)) {
  ui_->setupUi(this);
  AddPercentScale(*this, *ui_->TrackBar1);
  FixPlacedWindowSize(*this, QSize(524, 416));  // the letter note takes its own row
  ShowSettings();
  DialogOptions& dialog = options_.Dialog;
  ConnectMatchLimits(*this, *ui_, dialog);
  connect(ui_->IgnoreCheck, &QCheckBox::toggled, this, [&dialog](bool on) { dialog.MircLines = on; });
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
  connect(ui_->WithCombo, &QComboBox::activated, this, &TPreCompForm::WithComboChange);
  connect(ui_->ActionCombo, &QComboBox::activated, this, &TPreCompForm::ActionComboChange);
  connect(ui_->relaxcheck, &QCheckBox::clicked, this, &TPreCompForm::relaxcheckClick);
  connect(ui_->ButLoadFile, &QPushButton::clicked, this, &TPreCompForm::ButLoadFileClick);
  connect(ui_->ButSaveFile, &QPushButton::clicked, this, &TPreCompForm::ButSaveFileClick);
  connect(ui_->ButLast, &QPushButton::clicked, this, &TPreCompForm::ButLastClick);
  connect(ui_->GoBut, &QPushButton::clicked, this, &TPreCompForm::GoButClick);
  for (QWidget* label : {static_cast<QWidget*>(ui_->LetterLab), static_cast<QWidget*>(ui_->UserFileLab),
                         static_cast<QWidget*>(ui_->Mp3Lab), static_cast<QWidget*>(ui_->LabInpFile),
                         static_cast<QWidget*>(ui_->LabOutFile)}) {
    label->installEventFilter(this);
  }
  ui_->GoBut->setAutoDefault(false);
  UpdateFileStates();
}

TPreCompForm::~TPreCompForm() = default;

void TPreCompForm::ShowSettings() {
  const DialogOptions& dialog = options_.Dialog;
  ui_->TrackBar1->setValue(dialog.MatchPercent);
  ui_->HighCheck->setChecked(dialog.MatchHighChars != 0);
  ui_->sizedifcheck->setChecked(dialog.SizeMayDiffer != 0);
  ui_->SizeEdit->setText(QString::number(dialog.SizeDiffKB));
  ui_->SizeEdit->setEnabled(dialog.SizeMayDiffer != 0);
  ui_->timedifcheck->setChecked(dialog.TimeMayDiffer != 0);
  ui_->TimeEdit->setText(QString::number(dialog.TimeDiffSec));
  ui_->TimeEdit->setEnabled(dialog.TimeMayDiffer != 0);
  ui_->Bitcheck->setChecked(dialog.BitrateMustMatch != 0);
  ui_->LetterCheck->setChecked(dialog.LetterCheck != 0);
  ui_->IgnoreCheck->setChecked(dialog.MircLines != 0);
  ui_->IgnoreCheck->setEnabled(dialog.CompareWith == 1);
  ui_->WithCombo->setCurrentIndex(dialog.CompareWith);
  ui_->ActionCombo->setCurrentIndex(dialog.CompareAction);
  ui_->relaxcheck->setChecked(relaxed_.Relaxed());
  (dialog.MatchAction == 0 ? ui_->rbut1 : dialog.MatchAction == 2 ? ui_->rbut3 : ui_->rbut2)->setChecked(true);
  (dialog.ThreadPriority == 0   ? ui_->LowRadio
   : dialog.ThreadPriority == 2 ? ui_->HighRadio
                                : ui_->NormalRadio)
      ->setChecked(true);
}

void TPreCompForm::WithComboChange(int index) {
  options_.Dialog.CompareWith = static_cast<std::uint8_t>(index & 1);
  relaxed_.ListTypeChanged(options_.Dialog.CompareWith);
  ui_->relaxcheck->setChecked(relaxed_.Relaxed());
  ui_->IgnoreCheck->setEnabled(options_.Dialog.CompareWith == 1);
  if (!input_.empty()) inputValid_ = InputValid(input_, options_.Dialog.CompareWith == 1);
  UpdateFileStates();
}

void TPreCompForm::ActionComboChange(int index) {
  options_.Dialog.CompareAction = static_cast<std::uint8_t>(index);
  if (!output_.empty()) outputState_ = OutputState(output_, options_.Dialog.CompareAction);
  UpdateFileStates();
}

void TPreCompForm::relaxcheckClick(bool on) {
  const std::string_view notice = relaxed_.Set(on);
  if (!notice.empty()) dialogs_.ShowMessage(DisplayLines(ToQString(notice)), QString(), MessageKind::Information);
}

void TPreCompForm::TakeInput(const std::string& path) {
  const bool textList = options_.Dialog.CompareWith == 1;
  const std::string name = CompleteInputName(path, textList);
  if (!IsRegularFile(name)) {
    WarnMessage(dialogs_, ToQString(kFileMissing));
    return;
  }
  input_ = name;
  if (const std::string folder = FolderOf(name); folder.size() < 256) options_.Dialog.CompareLoadFolder.Set(folder);
  inputValid_ = InputValid(name, textList);
}

void TPreCompForm::TakeOutput(const std::string& path) {
  output_ = path;
  if (const std::string folder = FolderOf(path); folder.size() < 256) options_.Dialog.CompareSaveFolder.Set(folder);
  outputState_ = OutputState(path, options_.Dialog.CompareAction);
}

void TPreCompForm::ButLoadFileClick() {
  const bool textList = options_.Dialog.CompareWith == 1;
  FileDialogRequest request;
  request.Title = QStringLiteral(" - SPECIFY LIST TO COMPARE WITH - ");
  request.Filter = QtFileFilter(textList ? "Text files|*.txt|All files|*.*" : "ORDL files|*.ordl|all files|*.*");
  request.Folder = ToQString(options_.Dialog.CompareLoadFolder.View());
  const QString chosen = dialogs_.ChooseOpenFile(request);
  if (chosen.isEmpty()) return;
  TakeInput(ToBytes(chosen));
  UpdateFileStates();
}

void TPreCompForm::ButSaveFileClick() {
  const std::uint8_t action = options_.Dialog.CompareAction;
  if (RemovesFromCurrent(action)) {
    WarnMessage(dialogs_, ToQString(kImproperAction));
    return;
  }
  FileDialogRequest request;
  request.Title = QStringLiteral(" - SAVE COMPARISON RESULTS AS - ");
  request.Filter = QtFileFilter(WritesNewList(action) ? "ORDL files|*.ordl|all files|*.*"
                                                      : "text files|*.txt|log files|*.log|all files|*.*");
  request.Folder = ToQString(options_.Dialog.CompareSaveFolder.View());
  const QString chosen = dialogs_.ChooseSaveFile(request);
  if (chosen.isEmpty()) return;
  // The chooser does not report its filter: a name ending in ".log" stands for the second.
  const int filter = chosen.endsWith(QStringLiteral(".log"), Qt::CaseInsensitive) ? 2 : 1;
  const std::string name = CompleteOutputName(ToBytes(chosen), OutputExtension(action, filter));
  if (name != ToBytes(chosen) && IsRegularFile(name) &&
      dialogs_.AskMessage(DisplayLines(ToQString(ReplaceQuestion(name))), ToQString(kCompareResultsTitle), false,
                          Answer::No) != Answer::Yes) {
    return;
  }
  TakeOutput(name);
  UpdateFileStates();
}

void TPreCompForm::ButLastClick() {
  const DialogOptions& dialog = options_.Dialog;
  if (!dialog.CompareListFile.View().empty()) TakeInput(std::string(dialog.CompareListFile.View()));
  if (!dialog.CompareSaveFile.View().empty()) TakeOutput(std::string(dialog.CompareSaveFile.View()));
  UpdateFileStates();
}

void TPreCompForm::UpdateFileStates() {
  const std::uint8_t action = options_.Dialog.CompareAction;
  ui_->ButLoadFile->setIcon(StatePicture(inputValid_, false));
  ui_->ButSaveFile->setIcon(StatePicture(outputState_ != FileState::Invalid, outputState_ == FileState::Replaces));
  ui_->ButSaveFile->setEnabled(!RemovesFromCurrent(action));
  ui_->LabInpFile->setText(FittedName(*ui_->LabInpFile, input_));
  ui_->LabInpFile->setToolTip(QStringLiteral("Input file: ") + ToQString(input_));
  ui_->LabOutFile->setText(FittedName(*ui_->LabOutFile, output_));
  ui_->LabOutFile->setToolTip(QStringLiteral("Output file: ") + ToQString(output_));
  ui_->ButLast->setEnabled(!options_.Dialog.CompareListFile.View().empty() ||
                           !options_.Dialog.CompareSaveFile.View().empty());
  ui_->GoBut->setEnabled(GoEnabled(inputValid_, outputState_, action));
}

void TPreCompForm::GoButClick() {
  options_.Dialog.CompareListFile.Set(input_);
  options_.Dialog.CompareSaveFile.Set(RemovesFromCurrent(options_.Dialog.CompareAction) ? std::string() : output_);
  accept();
}

bool TPreCompForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == ui_->LetterLab) {
      ui_->LetterCheck->toggle();
      return true;
    }
    if ((watched == ui_->UserFileLab || watched == ui_->Mp3Lab) && ui_->IgnoreCheck->isEnabled()) {
      ui_->IgnoreCheck->toggle();
      return true;
    }
  }
  if (event->type() == QEvent::MouseButtonDblClick && (watched == ui_->LabInpFile || watched == ui_->LabOutFile)) {
    const bool input = watched == ui_->LabInpFile;
    dialogs_.ShowMessage(ToQString(input ? input_ : output_),
                         input ? QStringLiteral("input file") : QStringLiteral("output file"),
                         MessageKind::Information);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace ordonna
