// The host as the program meets it: per-user folders; and what a run keeps to itself: its
// temporary folder (the host's TempFolder while it lives, removed at the end and on signals,
// cleared once the run has ended) and the one copy per user, where a second finds the lock
// taken and hands its message to the first.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/Platform.h"
#include "platform/RunFolder.h"
#include "platform/SingleInstance.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

// Sets an environment variable (unsets it for nullptr) for the lifetime of the object.
struct ScopedEnv {
  ScopedEnv(const char* name, const char* value) : Name(name) {
    if (const char* old = std::getenv(name)) Old = old;
    value != nullptr ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { Old ? setenv(Name, Old->c_str(), 1) : unsetenv(Name); }
  const char* Name;
  std::optional<std::string> Old;
};

TEST(LinuxPlatform, OrdonnaHomeOrElseTheXdgFoldersHoldSettingsAndTemporaryFiles) {
  TempDir dir;
  {
    ScopedEnv home("ORDONNA_HOME", (dir.Path() + "/a/b").c_str());
    auto platform = MakeHostPlatform();
    EXPECT_EQ(platform->ConfigFolder(), dir.Path() + "/a/b");
    EXPECT_EQ(platform->TempFolder(), dir.Path() + "/a/b");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "/a/b")) << "created when missing";
  }
  ScopedEnv noHome("ORDONNA_HOME", nullptr);
  ScopedEnv config("XDG_CONFIG_HOME", (dir.Path() + "/config").c_str());
  ScopedEnv cache("XDG_CACHE_HOME", (dir.Path() + "/cache").c_str());
  auto platform = MakeHostPlatform();
  EXPECT_EQ(platform->ConfigFolder(), dir.Path() + "/config/ordonna");
  EXPECT_EQ(platform->TempFolder(), dir.Path() + "/cache/ordonna");
  struct stat info {};
  ASSERT_EQ(stat((dir.Path() + "/cache/ordonna").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u) << "temporary lists are private to the user";
}

std::string RunFolderName(pid_t pid) { return "run." + std::to_string(pid); }

// Waits for `child`: true when `signal` ended it.
bool Ended(pid_t child, int signal) {
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFSIGNALED(status) && WTERMSIG(status) == signal;
}

TEST(RunFolder, IsTheTemporaryFolderWhileItLivesGoesAtTheEndOrOnASignalAndOnceTheRunHasEnded) {
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

  pid_t child = 0;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    child = fork();
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

  // A folder left by a run that has ended goes; this run's and other folders stay.
  const std::string kept[] = {RunFolderName(getpid()), "run.x", "keep"};
  for (const std::string& name : {RunFolderName(child), kept[0], kept[1], kept[2]}) {
    std::filesystem::create_directory(base.File(name));
    WriteFileBytes(base.File(name) + "/main.(file).tmp", "snapshot");
  }
  RemoveEndedRunFolders(base.Path());
  EXPECT_FALSE(std::filesystem::exists(base.File(RunFolderName(child))));
  for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(base.File(name))) << name;
}

TEST(SingleInstance, SecondCopyHandsItsFileToTheFirst) {
  TempDir dir;
  WriteFileBytes(dir.File("OrdonnaOne.sock"), "left behind by a crash");
  auto first = AcquireSingleInstance(dir.Path(), "OrdonnaOne");
  ASSERT_NE(first, nullptr);
  ASSERT_GE(first->ListenDescriptor(), 0) << "the stale socket is replaced";
  // The lock belongs to the open file: another opening finds it taken.
  EXPECT_EQ(AcquireSingleInstance(dir.Path(), "OrdonnaOne"), nullptr);
  ASSERT_TRUE(SendToRunningInstance(dir.Path(), "OrdonnaOne", "/music/list one.ordl"));
  EXPECT_EQ(first->TakeMessages(), (std::vector<std::string>{"/music/list one.ordl"}));

  first.reset();
  EXPECT_FALSE(SendToRunningInstance(dir.Path(), "OrdonnaOne", "x")) << "nobody listens after the first quits";
  EXPECT_NE(AcquireSingleInstance(dir.Path(), "OrdonnaOne"), nullptr) << "the lock is free again";
}

}  // namespace
}  // namespace ordonna
