// Column layout and cell texts through the field formatters the exports use.
#include "view/Columns.h"

#include <algorithm>
#include <utility>

#include "config/AppOptions.h"
#include "export/Formatters.h"

namespace ordonna {

ColumnLayout BuildColumnLayout(const MainOptions& options) {
  ColumnLayout layout;
  layout.SplitArtistTitle = options.ViewerSplitArtistTitle != 0;
  layout.StereoStyle = options.StereoStyle;
  auto add = [&](bool present, ColumnKind kind) {
    if (present) layout.Kinds.push_back(kind);
  };
  add(options.Enumerate != 0, ColumnKind::Number);
  add(layout.SplitArtistTitle, ColumnKind::Artist);
  add(layout.SplitArtistTitle, ColumnKind::Title);
  add(!layout.SplitArtistTitle, ColumnKind::FileName);
  add(options.InfoTime != 0, ColumnKind::Time);
  add(options.InfoKbps != 0, ColumnKind::Kbps);
  add(options.InfoSize != 0, ColumnKind::Size);
  add(options.InfoStereo != 0, ColumnKind::Stereo);
  add(options.InfoFrequency != 0, ColumnKind::Frequency);
  add(options.InfoDateCreated != 0, ColumnKind::FileDate);
  add(options.InfoPath != 0, ColumnKind::Path);
  add(options.InfoDateAdded != 0, ColumnKind::DateAdded);
  add(options.InfoVolumeLabel != 0, ColumnKind::VolumeLabel);
  layout.Positions.fill(-1);
  for (std::size_t i = 0; i < layout.Kinds.size(); ++i) {
    layout.Positions[static_cast<std::size_t>(KindSlot(layout.Kinds[i]))] = static_cast<int>(i);
  }
  return layout;
}

std::string_view ColumnHeader(ColumnKind kind, std::uint8_t stereoStyle) {
  switch (kind) {
    case ColumnKind::Artist: return "artist";
    case ColumnKind::Title: return "title";
    case ColumnKind::Number: return "no";
    case ColumnKind::FileName: return "filename";
    case ColumnKind::Time: return "time";
    case ColumnKind::Kbps: return "kbps";
    case ColumnKind::Size: return "size";
    case ColumnKind::Stereo: return stereoStyle != 0 ? "mode" : "m.";
    case ColumnKind::Frequency: return "freq.";
    case ColumnKind::FileDate: return "filedate";
    case ColumnKind::Path: return "path";
    case ColumnKind::DateAdded: return "listdate";
    case ColumnKind::VolumeLabel: return "volume";
  }
  return {};
}

CellFormatter::CellFormatter(FieldStyle style, std::uint32_t itemCount)
    : style_(std::move(style)), numberDigits_(std::to_string(itemCount).size()) {}

std::string CellFormatter::CellText(const ListEntry& entry, std::uint32_t index, ColumnKind kind) const {
  auto framed = [](std::string_view value) {
    std::string text;
    text.reserve(value.size() + 2);
    text += ' ';
    text += value;
    text += ' ';
    return text;
  };
  switch (kind) {
    case ColumnKind::Number: {
      std::string number = std::to_string(static_cast<std::uint64_t>(index) + 1);
      std::string text(numberDigits_ - std::min(number.size(), numberDigits_) + 1, ' ');
      return text + number + ". ";
    }
    case ColumnKind::Artist: return framed(SplitName(entry.FileName.View()).Artist);
    case ColumnKind::Title: return framed(SplitName(entry.FileName.View()).Title);
    case ColumnKind::FileName: return framed(entry.FileName.View());
    case ColumnKind::Time: return framed(FormatPlayTime(entry.Frames, entry.FrequencyCode, style_));
    case ColumnKind::Kbps: return framed(FormatKbpsPadded(entry.BitrateCode, style_));
    case ColumnKind::Size: return framed(FormatSize(entry.SizeKB, style_));
    case ColumnKind::Stereo: return framed(FormatStereo(entry.StereoMode, style_));
    case ColumnKind::Frequency: return framed(FormatFreqPadded(entry.FrequencyCode));
    case ColumnKind::FileDate: return framed(FormatDate(entry.FileDate, style_));
    case ColumnKind::Path: return framed(entry.Folder.View());
    case ColumnKind::DateAdded: return framed(FormatDate(entry.DateAdded, style_));
    case ColumnKind::VolumeLabel: return framed(entry.VolumeLabel.View());
  }
  return {};
}

}  // namespace ordonna
