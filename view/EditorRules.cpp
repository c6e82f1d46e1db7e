// The editor's record rules.
#include "view/EditorRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/Text.h"

namespace ordonna {
namespace {

std::string_view WithoutTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

ListEntry NewEditorEntry(std::int32_t today) {
  return UndeterminedEntry({.FrequencyCode = kFrequencyUnknown, .FileDate = kNumberUnknown, .DateAdded = today});
}

void SetNameText(ListEntry& entry, std::string_view text) {
  entry.FileName.Set(MaskControlBytes(WithoutTrailingSpaces(text)));
}

void SetFolderText(ListEntry& entry, std::string_view text) {
  entry.Folder.Set(MaskControlBytes(WithoutTrailingSpaces(text)));
}

void SetLabelText(ListEntry& entry, std::string_view text) {
  entry.VolumeLabel.Set(MaskControlBytes(WithoutTrailingSpaces(text)));
}

std::optional<std::int32_t> ReadNumberField(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c != ' ') digits.push_back(c);
  }
  std::int32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

void SetSizeText(ListEntry& entry, std::string_view text) {
  const std::optional<std::int32_t> size = ReadNumberField(text);
  if (size && *size >= 0) entry.SizeKB = *size;
}

void SetFramesText(ListEntry& entry, std::string_view text) {
  entry.Frames = ReadNumberField(text).value_or(kNumberUnknown);
}

std::uint8_t FrequencyOfItem(int item) {
  constexpr std::array<std::uint8_t, 4> kCodes = {2, 0, 1, kFrequencyUnknown};
  return item >= 0 && item < 4 ? kCodes[static_cast<std::size_t>(item)] : kFrequencyUnknown;
}

int ItemOfFrequency(std::uint8_t frequencyCode) {
  constexpr std::array<int, 3> kItems = {1, 2, 0};
  return frequencyCode < 3 ? kItems[frequencyCode] : 3;
}

std::uint8_t BitrateOfItem(int item) {
  if (item == 0) return kBitrateVariable;
  if (item >= 1 && item <= 14) return static_cast<std::uint8_t>(15 - item);
  return kBitrateUnknown;
}

int ItemOfBitrate(std::uint8_t bitrateCode) {
  if (bitrateCode == kBitrateVariable) return 0;
  if (bitrateCode >= 1 && bitrateCode <= 14) return 15 - bitrateCode;
  return 15;
}

int ItemOfStereo(std::uint8_t stereoMode) { return stereoMode < kStereoUnknown ? stereoMode : kStereoUnknown; }

bool EditedFieldsDiffer(const ListEntry& a, const ListEntry& b) {
  return a.FileName.View() != b.FileName.View() || a.SizeKB != b.SizeKB || a.BitrateCode != b.BitrateCode ||
         a.Frames != b.Frames || a.StereoMode != b.StereoMode || a.FrequencyCode != b.FrequencyCode ||
         a.Folder.View() != b.Folder.View() || a.VolumeLabel.View() != b.VolumeLabel.View() ||
         a.FileDate != b.FileDate || a.DateAdded != b.DateAdded;
}

std::int32_t SteppedFrames(std::int32_t frames, std::uint8_t frequencyCode, StepButton button) {
  std::int64_t stepped = frames;
  switch (button) {
    case StepButton::None: return frames;
    case StepButton::FrameUp: stepped = static_cast<std::int64_t>(frames) + 1; break;
    case StepButton::FrameDown: stepped = static_cast<std::int64_t>(frames) - 1; break;
    case StepButton::SecondUp:
    case StepButton::SecondDown: {
      const double perFrame = SecondsPerFrame(frequencyCode);
      const double seconds = std::nearbyint(frames * perFrame) + (button == StepButton::SecondUp ? 1 : -1);
      stepped = static_cast<std::int64_t>(std::nearbyint(seconds / perFrame));
      break;
    }
  }
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(stepped, 0, kMostFrames));
}

int NextRepeatInterval(int interval) {
  if (interval >= 101) return interval - 40;
  if (interval > 20) return interval - 20;
  return interval;
}

std::uint8_t FirstEnabledChoice(std::uint8_t stored, const std::array<bool, 4>& enabled) {
  const auto start = static_cast<std::uint8_t>(stored & 3);
  for (std::uint8_t i = 0; i < 4; ++i) {
    const auto choice = static_cast<std::uint8_t>((start + i) % 4);
    if (enabled[choice]) return choice;
  }
  return start;
}

std::string PickerStartFolder(std::string_view folder, std::string_view home) {
  // A drive letter root ("c:\", "D:") names no folder here.
  const bool driveRoot = folder.size() >= 2 && folder.size() <= 3 && folder[1] == ':' &&
                         (folder.size() == 2 || folder[2] == '\\' || folder[2] == '/');
  if (folder.empty() || driveRoot) return std::string(home);
  return std::string(folder);
}

bool FolderFits(std::string_view folder) { return folder.size() <= kNameCapacity; }

}  // namespace ordonna
