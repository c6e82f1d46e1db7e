// The comparison windows under Qt Test, started from the viewer: the actions chosen in the
// settings window with its file choosers answered by the test, a loader question asked by the
// window for the worker, and a removal that empties the list and closes the viewer.
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "core/ListStore.h"
#include "listfile/ListFileCommands.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

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

class CompareWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void actionsThroughTheSettingsWindowThenALoaderQuestion();
};

// Over one list: the actions that write a file leave the list, action 9 keeps the matches; then
// an external list whose volume label is too long: the worker's question is asked by the window,
// Yes goes on, every current entry matches and action 4 empties the list.
void CompareWindowTest::actionsThroughTheSettingsWindowThenALoaderQuestion() {
  TempDir files;
  EntryList external;
  for (const char* name : {"Alpha - One", "Beta - Two", "Other External"})
    external.AppendEntry(NamedEntry(name, "/other"));
  QVERIFY(WriteListFile(files.File("external.ordl"), external, kNoSortOrder).ok());
  const QString input = QString::fromStdString(files.File("external"));  // ".ordl" appended
  WindowSession session;
  TViewForm& viewer = OpenViewer(StartWithNames(session, {"Alpha - One", "Lone Current", "Beta - Two"},
                                                [](AppOptions& o) { o.Dialog.MatchPercent = 90; }));
  QString finish;
  for (int action : {0, 1, 2, 3, 5, 6, 7, 8, 9}) {
    const bool removes = action == 9;
    const bool newList = action == 1 || action == 3 || action == 6 || action == 8;
    const std::string out = files.File("out" + std::to_string(action) + (newList ? ".ordl" : ".txt"));
    QueueCompareSettings(session.dialogs, action, input, removes ? QString() : QString::fromStdString(out));
    session.dialogs.ExpectModal(PlayProgress(finish));
    QTest::mouseClick(&Find<QPushButton>(viewer, "CompBut"), Qt::LeftButton);
    QVERIFY2(finish.startsWith((removes ? "&DELETE" : "&CLOSE") + QStringLiteral(" Finished. ")),
             qPrintable(QString::number(action) + finish));
    QCOMPARE(std::filesystem::exists(out), !removes);
    CheckViewerFollowsTheList(
        session, viewer,
        removes ? QStringLiteral("Alpha - One|Beta - Two") : QStringLiteral("Alpha - One|Lone Current|Beta - Two"),
        removes);
  }
  std::string file("\x03Ord\x00", 5);
  for (std::string name : {"Alpha - One", "Beta - Two"}) {
    file += static_cast<char>(name.size()) + name + '\0' + '\x28' + std::string(40, 'L') + std::string(19, '\0');
  }
  WriteFileBytes(files.File("labels.ordl"), file);
  QueueCompareSettings(session.dialogs, 4, QString::fromStdString(files.File("labels.ordl")), QString());
  session.dialogs.ExpectQuestion(
      QStringLiteral("External file doesn't seem to be a ORDL file.\r\nTry to process anyway?"), Answer::Yes);
  session.dialogs.ExpectModal(PlayProgress(finish));
  QTest::mouseClick(&Find<QPushButton>(viewer, "CompBut"), Qt::LeftButton);
  QCOMPARE(finish, QStringLiteral("&DELETE Finished. 2 matches to be removed from internal list. log 0"));
  QCOMPARE(session.Form().List().ItemCount(), 0u);
  QTRY_VERIFY(session.Form().findChild<TViewForm*>() == nullptr);
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::CompareWindowTest)
#include "CompareWindowTest.moc"
