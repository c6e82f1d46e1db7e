// The viewer window under Qt Test: opened by View over the working list and closed by Esc,
// header sorting with its questions, deletion and undo by their keys, the colour schemes, the
// options window over it, the too-long-list warning and the stored placement. The list logic behind it is tested
// without a window (view_tests).
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include <filesystem>

#include "core/ListStore.h"
#include "listfile/ListFileCommands.h"
#include "ui/ViewUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

// Every queued answer was used and nothing unqueued was asked or shown.
// Starts the main window over `count` entries "e00", "e01", ... whose play times fall as the
// names rise; columns: number, file name, time; not sorted.
TMainForm& StartWithList(WindowSession& session, int count, const std::function<void(AppOptions&)>& change = {}) {
  session.WriteSettings([&](AppOptions& o) {
    o.Main.Enumerate = 1;
    o.Main.InfoTime = 1;
    o.Dialog.ViewerMaximized = 0;
    if (change) change(o);
  });
  TMainForm& form = session.Start();
  for (int i = 0; i < count; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "e%02d", i);
    ListEntry entry = NamedEntry(name, "/music");
    entry.Frames = 10000 - 100 * i;
    entry.FrequencyCode = 0;
    form.List().AppendEntry(entry);
  }
  form.List().SortState = kNoSortOrder;
  form.EnableListCommands();
  return form;
}

// Presses Esc in the viewer and waits until it is gone.
bool CloseByEsc(TMainForm& form, TViewForm& viewer) {
  QTest::keyClick(&viewer, Qt::Key_Escape);
  return QTest::qWaitFor([&] { return form.findChild<TViewForm*>() == nullptr; });
}

QString Cell(TViewForm& viewer, int row, int column) {
  QTableView& grid = Find<QTableView>(viewer, "SG1");
  return grid.model()->index(row, column).data().toString();
}

QString Header(TViewForm& viewer, int column) {
  return Find<QTableView>(viewer, "SG1").model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

// The selected rows as "first-last", the current row after a slash.
QString Selection(TViewForm& viewer) {
  QTableView& grid = Find<QTableView>(viewer, "SG1");
  const QModelIndexList rows = grid.selectionModel()->selectedRows();
  int first = INT_MAX;
  int last = -1;
  for (const QModelIndex& index : rows) {
    first = std::min(first, index.row());
    last = std::max(last, index.row());
  }
  return QStringLiteral("%1-%2/%3").arg(first).arg(last).arg(grid.currentIndex().row());
}

void ClickHeader(TViewForm& viewer, int column) {
  emit Find<QTableView>(viewer, "SG1").horizontalHeader()->sectionClicked(column);
}

// What the options reach in the viewer: headers, re-sort button, panel colour, grid font
// size, colour scheme.
QString ViewerState(TViewForm& viewer) {
  QStringList headers;
  for (int column = 0; column < Find<QTableView>(viewer, "SG1").model()->columnCount(); ++column)
    headers << Header(viewer, column);
  QString scheme;
  for (const char* radio : {"WinRadio", "LightRadio", "DarkRadio"})
    if (Find<QAbstractButton>(viewer, radio).isChecked()) scheme = QString::fromLatin1(radio);
  return QStringLiteral("%1 | %2 | %3 | %4pt | %5")
      .arg(headers.join(','),
           Find<QPushButton>(viewer, "ReSortBut").isEnabled() ? QStringLiteral("re-sort") : QStringLiteral("sorted"),
           Find<QWidget>(viewer, "Panel1").palette().color(QPalette::Window).name())
      .arg(Find<QTableView>(viewer, "SG1").font().pointSize())
      .arg(scheme);
}

void Choose(QDialog& window, const char* combo, int index) {
  auto& box = Find<QComboBox>(window, combo);
  box.setCurrentIndex(index);
  emit box.activated(index);
}

const QString kSortTail = QStringLiteral("?\r\n\n(this won't affect main sorting option)");

}  // namespace

class ViewUnitTest : public QObject {
  Q_OBJECT

 private slots:
  void viewOpensTheListAndEscClosesIt();
  void headerClicksSortAfterTheQuestion();
  void deletionByKeyAndUndoRestoreRowsAndSelection();
  void colourSchemesFromRadioButtonsAndMenu();
  void panelControlsChangeTheOptionsAndRunTheMainCommands();
  void optionsWindowOverTheViewer();
  void tooLongListIsRefusedWithOneWarningPerRun();
};

void ViewUnitTest::viewOpensTheListAndEscClosesIt() {
  WindowSession session;
  TMainForm& form = StartWithList(session, 3);
  TViewForm& viewer = OpenViewer(form);
  QVERIFY(viewer.isModal());
  QCOMPARE(viewer.windowTitle(), QStringLiteral(" Internal List Viewer (3 items, 12:56)"));
  QCOMPARE(Header(viewer, 0) + '|' + Header(viewer, 1) + '|' + Header(viewer, 2), QStringLiteral("no|filename|time"));
  QCOMPARE(Cell(viewer, 2, 0) + '|' + Cell(viewer, 2, 1) + '|' + Cell(viewer, 2, 2),
           QStringLiteral(" 3. | e02 | 4:16 "));
  QCOMPARE(Find<QLabel>(viewer, "SortLabel").text(), QStringLiteral("not sorted"));
  // The main window's commands wait until the viewer has closed.
  QVERIFY(!Find<QWidget>(form, "LoadBut").isEnabled());
  QVERIFY(!Find<QWidget>(form, "ViewBut").isEnabled());
  // A list file sent by a later copy waits until the viewer has closed.
  EntryList five;
  for (int i = 0; i < 5; ++i) five.AppendEntry(NamedEntry("f" + std::to_string(i), "/other"));
  const std::string sent = session.Home() + "/sent.ordl";
  QVERIFY(WriteListFile(sent, five, kNoSortOrder).ok());
  form.OpenListFile(QString::fromStdString(sent));
  QTest::qWait(300);
  QCOMPARE(form.List().ItemCount(), 3u);
  // Placement: moved and resized, then closed by Esc.
  viewer.move(30, 40);
  viewer.resize(640, 480);
  QVERIFY(CloseByEsc(form, viewer));
  QTRY_COMPARE(form.List().ItemCount(), 5u);
  const WindowPlaces& places = form.Options().Places;
  QCOMPARE(QList<int>({places.ViewerLeft, places.ViewerTop, places.ViewerWidth, places.ViewerHeight}),
           QList<int>({30, 40, 640, 480}));
  QCOMPARE(form.Options().Dialog.ViewerMaximized, std::uint8_t{0});
  QVERIFY(Find<QWidget>(form, "LoadBut").isEnabled());

  // Opened again, maximized and closed so: only the state is stored.
  TViewForm& again = OpenViewer(form);
  QCOMPARE(QList<int>({again.x(), again.y(), again.width(), again.height()}), QList<int>({30, 40, 640, 480}));
  again.showMaximized();
  QVERIFY(QTest::qWaitFor([&] { return again.isMaximized(); }));
  QVERIFY(CloseByEsc(form, again));
  QCOMPARE(form.Options().Dialog.ViewerMaximized, std::uint8_t{1});
  QCOMPARE(places.ViewerWidth, 640);
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

void ViewUnitTest::headerClicksSortAfterTheQuestion() {
  WindowSession session;
  TMainForm& form = StartWithList(session, 4, [](AppOptions& o) { o.Main.SortField = 0; });
  ScriptedDialogs& dialogs = session.dialogs;
  TViewForm& viewer = OpenViewer(form);
  auto& resort = Find<QPushButton>(viewer, "ReSortBut");
  QVERIFY(resort.isEnabled());  // not sorted, the main option is the file name

  dialogs.ExpectQuestion(QStringLiteral("SORT THE LIST BY TIME") + kSortTail, Answer::No);
  ClickHeader(viewer, 2);
  QCOMPARE(Names(form.List()), QStringLiteral("e00|e01|e02|e03"));
  dialogs.ExpectQuestion(QStringLiteral("SORT THE LIST BY TIME") + kSortTail, Answer::Yes);
  ClickHeader(viewer, 2);
  QCOMPARE(Names(form.List()), QStringLiteral("e03|e02|e01|e00"));
  QCOMPARE(Cell(viewer, 0, 1), QStringLiteral(" e03 "));
  dialogs.ExpectQuestion(QStringLiteral("SORT THE LIST BY TIME (REVERSE ORDER) ") + kSortTail, Answer::Yes);
  ClickHeader(viewer, 2);
  QCOMPARE(Names(form.List()), QStringLiteral("e00|e01|e02|e03"));
  QCOMPARE(Find<QLabel>(viewer, "SortLabel").text(), QStringLiteral("-time"));
  QCOMPARE(form.Options().Main.SortField, std::uint8_t{0});  // the main option stays
  QCOMPARE(resort.toolTip(), QStringLiteral("Re-sort by filename (main option)"));

  ClickHeader(viewer, 0);
  QCOMPARE(dialogs.Shown.back().Text, QStringLiteral("You can't sort by numbers."));

  // Re-sorting by the main option, and its undo.
  QTest::mouseClick(&resort, Qt::LeftButton);
  QCOMPARE(Find<QLabel>(viewer, "SortLabel").text(), QStringLiteral("filename"));
  QVERIFY(!resort.isEnabled());
  QTest::keyClick(&viewer, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Find<QLabel>(viewer, "SortLabel").text(), QStringLiteral("-time"));
  QVERIFY(resort.isEnabled());
  QVERIFY(CloseByEsc(form, viewer));
  QVERIFY_SCRIPT_DONE(dialogs);
}

void ViewUnitTest::deletionByKeyAndUndoRestoreRowsAndSelection() {
  WindowSession session;
  TMainForm& form = StartWithList(session, 10);
  TViewForm& viewer = OpenViewer(form);
  auto& grid = Find<QTableView>(viewer, "SG1");
  auto& undo = Find<QPushButton>(viewer, "UndoBut");
  QVERIFY(!undo.isEnabled());

  // Rows 3 to 5 selected with the cursor on row 5.
  grid.setCurrentIndex(grid.model()->index(4, 1));
  grid.selectionModel()->select(QItemSelection(grid.model()->index(2, 0), grid.model()->index(4, 2)),
                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  QTest::keyClick(&viewer, Qt::Key_Delete, Qt::ControlModifier);
  QCOMPARE(Names(form.List()), QStringLiteral("e00|e01|e05|e06|e07|e08|e09"));
  QCOMPARE(grid.model()->rowCount(), 7);
  QVERIFY(form.List().Unsaved);
  QVERIFY(undo.isEnabled());
  // The undo image lies in the user's temporary folder, readable by its owner only.
  const std::filesystem::path image = std::filesystem::path(session.Home()) / "vundo.(file).tmp";
  QVERIFY(std::filesystem::status(image).permissions() ==
          (std::filesystem::perms::owner_read | std::filesystem::perms::owner_write));

  QTest::keyClick(&viewer, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Names(form.List()), QStringLiteral("e00|e01|e02|e03|e04|e05|e06|e07|e08|e09"));
  QCOMPARE(Selection(viewer), QStringLiteral("2-4/4"));
  QVERIFY(!undo.isEnabled());  // one level only
  QTest::keyClick(&viewer, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(grid.model()->rowCount(), 10);

  // Deleted again and closed: the main window reports the new count.
  QTest::keyClick(&viewer, Qt::Key_Delete, Qt::ControlModifier);
  QVERIFY(CloseByEsc(form, viewer));
  QCOMPARE(form.StatusText(), QStringLiteral("Altered, 7 items."));

  // Deleting every entry asks, then starts a new list and closes the viewer.
  TViewForm& again = OpenViewer(form);
  Find<QTableView>(again, "SG1").selectAll();
  session.dialogs.ExpectQuestion(QStringLiteral("DELETE AND CLOSE?"), Answer::Yes);
  QTest::mouseClick(&Find<QPushButton>(again, "DelBut"), Qt::LeftButton);
  QVERIFY(QTest::qWaitFor([&] { return form.findChild<TViewForm*>() == nullptr; }));
  QCOMPARE(form.List().ItemCount(), 0u);
  QVERIFY(!Find<QWidget>(form, "ViewBut").isEnabled());
  QVERIFY_SCRIPT_DONE(session.dialogs);
  // Closing the program removes it with the other temporary files.
  QVERIFY(std::filesystem::exists(image));
  form.close();
  QVERIFY(!std::filesystem::exists(image));
}

void ViewUnitTest::colourSchemesFromRadioButtonsAndMenu() {
  WindowSession session;
  TMainForm& form = StartWithList(session, 2, [](AppOptions& o) { o.Main.ViewerColorScheme = 1; });
  TViewForm& viewer = OpenViewer(form);
  auto& grid = Find<QTableView>(viewer, "SG1");
  QVERIFY(Find<QAbstractButton>(viewer, "LightRadio").isChecked());
  QCOMPARE(grid.palette().color(QPalette::Base), QColor(Qt::white));

  QTest::mouseClick(&Find<QAbstractButton>(viewer, "DarkRadio"), Qt::LeftButton);
  QCOMPARE(form.Options().Main.ViewerColorScheme, std::uint8_t{2});
  QCOMPARE(grid.palette().color(QPalette::Base), QColor(Qt::black));
  QCOMPARE(grid.palette().color(QPalette::Text), QColor(Qt::white));
  QVERIFY(Find<QAction>(viewer, "DarkItem").isChecked());
  QVERIFY(grid.horizontalHeader()->styleSheet().contains(QColor(80, 88, 96).name()));

  Find<QAction>(viewer, "WindowsItem").trigger();
  QCOMPARE(form.Options().Main.ViewerColorScheme, std::uint8_t{0});
  QVERIFY(Find<QAbstractButton>(viewer, "WinRadio").isChecked());
  QCOMPARE(grid.palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
  QVERIFY(CloseByEsc(form, viewer));
}

void ViewUnitTest::panelControlsChangeTheOptionsAndRunTheMainCommands() {
  WindowSession session;
  TMainForm& form = StartWithList(session, 3, [](AppOptions& o) { o.Main.ViewerManualColWidth = 0; });
  ScriptedDialogs& dialogs = session.dialogs;
  MainOptions& main = form.Options().Main;
  TViewForm& viewer = OpenViewer(form);
  QHeaderView& header = *Find<QTableView>(viewer, "SG1").horizontalHeader();

  // Widths are stored under their kinds at every mouse release, and the manual mode applies them.
  const int automatic = header.sectionSize(1);
  header.resizeSection(1, automatic + 50);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(header.viewport(), &release);
  QCOMPARE(main.ViewerColumnWidths[KindSlot(ColumnKind::FileName)], automatic + 50);
  QTest::mouseClick(&Find<QCheckBox>(viewer, "AutoCheck"), Qt::LeftButton);
  QCOMPARE(header.sectionSize(1), automatic);
  Find<QAction>(viewer, "ManualItem").trigger();
  QCOMPARE(main.ViewerManualColWidth, std::uint8_t{1});
  QVERIFY(Find<QCheckBox>(viewer, "ManualCheck").isChecked());
  QCOMPARE(header.sectionSize(1), automatic + 50);

  // Artist and title in columns of their own; the font size; the total time's form.
  QTest::mouseClick(&Find<QCheckBox>(viewer, "SplitCheck"), Qt::LeftButton);
  QCOMPARE(Header(viewer, 1) + '|' + Header(viewer, 2), QStringLiteral("artist|title"));
  Find<QSpinBox>(viewer, "updn1").setValue(14);
  QCOMPARE(main.ViewerFontSize, std::uint8_t{14});
  QCOMPARE(Find<QTableView>(viewer, "SG1").font().pointSize(), 14);
  const QString caption = viewer.windowTitle();
  Find<QAction>(viewer, "TotalTime2").trigger();
  QCOMPARE(form.Options().Dialog.ViewerTotalTimeStyle, std::uint8_t{2});
  QVERIFY(viewer.windowTitle() != caption);

  // Save runs the main window's command.
  const QString saved = QString::fromStdString(session.Home() + "/viewed.ordl");
  dialogs.ExpectFile(saved);
  QTest::mouseClick(&Find<QPushButton>(viewer, "SaveBut"), Qt::LeftButton);
  QVERIFY(QFile::exists(saved));
  QVERIFY(CloseByEsc(form, viewer));
  QVERIFY_SCRIPT_DONE(dialogs);
}

// Each row plays the user in the options window opened by the viewer's button, leaves it by
// O&K, &CANCEL or a reset, and gives the viewer's state afterwards; the rows follow one another.
void ViewUnitTest::optionsWindowOverTheViewer() {
  WindowSession session;
  TMainForm& form = StartWithList(session, 4, [](AppOptions& o) {
    o.Main.SortField = 0;
    o.Main.ViewerColorScheme = 2;
    o.Main.ViewerFontSize = 12;
    o.Main.ViewerWindowColor = 0x00405060;
    o.Dialog.ColorWindowChoice = 1;  // the colour panel edits the viewer's colour
  });
  ScriptedDialogs& dialogs = session.dialogs;
  form.List().SortState = 0;  // "e00" to "e03" are in file-name order
  TViewForm& viewer = OpenViewer(form);
  QCOMPARE(ViewerState(viewer), QStringLiteral("no,filename,time,kbps,size | sorted | #605040 | 12pt | DarkRadio"));

  enum class Leave { Ok, Cancel, Reset };
  struct Row {
    const char* Change;
    std::function<void(QDialog&)> Act;
    bool PicksColor;  // the colour picker answers red 200, green 100, blue 50
    Leave Way;
    QString Expected;
  };
  auto pickColor = [&viewer](QDialog& window) {
    Find<QPushButton>(window, "WindowColorPanel").click();
    // Shown at once, while the options window is open.
    QCOMPARE(Find<QWidget>(viewer, "Panel1").palette().color(QPalette::Window), QColor(200, 100, 50));
  };
  const std::vector<Row> rows = {
      {"a column ticked", [](QDialog& w) { Find<QCheckBox>(w, "InfoPathCheck").click(); }, false, Leave::Ok,
       QStringLiteral("no,filename,time,kbps,size,path | sorted | #605040 | 12pt | DarkRadio")},
      {"another sort field", [](QDialog& w) { Choose(w, "SortFieldCombo", 7); }, false, Leave::Ok,
       QStringLiteral("no,filename,time,kbps,size,path | re-sort | #605040 | 12pt | DarkRadio")},
      {"a column ticked, the sort field back",
       [](QDialog& w) {
         Find<QCheckBox>(w, "InfoStereoCheck").click();
         Choose(w, "SortFieldCombo", 0);
       },
       false, Leave::Ok, QStringLiteral("no,filename,time,kbps,size,m.,path | sorted | #605040 | 12pt | DarkRadio")},
      {"a cell style only", [](QDialog& w) { Choose(w, "StereoStyleCombo", 1); }, false, Leave::Ok,
       QStringLiteral("no,filename,time,kbps,size,mode,path | sorted | #605040 | 12pt | DarkRadio")},
      {"colour, column and sort field cancelled",
       [&](QDialog& w) {
         pickColor(w);
         Find<QCheckBox>(w, "EnumerateCheck").click();
         Choose(w, "SortFieldCombo", 1);
       },
       true, Leave::Cancel,
       QStringLiteral("no,filename,time,kbps,size,mode,path | sorted | #605040 | 12pt | DarkRadio")},
      {"colour kept", pickColor, true, Leave::Ok,
       QStringLiteral("no,filename,time,kbps,size,mode,path | sorted | #c86432 | 12pt | DarkRadio")},
      {"every option reset", [](QDialog&) {}, false, Leave::Reset,
       QStringLiteral("filename,time,kbps,size | sorted | #e0e0e0 | 8pt | WinRadio")},
  };
  const QString resetQuestion = QStringLiteral(
      "This will irreversibly set ALL program options\r\nto default (state after installation), including\r\nthose not "
      "visible on this window, such as\r\ndefault folders and other windows switches.\r\n\n(once you click OK there "
      "will be no cancelling)\r\n\nProceed?");
  for (const Row& row : rows) {
    if (row.PicksColor) dialogs.ExpectColor(QColor(200, 100, 50));
    if (row.Way == Leave::Reset) dialogs.ExpectQuestion(resetQuestion, Answer::Yes);
    bool overViewer = false;
    dialogs.ExpectModal([&](QDialog& window) {
      overViewer = window.parentWidget() == &viewer && window.windowModality() == Qt::WindowModal;
      row.Act(window);
      const char* leave = row.Way == Leave::Ok ? "OkBut" : row.Way == Leave::Cancel ? "CancelBut" : "ResetBut";
      Find<QPushButton>(window, leave).click();
      return window.result() == QDialog::Accepted;
    });
    QTest::mouseClick(&Find<QPushButton>(viewer, "OptBut"), Qt::LeftButton);
    QTest::qWait(150);  // the grid is rebuilt shortly after the window has gone
    QVERIFY2(overViewer, row.Change);
    QVERIFY2(ViewerState(viewer) == row.Expected, qPrintable(row.Change + QStringLiteral(": ") + ViewerState(viewer)));
  }
  QCOMPARE(form.List().ItemCount(), 4u);
  QVERIFY(CloseByEsc(form, viewer));
  QVERIFY_SCRIPT_DONE(dialogs);
}

void ViewUnitTest::tooLongListIsRefusedWithOneWarningPerRun() {
  WindowSession session;
  TMainForm& form = StartWithList(session, 0);
  EntryList& entries = form.List().Working();
  entries.SetCapacity(262145);
  entries.SetItemCount(262145);
  form.EnableListCommands();
  const QString warning = QStringLiteral(
      "You can't display a list larger than 256K titles\r\nusing this internal viewer. You may, however,\r\n"
      "export it to text or html format, or use the\r\n\"find duplicates\" and \"compare\" functions.");

  for (int opening = 0; opening < 2; ++opening) {
    TViewForm& viewer = OpenViewer(form);
    auto& grid = Find<QTableView>(viewer, "SG1");
    QCOMPARE(grid.model()->rowCount(), 1);
    QCOMPARE(Header(viewer, 0), QString());
    QVERIFY(!Find<QWidget>(viewer, "updn1").isEnabled());
    QVERIFY(!Find<QWidget>(viewer, "ReSortBut").isEnabled());
    QVERIFY(CloseByEsc(form, viewer));
  }
  QCOMPARE(session.dialogs.Shown.size(), std::size_t{1});
  QCOMPARE(session.dialogs.Shown.front().Text, warning);
  QCOMPARE(form.List().ItemCount(), 262145u);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::ViewUnitTest)
#include "ViewUnitTest.moc"
