// The load options window: its choices take effect at once, closing without GO undoes them,
// GO with "don't show" explains how to get the window back, and its position is kept.
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "config/AppOptions.h"
#include "config/ConfigFile.h"
#include "ui/LoadMergeUnit.h"
#include "ui/ScriptedDialogs.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

bool Shown(QWidget& window) { return window.show(), QTest::qWaitForWindowExposed(&window); }

void ClickRadio(TLoadMergeForm& window, const char* name) {
  QTest::mouseClick(&Find<QRadioButton>(window, name), Qt::LeftButton);
}

}  // namespace

class LoadMergeTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsShowAndChangeTheOptionsAtOnce();
  void goKeepsTheChoicesAndAnyOtherWayOutPutsThemBack();
};

void LoadMergeTest::controlsShowAndChangeTheOptionsAtOnce() {
  AppOptions options = FactoryOptions();
  ScriptedDialogs dialogs;
  options.Dialog.AppendSort = 3;
  {
    TLoadMergeForm window(options, dialogs, nullptr);
    QVERIFY(Shown(window));
    auto& group = Find<QGroupBox>(window, "AppendGroup");
    QCOMPARE(window.windowTitle() + '|' + group.title(), QStringLiteral(" Load options| if you append: "));
    QVERIFY(Find<QRadioButton>(window, "NewRadio").isChecked() &&
            Find<QRadioButton>(window, "NoSortRadio").isChecked());
    QVERIFY2(!group.isEnabled(), "sorting matters only when appending");
    QVERIFY(window.width() >= 219 && window.height() >= 283);

    ClickRadio(window, "AppendRadio");
    QVERIFY(options.Dialog.LoadAppend == 1 && group.isEnabled());
    const char* sorts[] = {"SortPrimaryRadio", "SortSecondaryRadio", "SortMainRadio", "NoSortRadio"};
    for (int choice = 0; choice < 4; ++choice) {
      ClickRadio(window, sorts[choice]);
      QCOMPARE(static_cast<int>(options.Dialog.AppendSort), choice);
    }
    ClickRadio(window, "NewRadio");
    QVERIFY(options.Dialog.LoadAppend == 0 && !group.isEnabled());
    ClickRadio(window, "AppendRadio");
    QTest::mouseClick(&Find<QPushButton>(window, "GoBut"), Qt::LeftButton);
    QCOMPARE(window.result(), static_cast<int>(QDialog::Accepted));
    QVERIFY2(dialogs.Shown.empty(), "no note without \"don't show\"");
  }
  TLoadMergeForm window(options, dialogs, nullptr);
  QVERIFY(Shown(window));
  QVERIFY2(Find<QRadioButton>(window, "AppendRadio").isChecked(), "the window shows the kept choice");
}

void LoadMergeTest::goKeepsTheChoicesAndAnyOtherWayOutPutsThemBack() {
  for (const char* way : {"GO", "Esc", "close box"}) {
    const QByteArray how(way);
    ScriptedDialogs dialogs;
    AppOptions options = FactoryOptions();
    const DialogOptions before = options.Dialog;
    TLoadMergeForm window(options, dialogs, nullptr);
    QVERIFY(Shown(window));
    ClickRadio(window, "AppendRadio");
    ClickRadio(window, "SortMainRadio");
    QTest::mouseClick(&Find<QCheckBox>(window, "DontShowCheck"), Qt::LeftButton);
    QVERIFY(options.Dialog.LoadAppend == 1 && options.Dialog.AppendSort == 2 && options.Dialog.LoadModeDontShow == 1);
    window.move(15, 25);
    if (how == "GO") {
      QTest::mouseClick(&Find<QPushButton>(window, "GoBut"), Qt::LeftButton);
    } else if (how == "Esc") {
      QTest::keyClick(&window, Qt::Key_Escape);
    } else {
      window.close();
    }
    const DialogOptions& d = options.Dialog;
    QVERIFY2(options.Places.LoadModeLeft == 15 && options.Places.LoadModeTop == 25, way);
    QVERIFY2(window.result() == (how == "GO" ? QDialog::Accepted : QDialog::Rejected), way);
    if (how == "GO") {
      QVERIFY(d.LoadAppend == 1 && d.AppendSort == 2 && d.LoadModeDontShow == 1);
      QCOMPARE(dialogs.Shown.size(), 1u);
      QCOMPARE(dialogs.Shown.front().Text,
               QStringLiteral("IMPORTANT NOTE:\r\n\nTo get load options window to show again,\r\nhold down the CTRL "
                              "key while clicking LOAD\r\nbutton. And don't forget you still need\r\nto have more "
                              "than 0 items for it to show!"));
    } else {
      QVERIFY2(d.LoadAppend == before.LoadAppend && d.AppendSort == before.AppendSort &&
                   d.LoadModeDontShow == before.LoadModeDontShow,
               way);
      QVERIFY2(dialogs.Shown.empty(), way);
    }
  }
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::LoadMergeTest)
#include "LoadMergeTest.moc"
