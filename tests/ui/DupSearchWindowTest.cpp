// The duplicates search windows under Qt Test, started from the viewer over a list with
// planted duplicates: actions with scripted confirmations, abort with either revert answer, Esc
// during a run, saving and viewing the log. After each run the
// list, the grid and the undo state agree.
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

#include "core/ListStore.h"
#include "ui/DupSearchUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

// Two planted pairs: entries 0 and 2, 1 and 4.
const std::vector<std::string> kDuplicates = {"Alpha - One", "Beta - Two", "Alpha - One", "Gamma - Three",
                                              "Beta - Two"};
const QString kAllDuplicates = QStringLiteral("Alpha - One|Beta - Two|Alpha - One|Gamma - Three|Beta - Two");

// Starts the viewer over the planted list.
TViewForm& StartViewer(WindowSession& session) {
  return OpenViewer(StartWithNames(session, kDuplicates, [](AppOptions& o) {
    o.Dialog.MatchAction = 1;
    o.Dialog.MatchPercent = 90;
  }));
}

// The settings window chooses `action`, the progress window is played by `run`, and DupBut starts the search.
void RunSearch(WindowSession& session, TViewForm& viewer, int action, std::function<void(QDialog&)> run) {
  session.dialogs.ExpectModal([action](QDialog& dialog) {
    Find<QRadioButton>(dialog, qPrintable(QStringLiteral("rbut%1").arg(action + 1))).click();
    QTest::mouseClick(&Find<QPushButton>(dialog, "GoBut"), Qt::LeftButton);
  });
  session.dialogs.ExpectModal(std::move(run));
  QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
}

// Presses Del2But at the first confirmation and AbortBut at the second.
void AbortAtTheSecondMatch(QDialog& dialog) {
  dialog.show();
  QVERIFY(ClickWhenShown(dialog, "Del2But"));
  QVERIFY(QTest::qWaitFor([&] { return Find<QPushButton>(dialog, "Del1But").isVisible(); }, 5000));
  QTest::mouseClick(&Find<QPushButton>(dialog, "AbortBut"), Qt::LeftButton);
}

}  // namespace

class DupSearchWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void runsThatLeaveTheListThenActions();
  void abortAnsweredNoDeletesTheMarkedEntry();
};

// Runs over one list: Esc during the first question, an abort answered Yes and a log saved,
// viewed and undone leave it as it was; then the first match's copy deleted, the second kept.
void DupSearchWindowTest::runsThatLeaveTheListThenActions() {
  WindowSession session;
  TViewForm& viewer = StartViewer(session);
  ScriptedDialogs& dialogs = session.dialogs;
  // Escape while the first question is open: the worker stops, nothing was marked, no question.
  RunSearch(session, viewer, 2, [](QDialog& dialog) {
    dialog.show();
    QVERIFY(QTest::qWaitFor([&] { return Find<QPushButton>(dialog, "Del1But").isVisible(); }, 5000));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(static_cast<TDupSearchForm&>(dialog).Run().Ended());
  });
  CheckViewerFollowsTheList(session, viewer, kAllDuplicates, false);
  dialogs.ExpectQuestion({}, Answer::Yes);  // revert to the list before the run?
  RunSearch(session, viewer, 2, AbortAtTheSecondMatch);
  CheckViewerFollowsTheList(session, viewer, kAllDuplicates, false);
  // Saved as "dups" (first filter), then viewed through the injected opener.
  const std::string folder = session.Home();
  dialogs.ExpectFile(QString::fromStdString(folder + "/dups"));
  RunSearch(session, viewer, 0, [&](QDialog& dialog) {
    dialog.show();
    QVERIFY(ClickWhenShown(dialog, "SaveLogBut") && ClickWhenShown(dialog, "ViewLogBut"));
    QVERIFY(!Find<QPushButton>(dialog, "ViewLogBut").isEnabled());              // for two seconds after a click
    QTest::mouseClick(&Find<QPushButton>(dialog, "AbortBut"), Qt::LeftButton);  // "&UNDO"
  });
  QCOMPARE(dialogs.Opened, QStringList(QString::fromStdString(folder + "/dups.txt")));
  QVERIFY(std::filesystem::exists(folder + "/dups.txt"));
  QCOMPARE(QString::fromStdString(std::string(session.Form().Options().Dialog.DupLogFolder.View())),
           QString::fromStdString(folder));
  CheckViewerFollowsTheList(session, viewer, kAllDuplicates, false);
  QString finish;
  RunSearch(session, viewer, 2, PlayProgress(finish, {"Del1But", "LeaveBut"}));
  QCOMPARE(finish, QStringLiteral("&DELETE Finished. 2 matches found. 1 duplicates to be deleted. log 1"));
  CheckViewerFollowsTheList(session, viewer, QStringLiteral("Beta - Two|Alpha - One|Gamma - Three|Beta - Two"), true);
}

// Abort at the second confirmation with one entry marked, answered No: the entry goes.
void DupSearchWindowTest::abortAnsweredNoDeletesTheMarkedEntry() {
  WindowSession session;
  TViewForm& viewer = StartViewer(session);
  session.dialogs.ExpectQuestion({}, Answer::No);  // revert to the list before the run?
  RunSearch(session, viewer, 2, AbortAtTheSecondMatch);
  CheckViewerFollowsTheList(session, viewer, QStringLiteral("Alpha - One|Beta - Two|Gamma - Three|Beta - Two"), true);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::DupSearchWindowTest)
#include "DupSearchWindowTest.moc"
