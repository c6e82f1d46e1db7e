// The viewer's colour schemes and the captions of the controls that change between the
// normal and the filtered state.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ordonna {

// A colour of a scheme: one of the system's colours, or a fixed RGB value.
struct SchemeColor {
  enum class Role : std::uint8_t { Rgb, ButtonFace, Window, WindowText };
  Role Source = Role::Rgb;
  std::uint8_t Red = 0, Green = 0, Blue = 0;

  friend bool operator==(const SchemeColor&, const SchemeColor&) = default;
};

struct SchemeColors {
  SchemeColor Header;
  SchemeColor Background;
  SchemeColor Text;
};

// Scheme 0 Windows, 1 Light, 2 Dark (others count as 0); `inverted` swaps background and
// text, as a filtered list shows with FilterInvertedColors.
SchemeColors ColorsOf(std::uint8_t scheme, bool inverted);

// Captions of the controls that read differently while a filter is in force.
struct StateCaptions {
  std::string_view InsertButton;  // "&Insert" / "UNF&ILTER"
  std::string_view InsertMenu;    // "&Insert" / "Unf&ilter"
  std::string_view ResortMenu;    // "&Re-sort" / "&Make primary"
  std::string_view FindMenu;      // "&Find or filter (Ctrl+F)" / "&Find (Ctrl+F)"
  bool ResortButtonShown = true;  // the primary button stands in its place while filtered
  bool PrimaryButtonShown = false;
  std::array<std::string_view, 3> SchemeMenu;  // "&Windows", ... "(now inverted)" when inverted
};

StateCaptions CaptionsFor(bool filtered, bool invertedColors);

}  // namespace ordonna
