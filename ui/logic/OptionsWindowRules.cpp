// The options window's rules: snapshot and cancel, typed numbers, the header row rule and the
// warnings of the controls.
#include "ui/logic/OptionsWindowRules.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "config/ConfigFields.h"
#include "config/ConfigFile.h"

namespace ordonna {
namespace {

constexpr std::uint8_t Flag(bool on) { return on ? 1 : 0; }

std::uint8_t Byte(std::int32_t color, int shift) { return static_cast<std::uint8_t>((color >> shift) & 0xFF); }

// The sort fields whose values are texts: file name, path, volume label.
bool TextSortField(std::uint8_t field) { return field == 0 || field == 7 || field == 9; }

}  // namespace

std::int32_t& ChosenWindowColor(AppOptions& options) {
  switch (options.Dialog.ColorWindowChoice) {
    case 1: return options.Main.ViewerWindowColor;
    case 2: return options.Main.OptionsWindowColor;
    default: return options.Main.MainWindowColor;
  }
}

bool TooDark(std::int32_t color) { return Byte(color, 0) < 65 && Byte(color, 8) < 65 && Byte(color, 16) < 65; }

std::int32_t CustomColorValue(const ColorString& text) {
  const std::string_view digits = text.View();
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (digits.size() != 8 || error != std::errc() || end != digits.data() + digits.size()) return 0;
  return static_cast<std::int32_t>(value & 0xFFFFFF);
}

void StoreCustomColor(ColorString& text, std::int32_t color) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(color) & 0xFFFFFFu);
  text.Set(std::string_view(digits, 8));
}

bool SortSettingsDiffer(const MainOptions& before, const MainOptions& after) {
  return before.SortField != after.SortField || before.SortDescending != after.SortDescending ||
         before.SortCaseSensitive != after.SortCaseSensitive;
}

bool ViewerColumnsDiffer(const MainOptions& before, const MainOptions& after) {
  auto columns = [](const MainOptions& main) {
    return std::array<std::uint8_t, 11>{main.InfoTime,
                                        main.InfoKbps,
                                        main.InfoFrequency,
                                        main.InfoSize,
                                        main.InfoDateCreated,
                                        main.InfoVolumeLabel,
                                        main.InfoPath,
                                        main.InfoStereo,
                                        main.InfoDateAdded,
                                        main.Enumerate,
                                        main.ViewerSplitArtistTitle};
  };
  return columns(before) != columns(after);
}

bool ViewerCellsDiffer(const MainOptions& before, const MainOptions& after) {
  auto styles = [](const MainOptions& main) {
    return std::array<std::uint8_t, 8>{main.DateStyle,       main.SizeStyle,           main.StereoStyle,
                                       main.VbrStyle,        main.ErrorInfoStyle,      main.ViewerFontSize,
                                       main.ViewerFontStyle, main.ViewerManualColWidth};
  };
  return styles(before) != styles(after) || before.ViewerFontName.View() != after.ViewerFontName.View() ||
         std::memcmp(before.ViewerColumnWidths, after.ViewerColumnWidths, sizeof before.ViewerColumnWidths) != 0;
}

OptionsWindowRules::OptionsWindowRules(AppOptions& options) : options_(options) { Open(); }

void OptionsWindowRules::Open() {
  std::memcpy(&snapshot_, &options_.Main, sizeof snapshot_);
  cancelling_ = false;
  memoryHeld_ = false;
}

bool OptionsWindowRules::TypeNumber(std::string_view field, std::string_view text) {
  const std::vector<FieldElement> elements = ElementsNamed(field);
  if (elements.size() != 1 || !ParseFieldNumber(*elements.front().Field, text)) return false;
  (void)SetElementText(options_, elements.front(), text);
  if (field == "PadFilenameTo" && options_.Main.PadFilenameTo != 0 && options_.Main.HeaderRowTabs != 0) {
    LeaveHeaderRow(HeaderRowSetting::PadFilenameTo);
  }
  return true;
}

std::string OptionsWindowRules::LeaveNumber(std::string_view field, std::string_view text) {
  const std::vector<FieldElement> elements = ElementsNamed(field);
  if (elements.size() != 1) return std::string(text);
  if (ParseFieldNumber(*elements.front().Field, text)) return std::string(text);
  AppOptions snapshotOptions = options_;
  std::memcpy(&snapshotOptions.Main, &snapshot_, sizeof snapshot_);
  const std::string kept = ElementText(snapshotOptions, elements.front());
  (void)SetElementText(options_, elements.front(), kept);
  return kept;
}

std::vector<HeaderRowSetting> OptionsWindowRules::SetHeaderRowTabs(bool on) {
  MainOptions& main = options_.Main;
  std::vector<HeaderRowSetting> changed;
  main.HeaderRowTabs = Flag(on);
  if (!on) {
    if (memoryHeld_) {
      for (HeaderRowSetting setting :
           {HeaderRowSetting::ExportType, HeaderRowSetting::HeaderFromFile, HeaderRowSetting::FooterFromFile,
            HeaderRowSetting::Delimiter, HeaderRowSetting::PadFilenameTo}) {
        Restore(setting);
      }
    }
    memoryHeld_ = false;
    return changed;
  }
  memoryHeld_ = true;
  savedExportType_ = main.ExportType;
  savedHeaderFromFile_ = main.HeaderFromFile;
  savedFooterFromFile_ = main.FooterFromFile;
  savedDelimiter_ = main.Delimiter;
  savedPadFilenameTo_ = main.PadFilenameTo;
  auto set = [&changed](std::uint8_t& value, std::uint8_t wanted, HeaderRowSetting setting) {
    if (value != wanted) changed.push_back(setting);
    value = wanted;
  };
  set(main.ExportType, kExportText, HeaderRowSetting::ExportType);
  set(main.HeaderFromFile, 0, HeaderRowSetting::HeaderFromFile);
  set(main.FooterFromFile, 0, HeaderRowSetting::FooterFromFile);
  set(main.Delimiter, kDelimiterTabs, HeaderRowSetting::Delimiter);
  set(main.PadFilenameTo, 0, HeaderRowSetting::PadFilenameTo);
  return changed;
}

void OptionsWindowRules::Restore(HeaderRowSetting setting) {
  MainOptions& main = options_.Main;
  switch (setting) {
    case HeaderRowSetting::ExportType: main.ExportType = savedExportType_; break;
    case HeaderRowSetting::HeaderFromFile: main.HeaderFromFile = savedHeaderFromFile_; break;
    case HeaderRowSetting::FooterFromFile: main.FooterFromFile = savedFooterFromFile_; break;
    case HeaderRowSetting::Delimiter: main.Delimiter = savedDelimiter_; break;
    case HeaderRowSetting::PadFilenameTo: main.PadFilenameTo = savedPadFilenameTo_; break;
  }
}

void OptionsWindowRules::LeaveHeaderRow(HeaderRowSetting changed) {
  options_.Main.HeaderRowTabs = 0;
  if (memoryHeld_) {
    for (HeaderRowSetting setting :
         {HeaderRowSetting::ExportType, HeaderRowSetting::HeaderFromFile, HeaderRowSetting::FooterFromFile,
          HeaderRowSetting::Delimiter, HeaderRowSetting::PadFilenameTo}) {
      if (setting != changed) Restore(setting);
    }
  }
  memoryHeld_ = false;
}

std::optional<OptionsMessage> OptionsWindowRules::Warn(OptionsMessage message) const {
  if (cancelling_) return std::nullopt;
  return message;
}

std::optional<OptionsMessage> OptionsWindowRules::PlainHtmlTabsWarning() const {
  if (options_.Main.ExportType == kExportPlainHtml && options_.Main.Delimiter == kDelimiterTabs) {
    return Warn(OptionsMessage::PlainHtmlTabs);
  }
  return std::nullopt;
}

std::optional<OptionsMessage> OptionsWindowRules::SetExportType(std::uint8_t type) {
  options_.Main.ExportType = type;
  if (type != kExportText && options_.Main.HeaderRowTabs != 0) LeaveHeaderRow(HeaderRowSetting::ExportType);
  return PlainHtmlTabsWarning();
}

std::optional<OptionsMessage> OptionsWindowRules::SetDelimiter(std::uint8_t delimiter) {
  options_.Main.Delimiter = delimiter;
  if (delimiter != kDelimiterTabs && options_.Main.HeaderRowTabs != 0) LeaveHeaderRow(HeaderRowSetting::Delimiter);
  return PlainHtmlTabsWarning();
}

void OptionsWindowRules::SetHeaderFromFile(bool on) {
  options_.Main.HeaderFromFile = Flag(on);
  if (on && options_.Main.HeaderRowTabs != 0) LeaveHeaderRow(HeaderRowSetting::HeaderFromFile);
}

void OptionsWindowRules::SetFooterFromFile(bool on) {
  options_.Main.FooterFromFile = Flag(on);
  if (on && options_.Main.HeaderRowTabs != 0) LeaveHeaderRow(HeaderRowSetting::FooterFromFile);
}

std::optional<OptionsMessage> OptionsWindowRules::SetErrorInfoStyle(std::uint8_t style) {
  options_.Main.ErrorInfoStyle = style;
  if (style == 0) return Warn(OptionsMessage::OmitInfo);
  return std::nullopt;
}

std::optional<OptionsMessage> OptionsWindowRules::SetUseOwnHtmlTags(bool on) {
  options_.Main.UseOwnHtmlTags = Flag(on);
  if (on) return Warn(OptionsMessage::OwnHtmlTags);
  return std::nullopt;
}

std::optional<OptionsMessage> OptionsWindowRules::SetPlainHtmlStyled(bool on) {
  options_.Main.PlainHtmlStyled = Flag(on);
  if (on && options_.Main.UseOwnHtmlTags != 0) return Warn(OptionsMessage::NoEffectWithOwnTags);
  return std::nullopt;
}

std::optional<OptionsMessage> OptionsWindowRules::TableFontChosen() {
  if (options_.Main.UseOwnHtmlTags != 0) return Warn(OptionsMessage::NoEffectWithOwnTags);
  return std::nullopt;
}

std::optional<OptionsMessage> OptionsWindowRules::TableBgColorChosen() {
  if (options_.Main.PlainHtmlStyled != 0 && options_.Main.UseOwnHtmlTags != 0) {
    return Warn(OptionsMessage::BgNoEffectInPlainHtml);
  }
  return std::nullopt;
}

std::optional<OptionsMessage> OptionsWindowRules::ColorPanelRefusal(ColorPanel panel) const {
  if (panel == ColorPanel::Background && options_.Main.UseBgColor == 0) return OptionsMessage::BgColorNotEnabled;
  if (panel == ColorPanel::Text && options_.Main.UseTextColor == 0) return OptionsMessage::TextColorNotEnabled;
  return std::nullopt;
}

bool OptionsWindowRules::StartupListButtonEnabled() const { return options_.Main.StartupLoad == 2; }

bool OptionsWindowRules::SortControlsEnabled() const { return options_.Main.SortList != 0; }

bool OptionsWindowRules::CaseSensitiveEnabled() const {
  return SortControlsEnabled() && TextSortField(options_.Main.SortField);
}

bool OptionsWindowRules::ChangedSinceOpen() const {
  MainOptions now = options_.Main;
  MainOptions then = snapshot_;
  PadStrings(now);
  PadStrings(then);
  return std::memcmp(&now, &then, sizeof now) != 0;
}

void OptionsWindowRules::Cancel() {
  cancelling_ = true;
  std::memcpy(&options_.Main, &snapshot_, sizeof snapshot_);
}

void OptionsWindowRules::Defaults() {
  SetWindowDefaults(options_);
  memoryHeld_ = false;
}

void OptionsWindowRules::Replace(const AppOptions& loaded) {
  std::memcpy(&options_, &loaded, sizeof options_);
  memoryHeld_ = false;
}

}  // namespace ordonna
