// The comparison windows under Qt Test, started from the viewer: the ten actions chosen in
// the settings window with its file choosers answered by the test, a loader question asked
// by the window for the worker, and a removal that empties the list and closes the viewer.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <filesystem>

#include "core/ListStore.h"
#include "listfile/ListFileCommands.h"
#include "support/TempDir.h"
#include "ui/CompUnit.h"
#include "ui/ViewUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

TViewForm& StartViewer(WindowSession& session, std::initializer_list<const char*> names) {
  return OpenViewer(StartWithNames(session, {names.begin(), names.end()}, [](AppOptions& o) {
    o.Dialog.MatchAction = 0;
    o.Dialog.MatchPercent = 90;
  }));
}

// The settings window: an ORDL list, `action`, the input and (unless 4 or 9) the output file
// chosen through the scripted choosers, then "&GO" when it is enabled.
void QueueSettings(ScriptedDialogs& dialogs, int action, const QString& input, const QString& output) {
  dialogs.ExpectModal([&dialogs, action, input, output](QDialog& dialog) {
    auto& with = Find<QComboBox>(dialog, "WithCombo");
    with.setCurrentIndex(0);
    emit with.activated(0);
    auto& combo = Find<QComboBox>(dialog, "ActionCombo");
    combo.setCurrentIndex(action);
    emit combo.activated(action);
    dialogs.ExpectFile(input);
    QTest::mouseClick(&Find<QPushButton>(dialog, "ButLoadFile"), Qt::LeftButton);
    if (!output.isEmpty()) {
      dialogs.ExpectFile(output);
      QTest::mouseClick(&Find<QPushButton>(dialog, "ButSaveFile"), Qt::LeftButton);
    }
    auto& go = Find<QPushButton>(dialog, "GoBut");
    if (!go.isEnabled()) return false;
    QTest::mouseClick(&go, Qt::LeftButton);
    return dialog.result() == QDialog::Accepted;
  });
}

// The progress window: waits for the end and presses the close button ("&DELETE" first for
// the removals); `finish` receives the finish label.
void QueueProgress(ScriptedDialogs& dialogs, QString& finish) {
  dialogs.ExpectModal([&finish](QDialog& dialog) {
    dialog.show();
    auto& close = Find<QPushButton>(dialog, "CloseBut");
    if (!QTest::qWaitFor([&] { return close.isVisible() || !dialog.isVisible(); }, 5000)) return false;
    finish = Find<QLabel>(dialog, "FinishLabel").text();
    if (dialog.isVisible()) QTest::mouseClick(&close, Qt::LeftButton);
    return false;
  });
}

}  // namespace

class CompareWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void tenActionsThroughTheSettingsWindow();
  void loaderQuestionAndARemovalThatEmptiesTheList();
};

void CompareWindowTest::tenActionsThroughTheSettingsWindow() {
  TempDir files;
  EntryList external;
  for (const char* name : {"Alpha - One", "Beta - Two", "Other External"}) {
    external.AppendEntry(NamedEntry(name, "/other"));
  }
  QVERIFY(WriteListFile(files.File("external.ordl"), external, kNoSortOrder).ok());
  const QString input = QString::fromStdString(files.File("external"));  // ".ordl" appended
  const QString all = QStringLiteral("Alpha - One|Lone Current|Beta - Two");
  for (int action = 0; action < 10; ++action) {
    WindowSession session;
    TViewForm& viewer = StartViewer(session, {"Alpha - One", "Lone Current", "Beta - Two"});
    const bool newList = action == 1 || action == 3 || action == 6 || action == 8;
    const bool removes = action == 4 || action == 9;
    const std::string out = files.File("out" + std::to_string(action) + (newList ? ".ordl" : ".txt"));
    QueueSettings(session.dialogs, action, input, removes ? QString() : QString::fromStdString(out));
    QString finish;
    QueueProgress(session.dialogs, finish);
    QTest::mouseClick(&Find<QPushButton>(viewer, "CompBut"), Qt::LeftButton);
    QVERIFY2(finish.startsWith(QStringLiteral("Finished. ")), qPrintable(QString::number(action) + finish));
    QCOMPARE(std::filesystem::exists(out), !removes);
    const QString left = action == 4   ? QStringLiteral("Lone Current")
                         : action == 9 ? QStringLiteral("Alpha - One|Beta - Two")
                                       : all;
    TMainForm& form = session.Form();
    QCOMPARE(Names(form.List()), left);
    QCOMPARE(form.List().Unsaved, removes);
    QCOMPARE(Find<QTableView>(viewer, "SG1").model()->rowCount(), static_cast<int>(form.List().ItemCount()));
    QVERIFY(!Find<QPushButton>(viewer, "UndoBut").isEnabled());
    QCOMPARE(QString::fromStdString(std::string(form.Options().Dialog.CompareListFile.View())), input + ".ordl");
    QVERIFY_SCRIPT_DONE(session.dialogs);
  }
}

void CompareWindowTest::loaderQuestionAndARemovalThatEmptiesTheList() {
  // An external list whose volume label is too long: the worker's question is asked by the
  // window, and Yes goes on. Every current entry matches: action 4 empties the list.
  TempDir files;
  std::string file("\x03Ord\x00", 5);
  for (std::string name : {"Alpha - One", "Beta - Two"}) {
    file += static_cast<char>(name.size());
    file += name;
    file += '\0';
    file += '\x28';
    file += std::string(40, 'L');
    file += std::string(19, '\0');
  }
  WriteFileBytes(files.File("labels.ordl"), file);
  WindowSession session;
  TViewForm& viewer = StartViewer(session, {"Alpha - One", "Beta - Two"});
  QueueSettings(session.dialogs, 4, QString::fromStdString(files.File("labels.ordl")), QString());
  session.dialogs.ExpectQuestion(
      QStringLiteral("External file doesn't seem to be a ORDL file.\r\nTry to process anyway?"), Answer::Yes);
  QString finish;
  QueueProgress(session.dialogs, finish);
  QTest::mouseClick(&Find<QPushButton>(viewer, "CompBut"), Qt::LeftButton);
  QCOMPARE(finish, QStringLiteral("Finished. 2 matches to be removed from internal list."));
  QCOMPARE(session.Form().List().ItemCount(), 0u);
  bool warned = false;
  for (const ScriptedDialogs::Message& message : session.dialogs.Shown) {
    warned = warned || message.Text == QStringLiteral("List cleared (closing view window).");
  }
  QVERIFY(warned);
  QTRY_VERIFY(session.Form().findChild<TViewForm*>() == nullptr);
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::CompareWindowTest)
#include "CompareWindowTest.moc"
