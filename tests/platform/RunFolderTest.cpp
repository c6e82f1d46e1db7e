// What a run of the program keeps to itself: its temporary folder (the host's TempFolder while
// it lives, removed at the end and on signals, cleared once the run has ended) and the one copy
// per user, where the second finds the lock taken and hands its message to the first.
#include "platform/RunFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "platform/Platform.h"
#include "platform/SingleInstance.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

std::string RunFolderName(pid_t pid) { return "run." + std::to_string(pid); }

// Waits for `child`: true when it ended with status 0 (or by `signal`, when given).
bool Ended(pid_t child, int signal = 0) {
  int status = 0;
  return waitpid(child, &status, 0) == child && (signal != 0 ? WIFSIGNALED(status) && WTERMSIG(status) == signal
                                                             : WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(RunFolder, IsTheTemporaryFolderWhileItLivesAndGoesWithItsFilesAtTheEndOrOnASignal) {
  TempDir base;
  std::unique_ptr<Platform> host = MakeHostPlatform();
  const std::string shared = host->TempFolder();
  std::string path;
  {
    RunFolder run(base.Path());
    path = run.Path();
    EXPECT_EQ(path, base.File(RunFolderName(getpid())));
    EXPECT_EQ(host->TempFolder(), path);
    WriteFileBytes(path + "/main.(file).tmp", "snapshot");
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(host->TempFolder(), shared);

  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RunFolder run(base.Path());
      WriteFileBytes(run.Path() + "/main.(file).tmp", "snapshot");
      raise(signal);
      _exit(0);
    }
    EXPECT_TRUE(Ended(child, signal)) << "the signal still ends the run";
    EXPECT_FALSE(std::filesystem::exists(base.File(RunFolderName(child)))) << signal;
  }
}

TEST(RunFolder, FoldersOfEndedRunsAreRemovedOthersKept) {
  TempDir base;
  pid_t ended = fork();
  ASSERT_GE(ended, 0);
  if (ended == 0) _exit(0);
  ASSERT_TRUE(Ended(ended));
  const std::string kept[] = {RunFolderName(getpid()), "run.x", "keep"};
  for (const std::string& name : {RunFolderName(ended), kept[0], kept[1], kept[2]}) {
    std::filesystem::create_directory(base.File(name));
    WriteFileBytes(base.File(name) + "/main.(file).tmp", "snapshot");
  }
  RemoveEndedRunFolders(base.Path());
  EXPECT_FALSE(std::filesystem::exists(base.File(RunFolderName(ended))));
  for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(base.File(name))) << name;
}

TEST(SingleInstance, SecondCopyHandsItsFileToTheFirst) {
  TempDir dir;
  WriteFileBytes(dir.File("OrdonnaOne.sock"), "left behind by a crash");
  auto first = AcquireSingleInstance(dir.Path(), "OrdonnaOne");
  ASSERT_NE(first, nullptr);
  ASSERT_GE(first->ListenDescriptor(), 0) << "the stale socket is replaced";
  EXPECT_TRUE(first->TakeMessages().empty());
  // The lock belongs to the open file: another opening finds it taken.
  EXPECT_EQ(AcquireSingleInstance(dir.Path(), "OrdonnaOne"), nullptr);
  ASSERT_TRUE(SendToRunningInstance(dir.Path(), "OrdonnaOne", "/music/list one.ordl"));
  EXPECT_EQ(first->TakeMessages(), (std::vector<std::string>{"/music/list one.ordl"}));

  first.reset();
  EXPECT_FALSE(SendToRunningInstance(dir.Path(), "OrdonnaOne", "x")) << "nobody listens after the first quits";
  EXPECT_NE(AcquireSingleInstance(dir.Path(), "OrdonnaOne"), nullptr) << "the lock is free again";

  auto alone = AcquireSingleInstance(dir.File("missing"), "OrdonnaOne");
  ASSERT_NE(alone, nullptr) << "no lock file possible is not another copy running";
  EXPECT_EQ(alone->ListenDescriptor(), -1);
}

}  // namespace
}  // namespace ordonna
