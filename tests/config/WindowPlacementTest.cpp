// Where windows and dialogs open again: stored window positions are pulled onto the screen
// (the far edges first, then the near ones), and a remembered dialog folder is the folder of a
// chosen file, cut back to a whole folder name.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "config/RememberedFolder.h"
#include "config/WindowPlacement.h"

namespace ordonna {
namespace {

TEST(WindowPlacement, StoredPositionsArePulledInsideTheScreen) {
  // A 1920 x 1080 screen throughout: left, top, width, height, then where the window goes.
  const struct {
    const char* Name;
    std::int32_t Left, Top, Width, Height, ExpectedLeft, ExpectedTop;
  } cases[] = {
      {"touching the right and lower edges stays", 1636, 718, 284, 362, 1636, 718},
      {"one pixel beyond the right edge", 1637, 0, 284, 362, 1636, 0},
      {"one pixel above and left of the screen", -1, -1, 284, 362, 0, 0},
      {"wider and taller than the screen shows its top-left corner", 50, 60, 2500, 1200, 0, 0},
  };
  for (const auto& c : cases) {
    WindowPosition placed = PlaceWindow({c.Left, c.Top}, c.Width, c.Height, 1920, 1080);
    EXPECT_EQ(std::make_pair(placed.Left, placed.Top), std::make_pair(c.ExpectedLeft, c.ExpectedTop)) << c.Name;
  }
}

TEST(RememberedFolder, FolderOfAFileNameCutBackToWhatFits) {
  EXPECT_EQ(StoredFolderOf("/home/ann/lists/songs.ordl"), "/home/ann/lists");
  EXPECT_EQ(StoredFolderOf("/songs.ordl"), "/") << "a file in the root";
  // Long folders are cut back to their last separator that fits.
  const std::string a(200, 'a');
  const std::string b(53, 'b');  // "/" + a + "/" + b is exactly 255 bytes
  EXPECT_EQ(StoredFolder("/" + a + "/" + b), "/" + a + "/" + b) << "255 bytes fit unchanged";
  EXPECT_EQ(StoredFolder("/" + a + "/" + b + "c"), "/" + a) << "256 bytes go back to the parent";
  EXPECT_EQ(StoredFolder("/" + a + "/" + b + "/d"), "/" + a + "/" + b)
      << "a separator right behind the capacity leaves a prefix that fits";
  EXPECT_EQ(StoredFolder("/" + std::string(300, 'x')), "/") << "only the root fits";
  EXPECT_EQ(StoredFolder(std::string(300, 'x')), "") << "no separator within the capacity";
  EXPECT_EQ(StoredFolderOf("/" + a + "/" + b + "c/song.ordl"), "/" + a);
}

}  // namespace
}  // namespace ordonna
