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

std::int64_t DigitCount(std::uint64_t number) {
  std::int64_t digits = 1;
  for (; number >= 10; number /= 10) ++digits;
  return digits;
}

// Whether a value was seen before: a bitmap for the small non-negative values most columns
// hold (dates, sizes, play times), a hash set for the rest. A long list is measured by a
// lookup per row and column, so this is the hot path of building the grid.
class SeenValues {
 public:
  bool Insert(std::int64_t value) {
    if (value < 0 || value >= kBitmapLimit) return others_.insert(value).second;
    const auto bit = static_cast<std::size_t>(value);
    if (bit / 64 >= bits_.size()) bits_.resize(bit / 64 + 1);
    std::uint64_t& word = bits_[bit / 64];
    const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
    if ((word & mask) != 0) return false;
    word |= mask;
    return true;
  }

 private:
  static constexpr std::int64_t kBitmapLimit = std::int64_t{1} << 25;  // 4 MB of bits at most
  std::vector<std::uint64_t> bits_;
  std::unordered_set<std::int64_t> others_;
};

// One column's widest text so far, measuring each distinct value once.
class ColumnMeasure {
 public:
  ColumnMeasure(ColumnKind kind, int headerWidth) : kind_(kind), widest_(headerWidth) {}

  void Add(const ListEntry& entry, std::uint32_t index, const CellFormatter& cells, const TextWidthFunction& width) {
    bool fresh = true;
    switch (kind_) {
      // Numbers are padded to one length: their digit count stands for the text.
      case ColumnKind::Number: fresh = seenValues_.Insert(DigitCount(index + std::uint64_t{1})); break;
      case ColumnKind::FileName:
      case ColumnKind::Artist:
      case ColumnKind::Title: break;
      case ColumnKind::Path: fresh = SeenText(entry.Folder.View()); break;
      case ColumnKind::VolumeLabel: fresh = SeenText(entry.VolumeLabel.View()); break;
      default: fresh = seenValues_.Insert(ValueKey(entry, kind_)); break;
    }
    if (fresh) widest_ = std::max(widest_, width(cells.CellText(entry, index, kind_)));
  }
  int Widest() const { return widest_; }

 private:
  // Folders and labels repeat row after row in a list sorted by them. Elsewhere a text is
  // known by its 64-bit hash: comparing the texts themselves would read entries all over the
  // list, and two folders of one list sharing a hash is not to be expected.
  bool SeenText(std::string_view text) {
    if (measuredText_ && text == previousText_) return false;
    measuredText_ = true;
    previousText_ = text;
    return seenTextHashes_.insert(std::hash<std::string_view>{}(text)).second;
  }

  ColumnKind kind_;
  int widest_;
  std::unordered_set<std::size_t> seenTextHashes_;
  bool measuredText_ = false;
  std::string_view previousText_;
  SeenValues seenValues_;
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
