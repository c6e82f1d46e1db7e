// ordonna-cli config: prints a configuration file field by field as stored, or writes the
// factory defaults. The field table below follows the file byte for byte (checked at compile time).
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "cli/Command.h"
#include "config/AppOptions.h"
#include "config/ConfigFile.h"
#include "core/Text.h"
#include "platform/FileSystem.h"

namespace ordonna::cli {
namespace {

enum class FieldKind : std::uint8_t { U8, U16, I32, Color, Text, ShortText };

constexpr std::size_t KindSize(FieldKind kind) {
  switch (kind) {
    case FieldKind::U8: return 1;
    case FieldKind::U16: return 2;
    case FieldKind::I32:
    case FieldKind::Color: return 4;
    case FieldKind::Text: return sizeof(OptionString);
    case FieldKind::ShortText: return sizeof(ColorString);
  }
  return 0;
}

struct FieldLayout {
  std::string_view Name;
  std::size_t Offset;  // in the file
  FieldKind Kind;
  std::size_t Count;  // elements of an array field, else 1
};

constexpr std::size_t kMain = offsetof(AppOptions, Main);
constexpr std::size_t kPlaces = offsetof(AppOptions, Places);
constexpr std::size_t kDialog = offsetof(AppOptions, Dialog);

constexpr std::array<FieldLayout, 159> kFields = {{
    {"InfoTime", kMain + offsetof(MainOptions, InfoTime), FieldKind::U8, 1},
    {"InfoKbps", kMain + offsetof(MainOptions, InfoKbps), FieldKind::U8, 1},
    {"HeaderRowTabs", kMain + offsetof(MainOptions, HeaderRowTabs), FieldKind::U8, 1},
    {"HeaderFromFile", kMain + offsetof(MainOptions, HeaderFromFile), FieldKind::U8, 1},
    {"FooterFromFile", kMain + offsetof(MainOptions, FooterFromFile), FieldKind::U8, 1},
    {"InfoFrequency", kMain + offsetof(MainOptions, InfoFrequency), FieldKind::U8, 1},
    {"InfoSize", kMain + offsetof(MainOptions, InfoSize), FieldKind::U8, 1},
    {"InfoDateCreated", kMain + offsetof(MainOptions, InfoDateCreated), FieldKind::U8, 1},
    {"InfoVolumeLabel", kMain + offsetof(MainOptions, InfoVolumeLabel), FieldKind::U8, 1},
    {"InfoPath", kMain + offsetof(MainOptions, InfoPath), FieldKind::U8, 1},
    {"InfoStereo", kMain + offsetof(MainOptions, InfoStereo), FieldKind::U8, 1},
    {"InfoDateAdded", kMain + offsetof(MainOptions, InfoDateAdded), FieldKind::U8, 1},
    {"SortList", kMain + offsetof(MainOptions, SortList), FieldKind::U8, 1},
    {"Enumerate", kMain + offsetof(MainOptions, Enumerate), FieldKind::U8, 1},
    {"IncludeHiddenSystem", kMain + offsetof(MainOptions, IncludeHiddenSystem), FieldKind::U8, 1},
    {"SlowProcessing", kMain + offsetof(MainOptions, SlowProcessing), FieldKind::U8, 1},
    {"UseTextColor", kMain + offsetof(MainOptions, UseTextColor), FieldKind::U8, 1},
    {"CenterArtistTitle", kMain + offsetof(MainOptions, CenterArtistTitle), FieldKind::U8, 1},
    {"SplitArtistTitle", kMain + offsetof(MainOptions, SplitArtistTitle), FieldKind::U8, 1},
    {"UseBgColor", kMain + offsetof(MainOptions, UseBgColor), FieldKind::U8, 1},
    {"SortDescending", kMain + offsetof(MainOptions, SortDescending), FieldKind::U8, 1},
    {"StereoStyle", kMain + offsetof(MainOptions, StereoStyle), FieldKind::U8, 1},
    {"SortCaseSensitive", kMain + offsetof(MainOptions, SortCaseSensitive), FieldKind::U8, 1},
    {"UseOwnHtmlTags", kMain + offsetof(MainOptions, UseOwnHtmlTags), FieldKind::U8, 1},
    {"ViewerManualColWidth", kMain + offsetof(MainOptions, ViewerManualColWidth), FieldKind::U8, 1},
    {"ViewerSplitArtistTitle", kMain + offsetof(MainOptions, ViewerSplitArtistTitle), FieldKind::U8, 1},
    {"PlainHtmlStyled", kMain + offsetof(MainOptions, PlainHtmlStyled), FieldKind::U8, 1},
    {"VbrStyle", kMain + offsetof(MainOptions, VbrStyle), FieldKind::U8, 1},
    {"DateStyle", kMain + offsetof(MainOptions, DateStyle), FieldKind::U8, 1},
    {"ErrorInfoStyle", kMain + offsetof(MainOptions, ErrorInfoStyle), FieldKind::U8, 1},
    {"ExportType", kMain + offsetof(MainOptions, ExportType), FieldKind::U8, 1},
    {"ErrorAction", kMain + offsetof(MainOptions, ErrorAction), FieldKind::U8, 1},
    {"Delimiter", kMain + offsetof(MainOptions, Delimiter), FieldKind::U8, 1},
    {"CaptionMode", kMain + offsetof(MainOptions, CaptionMode), FieldKind::U8, 1},
    {"SortField", kMain + offsetof(MainOptions, SortField), FieldKind::U8, 1},
    {"StartupLoad", kMain + offsetof(MainOptions, StartupLoad), FieldKind::U8, 1},
    {"SizeStyle", kMain + offsetof(MainOptions, SizeStyle), FieldKind::U8, 1},
    {"PadFilenameTo", kMain + offsetof(MainOptions, PadFilenameTo), FieldKind::U8, 1},
    {"ViewerColorScheme", kMain + offsetof(MainOptions, ViewerColorScheme), FieldKind::U8, 1},
    {"ExistingEntries", kMain + offsetof(MainOptions, ExistingEntries), FieldKind::U8, 1},
    {"AskSaveThreshold", kMain + offsetof(MainOptions, AskSaveThreshold), FieldKind::U16, 1},
    {"CellSpacing", kMain + offsetof(MainOptions, CellSpacing), FieldKind::U8, 1},
    {"CellPadding", kMain + offsetof(MainOptions, CellPadding), FieldKind::U8, 1},
    {"Border", kMain + offsetof(MainOptions, Border), FieldKind::U8, 1},
    {"FadeMain", kMain + offsetof(MainOptions, FadeMain), FieldKind::U8, 1},
    {"FadeViewer", kMain + offsetof(MainOptions, FadeViewer), FieldKind::U8, 1},
    {"FadeOptions", kMain + offsetof(MainOptions, FadeOptions), FieldKind::U8, 1},
    {"MaxSizeMB", kMain + offsetof(MainOptions, MaxSizeMB), FieldKind::I32, 1},
    {"MinSizeKB", kMain + offsetof(MainOptions, MinSizeKB), FieldKind::I32, 1},
    {"TableBgColor", kMain + offsetof(MainOptions, TableBgColor), FieldKind::Color, 1},
    {"TableTextColor", kMain + offsetof(MainOptions, TableTextColor), FieldKind::Color, 1},
    {"MainWindowColor", kMain + offsetof(MainOptions, MainWindowColor), FieldKind::Color, 1},
    {"OptionsWindowColor", kMain + offsetof(MainOptions, OptionsWindowColor), FieldKind::Color, 1},
    {"ViewerWindowColor", kMain + offsetof(MainOptions, ViewerWindowColor), FieldKind::Color, 1},
    {"ViewerColumnWidths", kMain + offsetof(MainOptions, ViewerColumnWidths), FieldKind::I32, kViewerColumnCount},
    {"TextHeaderFile", kMain + offsetof(MainOptions, TextHeaderFile), FieldKind::Text, 1},
    {"TextFooterFile", kMain + offsetof(MainOptions, TextFooterFile), FieldKind::Text, 1},
    {"HtmlHeaderFile", kMain + offsetof(MainOptions, HtmlHeaderFile), FieldKind::Text, 1},
    {"HtmlFooterFile", kMain + offsetof(MainOptions, HtmlFooterFile), FieldKind::Text, 1},
    {"StartupListFile", kMain + offsetof(MainOptions, StartupListFile), FieldKind::Text, 1},
    {"ViewerFontSize", kMain + offsetof(MainOptions, ViewerFontSize), FieldKind::U8, 1},
    {"TableFontSize", kMain + offsetof(MainOptions, TableFontSize), FieldKind::U8, 1},
    {"CaptionFontSize", kMain + offsetof(MainOptions, CaptionFontSize), FieldKind::U8, 1},
    {"ViewerFontCharset", kMain + offsetof(MainOptions, ViewerFontCharset), FieldKind::U8, 1},
    {"TableFontCharset", kMain + offsetof(MainOptions, TableFontCharset), FieldKind::U8, 1},
    {"CaptionFontCharset", kMain + offsetof(MainOptions, CaptionFontCharset), FieldKind::U8, 1},
    {"ViewerFontName", kMain + offsetof(MainOptions, ViewerFontName), FieldKind::Text, 1},
    {"TableFontName", kMain + offsetof(MainOptions, TableFontName), FieldKind::Text, 1},
    {"CaptionFontName", kMain + offsetof(MainOptions, CaptionFontName), FieldKind::Text, 1},
    {"ViewerFontStyle", kMain + offsetof(MainOptions, ViewerFontStyle), FieldKind::U8, 1},
    {"TableFontStyle", kMain + offsetof(MainOptions, TableFontStyle), FieldKind::U8, 1},
    {"CaptionFontStyle", kMain + offsetof(MainOptions, CaptionFontStyle), FieldKind::U8, 1},
    {"MainLeft", kPlaces + offsetof(WindowPlaces, MainLeft), FieldKind::I32, 1},
    {"MainTop", kPlaces + offsetof(WindowPlaces, MainTop), FieldKind::I32, 1},
    {"OptionsLeft", kPlaces + offsetof(WindowPlaces, OptionsLeft), FieldKind::I32, 1},
    {"OptionsTop", kPlaces + offsetof(WindowPlaces, OptionsTop), FieldKind::I32, 1},
    {"AboutLeft", kPlaces + offsetof(WindowPlaces, AboutLeft), FieldKind::I32, 1},
    {"AboutTop", kPlaces + offsetof(WindowPlaces, AboutTop), FieldKind::I32, 1},
    {"ImportLeft", kPlaces + offsetof(WindowPlaces, ImportLeft), FieldKind::I32, 1},
    {"ImportTop", kPlaces + offsetof(WindowPlaces, ImportTop), FieldKind::I32, 1},
    {"DupSetupLeft", kPlaces + offsetof(WindowPlaces, DupSetupLeft), FieldKind::I32, 1},
    {"DupSetupTop", kPlaces + offsetof(WindowPlaces, DupSetupTop), FieldKind::I32, 1},
    {"ViewerWidth", kPlaces + offsetof(WindowPlaces, ViewerWidth), FieldKind::I32, 1},
    {"ViewerHeight", kPlaces + offsetof(WindowPlaces, ViewerHeight), FieldKind::I32, 1},
    {"DupRunLeft", kPlaces + offsetof(WindowPlaces, DupRunLeft), FieldKind::I32, 1},
    {"DupRunTop", kPlaces + offsetof(WindowPlaces, DupRunTop), FieldKind::I32, 1},
    {"CompRunLeft", kPlaces + offsetof(WindowPlaces, CompRunLeft), FieldKind::I32, 1},
    {"CompRunTop", kPlaces + offsetof(WindowPlaces, CompRunTop), FieldKind::I32, 1},
    {"CompSetupLeft", kPlaces + offsetof(WindowPlaces, CompSetupLeft), FieldKind::I32, 1},
    {"CompSetupTop", kPlaces + offsetof(WindowPlaces, CompSetupTop), FieldKind::I32, 1},
    {"ViewerLeft", kPlaces + offsetof(WindowPlaces, ViewerLeft), FieldKind::I32, 1},
    {"ViewerTop", kPlaces + offsetof(WindowPlaces, ViewerTop), FieldKind::I32, 1},
    {"SkipMsgLeft", kPlaces + offsetof(WindowPlaces, SkipMsgLeft), FieldKind::I32, 1},
    {"SkipMsgTop", kPlaces + offsetof(WindowPlaces, SkipMsgTop), FieldKind::I32, 1},
    {"CaptionLeft", kPlaces + offsetof(WindowPlaces, CaptionLeft), FieldKind::I32, 1},
    {"CaptionTop", kPlaces + offsetof(WindowPlaces, CaptionTop), FieldKind::I32, 1},
    {"InsertLeft", kPlaces + offsetof(WindowPlaces, InsertLeft), FieldKind::I32, 1},
    {"InsertTop", kPlaces + offsetof(WindowPlaces, InsertTop), FieldKind::I32, 1},
    {"LoadModeLeft", kPlaces + offsetof(WindowPlaces, LoadModeLeft), FieldKind::I32, 1},
    {"LoadModeTop", kPlaces + offsetof(WindowPlaces, LoadModeTop), FieldKind::I32, 1},
    {"FindLeft", kPlaces + offsetof(WindowPlaces, FindLeft), FieldKind::I32, 1},
    {"FindTop", kPlaces + offsetof(WindowPlaces, FindTop), FieldKind::I32, 1},
    {"ImportDateStyleFallback", kDialog + offsetof(DialogOptions, ImportDateStyleFallback), FieldKind::U8, 1},
    {"ImportDateAddedFallback", kDialog + offsetof(DialogOptions, ImportDateAddedFallback), FieldKind::U8, 1},
    {"MatchPercent", kDialog + offsetof(DialogOptions, MatchPercent), FieldKind::U8, 1},
    {"MatchAction", kDialog + offsetof(DialogOptions, MatchAction), FieldKind::U8, 1},
    {"CompareAction", kDialog + offsetof(DialogOptions, CompareAction), FieldKind::U8, 1},
    {"CompareWith", kDialog + offsetof(DialogOptions, CompareWith), FieldKind::U8, 1},
    {"InsertPosition", kDialog + offsetof(DialogOptions, InsertPosition), FieldKind::U8, 1},
    {"EditPosition", kDialog + offsetof(DialogOptions, EditPosition), FieldKind::U8, 1},
    {"ImportFileType", kDialog + offsetof(DialogOptions, ImportFileType), FieldKind::U8, 1},
    {"AppendSort", kDialog + offsetof(DialogOptions, AppendSort), FieldKind::U8, 1},
    {"ThreadPriority", kDialog + offsetof(DialogOptions, ThreadPriority), FieldKind::U8, 1},
    {"ViewerTotalTimeStyle", kDialog + offsetof(DialogOptions, ViewerTotalTimeStyle), FieldKind::U8, 1},
    {"ColorWindowChoice", kDialog + offsetof(DialogOptions, ColorWindowChoice), FieldKind::U8, 1},
    {"ImportCmf", kDialog + offsetof(DialogOptions, ImportCmf), FieldKind::U8, 1},
    {"ImportClab", kDialog + offsetof(DialogOptions, ImportClab), FieldKind::U8, 1},
    {"ImportStripHeaderFooter", kDialog + offsetof(DialogOptions, ImportStripHeaderFooter), FieldKind::U8, 1},
    {"ImportImap", kDialog + offsetof(DialogOptions, ImportImap), FieldKind::U8, 1},
    {"AllowUnspecified", kDialog + offsetof(DialogOptions, AllowUnspecified), FieldKind::U8, 1},
    {"SizeMayDiffer", kDialog + offsetof(DialogOptions, SizeMayDiffer), FieldKind::U8, 1},
    {"TimeMayDiffer", kDialog + offsetof(DialogOptions, TimeMayDiffer), FieldKind::U8, 1},
    {"MatchHighChars", kDialog + offsetof(DialogOptions, MatchHighChars), FieldKind::U8, 1},
    {"BitrateMustMatch", kDialog + offsetof(DialogOptions, BitrateMustMatch), FieldKind::U8, 1},
    {"ViewerMaximized", kDialog + offsetof(DialogOptions, ViewerMaximized), FieldKind::U8, 1},
    {"MircLines", kDialog + offsetof(DialogOptions, MircLines), FieldKind::U8, 1},
    {"LoadAppend", kDialog + offsetof(DialogOptions, LoadAppend), FieldKind::U8, 1},
    {"LoadModeDontShow", kDialog + offsetof(DialogOptions, LoadModeDontShow), FieldKind::U8, 1},
    {"FindMatchCase", kDialog + offsetof(DialogOptions, FindMatchCase), FieldKind::U8, 1},
    {"LetterCheck", kDialog + offsetof(DialogOptions, LetterCheck), FieldKind::U8, 1},
    {"RememberCaption", kDialog + offsetof(DialogOptions, RememberCaption), FieldKind::U8, 1},
    {"FilterInvertedColors", kDialog + offsetof(DialogOptions, FilterInvertedColors), FieldKind::U8, 1},
    {"SearchAllDrives", kDialog + offsetof(DialogOptions, SearchAllDrives), FieldKind::U8, 1},
    {"IncludeSubfolders", kDialog + offsetof(DialogOptions, IncludeSubfolders), FieldKind::U8, 1},
    {"SkipFilterMsgDontShow", kDialog + offsetof(DialogOptions, SkipFilterMsgDontShow), FieldKind::U8, 1},
    {"SizeDiffKB", kDialog + offsetof(DialogOptions, SizeDiffKB), FieldKind::U16, 1},
    {"TimeDiffSec", kDialog + offsetof(DialogOptions, TimeDiffSec), FieldKind::U16, 1},
    {"CustomColors", kDialog + offsetof(DialogOptions, CustomColors), FieldKind::ShortText, kCustomColorCount},
    {"MainFontSize", kDialog + offsetof(DialogOptions, MainFontSize), FieldKind::U8, 1},
    {"MainFontCharset", kDialog + offsetof(DialogOptions, MainFontCharset), FieldKind::U8, 1},
    {"MainFontName", kDialog + offsetof(DialogOptions, MainFontName), FieldKind::Text, 1},
    {"MainFontStyle", kDialog + offsetof(DialogOptions, MainFontStyle), FieldKind::U8, 1},
    {"LoadFolder", kDialog + offsetof(DialogOptions, LoadFolder), FieldKind::Text, 1},
    {"SaveFolder", kDialog + offsetof(DialogOptions, SaveFolder), FieldKind::Text, 1},
    {"ExportFolder", kDialog + offsetof(DialogOptions, ExportFolder), FieldKind::Text, 1},
    {"ImportFolder", kDialog + offsetof(DialogOptions, ImportFolder), FieldKind::Text, 1},
    {"DupLogFolder", kDialog + offsetof(DialogOptions, DupLogFolder), FieldKind::Text, 1},
    {"CompareSaveFolder", kDialog + offsetof(DialogOptions, CompareSaveFolder), FieldKind::Text, 1},
    {"CompareLoadFolder", kDialog + offsetof(DialogOptions, CompareLoadFolder), FieldKind::Text, 1},
    {"LastSavedList", kDialog + offsetof(DialogOptions, LastSavedList), FieldKind::Text, 1},
    {"InsertFolder", kDialog + offsetof(DialogOptions, InsertFolder), FieldKind::Text, 1},
    {"OptionsFolder", kDialog + offsetof(DialogOptions, OptionsFolder), FieldKind::Text, 1},
    {"LastCaption", kDialog + offsetof(DialogOptions, LastCaption), FieldKind::Text, 1},
    {"TextMsgFolder", kDialog + offsetof(DialogOptions, TextMsgFolder), FieldKind::Text, 1},
    {"HtmlMsgFolder", kDialog + offsetof(DialogOptions, HtmlMsgFolder), FieldKind::Text, 1},
    {"StartupListFolder", kDialog + offsetof(DialogOptions, StartupListFolder), FieldKind::Text, 1},
    {"LastScanFolder", kDialog + offsetof(DialogOptions, LastScanFolder), FieldKind::Text, 1},
    {"CompareListFile", kDialog + offsetof(DialogOptions, CompareListFile), FieldKind::Text, 1},
    {"CompareSaveFile", kDialog + offsetof(DialogOptions, CompareSaveFile), FieldKind::Text, 1},
}};

// Every byte of the file belongs to exactly one field, in file order.
constexpr bool FieldsCoverTheFile() {
  std::size_t next = 0;
  for (const FieldLayout& field : kFields) {
    if (field.Offset != next) return false;
    next += KindSize(field.Kind) * field.Count;
  }
  return next == kConfigFileSize;
}
static_assert(FieldsCoverTheFile());

using Image = std::array<std::uint8_t, kConfigFileSize>;

std::uint32_t LittleEndian(const Image& image, std::size_t offset, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | image[offset + i];
  return value;
}

// Stored strings may hold line breaks and other control characters; they are escaped as
// \xNN so that each field stays on its own line.
std::string DisplayText(const Image& image, std::size_t offset, std::size_t capacity) {
  std::size_t length = image[offset] < capacity ? image[offset] : capacity;
  std::string_view stored(reinterpret_cast<const char*>(image.data() + offset + 1), length);
  std::string decoded = DecodeForDisplay(stored);
  std::string shown;
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  for (char c : decoded) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      shown += "\\x";
      shown += kHexDigits[byte >> 4];
      shown += kHexDigits[byte & 15];
    } else {
      shown += c;
    }
  }
  return shown;
}

// BBGGRR, as the colour pickers and the tables show colours; a non-zero top byte (never
// written by the program) is shown as well rather than hidden.
std::string ColorText(std::uint32_t value) {
  char digits[9];
  int width = value > 0xFFFFFF ? 8 : 6;
  std::snprintf(digits, sizeof digits, "%0*X", width, static_cast<unsigned>(value));
  return digits;
}

std::string FieldValue(const Image& image, FieldKind kind, std::size_t offset) {
  switch (kind) {
    case FieldKind::U8:
    case FieldKind::U16: return std::to_string(LittleEndian(image, offset, KindSize(kind)));
    case FieldKind::I32: return std::to_string(static_cast<std::int32_t>(LittleEndian(image, offset, 4)));
    case FieldKind::Color: return ColorText(LittleEndian(image, offset, 4));
    case FieldKind::Text: return DisplayText(image, offset, sizeof(OptionString::Chars));
    case FieldKind::ShortText: return DisplayText(image, offset, sizeof(ColorString::Chars));
  }
  return {};
}

int ShowConfiguration(const std::string& path) {
  AppOptions options;
  Status status = ReadConfigurationImage(path, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: config show: " << status.ToString() << '\n';
    return kExitFailure;
  }
  const auto image = std::bit_cast<Image>(options);
  std::string text;
  for (const FieldLayout& field : kFields) {
    for (std::size_t i = 0; i < field.Count; ++i) {
      text += field.Name;
      if (field.Count > 1) text += '[' + std::to_string(i) + ']';
      text += ' ';
      text += FieldValue(image, field.Kind, field.Offset + i * KindSize(field.Kind));
      text += '\n';
    }
  }
  std::cout << text << std::flush;
  if (!std::cout) {
    std::cerr << "ordonna-cli: config show: cannot write the output\n";
    return kExitFailure;
  }
  return kExitOk;
}

struct InitArguments {
  std::string File;
  std::int32_t ScreenWidth = 1920;
  std::int32_t ScreenHeight = 1080;
  bool Force = false;
};

int InitializeConfiguration(const InitArguments& arguments) {
  if (!arguments.Force && PathExists(arguments.File)) {
    std::cerr << "ordonna-cli: config init: " << arguments.File << " already exists (use --force to replace it)\n";
    return kExitFailure;
  }
  // The options dialogs open in the folder of the file, as they do beside the program's own file.
  const std::string folder = AbsoluteFolderOf(arguments.File);
  if (folder.empty()) {
    std::cerr << "ordonna-cli: config init: " << arguments.File << ": the current folder cannot be found\n";
    return kExitFailure;
  }
  FactoryContext context;
  context.ScreenWidth = arguments.ScreenWidth;
  context.ScreenHeight = arguments.ScreenHeight;
  context.OptionsFolder = folder;

  AppOptions options{};
  SetFactoryDefaults(options, context);
  Status status = WriteConfiguration(arguments.File, options);
  if (!status.ok()) {
    std::cerr << "ordonna-cli: config init: " << status.ToString() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void AddConfigCommand(CLI::App& app, CommandRunner& runner) {
  CLI::App* config = app.add_subcommand("config", "Show or create a configuration file (ordonna.ini)");
  config->require_subcommand(1);

  auto showFile = std::make_shared<std::string>();
  CLI::App* show = config->add_subcommand(
      "show",
      "Print every field of a configuration file in file order, one \"Name value\" per line (array elements as "
      "\"Name[i] value\"). Values are shown exactly as stored: no load repairs are applied. Numbers are "
      "decimal, colours BBGGRR hexadecimal, control characters in texts \\xNN.");
  show->add_option("FILE", *showFile, "The configuration file (exactly 7,101 bytes)")->required();
  show->callback([&runner, showFile] { runner.Run = [showFile] { return ShowConfiguration(*showFile); }; });

  auto initArguments = std::make_shared<InitArguments>();
  CLI::App* init = config->add_subcommand(
      "init",
      "Write a configuration file holding the factory defaults. Window positions are centred on the given "
      "screen size; the options folder is the folder of FILE.");
  init->add_option("FILE", initArguments->File, "The configuration file to create")->required()->check(kOutputName);
  init->add_option("--screen-width", initArguments->ScreenWidth, "Screen width in pixels")
      ->capture_default_str()
      ->check(CLI::Range(1, 100000));
  init->add_option("--screen-height", initArguments->ScreenHeight, "Screen height in pixels")
      ->capture_default_str()
      ->check(CLI::Range(1, 100000));
  init->add_flag("--force", initArguments->Force, "Replace an existing file");
  init->callback(
      [&runner, initArguments] { runner.Run = [initArguments] { return InitializeConfiguration(*initArguments); }; });
}

}  // namespace ordonna::cli
