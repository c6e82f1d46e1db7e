// Defaults, load repairs, reading and writing of the configuration file. The file is the
// 7,101-byte image of AppOptions; a failed load leaves the record as it was, a failed write
// leaves the old file as it was.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "config/AppOptions.h"
#include "core/InputSource.h"
#include "core/OutputSink.h"
#include "core/Sort.h"
#include "core/Status.h"

namespace ordonna {

// The stored form of every dialog folder that the user has not chosen yet.
inline constexpr std::string_view kDefaultDialogFolder = "c:\\";

// What the host knows when the factory defaults are made.
struct FactoryContext {
  std::int32_t ScreenWidth = 0;  // pixels; windows are centred for their nominal sizes
  std::int32_t ScreenHeight = 0;
  std::string OptionsFolder;  // the folder that holds "ordonna.ini"
};

// The options of the options window ("DEFAULTS"): everything of MainOptions except the
// viewer's column-width mode, colour scheme, column widths and font, plus the three message
// and start-up list folders of DialogOptions. Window positions and other dialog settings stay.
void SetWindowDefaults(AppOptions& options);

// Every field: SetWindowDefaults, then the viewer settings, the centred window positions,
// the custom colours and all of DialogOptions.
void SetFactoryDefaults(AppOptions& options, const FactoryContext& context);

// The folder a file dialog should open: the stored "c:\" (any letter case) stands for the
// user's home folder; any other value is used as it is.
std::string ResolveDialogFolder(std::string_view stored, const std::string& homeFolder);

// A whole file image, exactly kConfigFileSize bytes, copied into `options` as stored (no
// repairs). On failure `options` is untouched and the status says how many bytes there were.
[[nodiscard]] Status ParseConfigurationImage(std::span<const std::uint8_t> image, AppOptions& options);

// ParseConfigurationImage, then the load repairs that bring out-of-range choices, sizes and
// font sizes back into range. Never reads past `image`.
[[nodiscard]] Status ParseConfiguration(std::span<const std::uint8_t> image, AppOptions& options);

// Reads the file at `path` as stored (no repairs). A missing or unreadable file, or one that
// is not exactly kConfigFileSize bytes long, is a failure that leaves `options` untouched.
[[nodiscard]] Status ReadConfigurationImage(const std::string& path, AppOptions& options);
// The same from a source; the failure's detail does not name a file.
[[nodiscard]] Status ReadConfigurationImage(InputSource& source, AppOptions& options);

// ReadConfigurationImage followed by the load repairs.
[[nodiscard]] Status LoadConfiguration(const std::string& path, AppOptions& options);

// Replaces the file at `path` with the record's image through a temporary file, so that a
// failure leaves an existing file byte for byte as it was.
[[nodiscard]] Status WriteConfiguration(const std::string& path, const AppOptions& options);
// Writes the record's image to `sink`.
[[nodiscard]] Status WriteConfiguration(OutputSink& sink, const AppOptions& options);

// Zeroes the bytes behind the length of the five file names and the three font names, so
// that two copies of the block compare equal byte for byte when their values are equal.
void PadStrings(MainOptions& options);

// The list order the options ask for.
SortSettings SortSettingsOf(const AppOptions& options);

}  // namespace ordonna
