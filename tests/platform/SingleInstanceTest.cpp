// One copy per user: the second finds the lock taken and hands its message to the first.
#include "platform/SingleInstance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TempDir.h"

namespace ordonna {
namespace {

TEST(SingleInstance, SecondCopyHandsItsFileToTheFirst) {
  testing::TempDir dir;
  auto first = AcquireSingleInstance(dir.Path(), "OrdonnaOne");
  ASSERT_NE(first, nullptr);
  ASSERT_GE(first->ListenDescriptor(), 0);
  EXPECT_TRUE(first->TakeMessages().empty());

  // The lock belongs to the open file, so a second process sees it taken.
  pid_t child = fork();
  if (child == 0) {
    bool refused = AcquireSingleInstance(dir.Path(), "OrdonnaOne") == nullptr;
    bool sent = SendToRunningInstance(dir.Path(), "OrdonnaOne", "/music/list one.ordl");
    _exit(refused && sent ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(first->TakeMessages(), (std::vector<std::string>{"/music/list one.ordl"}));
  ASSERT_TRUE(SendToRunningInstance(dir.Path(), "OrdonnaOne", ""));
  EXPECT_EQ(first->TakeMessages(), (std::vector<std::string>{""}));

  first.reset();
  EXPECT_FALSE(SendToRunningInstance(dir.Path(), "OrdonnaOne", "x")) << "nobody listens after the first quits";
  EXPECT_NE(AcquireSingleInstance(dir.Path(), "OrdonnaOne"), nullptr) << "the lock is free again";
}

TEST(SingleInstance, AStaleSocketOrAnUnusableFolderDoesNotStopTheProgram) {
  testing::TempDir dir;
  testing::WriteFileBytes(dir.File("OrdonnaOne.sock"), "left behind by a crash");
  auto instance = AcquireSingleInstance(dir.Path(), "OrdonnaOne");
  ASSERT_NE(instance, nullptr);
  EXPECT_GE(instance->ListenDescriptor(), 0) << "the stale socket is replaced";

  auto alone = AcquireSingleInstance(dir.File("missing"), "OrdonnaOne");
  ASSERT_NE(alone, nullptr) << "no lock file possible is not another copy running";
  EXPECT_EQ(alone->ListenDescriptor(), -1);
  EXPECT_TRUE(alone->TakeMessages().empty());
}

}  // namespace
}  // namespace ordonna
