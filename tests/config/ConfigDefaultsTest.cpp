// Factory defaults and window defaults, checked byte by byte at their file offsets.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "ImageBytes.h"
#include "config/ConfigFile.h"

namespace ordonna {
namespace {

using testing::ConfigImage;
using testing::I32At;
using testing::ImageOf;
using testing::TailIsZero;
using testing::TextAt;
using testing::U16At;

constexpr std::size_t kPlaces = 2189;
constexpr std::size_t kDialog = 2309;

FactoryContext FullHd() {
  FactoryContext context;
  context.ScreenWidth = 1920;
  context.ScreenHeight = 1080;
  context.OptionsFolder = "/home/user/.config/ordonna";
  return context;
}

AppOptions FilledWith(std::uint8_t byte) {
  AppOptions options;
  std::memset(&options, byte, sizeof options);
  return options;
}

// The bytes of `image` from `offset` on.
std::vector<int> BytesAt(const ConfigImage& image, std::size_t offset, std::size_t count) {
  return std::vector<int>(image.begin() + static_cast<std::ptrdiff_t>(offset),
                          image.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

// The stored string at `offset`, or a marker when bytes behind its length are not zero.
std::string CleanTextAt(const ConfigImage& image, std::size_t offset) {
  return TailIsZero(image, offset) ? TextAt(image, offset) : "(dirty tail)";
}

ConfigImage FactoryImage() {
  AppOptions options{};
  SetFactoryDefaults(options, FullHd());
  return ImageOf(options);
}

TEST(ConfigDefaults, FactoryDefaultsOfTheMainBlockSitAtTheirFileOffsets) {
  ConfigImage image = FactoryImage();

  // Flags and choices of offsets 0-39: ones where the default is not zero.
  const std::set<std::size_t> ones = {0, 1, 6, 12, 29, 31, 36};
  for (std::size_t offset = 0; offset < 40; ++offset) {
    EXPECT_EQ(image[offset], ones.count(offset) ? 1 : 0) << "offset " << offset;
  }
  // AskSaveThreshold 500 (low byte first), CellSpacing, CellPadding, Border, fading off.
  EXPECT_EQ(BytesAt(image, 40, 8), (std::vector<int>{0xF4, 0x01, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(I32At(image, 48), 2048) << "MaxSizeMB";
  EXPECT_EQ(I32At(image, 52), 10) << "MinSizeKB";
  // Colours: red in the low byte, so BBGGRR BEDED5 is stored D5 DE BE 00.
  EXPECT_EQ(I32At(image, 56), 0xF0F0F0) << "TableBgColor";
  EXPECT_EQ(I32At(image, 60), 0) << "TableTextColor";
  EXPECT_EQ(BytesAt(image, 64, 4), (std::vector<int>{0xD5, 0xDE, 0xBE, 0x00})) << "MainWindowColor";
  EXPECT_EQ(I32At(image, 68), 0xBBD1D5) << "OptionsWindowColor";
  EXPECT_EQ(I32At(image, 72), 0xE0E0E0) << "ViewerWindowColor";
  for (std::size_t column = 0; column < 14; ++column) {
    EXPECT_EQ(I32At(image, 76 + 4 * column), 64) << "ViewerColumnWidths[" << column << "]";
  }
  for (std::size_t offset : {132u, 388u, 644u, 900u, 1156u}) EXPECT_EQ(CleanTextAt(image, offset), "") << offset;
  // Viewer, table and caption font sizes, then their character sets.
  EXPECT_EQ(BytesAt(image, 1412, 6), (std::vector<int>{8, 8, 9, 1, 1, 1}));
  for (std::size_t offset : {1418u, 1674u, 1930u}) EXPECT_EQ(CleanTextAt(image, offset), "Courier New") << offset;
  EXPECT_EQ(BytesAt(image, 2186, 3), (std::vector<int>{0, 0, 1})) << "font styles: only the caption's is bold";
}

TEST(ConfigDefaults, WindowsAreCentredForTheirNominalSizes) {
  ConfigImage image = FactoryImage();
  // Every place, by its offset in the block and its window's nominal size, centred on 1920 x
  // 1080; the viewer's size (offsets 40, 44) is stored as such.
  struct Place {
    std::size_t Offset;
    std::int32_t Width, Height;
  };
  const Place places[] = {{0, 284, 362},  {8, 787, 549},  {16, 320, 314},  {24, 430, 557}, {32, 307, 415},
                          {48, 482, 307}, {56, 482, 307}, {64, 307, 502},  {72, 700, 600}, {80, 256, 286},
                          {88, 313, 246}, {96, 301, 301}, {104, 227, 310}, {112, 217, 190}};
  for (const Place& p : places) {
    EXPECT_EQ(I32At(image, kPlaces + p.Offset), (1920 - p.Width) / 2) << "left at " << p.Offset;
    EXPECT_EQ(I32At(image, kPlaces + p.Offset + 4), (1080 - p.Height) / 2) << "top at " << p.Offset + 4;
  }
  EXPECT_EQ(I32At(image, kPlaces + 40), 700);
  EXPECT_EQ(I32At(image, kPlaces + 44), 600);

  // On a screen smaller than the window the halves truncate toward zero, not downward.
  AppOptions small{};
  FactoryContext context = FullHd();
  context.ScreenWidth = 283;   // 283 - 284 = -1 -> 0
  context.ScreenHeight = 359;  // 359 - 362 = -3 -> -1
  SetFactoryDefaults(small, context);
  EXPECT_EQ(+small.Places.MainLeft, 0);
  EXPECT_EQ(+small.Places.MainTop, -1);
  EXPECT_EQ(+small.Places.ViewerLeft, -208) << "(283 - 700) / 2 = -208.5";
}

TEST(ConfigDefaults, FactoryDefaultsOfTheDialogBlockSitAtTheirFileOffsets) {
  ConfigImage image = FactoryImage();
  EXPECT_EQ(BytesAt(image, kDialog, 33), (std::vector<int>{0, 1, 99, 1, 0, 1, 2, 2, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                                                           1, 1, 1,  1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0}));
  EXPECT_EQ(U16At(image, kDialog + 33), 500u) << "SizeDiffKB";
  EXPECT_EQ(U16At(image, kDialog + 35), 30u) << "TimeDiffSec";

  const std::pair<std::size_t, const char*> colors[] = {{0, "00BEDED5"}, {1, "00E0E0E0"}, {2, "00BBD1D5"},
                                                        {3, "00034654"}, {4, "00045060"}, {10, "000A8CA8"},
                                                        {15, "000FBEE4"}};
  for (const auto& [index, color] : colors) EXPECT_EQ(TextAt(image, kDialog + 37 + index * 9), color) << index;
  // MainFontSize and MainFontCharset, then the name and the style behind it.
  EXPECT_EQ(BytesAt(image, kDialog + 181, 2), (std::vector<int>{10, 1}));
  EXPECT_EQ(TextAt(image, kDialog + 183), "Courier New");
  EXPECT_EQ(image[kDialog + 439], 0) << "MainFontStyle";

  // Twelve folders hold "c:\" (three bytes: c, colon, backslash).
  for (std::size_t offset : {440u, 696u, 952u, 1208u, 1464u, 1720u, 1976u, 2488u, 3256u, 3512u, 3768u, 4024u}) {
    EXPECT_EQ(CleanTextAt(image, kDialog + offset), "c:\\") << "dialog offset " << offset;
  }
  EXPECT_EQ(TextAt(image, kDialog + 2744), "/home/user/.config/ordonna") << "OptionsFolder";
  for (std::size_t offset : {2232u, 3000u, 4280u, 4536u}) EXPECT_EQ(CleanTextAt(image, kDialog + offset), "") << offset;
}

TEST(ConfigDefaults, FactoryDefaultsDoNotDependOnWhatTheRecordHeld) {
  AppOptions fromZero = FilledWith(0x00), fromGarbage = FilledWith(0xA5);
  SetFactoryDefaults(fromZero, FullHd());
  SetFactoryDefaults(fromGarbage, FullHd());
  const ConfigImage zero = ImageOf(fromZero), garbage = ImageOf(fromGarbage);
  for (std::size_t offset = 0; offset < zero.size(); ++offset) {
    ASSERT_EQ(zero[offset], garbage[offset]) << "file offset " << offset << " is left as it was";
  }
}

TEST(ConfigDefaults, OptionsFolderLongerThanAStringIsCutOnACharacterBoundary) {
  FactoryContext context = FullHd();
  context.OptionsFolder = "/" + std::string(253, 'a') + "\xC3\xA9";  // 256 bytes, the last character 2 bytes
  AppOptions options{};
  SetFactoryDefaults(options, context);
  EXPECT_EQ(options.Dialog.OptionsFolder.View(), "/" + std::string(253, 'a'));
}

// Bytes that SetWindowDefaults must leave alone: the viewer's column-width mode, colour
// scheme, column widths and font in the main block, all window positions, and every dialog
// setting except the message and start-up list folders.
bool LeftAlone(std::size_t offset) {
  if (offset < kPlaces) {
    return offset == 24 || offset == 38 || (offset >= 76 && offset < 132) || offset == 1412 || offset == 1415 ||
           (offset >= 1418 && offset < 1674) || offset == 2186;
  }
  if (offset < kDialog) return true;
  return offset < kDialog + 3256 || offset >= kDialog + 4024;
}

TEST(ConfigDefaults, WindowDefaultsResetOnlyTheOptionsOfTheOptionsWindow) {
  ConfigImage factory = FactoryImage();
  AppOptions options = FilledWith(0x5A);
  SetWindowDefaults(options);
  ConfigImage image = ImageOf(options);
  for (std::size_t offset = 0; offset < image.size(); ++offset) {
    if (LeftAlone(offset)) {
      ASSERT_EQ(image[offset], 0x5A) << "file offset " << offset << " must be left alone";
    } else {
      ASSERT_EQ(image[offset], factory[offset]) << "file offset " << offset << " must get its default";
    }
  }
}

TEST(ConfigDefaults, StoredDefaultFolderStandsForTheHomeFolder) {
  // Letter case is ignored; anything but the drive root itself is kept as stored.
  const std::pair<const char*, const char*> rows[] = {{"c:\\", "/home/user"},
                                                      {"C:\\", "/home/user"},
                                                      {"c:\\music", "c:\\music"},
                                                      {"c:", "c:"},
                                                      {"d:\\", "d:\\"},
                                                      {"/srv/music", "/srv/music"},
                                                      {"", ""}};
  for (const auto& [stored, resolved] : rows) EXPECT_EQ(ResolveDialogFolder(stored, "/home/user"), resolved) << stored;
}

}  // namespace
}  // namespace ordonna
