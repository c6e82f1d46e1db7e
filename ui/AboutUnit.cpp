// The about window's texts and its help button.
#include "ui/AboutUnit.h"

#include "config/AppOptions.h"
#include "platform/FileSystem.h"
#include "ui/Dialogs.h"
#include "ui/QtText.h"
#include "ui/UiMessages.h"
#include "ui/WindowPlace.h"
#include "ui_AboutUnit.h"

namespace ordonna {
namespace {

constexpr int kClientWidth = 312;
constexpr int kClientHeight = 287;

}  // namespace

TAboutForm::TAboutForm(AppOptions& options, Dialogs& dialogs, QString helpFile, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TAboutForm>()),
      options_(options),
      dialogs_(dialogs),
      helpFile_(std::move(helpFile)) {
  ui_->setupUi(this);
  QFont nameFont = ui_->NameLabel->font();
  nameFont.setPointSize(nameFont.pointSize() * 2);
  nameFont.setBold(true);
  ui_->NameLabel->setFont(nameFont);
  ui_->VersionLabel->setText(QStringLiteral("version " ORDONNA_VERSION));
  connect(ui_->HelpBut, &QPushButton::clicked, this, &TAboutForm::HelpButClick);
  connect(ui_->OkBut, &QPushButton::clicked, this, &QDialog::accept);
  FixWindowSize(*this, QSize(kClientWidth, kClientHeight));
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::HelpButClick() {
  if (!PathExists(ToBytes(helpFile_))) {
    WarnMessage(dialogs_, ToQString(ui_text::kHelpMissing) + helpFile_);
    return;
  }
  dialogs_.OpenDocument(helpFile_);
}

void TAboutForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  MoveToStoredPlace(*this, {&options_.Places.AboutLeft, &options_.Places.AboutTop});
}

void TAboutForm::done(int result) {
  KeepPlace(*this, {&options_.Places.AboutLeft, &options_.Places.AboutTop});
  QDialog::done(result);
}

}  // namespace ordonna
