// Gathers the formatters' style options from the option record.
#include "export/FieldStyle.h"

#include <utility>

#include "config/AppOptions.h"

namespace ordonna {

FieldStyle FieldStyleOf(const AppOptions& options, std::string localeDateFormat) {
  FieldStyle style;
  style.DateStyle = options.Main.DateStyle;
  style.SizeStyle = options.Main.SizeStyle;
  style.StereoStyle = options.Main.StereoStyle;
  style.VbrStyle = options.Main.VbrStyle;
  style.ErrorInfoStyle = options.Main.ErrorInfoStyle;
  style.PadFilenameTo = options.Main.PadFilenameTo;
  style.ViewerTotalTimeStyle = options.Dialog.ViewerTotalTimeStyle;
  style.LocaleDateFormat = std::move(localeDateFormat);
  return style;
}

}  // namespace ordonna
