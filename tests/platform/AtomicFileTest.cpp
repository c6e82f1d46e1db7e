// Replacement of whole files: the target changes only on a successful commit, a replaced
// target keeps its permissions, and no temporary file is left behind either way.
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

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
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

TEST(AtomicFile, ReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask) {
  TempDir dir;
  const std::string path = dir.File("ordonna.ini");
  WriteFileBytes(path, std::string(9000, 'o'));
  chmod(path.c_str(), 0640);
  const mode_t old = umask(077);
  Status replaced = ReplaceFileAtomically(path, "new", 3);
  umask(027);
  Status created = ReplaceFileAtomically(dir.File("new.ordl"), "x", 1);
  umask(old);
  ASSERT_TRUE(replaced.ok() && created.ok());
  EXPECT_EQ(ReadFileBytes(path), "new") << "an older, longer file is replaced whole";
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(ModeOf(dir.File("new.ordl")), 0640u);
  EXPECT_EQ(FilesIn(dir.Path()), 2u) << "no temporary left";
}

TEST(AtomicFile, EveryFailureLeavesTheTargetAndNoTemporary) {
  TempDir dir;
  WriteFileBytes(dir.File("list.ordl"), "old list");
  {
    AtomicFile file;
    ASSERT_TRUE(file.Open(dir.File("list.ordl")).ok());
    ASSERT_TRUE(file.Write("partial", 7).ok());
  }
  // The old content and the number of files in the folder: no temporary is left.
  auto state = [&] { return ReadFileBytes(dir.File("list.ordl")) + "|" + std::to_string(FilesIn(dir.Path())); };
  EXPECT_EQ(state(), "old list|1") << "never committed";

  AtomicFile file;
  ASSERT_TRUE(file.Open(dir.File("list.ordl")).ok());
  ASSERT_TRUE(file.Write("partial", 7).ok());
  file.Discard();
  EXPECT_FALSE(file.Commit().ok()) << "a discarded file cannot be committed";
  EXPECT_EQ(state(), "old list|1");

  // A folder where the file should be: the rename fails after the data was written.
  std::filesystem::create_directory(dir.File("target"));
  WriteFileBytes(dir.File("target/keep"), "kept");
  EXPECT_FALSE(ReplaceFileAtomically(dir.File("target"), "data", 4).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("target/keep")), "kept");
  EXPECT_EQ(FilesIn(dir.Path()), 2u) << "temporary removed";

  AtomicFile missing;
  EXPECT_FALSE(missing.Open(dir.File("missing/list.ordl")).ok());
  EXPECT_FALSE(missing.Write("x", 1).ok());
  EXPECT_FALSE(missing.Commit().ok());
}

}  // namespace
}  // namespace ordonna
