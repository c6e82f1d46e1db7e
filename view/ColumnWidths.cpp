// Width measurement. Most columns repeat few texts (times, dates, bitrates), so a small
// memo per column spares the caller's font measurement, which is the slow part.
#include "view/ColumnWidths.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "config/AppOptions.h"

namespace ordonna {
namespace {

constexpr int kCellMargin = 4;
constexpr int kNumberColumnTrim = 3;
// Beyond this many distinct texts a column is mostly unique (names): stop remembering.
constexpr std::size_t kMemoLimit = 4096;

class ColumnMeasure {
 public:
  explicit ColumnMeasure(const TextWidthFunction& textWidth) : textWidth_(textWidth) {}

  void Measure(const std::string& text) {
    if (auto found = memo_.find(text); found != memo_.end()) return;
    const int width = textWidth_(text);
    widest_ = std::max(widest_, width);
    if (memo_.size() < kMemoLimit) memo_.emplace(text, width);
  }
  int Widest() const { return widest_; }

 private:
  const TextWidthFunction& textWidth_;
  std::unordered_map<std::string, int> memo_;
  int widest_ = 0;
};

}  // namespace

std::vector<int> AutomaticWidths(const EntryList& list, const ColumnLayout& layout, const CellFormatter& cells,
                                 const TextWidthFunction& textWidth) {
  std::vector<int> widths;
  widths.reserve(layout.Kinds.size());
  for (ColumnKind kind : layout.Kinds) {
    ColumnMeasure measure(textWidth);
    measure.Measure(std::string(ColumnHeader(kind, layout.StereoStyle)));
    for (std::uint32_t i = 0; i < list.ItemCount(); ++i) measure.Measure(cells.CellText(list.Entry(i), i, kind));
    const int trim = kind == ColumnKind::Number ? kNumberColumnTrim : 0;
    widths.push_back(measure.Widest() - trim + kCellMargin);
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
