// The list record's layout on disk, identity and play time, the working list's growth, trimming and
// clearing, the question before discarding it, and its snapshots (exact image, count check, no
// harm from damaged ones).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "core/ListEntry.h"
#include "core/ListStore.h"
#include "core/Snapshot.h"
#include "support/ScriptedCaller.h"

namespace ordonna {
namespace {

TEST(ListEntry, ImageHasTheStoredLayout) {
  ListEntry entry{};
  entry.FileName.Set("Song");
  entry.Folder.Set("/music");
  entry.VolumeLabel.Set("LIST");
  entry.BitrateCode = 9, entry.SizeKB = 0x01020304, entry.Frames = -1, entry.StereoMode = 1, entry.FrequencyCode = 2;
  entry.FileDate = 38082, entry.DateAdded = 0x7FFFFFFF;

  // Length-prefixed strings of 255, 255 and 32 bytes, then the numbers little-endian without gaps.
  std::string expected(564, '\0');
  expected.replace(0, 5, "\x04Song");
  expected.replace(256, 7, "\x06/music");
  expected.replace(512, 5, "\x04LIST");
  expected.replace(545, 13, "\x09\x04\x03\x02\x01\xFF\xFF\xFF\xFF\x01\x02\xC2\x94");
  expected.replace(560, 4, "\xFF\xFF\xFF\x7F");
  ASSERT_EQ(sizeof entry, 564u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&entry), sizeof entry), expected);
}

TEST(ListEntry, PlayTimeRoundsHalvesToEven) {
  // 4.5 s goes to the even neighbour; an unknown frequency counts as 44.1 kHz.
  const std::tuple<std::int32_t, std::uint8_t, std::int64_t> cases[] = {
      {1000, 2, 36}, {1000, 1, 24}, {1000, 200, 26}, {125, 2, 4}, {262143, 1, 6291}};
  ListEntry entry = UndeterminedEntry();
  for (const auto& [frames, code, seconds] : cases) {
    entry.Frames = frames;
    entry.FrequencyCode = code;
    EXPECT_EQ(PlayTimeSeconds(entry), seconds) << frames << " frames, code " << int(code);
  }
}

ListEntry Named(const std::string& name) {
  ListEntry entry = UndeterminedEntry();
  entry.FileName.Set(name);
  return entry;
}

TEST(ListStore, AppendGrowsInStepsOf1024AndTrimFitsTheCount) {
  EntryList list;
  for (int i = 0; i < 1025; ++i) list.AppendEntry(Named(std::to_string(i)));
  EXPECT_EQ(list.Entry(0).FileName.View(), "0") << "growing keeps the entries";

  list.Trim();
  EXPECT_EQ(list.Capacity(), 1025u);
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

TEST(Snapshot, ImageIsTheCountAndTheRecordsAndDamagedOnesKeepTheList) {
  EntryList list;
  for (const char* name : {"one", "two", "three"}) list.AppendEntry(Named(name));
  MemorySink sink;
  ASSERT_TRUE(WriteSnapshot(sink, list.Entries()).ok());
  const std::string bytes = sink.Bytes;
  ASSERT_EQ(bytes.size(), 4u + 3 * 564);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x03\0\0\0", 4));
  EntryList target = list;
  target.Trim();
  target.Entry(0).FileName.Set("x");
  MemoryInput image(bytes);
  ASSERT_TRUE(ReadSnapshot(image, 3, target).ok());
  EXPECT_EQ(0, std::memcmp(target.Entries().data(), list.Entries().data(), 3 * 564));
  MemoryInput whole(bytes);
  EXPECT_EQ(ReadSnapshot(whole, 2, target).code(), Status::Code::Mismatch);
  EXPECT_EQ(target.ItemCount(), 3u);

  for (std::size_t length = 0; length <= bytes.size(); ++length) {
    const std::string damaged = length < bytes.size() ? bytes.substr(0, length) : bytes + "x";
    MemoryInput input(damaged);
    EXPECT_FALSE(ReadSnapshot(input, 3, target).ok()) << "length " << length;
    EXPECT_EQ(target.ItemCount(), 3u);
  }
  MemoryInput huge(std::string_view("\xFF\xFF\xFF\xFF", 4));
  EXPECT_EQ(ReadSnapshot(huge, 0xFFFFFFFF, target).code(), Status::Code::Corrupt)
      << "a huge claimed count is not allocated";
}

}  // namespace
}  // namespace ordonna
