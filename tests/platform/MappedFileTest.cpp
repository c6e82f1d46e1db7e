// Mapped files: a file cut short while mapped reads as zeros and is reported, instead of
// ending the program with a bus error.
#include "platform/MappedFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <numeric>
#include <string>
#include <thread>

#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

std::uint64_t SumOf(std::span<const std::uint8_t> bytes) {
  return std::accumulate(bytes.begin(), bytes.end(), std::uint64_t{0});
}

TEST(MappedFile, MapsRegularFilesOnly) {
  TempDir dir;
  WriteFileBytes(dir.File("a.mp3"), "abc");
  WriteFileBytes(dir.File("empty.mp3"), "");
  {
    MappedFile file;
    ASSERT_TRUE(file.Open(dir.File("a.mp3")));
    EXPECT_EQ(std::string(file.Bytes().begin(), file.Bytes().end()), "abc");
    EXPECT_FALSE(file.Vanished());
  }
  {
    MappedFile file;
    ASSERT_TRUE(file.Open(dir.File("empty.mp3")));
    EXPECT_TRUE(file.Bytes().empty());
  }
  for (const std::string& path : {dir.Path(), dir.File("missing.mp3")}) {
    MappedFile file;
    EXPECT_FALSE(file.Open(path)) << path;
  }
}

TEST(MappedFile, AFileCutShortWhileMappedReadsAsZerosAndIsReported) {
  TempDir dir;
  const std::string path = dir.File("a.mp3");
  // Twice on one thread, and on another thread: the guard follows each thread's mapping.
  auto cutWhileMapped = [&] {
    WriteFileBytes(path, std::string(5 * 4096 + 100, '\x01'));
    MappedFile file;
    ASSERT_TRUE(file.Open(path));
    ASSERT_EQ(truncate(path.c_str(), 4096), 0);
    EXPECT_EQ(SumOf(file.Bytes()), 4096u) << "the first page is still there, the rest reads as zeros";
    EXPECT_TRUE(file.Vanished());
  };
  cutWhileMapped();
  cutWhileMapped();
  std::thread other(cutWhileMapped);
  other.join();

  WriteFileBytes(path, std::string(5 * 4096 + 100, '\x01'));
  MappedFile intact;
  ASSERT_TRUE(intact.Open(path));
  EXPECT_EQ(SumOf(intact.Bytes()), 5 * 4096u + 100);
  EXPECT_FALSE(intact.Vanished());
}

}  // namespace
}  // namespace ordonna
