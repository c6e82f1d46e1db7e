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

AppOptions Defaults() {
  AppOptions options{};
  SetFactoryDefaults(options, FactoryContext{1024, 768, "/tmp"});
  return options;
}

struct Choices {
  int LoadAppend;
  int AppendSort;
  int DontShow;
};

Choices Of(const AppOptions& options) {
  return {options.Dialog.LoadAppend, options.Dialog.AppendSort, options.Dialog.LoadModeDontShow};
}

// Ticks append, "sort by main option" and "don't show" in `window`.
void ChangeEverything(TLoadMergeForm& window) {
  QTest::mouseClick(&Find<QRadioButton>(window, "AppendRadio"), Qt::LeftButton);
  QTest::mouseClick(&Find<QRadioButton>(window, "SortMainRadio"), Qt::LeftButton);
  QTest::mouseClick(&Find<QCheckBox>(window, "DontShowCheck"), Qt::LeftButton);
}

}  // namespace

class LoadMergeTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsShowAndChangeTheOptionsAtOnce();
  void closingWithoutGoPutsTheValuesBack();
  void goKeepsTheChoicesAndExplainsHowToGetTheWindowBack();
};

void LoadMergeTest::controlsShowAndChangeTheOptionsAtOnce() {
  AppOptions options = Defaults();
  ScriptedDialogs dialogs;
  options.Dialog.AppendSort = 3;
  TLoadMergeForm window(options, dialogs, nullptr);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.windowTitle(), QStringLiteral(" Load options"));
  QCOMPARE(Find<QGroupBox>(window, "AppendGroup").title(), QStringLiteral(" if you append: "));
  QVERIFY(Find<QRadioButton>(window, "NewRadio").isChecked());
  QVERIFY(Find<QRadioButton>(window, "NoSortRadio").isChecked());
  QVERIFY2(!Find<QGroupBox>(window, "AppendGroup").isEnabled(), "sorting matters only when appending");
  QVERIFY(window.width() >= 219 && window.height() >= 283);

  QTest::mouseClick(&Find<QRadioButton>(window, "AppendRadio"), Qt::LeftButton);
  QCOMPARE(options.Dialog.LoadAppend, 1);
  QVERIFY(Find<QGroupBox>(window, "AppendGroup").isEnabled());
  const char* sorts[] = {"SortPrimaryRadio", "SortSecondaryRadio", "SortMainRadio", "NoSortRadio"};
  for (int choice = 0; choice < 4; ++choice) {
    QTest::mouseClick(&Find<QRadioButton>(window, sorts[choice]), Qt::LeftButton);
    QCOMPARE(static_cast<int>(options.Dialog.AppendSort), choice);
  }
  QTest::mouseClick(&Find<QRadioButton>(window, "NewRadio"), Qt::LeftButton);
  QCOMPARE(options.Dialog.LoadAppend, 0);
  QVERIFY(!Find<QGroupBox>(window, "AppendGroup").isEnabled());
}

void LoadMergeTest::closingWithoutGoPutsTheValuesBack() {
  ScriptedDialogs dialogs;
  for (const char* way : {"Esc", "close box"}) {
    AppOptions options = Defaults();
    const Choices before = Of(options);
    options.Places.LoadModeLeft = 20000;  // beyond the screen: pulled back in
    options.Places.LoadModeTop = 30;
    TLoadMergeForm window(options, dialogs, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.x() < 20000);
    ChangeEverything(window);
    QCOMPARE(options.Dialog.LoadAppend, 1);
    QCOMPARE(options.Dialog.LoadModeDontShow, 1);
    window.move(15, 25);
    if (QByteArray(way) == "Esc") {
      QTest::keyClick(&window, Qt::Key_Escape);
    } else {
      window.close();
    }
    QCOMPARE(window.result(), static_cast<int>(QDialog::Rejected));
    const Choices after = Of(options);
    QVERIFY2(after.LoadAppend == before.LoadAppend, way);
    QVERIFY2(after.AppendSort == before.AppendSort, way);
    QVERIFY2(after.DontShow == before.DontShow, way);
    QVERIFY2(options.Places.LoadModeLeft == 15 && options.Places.LoadModeTop == 25, way);
  }
  QVERIFY(dialogs.Shown.empty());
}

void LoadMergeTest::goKeepsTheChoicesAndExplainsHowToGetTheWindowBack() {
  ScriptedDialogs dialogs;
  AppOptions options = Defaults();
  {
    TLoadMergeForm window(options, dialogs, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(&Find<QRadioButton>(window, "AppendRadio"), Qt::LeftButton);
    QTest::mouseClick(&Find<QPushButton>(window, "GoBut"), Qt::LeftButton);
    QCOMPARE(window.result(), static_cast<int>(QDialog::Accepted));
    QVERIFY2(dialogs.Shown.empty(), "no note without \"don't show\"");
    QCOMPARE(options.Dialog.LoadAppend, 1);
  }
  TLoadMergeForm window(options, dialogs, nullptr);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY2(Find<QRadioButton>(window, "AppendRadio").isChecked(), "the window shows the kept choice");
  ChangeEverything(window);
  QTest::mouseClick(&Find<QPushButton>(window, "GoBut"), Qt::LeftButton);
  QCOMPARE(window.result(), static_cast<int>(QDialog::Accepted));
  QCOMPARE(dialogs.Shown.size(), 1u);
  QCOMPARE(dialogs.Shown.front().Text,
           QStringLiteral("IMPORTANT NOTE:\r\n\nTo get load options window to show again,\r\nhold down the CTRL key "
                          "while clicking LOAD\r\nbutton. And don't forget you still need\r\nto have more than 0 items "
                          "for it to show!"));
  const Choices after = Of(options);
  QCOMPARE(after.LoadAppend, 1);
  QCOMPARE(after.AppendSort, 2);
  QCOMPARE(after.DontShow, 1);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::LoadMergeTest)
#include "LoadMergeTest.moc"
