// The options window's rules without the window: the copy of MainOptions that cancelling
// puts back, typed numbers checked by the settings' field table, the header row rule with its
// memory, the warnings the controls give, which controls are enabled, and what a viewer must
// redo after the window was left with OK. The window reports what the user did and shows what
// the rules answer; the rules change the option record, never a control.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/AppOptions.h"
#include "ui/logic/OptionsMessages.h"

namespace ordonna {

// The five settings that "Add header row && use tabs as delimiters" overrides.
enum class HeaderRowSetting : std::uint8_t { ExportType, HeaderFromFile, FooterFromFile, Delimiter, PadFilenameTo };

// The window whose colour the colour panel edits (ColorWindowChoice).
enum class ColorPanel : std::uint8_t { Background, Text, Window };

inline constexpr std::uint8_t kExportText = 0;
inline constexpr std::uint8_t kExportPlainHtml = 1;
inline constexpr std::uint8_t kDelimiterTabs = 5;

// The stored colour of the window ColorWindowChoice names (0 main, 1 viewer, 2 options).
std::int32_t& ChosenWindowColor(AppOptions& options);

// A colour whose red, green and blue are all below 65 asks whether the user is certain.
bool TooDark(std::int32_t color);

// A custom colour of the picker as stored, eight hex digits "00BBGGRR"; an unreadable one
// counts as black.
std::int32_t CustomColorValue(const ColorString& text);
void StoreCustomColor(ColorString& text, std::int32_t color);

// After OK: the viewer re-sorts when the sort settings differ, and rebuilds its grid when the
// columns to show differ (info flags, enumeration, artist/title split).
bool SortSettingsDiffer(const MainOptions& before, const MainOptions& after);
bool ViewerColumnsDiffer(const MainOptions& before, const MainOptions& after);
// The grid's cells differ too when the styles of their texts do, or (after a reset or a
// loaded file) the viewer's font, width mode or manual widths: the grid is rebuilt then.
bool ViewerCellsDiffer(const MainOptions& before, const MainOptions& after);

class OptionsWindowRules {
 public:
  // `options` is the program's record and outlives the rules.
  explicit OptionsWindowRules(AppOptions& options);

  // The window opens: the snapshot is taken and the header row memory forgotten.
  void Open();
  const MainOptions& Snapshot() const { return snapshot_; }

  // A numeric field's text as typed: stored when valid for the field (named as in the field
  // table); the answer says whether it is valid.
  bool TypeNumber(std::string_view field, std::string_view text);
  // Leaving the field: the text it keeps. An invalid text gives way to the snapshot's value,
  // which is stored.
  std::string LeaveNumber(std::string_view field, std::string_view text);

  // Switching the header row on saves the five settings and overrides them; the answer lists
  // those that changed. Switching it off brings the saved values back.
  std::vector<HeaderRowSetting> SetHeaderRowTabs(bool on);

  // Choices and boxes with rules; a warning to show, if any.
  std::optional<OptionsMessage> SetExportType(std::uint8_t type);
  std::optional<OptionsMessage> SetDelimiter(std::uint8_t delimiter);
  void SetHeaderFromFile(bool on);
  void SetFooterFromFile(bool on);
  std::optional<OptionsMessage> SetErrorInfoStyle(std::uint8_t style);
  std::optional<OptionsMessage> SetUseOwnHtmlTags(bool on);
  std::optional<OptionsMessage> SetPlainHtmlStyled(bool on);
  std::optional<OptionsMessage> TableFontChosen();
  std::optional<OptionsMessage> TableBgColorChosen();
  // A click on a colour panel: the refusal to show when its check box is clear.
  std::optional<OptionsMessage> ColorPanelRefusal(ColorPanel panel) const;

  // Dependent controls.
  bool StartupListButtonEnabled() const;
  bool SortControlsEnabled() const;
  bool CaseSensitiveEnabled() const;

  // The options differ from the snapshot, compared byte for byte with padded strings.
  bool ChangedSinceOpen() const;
  // "&CANCEL", Esc or the close box: MainOptions as it was when the window opened. From here
  // on no warning is given.
  void Cancel();
  bool Cancelling() const { return cancelling_; }

  // "&DEFAULTS", a loaded file, a reset: the record changed as a whole.
  void Defaults();
  void Replace(const AppOptions& loaded);

 private:
  std::optional<OptionsMessage> Warn(OptionsMessage message) const;
  // One of the five overridden settings changed while the header row is on: the row goes
  // off and the other four come back.
  void LeaveHeaderRow(HeaderRowSetting changed);
  void Restore(HeaderRowSetting setting);
  std::optional<OptionsMessage> PlainHtmlTabsWarning() const;

  AppOptions& options_;
  MainOptions snapshot_{};
  bool cancelling_ = false;
  // HeaderRowMemory: the five settings from before the header row was switched on.
  bool memoryHeld_ = false;
  std::uint8_t savedExportType_ = 0;
  std::uint8_t savedHeaderFromFile_ = 0;
  std::uint8_t savedFooterFromFile_ = 0;
  std::uint8_t savedDelimiter_ = 0;
  std::uint8_t savedPadFilenameTo_ = 0;
};

}  // namespace ordonna
