// The options window's rules without a window: typed numbers, the header row rule, the
// warnings, the dependent controls and the cancel that puts MainOptions back byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <random>

#include "config/ConfigFile.h"
#include "ui/logic/OptionsWindowRules.h"

namespace ordonna {
namespace {

AppOptions Factory() {
  AppOptions options{};
  SetFactoryDefaults(options, FactoryContext{1024, 768, "/opt/ordonna"});
  return options;
}

bool SameMain(const MainOptions& a, const MainOptions& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(OptionsWindowRules, TypedNumbersAreStoredOnlyWhenValidAndRepairedOnLeaving) {
  AppOptions options = Factory();
  OptionsWindowRules rules(options);
  const AppOptions before = options;
  EXPECT_FALSE(rules.TypeNumber("CellPadding", "1a"));
  EXPECT_TRUE(SameMain(options.Main, before.Main));
  EXPECT_EQ(rules.LeaveNumber("CellPadding", "1a"), "0");
  // An invalid text on leaving brings back the value from the opening, not the last valid one.
  ASSERT_TRUE(rules.TypeNumber("MaxSizeMB", "300"));
  EXPECT_FALSE(rules.TypeNumber("MaxSizeMB", "3000"));
  EXPECT_EQ(options.Main.MaxSizeMB, 300);
  EXPECT_EQ(rules.LeaveNumber("MaxSizeMB", "3000"), "2048");
  EXPECT_EQ(options.Main.MaxSizeMB, 2048);
}

// Export type plain HTML, header and footer files, commas, space filling to 30.
AppOptions BeforeHeaderRow() {
  AppOptions options = Factory();
  options.Main.ExportType = 1;
  options.Main.HeaderFromFile = 1;
  options.Main.FooterFromFile = 1;
  options.Main.Delimiter = 0;
  options.Main.PadFilenameTo = 30;
  return options;
}

TEST(OptionsWindowRules, HeaderRowOverridesFiveSettingsAndGivesThemBack) {
  AppOptions options = BeforeHeaderRow();
  OptionsWindowRules rules(options);
  EXPECT_EQ(rules.SetHeaderRowTabs(true).size(), 5u) << "every caption turns blue";
  const MainOptions& main = options.Main;
  EXPECT_TRUE(main.HeaderRowTabs == 1 && main.ExportType == 0 && main.Delimiter == 5 &&
              main.HeaderFromFile + main.FooterFromFile + main.PadFilenameTo == 0);
  rules.SetHeaderRowTabs(false);
  EXPECT_TRUE(SameMain(main, BeforeHeaderRow().Main)) << "switching off restores all five";
  // Changing one of them while the row is on: the row goes off, the other four come back and
  // the changed one keeps the user's value.
  AppOptions changed = BeforeHeaderRow();
  OptionsWindowRules changedRules(changed);
  changedRules.SetHeaderRowTabs(true);
  (void)changedRules.SetExportType(3);
  AppOptions expected = BeforeHeaderRow();
  expected.Main.ExportType = 3;
  EXPECT_TRUE(SameMain(changed.Main, expected.Main));
  // Settings that agree with the row leave it on.
  AppOptions kept = BeforeHeaderRow();
  OptionsWindowRules keptRules(kept);
  keptRules.SetHeaderRowTabs(true);
  (void)keptRules.SetExportType(0);
  (void)keptRules.SetDelimiter(5);
  (void)keptRules.TypeNumber("PadFilenameTo", "0");
  keptRules.SetHeaderFromFile(false);
  EXPECT_EQ(kept.Main.HeaderRowTabs, 1);
}

TEST(OptionsWindowRules, WarningsOfTheControls) {
  using Change = std::function<std::optional<OptionsMessage>(OptionsWindowRules&)>;
  struct Row {
    const char* Action;
    std::function<void(MainOptions&)> Before;
    Change Act;
    std::optional<OptionsMessage> Warning;
  };
  const Row rows[] = {
      {"HTML table with tabs", [](MainOptions& m) { m.Delimiter = 5; },
       [](OptionsWindowRules& r) { return r.SetExportType(2); }, std::nullopt},
      {"background panel, box clear", [](MainOptions&) {},
       [](OptionsWindowRules& r) { return r.ColorPanelRefusal(ColorPanel::Background); },
       OptionsMessage::BgColorNotEnabled},
  };
  for (const Row& row : rows) {
    AppOptions options = Factory();
    row.Before(options.Main);
    OptionsWindowRules rules(options);
    EXPECT_EQ(row.Act(rules), row.Warning) << row.Action;
  }
  // Once cancelling has begun, nothing warns.
  AppOptions options = Factory();
  options.Main.Delimiter = 5;
  OptionsWindowRules rules(options);
  rules.Cancel();
  EXPECT_EQ(rules.SetExportType(1), std::nullopt);
}

TEST(OptionsWindowRules, DependentControlsAndDarkColours) {
  AppOptions options = Factory();
  OptionsWindowRules rules(options);
  for (std::uint8_t field = 0; field < 10; ++field) {
    options.Main.SortField = field;
    options.Main.SortList = 1;
    EXPECT_EQ(rules.CaseSensitiveEnabled(), field == 0 || field == 7 || field == 9) << int{field};
    options.Main.SortList = 0;
    EXPECT_FALSE(rules.CaseSensitiveEnabled() || rules.SortControlsEnabled());
  }
  EXPECT_TRUE(TooDark(0x404040));
  EXPECT_FALSE(TooDark(0x414040)) << "blue 65";
}

TEST(OptionsWindowRules, CancelPutsTheBlockBackByteForByteAfterAnyChanges) {
  std::mt19937 random(19);
  for (int round = 0; round < 30; ++round) {
    AppOptions options = BeforeHeaderRow();
    options.Main.TextHeaderFile.Set("/a/longer/header/name.txt");
    const AppOptions opened = options;
    OptionsWindowRules rules(options);
    for (int step = 0; step < 12; ++step) {
      const auto value = static_cast<std::uint8_t>(random() % 6);
      switch (random() % 8) {
        case 0: rules.SetHeaderRowTabs(value % 2 == 0); break;
        case 1: (void)rules.SetExportType(value % 4); break;
        case 2: (void)rules.SetDelimiter(value); break;
        case 3: rules.SetHeaderFromFile(value % 2 == 0); break;
        case 4: (void)rules.TypeNumber("PadFilenameTo", std::to_string(value * 7)); break;
        case 5: options.Main.TextHeaderFile.Set("/b"); break;
        case 6: rules.Defaults(); break;
        default: options.Main.TableFontSize = value; break;
      }
    }
    EXPECT_EQ(rules.ChangedSinceOpen(), !SameMain(options.Main, opened.Main));
    rules.Cancel();
    ASSERT_TRUE(SameMain(options.Main, opened.Main)) << "round " << round;
    EXPECT_FALSE(rules.ChangedSinceOpen());
  }
}

TEST(OptionsWindowRules, TheViewerRedoesWhatChanged) {
  const MainOptions before = Factory().Main;
  MainOptions after = before;
  after.SortCaseSensitive = 1;
  EXPECT_TRUE(SortSettingsDiffer(before, after) && !ViewerColumnsDiffer(before, after) &&
              !ViewerCellsDiffer(before, after));
  after.InfoStereo = 1;
  EXPECT_TRUE(ViewerColumnsDiffer(before, after) && !ViewerCellsDiffer(before, after));
  MainOptions cells = before;
  cells.ViewerColumnWidths[kViewerColumnCount - 1] += 1;
  EXPECT_TRUE(ViewerCellsDiffer(before, cells) && !ViewerColumnsDiffer(before, cells));
}

}  // namespace
}  // namespace ordonna
