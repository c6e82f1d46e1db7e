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

}  // namespace

class DupSearchWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void actionsWithScriptedConfirmations();
  void abortAndEscDuringARun();
  void savingAndViewingTheLog();
};

// The buttons pressed at the confirmations: the first match's copy deleted, the second kept.
void DupSearchWindowTest::actionsWithScriptedConfirmations() {
  WindowSession session;
  TViewForm& viewer = StartViewer(session, 2);
  QString finish;
  QueueProgress(session.dialogs, finish, {"Del1But", "LeaveBut"});
  QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
  QCOMPARE(finish, QStringLiteral("&DELETE Finished. 2 matches found. 1 duplicates to be deleted. log 1"));
  CheckViewerFollowsTheList(session, viewer, QStringLiteral("Beta - Two|Alpha - One|Gamma - Three|Beta - Two"), true);
}

void DupSearchWindowTest::abortAndEscDuringARun() {
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

void DupSearchWindowTest::savingAndViewingTheLog() {
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
  QVERIFY_SCRIPT_DONE(dialogs);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::DupSearchWindowTest)
#include "DupSearchWindowTest.moc"
