// The host as the program meets it: per-user folders, the locale's date format, the MIME
// package and desktop entry for list files, and the nice values of worker threads.
#include "platform/Platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

#include "platform/FileTypeRegistration.h"
#include "platform/ThreadPriority.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;

// Sets an environment variable (unsets it for nullptr) for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value != nullptr ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
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

  ScopedEnv relative("XDG_CACHE_HOME", "relative/path");
  ScopedEnv userHome("HOME", dir.Path().c_str());
  EXPECT_EQ(platform->TempFolder(), dir.Path() + "/.cache/ordonna") << "a relative XDG path is ignored";
  EXPECT_EQ(platform->HomeFolder(), dir.Path());

  ScopedEnv all("LC_ALL", nullptr);
  ScopedEnv time("LC_TIME", "C");
  EXPECT_EQ(MakeHostPlatform()->ShortDateFormat(), "%m/%d/%y");
}

TEST(FileTypeRegistration, WritesOnceThenLeavesTheFilesAloneAndSaysHowFarAFailureGot) {
  TempDir dir;
  EXPECT_EQ(RegisterListFileType(dir.Path(), "/opt/My Apps/ordonna"), FileTypeResult::Registered);
  EXPECT_NE(ReadFileBytes(dir.File("mime/packages/ordonna-list.xml")).find("<glob pattern=\"*.ordl\"/>"),
            std::string::npos);
  std::string desktop = ReadFileBytes(dir.File("applications/ordonna.desktop"));
  EXPECT_NE(desktop.find("Exec=\"/opt/My Apps/ordonna\" %f\n"), std::string::npos) << desktop;
  EXPECT_EQ(RegisterListFileType(dir.Path(), "/opt/My Apps/ordonna"), FileTypeResult::Unchanged);
  EXPECT_EQ(RegisterListFileType(dir.Path(), "/usr/bin/a\"b$c\\d"), FileTypeResult::Registered);
  desktop = ReadFileBytes(dir.File("applications/ordonna.desktop"));
  EXPECT_NE(desktop.find("Exec=\"/usr/bin/a\\\\\"b\\\\$c\\\\\\\\d\" %f\n"), std::string::npos) << desktop;

  TempDir noMime, noApplications;
  testing::WriteFileBytes(noMime.File("mime"), "a file where a folder belongs");
  EXPECT_EQ(RegisterListFileType(noMime.Path(), "/usr/bin/ordonna"), FileTypeResult::CannotStart);
  EXPECT_FALSE(std::filesystem::exists(noMime.File("applications")));
  testing::WriteFileBytes(noApplications.File("applications"), "a file where a folder belongs");
  EXPECT_EQ(RegisterListFileType(noApplications.Path(), "/usr/bin/ordonna"), FileTypeResult::Incomplete);
}

TEST(ThreadPriority, OptionMappingAndEachThreadsOwnNiceValue) {
  using enum ThreadPriorityLevel;
  EXPECT_EQ((std::vector{ThreadPriorityOf(0), ThreadPriorityOf(2), ThreadPriorityOf(7)}),
            (std::vector{Low, High, Normal}));
  const int before = CurrentThreadNice();
  int low = 0, high = 0;
  ThreadPriorityLevel highInForce = Low;
  std::thread([&] {
    EXPECT_EQ(SetCurrentThreadPriority(Low), Low);
    low = CurrentThreadNice();
  }).join();
  std::thread([&] {
    highInForce = SetCurrentThreadPriority(High);
    high = CurrentThreadNice();
  }).join();
  EXPECT_EQ(low, std::min(before + 10, 19));
  EXPECT_EQ(CurrentThreadNice(), before) << "the calling thread is unchanged";
  // Without the privilege to raise priority the worker runs at normal priority.
  EXPECT_EQ(high, before + (highInForce == High ? -5 : 0));
  EXPECT_NE(highInForce, Low);
}

}  // namespace
}  // namespace ordonna
