// The editor window's controls over the record rules of view/EditorRules.
#include "ui/InsertUnit.h"

#include <QDir>
#include <QKeyEvent>
#include <QTreeView>

#include "config/AppOptions.h"
#include "core/DayNumber.h"
#include "export/Formatters.h"
#include "ui/Dialogs.h"
#include "ui/FolderTree.h"
#include "ui/QtText.h"
#include "ui/WindowPlace.h"
#include "ui_InsertUnit.h"
#include "view/ViewerTexts.h"

namespace ordonna {
namespace {

constexpr int kClientWidth = 297;
constexpr int kClientHeight = 343;
constexpr int kFolderListHeight = 129;

// Day numbers count from this date; the pickers show it as "?" (not determined).
const QDate kDayZero(1899, 12, 30);

QDate DateOf(std::int32_t dayNumber) { return dayNumber > 0 ? kDayZero.addDays(dayNumber) : kDayZero; }

std::int32_t DayNumberOf(const QDate& date) { return static_cast<std::int32_t>(kDayZero.daysTo(date)); }

QString NumberText(std::int32_t value) { return value >= 0 ? QString::number(value) : QString(); }

}  // namespace

TInsertForm::TInsertForm(const EditorSetup& setup, QWidget* parent)
    : PlacedDialog({&setup.Options.Places.InsertLeft, &setup.Options.Places.InsertTop}, FocusLoss::Cancels, parent),
      ui_(std::make_unique<Ui::TInsertForm>()),
      setup_(setup),
      options_(setup.Options) {
  ui_->setupUi(this);
  for (const char* item : kFrequencyItems) ui_->ComboFreq->addItem(QString::fromLatin1(item));
  for (const char* item : kBitrateItems) ui_->KbpsCombo->addItem(QString::fromLatin1(item));
  for (const char* item : kStereoItems) ui_->StereoCombo->addItem(QString::fromLatin1(item));
  for (QDateEdit* picker : {ui_->CreatedPicker, ui_->AddedPicker}) {
    picker->setDateRange(kDayZero, QDate(9999, 12, 31));
    picker->setSpecialValueText(QStringLiteral("?"));
  }
  ui_->DiskCombo->hide();
  ui_->DirList->hide();
  ui_->DirList->setFixedHeight(kFolderListHeight);
  folders_ = new FolderTree(*ui_->DirList, this);
  if (setup_.Host != nullptr) volumes_ = setup_.Host->Volumes();
  for (const Volume& volume : volumes_) {
    const QString label = volume.Label.empty() ? QString() : QStringLiteral(" [%1]").arg(ToQString(volume.Label));
    ui_->DiskCombo->addItem(ToQString(volume.Root) + label);
  }

  auto edited = [this](QLineEdit* field, void (*set)(ListEntry&, std::string_view)) {
    connect(field, &QLineEdit::textEdited, this, [this, set](const QString& text) {
      set(entry_, ToBytes(text));
      FieldChanged();
    });
    field->installEventFilter(this);
  };
  edited(ui_->NazivEdit, &SetNameText);
  edited(ui_->KbEdit, &SetSizeText);
  edited(ui_->FrameEdit, &SetFramesText);
  edited(ui_->LabEdit, &SetLabelText);
  edited(ui_->DirEdit, &SetFolderText);
  connect(ui_->FrameEdit, &QLineEdit::textEdited, this, &TInsertForm::ShowPlayTime);
  connect(ui_->ComboFreq, &QComboBox::currentIndexChanged, this, [this](int item) {
    if (filling_) return;
    entry_.FrequencyCode = FrequencyOfItem(item);
    ShowPlayTime();
    FieldChanged();
  });
  connect(ui_->KbpsCombo, &QComboBox::currentIndexChanged, this, [this](int item) {
    if (filling_) return;
    entry_.BitrateCode = BitrateOfItem(item);
    FieldChanged();
  });
  connect(ui_->StereoCombo, &QComboBox::currentIndexChanged, this, [this](int item) {
    if (filling_) return;
    entry_.StereoMode = static_cast<std::uint8_t>(item);
    FieldChanged();
  });
  connect(ui_->CreatedPicker, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    if (filling_) return;
    entry_.FileDate = DayNumberOf(date);
    FieldChanged();
  });
  connect(ui_->AddedPicker, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    if (filling_) return;
    entry_.DateAdded = DayNumberOf(date);
    FieldChanged();
  });

  buttonTimer_ = new QTimer(this);
  buttonTimer_->setObjectName(QStringLiteral("ButtonTimer"));
  buttonTimer_->setInterval(kFirstRepeatInterval);
  connect(buttonTimer_, &QTimer::timeout, this, &TInsertForm::ButtonTimerTimer);
  const std::array<std::pair<QToolButton*, StepButton>, 4> steps = {
      std::pair{ui_->cmsb1, StepButton::FrameUp}, std::pair{ui_->cmsb2, StepButton::SecondUp},
      std::pair{ui_->cmsb3, StepButton::FrameDown}, std::pair{ui_->cmsb4, StepButton::SecondDown}};
  for (auto [button, step] : steps) {
    connect(button, &QToolButton::pressed, this, [this, step] { StepPressed(step); });
    connect(button, &QToolButton::released, this, &TInsertForm::StepReleased);
    connect(button, &QToolButton::clicked, this, [this, step] {
      if (!repeatStarted_) Step(step);
    });
  }

  connect(ui_->DiskBut, &QPushButton::clicked, this, &TInsertForm::DiskButClick);
  connect(ui_->DiskCombo, &QComboBox::currentIndexChanged, this, &TInsertForm::DiskComboChange);
  connect(ui_->DirBut, &QPushButton::clicked, this, &TInsertForm::DirButClick);
  connect(folders_, &FolderTree::CurrentFolderChanged, this, &TInsertForm::DirListChange);
  const std::array<QRadioButton*, 4> radios = {ui_->rbut1, ui_->rbut2, ui_->rbut3, ui_->rbut4};
  for (std::size_t i = 0; i < radios.size(); ++i) {
    connect(radios[i], &QRadioButton::clicked, this,
            [this, i] { options_.Dialog.InsertPosition = static_cast<std::uint8_t>(i); });
  }
  connect(ui_->OkBut, &QPushButton::clicked, this, &TInsertForm::accept);
  connect(ui_->CancelBut, &QPushButton::clicked, this, &TInsertForm::reject);
  FixWindowSize(*this, QSize(kClientWidth, kClientHeight));
  Fill();
}

TInsertForm::~TInsertForm() = default;

std::string TInsertForm::HomeFolder() const {
  return setup_.Host != nullptr ? setup_.Host->HomeFolder() : ToBytes(QDir::homePath());
}

void TInsertForm::Fill() {
  filling_ = true;
  std::uint8_t& position = options_.Dialog.InsertPosition;
  position &= 3;
  const std::array<QRadioButton*, 4> radios = {ui_->rbut1, ui_->rbut2, ui_->rbut3, ui_->rbut4};
  std::array<bool, 4> enabled{};
  for (std::size_t i = 0; i < radios.size(); ++i) {
    // Editing keeps the entry where the list's order puts it: only the re-sort choices count.
    enabled[i] = setup_.Choices[i].Enabled && !(setup_.EditMode && i < 2);
    radios[i]->setText(ToQString(setup_.Choices[i].Caption));
    radios[i]->setEnabled(enabled[i]);
  }
  position = FirstEnabledChoice(position, enabled);
  radios[position]->setChecked(true);

  std::string pickerFolder;
  if (setup_.EditMode) {
    ui_->OkBut->setText(QStringLiteral("&OK"));
    entry_ = setup_.Entry;
    opening_ = entry_;
    pickerFolder = std::string(entry_.Folder.View());
  } else {
    ui_->OkBut->setText(QStringLiteral("&INSERT"));
    entry_ = NewEditorEntry(TodayDayNumber());
    pickerFolder = std::string(options_.Dialog.InsertFolder.View());
  }
  ui_->NazivEdit->setText(ToQString(entry_.FileName.View()));
  ui_->KbEdit->setText(NumberText(entry_.SizeKB));
  ShowFrames();
  ui_->ComboFreq->setCurrentIndex(ItemOfFrequency(entry_.FrequencyCode));
  ui_->KbpsCombo->setCurrentIndex(ItemOfBitrate(entry_.BitrateCode));
  ui_->StereoCombo->setCurrentIndex(ItemOfStereo(entry_.StereoMode));
  ui_->CreatedPicker->setDate(DateOf(entry_.FileDate));
  ui_->AddedPicker->setDate(DateOf(entry_.DateAdded));
  ui_->LabEdit->setText(ToQString(entry_.VolumeLabel.View()));
  ui_->DirEdit->setText(ToQString(entry_.Folder.View()));
  ShowPlayTime();
  // The pickers start at the folder, on its volume.
  const std::string start = PickerStartFolder(pickerFolder, HomeFolder());
  std::optional<Volume> volume = setup_.Host != nullptr ? setup_.Host->VolumeOf(start) : std::nullopt;
  folders_->SetRoot(ToQString(volume ? volume->Root : std::string("/")));
  folders_->SetCurrentFolder(ToQString(start));
  for (std::size_t i = 0; volume && i < volumes_.size(); ++i) {
    if (volumes_[i].Root == volume->Root) ui_->DiskCombo->setCurrentIndex(static_cast<int>(i));
  }
  filling_ = false;
  FieldChanged();
}

void TInsertForm::FieldChanged() {
  if (filling_ || !setup_.EditMode) return;
  ui_->OkBut->setEnabled(EditedFieldsDiffer(opening_, entry_));
}

void TInsertForm::ShowFrames() { ui_->FrameEdit->setText(NumberText(entry_.Frames)); }

void TInsertForm::ShowPlayTime() {
  ui_->Label3->setText(QStringLiteral("= ") +
                       ToQString(FormatPlayTime(entry_.Frames, entry_.FrequencyCode, setup_.Style)));
}

// ---- Step buttons -----------------------------------------------------------------------

void TInsertForm::Step(StepButton button) {
  entry_.Frames = SteppedFrames(entry_.Frames, entry_.FrequencyCode, button);
  ShowFrames();
  ShowPlayTime();
  FieldChanged();
}

void TInsertForm::StepPressed(StepButton button) {
  held_ = button;
  repeatStarted_ = false;
  buttonTimer_->start(kFirstRepeatInterval);
}

void TInsertForm::StepReleased() {
  buttonTimer_->stop();
  buttonTimer_->setInterval(kFirstRepeatInterval);
  held_ = StepButton::None;
}

void TInsertForm::ButtonTimerTimer() {
  if (repeatStarted_) {
    Step(held_);
  } else {
    repeatStarted_ = true;
  }
  buttonTimer_->setInterval(NextRepeatInterval(buttonTimer_->interval()));
}

// ---- Volume and folder pickers ----------------------------------------------------------

void TInsertForm::DiskButClick() {
  const bool closing = ui_->DiskCombo->isVisible();
  if (closing) TakeVolumeLabel();
  ui_->DiskCombo->setVisible(!closing);
  ui_->LabEdit->setVisible(closing);
}

void TInsertForm::TakeVolumeLabel() {
  const int index = ui_->DiskCombo->currentIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= volumes_.size()) return;
  SetLabelText(entry_, volumes_[static_cast<std::size_t>(index)].Label);
  ui_->LabEdit->setText(ToQString(entry_.VolumeLabel.View()));
  FieldChanged();
}

void TInsertForm::DiskComboChange(int index) {
  if (filling_ || index < 0 || static_cast<std::size_t>(index) >= volumes_.size()) return;
  TakeVolumeLabel();
  const std::string& root = volumes_[static_cast<std::size_t>(index)].Root;
  SetFolderText(entry_, root);
  ui_->DirEdit->setText(ToQString(entry_.Folder.View()));
  filling_ = true;
  folders_->SetRoot(ToQString(root));
  filling_ = false;
  FieldChanged();
}

void TInsertForm::DirButClick() {
  if (ui_->DirList->isVisible()) {
    ShowFolder(ToBytes(folders_->CurrentFolder()));
    ui_->DirList->hide();
    ui_->DirEdit->show();
    return;
  }
  // The list opens at the typed folder, or at the home folder when it cannot show that.
  std::string start = PickerStartFolder(ToBytes(ui_->DirEdit->text()), HomeFolder());
  filling_ = true;
  std::optional<Volume> volume = setup_.Host != nullptr ? setup_.Host->VolumeOf(start) : std::nullopt;
  folders_->SetRoot(ToQString(volume ? volume->Root : std::string("/")));
  if (!folders_->SetCurrentFolder(ToQString(start))) {
    start = HomeFolder();
    volume = setup_.Host != nullptr ? setup_.Host->VolumeOf(start) : std::nullopt;
    folders_->SetRoot(ToQString(volume ? volume->Root : std::string("/")));
    folders_->SetCurrentFolder(ToQString(start));
    ui_->DirEdit->setText(ToQString(start));
  }
  filling_ = false;
  ui_->DirEdit->hide();
  ui_->DirList->show();
}

void TInsertForm::DirListChange(const QString& folder) {
  if (filling_) return;
  ShowFolder(ToBytes(folder));
}

void TInsertForm::ShowFolder(const std::string& folder) {
  if (!FolderFits(folder)) {
    WarnMessage(setup_.Ask, ToQString(viewer_text::kPathTooLong));
    return;
  }
  options_.Dialog.InsertFolder.Set(folder);
  SetFolderText(entry_, folder);
  ui_->DirEdit->setText(ToQString(entry_.Folder.View()));
  FieldChanged();
}

// ---- Keys, focus, placement -------------------------------------------------------------

bool TInsertForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      focusNextChild();
      return true;
    }
  } else if (event->type() == QEvent::FocusIn &&
             (watched == ui_->NazivEdit || watched == ui_->FrameEdit || watched == ui_->KbEdit)) {
    auto* field = static_cast<QLineEdit*>(watched);
    QTimer::singleShot(0, field, &QLineEdit::selectAll);
  }
  return QDialog::eventFilter(watched, event);
}

void TInsertForm::showEvent(QShowEvent* event) {
  PlacedDialog::showEvent(event);
  ui_->NazivEdit->setFocus();
}

void TInsertForm::done(int result) {
  // Hiding takes the focus away: that is no second closing.
  if (closing_) return;
  closing_ = true;
  buttonTimer_->stop();
  PlacedDialog::done(result);
}

}  // namespace ordonna
