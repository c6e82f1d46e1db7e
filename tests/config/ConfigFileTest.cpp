// Reading, repairing and writing the configuration file: a valid image is built, then single
// bytes are broken and the file is cut, lengthened or made impossible to replace.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "ImageBytes.h"
#include "config/ConfigFile.h"
#include "config/ConfigMessages.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

ConfigImage ValidImage() {
  AppOptions options{};
  SetFactoryDefaults(options, {1024, 768, "/opt/ordonna"});
  return ImageOf(options);
}

std::string AsFileBytes(const ConfigImage& image) { return std::string(image.begin(), image.end()); }

AppOptions Sentinel() {
  AppOptions options;
  std::memset(&options, 0x77, sizeof options);
  return options;
}

struct Repair {
  std::size_t Offset;  // in the file
  std::int32_t Stored, Loaded;
};

// One row per repair rule: a masked choice (0xFF loads as the mask), a choice taken modulo its
// count (dialog 3, file offset 2312), a choice and a font size falling back from both sides, and
// a field without a rule (StartupLoad 35).
constexpr Repair kByteRepairs[] = {{27, 0xFF, 3}, {2312, 5, 2},   {32, 6, 0},     {32, 5, 5}, {1412, 3, 10},
                                   {1412, 4, 4},  {1412, 33, 10}, {1412, 32, 32}, {35, 7, 7}};
// Little-endian 32-bit numbers: MinSizeKB (52) and MaxSizeMB (48).
constexpr Repair kSizeRepairs[] = {{52, 0, 10},   {52, 2001, 10},   {52, 1, 1},  {52, 2000, 2000},
                                   {48, 9, 2048}, {48, 2049, 2048}, {48, 10, 10}};

TEST(ConfigLoad, OutOfRangeChoicesSizesAndFontSizesAreRepaired) {
  auto check = [](const Repair& repair, bool wide) {
    ConfigImage image = ValidImage();
    std::memcpy(&image[repair.Offset], &repair.Stored, wide ? 4 : 1);  // little-endian, as the file
    AppOptions options = Sentinel();
    ASSERT_TRUE(ParseConfiguration(image, options).ok());
    const ConfigImage loaded = ImageOf(options);
    EXPECT_EQ(wide ? I32At(loaded, repair.Offset) : loaded[repair.Offset], repair.Loaded)
        << "offset " << repair.Offset << " stored as " << repair.Stored;
  };
  for (const Repair& repair : kByteRepairs) check(repair, false);
  for (const Repair& repair : kSizeRepairs) check(repair, true);
}

TEST(ConfigLoad, FilesOfAnyOtherSizeAreRejectedAndLeaveTheRecordUnchanged) {
  testing::TempDir dir;
  std::string valid = AsFileBytes(ValidImage());
  const std::pair<std::string, const char*> cases[] = {{valid.substr(0, 7100), "7,100"}, {valid + '\0', "7,102"}};
  const ConfigImage before = ImageOf(Sentinel());
  for (const auto& [bytes, count] : cases) {
    MemoryInput source(bytes);
    AppOptions options = Sentinel();
    EXPECT_EQ(ReadConfigurationImage(source, options).ToString(),
              std::string("Not a valid configuration file: ") + count + " bytes; expected 7,101");
    EXPECT_EQ(ImageOf(options), before) << count;
    AppOptions parsed = Sentinel();
    EXPECT_FALSE(ParseConfiguration(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), parsed).ok()) << count;
    EXPECT_EQ(ImageOf(parsed), before) << count << " bytes in memory";
  }
  AppOptions options = Sentinel();
  EXPECT_FALSE(LoadConfiguration(dir.File("missing.ini"), options).ok());
  EXPECT_EQ(ImageOf(options), before) << "missing file";
}

TEST(ConfigWrite, WrittenFileIsTheRecordImageAndReadsBackUnchanged) {
  testing::TempDir dir;
  AppOptions options = OptionsOf(ValidImage());
  options.Main.AskSaveThreshold = 65535;
  options.Main.TextHeaderFile.Set("/music/lists/header \xE9t\xE9.txt");  // Windows-1252 bytes kept as they are
  options.Main.ViewerColumnWidths[13] = -1;
  options.Places.FindTop = -32768;
  options.Dialog.CustomColors[15].Set("00FFFFFF");
  options.Dialog.CompareSaveFile.Set(std::string(255, 'z'));
  options.Main.Delimiter = 9;  // out of range: loading repairs it, reading the image as stored does not

  ASSERT_TRUE(WriteConfiguration(dir.File("ordonna.ini"), options).ok());
  std::string file = testing::ReadFileBytes(dir.File("ordonna.ini"));
  ASSERT_EQ(file.size(), 7101u);
  EXPECT_EQ(file, AsFileBytes(ImageOf(options)));
  AppOptions loaded = Sentinel();
  ASSERT_TRUE(ReadConfigurationImage(dir.File("ordonna.ini"), loaded).ok());
  EXPECT_EQ(ImageOf(loaded), ImageOf(options));
  ASSERT_TRUE(LoadConfiguration(dir.File("ordonna.ini"), loaded).ok());
  options.Main.Delimiter = 0;
  EXPECT_EQ(ImageOf(loaded), ImageOf(options));
}

// Replacement itself is checked with the output file; here the failure from the configuration's name.
TEST(ConfigWrite, FailedWriteLeavesTheOldFileByteForByte) {
  testing::TempDir dir;
  const std::string old = "an older file that must survive";
  // The temporary file beside a 250-byte file name would need 261 bytes: creating it fails
  // with "file name too long", for every user including root.
  const std::string longName = dir.File(std::string(246, 'n') + ".ini");
  testing::WriteFileBytes(longName, old);
  EXPECT_FALSE(WriteConfiguration(longName, OptionsOf(ValidImage())).ok());
  EXPECT_EQ(testing::ReadFileBytes(longName), old);
  EXPECT_EQ(FilesIn(dir.Path()), 1u) << "no temporary left";
}

TEST(ConfigStrings, PaddingMakesEqualValuesCompareEqualByteForByte) {
  MainOptions a = OptionsOf(ValidImage()).Main;
  a.TextHeaderFile.Set("head.txt");
  a.HtmlFooterFile.Set(std::string(255, 'f'));  // full: nothing behind it to clear
  MainOptions b = a;
  // The same values with leftovers behind the lengths, as an older, longer value leaves them.
  std::memcpy(b.TextHeaderFile.Chars + 8, " and more", 9);
  std::memset(b.StartupListFile.Chars, '?', sizeof b.StartupListFile.Chars);  // empty, but dirty
  PadStrings(a);
  PadStrings(b);
  EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
  EXPECT_EQ(b.TextHeaderFile.View(), "head.txt");
  EXPECT_EQ(b.HtmlFooterFile.View(), std::string(255, 'f'));
}

TEST(ConfigMessages, TextsAreTheProgramsOwn) {
  using enum ConfigMessage;
  EXPECT_EQ(ConfigMessageText(WriteFailed), "Disk error writing configuration file");
}

}  // namespace
}  // namespace ordonna
