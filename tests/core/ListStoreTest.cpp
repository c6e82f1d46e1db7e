// Growth in steps, trimming and clearing of the working list, and the question before discarding it.
#include "core/ListStore.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/ScriptedCaller.h"

namespace ordonna {
namespace {

ListEntry Named(const std::string& name) {
  ListEntry entry = UndeterminedEntry();
  entry.FileName.Set(name);
  return entry;
}

TEST(ListStore, AppendGrowsInStepsOf1024AndTrimFitsTheCount) {
  EntryList list;
  EXPECT_EQ(list.Capacity(), 0u);
  list.AppendEntry(Named("0"));
  EXPECT_EQ(list.Capacity(), 1024u);
  for (int i = 1; i < 1025; ++i) list.AppendEntry(Named(std::to_string(i)));
  EXPECT_EQ(std::tuple(list.ItemCount(), list.Capacity()), std::tuple(1025u, 2048u));
  EXPECT_EQ(list.Entry(0).FileName.View(), "0") << "growing keeps the entries";

  list.Trim();
  EXPECT_EQ(list.Capacity(), 1025u);
  EXPECT_EQ(list.Entry(1024).FileName.View(), "1024");

  list.SetCapacity(10);
  EXPECT_EQ(list.ItemCount(), 10u) << "a shorter array drops the entries beyond it";
}

TEST(ListStore, ClearListEmptiesEverything) {
  ListStore store;
  store.AppendEntry(Named("a"));
  store.SetListFileName(std::string(300, 'x'));
  EXPECT_EQ(store.ListFileName().size(), 255u) << "the name is cut to 255 bytes";
  store.Unsaved = true;
  store.Secondary().AppendEntry(Named("b"));
  ClearList(store);
  EXPECT_EQ(std::tuple(store.ItemCount(), store.Working().Capacity(), store.ListFileName(), store.Unsaved),
            std::tuple(0u, 0u, "", false));
  EXPECT_EQ(store.Secondary().ItemCount(), 1u) << "the secondary list is scratch space of its own";
}

TEST(ListStore, DiscardingAsksOnlyForLargeEnoughUnsavedLists) {
  ListStore list;
  for (int i = 0; i < 499; ++i) list.AppendEntry(UndeterminedEntry());
  list.Unsaved = true;
  testing::ScriptedCaller quiet;
  EXPECT_TRUE(ConfirmDiscard(list, 500, quiet)) << "499 entries are below the threshold";
  EXPECT_TRUE(ConfirmDiscard(list, 0, quiet)) << "0 never asks";
  list.AppendEntry(UndeterminedEntry());
  list.Unsaved = false;
  EXPECT_TRUE(ConfirmDiscard(list, 500, quiet)) << "a saved list goes without asking";
  EXPECT_TRUE(quiet.asked.empty());

  list.Unsaved = true;
  testing::ScriptedCaller caller;
  caller.Expect("", Answer::No);
  caller.Expect("", Answer::Yes);
  EXPECT_FALSE(ConfirmDiscard(list, 500, caller));
  EXPECT_TRUE(ConfirmDiscard(list, 500, caller));
}

}  // namespace
}  // namespace ordonna
