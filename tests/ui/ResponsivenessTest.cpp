// The window stays responsive during a scan: pending events are served between files, the
// status line follows the files, and CANCEL stops the scan at once. Prints the figures.
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "support/Mp3Builder.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {

class ResponsivenessTest : public QObject {
  Q_OBJECT

 private slots:
  void statusFollowsTheFilesAndCancelActsQuickly();
};

void ResponsivenessTest::statusFollowsTheFilesAndCancelActsQuickly() {
  WindowSession session;
  TempDir music;
  // 400 files of about 100 KB in 8 folders, and two long ones (8 MB) that slow
  // processing reads whole.
  for (int folder = 0; folder < 8; ++folder) {
    const std::string path = music.Path() + "/album" + std::to_string(folder);
    QVERIFY(QDir().mkpath(QString::fromStdString(path)));
    WriteMp3Files(path, 50, 240);
  }
  const std::string longFile = Frames(19000, FrameSpec{}, true);
  WriteFileBytes(music.Path() + "/album0/long1.mp3", longFile);
  WriteFileBytes(music.Path() + "/album4/long2.mp3", longFile);
  session.WriteSettings([&](AppOptions& o) {
    o.Dialog.LastScanFolder.Set(music.Path());
    o.Main.SlowProcessing = 1;
  });
  TMainForm& form = session.Start();
  auto& label = Find<QLabel>(form, "Label1");
  auto& cancel = Find<QPushButton>(form, "Cancelbutton");
  // A zero timer fires once per round of pending events: the gaps between its ticks are
  // the longest a click could wait. It presses CANCEL after 300 different status texts.
  QElapsedTimer clock;
  qint64 lastTick = -1;
  qint64 longestGap = 0;
  qint64 cancelledAt = -1;
  int statusChanges = 0;
  QString lastStatus;
  QTimer watcher;
  watcher.setInterval(0);
  connect(&watcher, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    if (lastTick >= 0) longestGap = std::max(longestGap, now - lastTick);
    lastTick = now;
    if (label.text() != lastStatus) {
      lastStatus = label.text();
      ++statusChanges;
    }
    if (statusChanges == 300 && cancelledAt < 0) {
      cancelledAt = clock.nsecsElapsed();
      QTest::mouseClick(&cancel, Qt::LeftButton);
    }
  });
  clock.start();
  watcher.start();
  QTest::mouseClick(&Find<QPushButton>(form, "StartBut"), Qt::LeftButton);
  const qint64 returnedAt = clock.nsecsElapsed();
  watcher.stop();
  QVERIFY2(cancelledAt >= 0, "the scan ended before CANCEL was pressed");
  const double gapMs = static_cast<double>(longestGap) / 1e6;
  const double cancelMs = static_cast<double>(returnedAt - cancelledAt) / 1e6;
  std::printf(
      "scan of 402 files, slow processing: %d status texts seen, longest wait between event rounds "
      "%.1f ms, CANCEL to scan end %.1f ms\n",
      statusChanges, gapMs, cancelMs);
  QCOMPARE(form.StatusText(), QStringLiteral("Cancelled."));
  QVERIFY2(form.List().ItemCount() == 0, "a cancelled NEW leaves an empty list");
  // Generous bounds: the figures above are the measurement.
  QVERIFY2(gapMs < 1000, "events wait too long during the scan");
  QVERIFY2(cancelMs < 1000, "CANCEL takes too long");
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::ResponsivenessTest)
#include "ResponsivenessTest.moc"
