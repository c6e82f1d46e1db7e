// The main window's rules without a window: command states, the close sequence, list files
// sent by later copies, the start-up lists, the status line's front cut and the opacity steps
// of the windows' fading.
#include "ui/logic/MainWindowRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "core/Text.h"
#include "ui/logic/StatusCut.h"
#include "ui/logic/WindowFade.h"

namespace ordonna {
namespace {

// The enabled commands as names, in the order of MainCommands.
std::string Enabled(const MainCommands& c) {
  const std::pair<bool, const char*> all[] = {{c.New, "New"},   {c.Append, "Append"},       {c.Save, "Save"},
                                              {c.Load, "Load"}, {c.Import, "Import"},       {c.Export, "Export"},
                                              {c.View, "View"}, {c.ExtView, "ExtView"},     {c.Options, "Options"},
                                              {c.Font, "Font"}, {c.AllDrives, "AllDrives"}, {c.Folder, "Folder"}};
  std::string names;
  for (const auto& [on, name] : all) {
    if (on) names += (names.empty() ? "" : " ") + std::string(name);
  }
  return names;
}

// A window's list and options with `entries` entries and the rules over them.
struct Window {
  explicit Window(int entries, bool fadingSupported = false) : rules(list, options, fadingSupported) {
    for (int i = 0; i < entries; ++i) list.AppendEntry(ListEntry{});
  }
  ListStore list;
  AppOptions options{};
  MainWindowRules rules;
};

TEST(MainWindowRules, CommandsFollowTheListTheOptionsAndTheState) {
  struct Row {
    const char* Name;
    int Entries;
    bool AllDrives, Held, Exported, Guarded;
    const char* Expected;
  };
  const Row rows[] = {
      {"empty list", 0, false, false, false, false, "New Load Import Options Font AllDrives Folder"},
      {"a list", 1, false, false, false, false,
       "New Append Save Load Import Export View Options Font AllDrives Folder"},
      {"all drives grey the selectors out", 0, true, false, false, false, "New Load Import Options Font AllDrives"},
      {"an export just opened", 1, false, false, true, true,
       "New Append Save Load Import Export View Options Font AllDrives Folder"},
      {"a window holding the commands", 1, false, true, true, false, ""},
  };
  for (const Row& r : rows) {
    Window w(r.Entries);
    w.options.Dialog.SearchAllDrives = r.AllDrives ? 1 : 0;
    w.rules.HoldCommands(r.Held);
    if (r.Exported) w.rules.SetLastExportFile("/exports/list.html");
    w.rules.GuardExtView(r.Guarded);
    EXPECT_EQ(Enabled(w.rules.Commands()), r.Expected) << r.Name;
  }
}

TEST(MainWindowRules, CloseRequests) {
  struct Row {
    const char* Name;
    int UnsavedEntries;
    std::uint16_t Threshold;
    bool Busy, Fading;
    std::optional<bool> Reply;  // none: no question expected
    std::optional<CloseQuestion> Asked;
    CloseStep Expected;
  };
  const Row rows[] = {
      {"threshold 0 never asks", 600, 0, false, false, {}, {}, CloseStep::Close},
      {"unsaved at the threshold, no", 500, 500, false, false, false, CloseQuestion::Unsaved, CloseStep::Stay},
      {"fading", 0, 500, false, true, {}, {}, CloseStep::FadeOut},
      {"running, no", 600, 500, true, false, false, CloseQuestion::Running, CloseStep::Stay},
      {"running, yes: no unsaved-list question", 600, 500, true, true, true, CloseQuestion::Running,
       CloseStep::AfterOperation},
  };
  for (const Row& r : rows) {
    Window w(r.UnsavedEntries, r.Fading);
    w.list.Unsaved = r.UnsavedEntries > 0;
    w.options.Main.AskSaveThreshold = r.Threshold;
    w.options.Main.FadeMain = 1;
    if (r.Busy) w.rules.BeginOperation();
    std::vector<CloseQuestion> asked;
    const CloseStep step = w.rules.RequestClose(false, [&](CloseQuestion question) {
      asked.push_back(question);
      return r.Reply.value_or(true);
    });
    EXPECT_EQ(step, r.Expected) << r.Name;
    EXPECT_EQ(asked, r.Asked ? std::vector{*r.Asked} : std::vector<CloseQuestion>{}) << r.Name;
    EXPECT_EQ(w.rules.RunningFlag(), r.Busy && step == CloseStep::Stay) << r.Name << ": a yes stops the operation";
  }
}

TEST(MainWindowRules, FilesFromLaterCopiesWaitForAFreeWindow) {
  Window w(0);
  w.rules.QueueFile("/lists/a.ordl");
  w.rules.QueueFile("/lists/b.ordl");
  w.rules.BeginOperation();
  EXPECT_FALSE(w.rules.PendingFileDue()) << "an operation runs";
  EXPECT_EQ(w.rules.EndOperation(), MainWindowRules::AfterOperation::OpenPendingFiles);
  w.rules.HoldCommands(true);
  EXPECT_FALSE(w.rules.PendingFileDue()) << "the import options window is open";
  w.rules.HoldCommands(false);
  ASSERT_TRUE(w.rules.PendingFileDue());
  EXPECT_EQ(w.rules.TakePendingFile(), "/lists/a.ordl") << "in the order they came";
  EXPECT_EQ(w.rules.RequestClose(false, [](CloseQuestion) { return true; }), CloseStep::Close);
  EXPECT_FALSE(w.rules.PendingFileDue()) << "the window is closing";
}

TEST(MainWindowRules, StartupListsCommandLineFirstThenTheOptionsChoice) {
  struct Row {
    std::string CommandLine;
    std::uint8_t StartupLoad;
    std::string LastSaved, StartupFile;
    std::vector<std::string> Expected;
  };
  const Row rows[] = {
      {"cl.ordl", 1, "saved.ordl", "start.ordl", {"cl.ordl", "saved.ordl"}},
      {"", 2, "saved.ordl", "start.ordl", {"start.ordl"}},
      {"", 1, "", "start.ordl", {}},
  };
  for (const Row& r : rows) {
    AppOptions options{};
    options.Main.StartupLoad = r.StartupLoad;
    options.Dialog.LastSavedList.Set(r.LastSaved);
    options.Main.StartupListFile.Set(r.StartupFile);
    EXPECT_EQ(StartupLists(r.CommandLine, options), r.Expected) << r.CommandLine << " / " << int{r.StartupLoad};
  }
}

int Characters(std::string_view text) { return static_cast<int>(CharacterCount(text)); }

TEST(StatusCut, TheFirstCharactersGiveWayToDotsUntilTheTextFits) {
  struct Row {
    const char* Text;
    int MaxWidth;
    const char* Expected;
  };
  const Row rows[] = {
      {"/music/song", 10, "...ic/song"},
      // Characters of several bytes stay whole.
      {"\xC3\xA9t\xC3\xA9 \xF0\x9F\x8E\xB5\xF0\x9F\x8E\xB5", 5, "...\xF0\x9F\x8E\xB5\xF0\x9F\x8E\xB5"},
  };
  for (const Row& r : rows) EXPECT_EQ(CutFromFront(r.Text, r.MaxWidth, Characters), r.Expected) << r.Text;
}

// The opacities a fade passes through until it ends, `allowed` until tick `allowedTicks`.
std::vector<int> Opacities(WindowFade& fade, FadeDirection direction, int allowedTicks = 1000) {
  std::vector<int> seen;
  fade.Start(direction);
  for (int tick = 0; fade.Tick(tick < allowedTicks); ++tick) seen.push_back(fade.Opacity());
  return seen;
}

TEST(WindowFade, InRisesBy15ToOpaqueOutFallsToZeroAndSwitchedOffHalfWayEndsOpaque) {
  WindowFade fade;
  fade.MakeTransparent();
  const std::vector<int> in = Opacities(fade, FadeDirection::In);
  EXPECT_EQ(std::vector({int(in.size()), in.front(), in.back(), int(fade.FadedOut())}), std::vector({17, 15, 255, 0}));
  const std::vector<int> out = Opacities(fade, FadeDirection::Out);
  EXPECT_EQ(std::vector({int(out.size()), out.front(), out.back(), int(fade.FadedOut())}),
            std::vector({17, 240, 0, 1}));
  fade.MakeTransparent();
  EXPECT_EQ(Opacities(fade, FadeDirection::In, 3), (std::vector{15, 30, 45}));
  EXPECT_TRUE(fade.Opacity() == 255 && !fade.FadedOut()) << "never left translucent";
}

}  // namespace
}  // namespace ordonna
