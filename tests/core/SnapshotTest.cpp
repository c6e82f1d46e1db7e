// Snapshots: exact image, count check, and no harm from damaged ones.
#include "core/Snapshot.h"

#include <gtest/gtest.h>

#include <cstring>

namespace ordonna {
namespace {

EntryList ThreeEntries() {
  EntryList list;
  for (const char* name : {"one", "two", "three"}) {
    ListEntry entry = UndeterminedEntry();
    entry.FileName.Set(name);
    entry.Folder.Set("/music");
    entry.Frames = 1000;
    list.AppendEntry(entry);
  }
  return list;
}

TEST(Snapshot, ImageIsTheCountAndTheRecordsAndReadsBackWhole) {
  MemorySink empty;
  ASSERT_TRUE(WriteSnapshot(empty, {}).ok());
  MemoryInput emptyInput(empty.Bytes);
  EntryList read = ThreeEntries();
  EXPECT_TRUE(ReadSnapshot(emptyInput, 0, read).ok() && read.ItemCount() == 0) << "an empty list";
  EntryList list = ThreeEntries();
  MemorySink sink;
  ASSERT_TRUE(WriteSnapshot(sink, list.Entries()).ok());
  const std::string& bytes = sink.Bytes;
  ASSERT_EQ(bytes.size(), 4u + 3 * 564);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x03\0\0\0", 4));
  EXPECT_EQ(0, std::memcmp(bytes.data() + 4, list.Entries().data(), 3 * 564));
  MemoryInput input(bytes);
  ASSERT_TRUE(ReadSnapshot(input, 3, read).ok());
  ASSERT_EQ(read.ItemCount(), 3u);
  EXPECT_EQ(0, std::memcmp(read.Entries().data(), list.Entries().data(), 3 * 564));
}

TEST(Snapshot, DamagedImagesFailAndKeepTheList) {
  EntryList list = ThreeEntries();
  MemorySink sink;
  ASSERT_TRUE(WriteSnapshot(sink, list.Entries()).ok());
  const std::string bytes = sink.Bytes;
  EntryList target = ThreeEntries();
  target.Trim();
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
