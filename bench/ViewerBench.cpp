// Viewer figures for a list of 262,144 entries with every column and automatic widths: from
// the View click to the painted grid, the resident memory the open viewer adds, a header
// sort by file name, deleting 10,000 selected rows and undoing, scroll-step repaints, a find
// that wraps and finds nothing, and making and leaving a filtered list of half the entries.
// Run by bench/viewer.sh (a Release build, drawn offscreen).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "config/AppOptions.h"
#include "core/Caller.h"
#include "core/ListStore.h"
#include "core/Sort.h"
#include "export/FieldStyle.h"
#include "platform/Platform.h"
#include "ui/Dialogs.h"
#include "ui/MainUnit.h"
#include "ui/ViewGrid.h"
#include "ui/ViewUnit.h"
#include "view/ColumnWidths.h"
#include "view/Columns.h"
#include "view/NameSearch.h"

namespace ordonna {
namespace {

constexpr std::uint32_t kEntries = 262144;
constexpr int kDeleted = 10000;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// This process's processor time: on a machine shared with other work it tells the program's
// own cost beside the elapsed time.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Elapsed and processor time of one measured step.
struct Stopwatch {
  Clock::time_point Start = Clock::now();
  double CpuStart = CpuSeconds();
};

// Every question answered `Reply`, every file dialog cancelled, windows run by `Modal`.
class YesDialogs final : public Dialogs {
 public:
  Answer AskMessage(const QString&, const QString&, bool, Answer) override { return Reply; }
  bool AskOkCancel(const QString&, const QString&) override { return true; }
  void ShowMessage(const QString& text, const QString&, MessageKind) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
  }
  Answer Reply = Answer::Yes;
  QString ChooseSaveFile(const FileDialogRequest&) override { return {}; }
  QString ChooseOpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<QFont> ChooseFont(const QFont&) override { return std::nullopt; }
  std::optional<QColor> ChooseColor(const QColor&, std::array<QColor, 16>&) override { return std::nullopt; }
  bool RunModal(QDialog& dialog) override { return Modal ? Modal(dialog) : false; }
  bool OpenDocument(const QString&) override { return false; }

  std::function<bool(QDialog&)> Modal;
};

// Answers every question yes and keeps quiet: the search alone, without the windows.
class QuietCaller final : public Caller {
 public:
  Answer AskYesNo(std::string_view, std::string_view, Answer) override { return Answer::Yes; }
  Answer AskYesNoCancel(std::string_view, std::string_view, Answer) override { return Answer::Yes; }
  void ShowMessage(std::string_view, std::string_view, MessageKind) override {}
  void SetStatus(std::string_view) override {}
  void ProcessEvents() override {}
  bool Running() const override { return false; }
};

// Plays the find window: `text`, then the button named `button`.
std::function<bool(QDialog&)> FindWindowPress(const char* text, const char* button) {
  return [text, button](QDialog& window) {
    window.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QString::fromUtf8(text));
    window.findChild<QPushButton*>(QString::fromUtf8(button))->click();
    return window.result() == QDialog::Accepted;
  };
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return 0;
}

// A collector's list: twelve titles per album, every field determined, in random order.
void FillList(ListStore& list) {
  std::vector<std::uint32_t> order(kEntries);
  for (std::uint32_t i = 0; i < kEntries; ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  list.Working().SetCapacity(kEntries);
  for (std::uint32_t i : order) {
    ListEntry entry = UndeterminedEntry();
    char text[96];
    std::snprintf(text, sizeof text, "Artist %05u - Song title number %u (%s)", i / 12, i, i % 2 ? "studio" : "live");
    entry.FileName.Set(text);
    std::snprintf(text, sizeof text, "/home/user/Music/Artist %05u/Album %06u", i / 12, i / 12);
    entry.Folder.Set(text);
    entry.VolumeLabel.Set("MUSIC");
    entry.BitrateCode = static_cast<std::uint8_t>(1 + i % 14);
    entry.SizeKB = static_cast<std::int32_t>(3000 + i % 9000);
    entry.Frames = static_cast<std::int32_t>(5000 + i % 20000);
    entry.StereoMode = static_cast<std::uint8_t>(i % 4);
    entry.FrequencyCode = static_cast<std::uint8_t>(i % 3);
    entry.FileDate = static_cast<std::int32_t>(36000 + i % 9000);
    entry.DateAdded = static_cast<std::int32_t>(44000 + i % 1000);
    list.AppendEntry(entry);
  }
}

// Processes events until the grid has been painted once more.
void WaitForPaint(QTableView& grid) {
  bool painted = false;
  struct PaintWatch final : QObject {
    bool& Painted;
    explicit PaintWatch(bool& painted) : Painted(painted) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) Painted = true;
      return false;
    }
  } watch(painted);
  grid.viewport()->installEventFilter(&watch);
  grid.viewport()->update();
  while (!painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  grid.viewport()->removeEventFilter(&watch);
}

void Report(const char* what, const Stopwatch& watch, double target) {
  std::printf("%-46s %7.3f s elapsed, %7.3f s processor   (target <= %g s)\n", what, Seconds(watch.Start),
              CpuSeconds() - watch.CpuStart, target);
}

}  // namespace
}  // namespace ordonna

int main(int argc, char* argv[]) {
  using namespace ordonna;
  const std::filesystem::path home = std::filesystem::temp_directory_path() / "ordonna-viewer-bench";
  std::filesystem::create_directories(home);
  setenv("ORDONNA_HOME", home.c_str(), 1);
  QApplication app(argc, argv);
  std::unique_ptr<Platform> host = MakeHostPlatform();
  YesDialogs dialogs;
  TMainForm form(MainFormSetup{*host, dialogs, false, {}, {}});
  if (!form.LoadSettings()) return 1;
  MainOptions& main = form.Options().Main;
  for (std::uint8_t* flag :
       {&main.Enumerate, &main.InfoTime, &main.InfoKbps, &main.InfoSize, &main.InfoStereo, &main.InfoFrequency,
        &main.InfoDateCreated, &main.InfoPath, &main.InfoDateAdded, &main.InfoVolumeLabel}) {
    *flag = 1;
  }
  main.ViewerManualColWidth = 0;
  main.SortField = 7;  // path
  form.Options().Dialog.ViewerMaximized = 0;
  form.Options().Places.ViewerWidth = 1200;
  form.Options().Places.ViewerHeight = 800;
  form.show();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();

  FillList(form.List());
  form.List().SortState = kNoSortOrder;
  form.EnableListCommands();
  QCoreApplication::processEvents();
  const long listAlone = ResidentKilobytes();

  // Side by side, the list's own work: sorting by file name and measuring the columns.
  {
    EntryList copy = form.List().Working();
    Stopwatch watch;
    SortList(copy.Entries(), SortSettingsOf(kSortFilename));
    Report("(peer) the list sort by file name alone", watch, 0.8);
    const ColumnLayout layout = BuildColumnLayout(main);
    const CellFormatter cells(FieldStyleOf(form.Options(), "%d.%m.%Y"), copy.ItemCount());
    Stopwatch widths;
    const std::vector<int> measured = AutomaticWidths(copy, layout, cells, GridTextWidth(QFont()));
    Report("(peer) the automatic widths alone", widths, 0.5);
    QuietCaller quiet;
    SearchMemory memory;
    memory.FindText = "no such name";
    Stopwatch search;
    SearchNames(copy.Entries(), kEntries / 2, false, memory, quiet);
    Report("(peer) the name search alone, wrapped once", search, 0.02);
    ListStore alone;
    alone.Working() = std::move(copy);
    ListViewer viewer(alone, form.Options(), home.string());
    Stopwatch filter;
    viewer.ApplyFilter(NameMatcher("(live)", false), {}, quiet);
    Report("(peer) the filter alone", filter, 0.5);
    Stopwatch unfilter;
    viewer.Unfilter({}, quiet);
    Report("(peer) the unfilter alone", unfilter, 0.5);
  }

  Stopwatch watch;
  form.findChild<QPushButton*>(QStringLiteral("ViewBut"))->click();
  auto* viewer = form.findChild<TViewForm*>();
  auto* grid = viewer->findChild<QTableView*>(QStringLiteral("SG1"));
  WaitForPaint(*grid);
  Report("View click to painted grid", watch, 0.5);
  std::printf("%-46s %7.1f MB   (target <= 64 MB)\n", "resident memory added by the open viewer",
              static_cast<double>(ResidentKilobytes() - listAlone) / 1024.0);

  watch = Stopwatch();
  emit grid->horizontalHeader()->sectionClicked(1);
  WaitForPaint(*grid);
  Report("header sort by file name, rebuilt and painted", watch, 0.8);

  const int first = 100000;
  grid->setCurrentIndex(grid->model()->index(first, 1));
  grid->selectionModel()->select(
      QItemSelection(grid->model()->index(first, 0), grid->model()->index(first + kDeleted - 1, 0)),
      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  watch = Stopwatch();
  viewer->findChild<QPushButton*>(QStringLiteral("DelBut"))->click();
  WaitForPaint(*grid);
  Report("deleting 10,000 selected rows", watch, 0.3);
  if (form.List().ItemCount() != kEntries - kDeleted) std::fprintf(stderr, "the deletion did not happen\n");
  watch = Stopwatch();
  viewer->findChild<QPushButton*>(QStringLiteral("UndoBut"))->click();
  WaitForPaint(*grid);
  Report("undoing that deletion", watch, 0.3);
  if (form.List().ItemCount() != kEntries) std::fprintf(stderr, "the undo did not happen\n");

  // A row step lets the grid move its picture and paint the new row, as the arrow keys and
  // the mouse wheel do; a page step paints every visible cell.
  QScrollBar& scroll = *grid->verticalScrollBar();
  for (auto [action, name] : {std::pair{QAbstractSlider::SliderSingleStepAdd, "scroll step (one row), painted"},
                              std::pair{QAbstractSlider::SliderPageStepAdd, "scroll step (one page), painted"}}) {
    double worst = 0;
    double total = 0;
    constexpr int kSteps = 200;
    const double cpuStart = CpuSeconds();
    for (int i = 0; i < kSteps; ++i) {
      const Clock::time_point start = Clock::now();
      scroll.triggerAction(action);
      QCoreApplication::processEvents();
      const double took = Seconds(start) * 1000;
      worst = std::max(worst, took);
      total += took;
    }
    std::printf("%-46s %7.2f ms mean, %.2f ms worst elapsed, %.2f ms processor mean   (target <= 16 ms)\n", name,
                total / kSteps, worst, (CpuSeconds() - cpuStart) * 1000 / kSteps);
  }

  // Ctrl+F, a text no name holds, Find Next from the middle: the search runs to the end and
  // asks to go on from the beginning (no). Then F3 from there: it runs to the end, asks again
  // (yes), runs up to the cursor and says "Not found".
  grid->setCurrentIndex(grid->model()->index(static_cast<int>(kEntries / 2), 1));
  dialogs.Modal = FindWindowPress("no such name", "ButFindNext");
  dialogs.Reply = Answer::No;
  QTest::keyClick(viewer, Qt::Key_F, Qt::ControlModifier);
  dialogs.Reply = Answer::Yes;
  watch = Stopwatch();
  QTest::keyClick(viewer, Qt::Key_F3);
  Report("find next (F3), nothing found, wrapped once", watch, 0.02);

  // Fi&lter on a text half the names hold, the notice not shown; then UNF&ILTER.
  form.Options().Dialog.SkipFilterMsgDontShow = 1;
  dialogs.Modal = FindWindowPress("(live)", "ButFilt");
  watch = Stopwatch();
  QTest::keyClick(viewer, Qt::Key_F, Qt::ControlModifier);
  WaitForPaint(*grid);
  Report("filter keeping half the entries, painted", watch, 0.5);
  if (form.List().ItemCount() != kEntries / 2) std::fprintf(stderr, "the filter did not happen\n");
  watch = Stopwatch();
  viewer->findChild<QPushButton*>(QStringLiteral("InsBut"))->click();
  WaitForPaint(*grid);
  Report("unfiltering back to the full list, painted", watch, 0.5);
  if (form.List().ItemCount() != kEntries) std::fprintf(stderr, "the unfilter did not happen\n");

  viewer->close();
  std::filesystem::remove_all(home);
  return 0;
}
