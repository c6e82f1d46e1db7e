// The duplicates search windows under Qt Test, started from the viewer over a list with
// planted duplicates: each action with scripted confirmations, abort with either revert
// answer, closing during a run, the cancelled settings window, and saving and viewing the log.
// After each run the list, the viewer's grid and its undo state are compared whole.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <filesystem>

#include "core/ListStore.h"
#include "ui/DupSearchUnit.h"
#include "ui/PreDupUnit.h"
#include "ui/ViewUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

// Two planted pairs: entries 0 and 2, 1 and 4.
const char* const kNames[] = {"Alpha - One", "Beta - Two", "Alpha - One", "Gamma - Three", "Beta - Two"};

TViewForm& StartViewer(WindowSession& session, std::uint8_t matchAction) {
  TViewForm& viewer = OpenViewer(StartWithNames(session, {std::begin(kNames), std::end(kNames)}, [](AppOptions& o) {
    o.Dialog.MatchAction = 1;
    o.Dialog.MatchPercent = 90;
  }));
  // The settings window: the action chosen, then "&GO".
  session.dialogs.ExpectModal([matchAction](QDialog& dialog) {
    QRadioButton* radios[] = {&Find<QRadioButton>(dialog, "rbut1"), &Find<QRadioButton>(dialog, "rbut2"),
                              &Find<QRadioButton>(dialog, "rbut3")};
    radios[matchAction]->click();
    QTest::mouseClick(&Find<QPushButton>(dialog, "GoBut"), Qt::LeftButton);
    return dialog.result() == QDialog::Accepted;
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

}  // namespace

class DupSearchWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void actionsWithScriptedConfirmations();
  void abortAndCloseDuringARun();
  void cancelledSettingsAndTheLog();
};

void DupSearchWindowTest::actionsWithScriptedConfirmations() {
  struct Case {
    std::uint8_t matchAction;
    std::vector<const char*> answers;  // the buttons pressed at the confirmations, in order
    QString finish;
    QString left;
  };
  const Case cases[] = {
      {0, {}, "Finished. 2 matches found. 2 duplicates to be deleted.", "Alpha - One|Beta - Two|Gamma - Three"},
      {2,
       {"Del2But", "LeaveBut"},
       "Finished. 2 matches found. 1 duplicates to be deleted.",
       "Alpha - One|Beta - Two|Gamma - Three|Beta - Two"},
      {2,
       {"Del1But", "Del1But"},
       "Finished. 2 matches found. 2 duplicates to be deleted.",
       "Alpha - One|Gamma - Three|Beta - Two"},
  };
  for (const Case& c : cases) {
    WindowSession session;
    TViewForm& viewer = StartViewer(session, c.matchAction);
    QString finish;
    QStringList shownLog;
    session.dialogs.ExpectModal([&](QDialog& dialog) {
      dialog.show();
      for (const char* answer : c.answers) {
        if (!ClickWhenShown(dialog, answer)) return false;
      }
      auto& close = Find<QPushButton>(dialog, "CloseBut");
      if (!QTest::qWaitFor([&] { return close.isVisible(); }, 5000)) return false;
      finish = Find<QLabel>(dialog, "FinishLabel").text();
      auto& log = Find<QListWidget>(dialog, "LogList");
      for (int i = 0; i < log.count(); ++i) shownLog << log.item(i)->text();
      if (close.text() != QStringLiteral("&DELETE") || close.x() != 296) return false;
      QTest::mouseClick(&close, Qt::LeftButton);
      return false;
    });
    QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
    QVERIFY2(finish == c.finish, qPrintable(c.left + ": " + finish));
    QCOMPARE(shownLog.size(), c.left.count('|') == 3 ? 1 : 2);
    TMainForm& form = session.Form();
    QCOMPARE(Names(form.List()), c.left);
    QVERIFY(form.List().Unsaved);
    QCOMPARE(Find<QTableView>(viewer, "SG1").model()->rowCount(), static_cast<int>(form.List().ItemCount()));
    QVERIFY(!Find<QPushButton>(viewer, "UndoBut").isEnabled());
    QVERIFY(Find<QWidget>(viewer, "Panel1").isEnabled());
    QVERIFY_SCRIPT_DONE(session.dialogs);
  }
}

void DupSearchWindowTest::abortAndCloseDuringARun() {
  const QString revert = QStringLiteral(
      "Do you wish to revert to previous list state?\r\n\nYES = undo all deletions\r\nNO = perform all the deletions "
      "confirmed so far");
  const QString all = QStringList({kNames[0], kNames[1], kNames[2], kNames[3], kNames[4]}).join('|');
  // Abort at the second confirmation with one entry marked: Yes keeps the list, No deletes it.
  for (Answer reply : {Answer::Yes, Answer::No}) {
    WindowSession session;
    TViewForm& viewer = StartViewer(session, 2);
    session.dialogs.ExpectQuestion(revert, reply);
    session.dialogs.ExpectModal([&](QDialog& dialog) {
      dialog.show();
      if (!ClickWhenShown(dialog, "Del2But")) return false;
      if (!QTest::qWaitFor([&] { return Find<QPushButton>(dialog, "Del1But").isVisible(); }, 5000)) return false;
      QTest::mouseClick(&Find<QPushButton>(dialog, "AbortBut"), Qt::LeftButton);
      return false;
    });
    QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
    QCOMPARE(Names(session.Form().List()),
             reply == Answer::Yes ? all : QStringLiteral("Alpha - One|Beta - Two|Gamma - Three|Beta - Two"));
    QCOMPARE(Find<QTableView>(viewer, "SG1").model()->rowCount(), static_cast<int>(session.Form().List().ItemCount()));
    QVERIFY_SCRIPT_DONE(session.dialogs);
  }
  // Escape while the first question is open: the worker stops, nothing was marked, no question.
  WindowSession session;
  TViewForm& viewer = StartViewer(session, 2);
  bool closed = false;
  session.dialogs.ExpectModal([&](QDialog& dialog) {
    dialog.show();
    if (!QTest::qWaitFor([&] { return Find<QPushButton>(dialog, "Del1But").isVisible(); }, 5000)) return false;
    QTest::keyClick(&dialog, Qt::Key_Escape);
    closed = static_cast<TDupSearchForm&>(dialog).Run().Ended();
    return false;
  });
  QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
  QVERIFY(closed);
  QCOMPARE(Names(session.Form().List()), all);
  QVERIFY(!session.Form().List().Unsaved);
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

void DupSearchWindowTest::cancelledSettingsAndTheLog() {
  WindowSession session;
  TViewForm& viewer = StartViewer(session, 0);
  ScriptedDialogs& dialogs = session.dialogs;
  // Saved as "dups" (first filter), then viewed through the injected opener.
  const std::string folder = session.Home();
  dialogs.ExpectFile(QString::fromStdString(folder + "/dups"));
  QString viewed;
  dialogs.ExpectModal([&](QDialog& dialog) {
    dialog.show();
    if (!ClickWhenShown(dialog, "SaveLogBut")) return false;
    if (!ClickWhenShown(dialog, "ViewLogBut")) return false;
    if (Find<QPushButton>(dialog, "ViewLogBut").isEnabled()) return false;      // off for two seconds
    QTest::mouseClick(&Find<QPushButton>(dialog, "AbortBut"), Qt::LeftButton);  // "&UNDO"
    return false;
  });
  QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
  QVERIFY(std::filesystem::exists(folder + "/dups.txt"));
  QCOMPARE(dialogs.Opened, QStringList(QString::fromStdString(folder + "/dups.txt")));
  QCOMPARE(session.Form().List().ItemCount(), 5u);  // undone
  QCOMPARE(QString::fromStdString(std::string(session.Form().Options().Dialog.DupLogFolder.View())),
           QString::fromStdString(folder));

  // A cancelled settings window restores every setting it changed.
  dialogs.ExpectModal([](QDialog& dialog) {
    Find<QRadioButton>(dialog, "rbut3").click();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    return dialog.result() == QDialog::Accepted;
  });
  QTest::mouseClick(&Find<QPushButton>(viewer, "DupBut"), Qt::LeftButton);
  QCOMPARE(session.Form().Options().Dialog.MatchAction, std::uint8_t{0});
  QVERIFY_SCRIPT_DONE(dialogs);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::DupSearchWindowTest)
#include "DupSearchWindowTest.moc"
