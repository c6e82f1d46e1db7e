// The field table of the option record and the text form of every field. Fields are read
// and written in the record's bytes at the table's offsets, little-endian as the file is.
#include "config/ConfigFields.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/Text.h"

namespace ordonna {
namespace {

using Items = std::span<const std::string_view>;

constexpr std::array<std::string_view, 2> kProcessing = {"Fast processing (200 frames or header)",
                                                         "Slow processing (read entire file)"};
constexpr std::array<std::string_view, 2> kStereoStyles = {"Short style (M/JS/S/DC)", "Long style (words)"};
constexpr std::array<std::string_view, 4> kVbrStyles = {"var", "VAR", "vbr", "VBR"};
constexpr std::array<std::string_view, 4> kDateStyles = {"Windows default (short)", "European (dd.mm.yyyy.)",
                                                         "American (mm.dd.yyyy.)", "Japanese (yyyy.mm.dd.)"};
constexpr std::array<std::string_view, 3> kErrorInfoStyles = {"Omit info", "Question marks", "Hyphens"};
constexpr std::array<std::string_view, 4> kExportTypes = {"Text", "Plain HTML", "HTML table", "XLS (excel sheet)"};
constexpr std::array<std::string_view, 3> kErrorActions = {"Always discard", "Prompt", "Always include"};
constexpr std::array<std::string_view, 6> kDelimiters = {",", "( )", "[ ]", "{ }", "spaces", "tabs"};
constexpr std::array<std::string_view, 4> kCaptionModes = {
    "Do not make captions", "Use path or label (only if sorted by it)", "Path/label if sorted by it, input otherwise",
    "Always input the caption"};
constexpr std::array<std::string_view, 10> kSortFields = {"Filename",    "Playtime",    "Bitrate [kbps]", "File size",
                                                          "Stereo mode", "Frequency",   "Date created",   "Path",
                                                          "Date added",  "Volume label"};
constexpr std::array<std::string_view, 3> kStartupLoads = {"Don't load anything (list is empty)",
                                                           "Load last saved list", "Load the list from:"};
// The size units, shown on an example size.
constexpr std::array<std::string_view, 5> kSizeStyles = {"5000", "5000 K", "5000K", "5000 Kb", "5000Kb"};
constexpr std::array<std::string_view, 3> kColorSchemes = {"Windows", "Light", "Dark"};
constexpr std::array<std::string_view, 4> kExistingEntries = {
    "Always add (don't examine) (fast)", "Add/update only if different", "Update existing entries (write new info)",
    "Skip existing entries (keep old info)"};
constexpr std::array<std::string_view, 3> kColorWindows = {"Main window", "Viewer", "Options window"};

constexpr std::size_t kMain = offsetof(AppOptions, Main);
constexpr std::size_t kPlaces = offsetof(AppOptions, Places);
constexpr std::size_t kDialog = offsetof(AppOptions, Dialog);

constexpr std::int64_t kI32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kI32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kText = sizeof(OptionString::Chars);
constexpr std::int64_t kColorText = sizeof(ColorString::Chars);

constexpr ConfigField Flag(std::string_view name, std::size_t offset) {
  return {name, offset, FieldKind::U8, 1, 0, 1, {}};
}
constexpr ConfigField Choice(std::string_view name, std::size_t offset, Items items) {
  return {name, offset, FieldKind::U8, 1, 0, static_cast<std::int64_t>(items.size()) - 1, items};
}
constexpr ConfigField Byte(std::string_view name, std::size_t offset, std::int64_t min = 0, std::int64_t max = 255) {
  return {name, offset, FieldKind::U8, 1, min, max, {}};
}
constexpr ConfigField Word(std::string_view name, std::size_t offset) {
  return {name, offset, FieldKind::U16, 1, 0, 65535, {}};
}
constexpr ConfigField Int(std::string_view name, std::size_t offset, std::int64_t min = kI32Min,
                          std::int64_t max = kI32Max) {
  return {name, offset, FieldKind::I32, 1, min, max, {}};
}
constexpr ConfigField Color(std::string_view name, std::size_t offset) {
  return {name, offset, FieldKind::Color, 1, 0, 0xFFFFFF, {}};
}
constexpr ConfigField Text(std::string_view name, std::size_t offset) {
  return {name, offset, FieldKind::Text, 1, 0, kText, {}};
}

constexpr std::array<ConfigField, 159> kFields = {{
    Flag("InfoTime", kMain + offsetof(MainOptions, InfoTime)),
    Flag("InfoKbps", kMain + offsetof(MainOptions, InfoKbps)),
    Flag("HeaderRowTabs", kMain + offsetof(MainOptions, HeaderRowTabs)),
    Flag("HeaderFromFile", kMain + offsetof(MainOptions, HeaderFromFile)),
    Flag("FooterFromFile", kMain + offsetof(MainOptions, FooterFromFile)),
    Flag("InfoFrequency", kMain + offsetof(MainOptions, InfoFrequency)),
    Flag("InfoSize", kMain + offsetof(MainOptions, InfoSize)),
    Flag("InfoDateCreated", kMain + offsetof(MainOptions, InfoDateCreated)),
    Flag("InfoVolumeLabel", kMain + offsetof(MainOptions, InfoVolumeLabel)),
    Flag("InfoPath", kMain + offsetof(MainOptions, InfoPath)),
    Flag("InfoStereo", kMain + offsetof(MainOptions, InfoStereo)),
    Flag("InfoDateAdded", kMain + offsetof(MainOptions, InfoDateAdded)),
    Flag("SortList", kMain + offsetof(MainOptions, SortList)),
    Flag("Enumerate", kMain + offsetof(MainOptions, Enumerate)),
    Flag("IncludeHiddenSystem", kMain + offsetof(MainOptions, IncludeHiddenSystem)),
    Choice("SlowProcessing", kMain + offsetof(MainOptions, SlowProcessing), kProcessing),
    Flag("UseTextColor", kMain + offsetof(MainOptions, UseTextColor)),
    Flag("CenterArtistTitle", kMain + offsetof(MainOptions, CenterArtistTitle)),
    Flag("SplitArtistTitle", kMain + offsetof(MainOptions, SplitArtistTitle)),
    Flag("UseBgColor", kMain + offsetof(MainOptions, UseBgColor)),
    Flag("SortDescending", kMain + offsetof(MainOptions, SortDescending)),
    Choice("StereoStyle", kMain + offsetof(MainOptions, StereoStyle), kStereoStyles),
    Flag("SortCaseSensitive", kMain + offsetof(MainOptions, SortCaseSensitive)),
    Flag("UseOwnHtmlTags", kMain + offsetof(MainOptions, UseOwnHtmlTags)),
    Flag("ViewerManualColWidth", kMain + offsetof(MainOptions, ViewerManualColWidth)),
    Flag("ViewerSplitArtistTitle", kMain + offsetof(MainOptions, ViewerSplitArtistTitle)),
    Flag("PlainHtmlStyled", kMain + offsetof(MainOptions, PlainHtmlStyled)),
    Choice("VbrStyle", kMain + offsetof(MainOptions, VbrStyle), kVbrStyles),
    Choice("DateStyle", kMain + offsetof(MainOptions, DateStyle), kDateStyles),
    Choice("ErrorInfoStyle", kMain + offsetof(MainOptions, ErrorInfoStyle), kErrorInfoStyles),
    Choice("ExportType", kMain + offsetof(MainOptions, ExportType), kExportTypes),
    Choice("ErrorAction", kMain + offsetof(MainOptions, ErrorAction), kErrorActions),
    Choice("Delimiter", kMain + offsetof(MainOptions, Delimiter), kDelimiters),
    Choice("CaptionMode", kMain + offsetof(MainOptions, CaptionMode), kCaptionModes),
    Choice("SortField", kMain + offsetof(MainOptions, SortField), kSortFields),
    Choice("StartupLoad", kMain + offsetof(MainOptions, StartupLoad), kStartupLoads),
    Choice("SizeStyle", kMain + offsetof(MainOptions, SizeStyle), kSizeStyles),
    Byte("PadFilenameTo", kMain + offsetof(MainOptions, PadFilenameTo), 0, 99),
    Choice("ViewerColorScheme", kMain + offsetof(MainOptions, ViewerColorScheme), kColorSchemes),
    Choice("ExistingEntries", kMain + offsetof(MainOptions, ExistingEntries), kExistingEntries),
    Word("AskSaveThreshold", kMain + offsetof(MainOptions, AskSaveThreshold)),
    Byte("CellSpacing", kMain + offsetof(MainOptions, CellSpacing), 0, 99),
    Byte("CellPadding", kMain + offsetof(MainOptions, CellPadding), 0, 99),
    Byte("Border", kMain + offsetof(MainOptions, Border), 0, 99),
    Flag("FadeMain", kMain + offsetof(MainOptions, FadeMain)),
    Flag("FadeViewer", kMain + offsetof(MainOptions, FadeViewer)),
    Flag("FadeOptions", kMain + offsetof(MainOptions, FadeOptions)),
    Int("MaxSizeMB", kMain + offsetof(MainOptions, MaxSizeMB), 10, 2048),
    Int("MinSizeKB", kMain + offsetof(MainOptions, MinSizeKB), 1, 2000),
    Color("TableBgColor", kMain + offsetof(MainOptions, TableBgColor)),
    Color("TableTextColor", kMain + offsetof(MainOptions, TableTextColor)),
    Color("MainWindowColor", kMain + offsetof(MainOptions, MainWindowColor)),
    Color("OptionsWindowColor", kMain + offsetof(MainOptions, OptionsWindowColor)),
    Color("ViewerWindowColor", kMain + offsetof(MainOptions, ViewerWindowColor)),
    {"ViewerColumnWidths",
     kMain + offsetof(MainOptions, ViewerColumnWidths),
     FieldKind::I32,
     kViewerColumnCount,
     0,
     kI32Max,
     {}},
    Text("TextHeaderFile", kMain + offsetof(MainOptions, TextHeaderFile)),
    Text("TextFooterFile", kMain + offsetof(MainOptions, TextFooterFile)),
    Text("HtmlHeaderFile", kMain + offsetof(MainOptions, HtmlHeaderFile)),
    Text("HtmlFooterFile", kMain + offsetof(MainOptions, HtmlFooterFile)),
    Text("StartupListFile", kMain + offsetof(MainOptions, StartupListFile)),
    Byte("ViewerFontSize", kMain + offsetof(MainOptions, ViewerFontSize), 4, 32),
    Byte("TableFontSize", kMain + offsetof(MainOptions, TableFontSize), 1, 255),
    Byte("CaptionFontSize", kMain + offsetof(MainOptions, CaptionFontSize), 1, 255),
    Byte("ViewerFontCharset", kMain + offsetof(MainOptions, ViewerFontCharset)),
    Byte("TableFontCharset", kMain + offsetof(MainOptions, TableFontCharset)),
    Byte("CaptionFontCharset", kMain + offsetof(MainOptions, CaptionFontCharset)),
    Text("ViewerFontName", kMain + offsetof(MainOptions, ViewerFontName)),
    Text("TableFontName", kMain + offsetof(MainOptions, TableFontName)),
    Text("CaptionFontName", kMain + offsetof(MainOptions, CaptionFontName)),
    Byte("ViewerFontStyle", kMain + offsetof(MainOptions, ViewerFontStyle), 0, 15),
    Byte("TableFontStyle", kMain + offsetof(MainOptions, TableFontStyle), 0, 15),
    Byte("CaptionFontStyle", kMain + offsetof(MainOptions, CaptionFontStyle), 0, 15),
    Int("MainLeft", kPlaces + offsetof(WindowPlaces, MainLeft)),
    Int("MainTop", kPlaces + offsetof(WindowPlaces, MainTop)),
    Int("OptionsLeft", kPlaces + offsetof(WindowPlaces, OptionsLeft)),
    Int("OptionsTop", kPlaces + offsetof(WindowPlaces, OptionsTop)),
    Int("AboutLeft", kPlaces + offsetof(WindowPlaces, AboutLeft)),
    Int("AboutTop", kPlaces + offsetof(WindowPlaces, AboutTop)),
    Int("ImportLeft", kPlaces + offsetof(WindowPlaces, ImportLeft)),
    Int("ImportTop", kPlaces + offsetof(WindowPlaces, ImportTop)),
    Int("DupSetupLeft", kPlaces + offsetof(WindowPlaces, DupSetupLeft)),
    Int("DupSetupTop", kPlaces + offsetof(WindowPlaces, DupSetupTop)),
    Int("ViewerWidth", kPlaces + offsetof(WindowPlaces, ViewerWidth), 0, kI32Max),
    Int("ViewerHeight", kPlaces + offsetof(WindowPlaces, ViewerHeight), 0, kI32Max),
    Int("DupRunLeft", kPlaces + offsetof(WindowPlaces, DupRunLeft)),
    Int("DupRunTop", kPlaces + offsetof(WindowPlaces, DupRunTop)),
    Int("CompRunLeft", kPlaces + offsetof(WindowPlaces, CompRunLeft)),
    Int("CompRunTop", kPlaces + offsetof(WindowPlaces, CompRunTop)),
    Int("CompSetupLeft", kPlaces + offsetof(WindowPlaces, CompSetupLeft)),
    Int("CompSetupTop", kPlaces + offsetof(WindowPlaces, CompSetupTop)),
    Int("ViewerLeft", kPlaces + offsetof(WindowPlaces, ViewerLeft)),
    Int("ViewerTop", kPlaces + offsetof(WindowPlaces, ViewerTop)),
    Int("SkipMsgLeft", kPlaces + offsetof(WindowPlaces, SkipMsgLeft)),
    Int("SkipMsgTop", kPlaces + offsetof(WindowPlaces, SkipMsgTop)),
    Int("CaptionLeft", kPlaces + offsetof(WindowPlaces, CaptionLeft)),
    Int("CaptionTop", kPlaces + offsetof(WindowPlaces, CaptionTop)),
    Int("InsertLeft", kPlaces + offsetof(WindowPlaces, InsertLeft)),
    Int("InsertTop", kPlaces + offsetof(WindowPlaces, InsertTop)),
    Int("LoadModeLeft", kPlaces + offsetof(WindowPlaces, LoadModeLeft)),
    Int("LoadModeTop", kPlaces + offsetof(WindowPlaces, LoadModeTop)),
    Int("FindLeft", kPlaces + offsetof(WindowPlaces, FindLeft)),
    Int("FindTop", kPlaces + offsetof(WindowPlaces, FindTop)),
    Byte("ImportDateStyleFallback", kDialog + offsetof(DialogOptions, ImportDateStyleFallback), 0, 1),
    Byte("ImportDateAddedFallback", kDialog + offsetof(DialogOptions, ImportDateAddedFallback), 0, 1),
    Byte("MatchPercent", kDialog + offsetof(DialogOptions, MatchPercent), 50, 100),
    Byte("MatchAction", kDialog + offsetof(DialogOptions, MatchAction), 0, 2),
    Byte("CompareAction", kDialog + offsetof(DialogOptions, CompareAction), 0, 9),
    Byte("CompareWith", kDialog + offsetof(DialogOptions, CompareWith), 0, 1),
    Byte("InsertPosition", kDialog + offsetof(DialogOptions, InsertPosition), 0, 3),
    Byte("EditPosition", kDialog + offsetof(DialogOptions, EditPosition), 2, 3),
    Byte("ImportFileType", kDialog + offsetof(DialogOptions, ImportFileType), 0, 1),
    Byte("AppendSort", kDialog + offsetof(DialogOptions, AppendSort), 0, 3),
    Byte("ThreadPriority", kDialog + offsetof(DialogOptions, ThreadPriority), 0, 2),
    Byte("ViewerTotalTimeStyle", kDialog + offsetof(DialogOptions, ViewerTotalTimeStyle), 0, 3),
    Choice("ColorWindowChoice", kDialog + offsetof(DialogOptions, ColorWindowChoice), kColorWindows),
    Flag("ImportCmf", kDialog + offsetof(DialogOptions, ImportCmf)),
    Flag("ImportClab", kDialog + offsetof(DialogOptions, ImportClab)),
    Flag("ImportStripHeaderFooter", kDialog + offsetof(DialogOptions, ImportStripHeaderFooter)),
    Flag("ImportImap", kDialog + offsetof(DialogOptions, ImportImap)),
    Flag("AllowUnspecified", kDialog + offsetof(DialogOptions, AllowUnspecified)),
    Flag("SizeMayDiffer", kDialog + offsetof(DialogOptions, SizeMayDiffer)),
    Flag("TimeMayDiffer", kDialog + offsetof(DialogOptions, TimeMayDiffer)),
    Flag("MatchHighChars", kDialog + offsetof(DialogOptions, MatchHighChars)),
    Flag("BitrateMustMatch", kDialog + offsetof(DialogOptions, BitrateMustMatch)),
    Flag("ViewerMaximized", kDialog + offsetof(DialogOptions, ViewerMaximized)),
    Flag("MircLines", kDialog + offsetof(DialogOptions, MircLines)),
    Flag("LoadAppend", kDialog + offsetof(DialogOptions, LoadAppend)),
    Flag("LoadModeDontShow", kDialog + offsetof(DialogOptions, LoadModeDontShow)),
    Flag("FindMatchCase", kDialog + offsetof(DialogOptions, FindMatchCase)),
    Flag("LetterCheck", kDialog + offsetof(DialogOptions, LetterCheck)),
    Flag("RememberCaption", kDialog + offsetof(DialogOptions, RememberCaption)),
    Flag("FilterInvertedColors", kDialog + offsetof(DialogOptions, FilterInvertedColors)),
    Flag("SearchAllDrives", kDialog + offsetof(DialogOptions, SearchAllDrives)),
    Flag("IncludeSubfolders", kDialog + offsetof(DialogOptions, IncludeSubfolders)),
    Flag("SkipFilterMsgDontShow", kDialog + offsetof(DialogOptions, SkipFilterMsgDontShow)),
    Word("SizeDiffKB", kDialog + offsetof(DialogOptions, SizeDiffKB)),
    Word("TimeDiffSec", kDialog + offsetof(DialogOptions, TimeDiffSec)),
    {"CustomColors",
     kDialog + offsetof(DialogOptions, CustomColors),
     FieldKind::ColorText,
     kCustomColorCount,
     0,
     kColorText,
     {}},
    Byte("MainFontSize", kDialog + offsetof(DialogOptions, MainFontSize), 4, 32),
    Byte("MainFontCharset", kDialog + offsetof(DialogOptions, MainFontCharset)),
    Text("MainFontName", kDialog + offsetof(DialogOptions, MainFontName)),
    Byte("MainFontStyle", kDialog + offsetof(DialogOptions, MainFontStyle), 0, 15),
    Text("LoadFolder", kDialog + offsetof(DialogOptions, LoadFolder)),
    Text("SaveFolder", kDialog + offsetof(DialogOptions, SaveFolder)),
    Text("ExportFolder", kDialog + offsetof(DialogOptions, ExportFolder)),
    Text("ImportFolder", kDialog + offsetof(DialogOptions, ImportFolder)),
    Text("DupLogFolder", kDialog + offsetof(DialogOptions, DupLogFolder)),
    Text("CompareSaveFolder", kDialog + offsetof(DialogOptions, CompareSaveFolder)),
    Text("CompareLoadFolder", kDialog + offsetof(DialogOptions, CompareLoadFolder)),
    Text("LastSavedList", kDialog + offsetof(DialogOptions, LastSavedList)),
    Text("InsertFolder", kDialog + offsetof(DialogOptions, InsertFolder)),
    Text("OptionsFolder", kDialog + offsetof(DialogOptions, OptionsFolder)),
    Text("LastCaption", kDialog + offsetof(DialogOptions, LastCaption)),
    Text("TextMsgFolder", kDialog + offsetof(DialogOptions, TextMsgFolder)),
    Text("HtmlMsgFolder", kDialog + offsetof(DialogOptions, HtmlMsgFolder)),
    Text("StartupListFolder", kDialog + offsetof(DialogOptions, StartupListFolder)),
    Text("LastScanFolder", kDialog + offsetof(DialogOptions, LastScanFolder)),
    Text("CompareListFile", kDialog + offsetof(DialogOptions, CompareListFile)),
    Text("CompareSaveFile", kDialog + offsetof(DialogOptions, CompareSaveFile)),
}};

constexpr std::size_t SizeOf(FieldKind kind) {
  switch (kind) {
    case FieldKind::U8: return 1;
    case FieldKind::U16: return 2;
    case FieldKind::I32:
    case FieldKind::Color: return 4;
    case FieldKind::Text: return sizeof(OptionString);
    case FieldKind::ColorText: return sizeof(ColorString);
  }
  return 0;
}

// Every byte of the file belongs to exactly one field, in file order.
constexpr bool FieldsCoverTheFile() {
  std::size_t next = 0;
  for (const ConfigField& field : kFields) {
    if (field.Offset != next) return false;
    next += SizeOf(field.Kind) * field.Count;
  }
  return next == kConfigFileSize;
}
static_assert(FieldsCoverTheFile());

std::size_t ElementOffset(FieldElement element) {
  return element.Field->Offset + element.Index * SizeOf(element.Field->Kind);
}

const std::uint8_t* BytesOf(const AppOptions& options) { return reinterpret_cast<const std::uint8_t*>(&options); }
std::uint8_t* BytesOf(AppOptions& options) { return reinterpret_cast<std::uint8_t*>(&options); }

std::uint32_t ReadLittleEndian(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

void WriteLittleEndian(std::uint8_t* bytes, std::size_t size, std::uint32_t value) {
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Stored strings may hold line breaks and other control characters; they are escaped as
// \xNN so that each field stays on its own line.
std::string DisplayText(const std::uint8_t* bytes, std::size_t capacity) {
  const std::size_t length = bytes[0] < capacity ? bytes[0] : capacity;
  const std::string decoded = DecodeForDisplay(std::string_view(reinterpret_cast<const char*>(bytes + 1), length));
  std::string shown;
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  for (char c : decoded) {
    const auto byte = static_cast<unsigned char>(c);
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
std::string ColorDigits(std::uint32_t value) {
  char digits[9];
  const int width = value > 0xFFFFFF ? 8 : 6;
  std::snprintf(digits, sizeof digits, "%0*X", width, static_cast<unsigned>(value));
  return digits;
}

std::optional<std::uint32_t> ParseHex(std::string_view text, std::size_t digits) {
  if (text.size() != digits) return std::nullopt;
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string RangeText(const ConfigField& field) {
  return std::to_string(field.Min) + " to " + std::to_string(field.Max);
}

}  // namespace

std::span<const ConfigField> ConfigFields() { return kFields; }

std::size_t ElementSize(FieldKind kind) { return SizeOf(kind); }

const ConfigField* FindConfigField(std::string_view name) {
  for (const ConfigField& field : kFields) {
    if (field.Name == name) return &field;
  }
  return nullptr;
}

std::vector<FieldElement> ElementsNamed(std::string_view name) {
  std::vector<FieldElement> elements;
  const std::size_t bracket = name.find('[');
  if (bracket == std::string_view::npos) {
    const ConfigField* field = FindConfigField(name);
    if (field == nullptr) return elements;
    for (std::size_t i = 0; i < field->Count; ++i) elements.push_back({field, i});
    return elements;
  }
  const ConfigField* field = FindConfigField(name.substr(0, bracket));
  if (field == nullptr || field->Count == 1 || name.back() != ']') return elements;
  const std::string_view digits = name.substr(bracket + 1, name.size() - bracket - 2);
  std::size_t index = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || index >= field->Count) {
    return elements;
  }
  elements.push_back({field, index});
  return elements;
}

std::string ElementName(FieldElement element) {
  std::string name(element.Field->Name);
  if (element.Field->Count > 1) name += '[' + std::to_string(element.Index) + ']';
  return name;
}

std::string ElementText(const AppOptions& options, FieldElement element) {
  const std::uint8_t* bytes = BytesOf(options) + ElementOffset(element);
  const FieldKind kind = element.Field->Kind;
  switch (kind) {
    case FieldKind::U8:
    case FieldKind::U16: return std::to_string(ReadLittleEndian(bytes, SizeOf(kind)));
    case FieldKind::I32: return std::to_string(static_cast<std::int32_t>(ReadLittleEndian(bytes, 4)));
    case FieldKind::Color: return ColorDigits(ReadLittleEndian(bytes, 4));
    case FieldKind::Text:
    case FieldKind::ColorText: return DisplayText(bytes, SizeOf(kind) - 1);
  }
  return {};
}

std::optional<std::int64_t> ParseFieldNumber(const ConfigField& field, std::string_view text) {
  if (text.empty() || text.size() > 11) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < field.Min || value > field.Max) return std::nullopt;
  return value;
}

Status SetElementText(AppOptions& options, FieldElement element, std::string_view value) {
  const ConfigField& field = *element.Field;
  std::uint8_t* bytes = BytesOf(options) + ElementOffset(element);
  switch (field.Kind) {
    case FieldKind::U8:
    case FieldKind::U16:
    case FieldKind::I32: {
      const std::optional<std::int64_t> number = ParseFieldNumber(field, value);
      if (!number) return Status::Invalid("expected a number from " + RangeText(field));
      WriteLittleEndian(bytes, SizeOf(field.Kind), static_cast<std::uint32_t>(*number));
      return Status::Ok();
    }
    case FieldKind::Color: {
      const std::optional<std::uint32_t> color = ParseHex(value, 6);
      if (!color) return Status::Invalid("not a colour of six hex digits BBGGRR");
      WriteLittleEndian(bytes, 4, *color);
      return Status::Ok();
    }
    case FieldKind::ColorText:
      if (!ParseHex(value, 8)) return Status::Invalid("not a colour of eight hex digits");
      break;
    case FieldKind::Text:
      if (value.size() > static_cast<std::size_t>(field.Max)) {
        return Status::Invalid("text longer than " + std::to_string(field.Max) + " bytes");
      }
      break;
  }
  // A text replaces the whole stored string, zeros behind its length included.
  const std::size_t capacity = SizeOf(field.Kind) - 1;
  std::memset(bytes, 0, capacity + 1);
  bytes[0] = static_cast<std::uint8_t>(value.size());
  std::memcpy(bytes + 1, value.data(), value.size());
  return Status::Ok();
}

}  // namespace ordonna
