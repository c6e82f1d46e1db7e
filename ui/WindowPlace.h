// Size and place of the program's fixed-size windows: the size their layout needs, never less
// than their described client area; the stored place (two fields of WindowPlaces), pulled
// inside the screen when shown and kept when the window closes. Every window does the same:
//   constructor: FixWindowSize(*this, {width, height});
//   showEvent:   MoveToStoredPlace(*this, {&places.XLeft, &places.XTop});
//   on closing:  KeepPlace(*this, {&places.XLeft, &places.XTop});
#pragma once

#include <cstdint>

#include <QSize>

class QWidget;

namespace ordonna {

// Where one window was last: its two fields of WindowPlaces. The record is packed, so its
// fields may lie anywhere: they are reached byte-wise, never through an int32_t reference.
struct StoredPlace {
  void* Left;
  void* Top;
};

// The described client area, or more when larger fonts need the room.
void FixWindowSize(QWidget& window, QSize clientArea);

// The same for a window of placed controls (no layout): drawn for the 9-point font, it and
// every control in it grow in proportion when the font is larger.
void FixPlacedWindowSize(QWidget& window, QSize clientArea);
// A position in such a window as drawn, in the window's font.
int PlacedPixels(const QWidget& window, int designPixels);

// Moves the window to its stored place pulled inside the primary screen, and stores where it
// went.
void MoveToStoredPlace(QWidget& window, StoredPlace place);

// Stores the window's place; a window that is not shown keeps the stored one.
void KeepPlace(const QWidget& window, StoredPlace place);

}  // namespace ordonna
