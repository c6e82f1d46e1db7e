// The find window's controls; the search and the filter are the viewer's.
#include "ui/FindUnit.h"

#include "config/AppOptions.h"
#include "ui/QtText.h"
#include "ui/WindowPlace.h"
#include "ui_FindUnit.h"

namespace ordonna {
namespace {

constexpr int kClientWidth = 209;
constexpr int kClientHeight = 163;

}  // namespace

TFindForm::TFindForm(AppOptions& options, bool filtered, const std::string& text,
                     std::function<bool(const std::string&)> makeFilter, QWidget* parent)
    : PlacedDialog({&options.Places.FindLeft, &options.Places.FindTop}, FocusLoss::Cancels, parent),
      ui_(std::make_unique<Ui::TFindForm>()),
      options_(options),
      filtered_(filtered),
      makeFilter_(std::move(makeFilter)) {
  ui_->setupUi(this);
  ui_->Edit1->setText(ToQString(text));
  ui_->Edit1->selectAll();
  ui_->ChkMatch->setChecked(options_.Dialog.FindMatchCase != 0);
  ui_->ChkInversion->setChecked(options_.Dialog.FilterInvertedColors != 0);
  ui_->ChkInversion->setEnabled(!filtered_);
  connect(ui_->Edit1, &QLineEdit::textChanged, this, &TFindForm::Edit1Change);
  connect(ui_->ButFindFirst, &QPushButton::clicked, this, [this] { Finish(FindRequest::First); });
  connect(ui_->ButFindNext, &QPushButton::clicked, this, [this] { Finish(FindRequest::Next); });
  connect(ui_->ButFilt, &QPushButton::clicked, this, &TFindForm::ButFiltClick);
  connect(ui_->ChkMatch, &QCheckBox::toggled, this, [this](bool on) { options_.Dialog.FindMatchCase = on ? 1 : 0; });
  connect(ui_->ChkInversion, &QCheckBox::toggled, this,
          [this](bool on) { options_.Dialog.FilterInvertedColors = on ? 1 : 0; });
  Edit1Change();
  FixWindowSize(*this, QSize(kClientWidth, kClientHeight));
}

TFindForm::~TFindForm() = default;

std::string TFindForm::Text() const { return ToBytes(ui_->Edit1->text()); }

void TFindForm::Edit1Change() { ui_->ButFilt->setEnabled(!filtered_ && !ui_->Edit1->text().isEmpty()); }

void TFindForm::Finish(FindRequest request) {
  request_ = ui_->Edit1->text().isEmpty() ? FindRequest::Nothing : request;
  if (request_ == FindRequest::Nothing) {
    reject();
  } else {
    accept();
  }
}

void TFindForm::ButFiltClick() {
  if (!ui_->ButFilt->isEnabled()) return;
  setCursor(Qt::WaitCursor);
  const bool made = makeFilter_(Text());
  unsetCursor();
  if (made) Finish(FindRequest::Filter);
}

void TFindForm::showEvent(QShowEvent* event) {
  PlacedDialog::showEvent(event);
  ui_->Edit1->setFocus();
}

void TFindForm::done(int result) {
  // Hiding takes the focus away: that is no second closing.
  if (closing_) return;
  closing_ = true;
  if (result != QDialog::Accepted) request_ = FindRequest::Nothing;
  PlacedDialog::done(result);
}

}  // namespace ordonna
