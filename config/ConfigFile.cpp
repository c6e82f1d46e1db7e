// Reading, repairing and writing the configuration file. The image is copied into the record
// only once it is known to be complete, and repaired only after that.
#include "config/ConfigFile.h"

#include <array>
#include <cstring>

#include "platform/InputFile.h"
#include "platform/OutputFile.h"

namespace ordonna {
namespace {

// Byte counts in messages are grouped by thousands ("7,101"), as the program writes numbers.
std::string GroupedNumber(std::uintmax_t value) {
  std::string digits = std::to_string(value);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

std::string SizeReason(std::string_view foundBytes) {
  return std::string(foundBytes) + " bytes; expected " + GroupedNumber(kConfigFileSize);
}

constexpr std::uint8_t LowBits(std::uint8_t value, std::uint8_t mask) {
  return static_cast<std::uint8_t>(value & mask);
}

// The repairs of MainOptions, in the order the program has always applied them. Masked
// choices keep their low bits; other out-of-range values fall back to a fixed value (not
// always the factory default: a bad viewer font size becomes 10, not 8).
void RepairMainOptions(MainOptions& main) {
  if (main.MinSizeKB < 1 || main.MinSizeKB > 2000) main.MinSizeKB = 10;
  if (main.MaxSizeMB < 10 || main.MaxSizeMB > 2048) main.MaxSizeMB = 2048;
  if (main.ErrorInfoStyle > 2) main.ErrorInfoStyle = 1;
  if (main.ErrorAction > 2) main.ErrorAction = 1;
  if (main.Delimiter > 5) main.Delimiter = 0;
  if (main.PadFilenameTo > 99) main.PadFilenameTo = 0;
  if (main.DateStyle > 3) main.DateStyle = 0;
  if (main.ViewerColorScheme > 2) main.ViewerColorScheme = 0;
  if (main.SortField > 9) main.SortField = 0;
  if (main.SizeStyle > 4) main.SizeStyle = 1;
  if (main.ViewerFontSize < 4 || main.ViewerFontSize > 32) main.ViewerFontSize = 10;
  main.ExportType = LowBits(main.ExportType, 3);
  main.VbrStyle = LowBits(main.VbrStyle, 3);
  main.CaptionMode = LowBits(main.CaptionMode, 3);
  main.ExistingEntries = LowBits(main.ExistingEntries, 3);
  main.FadeMain = LowBits(main.FadeMain, 1);
  main.FadeViewer = LowBits(main.FadeViewer, 1);
  main.FadeOptions = LowBits(main.FadeOptions, 1);
}

void RepairDialogOptions(DialogOptions& dialog) {
  dialog.ImportDateStyleFallback = LowBits(dialog.ImportDateStyleFallback, 1);
  dialog.ImportDateAddedFallback = LowBits(dialog.ImportDateAddedFallback, 1);
  dialog.CompareWith = LowBits(dialog.CompareWith, 1);
  dialog.ImportFileType = LowBits(dialog.ImportFileType, 1);
  dialog.InsertPosition = LowBits(dialog.InsertPosition, 3);
  dialog.ViewerTotalTimeStyle = LowBits(dialog.ViewerTotalTimeStyle, 3);
  dialog.MatchAction = static_cast<std::uint8_t>(dialog.MatchAction % 3);
  dialog.CompareAction = static_cast<std::uint8_t>(dialog.CompareAction % 10);
  if (dialog.EditPosition < 2 || dialog.EditPosition > 3) dialog.EditPosition = 2;
  if (dialog.AppendSort > 3) dialog.AppendSort = 1;
  if (dialog.ThreadPriority > 2) dialog.ThreadPriority = 0;
  if (dialog.MainFontSize < 4 || dialog.MainFontSize > 32) dialog.MainFontSize = 10;
  if (dialog.ColorWindowChoice >= 3) dialog.ColorWindowChoice = 0;
}

// The main block is repaired before the main window is placed, the dialog block after;
// neither depends on the other, so both run here.
void ApplyLoadRepairs(AppOptions& options) {
  RepairMainOptions(options.Main);
  RepairDialogOptions(options.Dialog);
}

void ZeroBehindLength(OptionString& text) {
  std::size_t length = text.View().size();
  std::memset(text.Chars + length, 0, sizeof text.Chars - length);
}

}  // namespace

Status ParseConfigurationImage(std::span<const std::uint8_t> image, AppOptions& options) {
  if (image.size() != kConfigFileSize) {
    return Status::Corrupt("Not a valid configuration file", SizeReason(GroupedNumber(image.size())));
  }
  std::memcpy(&options, image.data(), kConfigFileSize);
  return Status::Ok();
}

Status ParseConfiguration(std::span<const std::uint8_t> image, AppOptions& options) {
  Status status = ParseConfigurationImage(image, options);
  if (status.ok()) ApplyLoadRepairs(options);
  return status;
}

Status ReadConfigurationImage(InputSource& source, AppOptions& options) {
  // One byte more than an image reveals a longer file without reading all of it.
  std::array<std::uint8_t, kConfigFileSize + 1> buffer;
  std::size_t read = 0;
  Status status = source.ReadAt(0, buffer.data(), buffer.size(), read);
  if (!status.ok()) return status;
  if (read > kConfigFileSize) {
    return Status::Corrupt("Not a valid configuration file", SizeReason(GroupedNumber(source.Size())));
  }
  return ParseConfigurationImage(std::span(buffer.data(), read), options);
}

Status ReadConfigurationImage(const std::string& path, AppOptions& options) {
  InputFile file;
  Status status = file.Open(path);
  if (status.ok()) status = ReadConfigurationImage(file, options);
  if (status.code() == Status::Code::Corrupt) {
    return Status::Corrupt(status.message(), path + " (" + status.detail() + ")");
  }
  return status;
}

Status LoadConfiguration(const std::string& path, AppOptions& options) {
  Status status = ReadConfigurationImage(path, options);
  if (status.ok()) ApplyLoadRepairs(options);
  return status;
}

Status WriteConfiguration(const std::string& path, const AppOptions& options) {
  return WriteFileWith(path, [&](OutputSink& sink) { return WriteConfiguration(sink, options); });
}

Status WriteConfiguration(OutputSink& sink, const AppOptions& options) {
  return WriteBytes(sink, &options, sizeof options);
}

void PadStrings(MainOptions& options) {
  for (OptionString* text :
       {&options.TextHeaderFile, &options.TextFooterFile, &options.HtmlHeaderFile, &options.HtmlFooterFile,
        &options.StartupListFile, &options.ViewerFontName, &options.TableFontName, &options.CaptionFontName}) {
    ZeroBehindLength(*text);
  }
}

SortSettings SortSettingsOf(const AppOptions& options) {
  SortSettings settings;
  settings.SortField = options.Main.SortField;
  settings.SortDescending = options.Main.SortDescending != 0;
  settings.SortCaseSensitive = options.Main.SortCaseSensitive != 0;
  return settings;
}

}  // namespace ordonna
