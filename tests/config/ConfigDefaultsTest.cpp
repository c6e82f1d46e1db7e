// Factory and window defaults, one field of each kind checked at its file offset.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "ImageBytes.h"
#include "config/ConfigFile.h"

namespace ordonna {
namespace {

using namespace testing;

constexpr std::size_t kPlaces = 2189;
constexpr std::size_t kDialog = 2309;

AppOptions FilledWith(std::uint8_t byte) {
  AppOptions options;
  std::memset(&options, byte, sizeof options);
  return options;
}

std::string TextAt(const ConfigImage& image, std::size_t offset) {
  return {reinterpret_cast<const char*>(&image[offset + 1]), image[offset]};
}

ConfigImage FactoryImage(std::uint8_t fill) {
  AppOptions options = FilledWith(fill);
  SetFactoryDefaults(options, {1920, 1080, "/home/user/.config/ordonna"});
  return ImageOf(options);
}

TEST(ConfigDefaults, FactoryImageWhateverTheRecordHeld) {
  const ConfigImage image = FactoryImage(0x00);
  ASSERT_EQ(image, FactoryImage(0xA5)) << "every byte is set, string tails included";
  // A two-byte number of the main block, a centred window, and the dialog folders.
  EXPECT_EQ(image[40] | image[41] << 8, 500);
  EXPECT_EQ(I32At(image, kPlaces), (1920 - 284) / 2);
  EXPECT_EQ(TextAt(image, kDialog + 4024), "c:\\");
  EXPECT_EQ(TextAt(image, kDialog + 2744), "/home/user/.config/ordonna");
}

TEST(ConfigDefaults, LongOptionsFolderIsCutOnACharacterBoundary) {
  // A folder longer than a string is cut on a character boundary.
  AppOptions options{};
  SetFactoryDefaults(options, {283, 359, "/" + std::string(253, 'a') + "\xC3\xA9"});
  EXPECT_EQ(options.Dialog.OptionsFolder.View(), "/" + std::string(253, 'a'));
}

TEST(ConfigDefaults, WindowDefaultsResetOnlyTheOptionsOfTheOptionsWindow) {
  const ConfigImage factory = FactoryImage(0x00);
  AppOptions options = FilledWith(0x5A);
  SetWindowDefaults(options);
  const ConfigImage image = ImageOf(options);
  for (std::size_t offset = 0; offset < image.size(); ++offset) {
    ASSERT_TRUE(image[offset] == 0x5A || image[offset] == factory[offset]) << "file offset " << offset;
  }
  // Left alone: the viewer's column-width mode and font size, the window places, a dialog folder.
  const std::size_t alone[] = {24, 1412, kPlaces, kDialog + 4024}, reset[] = {0, 40, 1413, kDialog + 3256};
  for (std::size_t offset : alone) EXPECT_EQ(image[offset], 0x5A) << "file offset " << offset;
  for (std::size_t offset : reset) EXPECT_EQ(image[offset], factory[offset]) << "file offset " << offset;
}

TEST(ConfigDefaults, StoredDefaultFolderStandsForTheHomeFolder) {
  // Letter case is ignored; anything but the drive root itself is kept as stored.
  const std::pair<const char*, const char*> rows[] = {{"C:\\", "/home/user"}, {"c:\\music", "c:\\music"}, {"c:", "c:"}};
  for (const auto& [stored, resolved] : rows) EXPECT_EQ(ResolveDialogFolder(stored, "/home/user"), resolved) << stored;
}

}  // namespace
}  // namespace ordonna
