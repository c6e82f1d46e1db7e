// The export command: caption decisions and window, the file dialog it asks for, the type
// question, the remembered names and folder, and an earlier file that survives every failure.
#include "export/ExportCommand.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "config/AppOptions.h"
#include "export/ExportTestUtil.h"
#include "support/TempDir.h"

namespace ordonna {
namespace {

using namespace testing;

// The main window's side, scripted: the caption window's answer and the dialog's choice.
class FakeHost final : public ExportHost {
 public:
  bool InputCaption(AppOptions& options) override {
    ++captionWindows;
    initialCaption = InitialCaption(options);
    if (captionOk) AcceptCaption(options, captionText, captionRemember);
    return captionOk;
  }
  std::string ChooseExportFile(const ExportDialogRequest& request) override {
    requests.push_back(request);
    return chosen;
  }
  std::string StatusText() override { return "Ready."; }
  void SetBusy(bool busy) override { busyCalls.push_back(busy); }

  bool captionOk = true, captionRemember = false;
  std::string captionText, chosen, initialCaption;
  int captionWindows = 0;
  std::vector<ExportDialogRequest> requests;
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

TEST(ExportCommand, DialogFollowsTheExportType) {
  CommandFixture fixture;
  fixture.memory.ProposedName = "last.txt";
  fixture.options.Dialog.ExportFolder.Set("c:\\");
  const std::pair<int, std::string> expected[] = {{1, "txt"}, {2, "html"}, {2, "html"}, {3, "xls"}};
  for (std::uint8_t type = 0; type < 4; ++type) {
    fixture.options.Main.ExportType = type;
    const ExportDialogRequest r = ExportDialogFor(fixture.options, fixture.memory);
    EXPECT_EQ(r.Title + "|" + r.Filter + "|" + std::to_string(r.FilterIndex) + "|" + r.DefaultExtension + "|" +
                  r.ProposedName + "|" + r.InitialFolder,
              " - EXPORT THE LIST AS - |Txt files|*.txt|Html files|*.html;*.htm|Excel files|*.xls|All files|*.*|" +
                  std::to_string(expected[type].first) + "|" + expected[type].second + "|last.txt|c:\\");
  }
}

TEST(ExportCommand, TypeQuestionsForExtensionsThatDoNotSuit) {
  auto ask = [](const std::string& chosen, const std::string& extension, const std::string& other) {
    return "You chose to save " + chosen + " file under " + extension +
           " filename.\r\n\nYES = that's what I want to do\r\nNO = save as " + other;
  };
  const std::tuple<std::string, std::uint8_t, std::string, ExportType> asked[] = {
      {"/x/list.html", 0, ask("a text", "html", "html table"), ExportType::HtmlTable},
      {"/x/list.HTM", 3, ask("an excel", "html", "html table"), ExportType::HtmlTable},
      {"/x/list.txt", 1, ask("a html", "txt", "text"), ExportType::Text},
      {"/x/list.Xls", 2, ask("a html", "xls", "xls"), ExportType::Xls},
      {"/x/list.txt", 7, ask("a ?", "txt", "text"), ExportType::Text},
  };
  for (const auto& [name, type, text, onNo] : asked) {
    std::optional<TypeQuestion> question = QuestionExportType(name, type);
    ASSERT_TRUE(question) << name;
    EXPECT_EQ(question->Text, text);
    EXPECT_EQ(question->TypeOnNo, onNo) << name;
  }
  const std::pair<std::string, std::uint8_t> suited[] = {{"/x/list.htm", 1}, {"/x/list.html", 2}, {"/x/list.xls", 3},
                                                         {"/x/list.txt", 0}, {"/x/list", 3},      {"/x.txt/list", 3},
                                                         {"/x/list.csv", 0}};
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
  struct Case {
    std::uint8_t Mode;
    std::uint8_t SortState;
    bool WindowShown;
    std::string Caption;  // the caption row's ordcsp value and text, or empty for none
    std::uint8_t Type = 2;
  };
  const Case cases[] = {
      {0, 7, false, ""},       {1, 0, false, ""},              // sorted by file name: no caption at all
      {1, 7, false, "7/m/a"},  {2, 9 + 128, false, "9DISK1"},  // grouped by folder, by label
      {2, 63, true, "2typed"}, {3, 7, true, "2typed"},
      {3, 7, false, "", 1},  // a plain page has no caption to ask for
  };
  for (const Case& c : cases) {
    CommandFixture fixture;
    fixture.options.Main.ExportType = c.Type;
    fixture.options.Main.CaptionMode = c.Mode;
    fixture.list.SortState = c.SortState;
    fixture.options.Dialog.LastCaption.Set("typed");
    fixture.host.captionText = " typed ";
    fixture.host.chosen = fixture.dir.File("t.html");
    ASSERT_TRUE(fixture.Run());
    EXPECT_EQ(fixture.host.captionWindows, c.WindowShown ? 1 : 0) << int(c.Mode);
    const std::string page = fixture.Chosen();
    const std::size_t row = page.find("ordcsp="), em = page.find("<em>", row) + 4;
    EXPECT_EQ(row == std::string::npos ? "" : page.substr(row + 7, 1) + page.substr(em, page.find("</em>", em) - em),
              c.Caption)
        << int(c.Mode);
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
  EXPECT_TRUE(fixture.host.requests.empty()) << "closing the window without O&K stops the command";

  fixture.host.captionOk = true;
  fixture.host.captionText = std::string(" \0 new one \0", 12);
  EXPECT_TRUE(fixture.Run());
  EXPECT_EQ(fixture.options.Dialog.LastCaption.View(), "new one");
  EXPECT_EQ(fixture.options.Dialog.RememberCaption, 0);
  EXPECT_EQ(InitialCaption(fixture.options), "") << "not remembered: the field starts empty";
  EXPECT_NE(fixture.Chosen().find("ordcsp=2><NOBR><em>new one</em>"), std::string::npos);

  fixture.host.captionText = "   ";
  EXPECT_TRUE(fixture.Run());
  EXPECT_EQ(fixture.Chosen().find("ordcsp="), std::string::npos) << "an empty caption gives no caption row";

  AppOptions options{};
  AcceptCaption(options, std::string(300, 'c'), true);
  EXPECT_EQ(options.Dialog.LastCaption.View().size(), 255u);
  EXPECT_EQ(options.Dialog.RememberCaption, 1);
}

// Every failure keeps the earlier export as it was and leaves no temporary file.
TEST(ExportCommand, FailuresKeepTheEarlierFile) {
  enum class Fault { FullDisk, NoFolder, Cancel, TooLarge, Empty };
  struct Case {
    std::uint8_t Type;
    Fault How;
    std::string Message;  // empty: no message
    bool Started;         // "Exporting..." was shown and "Ready." restored
  };
  const std::string xlsError = "Error exporting xls file.\r\n(file in use? invalid filename?)";
  const Case cases[] = {
      {0, Fault::FullDisk, "Disk error!", true},
      {3, Fault::FullDisk, xlsError, true},
      {0, Fault::NoFolder, "Disk error!", false},
      {3, Fault::NoFolder, xlsError, true},
      {0, Fault::Cancel, "", true},  // a cancel half-way is no disk error
      {3, Fault::TooLarge, "Lists larger than 64K titles can't be exported to XLS format.", false},
      {0, Fault::Empty, "Nothing to export", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.Type) + " fault " + std::to_string(static_cast<int>(c.How)));
    CommandFixture fixture;
    const std::string target = fixture.dir.File(c.Type == 3 ? "list.xls" : "list.txt");
    WriteFileBytes(target, "earlier export");
    for (int i = 0; i < (c.How == Fault::TooLarge ? 70000 : 20000); ++i)
      fixture.Add(FullEntry("a name of some length"));
    fixture.options.Main.ExportType = c.Type;
    // a file where a folder should be
    fixture.host.chosen = c.How == Fault::NoFolder ? target + "/inside" : target;
    if (c.How == Fault::Cancel) fixture.caller.CancelAfter(100);
    if (c.How == Fault::Empty) fixture.list.Working().Clear();
    // A limit on the size of files this process writes makes writes fail as on a full disk.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    if (c.How == Fault::FullDisk) {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limited = saved;
      limited.rlim_cur = 100000;
      setrlimit(RLIMIT_FSIZE, &limited);
    }
    EXPECT_FALSE(fixture.Run());
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(MessageTexts(fixture.caller),
              c.Message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.Message});
    EXPECT_EQ(ReadFileBytes(target), "earlier export");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fixture.dir.Path()), {}), 1)
        << "a temporary file was left";
    EXPECT_TRUE(fixture.memory.LastExportPath.empty());
    EXPECT_EQ(fixture.caller.statuses,
              (c.Started ? std::vector<std::string>{"Exporting...", "Ready."} : std::vector<std::string>{}));
  }
}

}  // namespace
}  // namespace ordonna
