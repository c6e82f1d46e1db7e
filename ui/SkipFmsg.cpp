// The filter notice window.
#include "ui/SkipFmsg.h"

#include "config/AppOptions.h"
#include "ui/QtText.h"
#include "ui/WindowPlace.h"
#include "ui_SkipFmsg.h"
#include "view/ViewerTexts.h"

namespace ordonna {
namespace {

constexpr int kClientWidth = 248;
constexpr int kClientHeight = 254;

}  // namespace

TSkipFMsgForm::TSkipFMsgForm(AppOptions& options, QWidget* parent)
    : PlacedDialog({&options.Places.SkipMsgLeft, &options.Places.SkipMsgTop}, FocusLoss::Stays, parent),
      ui_(std::make_unique<Ui::TSkipFMsgForm>()),
      options_(options) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  ui_->EditingLabel->setText(DisplayLines(ToQString(viewer_text::kNoticeEditing)));
  ui_->DeletingLabel->setText(DisplayLines(ToQString(viewer_text::kNoticeDeleting)));
  ui_->SavingLabel->setText(DisplayLines(ToQString(viewer_text::kNoticeSaving)));
  connect(ui_->OkBut, &QPushButton::clicked, this, &TSkipFMsgForm::accept);
  connect(ui_->CancelBut, &QPushButton::clicked, this, &TSkipFMsgForm::reject);
  FixWindowSize(*this, QSize(kClientWidth, kClientHeight));
}

TSkipFMsgForm::~TSkipFMsgForm() = default;

void TSkipFMsgForm::done(int result) {
  if (ui_->DontShowCheck->isChecked()) options_.Dialog.SkipFilterMsgDontShow = 1;
  PlacedDialog::done(result);
}

}  // namespace ordonna
