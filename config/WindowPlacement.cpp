// Window placement, computed in 64 bits: a damaged file may store positions near the 32-bit
// limits, where adding the window size would overflow.
#include "config/WindowPlacement.h"

namespace ordonna {
namespace {

// One axis: the far edge first, then the near one.
std::int32_t PlaceAxis(std::int32_t stored, std::int32_t windowSize, std::int32_t screenSize) {
  std::int64_t position = stored;
  if (position + windowSize > screenSize) position = std::int64_t{screenSize} - windowSize;
  if (position < 0) position = 0;
  // Now 0 <= position <= max(stored, 0), so it fits in 32 bits again.
  return static_cast<std::int32_t>(position);
}

}  // namespace

WindowPosition PlaceWindow(WindowPosition stored, std::int32_t windowWidth, std::int32_t windowHeight,
                           std::int32_t screenWidth, std::int32_t screenHeight) {
  WindowPosition placed;
  placed.Top = PlaceAxis(stored.Top, windowHeight, screenHeight);
  placed.Left = PlaceAxis(stored.Left, windowWidth, screenWidth);
  return placed;
}

}  // namespace ordonna
