// The duplicates search and comparison windows under Qt Test, started from the viewer. The
// search over a list with planted duplicates: actions with scripted confirmations, abort with
// either revert answer, Esc during a run, the cancelled settings window, saving and viewing the
// log. The comparison: its actions chosen in the settings window with the file choosers
// answered by the test, a loader question asked for the worker, and a removal that empties the
// list and closes the viewer. After each run the list, the grid and the undo state agree.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <filesystem>

#include "core/ListStore.h"
#include "listfile/ListFileCommands.h"
#include "ui/DupSearchUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

// Two planted pairs: entries 0 and 2, 1 and 4.
const std::vector<std::string> kDuplicates = {"Alpha - One", "Beta - Two", "Alpha - One", "Gamma - Three",
                                              "Beta - Two"};
const QString kAllDuplicates = QStringLiteral("Alpha - One|Beta - Two|Alpha - One|Gamma - Three|Beta - Two");

// Starts the viewer over the planted list; its settings window will choose `action`.
TViewForm& StartViewer(WindowSession& session, int action) {
  TViewForm& viewer = OpenViewer(StartWithNames(session, kDuplicates, [](AppOptions& o) {
    o.Dialog.MatchAction = 1;
    o.Dialog.MatchPercent = 90;
  }));
  session.dialogs.ExpectModal([action](QDialog& dialog) {
    Find<QRadioButton>(dialog, qPrintable(QStringLiteral("rbut%1").arg(action + 1))).click();
    QTest::mouseClick(&Find<QPushButton>(dialog, "GoBut"), Qt::LeftButton);
  });
  return viewer;
}

// Waits until `name` shows and clicks it.
bool ClickWhenShown(QDialog& dialog, const char* name) {
  auto& button = Find<QPushButton>(dialog, name);
  if (!QTest::qWaitFor([&] { return button.isVisible() && button.isEnabled(); }, 5000)) return false;
  QTest::mouseClick(&button, Qt::LeftButton);
  return true;
}

// The progress window: presses `answers` at the confirmations, waits for the end and presses
// the close button; `finish` receives its caption, the finish label and the log's length.
void QueueProgress(ScriptedDialogs& dialogs, QString& finish, std::vector<const char*> answers = {}) {
  dialogs.ExpectModal([&finish, answers](QDialog& dialog) {
    dialog.show();
    for (const char* answer : answers) QVERIFY(ClickWhenShown(dialog, answer));
    auto& close = Find<QPushButton>(dialog, "CloseBut");
    QVERIFY(QTest::qWaitFor([&] { return close.isVisible() || !dialog.isVisible(); }, 5000));
    finish = QStringLiteral("%1 %2 log %3")
                 .arg(close.text(), Find<QLabel>(dialog, "FinishLabel").text())
                 .arg(Find<QListWidget>(dialog, "LogList").count());
    if (dialog.isVisible()) QTest::mouseClick(&close, Qt::LeftButton);
  });
}

// The list, the viewer's grid and its undo state agree after a run.
void CheckViewerFollowsTheList(WindowSession& session, TViewForm& viewer, const QString& names, bool unsaved) {
  const ListStore& list = session.Form().List();
  QCOMPARE(Names(list), names);
  QCOMPARE(list.Unsaved, unsaved);
  QCOMPARE(Find<QTableView>(viewer, "SG1").model()->rowCount(), static_cast<int>(list.ItemCount()));
  QVERIFY(!Find<QPushButton>(viewer, "UndoBut").isEnabled());
  QVERIFY(Find<QWidget>(viewer, "Panel1").isEnabled());
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

// Starts the viewer over `names` for a comparison.
TViewForm& StartCompareViewer(WindowSession& session, const std::vector<std::string>& names) {
  return OpenViewer(StartWithNames(session, names, [](AppOptions& o) {
    o.Dialog.MatchAction = 0;
    o.Dialog.MatchPercent = 90;
  }));
}

// The comparison's settings window: an ORDL list, `action`, the input and (unless empty) the
// output file chosen through the scripted choosers, then "&GO" when it is enabled.
void QueueCompareSettings(ScriptedDialogs& dialogs, int action, const QString& input, const QString& output) {
  dialogs.ExpectModal([&dialogs, action, input, output](QDialog& dialog) {
    for (const auto& [name, index] : {std::pair{"WithCombo", 0}, std::pair{"ActionCombo", action}}) {
      auto& combo = Find<QComboBox>(dialog, name);
      combo.setCurrentIndex(index);
      emit combo.activated(index);
    }
    dialogs.ExpectFile(input);
    QTest::mouseClick(&Find<QPushButton>(dialog, "ButLoadFile"), Qt::LeftButton);
    if (!output.isEmpty()) {
      dialogs.ExpectFile(output);
      QTest::mouseClick(&Find<QPushButton>(dialog, "ButSaveFile"), Qt::LeftButton);
    }
    auto& go = Find<QPushButton>(dialog, "GoBut");
    QVERIFY(go.isEnabled());
    QTest::mouseClick(&go, Qt::LeftButton);
  });
}

}  // namespace

class MatchWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void actionsWithScriptedConfirmations();
  void abortAndEscDuringARun();
  void cancelledSettingsAndTheLog();
  void tenActionsThroughTheSettingsWindow();
  void loaderQuestionAndARemovalThatEmptiesTheList();
};

void MatchWindowsTest::actionsWithScriptedConfirmations() {
  struct Case {
    int action;
    std::vector<const char*> answers;  // the buttons pressed at the confirmations, in order
    QString finish;
    QString left;
  };
  const Case cases[] = {
      {0,
       {},
       "&DELETE Finished. 2 matches found. 2 duplicates to be deleted. log 2",
       "Alpha - One|Beta - Two|Gamma - Three"},
      {2,
       {"Del1But", "LeaveBut"},
       "&DELETE Finished. 2 matches found. 1 duplicates to be deleted. log 1",
       "Beta - Two|Alpha - One|Gamma - Three|Beta - Two"},
  };
  for (const Case& c : cases) {
    WindowSession session;
    TViewForm& viewer = StartViewer(session, c.action);
    QString finish;
    QueueProgress(session.dialogs, finish, c.answers);
    QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
    QVERIFY2(finish == c.finish, qPrintable(finish));
    CheckViewerFollowsTheList(session, viewer, c.left, true);
  }
}

void MatchWindowsTest::abortAndEscDuringARun() {
  // Abort at the second confirmation with one entry marked: Yes keeps the list, No deletes it.
  for (Answer reply : {Answer::Yes, Answer::No}) {
    WindowSession session;
    TViewForm& viewer = StartViewer(session, 2);
    session.dialogs.ExpectQuestion({}, reply);  // revert to the list before the run?
    session.dialogs.ExpectModal([&](QDialog& dialog) {
      dialog.show();
      QVERIFY(ClickWhenShown(dialog, "Del2But"));
      QVERIFY(QTest::qWaitFor([&] { return Find<QPushButton>(dialog, "Del1But").isVisible(); }, 5000));
      QTest::mouseClick(&Find<QPushButton>(dialog, "AbortBut"), Qt::LeftButton);
    });
    QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
    const bool kept = reply == Answer::Yes;
    CheckViewerFollowsTheList(session, viewer,
                              kept ? kAllDuplicates : QStringLiteral("Alpha - One|Beta - Two|Gamma - Three|Beta - Two"),
                              !kept);
  }
  // Escape while the first question is open: the worker stops, nothing was marked, no question.
  WindowSession session;
  TViewForm& viewer = StartViewer(session, 2);
  session.dialogs.ExpectModal([&](QDialog& dialog) {
    dialog.show();
    QVERIFY(QTest::qWaitFor([&] { return Find<QPushButton>(dialog, "Del1But").isVisible(); }, 5000));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(static_cast<TDupSearchForm&>(dialog).Run().Ended());
  });
  QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
  CheckViewerFollowsTheList(session, viewer, kAllDuplicates, false);
}

void MatchWindowsTest::cancelledSettingsAndTheLog() {
  WindowSession session;
  TViewForm& viewer = StartViewer(session, 0);
  ScriptedDialogs& dialogs = session.dialogs;
  // Saved as "dups" (first filter), then viewed through the injected opener.
  const std::string folder = session.Home();
  dialogs.ExpectFile(QString::fromStdString(folder + "/dups"));
  dialogs.ExpectModal([&](QDialog& dialog) {
    dialog.show();
    QVERIFY(ClickWhenShown(dialog, "SaveLogBut") && ClickWhenShown(dialog, "ViewLogBut"));
    QVERIFY(!Find<QPushButton>(dialog, "ViewLogBut").isEnabled());              // for two seconds after a click
    QTest::mouseClick(&Find<QPushButton>(dialog, "AbortBut"), Qt::LeftButton);  // "&UNDO"
  });
  QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
  QCOMPARE(dialogs.Opened, QStringList(QString::fromStdString(folder + "/dups.txt")));
  QVERIFY(std::filesystem::exists(folder + "/dups.txt"));
  QCOMPARE(session.Form().List().ItemCount(), 5u);  // undone
  QCOMPARE(QString::fromStdString(std::string(session.Form().Options().Dialog.DupLogFolder.View())),
           QString::fromStdString(folder));
  // A cancelled settings window restores every setting it changed.
  dialogs.ExpectModal([](QDialog& dialog) {
    Find<QRadioButton>(dialog, "rbut3").click();
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
  QCOMPARE(session.Form().Options().Dialog.MatchAction, std::uint8_t{0});
  QVERIFY_SCRIPT_DONE(dialogs);
}

void MatchWindowsTest::tenActionsThroughTheSettingsWindow() {
  TempDir files;
  EntryList external;
  for (const char* name : {"Alpha - One", "Beta - Two", "Other External"})
    external.AppendEntry(NamedEntry(name, "/other"));
  QVERIFY(WriteListFile(files.File("external.ordl"), external, kNoSortOrder).ok());
  const QString input = QString::fromStdString(files.File("external"));  // ".ordl" appended
  for (int action = 0; action < 10; ++action) {
    WindowSession session;
    TViewForm& viewer = StartCompareViewer(session, {"Alpha - One", "Lone Current", "Beta - Two"});
    const bool removes = action == 4 || action == 9;
    const bool newList = action == 1 || action == 3 || action == 6 || action == 8;
    const std::string out = files.File("out" + std::to_string(action) + (newList ? ".ordl" : ".txt"));
    QueueCompareSettings(session.dialogs, action, input, removes ? QString() : QString::fromStdString(out));
    QString finish;
    QueueProgress(session.dialogs, finish);
    QTest::mouseClick(&Find<QPushButton>(viewer, "CompBut"), Qt::LeftButton);
    QVERIFY2(finish.startsWith((removes ? "&DELETE" : "&CLOSE") + QStringLiteral(" Finished. ")),
             qPrintable(QString::number(action) + finish));
    QCOMPARE(std::filesystem::exists(out), !removes);
    const QString left = action == 4   ? QStringLiteral("Lone Current")
                         : action == 9 ? QStringLiteral("Alpha - One|Beta - Two")
                                       : QStringLiteral("Alpha - One|Lone Current|Beta - Two");
    CheckViewerFollowsTheList(session, viewer, left, removes);
    QCOMPARE(session.Form().Options().Dialog.CompareListFile.View(), files.File("external.ordl"));
  }
}

void MatchWindowsTest::loaderQuestionAndARemovalThatEmptiesTheList() {
  // An external list whose volume label is too long: the worker's question is asked by the
  // window, and Yes goes on. Every current entry matches: action 4 empties the list.
  TempDir files;
  std::string file("\x03Ord\x00", 5);
  for (std::string name : {"Alpha - One", "Beta - Two"}) {
    file += static_cast<char>(name.size()) + name + '\0' + '\x28' + std::string(40, 'L') + std::string(19, '\0');
  }
  WriteFileBytes(files.File("labels.ordl"), file);
  WindowSession session;
  TViewForm& viewer = StartCompareViewer(session, {"Alpha - One", "Beta - Two"});
  QueueCompareSettings(session.dialogs, 4, QString::fromStdString(files.File("labels.ordl")), QString());
  session.dialogs.ExpectQuestion(
      QStringLiteral("External file doesn't seem to be a ORDL file.\r\nTry to process anyway?"), Answer::Yes);
  QString finish;
  QueueProgress(session.dialogs, finish);
  QTest::mouseClick(&Find<QPushButton>(viewer, "CompBut"), Qt::LeftButton);
  QCOMPARE(finish, QStringLiteral("&DELETE Finished. 2 matches to be removed from internal list. log 0"));
  QCOMPARE(session.Form().List().ItemCount(), 0u);
  QTRY_VERIFY(session.Form().findChild<TViewForm*>() == nullptr);
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::MatchWindowsTest)
#include "MatchWindowsTest.moc"
