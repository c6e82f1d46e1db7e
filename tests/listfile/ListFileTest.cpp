// List files: exact bytes written, both layouts read, damaged files rejected whole, and the
// list left as it was by every failed load.
#include "listfile/ListFileCommands.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/ScriptedCaller.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using testing::ReadFileBytes;
using testing::ScriptedCaller;
using testing::TempDir;
using testing::WriteFileBytes;

ListEntry Entry(const std::string& name, const std::string& folder = "/music", const std::string& label = "",
                std::int32_t frames = 10000) {
  ListEntry e = UndeterminedEntry();
  e.FileName.Set(name), e.Folder.Set(folder), e.VolumeLabel.Set(label);
  e.BitrateCode = 9, e.SizeKB = 4000, e.Frames = frames, e.StereoMode = 1, e.FrequencyCode = 0;
  e.FileDate = 38082, e.DateAdded = 46000;
  return e;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

// The list as the user sees it: entries, order, file name and saved state.
std::string State(const ListStore& list) {
  std::string image(reinterpret_cast<const char*>(list.Working().Entries().data()),
                    list.ItemCount() * sizeof(ListEntry));
  return image + std::to_string(list.SortState) + list.ListFileName() + (list.Unsaved ? "u" : "s");
}

// Loads `path` into `list`, reporting errors and discarding an unsaved list.
std::int32_t Load(const std::string& path, ListStore& list, ScriptedCaller& caller, bool append = false) {
  return LoadListFile(path, true, append, list, caller, [] { return true; }).Count;
}

TEST(ListFile, OneEntryFileBytesAndSaveAndLoadRoundTrip) {
  TempDir dir;
  EntryList one;
  one.AppendEntry(Entry("abc", "", ""));
  ASSERT_TRUE(WriteListFile(dir.File("one.ordl"), one, 0x87).ok());
  EXPECT_EQ(ReadFileBytes(dir.File("one.ordl")),
            Bytes({3, 'O',  'r',  'd', 0x87, 3, 'a', 'b',  'c',  0, 0, 9,    0xA0, 0x0F, 0,
                   0, 0x10, 0x27, 0,   0,    1, 0,   0xC2, 0x94, 0, 0, 0xB0, 0xB3, 0,    0}));

  AppOptions options{};
  ListStore list;
  list.AppendEntry(Entry("first", "/music/a", std::string(32, 'L')));  // the longest label reads without a question
  list.AppendEntry(Entry("\xC3\xA9t\xC3\xA9", "/music/b", ""));
  list.SortState = 7;
  list.Unsaved = true;
  const std::string path = ListFileTarget(dir.File("songs"));
  ASSERT_TRUE(SaveListFile(path, list, options).ok());
  EXPECT_EQ(list.ListFileName() + (list.Unsaved ? "u" : "s"), "songs.ordls");

  ListStore loaded;
  ScriptedCaller caller;
  EXPECT_EQ(Load(dir.File("songs"), loaded, caller), 2) << "the name without .ordl opens the .ordl file";
  EXPECT_EQ(State(loaded), State(list));
}

TEST(ListFile, FailedLoadsReportAndLeaveTheListAsItWas) {
  TempDir dir;
  EntryList entries;
  entries.AppendEntry(Entry("one", "/a", "L"));
  entries.AppendEntry(Entry("two", "/b", "LABEL"));
  ASSERT_TRUE(WriteListFile(dir.File("full.ordl"), entries, 0).ok());
  const std::string bytes = ReadFileBytes(dir.File("full.ordl"));
  std::vector<std::pair<std::string, std::string>> files = {{"PK\x03\x04 zip file", "Not a Ordonna file!"}};
  const std::size_t firstRecordEnd = 5 + 4 + 3 + 2 + 19;  // a whole first record is a valid one-entry list
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    if (length != firstRecordEnd) files.emplace_back(bytes.substr(0, length), "Disk error!");
  }

  ListStore list;
  list.AppendEntry(Entry("keep"));
  list.SortState = 3, list.Unsaved = true;
  list.SetListFileName("mine.ordl");
  const std::string before = State(list);
  for (const auto& [content, message] : files) {
    WriteFileBytes(dir.File("bad.ordl"), content);
    for (bool append : {false, true}) {
      ScriptedCaller caller;
      EXPECT_EQ(Load(dir.File("bad.ordl"), list, caller, append), -1);
      EXPECT_EQ(caller.messages.size() == 1 ? caller.messages[0].Text : "", message) << content.size();
      EXPECT_EQ(State(list), before) << content.size();
    }
  }
  ScriptedCaller quiet;
  LoadResult refused = LoadListFile(dir.File("full.ordl"), true, false, list, quiet, [] { return false; });
  EXPECT_TRUE(refused.Count == -1 && refused.Refused) << "refusing to discard the list";
  EXPECT_EQ(State(list), before);
}

std::string Version4Record(const std::string& name, const std::string& label, std::int32_t seconds) {
  std::string secondsBytes(4, '\0');
  std::memcpy(secondsBytes.data(), &seconds, 4);
  return char(name.size()) + name + "\x02/x" + char(label.size()) + label + Bytes({9, 0x10, 0, 0, 0}) + secondsBytes +
         Bytes({3, 0xC2, 0x94, 0, 0, 1, 0, 0, 0});
}

TEST(ListFile, Version4FilesConvertSecondsToFrames) {
  TempDir dir;
  const std::string path = dir.File("old.ordl");
  // The first label is too long for the current layout, which raises the question.
  WriteFileBytes(path, Bytes({3, 'O', 'r', 'd', 63}) + Version4Record("minus", std::string(33, 'L'), -1) +
                           Version4Record("sixty", "SHORT", 60) + Version4Record("huge", "", 0x7FFFFFFF));
  ListStore list;
  ScriptedCaller caller;
  caller.Expect("", Answer::Yes);
  ASSERT_EQ(Load(path, list, caller), 3);
  // -1 s still counts as not determined; a play time beyond the frame range is not determined.
  std::string read;
  for (const ListEntry& e : list.Working().Entries()) {
    read += std::to_string(e.VolumeLabel.View().size()) + " " + std::to_string(e.Frames) + ",";
  }
  EXPECT_EQ(read, "32 -38,5 2297,0 -1,");
  EXPECT_EQ(list.Entry(1).FrequencyCode, 0);
  EXPECT_EQ(list.SortState, 63);
  EXPECT_TRUE(caller.AllAnswered());
}

TEST(ListFile, AppendSortsLikeTheFileOrLeavesTheOrderAsRead) {
  TempDir dir;
  EntryList fileEntries;
  fileEntries.AppendEntry(Entry("b", "/music", "", 1));
  fileEntries.AppendEntry(Entry("a", "/music", "", 3));
  const std::uint8_t fileOrder = 1 + 128;  // play time, descending
  ASSERT_TRUE(WriteListFile(dir.File("f.ordl"), fileEntries, fileOrder).ok());
  // AppendSort, SortList, the order after the append and its SortState
  const std::tuple<std::uint8_t, std::uint8_t, std::string, std::uint8_t> cases[] = {
      {1, 1, "acb", fileOrder},     // like the file
      {2, 0, "cba", kNoSortOrder},  // by the main option, which is off: appended as read
  };
  for (const auto& [appendSort, sortList, order, state] : cases) {
    AppOptions options{};
    options.Dialog.AppendSort = appendSort, options.Main.SortList = sortList, options.Main.SortField = 1;
    ListStore list;
    list.AppendEntry(Entry("c", "/music", "", 2));
    list.SortState = 0;
    ScriptedCaller caller;
    ASSERT_EQ(Load(dir.File("f.ordl"), list, caller, true), 2);
    EXPECT_TRUE(list.Unsaved);
    SortAfterAppend(list, options, 0, fileOrder);
    std::string names;
    for (const ListEntry& e : list.Working().Entries()) names += e.FileName.View();
    EXPECT_EQ(names + " " + std::to_string(list.SortState), order + " " + std::to_string(state));
  }
}

}  // namespace
}  // namespace ordonna
