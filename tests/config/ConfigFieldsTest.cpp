// The settings' field table: names and sizes in file order against the record's layout,
// the text form of every field read back after setting it, and the checks of typed values.
#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ConfigFields, TableFollowsTheRecordInFileOrder) {
  // A field of each kind and the ends of the three blocks: file offset and size in bytes.
  const std::tuple<const char*, std::size_t, std::size_t> rows[] = {
      {"AskSaveThreshold", 40, 2}, {"ViewerColumnWidths", 76, 56}, {"CaptionFontStyle", 2188, 1},
      {"MainLeft", 2189, 4},       {"CustomColors", 2346, 144},    {"CompareSaveFile", 6845, 256}};
  for (const auto& [name, offset, size] : rows) {
    const std::vector<FieldElement> elements = ElementsNamed(name);
    ASSERT_FALSE(elements.empty()) << name;
    EXPECT_EQ(elements.front().Field->Offset, offset) << name;
    EXPECT_EQ(ElementSize(elements.front().Field->Kind) * elements.size(), size) << name;
  }
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
  // A range from both sides, strict numbers, choices, signed and unsigned widths, colours and
  // colour texts; a rejected value leaves the record alone.
  const std::pair<const char*, bool> rows[] = {
      {"MaxSizeMB=2048 MainLeft=-40 AskSaveThreshold=65535 TableBgColor=f0f0f0 CustomColors[0]=00ABCDEF", true},
      {"MaxSizeMB=2049 MaxSizeMB=9 Border= Border=+1 Border=1x ExportType=4 ViewerWidth=-1 AskSaveThreshold=65536 "
       "TableBgColor=F0F0F TableBgColor=GGGGGG CustomColors[0]=ABCDEF",
       false}};
  for (const auto& [words, ok] : rows) {
    std::istringstream split(words);
    for (std::string row; split >> row;) {
      AppOptions options = Factory();
      const testing::ConfigImage before = ImageOf(options);
      const std::size_t equals = row.find('=');
      EXPECT_EQ(SetElementText(options, Only(row.substr(0, equals)), row.substr(equals + 1)).ok(), ok) << row;
      if (!ok) {
        EXPECT_EQ(ImageOf(options), before) << row;
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
  const testing::ConfigImage image = ImageOf(options);
  EXPECT_TRUE(std::all_of(&image[135], &image[388], [](std::uint8_t byte) { return byte == 0; }));
}

TEST(ConfigFields, NamesOfArrayElements) {
  for (const char* bad : {"CustomColors[16]", "CustomColors[x]", "CustomColors[1", "InfoTime[0]", "infotime"}) {
    EXPECT_TRUE(ElementsNamed(bad).empty()) << bad;
  }
}

}  // namespace
}  // namespace ordonna
