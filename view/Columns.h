// The viewer's columns: which kinds the options show, in which order, and the text of every
// cell, formatted on demand from the entry (nothing per row is kept).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ListEntry.h"
#include "export/FieldStyle.h"

namespace ordonna {

struct MainOptions;

// The value a column shows. Kinds 1..10 are the sortable ones, sort field = kind - 1.
enum class ColumnKind : std::int8_t {
  Artist = -2,
  Title = -1,
  Number = 0,
  FileName = 1,
  Time = 2,
  Kbps = 3,
  Size = 4,
  Stereo = 5,
  Frequency = 6,
  FileDate = 7,
  Path = 8,
  DateAdded = 9,
  VolumeLabel = 10,
};

inline constexpr int kColumnKindCount = 13;  // -2..10

// Index of a kind in per-kind arrays (kind + 2), as in ViewerColumnWidths.
constexpr int KindSlot(ColumnKind kind) { return static_cast<int>(kind) + 2; }

struct ColumnLayout {
  std::vector<ColumnKind> Kinds;                  // in column order
  std::array<int, kColumnKindCount> Positions{};  // by KindSlot; -1 when the kind is not shown
  bool SplitArtistTitle = false;
  std::uint8_t StereoStyle = 0;

  int PositionOf(ColumnKind kind) const { return Positions[static_cast<std::size_t>(KindSlot(kind))]; }
};

// The columns the info flags, the artist/title switch and the stereo style ask for.
ColumnLayout BuildColumnLayout(const MainOptions& options);

// "no", "artist", "title", "filename", "time", ... ("m." or "mode" by the stereo style).
std::string_view ColumnHeader(ColumnKind kind, std::uint8_t stereoStyle);

// Formats the cells of one list: the style and the number width are fixed per built grid.
class CellFormatter {
 public:
  CellFormatter(FieldStyle style, std::uint32_t itemCount);

  // The text of `entry` in a column of `kind`, framed by spaces; the number column shows
  // the row number (`index` + 1) right-aligned to the widest number and followed by ". ".
  std::string CellText(const ListEntry& entry, std::uint32_t index, ColumnKind kind) const;

 private:
  FieldStyle style_;
  std::size_t numberDigits_;
};

}  // namespace ordonna
