// Snapshot files: exact image, count check, and no harm from damaged files.
#include "core/Snapshot.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/OutputFile.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

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
  TempDir dir;
  ASSERT_TRUE(WriteSnapshot(dir.File("empty"), {}).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("empty")), std::string(4, '\0'));
  EntryList read = ThreeEntries();
  ASSERT_TRUE(ReadSnapshot(dir.File("empty"), 0, read).ok());
  EXPECT_EQ(read.ItemCount(), 0u);

  EntryList list = ThreeEntries();
  ASSERT_TRUE(WriteSnapshot(dir.File("s"), list.Entries()).ok());
  std::string bytes = ReadFileBytes(dir.File("s"));
  ASSERT_EQ(bytes.size(), 4u + 3 * 564);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x03\0\0\0", 4));
  EXPECT_EQ(0, std::memcmp(bytes.data() + 4, list.Entries().data(), 3 * 564));
  ASSERT_TRUE(ReadSnapshot(dir.File("s"), 3, read).ok());
  ASSERT_EQ(read.ItemCount(), 3u);
  EXPECT_EQ(0, std::memcmp(read.Entries().data(), list.Entries().data(), 3 * 564));

  EXPECT_FALSE(WriteSnapshot(dir.File("no/such/folder"), list.Entries()).ok());
}

TEST(Snapshot, DamagedFilesFailAndKeepTheList) {
  TempDir dir;
  EntryList list = ThreeEntries();
  ASSERT_TRUE(WriteSnapshot(dir.File("s"), list.Entries()).ok());
  EntryList target = ThreeEntries();
  target.Trim();
  EXPECT_EQ(ReadSnapshot(dir.File("s"), 2, target).code(), Status::Code::Mismatch);
  EXPECT_EQ(target.ItemCount(), 3u);
  EXPECT_FALSE(ReadSnapshot(dir.File("missing"), 0, target).ok());
  EXPECT_EQ(target.ItemCount(), 3u);

  const std::string bytes = ReadFileBytes(dir.File("s"));
  for (std::size_t length = 0; length <= bytes.size(); ++length) {
    WriteFileBytes(dir.File("t"), length < bytes.size() ? bytes.substr(0, length) : bytes + "x");
    EntryList cut;
    EXPECT_FALSE(ReadSnapshot(dir.File("t"), 3, cut).ok()) << "length " << length;
    EXPECT_EQ(cut.ItemCount(), 0u);
  }
  WriteFileBytes(dir.File("huge"), std::string("\xFF\xFF\xFF\xFF", 4));
  EXPECT_EQ(ReadSnapshot(dir.File("huge"), 0xFFFFFFFF, target).code(), Status::Code::Corrupt)
      << "a huge claimed count is not allocated";
}

TEST(OutputFile, CreateEmptiesAnExistingFileAndFailuresAreReported) {
  TempDir dir;
  WriteFileBytes(dir.File("list"), "old content");
  OutputFile file;
  ASSERT_TRUE(CreateForWriting(dir.File("list"), file).ok());
  ASSERT_TRUE(file.Write("new", 3).ok());
  ASSERT_TRUE(file.Close().ok());
  EXPECT_EQ(ReadFileBytes(dir.File("list")), "new");
  EXPECT_FALSE(CreateForWriting(dir.File("missing/list"), file).ok());
  EXPECT_FALSE(file.Write("x", 1).ok()) << "no file is open after a failed create";

  ASSERT_TRUE(file.Create("/dev/full").ok());
  std::string block(1 << 16, 'x');
  Status status = file.Write(block.data(), block.size());
  if (status.ok()) status = file.Close();
  EXPECT_FALSE(status.ok()) << "a full disk is a write failure";
}

}  // namespace
}  // namespace ordonna
