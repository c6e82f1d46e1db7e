// Width measurement. The caller's font measurement is the slow part, and most columns show
// few distinct values (times, dates, bitrates, folders): those are formatted and measured once
// per value, found by the entry fields their text is made of.
#include "view/ColumnWidths.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "config/AppOptions.h"

namespace ordonna {
namespace {

constexpr int kCellMargin = 4;
constexpr int kNumberColumnTrim = 3;

// The fields a column's text is made of, as one number; for the kinds keyed by text or unique
// per row the result is unused.
std::int64_t ValueKey(const ListEntry& entry, ColumnKind kind) {
  switch (kind) {
    case ColumnKind::Time: return static_cast<std::int64_t>(entry.Frames) * 256 + entry.FrequencyCode;
    case ColumnKind::Kbps: return entry.BitrateCode;
    case ColumnKind::Size: return entry.SizeKB;
    case ColumnKind::Stereo: return entry.StereoMode;
    case ColumnKind::Frequency: return entry.FrequencyCode;
    case ColumnKind::FileDate: return entry.FileDate;
    case ColumnKind::DateAdded: return entry.DateAdded;
    default: return 0;
  }
}

// One column's widest text so far, measuring each distinct value once.
class ColumnMeasure {
 public:
  ColumnMeasure(ColumnKind kind, int headerWidth) : kind_(kind), widest_(headerWidth) {}

  void Add(const ListEntry& entry, std::uint32_t index, const CellFormatter& cells, const TextWidthFunction& width) {
    bool fresh = true;
    switch (kind_) {
      case ColumnKind::Number:
      case ColumnKind::FileName:
      case ColumnKind::Artist:
      case ColumnKind::Title: break;
      case ColumnKind::Path: fresh = seenTexts_.insert(entry.Folder.View()).second; break;
      case ColumnKind::VolumeLabel: fresh = seenTexts_.insert(entry.VolumeLabel.View()).second; break;
      default: fresh = seenValues_.insert(ValueKey(entry, kind_)).second; break;
    }
    if (fresh) widest_ = std::max(widest_, width(cells.CellText(entry, index, kind_)));
  }
  int Widest() const { return widest_; }

 private:
  ColumnKind kind_;
  int widest_;
  std::unordered_set<std::string_view> seenTexts_;  // views into the list, which does not change meanwhile
  std::unordered_set<std::int64_t> seenValues_;
};

}  // namespace

std::vector<int> AutomaticWidths(const EntryList& list, const ColumnLayout& layout, const CellFormatter& cells,
                                 const TextWidthFunction& textWidth) {
  std::vector<ColumnMeasure> columns;
  columns.reserve(layout.Kinds.size());
  for (ColumnKind kind : layout.Kinds) columns.emplace_back(kind, textWidth(ColumnHeader(kind, layout.StereoStyle)));
  // Row by row, so that each entry is read from memory once.
  for (std::uint32_t i = 0; i < list.ItemCount(); ++i) {
    for (ColumnMeasure& column : columns) column.Add(list.Entry(i), i, cells, textWidth);
  }
  std::vector<int> widths;
  widths.reserve(columns.size());
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const int trim = layout.Kinds[c] == ColumnKind::Number ? kNumberColumnTrim : 0;
    widths.push_back(columns[c].Widest() - trim + kCellMargin);
  }
  return widths;
}

std::vector<int> ManualWidths(const ColumnLayout& layout, const MainOptions& options) {
  std::vector<int> widths;
  widths.reserve(layout.Kinds.size());
  for (ColumnKind kind : layout.Kinds) widths.push_back(options.ViewerColumnWidths[KindSlot(kind)]);
  return widths;
}

void StoreColumnWidths(const ColumnLayout& layout, std::span<const int> widths, MainOptions& options) {
  const std::size_t count = std::min(widths.size(), layout.Kinds.size());
  for (std::size_t i = 0; i < count; ++i) options.ViewerColumnWidths[KindSlot(layout.Kinds[i])] = widths[i];
}

}  // namespace ordonna
