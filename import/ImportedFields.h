// What a list's tag (or the column resolution of an untagged text list) says about its lines:
// which fields it holds, in which styles, and the order of its columns from the right.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace ordonna {

// The field a column of an imported line holds.
enum class ColumnCode : std::uint8_t {
  FileName = 0,
  PlayTime = 1,
  Bitrate = 2,
  Size = 3,
  StereoMode = 4,
  Frequency = 5,
  DateCreated = 6,
  Path = 7,
  DateAdded = 8,
  VolumeLabel = 9,
  Number = 255,  // a column of the list's own numbering "1.", "2.", ...: read past
};

// Delimiter codes of a line: 0 ",", 1 ")", 2 "]", 3 "}", 4 tab, any other value a space.
inline constexpr std::uint8_t kDelimiterTab = 4;
inline constexpr std::uint8_t kDelimiterSpace = 5;

// The date style is not known (untagged lists).
inline constexpr std::uint8_t kDateStyleUnknown = 255;

struct ImportedFields {
  // The ten included-field flags, in the order of the tag: Enumerate, InfoTime, InfoKbps,
  // InfoSize, InfoStereo, InfoFrequency, InfoDateCreated, InfoPath, InfoDateAdded,
  // InfoVolumeLabel.
  bool Enumerate = false;     // each name starts with its number
  bool NumberColumn = false;  // the numbers stand in a column of their own
  bool Time = false;
  bool Kbps = false;
  bool Size = false;
  bool Stereo = false;
  bool Frequency = false;
  bool DateCreated = false;
  bool Path = false;
  bool DateAdded = false;
  bool VolumeLabel = false;
  bool LongStereo = false;
  bool SplitArtistTitle = false;
  std::uint8_t SortState = 63;
  std::uint8_t DateStyle = kDateStyleUnknown;  // 0..3 from a tag
  std::uint8_t SizeStyle = 0;
  std::uint8_t Delimiter = 0;
};

// The 40-byte tag the HTML exports write after their header, decoded; nothing when a flag
// holds neither "0" nor its letter, the sort state is not three digits of at most 255, a
// style digit is out of range or the closing is missing. REQUIRES: tag.size() >= 40.
std::optional<ImportedFields> DecodeListInfoTag(std::string_view tag);

// The columns of a tagged list, rightmost first. `captionStyle` 7 or 9 adds the caption
// column a grouped table carries for a path or label column the list does not have.
std::vector<ColumnCode> ColumnOrderOf(const ImportedFields& fields, char captionStyle);

}  // namespace ordonna
