// The caption input window; the caption rules themselves live in the export command.
#include "ui/InputCaption.h"

#include "config/AppOptions.h"
#include "export/ExportCommand.h"
#include "ui/QtText.h"
#include "ui/WindowPlace.h"
#include "ui_InputCaption.h"

namespace ordonna {
namespace {

constexpr int kClientWidth = 305;
constexpr int kClientHeight = 115;

}  // namespace

TInputCaptionForm::TInputCaptionForm(AppOptions& options, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TInputCaptionForm>()), options_(options) {
  ui_->setupUi(this);
  ui_->CaptionEdit->setText(ToQString(InitialCaption(options_)));
  ui_->RememberCheck->setChecked(options_.Dialog.RememberCaption != 0);
  connect(ui_->OkBut, &QPushButton::clicked, this, &TInputCaptionForm::OkButClick);
  connect(ui_->CancelBut, &QPushButton::clicked, this, &TInputCaptionForm::reject);
  FixWindowSize(*this, QSize(kClientWidth, kClientHeight));
}

TInputCaptionForm::~TInputCaptionForm() = default;

void TInputCaptionForm::OkButClick() {
  AcceptCaption(options_, ToBytes(ui_->CaptionEdit->text()), ui_->RememberCheck->isChecked());
  accept();
}

void TInputCaptionForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  MoveToStoredPlace(*this, {&options_.Places.CaptionLeft, &options_.Places.CaptionTop});
}

void TInputCaptionForm::done(int result) {
  KeepPlace(*this, {&options_.Places.CaptionLeft, &options_.Places.CaptionTop});
  QDialog::done(result);
}

}  // namespace ordonna
