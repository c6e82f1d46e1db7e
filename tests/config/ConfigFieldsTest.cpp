// The settings' field table: its names and sizes in file order against the record's layout,
// the text form of every field read back after setting it, and the checks of typed values.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "ImageBytes.h"
#include "config/ConfigFields.h"
#include "config/ConfigFile.h"

namespace ordonna {
namespace {

using testing::ImageOf;

// Every field in file order, with its size in bytes.
constexpr const char* kLayout = R"(
InfoTime 1 InfoKbps 1 HeaderRowTabs 1 HeaderFromFile 1 FooterFromFile 1 InfoFrequency 1 InfoSize 1
InfoDateCreated 1 InfoVolumeLabel 1 InfoPath 1 InfoStereo 1 InfoDateAdded 1 SortList 1 Enumerate 1
IncludeHiddenSystem 1 SlowProcessing 1 UseTextColor 1 CenterArtistTitle 1 SplitArtistTitle 1 UseBgColor 1
SortDescending 1 StereoStyle 1 SortCaseSensitive 1 UseOwnHtmlTags 1 ViewerManualColWidth 1
ViewerSplitArtistTitle 1 PlainHtmlStyled 1 VbrStyle 1 DateStyle 1 ErrorInfoStyle 1 ExportType 1 ErrorAction 1
Delimiter 1 CaptionMode 1 SortField 1 StartupLoad 1 SizeStyle 1 PadFilenameTo 1 ViewerColorScheme 1
ExistingEntries 1 AskSaveThreshold 2 CellSpacing 1 CellPadding 1 Border 1 FadeMain 1 FadeViewer 1 FadeOptions 1
MaxSizeMB 4 MinSizeKB 4 TableBgColor 4 TableTextColor 4 MainWindowColor 4 OptionsWindowColor 4
ViewerWindowColor 4 ViewerColumnWidths 56 TextHeaderFile 256 TextFooterFile 256 HtmlHeaderFile 256
HtmlFooterFile 256 StartupListFile 256 ViewerFontSize 1 TableFontSize 1 CaptionFontSize 1 ViewerFontCharset 1
TableFontCharset 1 CaptionFontCharset 1 ViewerFontName 256 TableFontName 256 CaptionFontName 256
ViewerFontStyle 1 TableFontStyle 1 CaptionFontStyle 1
MainLeft 4 MainTop 4 OptionsLeft 4 OptionsTop 4 AboutLeft 4 AboutTop 4 ImportLeft 4 ImportTop 4 DupSetupLeft 4
DupSetupTop 4 ViewerWidth 4 ViewerHeight 4 DupRunLeft 4 DupRunTop 4 CompRunLeft 4 CompRunTop 4 CompSetupLeft 4
CompSetupTop 4 ViewerLeft 4 ViewerTop 4 SkipMsgLeft 4 SkipMsgTop 4 CaptionLeft 4 CaptionTop 4 InsertLeft 4
InsertTop 4 LoadModeLeft 4 LoadModeTop 4 FindLeft 4 FindTop 4
ImportDateStyleFallback 1 ImportDateAddedFallback 1 MatchPercent 1 MatchAction 1 CompareAction 1 CompareWith 1
InsertPosition 1 EditPosition 1 ImportFileType 1 AppendSort 1 ThreadPriority 1 ViewerTotalTimeStyle 1
ColorWindowChoice 1 ImportCmf 1 ImportClab 1 ImportStripHeaderFooter 1 ImportImap 1 AllowUnspecified 1
SizeMayDiffer 1 TimeMayDiffer 1 MatchHighChars 1 BitrateMustMatch 1 ViewerMaximized 1 MircLines 1
LoadAppend 1 LoadModeDontShow 1 FindMatchCase 1 LetterCheck 1 RememberCaption 1 FilterInvertedColors 1
SearchAllDrives 1 IncludeSubfolders 1 SkipFilterMsgDontShow 1 SizeDiffKB 2 TimeDiffSec 2 CustomColors 144
MainFontSize 1 MainFontCharset 1 MainFontName 256 MainFontStyle 1 LoadFolder 256 SaveFolder 256
ExportFolder 256 ImportFolder 256 DupLogFolder 256 CompareSaveFolder 256 CompareLoadFolder 256
LastSavedList 256 InsertFolder 256 OptionsFolder 256 LastCaption 256 TextMsgFolder 256 HtmlMsgFolder 256
StartupListFolder 256 LastScanFolder 256 CompareListFile 256 CompareSaveFile 256
)";

AppOptions Factory() {
  AppOptions options{};
  SetFactoryDefaults(options, FactoryContext{1024, 768, "/opt/ordonna"});
  return options;
}

FieldElement Only(std::string_view name) {
  const std::vector<FieldElement> elements = ElementsNamed(name);
  EXPECT_EQ(elements.size(), 1u) << name;
  return elements.front();
}

// A valid value unlike the factory default, in the form "config show" prints.
std::string OtherValue(const AppOptions& options, FieldElement element) {
  const ConfigField& field = *element.Field;
  switch (field.Kind) {
    case FieldKind::Color: return ElementText(options, element) == "123456" ? "654321" : "123456";
    case FieldKind::Text: return "/some folder/" + std::string(field.Name);
    case FieldKind::ColorText: return "00ABCDE" + std::to_string(element.Index % 10);
    default: {
      const std::string max = std::to_string(field.Max);
      return ElementText(options, element) == max ? std::to_string(field.Min) : max;
    }
  }
}

TEST(ConfigFields, TableFollowsTheRecordFieldByFieldInFileOrder) {
  std::istringstream layout(kLayout);
  std::size_t offset = 0;
  std::size_t row = 0;
  std::string name;
  std::size_t size = 0;
  const std::span<const ConfigField> fields = ConfigFields();
  while (layout >> name >> size) {
    ASSERT_LT(row, fields.size()) << name;
    const ConfigField& field = fields[row++];
    EXPECT_EQ(field.Name, name);
    EXPECT_EQ(field.Offset, offset) << name;
    EXPECT_EQ(ElementSize(field.Kind) * field.Count, size) << name;
    offset += size;
    if (name == "CaptionFontStyle") {
      EXPECT_EQ(offset, 2189u) << "MainOptions ends here";
    }
    if (name == "FindTop") {
      EXPECT_EQ(offset, 2309u) << "WindowPlaces ends here";
    }
  }
  EXPECT_EQ(row, fields.size());
  EXPECT_EQ(offset, 7101u);
}

// Each element set through its text: read back alike, and only its own bytes changed.
TEST(ConfigFields, EveryFieldReadsBackWhatWasSetInItsOwnBytesOnly) {
  const AppOptions factory = Factory();
  for (const ConfigField& field : ConfigFields()) {
    for (std::size_t i = 0; i < field.Count; ++i) {
      const FieldElement element{&field, i};
      const std::string name = ElementName(element);
      ASSERT_EQ(ElementsNamed(name).size(), 1u) << name;
      AppOptions options = factory;
      const std::string value = OtherValue(options, element);
      ASSERT_TRUE(SetElementText(options, element, value).ok()) << name << "=" << value;
      EXPECT_EQ(ElementText(options, element), value) << name;
      const testing::ConfigImage before = ImageOf(factory);
      const testing::ConfigImage after = ImageOf(options);
      const std::size_t begin = field.Offset + i * ElementSize(field.Kind);
      for (std::size_t b = 0; b < before.size(); ++b) {
        if (b < begin || b >= begin + ElementSize(field.Kind)) {
          ASSERT_EQ(before[b], after[b]) << name << " changed byte " << b;
        }
      }
      EXPECT_NE(before, after) << name;
    }
  }
}

TEST(ConfigFields, TypedValuesAreCheckedAgainstTheirField) {
  // Valid 1, rejected 0.
  using Rows = std::vector<std::tuple<const char*, const char*, int>>;
  const Rows rows = {{"MaxSizeMB", "2048", 1},      {"MaxSizeMB", "2049", 0},
                     {"MaxSizeMB", "10", 1},        {"MaxSizeMB", "9", 0},
                     {"MinSizeKB", "0", 0},         {"MinSizeKB", "2000", 1},
                     {"PadFilenameTo", "99", 1},    {"PadFilenameTo", "100", 0},
                     {"CellSpacing", "100", 0},     {"Border", "", 0},
                     {"Border", "+1", 0},           {"Border", " 1", 0},
                     {"Border", "1x", 0},           {"ExportType", "3", 1},
                     {"ExportType", "4", 0},        {"SortField", "10", 0},
                     {"EditPosition", "1", 0},      {"MatchPercent", "49", 0},
                     {"MainLeft", "-40", 1},        {"ViewerWidth", "-1", 0},
                     {"TableBgColor", "F0F0F0", 1}, {"TableBgColor", "f0f0f0", 1},
                     {"TableBgColor", "F0F0F", 0},  {"TableBgColor", "00F0F0F0", 0},
                     {"TableBgColor", "GGGGGG", 0}, {"TextHeaderFile", "", 1}};
  const Rows longNames = {{"AskSaveThreshold", "0", 1},
                          {"AskSaveThreshold", "65535", 1},
                          {"AskSaveThreshold", "65536", 0},
                          {"CustomColors[0]", "00ABCDEF", 1},
                          {"CustomColors[0]", "ABCDEF", 0}};
  for (const Rows* table : {&rows, &longNames}) {
    for (const auto& [name, value, valid] : *table) {
      AppOptions options = Factory();
      const testing::ConfigImage before = ImageOf(options);
      const Status status = SetElementText(options, Only(name), value);
      EXPECT_EQ(status.ok(), valid == 1) << name << "=" << value << ": " << status.ToString();
      if (!valid) {
        EXPECT_EQ(ImageOf(options), before) << name << "=" << value;
      }
    }
  }
  // Texts up to 255 bytes; a shorter text leaves no bytes of the longer one behind.
  AppOptions options = Factory();
  const testing::ConfigImage before = ImageOf(options);
  EXPECT_FALSE(SetElementText(options, Only("TextHeaderFile"), std::string(256, 'a')).ok());
  EXPECT_EQ(ImageOf(options), before);
  ASSERT_TRUE(SetElementText(options, Only("TextHeaderFile"), std::string(255, 'a')).ok());
  ASSERT_TRUE(SetElementText(options, Only("TextHeaderFile"), "xy").ok());
  EXPECT_TRUE(testing::TailIsZero(ImageOf(options), 132));
}

TEST(ConfigFields, NamesOfArrayElements) {
  EXPECT_EQ(ElementsNamed("CustomColors").size(), 16u);
  EXPECT_EQ(ElementsNamed("ViewerColumnWidths").size(), 14u);
  for (const char* bad : {"CustomColors[16]", "CustomColors[]", "CustomColors[x]", "CustomColors[1", "InfoTime[0]",
                          "infotime", "", "Nothing"}) {
    EXPECT_TRUE(ElementsNamed(bad).empty()) << bad;
  }
}

}  // namespace
}  // namespace ordonna
