// The export command: the caption window, the type question, and an earlier file that survives
// each kind of failure.
#include "export/ExportCommand.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "export/ExportTestUtil.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

// The main window's side, scripted: the caption window's answer and the dialog's choice.
struct FakeHost final : ExportHost {
  bool InputCaption(AppOptions& options) override {
    ++captionWindows;
    if (captionOk) AcceptCaption(options, captionText, false);
    return captionOk;
  }
  std::string ChooseExportFile(const ExportDialogRequest&) override { return ++dialogs, chosen; }
  std::string StatusText() override { return "Ready."; }
  void SetBusy(bool) override {}

  bool captionOk = true;
  std::string captionText, chosen;
  int captionWindows = 0, dialogs = 0;
};

struct CommandFixture : ExportFixture {
  TempDir dir;
  FakeHost host;
  ExportMemory memory;

  CommandFixture() {
    Add(FullEntry("one", "/m/a"));
    Add(FullEntry("two", "/m/b"));
  }
  bool Run() { return ExportList(list, options, "%d/%m/%Y", memory, host, caller); }
  std::string Chosen() { return ReadFileBytes(host.chosen); }
};

TEST(ExportCommand, YesKeepsTheTypeNoSwitchesItCancelStops) {
  CommandFixture fixture;
  fixture.host.chosen = fixture.dir.File("list.html");
  fixture.caller.Expect("", Answer::Cancel);
  EXPECT_FALSE(fixture.Run());
  EXPECT_FALSE(std::filesystem::exists(fixture.host.chosen));

  fixture.caller.Expect("", Answer::Yes);
  EXPECT_TRUE(fixture.Run());
  EXPECT_EQ(fixture.Chosen(), "one\r\ntwo") << "Yes writes text under the html name";

  fixture.caller.Expect("", Answer::No);
  EXPECT_TRUE(fixture.Run());
  EXPECT_NE(fixture.Chosen().find("<OrdONNAtaG"), std::string::npos) << "No writes an HTML table";
  EXPECT_EQ(fixture.options.Main.ExportType, 0) << "the option itself is unchanged";
  EXPECT_TRUE(fixture.caller.AllAnswered());
}

TEST(ExportCommand, CaptionWindow) {
  CommandFixture fixture;
  fixture.options.Main.ExportType = 2, fixture.options.Main.CaptionMode = 3;
  fixture.host.chosen = fixture.dir.File("t.html");
  fixture.host.captionOk = false;
  EXPECT_FALSE(fixture.Run());
  EXPECT_EQ(fixture.host.dialogs, 0) << "closing the window without O&K stops the command";

  fixture.host.captionOk = true;
  fixture.host.captionText = std::string(" \0 new one \0", 12);
  EXPECT_TRUE(fixture.Run());
  EXPECT_EQ(fixture.options.Dialog.LastCaption.View(), "new one");
  EXPECT_NE(fixture.Chosen().find("ordcsp=2><NOBR><em>new one</em>"), std::string::npos);
  EXPECT_EQ(fixture.host.captionWindows, 2);
}

// Every failure keeps the earlier export as it was and leaves no temporary file.
TEST(ExportCommand, FailuresKeepTheEarlierFile) {
  enum Fault { FullDisk, NoFolder, Cancel, Empty };
  // fault, the message ("" for none), whether the export started
  const std::tuple<Fault, std::string, bool> cases[] = {
      {FullDisk, "Disk error!", true},
      {NoFolder, "Disk error!", false},
      {Cancel, "", true},  // a cancel half-way is no disk error
      {Empty, "Nothing to export", false},
  };
  for (const auto& [fault, message, started] : cases) {
    SCOPED_TRACE("fault " + std::to_string(fault));
    CommandFixture fixture;
    const std::string target = fixture.dir.File("list.txt");
    WriteFileBytes(target, "earlier export");
    for (int i = 0; i < 20000; ++i) fixture.Add(FullEntry("a name of some length"));
    fixture.host.chosen = fault == NoFolder ? target + "/inside" : target;  // a file where a folder should be
    if (fault == Cancel) fixture.caller.CancelAfter(100);
    if (fault == Empty) fixture.list.Working().Clear();
    // A limit on the size of files this process writes makes writes fail as on a full disk.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    if (fault == FullDisk) {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limited = saved;
      limited.rlim_cur = 100000;
      setrlimit(RLIMIT_FSIZE, &limited);
    }
    EXPECT_FALSE(fixture.Run());
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(MessageTexts(fixture.caller), message.empty() ? std::vector<std::string>{} : std::vector{message});
    EXPECT_EQ(ReadFileBytes(target), "earlier export");
    EXPECT_EQ(FilesIn(fixture.dir.Path()), 1u) << "a temporary file";
    EXPECT_TRUE(fixture.memory.LastExportPath.empty());
    EXPECT_EQ(fixture.caller.statuses.size(), started ? 2u : 0u) << "\"Exporting...\" shown and \"Ready.\" restored";
  }
}

}  // namespace
}  // namespace ordonna
