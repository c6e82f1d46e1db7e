// The duplicates search and the comparison run from their windows beside the same runs of
// `ordonna-cli` on the same lists and settings: total time, the longest gap between two
// rounds of the window's event loop during the run, and peak resident memory. The lists are
// the varied names of the match benchmark: 256K titles searched for duplicates (automatic,
// 80 %), 100K against 100K compared (action 7). Prints figures, asserts nothing.
//   bench_match_window CLI [TITLES] [COMPARED]   (run by bench/match_window.sh)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include "config/AppOptions.h"
#include "listfile/ListFileCommands.h"
#include "match/NameGenerator.h"
#include "platform/Platform.h"
#include "ui/Dialogs.h"
#include "ui/MainUnit.h"
#include "ui/ViewUnit.h"

namespace ordonna {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

struct RunFigures {
  double Seconds = 0;
  double LongestGapMs = 0;
  double LongestGapAt = 0;  // seconds into the run
  long PeakMegabytes = 0;
};

// Every question answered yes; the file choosers give the comparison's files; windows run by
// `Modal`.
class BenchDialogs final : public Dialogs {
 public:
  Answer AskMessage(const QString&, const QString&, bool, Answer) override { return Answer::Yes; }
  bool AskOkCancel(const QString&, const QString&) override { return true; }
  void ShowMessage(const QString& text, const QString&, MessageKind) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
  }
  QString ChooseSaveFile(const FileDialogRequest&) override { return SaveFile; }
  QString ChooseOpenFile(const FileDialogRequest&) override { return OpenFile; }
  std::optional<QFont> ChooseFont(const QFont&) override { return std::nullopt; }
  std::optional<QColor> ChooseColor(const QColor&, std::array<QColor, 16>&) override { return std::nullopt; }
  bool RunModal(QDialog& dialog) override { return Modal ? Modal(dialog) : false; }
  bool OpenDocument(const QString&) override { return false; }

  QString OpenFile;
  QString SaveFile;
  std::function<bool(QDialog&)> Modal;
};

// Runs `arguments` as a child process with its output discarded: elapsed time and its peak memory.
RunFigures RunCli(const std::vector<std::string>& arguments) {
  std::fflush(stdout);
  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "%s failed\n", arguments[1].c_str());
  return {.Seconds = Seconds(start), .PeakMegabytes = usage.ru_maxrss / 1024};
}

// The lists, written by a child process so that this one's peak memory stays the window's.
void WriteLists(const std::string& folder, std::size_t titles, std::size_t compared) {
  const pid_t child = fork();
  if (child == 0) {
    auto write = [](const std::string& path, const std::vector<ListEntry>& entries, std::size_t first, std::size_t step,
                    std::size_t count) {
      EntryList list;
      for (std::size_t i = first; i < entries.size() && list.ItemCount() < count; i += step) {
        list.AppendEntry(entries[i]);
      }
      if (!WriteListFile(path, list, kNoSortOrder).ok()) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    };
    write(folder + "/titles.ordl", testing::NameGenerator(2026).Entries(titles, {}), 0, 1, titles);
    // Alternate entries of one list, so that its near-duplicates fall on either side.
    const std::vector<ListEntry> both = testing::NameGenerator(7).Entries(compared * 2, {.NearDuplicates = 0.3});
    write(folder + "/current.ordl", both, 0, 2, compared);
    write(folder + "/external.ordl", both, 1, 2, compared);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
}

// Runs a progress window as the program does (exec) until its run has finished, noting the
// longest time between two ticks of a 5 ms timer on its event loop (the longest a key or
// click would wait, plus up to 5 ms); then closes it ("&DELETE" applies the deletions).
std::function<bool(QDialog&)> WatchProgress(RunFigures& figures, Clock::time_point& start) {
  return [&figures, &start](QDialog& window) {
    auto* close = window.findChild<QPushButton*>(QStringLiteral("CloseBut"));
    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
      const double gap = static_cast<double>(sinceTick.nsecsElapsed()) / 1e6;
      if (gap > figures.LongestGapMs) {
        figures.LongestGapMs = gap;
        figures.LongestGapAt = Seconds(start);
      }
      sinceTick.restart();
      if (!close->isVisible()) return;
      figures.Seconds = Seconds(start);
      tick.stop();
      close->click();
    });
    tick.start(5);
    window.exec();
    return false;
  };
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// Starts the program's windows over `list` (loaded as from the command line), opens the
// viewer and presses its `button`; `settingsWindow` plays the settings window up to "&GO".
RunFigures RunFromViewer(int argc, char* argv[], const std::string& list, const char* button,
                         const std::function<void(BenchDialogs&, QDialog&)>& settingsWindow) {
  QApplication app(argc, argv);
  std::unique_ptr<Platform> host = MakeHostPlatform();
  BenchDialogs dialogs;
  RunFigures figures;
  Clock::time_point start;
  TMainForm form(MainFormSetup{*host, dialogs, false, list, {}});
  if (!form.LoadSettings()) return figures;
  form.Options().Dialog.ViewerMaximized = 0;
  form.show();
  while (form.List().ItemCount() == 0) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  form.findChild<QPushButton*>(QStringLiteral("ViewBut"))->click();
  auto* viewer = form.findChild<TViewForm*>();
  const std::function<bool(QDialog&)> progress = WatchProgress(figures, start);
  bool settingsDone = false;
  dialogs.Modal = [&](QDialog& window) {
    if (settingsDone) return progress(window);
    settingsDone = true;
    settingsWindow(dialogs, window);
    start = Clock::now();
    window.findChild<QPushButton*>(QStringLiteral("GoBut"))->click();
    return window.result() == QDialog::Accepted;
  };
  viewer->findChild<QPushButton*>(QString::fromUtf8(button))->click();
  viewer->close();
  form.List().Unsaved = false;
  figures.PeakMegabytes = PeakMegabytes();
  return figures;
}

// Runs `run` in a child process, so that its peak memory is its own, and hands back its figures.
template <typename Run>
RunFigures InChildProcess(Run run) {
  int channel[2];
  if (pipe(channel) != 0) return {};
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const RunFigures figures = run();
    (void)!write(channel[1], &figures, sizeof figures);
    _exit(0);
  }
  close(channel[1]);
  RunFigures figures;
  if (read(channel[0], &figures, sizeof figures) != sizeof figures) std::fprintf(stderr, "the window run failed\n");
  close(channel[0]);
  waitpid(child, nullptr, 0);
  return figures;
}

void Print(const char* what, const RunFigures& cli, const RunFigures& window) {
  std::printf(
      "%-34s cli %6.2f s, %5ld MB peak | window %6.2f s (%.2fx, target <= 1.1x), %5ld MB peak (+%ld MB, "
      "target <= 64), longest event-loop gap %.1f ms at %.1f s (target <= 50)\n",
      what, cli.Seconds, cli.PeakMegabytes, window.Seconds, window.Seconds / std::max(cli.Seconds, 1e-6),
      window.PeakMegabytes, window.PeakMegabytes - cli.PeakMegabytes, window.LongestGapMs, window.LongestGapAt);
}

}  // namespace
}  // namespace ordonna

int main(int argc, char* argv[]) {
  using namespace ordonna;
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_match_window CLI [TITLES] [COMPARED]\n");
    return 2;
  }
  const std::string cli = argv[1];
  const std::size_t titles = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 262144;
  const std::size_t compared = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 100000;
  const std::string folder = (std::filesystem::temp_directory_path() / "ordonna-match-window-bench").string();
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder + "/home");
  WriteLists(folder, titles, compared);

  // One settings file for both: automatic at 80 %, comparison action 7 with an ORDL list, and
  // the window's worker at normal priority like the command line (the factory default, low,
  // lets any other work on the machine go first).
  const std::string settings = folder + "/home/ordonna.ini";
  RunCli({cli, "config", "init", settings});
  RunCli({cli, "config", "set", settings, "MatchPercent=80", "MatchAction=0", "CompareAction=7", "CompareWith=0",
          "ThreadPriority=1"});
  const RunFigures cliDupes = RunCli({cli, "dupes", "--options", settings, "--quiet", "--yes", "--json", "--percent",
                                      "80", "--action", "auto", folder + "/titles.ordl"});
  const RunFigures cliCompare =
      RunCli({cli, "compare", "--options", settings, "--ordl", "--action", "7", "--quiet", "--yes", "-o",
              folder + "/cli-matches.txt", folder + "/current.ordl", folder + "/external.ordl"});

  setenv("ORDONNA_HOME", (folder + "/home").c_str(), 1);
  const RunFigures windowDupes = InChildProcess(
      [&] { return RunFromViewer(argc, argv, folder + "/titles.ordl", "DupBut", [](BenchDialogs&, QDialog&) {}); });
  const RunFigures windowCompare = InChildProcess([&] {
    return RunFromViewer(argc, argv, folder + "/current.ordl", "CompBut", [&](BenchDialogs& dialogs, QDialog& window) {
      dialogs.OpenFile = QString::fromStdString(folder + "/external.ordl");
      dialogs.SaveFile = QString::fromStdString(folder + "/window-matches.txt");
      auto* with = window.findChild<QComboBox*>(QStringLiteral("WithCombo"));
      with->setCurrentIndex(0);
      emit with->activated(0);
      auto* action = window.findChild<QComboBox*>(QStringLiteral("ActionCombo"));
      action->setCurrentIndex(7);
      emit action->activated(7);
      window.findChild<QPushButton*>(QStringLiteral("ButLoadFile"))->click();
      window.findChild<QPushButton*>(QStringLiteral("ButSaveFile"))->click();
    });
  });

  std::printf("%zu titles searched for duplicates (automatic, 80 %%); %zu x %zu compared (action 7)\n", titles,
              compared, compared);
  Print("duplicates search", cliDupes, windowDupes);
  Print("comparison", cliCompare, windowCompare);
  std::filesystem::remove_all(folder);
  return 0;
}
