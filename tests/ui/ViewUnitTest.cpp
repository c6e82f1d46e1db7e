// The viewer and the windows it opens, under Qt Test: its wiring to the list logic that
// view_tests pin without a window.
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <filesystem>

#include "core/DayNumber.h"
#include "core/ListStore.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

// Starts the main window over `count` entries "e00", "e01", ... whose play times fall as the
// names rise; columns: number, file name, time; not sorted.
TMainForm& StartWithList(WindowSession& session, int count, const std::function<void(AppOptions&)>& change = {}) {
  TMainForm& form = StartWithNames(session, {}, [&](AppOptions& o) {
    o.Main.Enumerate = o.Main.InfoTime = 1;
    if (change) change(o);
  });
  for (int i = 0; i < count; ++i) {
    ListEntry entry = NamedEntry((i < 10 ? "e0" : "e") + std::to_string(i), "/music");
    entry.Frames = 10000 - 100 * i;
    entry.FrequencyCode = 0;
    form.List().AppendEntry(entry);
  }
  form.EnableListCommands();
  return form;
}

bool CloseByEsc(TMainForm& form, TViewForm& viewer) {
  QTest::keyClick(&viewer, Qt::Key_Escape);
  return QTest::qWaitFor([&] { return form.findChild<TViewForm*>() == nullptr; });
}

QTableView& Grid(TViewForm& viewer) { return Find<QTableView>(viewer, "SG1"); }

QString Headers(TViewForm& viewer) {
  QStringList headers;
  for (int column = 0; column < Grid(viewer).model()->columnCount(); ++column)
    headers << Grid(viewer).model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
  return headers.join(',');
}

QString SortLabel(TViewForm& viewer) { return Find<QLabel>(viewer, "SortLabel").text(); }

// Shows a modal window as its exec() would: the active window, so that keys reach it alone.
bool ShowActive(QDialog& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; });
}

// A key of the viewer's, once it is the active window again.
void ViewerKey(TViewForm& viewer, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  viewer.activateWindow();
  if (!QTest::qWaitFor([&viewer] { return QApplication::activeWindow() == &viewer; }, 2000)) qFatal("viewer inactive");
  QTest::keyClick(&viewer, key, modifiers);
}

int CurrentRow(TViewForm& viewer) { return Grid(viewer).currentIndex().row(); }

void GoToRow(TViewForm& viewer, int row) { Grid(viewer).setCurrentIndex(Grid(viewer).model()->index(row, 0)); }

}  // namespace

class ViewUnitTest : public QObject {
  Q_OBJECT

 private slots:
  void viewOpensTheListAndEscClosesIt();
  void headerSortReSortAndDeletionWithTheirUndo();
  void tooLongListIsRefusedWithOneWarningPerRun();
  void findFilterAndTheEditor();
};

void ViewUnitTest::viewOpensTheListAndEscClosesIt() {
  WindowSession session;
  TMainForm& form = StartWithList(session, 3);
  TViewForm& viewer = OpenViewer(form);
  QVERIFY(viewer.isModal());
  QCOMPARE(Headers(viewer) + '|' + Grid(viewer).model()->index(2, 2).data().toString() + SortLabel(viewer),
           QStringLiteral("no,filename,time,kbps,size| 4:16 not sorted"));
  // The main window's commands wait until the viewer has closed.
  QVERIFY(!Find<QWidget>(form, "LoadBut").isEnabled());
  viewer.move(30, 40);
  viewer.resize(640, 480);
  QVERIFY(CloseByEsc(form, viewer));
  const WindowPlaces& places = form.Options().Places;
  QCOMPARE(QList<int>({places.ViewerLeft, places.ViewerTop, places.ViewerWidth, places.ViewerHeight}),
           QList<int>({30, 40, 640, 480}));
  QVERIFY(Find<QWidget>(form, "LoadBut").isEnabled());
  // Opened again, maximized and closed so: only the state is stored.
  TViewForm& again = OpenViewer(form);
  QCOMPARE(QRect(again.pos(), again.size()), QRect(30, 40, 640, 480));
  // The panel's controls write their options at once.
  MainOptions& main = form.Options().Main;
  auto& grid = Grid(again);
  QTest::mouseClick(&Find<QAbstractButton>(again, "DarkRadio"), Qt::LeftButton);
  QVERIFY(main.ViewerColorScheme == 2 && grid.palette().color(QPalette::Base) == QColor(Qt::black));
  QTest::mouseClick(&Find<QCheckBox>(again, "SplitCheck"), Qt::LeftButton);
  QCOMPARE(Headers(again), QStringLiteral("no,artist,title,time,kbps,size"));
  again.showMaximized();
  QVERIFY(QTest::qWaitFor([&] { return again.isMaximized(); }));
  QVERIFY(CloseByEsc(form, again));
  QVERIFY(form.Options().Dialog.ViewerMaximized == 1 && places.ViewerWidth == 640);
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

// A header click sorts only after a Yes, re-sort goes back to the main order; then deletion by
// key and its undo.
void ViewUnitTest::headerSortReSortAndDeletionWithTheirUndo() {
  WindowSession session;
  TMainForm& form = StartWithList(session, 10, [](AppOptions& o) { o.Main.SortField = 0; });
  ScriptedDialogs& dialogs = session.dialogs;
  TViewForm& viewer = OpenViewer(form);
  auto& resort = Find<QPushButton>(viewer, "ReSortBut");
  QVERIFY(resort.isEnabled());              // not sorted, the main option is the file name
  dialogs.ExpectQuestion({}, Answer::Yes);  // sort by time?
  emit Grid(viewer).horizontalHeader()->sectionClicked(2);
  QCOMPARE(Names(form.List()), QStringLiteral("e09|e08|e07|e06|e05|e04|e03|e02|e01|e00"));
  QVERIFY(SortLabel(viewer) == QStringLiteral("time") && form.Options().Main.SortField == 0);  // main option kept
  QTest::mouseClick(&resort, Qt::LeftButton);
  QVERIFY(SortLabel(viewer) == QStringLiteral("filename") && !resort.isEnabled());
  // Rows 3 to 5 selected with the cursor on row 5.
  auto& grid = Grid(viewer);
  grid.setCurrentIndex(grid.model()->index(4, 1));
  grid.selectionModel()->select(QItemSelection(grid.model()->index(2, 0), grid.model()->index(4, 2)),
                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  QTest::keyClick(&viewer, Qt::Key_Delete, Qt::ControlModifier);
  QCOMPARE(Names(form.List()), QStringLiteral("e00|e01|e05|e06|e07|e08|e09"));
  QVERIFY(grid.model()->rowCount() == 7 && form.List().Unsaved);
  // The undo image lies in the user's temporary folder, readable by its owner only.
  QVERIFY(std::filesystem::status(session.Home() + "/vundo.(file).tmp").permissions() ==
          (std::filesystem::perms::owner_read | std::filesystem::perms::owner_write));
  QTest::keyClick(&viewer, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(grid.model()->rowCount(), 10);
  QItemSelectionModel& selection = *grid.selectionModel();
  QVERIFY(selection.selectedRows().size() == 3 && selection.isRowSelected(2) && selection.isRowSelected(4));
  QCOMPARE(grid.currentIndex().row(), 4);
  QVERIFY(!Find<QPushButton>(viewer, "UndoBut").isEnabled());  // one level only
  // Deleting every entry asks, then starts a new list and closes the viewer.
  grid.selectAll();
  dialogs.ExpectQuestion({}, Answer::Yes);  // delete and close?
  QTest::mouseClick(&Find<QPushButton>(viewer, "DelBut"), Qt::LeftButton);
  QVERIFY(QTest::qWaitFor([&] { return form.findChild<TViewForm*>() == nullptr; }));
  QVERIFY(form.List().ItemCount() == 0 && !Find<QWidget>(form, "ViewBut").isEnabled());
  QVERIFY_SCRIPT_DONE(dialogs);
}

void ViewUnitTest::tooLongListIsRefusedWithOneWarningPerRun() {
  WindowSession session;
  TMainForm& form = StartWithList(session, 0);
  form.List().Working().SetCapacity(262145);
  form.List().Working().SetItemCount(262145);
  form.EnableListCommands();
  for (int opening = 0; opening < 2; ++opening) {
    TViewForm& viewer = OpenViewer(form);
    QVERIFY(Grid(viewer).model()->rowCount() == 1 && !Find<QWidget>(viewer, "updn1").isEnabled());
    QVERIFY(CloseByEsc(form, viewer));
  }
  QVERIFY(session.dialogs.Shown.size() == 1 && form.List().ItemCount() == 262145u);
}

// Find by Enter and F3, then the filter and back; the editor inserts and edits; the find window
// closes as a cancel on focus loss.
void ViewUnitTest::findFilterAndTheEditor() {
  WindowSession session;
  TMainForm& form = StartWithNames(session, {"alpha", "Beta", "ÉCHOS one", "gamma", "échos two", "delta"});
  ScriptedDialogs& dialogs = session.dialogs;
  TViewForm& viewer = OpenViewer(form);
  GoToRow(viewer, 3);
  dialogs.ExpectModal([](QDialog& window) {
    auto& filter = Find<QPushButton>(window, "ButFilt");
    QVERIFY(!filter.isEnabled());
    QVERIFY(ShowActive(window));
    auto& text = Find<QLineEdit>(window, "Edit1");
    text.setText(QStringLiteral("échos"));
    QVERIFY(filter.isEnabled());
    QTest::keyClick(&text, Qt::Key_Return);  // Find First
  });
  ViewerKey(viewer, Qt::Key_F, Qt::ControlModifier);
  QCOMPARE(CurrentRow(viewer), 2);
  ViewerKey(viewer, Qt::Key_F3);
  QCOMPARE(CurrentRow(viewer), 4);
  // Fi&lter, through its notice; "don't show" ticked there is kept.
  dialogs.ExpectModal([](QDialog& window) { Find<QPushButton>(window, "ButFilt").click(); });
  dialogs.ExpectModal([](QDialog& window) {
    Find<QCheckBox>(window, "DontShowCheck").click();
    Find<QPushButton>(window, "OkBut").click();
  });
  ViewerKey(viewer, Qt::Key_F, Qt::ControlModifier);
  QCOMPARE(form.Options().Dialog.SkipFilterMsgDontShow, std::uint8_t{1});
  QCOMPARE(Names(form.List()), QStringLiteral("ÉCHOS one|échos two"));
  // Closing answers Yes: back to the full list.
  dialogs.ExpectQuestion({}, Answer::Yes);  // revert to the unfiltered list?
  ViewerKey(viewer, Qt::Key_Escape);
  QVERIFY(QTest::qWaitFor([&] { return form.findChild<TViewForm*>() == nullptr; }));
  QCOMPARE(form.List().ItemCount(), 6u);
  TViewForm& again = OpenViewer(form);
  GoToRow(again, 1);
  dialogs.ExpectModal([](QDialog& window) {
    QTest::keyClicks(&Find<QLineEdit>(window, "NazivEdit"), "new one  ");
    QTest::keyClicks(&Find<QLineEdit>(window, "FrameEdit"), "100");
    QTest::mouseClick(&Find<QToolButton>(window, "cmsb1"), Qt::LeftButton);  // one frame more
    Find<QRadioButton>(window, "rbut1").click();
    Find<QPushButton>(window, "OkBut").click();
  });
  QTest::mouseClick(&Find<QPushButton>(again, "InsBut"), Qt::LeftButton);
  const QString inserted = QStringLiteral("alpha|new one|Beta|ÉCHOS one|gamma|échos two|delta");
  QCOMPARE(Names(form.List()), inserted);
  const ListEntry& entry = form.List().Working().Entry(1);
  QVERIFY(entry.Frames == 101 && entry.DateAdded == TodayDayNumber());
  QCOMPARE(form.Options().Dialog.InsertPosition, std::uint8_t{0});
  // Edit by double click: the confirm button follows whether anything differs.
  dialogs.ExpectModal([](QDialog& window) {
    auto& ok = Find<QPushButton>(window, "OkBut");
    QVERIFY(!ok.isEnabled());
    QTest::keyClicks(&Find<QLineEdit>(window, "NazivEdit"), "z");
    ok.click();
  });
  GoToRow(again, 4);
  emit Grid(again).doubleClicked(Grid(again).model()->index(4, 0));
  // Edited entries go where the main options' order (by file name) puts them.
  QCOMPARE(Names(form.List()), QStringLiteral("ÉCHOS one|échos two|alpha|Beta|delta|gammaz|new one"));
  QTest::mouseClick(&Find<QPushButton>(again, "UndoBut"), Qt::LeftButton);
  QCOMPARE(Names(form.List()), inserted);
  // Turning to another window closes the find window as a cancel.
  GoToRow(again, 1);
  dialogs.ExpectModal([&](QDialog& window) {
    window.setWindowModality(Qt::ApplicationModal);  // as exec() runs it
    QVERIFY(ShowActive(window));
    Find<QLineEdit>(window, "Edit1").setText(QStringLiteral("gamma"));
    QApplication::setActiveWindow(nullptr);  // another program's window takes the focus
    QVERIFY(QTest::qWaitFor([&window] { return !window.isVisible(); }));
  });
  ViewerKey(again, Qt::Key_F, Qt::ControlModifier);
  QCOMPARE(CurrentRow(again), 1);  // the cancelled find did not search
  QVERIFY_SCRIPT_DONE(dialogs);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::ViewUnitTest)
#include "ViewUnitTest.moc"
