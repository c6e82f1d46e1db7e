// The options window's controls, bound to MainOptions (and the few DialogOptions fields the
// window remembers: its folders, the colour window choice and the custom colours). Checks and
// rules are OptionsWindowRules'; this file shows what they answer.
#include "ui/OptUnit.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>
#include <QTimer>

#include "config/ConfigFields.h"
#include "config/ConfigFile.h"
#include "config/ConfigMessages.h"
#include "config/RememberedFolder.h"
#include "ui/Dialogs.h"
#include "ui/QtText.h"
#include "ui/WindowFader.h"
#include "ui/WindowPlace.h"
#include "ui_OptUnit.h"

namespace ordonna {
namespace {

constexpr int kClientWidth = 782;
constexpr int kClientHeight = 525;
constexpr int kBlueCaptionMs = 500;
// Edit fields: the normal background and the light red of a value that is not valid.
const QColor kValidBackground(0xF0, 0xF0, 0xF0);
const QColor kInvalidBackground(0xFF, 0x80, 0x80);
// "Don't ask to save less than" holds up to five digits in a font one point smaller.
constexpr int kAskSaveShrinkLength = 5;

constexpr std::string_view kMessageFileFilter = "Txt files|*.txt|Html files|*.html;*.htm|All files|*.*";
constexpr std::string_view kListFileFilter = "ORDL files|*.ordl|All files|*.*";
constexpr std::string_view kOptionsFileFilter = "Ordonna INI files|*.ini|all files|*.*";
constexpr std::string_view kSaveOptionsTitle = " - save options as - ";
constexpr std::string_view kLoadOptionsTitle = " - load options from - ";
constexpr std::string_view kStartupListTitle = " - choose the list to auto-load - ";

std::uint8_t Flag(bool on) { return on ? 1 : 0; }

// The option record's colours are 0x00BBGGRR.
QColor ColorOf(std::int32_t stored) {
  const auto value = static_cast<std::uint32_t>(stored);
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

std::int32_t StoredColor(const QColor& color) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(color.red()) |
                                   static_cast<std::uint32_t>(color.green()) << 8 |
                                   static_cast<std::uint32_t>(color.blue()) << 16);
}

QString MessageText(OptionsMessage message) { return ToQString(OptionsMessageText(message)); }

std::span<const std::string_view> ItemsOf(std::string_view field) { return FindConfigField(field)->Items; }

QFont StoredFont(const OptionString& name, std::uint8_t size, std::uint8_t style) {
  QFont font(ToQString(name.View()));
  font.setStyleHint(QFont::TypeWriter);
  if (size > 0) font.setPointSize(size);
  font.setBold((style & kFontBold) != 0);
  font.setItalic((style & kFontItalic) != 0);
  font.setUnderline((style & kFontUnderline) != 0);
  font.setStrikeOut((style & kFontStrikeOut) != 0);
  return font;
}

// The charset has no counterpart in Qt's fonts and stays as stored.
void StoreFont(const QFont& font, OptionString& name, std::uint8_t& size, std::uint8_t& style) {
  name.Set(ToBytes(font.family()));
  // A font chosen by pixel size has no point size; the stored size stays then.
  if (font.pointSize() > 0) size = static_cast<std::uint8_t>(std::min(font.pointSize(), 255));
  std::uint8_t bits = 0;
  if (font.bold()) bits |= kFontBold;
  if (font.italic()) bits |= kFontItalic;
  if (font.underline()) bits |= kFontUnderline;
  if (font.strikeOut()) bits |= kFontStrikeOut;
  style = bits;
}

// Small fields and buttons take the width of their few characters in the font they show.
void FitToText(QWidget& control, const QString& text) {
  control.ensurePolished();
  const int margins = control.fontMetrics().horizontalAdvance(QLatin1Char('0')) + 12;
  control.setFixedWidth(control.fontMetrics().horizontalAdvance(text) + margins);
}

void SetCaptionColor(QWidget& caption, const std::optional<QColor>& color) {
  QPalette palette = caption.palette();
  palette.setColor(QPalette::WindowText, color.value_or(QPalette().color(QPalette::WindowText)));
  palette.setColor(QPalette::ButtonText, color.value_or(QPalette().color(QPalette::ButtonText)));
  caption.setPalette(palette);
}

}  // namespace

TOptform::TOptform(const OptionsWindowSetup& setup, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TOptform>()),
      options_(setup.Options),
      dialogs_(setup.Ask),
      configFolder_(setup.ConfigFolder),
      homeFolder_(setup.HomeFolder),
      fadingSupported_(setup.FadingSupported),
      windowColorsChanged_(setup.WindowColorsChanged),
      optionsReplaced_(setup.OptionsReplaced),
      rules_(setup.Options),
      captionTimer_(new QTimer(this)) {
  ui_->setupUi(this);
  setModal(true);
  captionTimer_->setObjectName(QStringLiteral("CaptionTimer"));
  captionTimer_->setSingleShot(true);
  captionTimer_->setInterval(kBlueCaptionMs);
  fader_ = new WindowFader(
      *this, QStringLiteral("BlendTimer"), [this] { return FadeDue(); }, [this] { done(closeResult_); });
  FillChoices();

  numbers_ = {{ui_->MinSizeEdit, "MinSizeKB"},
              {ui_->MaxSizeEdit, "MaxSizeMB"},
              {ui_->AskSaveEdit, "AskSaveThreshold"},
              {ui_->PadFilenameEdit, "PadFilenameTo"},
              {ui_->CellSpacingEdit, "CellSpacing"},
              {ui_->CellPaddingEdit, "CellPadding"},
              {ui_->BorderEdit, "Border"}};
  for (QPushButton* button : {ui_->ProcessingHelpBut, ui_->ExistingHelpBut}) FitToText(*button, QStringLiteral("?"));
  for (QPushButton* panel : {ui_->BgColorPanel, ui_->TextColorPanel, ui_->WindowColorPanel}) {
    FitToText(*panel, QStringLiteral("0000"));
  }
  ui_->AskSaveEdit->ensurePolished();
  askSaveFont_ = ui_->AskSaveEdit->font();
  for (const NumberEdit& number : numbers_) {
    FitToText(*number.Edit, QString(number.Edit->maxLength(), QLatin1Char('0')));
    number.Edit->setAutoFillBackground(true);
    connect(number.Edit, &QLineEdit::textEdited, this,
            [this, number](const QString& text) { NumberEdited(number, text); });
    connect(number.Edit, &QLineEdit::editingFinished, this, [this, number] { NumberLeft(number); });
  }

  // Plain boxes: the option follows the box.
  MainOptions& main = options_.Main;
  const std::array<std::pair<QCheckBox*, std::uint8_t*>, 22> boxes = {{
      {ui_->InfoTimeCheck, &main.InfoTime},
      {ui_->InfoKbpsCheck, &main.InfoKbps},
      {ui_->InfoSizeCheck, &main.InfoSize},
      {ui_->InfoFrequencyCheck, &main.InfoFrequency},
      {ui_->InfoStereoCheck, &main.InfoStereo},
      {ui_->InfoDateCreatedCheck, &main.InfoDateCreated},
      {ui_->InfoPathCheck, &main.InfoPath},
      {ui_->InfoVolumeLabelCheck, &main.InfoVolumeLabel},
      {ui_->InfoDateAddedCheck, &main.InfoDateAdded},
      {ui_->EnumerateCheck, &main.Enumerate},
      {ui_->SplitArtistTitleCheck, &main.SplitArtistTitle},
      {ui_->ViewerSplitCheck, &main.ViewerSplitArtistTitle},
      {ui_->SortListCheck, &main.SortList},
      {ui_->SortDescendingCheck, &main.SortDescending},
      {ui_->SortCaseCheck, &main.SortCaseSensitive},
      {ui_->CenterArtistTitleCheck, &main.CenterArtistTitle},
      {ui_->UseBgColorCheck, &main.UseBgColor},
      {ui_->UseTextColorCheck, &main.UseTextColor},
      {ui_->IncludeHiddenCheck, &main.IncludeHiddenSystem},
      {ui_->FadeMainCheck, &main.FadeMain},
      {ui_->FadeViewerCheck, &main.FadeViewer},
      {ui_->FadeOptionsCheck, &main.FadeOptions},
  }};
  for (const auto& [box, option] : boxes) {
    connect(box, &QCheckBox::clicked, this, [this, box = box, option = option] {
      *option = Flag(box->isChecked());
      ShowDependentControls();
    });
  }
  // Plain choices: the option is the item's index.
  const std::array<std::pair<QComboBox*, std::uint8_t*>, 8> choices = {{
      {ui_->StereoStyleCombo, &main.StereoStyle},
      {ui_->VbrStyleCombo, &main.VbrStyle},
      {ui_->DateStyleCombo, &main.DateStyle},
      {ui_->SizeStyleCombo, &main.SizeStyle},
      {ui_->SortFieldCombo, &main.SortField},
      {ui_->CaptionModeCombo, &main.CaptionMode},
      {ui_->ExistingEntriesCombo, &main.ExistingEntries},
      {ui_->ErrorActionCombo, &main.ErrorAction},
  }};
  for (const auto& [combo, option] : choices) {
    connect(combo, &QComboBox::activated, this, [this, option = option](int index) {
      *option = static_cast<std::uint8_t>(index);
      ShowDependentControls();
    });
  }
  auto radio = [this](QRadioButton* button, std::uint8_t& option, std::uint8_t value) {
    connect(button, &QRadioButton::clicked, this, [this, &option, value] {
      option = value;
      ShowDependentControls();
    });
  };
  radio(ui_->FastRadio, main.SlowProcessing, 0);
  radio(ui_->SlowRadio, main.SlowProcessing, 1);
  radio(ui_->StartupNothingRadio, main.StartupLoad, 0);
  radio(ui_->StartupLastRadio, main.StartupLoad, 1);
  radio(ui_->StartupFileRadio, main.StartupLoad, 2);

  // Controls with rules.
  connect(ui_->HeaderRowTabsCheck, &QCheckBox::clicked, this, &TOptform::HeaderRowTabsClick);
  connect(ui_->ExportTypeCombo, &QComboBox::activated, this, &TOptform::ExportTypeChange);
  connect(ui_->DelimiterCombo, &QComboBox::activated, this, &TOptform::DelimiterChange);
  connect(ui_->ErrorInfoStyleCombo, &QComboBox::activated, this, &TOptform::ErrorInfoStyleChange);
  connect(ui_->HeaderFromFileCheck, &QCheckBox::clicked, this, [this] {
    rules_.SetHeaderFromFile(ui_->HeaderFromFileCheck->isChecked());
    ShowOptions();
  });
  connect(ui_->FooterFromFileCheck, &QCheckBox::clicked, this, [this] {
    rules_.SetFooterFromFile(ui_->FooterFromFileCheck->isChecked());
    ShowOptions();
  });
  connect(ui_->UseOwnHtmlTagsCheck, &QCheckBox::clicked, this, &TOptform::UseOwnHtmlTagsClick);
  connect(ui_->PlainHtmlStyledCheck, &QCheckBox::clicked, this, &TOptform::PlainHtmlStyledClick);
  connect(ui_->BgColorPanel, &QPushButton::clicked, this, [this] { ColorPanelClick(ColorPanel::Background); });
  connect(ui_->TextColorPanel, &QPushButton::clicked, this, [this] { ColorPanelClick(ColorPanel::Text); });
  connect(ui_->WindowColorPanel, &QPushButton::clicked, this, [this] { ColorPanelClick(ColorPanel::Window); });
  connect(ui_->ColorWindowCombo, &QComboBox::activated, this, [this](int index) {
    options_.Dialog.ColorWindowChoice = static_cast<std::uint8_t>(index);
    ShowColors();
  });
  connect(ui_->FontBut, &QPushButton::clicked, this, [this] { FontButClick(false); });
  connect(ui_->CaptionFontBut, &QPushButton::clicked, this, [this] { FontButClick(true); });
  connect(ui_->TextHeaderBut, &QPushButton::clicked, this, [this] { ChooseMessageFile(MessageFile::TextHeader); });
  connect(ui_->HtmlHeaderBut, &QPushButton::clicked, this, [this] { ChooseMessageFile(MessageFile::HtmlHeader); });
  connect(ui_->TextFooterBut, &QPushButton::clicked, this, [this] { ChooseMessageFile(MessageFile::TextFooter); });
  connect(ui_->HtmlFooterBut, &QPushButton::clicked, this, [this] { ChooseMessageFile(MessageFile::HtmlFooter); });
  connect(ui_->StartupListBut, &QPushButton::clicked, this, [this] { ChooseMessageFile(MessageFile::StartupList); });
  connect(ui_->ProcessingHelpBut, &QPushButton::clicked, this, [this] {
    dialogs_.ShowMessage(MessageText(OptionsMessage::ProcessingHelp), MessageText(OptionsMessage::ProcessingHelpTitle),
                         MessageKind::Information);
  });
  connect(ui_->ExistingHelpBut, &QPushButton::clicked, this, [this] {
    dialogs_.ShowMessage(MessageText(OptionsMessage::ExistingHelp), MessageText(OptionsMessage::ExistingHelpTitle),
                         MessageKind::Information);
  });
  connect(captionTimer_, &QTimer::timeout, this, [this] {
    for (QWidget* caption : markedCaptions_) SetCaptionColor(*caption, std::nullopt);
    markedCaptions_.clear();
  });

  connect(ui_->OkBut, &QPushButton::clicked, this, &TOptform::OkButClick);
  connect(ui_->CancelBut, &QPushButton::clicked, this, &TOptform::CancelButClick);
  connect(ui_->DefaultsBut, &QPushButton::clicked, this, &TOptform::DefaultsButClick);
  connect(ui_->SaveAsBut, &QPushButton::clicked, this, &TOptform::SaveAsButClick);
  connect(ui_->LoadFromBut, &QPushButton::clicked, this, &TOptform::LoadFromButClick);
  connect(ui_->ResetBut, &QPushButton::clicked, this, &TOptform::ResetButClick);

  rules_.Open();
  ShowOptions();
  ApplyOwnColor();
  FixWindowSize(*this, QSize(kClientWidth, kClientHeight));
  if (FadeDue()) {
    fader_->StartTransparent();
  } else {
    fader_->MakeOpaque();
  }
}

TOptform::~TOptform() {
  // The dialog's own destructor hides it, which takes the focus from a number field: its
  // "left the field" repair must not run on a window half destroyed, nor change the options.
  for (const NumberEdit& number : numbers_) QObject::disconnect(number.Edit, nullptr, this, nullptr);
}

bool TOptform::FadeDue() const { return fadingSupported_ && options_.Main.FadeOptions != 0; }

void TOptform::FillChoices() {
  auto fill = [](QComboBox* combo, std::string_view field) {
    for (std::string_view item : ItemsOf(field)) combo->addItem(ToQString(item));
  };
  fill(ui_->StereoStyleCombo, "StereoStyle");
  fill(ui_->VbrStyleCombo, "VbrStyle");
  fill(ui_->DateStyleCombo, "DateStyle");
  fill(ui_->SizeStyleCombo, "SizeStyle");
  fill(ui_->ErrorInfoStyleCombo, "ErrorInfoStyle");
  fill(ui_->SortFieldCombo, "SortField");
  fill(ui_->ExportTypeCombo, "ExportType");
  fill(ui_->CaptionModeCombo, "CaptionMode");
  fill(ui_->DelimiterCombo, "Delimiter");
  fill(ui_->ExistingEntriesCombo, "ExistingEntries");
  fill(ui_->ErrorActionCombo, "ErrorAction");
  fill(ui_->ColorWindowCombo, "ColorWindowChoice");
}

void TOptform::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  MoveToStoredPlace(*this, {&options_.Places.OptionsLeft, &options_.Places.OptionsTop});
  if (FadeDue()) fader_->FadeIn();
}

// Fills every control from the options; the signals used react to the user only.
void TOptform::ShowOptions() {
  const MainOptions& main = options_.Main;
  const std::array<std::pair<QCheckBox*, std::uint8_t>, 27> boxes = {{
      {ui_->InfoTimeCheck, main.InfoTime},
      {ui_->InfoKbpsCheck, main.InfoKbps},
      {ui_->InfoSizeCheck, main.InfoSize},
      {ui_->InfoFrequencyCheck, main.InfoFrequency},
      {ui_->InfoStereoCheck, main.InfoStereo},
      {ui_->InfoDateCreatedCheck, main.InfoDateCreated},
      {ui_->InfoPathCheck, main.InfoPath},
      {ui_->InfoVolumeLabelCheck, main.InfoVolumeLabel},
      {ui_->InfoDateAddedCheck, main.InfoDateAdded},
      {ui_->EnumerateCheck, main.Enumerate},
      {ui_->SplitArtistTitleCheck, main.SplitArtistTitle},
      {ui_->ViewerSplitCheck, main.ViewerSplitArtistTitle},
      {ui_->SortListCheck, main.SortList},
      {ui_->SortDescendingCheck, main.SortDescending},
      {ui_->SortCaseCheck, main.SortCaseSensitive},
      {ui_->CenterArtistTitleCheck, main.CenterArtistTitle},
      {ui_->UseBgColorCheck, main.UseBgColor},
      {ui_->UseTextColorCheck, main.UseTextColor},
      {ui_->IncludeHiddenCheck, main.IncludeHiddenSystem},
      {ui_->FadeMainCheck, main.FadeMain},
      {ui_->FadeViewerCheck, main.FadeViewer},
      {ui_->FadeOptionsCheck, main.FadeOptions},
      {ui_->HeaderRowTabsCheck, main.HeaderRowTabs},
      {ui_->HeaderFromFileCheck, main.HeaderFromFile},
      {ui_->FooterFromFileCheck, main.FooterFromFile},
      {ui_->UseOwnHtmlTagsCheck, main.UseOwnHtmlTags},
      {ui_->PlainHtmlStyledCheck, main.PlainHtmlStyled},
  }};
  for (const auto& [box, value] : boxes) box->setChecked(value != 0);
  ui_->FastRadio->setChecked(main.SlowProcessing == 0);
  ui_->SlowRadio->setChecked(main.SlowProcessing != 0);
  ui_->StartupNothingRadio->setChecked(main.StartupLoad == 0);
  ui_->StartupLastRadio->setChecked(main.StartupLoad == 1);
  ui_->StartupFileRadio->setChecked(main.StartupLoad == 2);
  const std::array<std::pair<QComboBox*, std::uint8_t>, 12> choices = {{
      {ui_->StereoStyleCombo, main.StereoStyle},
      {ui_->VbrStyleCombo, main.VbrStyle},
      {ui_->DateStyleCombo, main.DateStyle},
      {ui_->SizeStyleCombo, main.SizeStyle},
      {ui_->ErrorInfoStyleCombo, main.ErrorInfoStyle},
      {ui_->SortFieldCombo, main.SortField},
      {ui_->ExportTypeCombo, main.ExportType},
      {ui_->CaptionModeCombo, main.CaptionMode},
      {ui_->DelimiterCombo, main.Delimiter},
      {ui_->ExistingEntriesCombo, main.ExistingEntries},
      {ui_->ErrorActionCombo, main.ErrorAction},
      {ui_->ColorWindowCombo, options_.Dialog.ColorWindowChoice},
  }};
  for (const auto& [combo, value] : choices) combo->setCurrentIndex(value < combo->count() ? value : -1);
  for (const NumberEdit& number : numbers_) {
    number.Edit->setText(ToQString(ElementText(options_, ElementsNamed(number.Field).front())));
    ShowNumberValidity(number, true);
  }
  ShowColors();
  ShowFileHints();
  ShowDependentControls();
}

void TOptform::ShowDependentControls() {
  ui_->StartupListBut->setEnabled(rules_.StartupListButtonEnabled());
  ui_->SortFieldCombo->setEnabled(rules_.SortControlsEnabled());
  ui_->SortDescendingCheck->setEnabled(rules_.SortControlsEnabled());
  ui_->SortCaseCheck->setEnabled(rules_.CaseSensitiveEnabled());
}

void TOptform::ShowColors() {
  auto paint = [](QPushButton* panel, std::int32_t color) {
    panel->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;").arg(ColorOf(color).name()));
  };
  paint(ui_->BgColorPanel, options_.Main.TableBgColor);
  paint(ui_->TextColorPanel, options_.Main.TableTextColor);
  paint(ui_->WindowColorPanel, ChosenWindowColor(options_));
}

// The chosen files show as the hints of their buttons.
void TOptform::ShowFileHints() {
  const MainOptions& main = options_.Main;
  const std::array<std::pair<QPushButton*, const OptionString*>, 5> buttons = {{
      {ui_->TextHeaderBut, &main.TextHeaderFile},
      {ui_->HtmlHeaderBut, &main.HtmlHeaderFile},
      {ui_->TextFooterBut, &main.TextFooterFile},
      {ui_->HtmlFooterBut, &main.HtmlFooterFile},
      {ui_->StartupListBut, &main.StartupListFile},
  }};
  for (const auto& [button, file] : buttons) button->setToolTip(ToQString(file->View()));
}

void TOptform::ApplyOwnColor() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ColorOf(options_.Main.OptionsWindowColor));
  setPalette(palette);
  setAutoFillBackground(true);
}

void TOptform::ApplyWindowColors() {
  ApplyOwnColor();
  if (windowColorsChanged_) windowColorsChanged_();
}

// ---- Numbers ----------------------------------------------------------------------------

void TOptform::NumberEdited(const NumberEdit& number, const QString& text) {
  const bool wasHeaderRow = options_.Main.HeaderRowTabs != 0;
  ShowNumberValidity(number, rules_.TypeNumber(number.Field, ToBytes(text)));
  if (wasHeaderRow && options_.Main.HeaderRowTabs == 0) ShowOptions();
}

void TOptform::NumberLeft(const NumberEdit& number) {
  const QString kept = ToQString(rules_.LeaveNumber(number.Field, ToBytes(number.Edit->text())));
  if (kept != number.Edit->text()) number.Edit->setText(kept);
  ShowNumberValidity(number, true);
}

void TOptform::ShowNumberValidity(const NumberEdit& number, bool valid) {
  QPalette palette = number.Edit->palette();
  palette.setColor(QPalette::Base, valid ? kValidBackground : kInvalidBackground);
  number.Edit->setPalette(palette);
  if (number.Edit != ui_->AskSaveEdit) return;
  ui_->NeverLabel->setVisible(options_.Main.AskSaveThreshold == 0);
  QFont font = askSaveFont_;
  if (number.Edit->text().size() >= kAskSaveShrinkLength) font.setPointSizeF(font.pointSizeF() - 1);
  number.Edit->setFont(font);
}

// ---- Controls with rules ----------------------------------------------------------------

void TOptform::HeaderRowTabsClick() {
  const std::vector<HeaderRowSetting> changed = rules_.SetHeaderRowTabs(ui_->HeaderRowTabsCheck->isChecked());
  ShowOptions();
  MarkChanged(changed);
}

// The captions of the settings the header row changed turn blue for a moment.
void TOptform::MarkChanged(const std::vector<HeaderRowSetting>& changed) {
  for (HeaderRowSetting setting : changed) {
    QWidget* caption = nullptr;
    switch (setting) {
      case HeaderRowSetting::ExportType: caption = ui_->ExportTypeLabel; break;
      case HeaderRowSetting::HeaderFromFile: caption = ui_->HeaderFromFileCheck; break;
      case HeaderRowSetting::FooterFromFile: caption = ui_->FooterFromFileCheck; break;
      case HeaderRowSetting::Delimiter: caption = ui_->DelimiterLabel; break;
      case HeaderRowSetting::PadFilenameTo: caption = ui_->PadLabel; break;
    }
    SetCaptionColor(*caption, QColor(Qt::blue));
    markedCaptions_.push_back(caption);
  }
  if (!changed.empty()) captionTimer_->start();
}

void TOptform::ExportTypeChange(int index) {
  const std::optional<OptionsMessage> warning = rules_.SetExportType(static_cast<std::uint8_t>(index));
  ShowOptions();
  Warn(warning, {});
}

void TOptform::DelimiterChange(int index) {
  const std::optional<OptionsMessage> warning = rules_.SetDelimiter(static_cast<std::uint8_t>(index));
  ShowOptions();
  Warn(warning, {});
}

void TOptform::ErrorInfoStyleChange(int index) { Warn(rules_.SetErrorInfoStyle(static_cast<std::uint8_t>(index)), {}); }

void TOptform::UseOwnHtmlTagsClick() {
  Warn(rules_.SetUseOwnHtmlTags(ui_->UseOwnHtmlTagsCheck->isChecked()),
       OptionsMessageText(OptionsMessage::OwnHtmlTagsTitle));
}

void TOptform::PlainHtmlStyledClick() { Warn(rules_.SetPlainHtmlStyled(ui_->PlainHtmlStyledCheck->isChecked()), {}); }

// A warning with its title; without one it is the usual "Warning".
void TOptform::Warn(const std::optional<OptionsMessage>& message, std::string_view title) {
  if (!message) return;
  if (title.empty()) {
    WarnMessage(dialogs_, MessageText(*message));
  } else {
    dialogs_.ShowMessage(MessageText(*message), ToQString(title), MessageKind::Warning);
  }
}

void TOptform::ColorPanelClick(ColorPanel panel) {
  if (const std::optional<OptionsMessage> refusal = rules_.ColorPanelRefusal(panel)) {
    dialogs_.ShowMessage(MessageText(*refusal), MessageText(OptionsMessage::ErrorTitle), MessageKind::Error);
    return;
  }
  std::int32_t& field = panel == ColorPanel::Background ? options_.Main.TableBgColor
                        : panel == ColorPanel::Text     ? options_.Main.TableTextColor
                                                        : ChosenWindowColor(options_);
  std::array<QColor, kCustomColorCount> custom;
  for (std::size_t i = 0; i < kCustomColorCount; ++i)
    custom[i] = ColorOf(CustomColorValue(options_.Dialog.CustomColors[i]));
  const std::optional<QColor> chosen = dialogs_.ChooseColor(ColorOf(field), custom);
  for (std::size_t i = 0; i < kCustomColorCount; ++i)
    StoreCustomColor(options_.Dialog.CustomColors[i], StoredColor(custom[i]));
  if (!chosen) return;
  const std::int32_t color = StoredColor(*chosen);
  if (panel == ColorPanel::Window && TooDark(color) &&
      dialogs_.AskMessage(MessageText(OptionsMessage::TooDark), MessageText(OptionsMessage::TooDarkTitle), false,
                          Answer::No) != Answer::Yes) {
    return;
  }
  field = color;
  ShowColors();
  if (panel == ColorPanel::Window) ApplyWindowColors();
  if (panel == ColorPanel::Background) {
    Warn(rules_.TableBgColorChosen(), OptionsMessageText(OptionsMessage::WarningTitle));
  }
}

void TOptform::FontButClick(bool captionFont) {
  MainOptions& main = options_.Main;
  OptionString& name = captionFont ? main.CaptionFontName : main.TableFontName;
  std::uint8_t& size = captionFont ? main.CaptionFontSize : main.TableFontSize;
  std::uint8_t& style = captionFont ? main.CaptionFontStyle : main.TableFontStyle;
  const std::optional<QFont> chosen = dialogs_.ChooseFont(StoredFont(name, size, style));
  if (!chosen) return;
  StoreFont(*chosen, name, size, style);
  if (!captionFont) Warn(rules_.TableFontChosen(), {});
}

void TOptform::ChooseMessageFile(MessageFile which) {
  MainOptions& main = options_.Main;
  DialogOptions& dialog = options_.Dialog;
  struct Choice {
    OptionString& File;
    OptionString& Folder;
    OptionsMessage Question;
    QString Title;
    std::string_view Filter;
    int FilterIndex;
  };
  const auto title = [](const char* part, const char* mode) {
    return QStringLiteral(" - choose %1 message file for %2 mode - ").arg(QLatin1String(part), QLatin1String(mode));
  };
  const Choice choice = [&]() -> Choice {
    switch (which) {
      case MessageFile::TextHeader:
        return {main.TextHeaderFile,     dialog.TextMsgFolder, OptionsMessage::HeaderFileIs,
                title("HEADER", "TEXT"), kMessageFileFilter,   0};
      case MessageFile::HtmlHeader:
        return {main.HtmlHeaderFile,     dialog.HtmlMsgFolder, OptionsMessage::HeaderFileIs,
                title("HEADER", "HTML"), kMessageFileFilter,   1};
      case MessageFile::TextFooter:
        return {main.TextFooterFile,     dialog.TextMsgFolder, OptionsMessage::FooterFileIs,
                title("FOOTER", "TEXT"), kMessageFileFilter,   0};
      case MessageFile::HtmlFooter:
        return {main.HtmlFooterFile,     dialog.HtmlMsgFolder, OptionsMessage::FooterFileIs,
                title("FOOTER", "HTML"), kMessageFileFilter,   1};
      case MessageFile::StartupList: break;
    }
    return {main.StartupListFile,         dialog.StartupListFolder, OptionsMessage::StartupListIs,
            ToQString(kStartupListTitle), kListFileFilter,          0};
  }();
  if (!choice.File.Empty()) {
    const QString question = MessageText(choice.Question) + ToQString(choice.File.View()) + QStringLiteral("\r\n\n") +
                             MessageText(OptionsMessage::ChangeThis);
    if (dialogs_.AskMessage(question, MessageText(OptionsMessage::PromptTitle), false, Answer::Yes) != Answer::Yes) {
      return;
    }
  }
  FileDialogRequest request;
  request.Title = choice.Title;
  request.Filter = QtFileFilter(choice.Filter);
  request.FilterIndex = choice.FilterIndex;
  request.Folder = ToQString(ResolveDialogFolder(choice.Folder.View(), homeFolder_));
  const QString chosen = dialogs_.ChooseOpenFile(request);
  if (chosen.isEmpty()) return;
  const std::string path = ToBytes(chosen);
  choice.File.Set(path);
  choice.Folder.Set(StoredFolderOf(path));
  ShowFileHints();
}

// ---- Buttons ----------------------------------------------------------------------------

bool TOptform::SaveConfiguration() {
  if (WriteConfiguration(configFolder_ + "/ordonna.ini", options_).ok()) return true;
  dialogs_.ShowMessage(ToQString(ConfigMessageText(ConfigMessage::WriteFailed)),
                       ToQString(ConfigMessageText(ConfigMessage::WriteFailedTitle)), MessageKind::Error);
  return false;
}

void TOptform::OkButClick() {
  // A number still being typed is repaired first, as leaving its field does.
  for (const NumberEdit& number : numbers_) NumberLeft(number);
  (void)SaveConfiguration();
  saved_ = true;
  accept();
}

void TOptform::CancelButClick() {
  rules_.Cancel();
  reject();
}

void TOptform::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    CancelButClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TOptform::DefaultsButClick() {
  rules_.Defaults();
  ShowOptions();
  ApplyWindowColors();
}

void TOptform::SaveAsButClick() {
  FileDialogRequest request;
  request.Title = ToQString(kSaveOptionsTitle);
  request.Filter = QtFileFilter(kOptionsFileFilter);
  request.DefaultSuffix = QStringLiteral("ini");
  request.Folder = ToQString(ResolveDialogFolder(options_.Dialog.OptionsFolder.View(), homeFolder_));
  const QString chosen = dialogs_.ChooseSaveFile(request);
  if (chosen.isEmpty()) return;
  const std::string path = ToBytes(chosen);
  options_.Dialog.OptionsFolder.Set(StoredFolderOf(path));
  if (!WriteConfiguration(path, options_).ok()) {
    dialogs_.ShowMessage(ToQString(ConfigMessageText(ConfigMessage::WriteFailed)),
                         ToQString(ConfigMessageText(ConfigMessage::WriteFailedTitle)), MessageKind::Error);
  }
}

void TOptform::LoadFromButClick() {
  FileDialogRequest request;
  request.Title = ToQString(kLoadOptionsTitle);
  request.Filter = QtFileFilter(kOptionsFileFilter);
  request.Folder = ToQString(ResolveDialogFolder(options_.Dialog.OptionsFolder.View(), homeFolder_));
  const QString chosen = dialogs_.ChooseOpenFile(request);
  if (chosen.isEmpty()) return;
  const std::string path = ToBytes(chosen);
  // Loaded into a copy: a damaged file leaves the options exactly as they were.
  AppOptions loaded = options_;
  if (!LoadConfiguration(path, loaded).ok()) {
    WarnMessage(dialogs_, ToQString(ConfigMessageText(ConfigMessage::LoadFailed)));
    return;
  }
  loaded.Dialog.OptionsFolder.Set(StoredFolderOf(path));
  rules_.Replace(loaded);
  ShowOptions();
  ApplyWindowColors();
  if (optionsReplaced_) optionsReplaced_();
}

void TOptform::ResetButClick() {
  if (!dialogs_.AskOkCancel(MessageText(OptionsMessage::ResetQuestion), MessageText(OptionsMessage::ResetTitle))) {
    return;
  }
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  AppOptions factory{};
  SetFactoryDefaults(factory, FactoryContext{screen.width(), screen.height(), configFolder_});
  rules_.Replace(factory);
  (void)SaveConfiguration();
  saved_ = true;
  ShowOptions();
  ApplyWindowColors();
  if (optionsReplaced_) optionsReplaced_();
  accept();
}

void TOptform::done(int result) {
  if (!left_) {
    left_ = true;
    closeResult_ = result;
    if (!saved_) {
      // The close box (or the window manager): changes are discarded with a word to the user.
      if (!rules_.Cancelling() && rules_.ChangedSinceOpen()) {
        dialogs_.ShowMessage(MessageText(OptionsMessage::Discarded), windowTitle(), MessageKind::Information);
      }
      rules_.Cancel();
      ApplyWindowColors();
    }
    KeepPlace(*this, {&options_.Places.OptionsLeft, &options_.Places.OptionsTop});
  }
  if (FadeDue() && !fader_->FadedOut()) {
    fader_->FadeOut();
    return;
  }
  QDialog::done(closeResult_);
}

}  // namespace ordonna
