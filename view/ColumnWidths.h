// Column widths in pixels: measured from the texts (automatic) or the ones the user left
// (manual, stored per column kind in ViewerColumnWidths).
#pragma once

#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "core/ListStore.h"
#include "view/Columns.h"

namespace ordonna {

struct MainOptions;

// The pixel width of a text in the grid's font, supplied by the window.
using TextWidthFunction = std::function<int(std::string_view)>;

// Each column's widest text (its header included) plus 4 pixels; the number column 3 pixels
// less. Each distinct value of a column is measured once, the numbers once per digit count
// (digits are equally wide in the fonts a grid uses), names every row.
std::vector<int> AutomaticWidths(const EntryList& list, const ColumnLayout& layout, const CellFormatter& cells,
                                 const TextWidthFunction& textWidth);

// The stored width of each column's kind.
std::vector<int> ManualWidths(const ColumnLayout& layout, const MainOptions& options);

// Stores the current width of every column under its kind. REQUIRES: one width per column.
void StoreColumnWidths(const ColumnLayout& layout, std::span<const int> widths, MainOptions& options);

}  // namespace ordonna
