// The editor window's record rules without a window: each field's text to its value, the
// values of a new entry, when the confirm button may be pressed, the play-time steps with
// their limits and auto-repeat timing, and the first offered position choice.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/ListEntry.h"

namespace ordonna {

inline constexpr std::int32_t kMostFrames = 262144;

// A new entry: zeros with the not-determined values and `today` as DateAdded.
ListEntry NewEditorEntry(std::int32_t today);

// A name, folder or label field: trailing spaces dropped, control bytes masked, cut to the
// field's capacity on a character boundary.
void SetNameText(ListEntry& entry, std::string_view text);
void SetFolderText(ListEntry& entry, std::string_view text);
void SetLabelText(ListEntry& entry, std::string_view text);

// The size and frame fields: spaces removed, a decimal integer or nothing.
std::optional<std::int32_t> ReadNumberField(std::string_view text);
// A valid size of 0 or more is taken, anything else leaves the size as it was.
void SetSizeText(ListEntry& entry, std::string_view text);
// A valid frame count is taken, anything else is -1.
void SetFramesText(ListEntry& entry, std::string_view text);

// The list items of the frequency, bitrate and stereo fields and their record values.
inline constexpr std::array<const char*, 4> kFrequencyItems = {"32.0 KHz", "44.1 KHz", "48.0 KHz", "?"};
inline constexpr std::array<const char*, 16> kBitrateItems = {
    "Var. kbps", "320 kbps", "256 kbps", "224 kbps", "192 kbps", "160 kbps", "128 kbps", "112 kbps",
    "96 kbps",   "80 kbps",  "64 kbps",  "56 kbps",  "48 kbps",  "40 kbps",  "32 kbps",  "???"};
inline constexpr std::array<const char*, 5> kStereoItems = {"S", "JS", "DC", "M", "??"};
std::uint8_t FrequencyOfItem(int item);
int ItemOfFrequency(std::uint8_t frequencyCode);
std::uint8_t BitrateOfItem(int item);
int ItemOfBitrate(std::uint8_t bitrateCode);
int ItemOfStereo(std::uint8_t stereoMode);

// Edit mode: the confirm button is enabled when any field differs from the opening copy.
bool EditedFieldsDiffer(const ListEntry& opening, const ListEntry& working);

// The step buttons: one frame up or down, one whole second up or down, kept in 0..262,144.
enum class StepButton : std::uint8_t { None, FrameUp, SecondUp, FrameDown, SecondDown };
std::int32_t SteppedFrames(std::int32_t frames, std::uint8_t frequencyCode, StepButton button);

// Auto-repeat of a held step button: the first interval, and each next one.
inline constexpr int kFirstRepeatInterval = 220;
int NextRepeatInterval(int interval);

// The position choice selected when the editor opens: from `stored` on, cyclically, the first
// enabled one (`stored` when none is).
std::uint8_t FirstEnabledChoice(std::uint8_t stored, const std::array<bool, 4>& enabled);

// The folder picker: "c:\"-style defaults and drive roots of lists made on Windows mean the
// home folder here; an empty folder too.
std::string PickerStartFolder(std::string_view folder, std::string_view home);
// Folders longer than a record holds are refused (counted in bytes).
bool FolderFits(std::string_view folder);

}  // namespace ordonna
