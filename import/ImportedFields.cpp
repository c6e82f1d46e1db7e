// The tag's twelve flag letters, its three-digit sort state and its style digits.
#include "import/ImportedFields.h"

#include <array>

namespace ordonna {
namespace {

constexpr std::size_t kFlagsAt = 20;
constexpr std::array<char, 12> kFlagLetters = {'E', 'T', 'B', 'S', 'M', 'F', 'C', 'P', 'A', 'V', '7', 'S'};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<ImportedFields> DecodeListInfoTag(std::string_view tag) {
  std::array<bool, 12> flags{};
  for (std::size_t i = 0; i < kFlagLetters.size(); ++i) {
    const char c = tag[kFlagsAt + i];
    if (c != '0' && c != kFlagLetters[i]) return std::nullopt;
    flags[i] = c == kFlagLetters[i];
  }
  if (!IsDigit(tag[32]) || !IsDigit(tag[33]) || !IsDigit(tag[34])) return std::nullopt;
  const int sort = (tag[32] - '0') * 100 + (tag[33] - '0') * 10 + (tag[34] - '0');
  // The sort state is one byte; a larger number cannot come from an export.
  if (sort > 255) return std::nullopt;
  const char date = tag[35];
  const char size = tag[36];
  const char delimiter = tag[37];
  if (date < '0' || date > '3' || size < '0' || size > '4' || delimiter < '0' || delimiter > '5') return std::nullopt;
  if (tag[38] != '"' || tag[39] != '>') return std::nullopt;

  ImportedFields fields;
  fields.Enumerate = flags[0];
  fields.Time = flags[1];
  fields.Kbps = flags[2];
  fields.Size = flags[3];
  fields.Stereo = flags[4];
  fields.Frequency = flags[5];
  fields.DateCreated = flags[6];
  fields.Path = flags[7];
  fields.DateAdded = flags[8];
  fields.VolumeLabel = flags[9];
  fields.LongStereo = flags[10];
  fields.SplitArtistTitle = flags[11];
  fields.SortState = static_cast<std::uint8_t>(sort);
  fields.DateStyle = static_cast<std::uint8_t>(date - '0');
  fields.SizeStyle = static_cast<std::uint8_t>(size - '0');
  fields.Delimiter = static_cast<std::uint8_t>(delimiter - '0');
  return fields;
}

std::vector<ColumnCode> ColumnOrderOf(const ImportedFields& fields, char captionStyle) {
  std::vector<ColumnCode> order;
  // The caption column is the last cell of a row, after the label cell when there is one.
  if (captionStyle == '7' && !fields.Path) order.push_back(ColumnCode::Path);
  if (fields.VolumeLabel || captionStyle == '9') order.push_back(ColumnCode::VolumeLabel);
  if (fields.DateAdded) order.push_back(ColumnCode::DateAdded);
  if (fields.Path) order.push_back(ColumnCode::Path);
  if (fields.DateCreated) order.push_back(ColumnCode::DateCreated);
  if (fields.Frequency) order.push_back(ColumnCode::Frequency);
  if (fields.Stereo) order.push_back(ColumnCode::StereoMode);
  if (fields.Size) order.push_back(ColumnCode::Size);
  if (fields.Kbps) order.push_back(ColumnCode::Bitrate);
  if (fields.Time) order.push_back(ColumnCode::PlayTime);
  order.push_back(ColumnCode::FileName);
  return order;
}

}  // namespace ordonna
