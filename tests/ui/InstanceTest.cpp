// One copy per user: a later copy hands its list file to the running one, which loads it
// through the normal load path. Checked twice: a real second `ordonna` process talking to a
// copy held by this test, and the main window receiving files over the real socket.
#include <poll.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include "core/ListStore.h"
#include "platform/SingleInstance.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

bool Readable(int descriptor, int timeoutMs) {
  pollfd ready{descriptor, POLLIN, 0};
  return poll(&ready, 1, timeoutMs) > 0;
}

}  // namespace

class InstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void secondCopyHandsItsListFileToTheRunningCopy();
  void runningWindowLoadsFilesItReceives();
};

void InstanceTest::secondCopyHandsItsListFileToTheRunningCopy() {
  TempDir home, data, work;
  WriteList(work.File("mine.ordl"), 2);
  // This test is the running copy.
  std::unique_ptr<SingleInstance> running = AcquireSingleInstance(home.Path(), "OrdonnaOne");
  QVERIFY(running != nullptr);
  QProcess second;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("ORDONNA_HOME"), QString::fromStdString(home.Path()));
  environment.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(data.Path()));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  second.setProcessEnvironment(environment);
  // A name relative to the second copy's working folder arrives as an absolute path.
  second.setWorkingDirectory(QString::fromStdString(work.Path()));
  second.start(QStringLiteral(ORDONNA_GUI_PATH), {QStringLiteral("mine.ordl")});
  QVERIFY(second.waitForStarted());
  std::vector<std::string> received;
  for (int waited = 0; waited < 10000 && received.empty(); waited += 100) {
    if (Readable(running->ListenDescriptor(), 100)) received = running->TakeMessages();
  }
  QCOMPARE(received.size(), 1u);
  QCOMPARE(QString::fromStdString(received.front()), QString::fromStdString(work.File("mine.ordl")));
  // The second copy now shows "already running" and waits for OK: it neither became a
  // second window nor registered anything.
  QVERIFY2(!second.waitForFinished(300), "the second copy waits in its message box");
  QVERIFY(!QDir(QString::fromStdString(data.Path() + "/applications")).exists());
  second.kill();
  second.waitForFinished();
}

void InstanceTest::runningWindowLoadsFilesItReceives() {
  WindowSession session;
  TempDir lists;
  WriteList(lists.File("three.ordl"), 3);
  session.WriteSettings([](AppOptions&) {});
  std::unique_ptr<SingleInstance> instance = AcquireSingleInstance(session.Home(), "OrdonnaOne");
  QVERIFY(instance != nullptr);
  TMainForm& form = session.Start();
  form.WatchInstance(*instance);
  QVERIFY(SendToRunningInstance(session.Home(), "OrdonnaOne", lists.File("three.ordl")));
  QTRY_COMPARE(form.StatusText(), QStringLiteral("Loaded 3 items."));
  QCOMPARE(form.List().ItemCount(), 3u);
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::InstanceTest)
#include "InstanceTest.moc"
