// One catalogued MP3 file: a packed 564-byte record without heap data, so a list is
// copied, written and read back as a plain byte image (integers little-endian).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/FixedString.h"

namespace ordonna {

// Values written for fields that could not be determined.
inline constexpr std::uint8_t kBitrateUnknown = 255;
inline constexpr std::uint8_t kBitrateVariable = 16;
inline constexpr std::uint8_t kStereoUnknown = 4;
inline constexpr std::uint8_t kFrequencyUnknown = 3;
inline constexpr std::int32_t kNumberUnknown = -1;  // SizeKB, Frames, FileDate
// An imported entry whose list gives no frequency at all (a frequency column's "?" reads as
// kFrequencyUnknown).
inline constexpr std::uint8_t kFrequencyNotRead = 255;
// The dates the reader of other programs' lists leaves: day 0, which reads as undetermined.
inline constexpr std::int32_t kDayNotRead = 0;

inline constexpr std::size_t kNameCapacity = 255;
inline constexpr std::size_t kLabelCapacity = 32;

#pragma pack(push, 1)
struct ListEntry {
  FixedString<kNameCapacity> FileName;  // without the ".mp3" extension
  FixedString<kNameCapacity> Folder;    // absolute, no trailing "/" except the root
  FixedString<kLabelCapacity> VolumeLabel;
  std::uint8_t BitrateCode;    // 1..14 bitrate index, 16 variable, else unknown
  std::int32_t SizeKB;         // bytes / 1024 rounded half to even; negative unknown
  std::int32_t Frames;         // negative unknown
  std::uint8_t StereoMode;     // 0 stereo, 1 joint, 2 dual, 3 mono; above 3 unknown
  std::uint8_t FrequencyCode;  // 0 44.1 kHz, 1 48 kHz, 2 32 kHz; above 2 unknown
  std::int32_t FileDate;       // day number; 0 or less unknown
  std::int32_t DateAdded;      // day number; 0 or less unknown
};
#pragma pack(pop)

inline constexpr std::size_t kEntrySize = 564;

static_assert(std::endian::native == std::endian::little, "records are copied as little-endian images");
static_assert(std::is_trivially_copyable_v<ListEntry> && std::is_standard_layout_v<ListEntry>);
static_assert(sizeof(ListEntry) == kEntrySize);
static_assert(offsetof(ListEntry, FileName) == 0);
static_assert(offsetof(ListEntry, Folder) == 256);
static_assert(offsetof(ListEntry, VolumeLabel) == 512);
static_assert(offsetof(ListEntry, BitrateCode) == 545);
static_assert(offsetof(ListEntry, SizeKB) == 546);
static_assert(offsetof(ListEntry, Frames) == 550);
static_assert(offsetof(ListEntry, StereoMode) == 554);
static_assert(offsetof(ListEntry, FrequencyCode) == 555);
static_assert(offsetof(ListEntry, FileDate) == 556);
static_assert(offsetof(ListEntry, DateAdded) == 560);

// The fields whose value in a new entry depends on who makes it.
struct UndeterminedValues {
  std::uint8_t FrequencyCode = kFrequencyUnknown;
  std::int32_t FileDate = kNumberUnknown;
  std::int32_t DateAdded = kNumberUnknown;
};

// An all-zero entry with every number field set to "not determined", the frequency and the
// dates to `values`.
ListEntry UndeterminedEntry(const UndeterminedValues& values = {});

// Identity of an entry: two entries are the same file when their keys are equal, that is
// file name, folder and volume label equal ignoring the case of ASCII letters only.
std::string SameFileKey(std::string_view name, std::string_view folder, std::string_view label);

// Seconds per 1,152-sample frame by frequency code; codes above 2 count as 44.1 kHz.
double SecondsPerFrame(std::uint8_t frequencyCode);

// Frames times the seconds per frame, rounded half to even (undetermined frames give 0
// or less).
std::int64_t PlayTimeSeconds(const ListEntry& entry);

}  // namespace ordonna
