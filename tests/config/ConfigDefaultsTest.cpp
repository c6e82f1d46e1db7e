// Factory defaults and window defaults, checked byte by byte at their file offsets.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>

#include "ImageBytes.h"
#include "config/ConfigFile.h"

namespace ordonna {
namespace {

using testing::ConfigImage;
using testing::ImageOf;

constexpr std::size_t kPlaces = 2189;
constexpr std::size_t kDialog = 2309;

FactoryContext FullHd() { return {1920, 1080, "/home/user/.config/ordonna"}; }

AppOptions FilledWith(std::uint8_t byte) {
  AppOptions options;
  std::memset(&options, byte, sizeof options);
  return options;
}

void PutNumber(ConfigImage& image, std::size_t offset, std::int64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutText(ConfigImage& image, std::size_t offset, std::string_view text) {
  image[offset] = static_cast<std::uint8_t>(text.size());
  std::memcpy(image.data() + offset + 1, text.data(), text.size());
}

// The factory image on a 1920 x 1080 screen; every byte not set here is zero.
ConfigImage ExpectedFactoryImage() {
  ConfigImage image{};
  // Flags, choices and numbers of the main block (colours are 0x00BBGGRR, low byte first).
  const std::tuple<std::size_t, std::int64_t, std::size_t> numbers[] = {
      {0, 1, 1},         {1, 1, 1},         {6, 1, 1},         {12, 1, 1},    {29, 1, 1},   {31, 1, 1},
      {36, 1, 1},        {40, 500, 2},      {44, 1, 1},        {48, 2048, 4}, {52, 10, 4},  {56, 0xF0F0F0, 4},
      {64, 0xBEDED5, 4}, {68, 0xBBD1D5, 4}, {72, 0xE0E0E0, 4}, {1412, 8, 1},  {1413, 8, 1}, {1414, 9, 1},
      {1415, 1, 1},      {1416, 1, 1},      {1417, 1, 1},      {2188, 1, 1}};
  for (const auto& [offset, value, width] : numbers) PutNumber(image, offset, value, width);
  for (std::size_t column = 0; column < 14; ++column) PutNumber(image, 76 + 4 * column, 64, 4);
  for (std::size_t offset : {std::size_t{1418}, std::size_t{1674}, std::size_t{1930}, kDialog + 183})
    PutText(image, offset, "Courier New");
  // Every window centred for its nominal size, by its offset in the block; the viewer's size
  // (offsets 40, 44) is stored as such.
  const std::tuple<std::size_t, std::int32_t, std::int32_t> places[] = {
      {0, 284, 362},  {8, 787, 549},  {16, 320, 314}, {24, 430, 557}, {32, 307, 415}, {48, 482, 307},  {56, 482, 307},
      {64, 307, 502}, {72, 700, 600}, {80, 256, 286}, {88, 313, 246}, {96, 301, 301}, {104, 227, 310}, {112, 217, 190}};
  for (const auto& [offset, width, height] : places) {
    PutNumber(image, kPlaces + offset, (1920 - width) / 2, 4);
    PutNumber(image, kPlaces + offset + 4, (1080 - height) / 2, 4);
  }
  PutNumber(image, kPlaces + 40, 700, 4);
  PutNumber(image, kPlaces + 44, 600, 4);
  // The dialog block's flags and choices, its custom colours and folders.
  const int dialogBytes[] = {0, 1, 99, 1, 0, 1, 2, 2, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                             1, 1, 1,  1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0};
  for (std::size_t i = 0; i < std::size(dialogBytes); ++i) PutNumber(image, kDialog + i, dialogBytes[i], 1);
  PutNumber(image, kDialog + 33, 500, 2);  // SizeDiffKB
  PutNumber(image, kDialog + 35, 30, 2);   // TimeDiffSec
  PutNumber(image, kDialog + 181, 10, 1);  // MainFontSize
  PutNumber(image, kDialog + 182, 1, 1);   // MainFontCharset
  const char* colors[] = {"00BEDED5", "00E0E0E0", "00BBD1D5", "00034654", "00045060", "00055A6C",
                          "00066478", "00076E84", "00087890", "0009829C", "000A8CA8", "000B96B4",
                          "000CA0C0", "000DAACC", "000EB4D8", "000FBEE4"};
  for (std::size_t i = 0; i < 16; ++i) PutText(image, kDialog + 37 + 9 * i, colors[i]);
  for (std::size_t offset : {440u, 696u, 952u, 1208u, 1464u, 1720u, 1976u, 2488u, 3256u, 3512u, 3768u, 4024u}) {
    PutText(image, kDialog + offset, "c:\\");
  }
  PutText(image, kDialog + 2744, "/home/user/.config/ordonna");
  return image;
}

TEST(ConfigDefaults, FactoryImageWhateverTheRecordHeld) {
  const ConfigImage expected = ExpectedFactoryImage();
  for (std::uint8_t fill : {0x00, 0xA5}) {
    AppOptions options = FilledWith(fill);
    SetFactoryDefaults(options, FullHd());
    const ConfigImage image = ImageOf(options);
    for (std::size_t offset = 0; offset < image.size(); ++offset) {
      ASSERT_EQ(image[offset], expected[offset]) << "file offset " << offset << " from a record of " << int{fill};
    }
  }
}

TEST(ConfigDefaults, SmallScreenAndLongOptionsFolder) {
  // On a screen smaller than the window the halves truncate toward zero, not downward; a
  // folder longer than a string is cut on a character boundary.
  AppOptions options{};
  SetFactoryDefaults(options, {283, 359, "/" + std::string(253, 'a') + "\xC3\xA9"});
  EXPECT_EQ(+options.Places.MainLeft, 0) << "283 - 284 = -1";
  EXPECT_EQ(+options.Places.MainTop, -1) << "359 - 362 = -3";
  EXPECT_EQ(+options.Places.ViewerLeft, -208) << "(283 - 700) / 2 = -208.5";
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
  const ConfigImage factory = ExpectedFactoryImage();
  AppOptions options = FilledWith(0x5A);
  SetWindowDefaults(options);
  const ConfigImage image = ImageOf(options);
  for (std::size_t offset = 0; offset < image.size(); ++offset) {
    ASSERT_EQ(image[offset], LeftAlone(offset) ? 0x5A : factory[offset]) << "file offset " << offset;
  }
}

TEST(ConfigDefaults, StoredDefaultFolderStandsForTheHomeFolder) {
  // Letter case is ignored; anything but the drive root itself is kept as stored.
  const std::pair<const char*, const char*> rows[] = {
      {"c:\\", "/home/user"}, {"C:\\", "/home/user"}, {"c:\\music", "c:\\music"}, {"c:", "c:"}, {"d:\\", "d:\\"}};
  for (const auto& [stored, resolved] : rows) EXPECT_EQ(ResolveDialogFolder(stored, "/home/user"), resolved) << stored;
}

}  // namespace
}  // namespace ordonna
