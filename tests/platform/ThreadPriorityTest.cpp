// Worker priorities: nice values of one thread only, the option mapping, and the fallback of
// a refused high priority.
#include "platform/ThreadPriority.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace ordonna {
namespace {

TEST(ThreadPriority, OptionMapping) {
  using enum ThreadPriorityLevel;
  EXPECT_EQ((std::vector{ThreadPriorityOf(0), ThreadPriorityOf(1), ThreadPriorityOf(2), ThreadPriorityOf(7)}),
            (std::vector{Low, Normal, High, Normal}));
}

TEST(ThreadPriority, EachThreadHasItsOwnNiceValue) {
  const int before = CurrentThreadNice();
  int low = 0, high = 0;
  ThreadPriorityLevel highInForce = ThreadPriorityLevel::Low;
  std::thread([&] {
    EXPECT_EQ(SetCurrentThreadPriority(ThreadPriorityLevel::Low), ThreadPriorityLevel::Low);
    low = CurrentThreadNice();
  }).join();
  std::thread([&] {
    highInForce = SetCurrentThreadPriority(ThreadPriorityLevel::High);
    high = CurrentThreadNice();
  }).join();
  EXPECT_EQ(low, std::min(before + 10, 19));
  EXPECT_EQ(CurrentThreadNice(), before) << "the calling thread is unchanged";
  // Without the privilege to raise priority the worker runs at normal priority.
  if (highInForce == ThreadPriorityLevel::High) {
    EXPECT_EQ(high, before - 5);
  } else {
    EXPECT_EQ(highInForce, ThreadPriorityLevel::Normal);
    EXPECT_EQ(high, before);
  }
}

}  // namespace
}  // namespace ordonna
