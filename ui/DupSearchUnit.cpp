// The duplicates search progress window.
#include "ui/DupSearchUnit.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "config/AppOptions.h"
#include "export/FieldStyle.h"
#include "match/DupLog.h"
#include "platform/ThreadPriority.h"
#include "ui/Dialogs.h"
#include "ui/LogLines.h"
#include "ui/QtText.h"
#include "ui/WindowPlace.h"
#include "ui_DupSearchUnit.h"

namespace ordonna {

TDupSearchForm::TDupSearchForm(const DupRunSetup& setup, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      ui_(std::make_unique<Ui::TDupSearchForm>()),
      setup_(setup),
      caller_(setup.Ask, setup.ShowStatus, running_) {
  ui_->setupUi(this);
  FixPlacedWindowSize(*this, QSize(474, 282));
  // Run start: the progress shows, every finishing control hides.
  ui_->FinishLabel->hide();
  ui_->File1Label->clear();
  ui_->File2Label->clear();
  for (QWidget* hidden : {static_cast<QWidget*>(ui_->Del1But), static_cast<QWidget*>(ui_->Del2But),
                          static_cast<QWidget*>(ui_->LeaveBut), static_cast<QWidget*>(ui_->CloseBut),
                          static_cast<QWidget*>(ui_->SaveLogBut), static_cast<QWidget*>(ui_->ViewLogBut)}) {
    hidden->hide();
  }
  ui_->AbortBut->setText(QStringLiteral("&ABORT"));
  connect(ui_->Del1But, &QPushButton::clicked, this, [this] { Reply(kDupDeleteFirst); });
  connect(ui_->Del2But, &QPushButton::clicked, this, [this] { Reply(kDupDeleteSecond); });
  connect(ui_->LeaveBut, &QPushButton::clicked, this, [this] { Reply(kDupLeaveBoth); });
  connect(ui_->AbortBut, &QPushButton::clicked, this, &TDupSearchForm::AbortButClick);
  connect(ui_->CloseBut, &QPushButton::clicked, this, &TDupSearchForm::CloseButClick);
  connect(ui_->SaveLogBut, &QPushButton::clicked, this, &TDupSearchForm::SaveLogButClick);
  connect(ui_->ViewLogBut, &QPushButton::clicked, this, &TDupSearchForm::ViewLogButClick);
  tick_.setInterval(50);
  connect(&tick_, &QTimer::timeout, this, &TDupSearchForm::Tick);
  blink_.setInterval(250);
  connect(&blink_, &QTimer::timeout, this, &TDupSearchForm::Blink);
}

TDupSearchForm::~TDupSearchForm() = default;

void TDupSearchForm::showEvent(QShowEvent* event) {
  MoveToStoredPlace(*this, {&setup_.Options.Places.DupRunLeft, &setup_.Options.Places.DupRunTop});
  QDialog::showEvent(event);
  if (!started_) {
    started_ = true;
    QTimer::singleShot(50, this, &TDupSearchForm::StartRun);
  }
}

void TDupSearchForm::StartRun() {
  if (closing_) return;
  const DupSearchSettings settings =
      DupSearchSettingsOf(setup_.Options, FieldStyleOf(setup_.Options, setup_.LocaleDateFormat));
  run_.Start(setup_.List.Working(), settings, ThreadPriorityOf(setup_.Options.Dialog.ThreadPriority));
  tick_.start();
}

void TDupSearchForm::paintEvent(QPaintEvent*) {
  // One line per pixel column from (255, 128, 0) to (255, 240, 0).
  QPainter painter(this);
  const int last = std::max(width() - 1, 1);
  for (int x = 0; x < width(); ++x) {
    const int green = static_cast<int>(std::lround(128.0 + (240.0 - 128.0) * x / last));
    painter.setPen(QColor(255, green, 0));
    painter.drawLine(x, 0, x, height());
  }
}

void TDupSearchForm::Tick() {
  DupSearchState& state = run_.State();
  const WorkerTexts::Snapshot texts = state.Texts.Read();
  if (!texts.Caption.empty()) setWindowTitle(ToQString(texts.Caption));
  if (!texts.ProgressLabel.empty()) ui_->ProgressLabel->setText(ToQString(texts.ProgressLabel));
  const bool confirming = state.Confirming && state.Answer.Get() == kDupNoAnswer;
  if (confirming != ui_->Del1But->isVisible()) {
    ui_->Del1But->setVisible(confirming);
    ui_->Del2But->setVisible(confirming);
    ui_->LeaveBut->setVisible(confirming);
    if (confirming) {
      blink_.start();
    } else {
      blink_.stop();
    }
  }
  ui_->File1Label->setVisible(confirming);
  ui_->File2Label->setVisible(confirming);
  if (confirming) {
    ShowFittingLine(*ui_->File1Label, texts.File1);
    ShowFittingLine(*ui_->File2Label, texts.File2);
  } else {
    ui_->ProgressBar->setValue(state.Progress);
  }
  const bool logShown = ShowNewLines(*ui_->LogList, state.Log, logShown_);
  if (state.Completed && !finished_ && run_.Ended() && logShown) {
    finished_ = true;
    ui_->ProgressBar->hide();
    ui_->ProgressLabel->hide();
    // Read again: the worker may have finished since the snapshot above.
    const WorkerTexts::Snapshot last = state.Texts.Read();
    setWindowTitle(ToQString(last.Caption));
    ui_->FinishLabel->setText(ToQString(last.Finish));
    ui_->FinishLabel->show();
    ShowFinalButtons();
  }
}

void TDupSearchForm::Blink() {
  ui_->ProgressBar->setValue(ui_->ProgressBar->value() != 0 ? 0 : run_.State().Progress.load());
}

void TDupSearchForm::ShowFinalButtons() {
  const DupButtons buttons = FinalDupButtons(true, run_.State().ToDelete);
  ui_->Del1But->setVisible(buttons.AnswerButtonsShown);
  ui_->Del2But->setVisible(buttons.AnswerButtonsShown);
  ui_->LeaveBut->setVisible(buttons.AnswerButtonsShown);
  ui_->AbortBut->setText(ToQString(buttons.AbortCaption));
  ui_->AbortBut->setVisible(buttons.AbortShown);
  ui_->CloseBut->setText(ToQString(buttons.CloseCaption));
  ui_->CloseBut->move(PlacedPixels(*this, buttons.CloseLeft), ui_->CloseBut->y());
  ui_->CloseBut->setVisible(buttons.CloseShown);
  ui_->SaveLogBut->setVisible(buttons.SaveLogShown);
  ui_->ViewLogBut->setVisible(buttons.ViewLogShown);
}

void TDupSearchForm::Reply(std::uint8_t answer) {
  run_.SetAnswer(answer);
  Tick();
}

void TDupSearchForm::AbortButClick() {
  // "&UNDO" / "&ABORT": nothing is deleted unless the revert question says so on closing.
  run_.Undo();
  close();
}

void TDupSearchForm::CloseButClick() {
  run_.Wait();
  const DeletionMarks marks = run_.Marks();
  const DeletionResult result = run_.Delete(setup_.List);
  RecordRemoved(result, marks);
  setup_.ShowStatus(ToQString(ItemsLeftText(setup_.List.ItemCount())));
  close();
}

void TDupSearchForm::RecordRemoved(const DeletionResult& result, const DeletionMarks& marks) {
  if (!result.Changed) return;
  cleared_ = result.Cleared;
  for (std::uint32_t i = 0; i < marks.size(); ++i) {
    if (marks[i] == 0) removed_.push_back(i);
  }
}

void TDupSearchForm::SaveLogButClick() {
  if (run_.State().Log.Size() == 0) {
    WarnMessage(setup_.Ask, ToQString(kNothingToSave));
    return;
  }
  FileDialogRequest request;
  request.Title = QStringLiteral(" - SAVE DELETION LOG AS - ");
  request.Filter = QtFileFilter("text files|*.txt|log files|*.log|all files|*.*");
  request.Folder = ToQString(setup_.Options.Dialog.DupLogFolder.View());
  const QString chosen = setup_.Ask.ChooseSaveFile(request);
  if (chosen.isEmpty()) return;
  run_.Wait();
  // The chooser does not say which filter was selected: a name ending in ".log" or ".*"
  // stands for the other filters.
  const bool firstFilter = !chosen.endsWith(QStringLiteral(".log"), Qt::CaseInsensitive);
  const DupLogSaved saved = SaveDupLog(ToBytes(chosen), firstFilter, run_.State(), setup_.List.Working(), run_.Marks(),
                                       FieldStyleOf(setup_.Options, setup_.LocaleDateFormat),
                                       CurrentLogStamp(setup_.LocaleDateFormat), setup_.Options, caller_);
  if (!saved.Saved) return;
  logPath_ = saved.LogPath;
  ui_->ViewLogBut->show();
}

void TDupSearchForm::ViewLogButClick() {
  // The stored path is in double quotes, as a shell command line wants it.
  std::string path = logPath_;
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  setup_.Ask.OpenDocument(ToQString(path));
  ui_->ViewLogBut->setEnabled(false);
  QTimer::singleShot(2000, ui_->ViewLogBut, [this] { ui_->ViewLogBut->setEnabled(true); });
}

void TDupSearchForm::done(int result) {
  if (!closing_) {
    closing_ = true;
    tick_.stop();
    blink_.stop();
    // Stops and joins the worker, then asks about an interrupted run's marks.
    const DeletionResult deleted = run_.Close(setup_.List, caller_);
    RecordRemoved(deleted, run_.Marks());
    ui_->ViewLogBut->hide();
    KeepPlace(*this, {&setup_.Options.Places.DupRunLeft, &setup_.Options.Places.DupRunTop});
  }
  QDialog::done(result);
}

}  // namespace ordonna
