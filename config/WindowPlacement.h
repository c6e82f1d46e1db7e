// Where a window goes when it is shown: its stored position pulled inside the screen.
// Pure arithmetic; the caller moves the window and writes the result back into WindowPlaces.
#pragma once

#include <cstdint>

namespace ordonna {

struct WindowPosition {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
};

// The bottom and right edges are pulled back onto the screen first, then a negative top or
// left becomes 0, so a window larger than the screen shows its top-left corner. Any stored
// values are safe, including ones near the limits of 32 bits.
WindowPosition PlaceWindow(WindowPosition stored, std::int32_t windowWidth, std::int32_t windowHeight,
                           std::int32_t screenWidth, std::int32_t screenHeight);

}  // namespace ordonna
