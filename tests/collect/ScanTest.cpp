// Scans over generated folder trees: order, filters, the existing-entry policies, error
// answers, cancelling with restore, volumes and the folder limit.
#include "collect/Scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <tuple>

#include "config/ConfigFile.h"
#include "core/DayNumber.h"
#include "core/Text.h"
#include "support/Mp3Builder.h"
#include "support/ScriptedCaller.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

// The host, with volumes and folder listings replaceable by a test.
class TestPlatform : public Platform {
 public:
  explicit TestPlatform(std::string folder) : temp(std::move(folder)) {}
  std::string ConfigFolder() override { return temp; }
  std::string TempFolder() override { return temp; }
  std::string HomeFolder() override { return temp; }
  std::string ShortDateFormat() override { return "%m/%d/%y"; }
  std::vector<Volume> Volumes() override { return volumes; }
  std::optional<Volume> VolumeOf(const std::string& folder) override {
    auto volume = real_->VolumeOf(folder);
    if (volume) volume->Label = label, volume->Serial = serial;
    return volume;
  }
  bool ListFolder(const std::string& folder, std::uint64_t device, bool includeHidden, std::string_view suffix,
                  std::vector<FolderItem>& items) override {
    ++listings;
    if (listing) return listing(folder, items);
    return real_->ListFolder(folder, device, includeHidden, suffix, items);
  }

  std::string temp;
  std::vector<Volume> volumes;
  std::string label = "MUSIC";
  std::string serial = "ABCD1234";
  std::function<bool(const std::string&, std::vector<FolderItem>&)> listing;
  int listings = 0;

 private:
  std::unique_ptr<Platform> real_ = MakeHostPlatform();
};

std::string Mp3(int frames = 300) { return Frames(frames, FrameSpec{}); }

class ScanTest : public ::testing::Test {
 protected:
  ScanTest() : host(temp.Path()) {
    SetFactoryDefaults(options, {1920, 1080, temp.Path()});
    options.Main.SortList = 0;
    options.Main.SlowProcessing = 1;  // every frame counted, so frame counts are exact
  }

  void Put(const std::string& relative, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(music.File(relative)).parent_path());
    WriteFileBytes(music.File(relative), bytes);
  }

  ScanOutcome Scan(ScanMode mode, ScriptedCaller& caller, std::string folder = {}, bool subfolders = true) {
    ScanContext context{list, options, host, caller, analyzer, memory, measure};
    return StartScan({mode, folder.empty() ? music.Path() : folder, subfolders, false}, context);
  }

  // No caller to answer the "unchanged folder" question: the last scan is forgotten first.
  ScanOutcome Scan(ScanMode mode) {
    memory = {};
    ScriptedCaller caller;
    return Scan(mode, caller);
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const ListEntry& e : list.Working().Entries()) names.emplace_back(e.FileName.View());
    return names;
  }

  TempDir temp;
  TempDir music;
  TestPlatform host;
  AppOptions options{};
  ListStore list;
  Mp3Analyzer analyzer;
  ScanMemory memory;
  std::function<int(std::string_view)> measure;
};

TEST_F(ScanTest, FoldersAreListedBeforeTheyAreExpanded) {
  for (const char* name : {"top.mp3", "UPPER.MP3", ".hidden.mp3", ".folder/h.mp3", "B/b.mp3", "B/B1/b1.mp3",
                           "B/B1/B1a/b1a.mp3", "B/B2/b2.mp3", "C/c.mp3"}) {
    Put(name, Mp3());
  }
  ASSERT_EQ(mkfifo(music.File("pipe.mp3").c_str(), 0600), 0);
  std::filesystem::create_directory_symlink(music.Path(), music.File("loop"));
  options.Main.SortDescending = 1;
  options.Main.SortCaseSensitive = 1;
  Scan(ScanMode::New);
  // Level by level (B, C, then B1, B2, then B1a); no hidden files, pipes or links to folders.
  EXPECT_EQ(Names(), (std::vector<std::string>{"UPPER", "top", "b", "c", "b1", "b2", "b1a"}));
  EXPECT_EQ(list.Entry(6).Folder.View(), music.Path() + "/B/B1/B1a");
  EXPECT_EQ(+list.Entry(0).DateAdded, TodayDayNumber());
  EXPECT_GT(+list.Entry(0).FileDate, 40000);
  EXPECT_EQ(list.SortState, 63 + 128 + 64) << "no order recorded, with the direction and case bits";
  EXPECT_TRUE(list.Unsaved);

  options.Main.IncludeHiddenSystem = 1;
  options.Main.SortList = 1;
  ScriptedCaller caller;
  Scan(ScanMode::New, caller, music.Path(), false);
  EXPECT_EQ(Names(), (std::vector<std::string>{"top", "UPPER", ".hidden"}))
      << "without subfolders only the start folder";
  EXPECT_EQ(list.SortState, 0 + 128 + 64);
}

TEST_F(ScanTest, SizeLimitsAtTheirBoundaries) {
  options.Main.ErrorAction = 2;
  options.Main.MinSizeKB = 20;
  std::string body = Mp3(300);
  Put("exact.mp3", body.substr(0, 20 * 1024));
  Put("short.mp3", body.substr(0, 20 * 1024 - 1));
  options.Main.MaxSizeMB = 10;
  Put("max.mp3", "");
  Put("over.mp3", "");
  std::filesystem::resize_file(music.File("max.mp3"), 10 * 1048576);
  std::filesystem::resize_file(music.File("over.mp3"), 10 * 1048576 + 1);
  Scan(ScanMode::New);
  EXPECT_EQ(Names(), (std::vector<std::string>{"exact", "max"}));

  options.Main.MaxSizeMB = 2048;
  Scan(ScanMode::New);
  EXPECT_EQ(Names(), (std::vector<std::string>{"exact", "max", "over"})) << "2,048 MB means no upper limit";
}

TEST_F(ScanTest, ExistingEntryPolicies) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) Put(name, Mp3(300));
  Scan(ScanMode::New);
  for (std::uint32_t i = 0; i < 3; ++i) list.Entry(i).DateAdded = 5;

  options.Main.ExistingEntries = 3;
  EXPECT_EQ(Scan(ScanMode::Append).Status, " Ignored: 3. Total: 3 items.");
  EXPECT_EQ(list.ItemCount(), 3u);

  // 64 KB more (about 157 frames more) is a difference; two more frames are not.
  Put("b.mp3", Mp3(300 + 160));
  Put("c.mp3", Mp3(302));
  options.Main.ExistingEntries = 1;
  EXPECT_EQ(Scan(ScanMode::Append).Status, " Updated: 1. Ignored: 2. Total: 3 items.");
  EXPECT_EQ(+list.Entry(0).DateAdded, 5) << "unchanged entries keep their date added";
  EXPECT_EQ(+list.Entry(1).Frames, 460);
  EXPECT_EQ(+list.Entry(1).DateAdded, TodayDayNumber());
  EXPECT_EQ(+list.Entry(2).Frames, 300);

  options.Main.ExistingEntries = 2;
  EXPECT_EQ(Scan(ScanMode::Append).Status, " Updated: 3. Total: 3 items.");
  EXPECT_EQ(+list.Entry(2).Frames, 302);

  // Entries match ignoring ASCII case in name, folder and label; another label is another file.
  list.Entry(0).FileName.Set("A");
  list.Entry(0).Folder.Set(AsciiUpperCopy(list.Entry(0).Folder.View()));
  list.Entry(1).VolumeLabel.Set("music");
  list.Entry(2).VolumeLabel.Set("OTHER");
  options.Main.ExistingEntries = 3;
  EXPECT_EQ(Scan(ScanMode::Append).Status, "Added: 1 of 3. Ignored: 2. Total: 4 items.");

  options.Main.ExistingEntries = 0;
  EXPECT_EQ(Scan(ScanMode::Append).Status, "Added: 3 of 3. Total: 7 items.") << "always add adds every file again";
}

TEST_F(ScanTest, ErrorActionAnswers) {
  std::string junk(20000, '\x55');
  Put("bad.mp3", junk);
  Put("good.mp3", Mp3());

  // Discard, add, and ask (yes adds, no discards, cancel clears the new list).
  const std::tuple<int, std::optional<Answer>, std::uint32_t> rows[] = {
      {0, {}, 1}, {2, {}, 2}, {1, Answer::Yes, 2}, {1, Answer::No, 1}, {1, Answer::Cancel, 0}};
  for (const auto& [action, answer, count] : rows) {
    options.Main.ErrorAction = static_cast<std::uint8_t>(action);
    ScriptedCaller caller;
    if (answer) caller.Expect("", *answer);
    EXPECT_EQ(Scan(ScanMode::New, caller).Cancelled, count == 0);
    EXPECT_EQ(list.ItemCount(), count) << action;
  }
  options.Main.ErrorAction = 2;
  Scan(ScanMode::New);
  EXPECT_EQ(std::tuple(list.Entry(0).BitrateCode, +list.Entry(0).SizeKB), std::tuple(kBitrateUnknown, 20));

  // The cancel button clears a new list the same way.
  ScriptedCaller button;
  button.CancelAfter(1);
  Scan(ScanMode::New, button);
  EXPECT_EQ(list.ItemCount(), 0u);
}

TEST_F(ScanTest, CancelledAppendRestoresTheListExactly) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) Put(name, Mp3());
  Scan(ScanMode::New);
  list.SortState = 7;
  list.Unsaved = false;
  list.Entry(1).Frames = 5;  // differs from the file: an update would overwrite it
  const ListStore before = list;
  options.Main.ExistingEntries = 2;
  memory = {};

  for (bool snapshotWritable : {true, false}) {
    if (!snapshotWritable) std::filesystem::permissions(temp.Path(), std::filesystem::perms::none);
    host.temp = snapshotWritable ? temp.Path() : temp.File("missing/folder");
    ScriptedCaller caller;
    caller.CancelAfter(3);  // after two updates
    ScanOutcome outcome = Scan(ScanMode::Append, caller);
    EXPECT_TRUE(outcome.Cancelled);
    ASSERT_EQ(list.ItemCount(), 4u);
    EXPECT_EQ(0,
              std::memcmp(list.Working().Entries().data(), before.Working().Entries().data(), 4 * sizeof(ListEntry)));
    EXPECT_EQ(list.SortState, 7);
    EXPECT_FALSE(list.Unsaved);
    std::filesystem::permissions(temp.Path(), std::filesystem::perms::owner_all);
    memory = {};
  }
}

TEST_F(ScanTest, AMissingStartFolderAndTheUnchangedFolderQuestion) {
  ScriptedCaller missing;
  EXPECT_TRUE(Scan(ScanMode::New, missing, music.File("missing")).NotReady);
  Put("a.mp3", Mp3());
  Scan(ScanMode::New);
  for (Answer answer : {Answer::No, Answer::Yes}) {  // to "unchanged folder"
    ScriptedCaller caller;
    caller.Expect("", answer);
    EXPECT_EQ(Scan(ScanMode::Append, caller).Started, answer == Answer::Yes);
  }
  EXPECT_EQ(list.ItemCount(), 2u);
}

TEST_F(ScanTest, FilesBeyondTheLongestOpenablePathAreIgnoredWithTheReason) {
  // The limit on both sides, in a listing that only names the files.
  Put("short.mp3", Mp3());
  options.Main.ErrorAction = 2;
  const std::size_t room = kLongestOpenablePath - music.Path().size() - 1;  // for the name behind the folder
  host.listing = [&](const std::string&, std::vector<FolderItem>& items) {
    const std::int64_t size = 300 * 417;
    items = {{"short.mp3", false, size, 0},
             {std::string(room - 4, 'x') + ".mp3", false, size, 0},
             {std::string(room - 3, 'y') + ".mp3", false, size, 0}};
    return true;
  };
  EXPECT_EQ(Scan(ScanMode::New).Status, "Added: 2 of 3. Ignored: 1 (path too long: 1). Total: 2 items.");
  EXPECT_EQ(+list.Entry(0).Frames, 300);
}

TEST_F(ScanTest, ControlBytesInNamesAreStoredAsQuestionMarks) {
  Put("in\nfolder/a\tb\x7f.mp3", Mp3());
  host.label = "MU\x01SIC";
  Scan(ScanMode::New);
  ASSERT_EQ(list.ItemCount(), 1u);
  EXPECT_EQ(list.Entry(0).FileName.View(), "a?b?");
  EXPECT_EQ(list.Entry(0).Folder.View(), music.Path() + "/in?folder");
  EXPECT_EQ(list.Entry(0).VolumeLabel.View(), "MU?SIC");
  EXPECT_EQ(+list.Entry(0).Frames, 300) << "the file is read by its real name";

  options.Main.ExistingEntries = 3;
  EXPECT_EQ(Scan(ScanMode::Append).Status, " Ignored: 1. Total: 1 items.") << "stored forms match each other";
}

TEST_F(ScanTest, AllDrivesWalksEveryVolumeWithItsLabel) {
  TempDir second;
  Put("one.mp3", Mp3());
  std::filesystem::create_directories(second.File("sub"));
  WriteFileBytes(second.File("sub/two.mp3"), Mp3());
  struct stat info {};
  ASSERT_EQ(stat(music.Path().c_str(), &info), 0);
  auto device = static_cast<std::uint64_t>(info.st_dev);
  host.volumes = {{music.Path(), "FIRST", "00000001", device},
                  {music.File("gone"), "GONE", "00000002", device},
                  {second.Path(), "SECOND", "00000003", device}};
  ScriptedCaller caller;
  ScanContext context{list, options, host, caller, analyzer, memory, measure};
  StartScan({ScanMode::New, "", false, true}, context);
  EXPECT_TRUE(caller.messages.empty()) << "a volume that cannot be listed is skipped silently";
  ASSERT_EQ(Names(), (std::vector<std::string>{"one", "two"})) << "subfolders are always included";
  EXPECT_EQ(std::string(list.Entry(0).VolumeLabel.View()) + "," + std::string(list.Entry(1).VolumeLabel.View()),
            "FIRST,SECOND");
}

TEST_F(ScanTest, FolderLimitCancelsTheScan) {
  // 100,001 folders that exist only in the listing: the start, 400 below it and 249 below each
  // of those; one fewer below the first is within the limit.
  int belowFirst = 249;
  host.listing = [&](const std::string& folder, std::vector<FolderItem>& items) {
    items.clear();
    const auto depth = std::count(folder.begin() + static_cast<std::ptrdiff_t>(music.Path().size()), folder.end(), '/');
    const int count = depth == 0 ? 400 : depth == 2 ? 0 : folder.ends_with("/0") ? belowFirst : 249;
    for (int i = 0; i < count; ++i) items.push_back({std::to_string(i), true, 0, 0});
    return true;
  };
  list.AppendEntry(UndeterminedEntry());
  ScriptedCaller caller;
  memory = {};
  ScanOutcome outcome = Scan(ScanMode::Append, caller);
  EXPECT_TRUE(outcome.Cancelled);
  EXPECT_EQ(caller.messages.size(), 1u);
  EXPECT_GT(host.listings, 9999) << "expansion goes on past 9,999 folders";
  EXPECT_EQ(list.ItemCount(), 1u);
  belowFirst = 248;
  EXPECT_EQ(Scan(ScanMode::Append).Status, "No mp3's found. Total: 1 items.");
}

}  // namespace
}  // namespace ordonna
