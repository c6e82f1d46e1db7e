// Per-user folders and the locale's date format on this host.
#include "platform/Platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/TempDir.h"

namespace ordonna {
namespace {

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
}

TEST(LinuxPlatform, ShortDateFormatFollowsLcTime) {
  ScopedEnv all("LC_ALL", nullptr);
  ScopedEnv time("LC_TIME", "C");
  EXPECT_EQ(MakeHostPlatform()->ShortDateFormat(), "%m/%d/%y");
}

}  // namespace
}  // namespace ordonna
