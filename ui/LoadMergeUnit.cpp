// The load options window's controls, bound to LoadAppend, AppendSort and LoadModeDontShow.
#include "ui/LoadMergeUnit.h"

#include "config/AppOptions.h"
#include "ui/Dialogs.h"
#include "ui/QtText.h"
#include "ui/UiMessages.h"
#include "ui/WindowPlace.h"
#include "ui_LoadMergeUnit.h"

namespace ordonna {
namespace {

constexpr int kClientWidth = 219;
constexpr int kClientHeight = 283;

}  // namespace

TLoadMergeForm::TLoadMergeForm(AppOptions& options, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TLoadMergeForm>()),
      options_(options),
      dialogs_(dialogs),
      savedLoadAppend_(options.Dialog.LoadAppend),
      savedAppendSort_(options.Dialog.AppendSort),
      savedDontShow_(options.Dialog.LoadModeDontShow) {
  ui_->setupUi(this);
  const bool append = options_.Dialog.LoadAppend != 0;
  ui_->NewRadio->setChecked(!append);
  ui_->AppendRadio->setChecked(append);
  ui_->AppendGroup->setEnabled(append);
  QRadioButton* sorts[] = {ui_->SortPrimaryRadio, ui_->SortSecondaryRadio, ui_->SortMainRadio, ui_->NoSortRadio};
  const std::uint8_t sort = options_.Dialog.AppendSort;
  if (sort < 4) sorts[sort]->setChecked(true);
  ui_->DontShowCheck->setChecked(options_.Dialog.LoadModeDontShow != 0);

  connect(ui_->NewRadio, &QRadioButton::clicked, this, &TLoadMergeForm::NewRadioClick);
  connect(ui_->AppendRadio, &QRadioButton::clicked, this, &TLoadMergeForm::AppendRadioClick);
  for (std::uint8_t choice = 0; choice < 4; ++choice) {
    connect(sorts[choice], &QRadioButton::clicked, this, [this, choice] { SortClick(choice); });
  }
  connect(ui_->DontShowCheck, &QCheckBox::clicked, this, &TLoadMergeForm::DontShowCheckClick);
  connect(ui_->GoBut, &QPushButton::clicked, this, &TLoadMergeForm::GoButClick);

  FixWindowSize(*this, QSize(kClientWidth, kClientHeight));
}

TLoadMergeForm::~TLoadMergeForm() = default;

void TLoadMergeForm::NewRadioClick() {
  options_.Dialog.LoadAppend = 0;
  ui_->AppendGroup->setEnabled(false);
}

void TLoadMergeForm::AppendRadioClick() {
  options_.Dialog.LoadAppend = 1;
  ui_->AppendGroup->setEnabled(true);
}

void TLoadMergeForm::SortClick(std::uint8_t choice) { options_.Dialog.AppendSort = choice; }

void TLoadMergeForm::DontShowCheckClick() {
  options_.Dialog.LoadModeDontShow = ui_->DontShowCheck->isChecked() ? 1 : 0;
}

void TLoadMergeForm::GoButClick() {
  if (ui_->DontShowCheck->isChecked()) {
    dialogs_.ShowMessage(ToQString(ui_text::kLoadOptionsNote), QString(), MessageKind::Information);
    options_.Dialog.LoadModeDontShow = 1;
  }
  accept();
}

void TLoadMergeForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  MoveToStoredPlace(*this, {&options_.Places.LoadModeLeft, &options_.Places.LoadModeTop});
}

void TLoadMergeForm::done(int result) {
  if (result != QDialog::Accepted) {
    options_.Dialog.LoadAppend = savedLoadAppend_;
    options_.Dialog.AppendSort = savedAppendSort_;
    options_.Dialog.LoadModeDontShow = savedDontShow_;
  }
  KeepPlace(*this, {&options_.Places.LoadModeLeft, &options_.Places.LoadModeTop});
  QDialog::done(result);
}

}  // namespace ordonna
