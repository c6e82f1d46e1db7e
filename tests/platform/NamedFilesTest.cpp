// Named files. Reading: what fails to open says why, and a FIFO without a writer fails at once;
// when two names are one file; mapped files, where a file cut short while mapped reads as zeros
// and is reported instead of ending the program with a bus error. Writing: a file changes only on a successful commit,
// keeps its permissions and leaves no temporary behind; links are followed to their final target.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/InputFile.h"
#include "platform/MappedFile.h"
#include "platform/OutputFile.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::FilesIn;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

TEST(InputFile, AMissingFileOrAFifoFailsAtOnceSayingWhy) {
  TempDir dir;
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_EQ(InputFile().Open(dir.File("missing")).ToString(),
            "Cannot open file: " + dir.File("missing") + " (No such file or directory)");
  // A FIFO would wait for a writer if opened blocking.
  EXPECT_EQ(InputFile().Open(dir.File("pipe")).ToString(),
            "Cannot open file: " + dir.File("pipe") + " (not a regular file)");
}

std::size_t OnesIn(std::span<const std::uint8_t> bytes) { return std::count(bytes.begin(), bytes.end(), 1); }

TEST(MappedFile, AFileCutShortWhileMappedReadsAsZerosAndIsReported) {
  TempDir dir;
  const std::string path = dir.File("a.mp3");
  // Twice on one thread, and on another thread: the guard follows each thread's mapping.
  auto cutWhileMapped = [&] {
    WriteFileBytes(path, std::string(5 * 4096 + 100, '\x01'));
    MappedFile file;
    ASSERT_TRUE(file.Open(path));
    EXPECT_EQ(OnesIn(file.Bytes()), 5 * 4096u + 100);
    EXPECT_FALSE(file.Vanished());
    ASSERT_EQ(truncate(path.c_str(), 4096), 0);
    EXPECT_EQ(OnesIn(file.Bytes()), 4096u) << "the first page is still there, the rest reads as zeros";
    EXPECT_TRUE(file.Vanished());
  };
  cutWhileMapped();
  cutWhileMapped();
  std::thread other(cutWhileMapped);
  other.join();
}

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

TEST(OutputFile, ReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmaskOrIsOwnerOnly) {
  TempDir dir;
  const std::string path = dir.File("ordonna.ini");
  WriteFileBytes(path, std::string(9000, 'o'));
  chmod(path.c_str(), 0640);
  const mode_t old = umask(077);
  Status replaced = WriteWholeFile(path, "new");
  umask(027);
  Status created = WriteWholeFile(dir.File("new.ordl"), "x");
  Status snapshot = WriteFileWith(
      dir.File("main.tmp"), [](OutputSink& sink) { return sink.Write("s"); }, OutputFile::Use::Temporary);
  umask(old);
  ASSERT_TRUE(replaced.ok() && created.ok() && snapshot.ok());
  EXPECT_EQ(ReadFileBytes(path), "new") << "an older, longer file is replaced whole";
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(ModeOf(dir.File("new.ordl")), 0640u);
  EXPECT_EQ(ModeOf(dir.File("main.tmp")), 0600u);
  EXPECT_EQ(FilesIn(dir.Path()), 3u) << "no temporary left";
}

TEST(OutputFile, OnlyACommitChangesTheTargetAndNoTemporaryIsLeft) {
  TempDir dir;
  WriteFileBytes(dir.File("list.ordl"), "old list");
  // The old content and the number of files in the folder: no temporary is left.
  auto state = [&] { return ReadFileBytes(dir.File("list.ordl")) + "|" + std::to_string(FilesIn(dir.Path())); };
  for (bool discarded : {false, true}) {
    OutputFile file;
    ASSERT_TRUE(file.Open(dir.File("list.ordl")).ok());
    ASSERT_TRUE(file.Write("partial").ok());
    if (discarded) {
      file.Discard();
      EXPECT_FALSE(file.Commit().ok()) << "a discarded file cannot be committed";
    }
  }
  EXPECT_EQ(state(), "old list|1") << "never committed, or discarded";
  EXPECT_FALSE(WriteFileWith(dir.File("list.ordl"), [](OutputSink& sink) {
                 (void)sink.Write("partial");
                 return Status::IoError("Cannot write file");
               }).ok());
  EXPECT_EQ(state(), "old list|1") << "a writer's failure is not committed";

  OutputFile missing;
  EXPECT_FALSE(missing.Open(dir.File("missing/list.ordl")).ok());
  EXPECT_FALSE(missing.Commit().ok());
  EXPECT_FALSE(WriteWholeFile("/dev/full", std::string(1 << 16, 'x')).ok()) << "a full disk is a write failure";

  // Content larger than the buffer arrives whole on the commit, and not before.
  std::string expected;
  OutputFile file;
  ASSERT_TRUE(file.Open(dir.File("list.ordl")).ok());
  for (int i = 0; i < 5000; ++i) {
    std::string piece = std::to_string(i) + std::string(500, static_cast<char>('a' + i % 26));
    expected += piece;
    ASSERT_TRUE(file.Write(piece).ok());
  }
  EXPECT_EQ(state(), "old list|2") << "the temporary only";
  ASSERT_TRUE(file.Commit().ok());
  EXPECT_EQ(ReadFileBytes(dir.File("list.ordl")), expected);
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

// A chain of links and a dangling link write their final target in its own folder; links and
// hard links are the same file as their target, a copy is not.
TEST(OutputFile, LinksAreFollowedToTheirFinalTargetAndAreTheSameFile) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("lists"));
  WriteFileBytes(dir.File("lists/real.ordl"), "old");
  std::filesystem::create_symlink("lists/real.ordl", dir.File("link.ordl"));
  std::filesystem::create_symlink("link.ordl", dir.File("chain.ordl"));
  std::filesystem::create_symlink("lists/new.ordl", dir.File("dangling.ordl"));
  const std::pair<std::string, std::string> cases[] = {{"chain.ordl", "lists/real.ordl"},
                                                       {"dangling.ordl", "lists/new.ordl"}};
  for (const auto& [name, target] : cases) {
    EXPECT_TRUE(WriteWholeFile(dir.File(name), "new " + name).ok()) << name;
    EXPECT_EQ(ReadFileBytes(dir.File(target)), "new " + name);
  }
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ordl"))) << "the link stays a link";
  EXPECT_EQ(FilesIn(dir.File("lists")), 2u) << "no temporary left beside the targets";
  std::filesystem::create_hard_link(dir.File("lists/real.ordl"), dir.File("hard.ordl"));
  std::filesystem::copy_file(dir.File("lists/real.ordl"), dir.File("copy.ordl"));
  EXPECT_TRUE(IsSameFile(dir.File("chain.ordl"), dir.File("lists/real.ordl")));
  EXPECT_TRUE(IsSameFile(dir.File("hard.ordl"), dir.Path() + "/./lists/real.ordl"));
  EXPECT_FALSE(IsSameFile(dir.File("copy.ordl"), dir.File("lists/real.ordl"))) << "equal content is not the same file";
}

}  // namespace
}  // namespace ordonna
