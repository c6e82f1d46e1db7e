// Replacement of whole files: the target changes only on a successful commit.
#include "platform/AtomicFile.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

std::size_t FilesIn(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFile, ContentLargerThanTheBufferArrivesWhole) {
  TempDir dir;
  std::string expected;
  AtomicFile file;
  ASSERT_TRUE(file.Open(dir.File("list.ordl")).ok());
  for (int i = 0; i < 5000; ++i) {
    std::string piece = std::to_string(i) + std::string(500, static_cast<char>('a' + i % 26));
    expected += piece;
    ASSERT_TRUE(file.Write(piece.data(), piece.size()).ok());
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("list.ordl"))) << "nothing appears before the commit";
  ASSERT_TRUE(file.Commit().ok());
  EXPECT_EQ(ReadFileBytes(dir.File("list.ordl")), expected);
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFile, UncommittedOrDiscardedFileLeavesTheTargetAlone) {
  TempDir dir;
  WriteFileBytes(dir.File("list.ordl"), "old list");
  {
    AtomicFile file;
    ASSERT_TRUE(file.Open(dir.File("list.ordl")).ok());
    ASSERT_TRUE(file.Write("partial", 7).ok());
  }
  EXPECT_EQ(ReadFileBytes(dir.File("list.ordl")), "old list");
  EXPECT_EQ(FilesIn(dir.Path()), 1u) << "the temporary file is removed";

  AtomicFile file;
  ASSERT_TRUE(file.Open(dir.File("list.ordl")).ok());
  ASSERT_TRUE(file.Write("partial", 7).ok());
  file.Discard();
  EXPECT_FALSE(file.Commit().ok()) << "a discarded file cannot be committed";
  EXPECT_EQ(ReadFileBytes(dir.File("list.ordl")), "old list");
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFile, OpenInAMissingFolderFailsAndWritesFailToo) {
  TempDir dir;
  AtomicFile file;
  EXPECT_FALSE(file.Open(dir.File("missing/list.ordl")).ok());
  EXPECT_FALSE(file.Write("x", 1).ok());
  EXPECT_FALSE(file.Commit().ok());
}

}  // namespace
}  // namespace ordonna

namespace ordonna {
namespace {

TEST(AtomicFile, NewFileGetsTheUsualPermissions) {
  testing::TempDir dir;
  mode_t old = umask(027);
  Status status = ReplaceFileAtomically(dir.File("new.ordl"), "x", 1);
  umask(old);
  ASSERT_TRUE(status.ok());
  struct stat info {};
  ASSERT_EQ(stat(dir.File("new.ordl").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace ordonna
