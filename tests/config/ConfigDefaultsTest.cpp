// Factory defaults and window defaults, checked byte by byte at their file offsets.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "config/ConfigFile.h"
#include "ImageBytes.h"

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
  for (std::size_t offset : {132u, 388u, 644u, 900u, 1156u}) {
    EXPECT_EQ(image[offset], 0) << "file name at " << offset << " is empty";
    EXPECT_TRUE(TailIsZero(image, offset)) << "file name at " << offset;
  }
  // Viewer, table and caption font sizes, then their character sets.
  EXPECT_EQ(BytesAt(image, 1412, 6), (std::vector<int>{8, 8, 9, 1, 1, 1}));
  for (std::size_t offset : {1418u, 1674u, 1930u}) {
    EXPECT_EQ(image[offset], 11) << "font name length at " << offset;
    EXPECT_EQ(TextAt(image, offset), "Courier New") << "font name at " << offset;
    EXPECT_TRUE(TailIsZero(image, offset)) << "font name at " << offset;
  }
  EXPECT_EQ(BytesAt(image, 2186, 3), (std::vector<int>{0, 0, 1})) << "font styles: only the caption's is bold";
}

TEST(ConfigDefaults, WindowsAreCentredForTheirNominalSizes) {
  ConfigImage image = FactoryImage();
  EXPECT_EQ(I32At(image, kPlaces + 0), 818) << "MainLeft (1920 - 284) / 2";
  EXPECT_EQ(I32At(image, kPlaces + 4), 359) << "MainTop (1080 - 362) / 2";
  EXPECT_EQ(I32At(image, kPlaces + 8), 566) << "OptionsLeft (1920 - 787) / 2";
  EXPECT_EQ(I32At(image, kPlaces + 12), 265) << "OptionsTop (1080 - 549) / 2";
  EXPECT_EQ(I32At(image, kPlaces + 40), 700) << "ViewerWidth";
  EXPECT_EQ(I32At(image, kPlaces + 44), 600) << "ViewerHeight";
  EXPECT_EQ(I32At(image, kPlaces + 64), 806) << "CompSetupLeft (1920 - 307) / 2";
  EXPECT_EQ(I32At(image, kPlaces + 68), 289) << "CompSetupTop (1080 - 502) / 2";
  EXPECT_EQ(I32At(image, kPlaces + 72), 610) << "ViewerLeft";
  EXPECT_EQ(I32At(image, kPlaces + 76), 240) << "ViewerTop";
  EXPECT_EQ(I32At(image, kPlaces + 112), 851) << "FindLeft (1920 - 217) / 2";
  EXPECT_EQ(I32At(image, kPlaces + 116), 445) << "FindTop (1080 - 190) / 2";

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
                                                          1, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0}));
  EXPECT_EQ(U16At(image, kDialog + 33), 500u) << "SizeDiffKB";
  EXPECT_EQ(U16At(image, kDialog + 35), 30u) << "TimeDiffSec";

  constexpr std::size_t kColors = kDialog + 37;
  EXPECT_EQ(TextAt(image, kColors + 0 * 9), "00BEDED5");
  EXPECT_EQ(TextAt(image, kColors + 1 * 9), "00E0E0E0");
  EXPECT_EQ(TextAt(image, kColors + 2 * 9), "00BBD1D5");
  EXPECT_EQ(TextAt(image, kColors + 3 * 9), "00034654");
  EXPECT_EQ(TextAt(image, kColors + 4 * 9), "00045060");
  EXPECT_EQ(TextAt(image, kColors + 10 * 9), "000A8CA8");
  EXPECT_EQ(TextAt(image, kColors + 15 * 9), "000FBEE4");

  EXPECT_EQ(image[kDialog + 181], 10) << "MainFontSize";
  EXPECT_EQ(image[kDialog + 182], 1) << "MainFontCharset";
  EXPECT_EQ(TextAt(image, kDialog + 183), "Courier New");
  EXPECT_EQ(image[kDialog + 439], 0) << "MainFontStyle";

  // Twelve folders hold "c:\" (three bytes: c, colon, backslash).
  for (std::size_t offset : {440u, 696u, 952u, 1208u, 1464u, 1720u, 1976u, 2488u, 3256u, 3512u, 3768u, 4024u}) {
    EXPECT_EQ(image[kDialog + offset], 3) << "folder at dialog offset " << offset;
    EXPECT_EQ(TextAt(image, kDialog + offset), "c:\\") << "folder at dialog offset " << offset;
    EXPECT_TRUE(TailIsZero(image, kDialog + offset)) << "folder at dialog offset " << offset;
  }
  EXPECT_EQ(TextAt(image, kDialog + 2744), "/home/user/.config/ordonna") << "OptionsFolder";
  for (std::size_t offset : {2232u, 3000u, 4280u, 4536u}) {
    EXPECT_EQ(image[kDialog + offset], 0) << "empty name at dialog offset " << offset;
    EXPECT_TRUE(TailIsZero(image, kDialog + offset)) << "empty name at dialog offset " << offset;
  }
}

TEST(ConfigDefaults, FactoryDefaultsDoNotDependOnWhatTheRecordHeld) {
  AppOptions fromZero = FilledWith(0x00);
  AppOptions fromGarbage = FilledWith(0xA5);
  SetFactoryDefaults(fromZero, FullHd());
  SetFactoryDefaults(fromGarbage, FullHd());
  ConfigImage zero = ImageOf(fromZero);
  ConfigImage garbage = ImageOf(fromGarbage);
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
  const std::string home = "/home/user";
  EXPECT_EQ(ResolveDialogFolder("c:\\", home), home);
  EXPECT_EQ(ResolveDialogFolder("C:\\", home), home) << "letter case is ignored";
  EXPECT_EQ(ResolveDialogFolder("c:\\music", home), "c:\\music");
  EXPECT_EQ(ResolveDialogFolder("c:", home), "c:");
  EXPECT_EQ(ResolveDialogFolder("d:\\", home), "d:\\");
  EXPECT_EQ(ResolveDialogFolder("/srv/music", home), "/srv/music");
  EXPECT_EQ(ResolveDialogFolder("", home), "");
}

}  // namespace
}  // namespace ordonna
