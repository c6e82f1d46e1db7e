// The viewer's grid: a table model that reads the working list in place and formats only the
// cells asked for (nothing per row is kept, so a long list costs what its visible rows cost),
// and a lean cell painter for it.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include <QAbstractTableModel>
#include <QFontMetricsF>
#include <QStyledItemDelegate>

#include "core/ListStore.h"
#include "export/FieldStyle.h"
#include "view/Columns.h"

namespace ordonna {

class ViewGridModel final : public QAbstractTableModel {
 public:
  // `list` must outlive the model; the model reads it at every call.
  ViewGridModel(const ListStore& list, QObject* parent);

  // Starts over with the list as it is now and the columns of `layout`. Not `shown` (the list
  // is too long): one empty row under empty headers.
  void Rebuild(ColumnLayout layout, FieldStyle style, bool shown);
  const ColumnLayout& Layout() const { return layout_; }
  bool Shown() const { return shown_; }
  // The formatter of the last rebuild (the widths are measured with it).
  const CellFormatter& Cells() const { return *cells_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  const ListStore& list_;
  ColumnLayout layout_;
  std::optional<CellFormatter> cells_;
  bool shown_ = false;
};

// Paints a cell's text and the selection without the style's per-cell decorations: a string
// grid shows text only, and repainting a screenful must stay quick.
class ViewGridPainter final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// Text widths in the grid's font for the automatic column widths, quick enough for every row
// of a long list: ASCII texts add up their characters' advances (kerning only narrows a
// text, so the sum never cuts one short), other texts are measured whole.
class GridTextWidth {
 public:
  explicit GridTextWidth(const QFont& font);
  int operator()(std::string_view text);

 private:
  QFontMetricsF metrics_;
  std::array<qreal, 128> advances_;  // by character; negative until measured
};

// Left and right room of a cell's text, in pixels (the measured widths add 4).
inline constexpr int kCellTextMargin = 2;

}  // namespace ordonna
