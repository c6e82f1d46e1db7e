// The import options window: the file-type rule, the strip rule and its timer, the append box
// of an empty list, the keys and labels that work the check boxes, and the undo of every
// change when the window is left any other way than GO.
#include <cstring>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "config/AppOptions.h"
#include "config/ConfigFile.h"
#include "core/ListStore.h"
#include "ui/ImportUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

ListStore OneEntryList() {
  ListStore list;
  list.AppendEntry(NamedEntry("song", "/music"));
  return list;
}

bool Shown(QWidget& window) {
  window.show();
  return QTest::qWaitForWindowExposed(&window);
}

bool Enabled(TImportForm& window, const char* name) { return Find<QWidget>(window, name).isEnabled(); }

// The first control whose state does not suit the file type (exported lists or not), or nothing.
QByteArray WrongForType(TImportForm& window, bool exported) {
  for (const char* name : {"daradio", "dsradio", "clabcheck", "clablab1", "clablab2", "clablab3"}) {
    if (Enabled(window, name) != exported) return name;
  }
  for (const char* name : {"MircCheck", "MircLab"}) {
    if (Enabled(window, name) == exported) return name;
  }
  return {};
}

// Clicks a radio button on its indicator (a wide button is not clickable beyond its text).
void ClickRadio(TImportForm& window, const char* name) {
  auto& radio = Find<QRadioButton>(window, name);
  QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(6, radio.height() / 2));
}

// Clicks the centre of a label, as the user does.
void ClickLabel(TImportForm& window, const char* name) {
  QTest::mouseClick(&Find<QLabel>(window, name), Qt::LeftButton);
}

bool SameDialogOptions(const DialogOptions& a, const DialogOptions& b) {
  return std::memcmp(&a, &b, sizeof(DialogOptions)) == 0;
}

}  // namespace

class ImportUnitTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheOptionsAndItsTexts();
  void fileTypeRuleSwitchesTheControlsOfEachType();
  void stripBoxOnlyWithHeaderOrFooterFilesAndTheTimerKeepsItSo();
  void appendBoxOfAnEmptyListIsOffButTheOptionKeepsItsValue();
  void goKeepsTheChangesAndEveryOtherWayOutRestoresTheOptions();
};

void ImportUnitTest::opensWithTheOptionsAndItsTexts() {
  AppOptions options = FactoryOptions();
  const ListStore list = OneEntryList();
  TImportForm window(options, list, nullptr);
  QVERIFY(Shown(window));
  QCOMPARE(window.windowTitle(), QStringLiteral(" Import options"));
  QVERIFY(window.width() >= 421 && window.height() >= 531);
  QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(!window.isModal());
  QCOMPARE(Find<QGroupBox>(window, "imacframe").title(), QStringLiteral(" File type "));
  QCOMPARE(Find<QGroupBox>(window, "daradio").title(), QStringLiteral(" If date added not found, write: "));
  QCOMPARE(Find<QGroupBox>(window, "dsradio").title(), QStringLiteral(" If date style can't be determined:"));
  QCOMPARE(Find<QLabel>(window, "striplab1").text(),
           QStringLiteral("Strip current &header && footer files if they compare OK"));
  QCOMPARE(Find<QLabel>(window, "MircLab").text(), QStringLiteral("E&xamine only \"!user...\" lines"));
  QCOMPARE(Find<QPushButton>(window, "Gobut").text(), QStringLiteral("&GO"));
  QCOMPARE(Find<QLabel>(window, "MircLab").toolTip(), QStringLiteral("for use with MIRC file serving scripts"));
  QCOMPARE(Find<QPushButton>(window, "ButCancel").toolTip(), QStringLiteral("you can also press ESC button"));
  QCOMPARE(window.findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 987);
  QVERIFY2(Find<QPushButton>(window, "Gobut").hasFocus() || QApplication::focusWidget() == nullptr,
           "the focus starts on GO");

  // Factory defaults: exported lists, calculate missing values, blank date added, style from
  // the main options.
  QVERIFY(Find<QRadioButton>(window, "OwnTypeRadio").isChecked() && Find<QCheckBox>(window, "cmfcheck").isChecked());
  QVERIFY(!Find<QCheckBox>(window, "ImapCheck").isChecked() && !Find<QCheckBox>(window, "clabcheck").isChecked());
  QVERIFY(Find<QRadioButton>(window, "DaBlankRadio").isChecked() &&
          Find<QRadioButton>(window, "DsMainRadio").isChecked());
  QVERIFY(!window.ImportGo() && !window.OptionsClosed());
}

void ImportUnitTest::fileTypeRuleSwitchesTheControlsOfEachType() {
  AppOptions options = FactoryOptions();
  options.Main.HeaderFromFile = 1;
  const ListStore list = OneEntryList();
  TImportForm window(options, list, nullptr);
  QVERIFY(Shown(window));
  for (const bool exported : {true, false, true}) {
    ClickRadio(window, exported ? "OwnTypeRadio" : "OtherTypeRadio");
    QCOMPARE(options.Dialog.ImportFileType, exported ? 0 : 1);
    QVERIFY2(WrongForType(window, exported).isEmpty(), WrongForType(window, exported));
    QVERIFY2(Enabled(window, "stripcheck") == exported && Enabled(window, "striplab1") == exported,
             "the header and footer are those of exported lists");
    QVERIFY2(Enabled(window, "cmfcheck") && Enabled(window, "ImapCheck"), "both types calculate and append");
  }

  // A window opened on the other type starts with that type's controls.
  options.Dialog.ImportFileType = 1;
  TImportForm other(options, list, nullptr);
  QVERIFY(Shown(other));
  QVERIFY(Find<QRadioButton>(other, "OtherTypeRadio").isChecked() && !Enabled(other, "stripcheck"));
  QVERIFY2(WrongForType(other, false).isEmpty(), WrongForType(other, false));
}

void ImportUnitTest::stripBoxOnlyWithHeaderOrFooterFilesAndTheTimerKeepsItSo() {
  const ListStore list = OneEntryList();
  for (int files = 0; files < 4; ++files) {
    AppOptions options = FactoryOptions();
    options.Main.HeaderFromFile = files & 1;
    options.Main.FooterFromFile = (files >> 1) & 1;
    options.Dialog.ImportStripHeaderFooter = 1;
    TImportForm window(options, list, nullptr);
    QVERIFY(Shown(window));
    const int offered = files != 0;  // box and label enabled, box ticked, option kept
    QCOMPARE((QList<int>{Enabled(window, "stripcheck"), Enabled(window, "striplab1"),
                         Find<QCheckBox>(window, "stripcheck").isChecked(), options.Dialog.ImportStripHeaderFooter}),
             QList<int>(4, offered));
  }

  AppOptions options = FactoryOptions();
  options.Main.FooterFromFile = 1;
  TImportForm window(options, list, nullptr);
  QVERIFY(Shown(window));
  auto& strip = Find<QCheckBox>(window, "stripcheck");
  QVERIFY(!strip.isChecked());
  ClickLabel(window, "striplab1");
  QVERIFY2(strip.isChecked() && strip.hasFocus(), "a click on the label ticks the box and moves the focus to it");
  QCOMPARE(options.Dialog.ImportStripHeaderFooter, 1);
  QTest::keyClick(&window, Qt::Key_H);
  QVERIFY(!strip.isChecked() && options.Dialog.ImportStripHeaderFooter == 0);
  QTest::keyClick(&window, Qt::Key_H, Qt::ShiftModifier);
  QCOMPARE(options.Dialog.ImportStripHeaderFooter, 1);

  // The footer file is turned off elsewhere while the window is open: the timer notices.
  options.Main.FooterFromFile = 0;
  QVERIFY(strip.isEnabled());
  QTRY_VERIFY_WITH_TIMEOUT(!strip.isEnabled(), 3000);
  QVERIFY(!strip.isChecked() && options.Dialog.ImportStripHeaderFooter == 0);
  QTest::keyClick(&window, Qt::Key_H);
  QVERIFY2(!strip.isChecked(), "the key does not tick a disabled box");
  options.Main.HeaderFromFile = 1;
  QTRY_VERIFY_WITH_TIMEOUT(strip.isEnabled(), 3000);
}

void ImportUnitTest::appendBoxOfAnEmptyListIsOffButTheOptionKeepsItsValue() {
  AppOptions options = FactoryOptions();
  options.Dialog.ImportImap = 1;
  const ListStore empty;
  const ListStore list = OneEntryList();
  for (const ListStore* shown : {&empty, &list}) {
    const bool offered = shown->ItemCount() > 0;
    TImportForm window(options, *shown, nullptr);
    QVERIFY(Shown(window));
    QCOMPARE(Find<QCheckBox>(window, "ImapCheck").isChecked(), offered);
    QCOMPARE(Enabled(window, "ImapCheck") && Enabled(window, "ApLab"), offered);
    ClickLabel(window, "ApLab");
    QCOMPARE(options.Dialog.ImportImap, offered ? 0 : 1);
    if (!offered) {
      QTest::mouseClick(&Find<QPushButton>(window, "Gobut"), Qt::LeftButton);
      QCOMPARE(options.Dialog.ImportImap, 1);
    }
  }
}

void ImportUnitTest::goKeepsTheChangesAndEveryOtherWayOutRestoresTheOptions() {
  const ListStore list = OneEntryList();
  QWidget mainWindow;
  QVERIFY(Shown(mainWindow));
  for (const char* way : {"GO", "cancel", "Esc", "close box", "main window activated"}) {
    const QByteArray how(way);
    AppOptions options = FactoryOptions();
    options.Main.HeaderFromFile = 1;
    const AppOptions before = options;
    TImportForm window(options, list, nullptr);
    QVERIFY(Shown(window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // Every control changed, by mouse, label and key.
    ClickLabel(window, "ApLab");
    for (Qt::Key key : {Qt::Key_C, Qt::Key_V, Qt::Key_H}) QTest::keyClick(&window, key);
    ClickRadio(window, "DaTodayRadio");
    ClickRadio(window, "DsPromptRadio");
    ClickRadio(window, "OtherTypeRadio");
    QTest::keyClick(&window, Qt::Key_X);
    const DialogOptions changed = options.Dialog;
    QVERIFY2(changed.ImportFileType == 1 && changed.ImportImap == 1 && changed.MircLines == 1 &&
                 changed.ImportCmf == 0 && changed.ImportClab == 1 && changed.ImportDateAddedFallback == 0 &&
                 changed.ImportDateStyleFallback == 1 && changed.ImportStripHeaderFooter == 0,
             way);
    window.move(15, 25);

    if (how == "GO") {
      QTest::mouseClick(&Find<QPushButton>(window, "Gobut"), Qt::LeftButton);
    } else if (how == "cancel") {
      QTest::mouseClick(&Find<QPushButton>(window, "ButCancel"), Qt::LeftButton);
    } else if (how == "Esc") {
      QTest::keyClick(&window, Qt::Key_Escape);
    } else if (how == "close box") {
      window.close();
    } else {
      mainWindow.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
    }
    QTRY_VERIFY2(window.OptionsClosed(), way);
    QVERIFY2(!window.isVisible() && window.ImportGo() == (how == "GO"), way);
    QVERIFY2(SameDialogOptions(options.Dialog, how == "GO" ? changed : before.Dialog), way);
    QVERIFY2(std::memcmp(&options.Main, &before.Main, sizeof(MainOptions)) == 0, way);
    QVERIFY2(options.Places.ImportLeft == 15 && options.Places.ImportTop == 25, way);
    if (how != "GO") continue;

    // Shown again, the window starts afresh from the kept options and goes back to them.
    QCOMPARE(window.result(), static_cast<int>(QDialog::Accepted));
    QVERIFY(Shown(window));
    QVERIFY(!window.OptionsClosed() && !window.ImportGo() && Find<QCheckBox>(window, "clabcheck").isChecked());
    ClickRadio(window, "OwnTypeRadio");
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(SameDialogOptions(options.Dialog, changed));
  }
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::ImportUnitTest)
#include "ImportUnitTest.moc"
