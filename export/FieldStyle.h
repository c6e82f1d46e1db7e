// The style options every field formatter reads, gathered from the option record once so
// that the formatters and their tests need nothing but this small value.
#pragma once

#include <cstdint>
#include <string>

namespace ordonna {

struct AppOptions;

// Defaults are the factory settings. Out-of-range values are read the way loading the
// option file repairs them, so a formatter never fails on a style.
struct FieldStyle {
  std::uint8_t DateStyle = 0;             // 0 locale, 1 dd.mm.yyyy., 2 mm.dd.yyyy., 3 yyyy.mm.dd.; above 3: 0
  std::uint8_t SizeStyle = 1;             // unit 0 none, 1 " K", 2 "K", 3 " Kb", 4 "Kb"; above 4: 1
  std::uint8_t StereoStyle = 0;           // 0 short names, any other value long names
  std::uint8_t VbrStyle = 0;              // 0 var, 1 VAR, 2 vbr, 3 VBR; low two bits count
  std::uint8_t ErrorInfoStyle = 1;        // undetermined values: 0 omitted, 1 "?", 2 "-"; above 2: 1
  std::uint8_t PadFilenameTo = 0;         // visible width names are filled to; 0 off
  std::uint8_t ViewerTotalTimeStyle = 0;  // 0 d.h:m:s, 1 h:m:s, 2 and 3 in words; low two bits count
  // The locale's short date format as strftime conversions ("%m/%d/%y", "%d.%m.%Y", ...).
  std::string LocaleDateFormat = "%m/%d/%y";
};

// The style options of `options`, with the locale's short date format (as
// Platform::ShortDateFormat returns it).
FieldStyle FieldStyleOf(const AppOptions& options, std::string localeDateFormat);

}  // namespace ordonna
