// Per-user folders, the locale's date format and atomic file replacement on this host.
#include "platform/Platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    if (old != nullptr) old_ = old, hadOld_ = true;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (hadOld_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string old_;
  bool hadOld_ = false;
};

TEST(LinuxPlatform, OrdonnaHomeHoldsSettingsAndTemporaryFiles) {
  TempDir dir;
  ScopedEnv home("ORDONNA_HOME", (dir.Path() + "/a/b").c_str());
  auto platform = MakeHostPlatform();
  EXPECT_EQ(platform->ConfigFolder(), dir.Path() + "/a/b");
  EXPECT_EQ(platform->TempFolder(), dir.Path() + "/a/b");
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "/a/b")) << "created when missing";
}

TEST(LinuxPlatform, WithoutOrdonnaHomeTheXdgFoldersAreUsed) {
  TempDir dir;
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
}

TEST(LinuxPlatform, ShortDateFormatFollowsLcTime) {
  ScopedEnv all("LC_ALL", nullptr);
  ScopedEnv time("LC_TIME", "C");
  EXPECT_EQ(MakeHostPlatform()->ShortDateFormat(), "%m/%d/%y");
}

TEST(LinuxPlatform, ReplaceFileAtomicallyWritesWholeContent) {
  TempDir dir;
  std::string path = dir.File("ordonna.ini");
  WriteFileBytes(path, std::string(9000, 'o'));
  chmod(path.c_str(), 0640);
  ASSERT_TRUE(ReplaceFileAtomically(path, "new", 3).ok());
  EXPECT_EQ(ReadFileBytes(path), "new") << "an older, longer file is replaced whole";
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u) << "the replaced file keeps its permissions";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary left";
}

TEST(LinuxPlatform, FailedReplaceLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  // A folder where the file should be: the rename fails after the data was written.
  std::filesystem::create_directory(dir.File("target"));
  WriteFileBytes(dir.File("target/keep"), "kept");
  EXPECT_FALSE(ReplaceFileAtomically(dir.File("target"), "data", 4).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("target/keep")), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "temporary removed";

  EXPECT_FALSE(ReplaceFileAtomically(dir.File("missing/ordonna.ini"), "data", 4).ok());
}

}  // namespace
}  // namespace ordonna
