// The editor, find and notice windows opened from the viewer under Qt Test: inserting and
// editing through the editor (confirm enabling, held step buttons, position choices), finding
// by Enter and F3, making a filter with its notice, and each way back to the full list.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "core/DayNumber.h"
#include "core/ListStore.h"
#include "ui/FindUnit.h"
#include "ui/ViewUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

// QVERIFY for the lambdas that play the user in a modal window (they return whether it was
// accepted).
#define MODAL_CHECK(condition)                      \
  do {                                              \
    if (!(condition)) {                             \
      QTest::qFail(#condition, __FILE__, __LINE__); \
      return false;                                 \
    }                                               \
  } while (false)

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

int CurrentRow(TViewForm& viewer) { return Find<QTableView>(viewer, "SG1").currentIndex().row(); }

void GoToRow(TViewForm& viewer, int row) {
  QTableView& grid = Find<QTableView>(viewer, "SG1");
  grid.setCurrentIndex(grid.model()->index(row, 0));
}

}  // namespace

class EditorFindTest : public QObject {
  Q_OBJECT

 private slots:
  void editorInsertsAndEdits();
  void findByEnterAndF3ThenFilterAndBack();
  void noticeCancelTakesTheFilterBack();
  void editorAndFinderCancelOnFocusLoss();
};

void EditorFindTest::editorInsertsAndEdits() {
  WindowSession session;
  TMainForm& form = StartWithNames(session, {"a", "b", "c"});
  ScriptedDialogs& dialogs = session.dialogs;
  TViewForm& viewer = OpenViewer(form);
  GoToRow(viewer, 1);

  int heldFrames = 0;
  dialogs.ExpectModal([&heldFrames](QDialog& window) -> bool {
    MODAL_CHECK(window.windowTitle() == QStringLiteral(" Editor"));
    auto& ok = Find<QPushButton>(window, "OkBut");
    MODAL_CHECK(ok.text() == QStringLiteral("&INSERT"));
    MODAL_CHECK(ok.isEnabled());
    // The list has no order: its re-sort choice is off, and the stored choice moves on to one
    // that is offered.
    MODAL_CHECK(!Find<QRadioButton>(window, "rbut3").isEnabled());
    MODAL_CHECK(Find<QRadioButton>(window, "rbut3").text() == QStringLiteral("don't sort (list option)"));
    QTest::keyClicks(&Find<QLineEdit>(window, "NazivEdit"), "new one  ");
    QTest::keyClicks(&Find<QLineEdit>(window, "FrameEdit"), "100");
    Find<QComboBox>(window, "ComboFreq").setCurrentIndex(1);
    MODAL_CHECK(Find<QLabel>(window, "Label3").text() == QStringLiteral("= 0:03"));
    // A held +second button repeats after its first tick; releasing it stops the timer.
    auto& plusSecond = Find<QToolButton>(window, "cmsb2");
    auto& frames = Find<QLineEdit>(window, "FrameEdit");
    QTest::mousePress(&plusSecond, Qt::LeftButton);
    MODAL_CHECK(QTest::qWaitFor([&] { return frames.text().toInt() > 153; }, 5000));
    QTest::mouseRelease(&plusSecond, Qt::LeftButton);
    auto& timer = *window.findChild<QTimer*>(QStringLiteral("ButtonTimer"));
    MODAL_CHECK(!timer.isActive());
    MODAL_CHECK(timer.interval() == 220);
    heldFrames = frames.text().toInt();
    // A plain click steps once.
    QTest::mouseClick(&Find<QToolButton>(window, "cmsb1"), Qt::LeftButton);
    MODAL_CHECK(frames.text().toInt() == heldFrames + 1);
    Find<QRadioButton>(window, "rbut1").click();
    ok.click();
    return window.result() == QDialog::Accepted;
  });
  QTest::mouseClick(&Find<QPushButton>(viewer, "InsBut"), Qt::LeftButton);
  QCOMPARE(Names(form.List()), QStringLiteral("a|new one|b|c"));
  const ListEntry inserted = form.List().Working().Entry(1);
  QCOMPARE(inserted.Frames, heldFrames + 1);
  QCOMPARE(inserted.DateAdded, TodayDayNumber());
  QCOMPARE(inserted.SizeKB, -1);
  QCOMPARE(inserted.BitrateCode, std::uint8_t{255});
  QCOMPARE(form.Options().Dialog.InsertPosition, std::uint8_t{0});

  // Edit by double click: the confirm button follows whether anything differs.
  dialogs.ExpectModal([](QDialog& window) -> bool {
    auto& ok = Find<QPushButton>(window, "OkBut");
    MODAL_CHECK(ok.text() == QStringLiteral("&OK"));
    MODAL_CHECK(!ok.isEnabled());
    MODAL_CHECK(!Find<QRadioButton>(window, "rbut1").isEnabled());
    auto& name = Find<QLineEdit>(window, "NazivEdit");
    QTest::keyClicks(&name, "x");
    MODAL_CHECK(ok.isEnabled());
    QTest::keyClick(&name, Qt::Key_Backspace);
    MODAL_CHECK(!ok.isEnabled());
    QTest::keyClicks(&name, "z");
    ok.click();
    return window.result() == QDialog::Accepted;
  });
  QTableView& grid = Find<QTableView>(viewer, "SG1");
  GoToRow(viewer, 3);
  emit grid.doubleClicked(grid.model()->index(3, 0));
  // Edited entries go where the main options' order (by file name) puts them.
  QCOMPARE(Names(form.List()), QStringLiteral("a|b|cz|new one"));
  QTest::mouseClick(&Find<QPushButton>(viewer, "UndoBut"), Qt::LeftButton);
  QCOMPARE(Names(form.List()), QStringLiteral("a|new one|b|c"));
  QVERIFY_SCRIPT_DONE(dialogs);
}

void EditorFindTest::findByEnterAndF3ThenFilterAndBack() {
  WindowSession session;
  TMainForm& form = StartWithNames(session, {"alpha", "Beta", "ÉCHOS one", "gamma", "échos two", "delta"});
  ScriptedDialogs& dialogs = session.dialogs;
  TViewForm& viewer = OpenViewer(form);
  GoToRow(viewer, 3);

  dialogs.ExpectModal([](QDialog& window) -> bool {
    MODAL_CHECK(window.windowTitle() == QStringLiteral(" Type text to find:"));
    auto& filter = Find<QPushButton>(window, "ButFilt");
    MODAL_CHECK(!filter.isEnabled());
    MODAL_CHECK(ShowActive(window));
    auto& text = Find<QLineEdit>(window, "Edit1");
    text.setText(QStringLiteral("échos"));
    MODAL_CHECK(filter.isEnabled());
    QTest::keyClick(&text, Qt::Key_Return);  // Find First
    return window.result() == QDialog::Accepted;
  });
  ViewerKey(viewer, Qt::Key_F, Qt::ControlModifier);
  QCOMPARE(CurrentRow(viewer), 2);
  ViewerKey(viewer, Qt::Key_F3);
  QCOMPARE(CurrentRow(viewer), 4);
  ViewerKey(viewer, Qt::Key_F, Qt::ControlModifier | Qt::AltModifier);
  QCOMPARE(dialogs.Shown.back().Text, QStringLiteral("Not found"));
  QCOMPARE(CurrentRow(viewer), 4);

  // Fi&lter with the notice ticked and kept.
  dialogs.ExpectModal([](QDialog& window) -> bool {
    Find<QPushButton>(window, "ButFilt").click();
    return window.result() == QDialog::Accepted;
  });
  dialogs.ExpectModal([](QDialog& window) -> bool {
    MODAL_CHECK(window.windowTitle() == QStringLiteral(" IMPORTANT NOTE:"));
    MODAL_CHECK(!Find<QCheckBox>(window, "DontShowCheck").isChecked());
    Find<QCheckBox>(window, "DontShowCheck").click();
    Find<QPushButton>(window, "OkBut").click();
    return window.result() == QDialog::Accepted;
  });
  ViewerKey(viewer, Qt::Key_F, Qt::ControlModifier);
  QCOMPARE(Names(form.List()), QStringLiteral("ÉCHOS one|échos two"));
  QVERIFY(viewer.windowTitle().contains(QStringLiteral("of 6")));
  QCOMPARE(Find<QPushButton>(viewer, "InsBut").text(), QStringLiteral("UNF&ILTER"));
  QCOMPARE(form.Options().Dialog.SkipFilterMsgDontShow, std::uint8_t{1});

  // While filtered the window searches only; Esc asks for nothing.
  dialogs.ExpectModal([](QDialog& window) -> bool {
    MODAL_CHECK(!Find<QPushButton>(window, "ButFilt").isEnabled());
    MODAL_CHECK(!Find<QCheckBox>(window, "ChkInversion").isEnabled());
    MODAL_CHECK(ShowActive(window));
    QTest::keyClick(&window, Qt::Key_Escape);
    return window.result() == QDialog::Accepted;
  });
  ViewerKey(viewer, Qt::Key_F, Qt::ControlModifier);
  QCOMPARE(Names(form.List()), QStringLiteral("ÉCHOS one|échos two"));

  // An edit in the filtered list survives UNF&ILTER.
  dialogs.ExpectModal([](QDialog& window) -> bool {
    QTest::keyClicks(&Find<QLineEdit>(window, "NazivEdit"), "!");
    Find<QPushButton>(window, "OkBut").click();
    return window.result() == QDialog::Accepted;
  });
  GoToRow(viewer, 1);
  QTest::mouseClick(&Find<QPushButton>(viewer, "EditBut"), Qt::LeftButton);
  QTest::mouseClick(&Find<QPushButton>(viewer, "InsBut"), Qt::LeftButton);
  QCOMPARE(Names(form.List()), QStringLiteral("alpha|Beta|ÉCHOS one|gamma|échos two!|delta"));

  // A filter again (no notice now), and closing answers Yes: back to the full list.
  dialogs.ExpectModal([](QDialog& window) -> bool {
    QTest::keyClicks(&Find<QLineEdit>(window, "Edit1"), "ta");
    Find<QPushButton>(window, "ButFilt").click();
    return window.result() == QDialog::Accepted;
  });
  ViewerKey(viewer, Qt::Key_F, Qt::ControlModifier);
  QCOMPARE(Names(form.List()), QStringLiteral("Beta|delta"));
  dialogs.ExpectQuestion(
      QStringLiteral(
          "Do you want to revert to the unfiltered list?\r\n\n(NO will irreversibly make this list primary)"),
      Answer::Yes);
  ViewerKey(viewer, Qt::Key_Escape);
  QVERIFY(QTest::qWaitFor([&] { return form.findChild<TViewForm*>() == nullptr; }));
  QCOMPARE(form.List().ItemCount(), 6u);
  QVERIFY_SCRIPT_DONE(dialogs);
}

void EditorFindTest::noticeCancelTakesTheFilterBack() {
  WindowSession session;
  TMainForm& form = StartWithNames(session, {"one", "two", "three"});
  ScriptedDialogs& dialogs = session.dialogs;
  TViewForm& viewer = OpenViewer(form);
  dialogs.ExpectModal([](QDialog& window) -> bool {
    QTest::keyClicks(&Find<QLineEdit>(window, "Edit1"), "O");
    Find<QPushButton>(window, "ButFilt").click();
    return window.result() == QDialog::Accepted;
  });
  dialogs.ExpectModal([](QDialog& window) -> bool {
    Find<QCheckBox>(window, "DontShowCheck").click();
    Find<QPushButton>(window, "CancelBut").click();
    return window.result() == QDialog::Accepted;
  });
  ViewerKey(viewer, Qt::Key_F, Qt::ControlModifier);
  QCOMPARE(Names(form.List()), QStringLiteral("one|two|three"));
  QCOMPARE(Find<QPushButton>(viewer, "InsBut").text(), QStringLiteral("&Insert"));
  QCOMPARE(form.Options().Dialog.SkipFilterMsgDontShow, std::uint8_t{1});
  QVERIFY_SCRIPT_DONE(dialogs);
}

// Turning to another window closes the editor and the find window as a cancel.
void EditorFindTest::editorAndFinderCancelOnFocusLoss() {
  WindowSession session;
  TMainForm& form = StartWithNames(session, {"one", "two"});
  ScriptedDialogs& dialogs = session.dialogs;
  TViewForm& viewer = OpenViewer(form);
  GoToRow(viewer, 1);
  const std::vector<std::function<void()>> openers = {
      [&] { QTest::mouseClick(&Find<QPushButton>(viewer, "InsBut"), Qt::LeftButton); },
      [&] { ViewerKey(viewer, Qt::Key_F, Qt::ControlModifier); }};
  for (const auto& open : openers) {
    bool closedByItself = false;
    dialogs.ExpectModal([&](QDialog& window) -> bool {
      window.setWindowModality(Qt::ApplicationModal);  // as exec() runs it
      MODAL_CHECK(ShowActive(window));
      if (auto* text = window.findChild<QLineEdit*>(QStringLiteral("Edit1"))) text->setText(QStringLiteral("one"));
      QApplication::setActiveWindow(nullptr);  // another program's window takes the focus
      closedByItself = QTest::qWaitFor([&window] { return !window.isVisible(); });
      return window.result() == QDialog::Accepted;
    });
    open();
    QVERIFY(closedByItself);
  }
  QCOMPARE(Names(form.List()), QStringLiteral("one|two"));
  QCOMPARE(CurrentRow(viewer), 1);  // the cancelled find did not search for "one"
  QVERIFY_SCRIPT_DONE(dialogs);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::EditorFindTest)
#include "EditorFindTest.moc"
