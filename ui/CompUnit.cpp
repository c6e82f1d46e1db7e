// The comparison progress window.
#include "ui/CompUnit.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QPainter>

#include "config/AppOptions.h"
#include "export/FieldStyle.h"
#include "platform/ThreadPriority.h"
#include "ui/Dialogs.h"
#include "ui/LogLines.h"
#include "ui/QtText.h"
#include "ui/WindowPlace.h"
#include "ui_CompUnit.h"

namespace ordonna {

TCompForm::TCompForm(const CompRunSetup& setup, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      ui_(std::make_unique<Ui::TCompForm>()),
      setup_(setup),
      caller_(
          setup.Ask, [](const QString&) {}, running_) {
  ui_->setupUi(this);
  FixPlacedWindowSize(*this, QSize(474, 282));
  const std::uint8_t action = setup_.Options.Dialog.CompareAction % kCompareActionCount;
  ui_->ActionLabel->setText(ToQString(kCompareActionLines[action]));
  ui_->LogLabel->setText(action >= 5 ? QStringLiteral("Matches log") : QStringLiteral("Unique log"));
  for (QWidget* hidden : {static_cast<QWidget*>(ui_->CloseBut), static_cast<QWidget*>(ui_->AbortBut),
                          static_cast<QWidget*>(ui_->FinishLabel), static_cast<QWidget*>(ui_->MatchBut),
                          static_cast<QWidget*>(ui_->DifferBut), static_cast<QWidget*>(ui_->ViewLogBut)}) {
    hidden->hide();
  }
  connect(ui_->MatchBut, &QPushButton::clicked, this, [this] { Reply(kCompareMatch); });
  connect(ui_->DifferBut, &QPushButton::clicked, this, [this] { Reply(kCompareDiffer); });
  connect(ui_->AbortBut, &QPushButton::clicked, this, &TCompForm::AbortButClick);
  connect(ui_->CloseBut, &QPushButton::clicked, this, &TCompForm::CloseButClick);
  connect(ui_->ViewLogBut, &QPushButton::clicked, this, &TCompForm::ViewLogButClick);
  tick_.setInterval(50);
  connect(&tick_, &QTimer::timeout, this, &TCompForm::Tick);
  blink_.setInterval(250);
  connect(&blink_, &QTimer::timeout, this,
          [this] { ui_->ProgressBar->setValue(ui_->ProgressBar->value() != 0 ? 0 : run_.State().Progress.load()); });
}

TCompForm::~TCompForm() = default;

void TCompForm::showEvent(QShowEvent* event) {
  MoveToStoredPlace(*this, {&setup_.Options.Places.CompRunLeft, &setup_.Options.Places.CompRunTop});
  QDialog::showEvent(event);
  if (!started_) {
    started_ = true;
    QTimer::singleShot(50, this, &TCompForm::StartRun);
  }
}

void TCompForm::keyPressEvent(QKeyEvent* event) {
  // No key closes this window.
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

void TCompForm::paintEvent(QPaintEvent*) {
  // One line per pixel column from (65, 255, 192) to (65, 192, 255).
  QPainter painter(this);
  const int last = std::max(width() - 1, 1);
  for (int x = 0; x < width(); ++x) {
    const double share = static_cast<double>(x) / last;
    painter.setPen(
        QColor(65, static_cast<int>(std::lround(255 - 63 * share)), static_cast<int>(std::lround(192 + 63 * share))));
    painter.drawLine(x, 0, x, height());
  }
}

void TCompForm::StartRun() {
  if (closing_) return;
  const CompareSettings settings =
      CompareSettingsOf(setup_.Options, setup_.Relaxed, FieldStyleOf(setup_.Options, setup_.LocaleDateFormat));
  ui_->AbortBut->show();
  run_.Start(setup_.List, external_, settings, ThreadPriorityOf(setup_.Options.Dialog.ThreadPriority));
  tick_.start();
}

void TCompForm::Tick() {
  if (serving_ || ended_) return;
  CompareState& state = run_.State();
  // The worker's questions and messages, asked here; the timer keeps running meanwhile.
  serving_ = true;
  (void)run_.ServeRequests(caller_);
  serving_ = false;
  if (closing_) return;
  const WorkerTexts::Snapshot texts = state.Texts.Read();
  if (!texts.Caption.empty()) setWindowTitle(ToQString(texts.Caption));
  if (!texts.ProgressLabel.empty()) ui_->ProgressLabel->setText(ToQString(texts.ProgressLabel));
  const bool confirming = state.Confirming && state.Answer.Get() == kCompareNoAnswer;
  if (confirming != ui_->MatchBut->isVisible()) {
    ui_->MatchBut->setVisible(confirming);
    ui_->DifferBut->setVisible(confirming);
    if (confirming) {
      blink_.start();
    } else {
      blink_.stop();
    }
  }
  ShowFittingLine(*ui_->File1Label, texts.File1);
  ShowFittingLine(*ui_->File2Label, texts.File2);
  if (!confirming) ui_->ProgressBar->setValue(state.Progress);
  const bool logShown = ShowNewLines(*ui_->LogList, state.Log, logShown_);
  const bool awaitingDelete = state.AwaitingDelete && state.Answer.Get() == kCompareNoAnswer;
  if (state.Finished) {
    const WorkerTexts::Snapshot last = state.Texts.Read();
    ui_->ProgressBar->hide();
    ui_->FinishLabel->setText(ToQString(last.Finish));
    ui_->FinishLabel->show();
  }
  if (awaitingDelete && !ui_->CloseBut->isVisible()) {
    ui_->CloseBut->setText(QStringLiteral("&DELETE"));
    ui_->CloseBut->move(PlacedPixels(*this, 296), ui_->CloseBut->y());
    ui_->CloseBut->show();
    ui_->AbortBut->show();
  }
  if (run_.Ended() && logShown) ShowEnd();
}

void TCompForm::ShowEnd() {
  ended_ = true;
  tick_.stop();
  blink_.stop();
  (void)run_.ServeRequests(caller_);  // the messages left when the worker ended
  const CompareEnd end = run_.End();
  if (end == CompareEnd::Stopped || end == CompareEnd::SavedOnStop || end == CompareEnd::Remove) {
    close();
    return;
  }
  const CompareState& state = run_.State();
  ui_->MatchBut->hide();
  ui_->DifferBut->hide();
  ui_->ProgressBar->hide();
  ui_->ProgressLabel->hide();
  ui_->FinishLabel->setText(ToQString(state.Texts.Read().Finish));
  ui_->FinishLabel->show();
  ui_->CloseBut->setText(QStringLiteral("&CLOSE"));
  ui_->CloseBut->move(PlacedPixels(*this, 384), ui_->CloseBut->y());
  ui_->CloseBut->show();
  ui_->AbortBut->hide();
  ui_->ViewLogBut->setVisible(state.LogWritten);
  QPalette greyBlue = ui_->ActionLabel->palette();
  greyBlue.setColor(QPalette::WindowText, QColor(128, 128, 160));
  ui_->ActionLabel->setPalette(greyBlue);
  ui_->LogLabel->setPalette(greyBlue);
  setWindowTitle(ToQString(kCompareDoneCaption));
}

void TCompForm::Reply(std::uint8_t answer) {
  run_.SetAnswer(answer);
  Tick();
}

void TCompForm::AbortButClick() {
  // While the pair loop runs the worker holds still for the save question.
  serving_ = true;
  run_.Abort(caller_);
  serving_ = false;
}

void TCompForm::CloseButClick() {
  if (run_.State().AwaitingDelete && !run_.Ended()) {
    run_.SetAnswer(kCompareRemove);
    run_.Wait();
  }
  close();
}

void TCompForm::ViewLogButClick() {
  setup_.Ask.OpenDocument(ToQString(setup_.Options.Dialog.CompareSaveFile.View()));
  ui_->ViewLogBut->setEnabled(false);
  QTimer::singleShot(2000, ui_->ViewLogBut, [this] { ui_->ViewLogBut->setEnabled(true); });
}

void TCompForm::done(int result) {
  if (!closing_) {
    closing_ = true;
    tick_.stop();
    blink_.stop();
    const std::uint8_t action = setup_.Options.Dialog.CompareAction % kCompareActionCount;
    const DeletionResult removed = run_.Close(setup_.List);
    if (removed.Changed) {
      cleared_ = removed.Cleared;
      // Action 4 removes the matches (mark 0), action 9 the unique titles (mark 1).
      const CompareMarks& marks = run_.Marks();
      for (std::uint32_t i = 0; i < marks.size(); ++i) {
        if ((marks[i] == 0) == (action == 4)) removed_.push_back(i);
      }
    }
    KeepPlace(*this, {&setup_.Options.Places.CompRunLeft, &setup_.Options.Places.CompRunTop});
  }
  QDialog::done(result);
}

}  // namespace ordonna
