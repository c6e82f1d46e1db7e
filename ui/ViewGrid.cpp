// Cells formatted on demand through view/ and painted plainly.
#include "ui/ViewGrid.h"

#include <cmath>
#include <utility>

#include <QPainter>

#include "ui/QtText.h"

namespace ordonna {

ViewGridModel::ViewGridModel(const ListStore& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {}

void ViewGridModel::Rebuild(ColumnLayout layout, FieldStyle style, bool shown) {
  beginResetModel();
  layout_ = std::move(layout);
  cells_.emplace(std::move(style), list_.ItemCount());
  shown_ = shown;
  endResetModel();
}

int ViewGridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !cells_) return 0;
  return shown_ ? static_cast<int>(list_.ItemCount()) : 1;
}

int ViewGridModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(layout_.Kinds.size());
}

QVariant ViewGridModel::data(const QModelIndex& index, int role) const {
  if (!shown_ || !index.isValid()) return {};
  const auto row = static_cast<std::uint32_t>(index.row());
  const ColumnKind kind = layout_.Kinds[static_cast<std::size_t>(index.column())];
  if (role == Qt::DisplayRole && row < list_.ItemCount()) {
    return ToQString(cells_->CellText(list_.Entry(row), row, kind));
  }
  // The numbers line up on their right edge in any font.
  if (role == Qt::TextAlignmentRole) {
    return static_cast<int>(Qt::AlignVCenter | (kind == ColumnKind::Number ? Qt::AlignRight : Qt::AlignLeft));
  }
  return {};
}

QVariant ViewGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !shown_) return {};
  if (section < 0 || static_cast<std::size_t>(section) >= layout_.Kinds.size()) return {};
  return ToQString(ColumnHeader(layout_.Kinds[static_cast<std::size_t>(section)], layout_.StereoStyle));
}

Qt::ItemFlags ViewGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

GridTextWidth::GridTextWidth(const QFont& font) : metrics_(font) { advances_.fill(-1); }

int GridTextWidth::operator()(std::string_view text) {
  qreal width = 0;
  for (const char byte : text) {
    const auto code = static_cast<unsigned char>(byte);
    if (code >= advances_.size()) return static_cast<int>(std::ceil(metrics_.horizontalAdvance(ToQString(text))));
    qreal& advance = advances_[code];
    if (advance < 0) advance = metrics_.horizontalAdvance(QChar(code));
    width += advance;
  }
  return static_cast<int>(std::ceil(width));
}

// Text drawn at its baseline (no line layout) and clipped to the cell, as a string grid does.
void ViewGridPainter::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  if (selected) painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
  const QString text = index.data(Qt::DisplayRole).toString();
  if (text.isEmpty()) return;
  const QFontMetrics metrics(option.font);
  const QRect room = option.rect.adjusted(kCellTextMargin, 0, -kCellTextMargin, 0);
  int left = room.left();
  if ((index.data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight) != 0) {
    left = room.right() + 1 - metrics.horizontalAdvance(text);
  }
  const int baseline = room.top() + (room.height() - metrics.height()) / 2 + metrics.ascent();
  painter->save();
  painter->setClipRect(room, Qt::IntersectClip);
  painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(QPoint(left, baseline), text);
  painter->restore();
}

}  // namespace ordonna
