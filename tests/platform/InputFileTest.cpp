// Reading named files: only a regular file opens, and everything else fails at once with the
// name and the reason, a FIFO without a writer included; when two names are one file.
#include "platform/InputFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

TEST(InputFile, OnlyARegularFileOpensAndOthersFailAtOnceSayingWhy) {
  TempDir dir;
  WriteFileBytes(dir.File("list.ordl"), "content");
  std::filesystem::create_symlink("list.ordl", dir.File("link.ordl"));
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  const std::string device = testing::NullDeviceIn(dir);

  const std::pair<std::string, std::string> cases[] = {
      {dir.File("list.ordl"), ""},
      {dir.File("link.ordl"), ""},
      {dir.File("missing"), " (No such file or directory)"},
      {dir.Path(), " (Is a directory)"},
      {dir.File("pipe"), " (not a regular file)"},  // would wait for a writer if opened blocking
      {device, " (not a regular file)"},
  };
  for (const auto& [path, reason] : cases) {
    InputFile file;
    Status status = file.Open(path);
    if (reason.empty()) {
      ASSERT_TRUE(status.ok()) << path;
      char bytes[16] = {};
      std::size_t got = 0;
      ASSERT_TRUE(file.ReadAt(2, bytes, sizeof bytes, got).ok());
      EXPECT_EQ(std::string(bytes, got), "ntent") << "a read past the end is short, not an error";
      EXPECT_EQ(file.Size(), 7u);
    } else {
      EXPECT_EQ(status.ToString(), "Cannot open file: " + path + reason);
    }
  }
}

TEST(FileSystem, SameFileMeansTheSameDeviceAndInodeAfterLinks) {
  TempDir dir;
  WriteFileBytes(dir.File("a"), "a");
  WriteFileBytes(dir.File("b"), "a");
  std::filesystem::create_symlink(dir.File("a"), dir.File("soft"));
  std::filesystem::create_hard_link(dir.File("a"), dir.File("hard"));
  EXPECT_TRUE(IsSameFile(dir.File("a"), dir.File("a")));
  EXPECT_TRUE(IsSameFile(dir.File("soft"), dir.File("a")));
  EXPECT_TRUE(IsSameFile(dir.File("a"), dir.Path() + "/./hard"));
  EXPECT_FALSE(IsSameFile(dir.File("a"), dir.File("b"))) << "equal content is not the same file";
  EXPECT_FALSE(IsSameFile(dir.File("missing"), dir.File("missing")));
}

}  // namespace
}  // namespace ordonna
