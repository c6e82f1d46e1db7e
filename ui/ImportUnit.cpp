// The import options window's controls, bound to the eight import options of DialogOptions,
// with the file-type rule, the strip rule (re-applied by a timer, as the header and footer
// settings can change while the window is open) and the undo when it is left without GO.
#include "ui/ImportUnit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "ui/WindowPlace.h"
#include "ui_ImportUnit.h"

namespace ordonna {
namespace {

constexpr int kClientWidth = 421;
constexpr int kClientHeight = 531;
constexpr int kStripRuleEveryMs = 987;

// The options the window edits, in the order of its snapshot.
std::array<std::uint8_t*, 8> EditedOptions(DialogOptions& dialog) {
  return {&dialog.ImportFileType,
          &dialog.ImportImap,
          &dialog.MircLines,
          &dialog.ImportCmf,
          &dialog.ImportClab,
          &dialog.ImportDateAddedFallback,
          &dialog.ImportDateStyleFallback,
          &dialog.ImportStripHeaderFooter};
}

std::uint8_t Flag(bool on) { return on ? 1 : 0; }

}  // namespace

TImportForm::TImportForm(AppOptions& options, const ListStore& list, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TImportForm>()),
      options_(options),
      list_(list),
      timer1_(new QTimer(this)) {
  ui_->setupUi(this);
  setModal(false);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  const int side = style()->pixelMetric(QStyle::PM_LargeIconSize) * 2;
  ui_->Picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(side, side));
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kStripRuleEveryMs);

  connect(ui_->OwnTypeRadio, &QRadioButton::clicked, this, [this] { imacframeClick(0); });
  connect(ui_->OtherTypeRadio, &QRadioButton::clicked, this, [this] { imacframeClick(1); });
  connect(ui_->ImapCheck, &QCheckBox::clicked, this, &TImportForm::ImapCheckClick);
  connect(ui_->MircCheck, &QCheckBox::clicked, this, &TImportForm::MircCheckClick);
  connect(ui_->cmfcheck, &QCheckBox::clicked, this, &TImportForm::cmfcheckClick);
  connect(ui_->clabcheck, &QCheckBox::clicked, this, &TImportForm::clabcheckClick);
  connect(ui_->DaTodayRadio, &QRadioButton::clicked, this, [this] { daradioClick(0); });
  connect(ui_->DaBlankRadio, &QRadioButton::clicked, this, [this] { daradioClick(1); });
  connect(ui_->DsMainRadio, &QRadioButton::clicked, this, [this] { dsradioClick(0); });
  connect(ui_->DsPromptRadio, &QRadioButton::clicked, this, [this] { dsradioClick(1); });
  connect(ui_->stripcheck, &QCheckBox::clicked, this, &TImportForm::stripcheckClick);
  connect(ui_->Gobut, &QPushButton::clicked, this, &TImportForm::GobutClick);
  connect(ui_->ButCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(timer1_, &QTimer::timeout, this, &TImportForm::Timer1Timer);
  connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &TImportForm::FormDeactivate);
  // A click on a label works its check box (each label's buddy).
  for (QLabel* label : {ui_->ApLab, ui_->MircLab, ui_->cmflab1, ui_->cmflab2, ui_->clablab1, ui_->clablab2,
                        ui_->clablab3, ui_->striplab1}) {
    label->installEventFilter(this);
  }

  FixWindowSize(*this, QSize(kClientWidth, kClientHeight));
}

TImportForm::~TImportForm() = default;

void TImportForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  MoveToStoredPlace(*this, {&options_.Places.ImportLeft, &options_.Places.ImportTop});
  FormActivate();
}

void TImportForm::FormActivate() {
  importGo_ = false;
  optionsClosed_ = false;
  DialogOptions& dialog = options_.Dialog;
  const std::array<std::uint8_t*, 8> edited = EditedOptions(dialog);
  for (std::size_t i = 0; i < edited.size(); ++i) snapshot_[i] = *edited[i];

  ui_->OwnTypeRadio->setChecked(dialog.ImportFileType == 0);
  ui_->OtherTypeRadio->setChecked(dialog.ImportFileType != 0);
  // Appending to an empty list is no choice to offer; the option keeps its value.
  const bool hasEntries = list_.ItemCount() > 0;
  ui_->ImapCheck->setChecked(dialog.ImportImap != 0 && hasEntries);
  ui_->ImapCheck->setEnabled(hasEntries);
  ui_->ApLab->setEnabled(hasEntries);
  ui_->MircCheck->setChecked(dialog.MircLines != 0);
  ui_->cmfcheck->setChecked(dialog.ImportCmf != 0);
  ui_->clabcheck->setChecked(dialog.ImportClab != 0);
  ui_->DaTodayRadio->setChecked(dialog.ImportDateAddedFallback == 0);
  ui_->DaBlankRadio->setChecked(dialog.ImportDateAddedFallback != 0);
  ui_->DsMainRadio->setChecked(dialog.ImportDateStyleFallback == 0);
  ui_->DsPromptRadio->setChecked(dialog.ImportDateStyleFallback != 0);
  ui_->stripcheck->setChecked(dialog.ImportStripHeaderFooter != 0);
  ui_->Gobut->setFocus();
  ApplyFileTypeRule();
  timer1_->start();
}

void TImportForm::imacframeClick(std::uint8_t fileType) {
  options_.Dialog.ImportFileType = fileType;
  ApplyFileTypeRule();
}

void TImportForm::ImapCheckClick() { options_.Dialog.ImportImap = Flag(ui_->ImapCheck->isChecked()); }

void TImportForm::MircCheckClick() { options_.Dialog.MircLines = Flag(ui_->MircCheck->isChecked()); }

void TImportForm::cmfcheckClick() { options_.Dialog.ImportCmf = Flag(ui_->cmfcheck->isChecked()); }

void TImportForm::clabcheckClick() { options_.Dialog.ImportClab = Flag(ui_->clabcheck->isChecked()); }

void TImportForm::daradioClick(std::uint8_t choice) { options_.Dialog.ImportDateAddedFallback = choice; }

void TImportForm::dsradioClick(std::uint8_t choice) { options_.Dialog.ImportDateStyleFallback = choice; }

void TImportForm::stripcheckClick() { options_.Dialog.ImportStripHeaderFooter = Flag(ui_->stripcheck->isChecked()); }

void TImportForm::ApplyFileTypeRule() {
  // Exported lists carry dates and paths; other programs' lists may be chat-script lines.
  const bool exported = options_.Dialog.ImportFileType == 0;
  ui_->daradio->setEnabled(exported);
  ui_->dsradio->setEnabled(exported);
  for (QWidget* control : {static_cast<QWidget*>(ui_->clabcheck), static_cast<QWidget*>(ui_->clablab1),
                           static_cast<QWidget*>(ui_->clablab2), static_cast<QWidget*>(ui_->clablab3)}) {
    control->setEnabled(exported);
  }
  ui_->MircCheck->setEnabled(!exported);
  ui_->MircLab->setEnabled(!exported);
  ApplyStripRule();
}

void TImportForm::ApplyStripRule() {
  const MainOptions& main = options_.Main;
  const bool offered = options_.Dialog.ImportFileType == 0 && (main.HeaderFromFile != 0 || main.FooterFromFile != 0);
  ui_->stripcheck->setEnabled(offered);
  ui_->striplab1->setEnabled(offered);
  if (!offered) {
    // The box shows the option: an unticked box is an option that is off.
    ui_->stripcheck->setChecked(false);
    options_.Dialog.ImportStripHeaderFooter = 0;
  }
}

void TImportForm::Timer1Timer() { ApplyStripRule(); }

void TImportForm::GobutClick() {
  importGo_ = true;
  accept();
}

void TImportForm::done(int result) {
  // Hiding the window deactivates it, which must not count as a second way of leaving.
  if (optionsClosed_) return;
  optionsClosed_ = true;
  timer1_->stop();
  if (result != QDialog::Accepted) {
    importGo_ = false;
    const std::array<std::uint8_t*, 8> edited = EditedOptions(options_.Dialog);
    for (std::size_t i = 0; i < edited.size(); ++i) *edited[i] = snapshot_[i];
  }
  KeepPlace(*this, {&options_.Places.ImportLeft, &options_.Places.ImportTop});
  QDialog::done(result);
}

void TImportForm::FormDeactivate(QWindow* focused) {
  // Another window of the program took the focus (the user clicked into the main window);
  // switching to another program leaves no window of ours focused and keeps this one open.
  if (isVisible() && !optionsClosed_ && focused != nullptr && focused != windowHandle()) reject();
}

void TImportForm::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers held = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  QCheckBox* box = nullptr;
  if (held == Qt::NoModifier) {
    switch (event->key()) {
      case Qt::Key_H: box = ui_->stripcheck; break;
      case Qt::Key_C: box = ui_->cmfcheck; break;
      case Qt::Key_V: box = ui_->clabcheck; break;
      case Qt::Key_X: box = ui_->MircCheck; break;
      default: break;
    }
  }
  if (box == nullptr) {
    QDialog::keyPressEvent(event);  // Esc rejects
    return;
  }
  box->click();  // does nothing while the box is disabled
}

bool TImportForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    auto* label = qobject_cast<QLabel*>(watched);
    auto* box = label != nullptr ? qobject_cast<QCheckBox*>(label->buddy()) : nullptr;
    if (box != nullptr && box->isEnabled()) {
      box->click();
      box->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace ordonna
