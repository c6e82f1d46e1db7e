// Reading named files: only a regular file opens, and everything else fails at once with the
// name and the reason, a FIFO without a writer included; when two names are one file; mapped
// files, where a file cut short while mapped reads as zeros and is reported, instead of ending
// the program with a bus error.
#include "platform/InputFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <numeric>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/MappedFile.h"
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
    if (!reason.empty()) {
      EXPECT_EQ(status.ToString(), "Cannot open file: " + path + reason);
      continue;
    }
    ASSERT_TRUE(status.ok()) << path;
    char bytes[16] = {};
    std::size_t got = 0;
    ASSERT_TRUE(file.ReadAt(2, bytes, sizeof bytes, got).ok());
    EXPECT_EQ(std::string(bytes, got), "ntent") << "a read past the end is short, not an error";
    EXPECT_EQ(file.Size(), 7u);
  }
}

TEST(FileSystem, SameFileMeansTheSameDeviceAndInodeAfterLinks) {
  TempDir dir;
  WriteFileBytes(dir.File("a"), "a");
  WriteFileBytes(dir.File("b"), "a");
  std::filesystem::create_symlink(dir.File("a"), dir.File("soft"));
  std::filesystem::create_hard_link(dir.File("a"), dir.File("hard"));
  EXPECT_TRUE(IsSameFile(dir.File("soft"), dir.File("a")));
  EXPECT_TRUE(IsSameFile(dir.File("a"), dir.Path() + "/./hard"));
  EXPECT_FALSE(IsSameFile(dir.File("a"), dir.File("b"))) << "equal content is not the same file";
  EXPECT_FALSE(IsSameFile(dir.File("missing"), dir.File("missing")));
}

std::uint64_t SumOf(std::span<const std::uint8_t> bytes) {
  return std::accumulate(bytes.begin(), bytes.end(), std::uint64_t{0});
}

TEST(MappedFile, MapsRegularFilesOnlyAndAFileCutShortReadsAsZerosAndIsReported) {
  TempDir dir;
  WriteFileBytes(dir.File("empty.mp3"), "");
  for (const std::string& path : {dir.Path(), dir.File("missing.mp3")}) EXPECT_FALSE(MappedFile().Open(path)) << path;
  MappedFile empty;
  ASSERT_TRUE(empty.Open(dir.File("empty.mp3")));
  EXPECT_TRUE(empty.Bytes().empty());

  const std::string path = dir.File("a.mp3");
  // Twice on one thread, and on another thread: the guard follows each thread's mapping.
  auto cutWhileMapped = [&] {
    WriteFileBytes(path, std::string(5 * 4096 + 100, '\x01'));
    MappedFile file;
    ASSERT_TRUE(file.Open(path));
    EXPECT_EQ(SumOf(file.Bytes()), 5 * 4096u + 100);
    EXPECT_FALSE(file.Vanished());
    ASSERT_EQ(truncate(path.c_str(), 4096), 0);
    EXPECT_EQ(SumOf(file.Bytes()), 4096u) << "the first page is still there, the rest reads as zeros";
    EXPECT_TRUE(file.Vanished());
  };
  cutWhileMapped();
  cutWhileMapped();
  std::thread other(cutWhileMapped);
  other.join();
}

}  // namespace
}  // namespace ordonna
