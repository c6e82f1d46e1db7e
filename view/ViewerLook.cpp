// Scheme table and state captions.
#include "view/ViewerLook.h"

#include <utility>

namespace ordonna {

SchemeColors ColorsOf(std::uint8_t scheme, bool inverted) {
  using Role = SchemeColor::Role;
  SchemeColors colors;
  switch (scheme) {
    case 1: colors = {{Role::Rgb, 224, 212, 200}, {Role::Rgb, 255, 255, 255}, {Role::Rgb, 0, 0, 0}}; break;
    case 2: colors = {{Role::Rgb, 80, 88, 96}, {Role::Rgb, 0, 0, 0}, {Role::Rgb, 255, 255, 255}}; break;
    default: colors = {{Role::ButtonFace}, {Role::Window}, {Role::WindowText}}; break;
  }
  if (inverted) std::swap(colors.Background, colors.Text);
  return colors;
}

StateCaptions CaptionsFor(bool filtered, bool invertedColors) {
  StateCaptions captions;
  if (filtered) {
    captions = {"UNF&ILTER", "Unf&ilter", "&Make primary", "&Find (Ctrl+F)", false, true, {}};
  } else {
    captions = {"&Insert", "&Insert", "&Re-sort", "&Find or filter (Ctrl+F)", true, false, {}};
  }
  if (filtered && invertedColors) {
    captions.SchemeMenu = {"&Windows (now inverted)", "&Light (now inverted)", "&Dark (now inverted)"};
  } else {
    captions.SchemeMenu = {"&Windows", "&Light", "&Dark"};
  }
  return captions;
}

}  // namespace ordonna
