// The export command: caption decisions and window, the file dialog it asks for, the type
// question, the remembered name and folder, and an earlier file that survives each kind of failure.
#include "export/ExportCommand.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <optional>
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
  void SetBusy(bool busy) override { busyCalls.push_back(busy); }

  bool captionOk = true;
  std::string captionText, chosen;
  int captionWindows = 0, dialogs = 0;
  std::vector<bool> busyCalls;
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

TEST(ExportCommand, DialogFollowsTheExportTypeAndUnsuitedExtensionsAreQuestioned) {
  ExportMemory memory{"last.txt", ""};
  AppOptions options{};
  options.Dialog.ExportFolder.Set("c:\\");
  options.Main.ExportType = 2;
  const ExportDialogRequest r = ExportDialogFor(options, memory);
  EXPECT_EQ(r.Filter + "|" + std::to_string(r.FilterIndex) + r.DefaultExtension + "|" + r.ProposedName + "|" +
                r.InitialFolder,
            "Txt files|*.txt|Html files|*.html;*.htm|Excel files|*.xls|All files|*.*|2html|last.txt|c:\\");

  std::optional<TypeQuestion> question = QuestionExportType("/x/list.HTM", 3);
  ASSERT_TRUE(question);
  EXPECT_EQ(std::tuple(question->Text, question->TypeOnNo),
            std::tuple("You chose to save an excel file under html filename.\r\n\nYES = that's what I want to do\r\n"
                       "NO = save as html table",
                       ExportType::HtmlTable));
  const std::pair<std::string, std::uint8_t> suited[] = {{"/x/list.html", 2}, {"/x.txt/list", 3}, {"/x/list.csv", 0}};
  for (const auto& [name, type] : suited) EXPECT_FALSE(QuestionExportType(name, type)) << name << " " << int(type);
}

TEST(ExportCommand, YesKeepsTheTypeNoSwitchesItCancelStops) {
  CommandFixture fixture;
  fixture.host.chosen = fixture.dir.File("list.html");
  fixture.caller.Expect("", Answer::Cancel);
  EXPECT_FALSE(fixture.Run());
  EXPECT_FALSE(std::filesystem::exists(fixture.host.chosen));

  fixture.caller.Expect("", Answer::Yes);
  EXPECT_TRUE(fixture.Run());
  EXPECT_EQ(fixture.Chosen(), "one\r\ntwo") << "Yes writes text under the html name";
  EXPECT_EQ(std::string(fixture.options.Dialog.ExportFolder.View()) + " " + fixture.memory.ProposedName,
            fixture.dir.Path() + " list.html");

  fixture.caller.Expect("", Answer::No);
  EXPECT_TRUE(fixture.Run());
  EXPECT_NE(fixture.Chosen().find("<OrdONNAtaG"), std::string::npos) << "No writes an HTML table";
  EXPECT_EQ(fixture.options.Main.ExportType, 0) << "the option itself is unchanged";
  EXPECT_TRUE(fixture.caller.AllAnswered());
  EXPECT_EQ(fixture.host.busyCalls, (std::vector<bool>{true, false, true, false}));
}

TEST(ExportCommand, CaptionKindsAndTheCaptionWindow) {
  // mode, sort state, the caption row's ordcsp value and text ("" for none)
  const std::tuple<std::uint8_t, std::uint8_t, std::string> cases[] = {
      {1, 0, ""},               // sorted by file name: no caption at all
      {2, 9 + 128, "9DISK1"}};  // grouped by label
  for (const auto& [mode, sortState, caption] : cases) {
    CommandFixture fixture;
    fixture.options.Main.ExportType = 2, fixture.options.Main.CaptionMode = mode;
    fixture.list.SortState = sortState;
    fixture.host.chosen = fixture.dir.File("t.html");
    ASSERT_TRUE(fixture.Run());
    EXPECT_EQ(fixture.host.captionWindows, 0) << int(mode);
    const std::string page = fixture.Chosen();
    const std::size_t row = page.find("ordcsp="), em = page.find("<em>", row) + 4;
    EXPECT_EQ(row == std::string::npos ? "" : page.substr(row + 7, 1) + page.substr(em, page.find("</em>", em) - em),
              caption)
        << int(mode);
  }

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

  fixture.host.captionText = "   ";
  EXPECT_TRUE(fixture.Run());
  EXPECT_EQ(fixture.Chosen().find("ordcsp="), std::string::npos) << "an empty caption gives no caption row";
  EXPECT_EQ(fixture.host.captionWindows, 3);
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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fixture.dir.Path()), {}), 1) << "a temporary file";
    EXPECT_TRUE(fixture.memory.LastExportPath.empty());
    EXPECT_EQ(fixture.caller.statuses.size(), started ? 2u : 0u) << "\"Exporting...\" shown and \"Ready.\" restored";
  }
}

}  // namespace
}  // namespace ordonna
