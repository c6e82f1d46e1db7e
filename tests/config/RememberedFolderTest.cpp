// Remembered dialog folders: the folder of a chosen file, cut back to a whole folder name.
#include <gtest/gtest.h>

#include <string>

#include "config/RememberedFolder.h"

namespace ordonna {
namespace {

TEST(RememberedFolder, FolderOfAFileName) {
  EXPECT_EQ(StoredFolderOf("/home/ann/lists/songs.ordl"), "/home/ann/lists");
  EXPECT_EQ(StoredFolderOf("/songs.ordl"), "/") << "a file in the root";
  EXPECT_EQ(StoredFolderOf("songs.ordl"), "") << "no folder at all";
}

TEST(RememberedFolder, LongFoldersAreCutBackToTheirLastSeparatorThatFits) {
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
