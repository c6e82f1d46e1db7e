// The export command: caption decisions and window, the file dialog it asks for, the type
// question, the remembered names and folder, and an earlier file that survives each kind of failure.
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
    initialCaption = InitialCaption(options);
    if (captionOk) AcceptCaption(options, captionText, captionRemember);
    return captionOk;
  }
  std::string ChooseExportFile(const ExportDialogRequest&) override { return ++dialogs, chosen; }
  std::string StatusText() override { return "Ready."; }
  void SetBusy(bool busy) override { busyCalls.push_back(busy); }

  bool captionOk = true, captionRemember = false;
  std::string captionText, chosen, initialCaption;
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
  const std::pair<std::uint8_t, const char*> types[] = {{0, "1txt"}, {1, "2html"}, {2, "2html"}, {3, "3xls"}, {7, "4"}};
  for (const auto& [type, filter] : types) {
    options.Main.ExportType = type;
    const ExportDialogRequest r = ExportDialogFor(options, memory);
    EXPECT_EQ(r.Title + "|" + r.Filter + "|" + std::to_string(r.FilterIndex) + r.DefaultExtension + "|" +
                  r.ProposedName + "|" + r.InitialFolder,
              " - EXPORT THE LIST AS - |Txt files|*.txt|Html files|*.html;*.htm|Excel files|*.xls|All files|*.*|" +
                  std::string(filter) + "|last.txt|c:\\");
  }

  auto ask = [](const std::string& chosen, const std::string& extension, const std::string& other) {
    return "You chose to save " + chosen + " file under " + extension +
           " filename.\r\n\nYES = that's what I want to do\r\nNO = save as " + other;
  };
  const std::tuple<std::string, std::uint8_t, std::string, ExportType> asked[] = {
      {"/x/list.HTM", 3, ask("an excel", "html", "html table"), ExportType::HtmlTable},
      {"/x/list.txt", 1, ask("a html", "txt", "text"), ExportType::Text},
      {"/x/list.Xls", 2, ask("a html", "xls", "xls"), ExportType::Xls},
      {"/x/list.txt", 7, ask("a ?", "txt", "text"), ExportType::Text},
  };
  for (const auto& [name, type, text, onNo] : asked) {
    std::optional<TypeQuestion> question = QuestionExportType(name, type);
    ASSERT_TRUE(question) << name;
    EXPECT_EQ(std::tuple(question->Text, question->TypeOnNo), std::tuple(text, onNo));
  }
  const std::pair<std::string, std::uint8_t> suited[] = {{"/x/list.htm", 1}, {"/x/list.html", 2}, {"/x/list.xls", 3},
                                                         {"/x/list.txt", 0}, {"/x.txt/list", 3},  {"/x/list.csv", 0}};
  for (const auto& [name, type] : suited) EXPECT_FALSE(QuestionExportType(name, type)) << name << " " << int(type);
}

TEST(ExportCommand, YesKeepsTheTypeNoSwitchesItCancelStops) {
  CommandFixture fixture;
  fixture.host.chosen = fixture.dir.File("list.html");
  fixture.options.Dialog.ExportFolder.Set("/elsewhere");

  fixture.caller.Expect("", Answer::Cancel);
  EXPECT_FALSE(fixture.Run());
  EXPECT_FALSE(std::filesystem::exists(fixture.host.chosen));
  EXPECT_EQ(fixture.options.Dialog.ExportFolder.View(), "/elsewhere") << "a cancel leaves the options";

  fixture.caller.Expect("", Answer::Yes);
  EXPECT_TRUE(fixture.Run());
  EXPECT_EQ(fixture.Chosen(), "one\r\ntwo") << "Yes writes text under the html name";
  EXPECT_EQ(fixture.options.Dialog.ExportFolder.View(), fixture.dir.Path());
  EXPECT_EQ(fixture.memory.LastExportPath, fixture.host.chosen);
  EXPECT_EQ(fixture.memory.ProposedName, "list.html");

  fixture.caller.Expect("", Answer::No);
  EXPECT_TRUE(fixture.Run());
  EXPECT_NE(fixture.Chosen().find("<OrdONNAtaG"), std::string::npos) << "No writes an HTML table";
  EXPECT_EQ(fixture.options.Main.ExportType, 0) << "the option itself is unchanged";
  EXPECT_TRUE(fixture.caller.AllAnswered());
  EXPECT_EQ(fixture.host.busyCalls, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(fixture.caller.statuses.back(), "Ready.");
}

TEST(ExportCommand, CaptionWindowAndCaptionKinds) {
  // mode, sort state, window shown, the caption row's ordcsp value and text ("" for none), type
  const std::tuple<std::uint8_t, std::uint8_t, bool, std::string, std::uint8_t> cases[] = {
      {0, 7, false, "", 2},       {1, 0, false, "", 2},              // sorted by file name: no caption at all
      {1, 7, false, "7/m/a", 2},  {2, 9 + 128, false, "9DISK1", 2},  // grouped by folder, by label
      {2, 63, true, "2typed", 2}, {3, 7, true, "2typed", 2},
      {3, 7, false, "", 1},  // a plain page has no caption to ask for
  };
  for (const auto& [mode, sortState, windowShown, caption, type] : cases) {
    CommandFixture fixture;
    fixture.options.Main.ExportType = type;
    fixture.options.Main.CaptionMode = mode;
    fixture.list.SortState = sortState;
    fixture.options.Dialog.LastCaption.Set("typed");
    fixture.host.captionText = " typed ";
    fixture.host.chosen = fixture.dir.File("t.html");
    ASSERT_TRUE(fixture.Run());
    EXPECT_EQ(fixture.host.captionWindows, windowShown ? 1 : 0) << int(mode);
    const std::string page = fixture.Chosen();
    const std::size_t row = page.find("ordcsp="), em = page.find("<em>", row) + 4;
    EXPECT_EQ(row == std::string::npos ? "" : page.substr(row + 7, 1) + page.substr(em, page.find("</em>", em) - em),
              caption)
        << int(mode);
  }
}

TEST(ExportCommand, CaptionWindowStoresItsAnswer) {
  CommandFixture fixture;
  fixture.options.Main.ExportType = 2;
  fixture.options.Main.CaptionMode = 3;
  fixture.options.Dialog.LastCaption.Set("old");
  fixture.options.Dialog.RememberCaption = 1;
  fixture.host.chosen = fixture.dir.File("t.html");

  fixture.host.captionOk = false;
  EXPECT_FALSE(fixture.Run());
  EXPECT_EQ(fixture.host.initialCaption, "old") << "a remembered caption is offered";
  EXPECT_EQ(fixture.host.dialogs, 0) << "closing the window without O&K stops the command";

  fixture.host.captionOk = true;
  fixture.host.captionText = std::string(" \0 new one \0", 12);
  EXPECT_TRUE(fixture.Run());
  EXPECT_EQ(fixture.options.Dialog.LastCaption.View(), "new one");
  EXPECT_EQ(InitialCaption(fixture.options), "") << "not remembered: the field starts empty";
  EXPECT_NE(fixture.Chosen().find("ordcsp=2><NOBR><em>new one</em>"), std::string::npos);

  fixture.host.captionText = "   ";
  fixture.host.captionRemember = true;
  EXPECT_TRUE(fixture.Run());
  EXPECT_EQ(fixture.Chosen().find("ordcsp="), std::string::npos) << "an empty caption gives no caption row";
  EXPECT_EQ(fixture.options.Dialog.RememberCaption, 1);
}

// Every failure keeps the earlier export as it was and leaves no temporary file.
TEST(ExportCommand, FailuresKeepTheEarlierFile) {
  enum Fault { FullDisk, NoFolder, Cancel, Empty };
  // type, fault, the message ("" for none), whether "Exporting..." was shown and "Ready." restored
  const std::tuple<std::uint8_t, Fault, std::string, bool> cases[] = {
      {0, FullDisk, "Disk error!", true},
      {3, FullDisk, "Error exporting xls file.\r\n(file in use? invalid filename?)", true},
      {0, NoFolder, "Disk error!", false},
      {0, Cancel, "", true},  // a cancel half-way is no disk error
      {0, Empty, "Nothing to export", false},
  };
  for (const auto& [type, fault, message, started] : cases) {
    SCOPED_TRACE("type " + std::to_string(type) + " fault " + std::to_string(fault));
    CommandFixture fixture;
    const std::string target = fixture.dir.File(type == 3 ? "list.xls" : "list.txt");
    WriteFileBytes(target, "earlier export");
    for (int i = 0; i < 20000; ++i) fixture.Add(FullEntry("a name of some length"));
    fixture.options.Main.ExportType = type;
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
    EXPECT_EQ(fixture.caller.statuses,
              (started ? std::vector<std::string>{"Exporting...", "Ready."} : std::vector<std::string>{}));
  }
}

}  // namespace
}  // namespace ordonna
