// The main window under Qt Test: its wiring to the rules ui_logic_tests pin without a window,
// the scan's button swap and cancel, closing during a scan, saving, loading, exporting and
// importing through the window, fonts, the windows it opens, files sent by later copies, and the
// window staying responsive during a scan.
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <filesystem>

#include "config/ConfigFile.h"
#include "core/ListStore.h"
#include "platform/SingleInstance.h"
#include "support/Mp3Builder.h"
#include "ui/ImportUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

bool Enabled(QWidget& form, const char* name) { return Find<QWidget>(form, name).isEnabled(); }

void Click(QWidget& form, const char* name, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseClick(&Find<QPushButton>(form, name), Qt::LeftButton, modifiers);
}

QString Q(const std::string& text) { return QString::fromStdString(text); }
template <class Text>
QString V(const Text& stored) {
  return Q(std::string(stored.View()));
}

// The status line, the entry count and the unsaved mark, compared as one.
QString ListState(TMainForm& form) {
  return QStringLiteral("%1 [%2%3]")
      .arg(form.StatusText())
      .arg(form.List().ItemCount())
      .arg(form.List().Unsaved ? " unsaved" : "");
}

// Clicks `button` and runs `during` once, from the first round of pending events the operation
// started by the click processes; false when it processed none.
bool ClickAndActDuring(QWidget& button, const std::function<void()>& during) {
  bool done = false;
  QTimer timer;
  timer.setInterval(0);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (done) return;
    done = true;
    during();
  });
  timer.start();
  QTest::mouseClick(&button, Qt::LeftButton);
  timer.stop();
  return done;
}

// Writes `count` small MP3 files of `frames` frames each ("song001.mp3", ...) into `folder`.
void WriteMp3Files(const std::string& folder, int count, int frames = 40) {
  const std::string bytes = Frames(frames, FrameSpec{}, true);
  for (int i = 1; i <= count; ++i)
    WriteFileBytes(folder + QStringLiteral("/song%1.mp3").arg(i, 3, 10, QChar('0')).toStdString(), bytes);
}

// Starts the window with `music`, holding `files` MP3 files, as its scan folder.
TMainForm& StartOnMusic(WindowSession& session, const TempDir& music, int files,
                        const std::function<void(AppOptions&)>& change = {}, bool fading = false) {
  WriteMp3Files(music.Path(), files);
  session.WriteSettings([&](AppOptions& o) {
    o.Dialog.LastScanFolder.Set(music.Path());
    if (change) change(o);
  });
  return session.Start({}, fading);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void commandStatesFollowTheScanAndCancelOrEscStopsIt();
  void closeDuringAScanWaitsForTheScanToReturnThenFades();
  void startUpListAndStatusLine();
  void saveAndLoadThroughTheWindow();
  void placeFolderAndFontControls();
  void exportAndImportThroughTheWindow();
  void scanKeepsTheWindowResponsiveAndCancelActsQuickly();
};

void MainWindowTest::commandStatesFollowTheScanAndCancelOrEscStopsIt() {
  WindowSession session;
  TempDir music;
  TMainForm& form = StartOnMusic(session, music, 5);
  QVERIFY(QTest::qWaitForWindowActive(&form));
  auto& startBut = Find<QPushButton>(form, "StartBut");
  auto& cancel = Find<QPushButton>(form, "Cancelbutton");
  auto& apbut = Find<QWidget>(form, "apbut");
  QVERIFY(ClickAndActDuring(startBut, [&] {
    QVERIFY(startBut.isHidden() && apbut.isHidden() && cancel.isVisible() && !Enabled(form, "Dir1"));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY2(!form.Running(), "Esc clears the running flag");
  }));
  QCOMPARE(ListState(form), QStringLiteral("Cancelled. [0]"));
  QVERIFY(cancel.isHidden() && startBut.isVisible() && apbut.isVisible());
  QTest::mouseClick(&startBut, Qt::LeftButton);
  QCOMPARE(ListState(form), QStringLiteral("Added: 5 of 5. Total: 5 items. [5 unsaved]"));
  QVERIFY(Enabled(form, "SaveBut") && Enabled(form, "ViewBut") && !Enabled(form, "ExtViewBut"));
  // When to ask about an unsaved list is a rule (ConfirmDiscard); here the questions reach the
  // dialogs and No keeps the list and the window.
  form.Options().Main.AskSaveThreshold = 5;
  session.dialogs.ExpectQuestion({}, Answer::No);
  Click(form, "StartBut");
  QCOMPARE(ListState(form), QStringLiteral("Added: 5 of 5. Total: 5 items. [5 unsaved]"));
  session.dialogs.ExpectQuestion({}, Answer::No);
  form.close();
  QVERIFY(form.isVisible());
  QTest::mouseClick(&Find<QWidget>(form, "Incbox"), Qt::LeftButton);  // stored at once
  QCOMPARE(form.Options().Dialog.IncludeSubfolders, 0);
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

void MainWindowTest::closeDuringAScanWaitsForTheScanToReturnThenFades() {
  TempDir music;
  // Yes: the scan stops at its next test of the flag, then the window fades and closes,
  // without the unsaved-list question.
  WindowSession session;
  const char* temporary[] = {"vundo.(file).tmp", "other.tmp"};
  for (const char* name : temporary) WriteFileBytes(session.Home() + "/" + name, "x");
  auto change = [](AppOptions& o) { o.Main.AskSaveThreshold = o.Main.FadeMain = 1; };
  TMainForm& form = StartOnMusic(session, music, 20, change, true);
  QTRY_COMPARE_WITH_TIMEOUT(form.windowOpacity(), 1.0, 2000);
  std::filesystem::remove(session.Home() + "/ordonna.ini");
  session.dialogs.ExpectQuestion({}, Answer::Yes);  // the scan is running: close?
  bool stillOpen = false, stillRunning = false;
  QVERIFY(ClickAndActDuring(Find<QPushButton>(form, "StartBut"), [&] {
    form.close();
    stillOpen = form.isVisible();
    stillRunning = Find<QWidget>(form, "Cancelbutton").isVisible();
  }));
  QVERIFY2(stillOpen && stillRunning, "the window stays while the scan has not returned");
  QVERIFY2(form.isVisible() && form.StatusText() == QStringLiteral("Cancelled."), "the fade starts after the scan");
  QTRY_VERIFY_WITH_TIMEOUT(form.windowOpacity() < 0.5, 2000);
  QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 2000);
  QCOMPARE(session.dialogs.Asked.size(), 1u);
  // Only the program's own temporary files go.
  for (const char* name : temporary)
    QVERIFY2(std::filesystem::exists(session.Home() + "/" + name) == (name == temporary[1]), name);
  QVERIFY2(std::filesystem::file_size(session.Home() + "/ordonna.ini") == 7101, "the configuration is saved");
}

// The start-up order is a rule of StartupLists; here a command-line file that cannot be read
// gives way to the last saved list, silently. A double click on the status line shows it all.
// A list file sent by a later copy over the real socket is loaded.
void MainWindowTest::startUpListAndStatusLine() {
  TempDir lists;
  WriteList(lists.File("three.ordl"), 3);
  WindowSession session;
  session.WriteSettings([&](AppOptions& o) {
    o.Main.StartupLoad = 1;
    o.Dialog.LastSavedList.Set(lists.File("three.ordl"));
  });
  TMainForm& form = session.Start(lists.File("missing.ordl"));
  QCOMPARE(ListState(form) + Q(form.List().ListFileName()), QStringLiteral("Loaded 3 items. [3]three.ordl"));
  QVERIFY2(session.dialogs.Shown.empty() && session.dialogs.Asked.empty(), "start-up loads report nothing");
  const QString path = QStringLiteral("/home/ann/Music/") + QString(300, 'x');
  form.ShowStatus(path);
  QTest::mouseDClick(&Find<QLabel>(form, "Label1"), Qt::LeftButton);
  QCOMPARE(session.dialogs.Shown.back(), QStringLiteral(": ") + path);
  WriteList(lists.File("two.ordl"), 2);
  std::unique_ptr<SingleInstance> instance = AcquireSingleInstance(session.Home(), "OrdonnaOne");
  QVERIFY(instance != nullptr);
  form.WatchInstance(*instance);
  QVERIFY(SendToRunningInstance(session.Home(), "OrdonnaOne", lists.File("two.ordl")));
  QTRY_COMPARE(ListState(form), QStringLiteral("Loaded 2 items. [2]"));
}

void MainWindowTest::saveAndLoadThroughTheWindow() {
  WindowSession session;
  TempDir music;
  TempDir lists;
  TMainForm& form = StartOnMusic(session, music, 3);
  ScriptedDialogs& dialogs = session.dialogs;
  auto& saveBut = Find<QPushButton>(form, "SaveBut");
  auto& loadBut = Find<QPushButton>(form, "LoadBut");
  Click(form, "StartBut");
  // A bare name gets ".ordl".
  dialogs.ExpectFile(Q(lists.File("songs")));
  QTest::mouseClick(&saveBut, Qt::LeftButton);
  const std::string songs = lists.File("songs.ordl");
  QVERIFY(std::filesystem::exists(songs) && !form.List().Unsaved && dialogs.Shown.isEmpty());
  // ".ordl" added to a name the dialog already checked: the window asks before replacing.
  const std::string old = lists.File("old.txt.ordl");
  WriteFileBytes(old, "keep");
  dialogs.ExpectFile(Q(lists.File("old.txt")));
  dialogs.ExpectQuestion({}, Answer::No);  // replace it?
  QTest::mouseClick(&saveBut, Qt::LeftButton);
  QCOMPARE(ReadFileBytes(old), std::string("keep"));
  dialogs.ExpectFile(Q(lists.File("no-such-folder/x.ordl")));
  QTest::mouseClick(&saveBut, Qt::LeftButton);
  QVERIFY(dialogs.Shown.size() == 1 &&
          dialogs.Shown.back().startsWith(QStringLiteral("Warning: Can't write this file.")));
  // Ctrl brings the load options window back; Esc there loads nothing and puts the choices
  // back, GO appends.
  form.Options().Dialog.LoadModeDontShow = 1;
  form.Options().Main.AskSaveThreshold = 5;
  dialogs.ExpectModal([](QDialog& window) {
    auto& group = Find<QGroupBox>(window, "AppendGroup");
    QVERIFY2(!group.isEnabled(), "sorting matters only when appending");
    Find<QRadioButton>(window, "AppendRadio").click();
    QVERIFY(group.isEnabled());
    QVERIFY(ShowAndWait(window));
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  QTest::mouseClick(&loadBut, Qt::LeftButton, Qt::ControlModifier);
  QVERIFY(form.List().ItemCount() == 3 && form.Options().Dialog.LoadAppend == 0);
  dialogs.ExpectModal([](QDialog& window) {
    Find<QRadioButton>(window, "AppendRadio").click();
    Find<QRadioButton>(window, "NoSortRadio").click();
    Find<QPushButton>(window, "GoBut").click();
  });
  dialogs.ExpectFile(Q(songs));
  QTest::mouseClick(&loadBut, Qt::LeftButton, Qt::ControlModifier);
  QCOMPARE(ListState(form), QStringLiteral("Loaded 3, total 6 items. [6 unsaved]"));
  QVERIFY(form.Options().Dialog.LoadModeDontShow == 0 && form.List().SortState == 63);
  QCOMPARE(V(form.Options().Dialog.LoadFolder), Q(lists.Path()));
  // Without the window every load replaces the list, whatever LoadAppend says; replacing the
  // unsaved list asks first.
  form.Options().Dialog.LoadModeDontShow = 1;
  dialogs.ExpectFile(Q(songs));
  dialogs.ExpectQuestion({}, Answer::Yes);  // discard the unsaved list?
  QTest::mouseClick(&loadBut, Qt::LeftButton);
  QCOMPARE(ListState(form), QStringLiteral("Loaded 3 items. [3]"));
  QVERIFY_SCRIPT_DONE(dialogs);
}

// The colour from the settings, the folder tree, the font controls, the options window; what
// the window changed is in the settings file after closing.
void MainWindowTest::placeFolderAndFontControls() {
  WindowSession session;
  TempDir music;
  std::filesystem::create_directory(music.Path() + "/sub");
  session.WriteSettings([&](AppOptions& o) {
    o.Dialog.LastScanFolder.Set(music.Path());
    o.Main.MainWindowColor = 0x00203040;
  });
  TMainForm& form = session.Start();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  QCOMPARE(form.palette().color(QPalette::Window), QColor(0x40, 0x30, 0x20));
  // A folder chosen in the tree is remembered at once.
  auto& tree = Find<QTreeView>(form, "Dir1");
  QTRY_VERIFY(tree.model()->rowCount(tree.currentIndex()) == 1);
  tree.setFocus();
  QTest::keyClick(&tree, Qt::Key_Down);
  QCOMPARE(V(form.Options().Dialog.LastScanFolder), Q(music.Path() + "/sub"));

  Find<QSpinBox>(form, "updn1").setValue(12);
  QVERIFY(form.Options().Dialog.MainFontSize == 12 && tree.font().pointSize() == 12);
  // The font dialog: name and style are kept, the size is clamped.
  session.dialogs.ExpectFont(QFont(QStringLiteral("DejaVu Serif"), 40, QFont::Bold, true));
  Click(form, "ButFont");
  QVERIFY(form.Options().Dialog.MainFontSize == 32 && form.Options().Dialog.MainFontStyle == 3);

  // Options opens the options window; a window colour chosen there shows at once.
  QColor shownWhileOpen;
  session.dialogs.ExpectColor(QColor(200, 100, 50));
  session.dialogs.ExpectModal([&shownWhileOpen, &form](QDialog& window) {
    Find<QPushButton>(window, "WindowColorPanel").click();
    shownWhileOpen = form.palette().color(QPalette::Window);
    Find<QCheckBox>(window, "InfoPathCheck").click();
    Find<QPushButton>(window, "OkBut").click();
  });
  Click(form, "OptBut");
  QCOMPARE(shownWhileOpen, QColor(200, 100, 50));
  form.move(40, 30);
  form.close();
  AppOptions saved{};
  QVERIFY(LoadConfiguration(session.Home() + "/ordonna.ini", saved).ok());
  QVERIFY(saved.Places.MainLeft == 40 && saved.Places.MainTop == 30 && saved.Main.InfoPath == 1);
  QCOMPARE(V(saved.Dialog.LastScanFolder) + V(saved.Dialog.MainFontName),
           Q(music.Path() + "/sub") + QStringLiteral("DejaVu Serif"));
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

// The export's questions are the export command's (export_tests); here the window asks for the
// file, exports, opens it by "View ext." and imports the file back through its options window.
void MainWindowTest::exportAndImportThroughTheWindow() {
  WindowSession session;
  TempDir music;
  TempDir out;
  // 20 files: an export of at least 512 bytes, the smallest list imported.
  TMainForm& form = StartOnMusic(session, music, 20, [](AppOptions& o) { o.Main.ExportType = 0; });
  ScriptedDialogs& dialogs = session.dialogs;
  Click(form, "StartBut");
  dialogs.ExpectFile(Q(out.File("list.txt")));
  Click(form, "ExportBut");
  QVERIFY(ReadFileBytes(out.File("list.txt")).find("song001") != std::string::npos);
  // "View ext." opens the export and then waits five seconds before it works again (the
  // timer is cut short here).
  auto& extView = Find<QPushButton>(form, "ExtViewBut");
  QTest::mouseClick(&extView, Qt::LeftButton);
  QVERIFY(dialogs.Opened.back() == Q(out.File("list.txt")) && !extView.isEnabled());
  form.findChild<QTimer*>(QStringLiteral("timerve"))->start(0);
  QTRY_VERIFY(extView.isEnabled());
  const std::vector<ListEntry> exported(form.List().Working().Entries().begin(), form.List().Working().Entries().end());
  // The options window stays beside the main window, which holds its commands meanwhile;
  // GO asks for the file and replaces the list.
  Click(form, "ImportBut");
  auto* options = form.findChild<TImportForm*>();
  QVERIFY(options != nullptr && options->isVisible() && !Enabled(form, "LoadBut"));
  ClearList(form.List());
  dialogs.ExpectFile(Q(out.File("list.txt")));
  Find<QPushButton>(*options, "Gobut").click();
  QTRY_COMPARE(form.List().ItemCount(), 20u);
  auto row = [](const ListEntry& entry) { return V(entry.FileName) + ' ' + QString::number(entry.SizeKB); };
  for (std::uint32_t i = 0; i < 20; ++i) QCOMPARE(row(form.List().Entry(i)), row(exported[i]));
  QVERIFY(Enabled(form, "ImportBut") && Enabled(form, "LoadBut"));
  QVERIFY_SCRIPT_DONE(dialogs);
}

// Pending events are served between files, the status line follows the files, and CANCEL
// stops the scan at once.
void MainWindowTest::scanKeepsTheWindowResponsiveAndCancelActsQuickly() {
  WindowSession session;
  TempDir music;
  // 400 files of about 100 KB in 8 folders, and two long ones (8 MB) that slow
  // processing reads whole.
  for (int folder = 0; folder < 8; ++folder) {
    const std::string path = music.Path() + "/album" + std::to_string(folder);
    QVERIFY(QDir().mkpath(QString::fromStdString(path)));
    WriteMp3Files(path, 50, 240);
  }
  const std::string longFile = Frames(19000, FrameSpec{}, true);
  WriteFileBytes(music.Path() + "/album0/long1.mp3", longFile);
  WriteFileBytes(music.Path() + "/album4/long2.mp3", longFile);
  session.WriteSettings([&](AppOptions& o) {
    o.Dialog.LastScanFolder.Set(music.Path());
    o.Main.SlowProcessing = 1;
  });
  TMainForm& form = session.Start();
  auto& label = Find<QLabel>(form, "Label1");
  // A zero timer fires once per round of pending events: the gaps between its ticks are the
  // longest a click could wait. It presses CANCEL after 300 different status texts.
  QElapsedTimer clock;
  qint64 lastTick = 0, longestGap = 0, cancelledAt = -1;
  int statusChanges = 0;
  QString lastStatus;
  QTimer watcher;
  watcher.setInterval(0);
  connect(&watcher, &QTimer::timeout, [&] {
    longestGap = std::max(longestGap, clock.elapsed() - lastTick);
    lastTick = clock.elapsed();
    if (label.text() != lastStatus) ++statusChanges;
    lastStatus = label.text();
    if (statusChanges == 300 && cancelledAt < 0) {
      cancelledAt = clock.elapsed();
      QTest::mouseClick(&Find<QPushButton>(form, "Cancelbutton"), Qt::LeftButton);
    }
  });
  clock.start();
  watcher.start();
  QTest::mouseClick(&Find<QPushButton>(form, "StartBut"), Qt::LeftButton);
  const qint64 cancelMs = clock.elapsed() - cancelledAt;
  watcher.stop();
  QVERIFY2(cancelledAt >= 0, "the scan ended before CANCEL was pressed");
  QCOMPARE(ListState(form), QStringLiteral("Cancelled. [0]"));
  QVERIFY2(longestGap < 1000 && cancelMs < 1000, "events or CANCEL wait too long during the scan");
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::MainWindowTest)
#include "MainWindowTest.moc"
