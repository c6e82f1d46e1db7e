// Per-run temporary folders: what the host gives as TempFolder, removal at the end of a run
// and on signals, and the clearing of folders whose run has ended.
#include "platform/RunFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "platform/Platform.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

std::string RunFolderName(pid_t pid) { return "run." + std::to_string(pid); }

TEST(RunFolder, IsTheTemporaryFolderWhileItLivesAndGoesWithItsFiles) {
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
}

TEST(RunFolder, IsRemovedWhenASignalEndsTheProcess) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    TempDir base;
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RunFolder run(base.Path());
      WriteFileBytes(run.Path() + "/main.(file).tmp", "snapshot");
      WriteFileBytes(run.Path() + "/backup.(file).tmp", "snapshot");
      raise(signal);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "the signal still ends the run";
    EXPECT_FALSE(std::filesystem::exists(base.File(RunFolderName(child)))) << signal;
  }
}

TEST(RunFolder, FoldersOfEndedRunsAreRemovedOthersKept) {
  TempDir base;
  pid_t ended = fork();
  ASSERT_GE(ended, 0);
  if (ended == 0) _exit(0);
  ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
  for (const std::string& name :
       {RunFolderName(ended), RunFolderName(getpid()), std::string("run.x"), std::string("keep")}) {
    std::filesystem::create_directory(base.File(name));
    WriteFileBytes(base.File(name) + "/main.(file).tmp", "snapshot");
  }
  RemoveEndedRunFolders(base.Path());
  EXPECT_FALSE(std::filesystem::exists(base.File(RunFolderName(ended))));
  for (const std::string& name : {RunFolderName(getpid()), std::string("run.x"), std::string("keep")}) {
    EXPECT_TRUE(std::filesystem::exists(base.File(name))) << name;
  }
}

}  // namespace
}  // namespace ordonna
