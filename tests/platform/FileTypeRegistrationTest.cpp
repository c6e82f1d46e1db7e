// The MIME package and desktop entry for list files, written once and kept.
#include "platform/FileTypeRegistration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;

TEST(FileTypeRegistration, WritesOnceThenLeavesTheFilesAlone) {
  TempDir dir;
  EXPECT_EQ(RegisterListFileType(dir.Path(), "/opt/My Apps/ordonna"), FileTypeResult::Registered);
  std::string mime = ReadFileBytes(dir.File("mime/packages/ordonna-list.xml"));
  EXPECT_NE(mime.find("<glob pattern=\"*.ordl\"/>"), std::string::npos);
  EXPECT_NE(mime.find("value=\"\\x03Ord\""), std::string::npos) << "the first four bytes of every list";
  EXPECT_NE(mime.find("<comment>mp3 list</comment>"), std::string::npos);
  std::string desktop = ReadFileBytes(dir.File("applications/ordonna.desktop"));
  EXPECT_NE(desktop.find("Exec=\"/opt/My Apps/ordonna\" %f\n"), std::string::npos) << desktop;
  EXPECT_NE(desktop.find("MimeType=application/x-ordonna-list;\n"), std::string::npos);

  struct stat before {};
  ASSERT_EQ(stat(dir.File("applications/ordonna.desktop").c_str(), &before), 0);
  EXPECT_EQ(RegisterListFileType(dir.Path(), "/opt/My Apps/ordonna"), FileTypeResult::Unchanged);

  EXPECT_EQ(RegisterListFileType(dir.Path(), "/usr/bin/a\"b$c\\d"), FileTypeResult::Registered);
  desktop = ReadFileBytes(dir.File("applications/ordonna.desktop"));
  EXPECT_NE(desktop.find("Exec=\"/usr/bin/a\\\\\"b\\\\$c\\\\\\\\d\" %f\n"), std::string::npos) << desktop;
}

TEST(FileTypeRegistration, FailuresSayHowFarItGot) {
  TempDir dir;
  testing::WriteFileBytes(dir.File("mime"), "a file where a folder belongs");
  EXPECT_EQ(RegisterListFileType(dir.Path(), "/usr/bin/ordonna"), FileTypeResult::CannotStart);
  EXPECT_FALSE(std::filesystem::exists(dir.File("applications")));

  TempDir other;
  testing::WriteFileBytes(other.File("applications"), "a file where a folder belongs");
  EXPECT_EQ(RegisterListFileType(other.Path(), "/usr/bin/ordonna"), FileTypeResult::Incomplete);
}

}  // namespace
}  // namespace ordonna
