// One copy per user: a real second `ordonna` process hands its list file to a running copy held
// by this test (the main window loading what it receives is in ui_main_window_tests).
#include <poll.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include "platform/SingleInstance.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {

class InstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void secondCopyHandsItsListFileToTheRunningCopy();
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
    pollfd ready{running->ListenDescriptor(), POLLIN, 0};
    if (poll(&ready, 1, 100) > 0) received = running->TakeMessages();
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

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::InstanceTest)
#include "InstanceTest.moc"
