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

AppOptions Defaults() {
  AppOptions options{};
  SetFactoryDefaults(options, FactoryContext{1024, 768, "/tmp"});
  return options;
}

ListStore OneEntryList() {
  ListStore list;
  list.AppendEntry(NamedEntry("song", "/music"));
  return list;
}

bool Enabled(TImportForm& window, const char* name) { return Find<QWidget>(window, name).isEnabled(); }

// Clicks a radio button on its indicator (a wide button is not clickable beyond its text).
void ClickRadio(TImportForm& window, const char* name) {
  auto& radio = Find<QRadioButton>(window, name);
  QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(6, radio.height() / 2));
}

// Clicks the centre of a label, as the user does.
void ClickLabel(TImportForm& window, const char* name) {
  QTest::mouseClick(&Find<QLabel>(window, name), Qt::LeftButton);
}

}  // namespace

class ImportUnitTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheOptionsAndItsTexts();
  void fileTypeRuleSwitchesTheControlsOfEachType();
  void stripBoxOnlyWithHeaderOrFooterFilesAndTheTimerKeepsItSo();
  void appendBoxOfAnEmptyListIsOffButTheOptionKeepsItsValue();
  void leavingWithoutGoRestoresTheOptions();
  void goKeepsTheChanges();
};

void ImportUnitTest::opensWithTheOptionsAndItsTexts() {
  AppOptions options = Defaults();
  const ListStore list = OneEntryList();
  TImportForm window(options, list, nullptr);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
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
  QCOMPARE(Find<QLabel>(window, "MircLab").toolTip(), QStringLiteral("for use with MIRC file serving scripts"));
  QCOMPARE(Find<QPushButton>(window, "ButCancel").toolTip(), QStringLiteral("you can also press ESC button"));
  QCOMPARE(Find<QPushButton>(window, "Gobut").text(), QStringLiteral("&GO"));
  QCOMPARE(window.findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 987);
  QVERIFY2(Find<QPushButton>(window, "Gobut").hasFocus() || QApplication::focusWidget() == nullptr,
           "the focus starts on GO");

  // Factory defaults: exported lists, calculate missing values, blank date added, style from
  // the main options.
  QVERIFY(Find<QRadioButton>(window, "OwnTypeRadio").isChecked());
  QVERIFY(!Find<QCheckBox>(window, "ImapCheck").isChecked());
  QVERIFY(Find<QCheckBox>(window, "cmfcheck").isChecked());
  QVERIFY(!Find<QCheckBox>(window, "clabcheck").isChecked());
  QVERIFY(Find<QRadioButton>(window, "DaBlankRadio").isChecked());
  QVERIFY(Find<QRadioButton>(window, "DsMainRadio").isChecked());
  QVERIFY(!window.ImportGo() && !window.OptionsClosed());
}

void ImportUnitTest::fileTypeRuleSwitchesTheControlsOfEachType() {
  AppOptions options = Defaults();
  options.Main.HeaderFromFile = 1;
  const ListStore list = OneEntryList();
  TImportForm window(options, list, nullptr);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  const char* exportedOnly[] = {"daradio", "dsradio", "clabcheck", "clablab1", "clablab2", "clablab3",
                                "stripcheck", "striplab1"};
  const char* otherOnly[] = {"MircCheck", "MircLab"};
  for (const char* name : exportedOnly) QVERIFY2(Enabled(window, name), name);
  for (const char* name : otherOnly) QVERIFY2(!Enabled(window, name), name);

  ClickRadio(window, "OtherTypeRadio");
  QCOMPARE(options.Dialog.ImportFileType, 1);
  for (const char* name : exportedOnly) QVERIFY2(!Enabled(window, name), name);
  for (const char* name : otherOnly) QVERIFY2(Enabled(window, name), name);
  QVERIFY2(Enabled(window, "cmfcheck") && Enabled(window, "ImapCheck"), "both types calculate and append");

  ClickRadio(window, "OwnTypeRadio");
  QCOMPARE(options.Dialog.ImportFileType, 0);
  for (const char* name : exportedOnly) QVERIFY2(Enabled(window, name), name);
  for (const char* name : otherOnly) QVERIFY2(!Enabled(window, name), name);

  // A window opened on the other type starts with that type's controls.
  options.Dialog.ImportFileType = 1;
  TImportForm other(options, list, nullptr);
  other.show();
  QVERIFY(QTest::qWaitForWindowExposed(&other));
  QVERIFY(Find<QRadioButton>(other, "OtherTypeRadio").isChecked());
  QVERIFY(Enabled(other, "MircCheck") && !Enabled(other, "daradio") && !Enabled(other, "stripcheck"));
}

void ImportUnitTest::stripBoxOnlyWithHeaderOrFooterFilesAndTheTimerKeepsItSo() {
  const ListStore list = OneEntryList();
  for (int files = 0; files < 4; ++files) {
    AppOptions options = Defaults();
    options.Main.HeaderFromFile = files & 1;
    options.Main.FooterFromFile = (files >> 1) & 1;
    options.Dialog.ImportStripHeaderFooter = 1;
    TImportForm window(options, list, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const bool offered = files != 0;
    QCOMPARE(Enabled(window, "stripcheck"), offered);
    QCOMPARE(Enabled(window, "striplab1"), offered);
    QCOMPARE(Find<QCheckBox>(window, "stripcheck").isChecked(), offered);
    QCOMPARE(static_cast<int>(options.Dialog.ImportStripHeaderFooter), offered ? 1 : 0);
  }

  AppOptions options = Defaults();
  options.Main.FooterFromFile = 1;
  TImportForm window(options, list, nullptr);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  auto& strip = Find<QCheckBox>(window, "stripcheck");
  QVERIFY(!strip.isChecked());
  ClickLabel(window, "striplab1");
  QVERIFY2(strip.isChecked() && strip.hasFocus(), "a click on the label ticks the box and moves the focus to it");
  QCOMPARE(options.Dialog.ImportStripHeaderFooter, 1);
  QTest::keyClick(&window, Qt::Key_H);
  QVERIFY(!strip.isChecked());
  QCOMPARE(options.Dialog.ImportStripHeaderFooter, 0);
  QTest::keyClick(&window, Qt::Key_H, Qt::ShiftModifier);
  QCOMPARE(options.Dialog.ImportStripHeaderFooter, 1);

  // The footer file is turned off elsewhere while the window is open: the timer notices.
  options.Main.FooterFromFile = 0;
  QVERIFY(strip.isEnabled());
  QTRY_VERIFY_WITH_TIMEOUT(!strip.isEnabled(), 3000);
  QVERIFY(!strip.isChecked());
  QCOMPARE(options.Dialog.ImportStripHeaderFooter, 0);
  QTest::keyClick(&window, Qt::Key_H);
  QVERIFY2(!strip.isChecked(), "the key does not tick a disabled box");
  options.Main.HeaderFromFile = 1;
  QTRY_VERIFY_WITH_TIMEOUT(strip.isEnabled(), 3000);
}

void ImportUnitTest::appendBoxOfAnEmptyListIsOffButTheOptionKeepsItsValue() {
  AppOptions options = Defaults();
  options.Dialog.ImportImap = 1;
  const ListStore empty;
  {
    TImportForm window(options, empty, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!Find<QCheckBox>(window, "ImapCheck").isChecked());
    QVERIFY(!Enabled(window, "ImapCheck") && !Enabled(window, "ApLab"));
    ClickLabel(window, "ApLab");
    QCOMPARE(options.Dialog.ImportImap, 1);
    QTest::mouseClick(&Find<QPushButton>(window, "Gobut"), Qt::LeftButton);
    QCOMPARE(options.Dialog.ImportImap, 1);
  }
  const ListStore list = OneEntryList();
  TImportForm window(options, list, nullptr);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY(Find<QCheckBox>(window, "ImapCheck").isChecked());
  QVERIFY(Enabled(window, "ImapCheck") && Enabled(window, "ApLab"));
  ClickLabel(window, "ApLab");
  QCOMPARE(options.Dialog.ImportImap, 0);
}

void ImportUnitTest::leavingWithoutGoRestoresTheOptions() {
  const ListStore list = OneEntryList();
  QWidget mainWindow;
  mainWindow.show();
  QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
  for (const char* way : {"cancel", "Esc", "close box", "main window activated"}) {
    AppOptions options = Defaults();
    options.Main.HeaderFromFile = 1;
    options.Places.ImportLeft = 20000;  // beyond the screen: pulled back in
    const AppOptions before = options;
    TImportForm window(options, list, nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.x() < 20000);

    // Every control changed, by mouse, label and key.
    ClickLabel(window, "ApLab");
    QTest::keyClick(&window, Qt::Key_C);
    QTest::keyClick(&window, Qt::Key_V);
    QTest::keyClick(&window, Qt::Key_H);
    ClickRadio(window, "DaTodayRadio");
    ClickRadio(window, "DsPromptRadio");
    ClickRadio(window, "OtherTypeRadio");
    QTest::keyClick(&window, Qt::Key_X);
    const DialogOptions& d = options.Dialog;
    QVERIFY2(d.ImportFileType == 1 && d.ImportImap == 1 && d.MircLines == 1 && d.ImportCmf == 0 &&
                 d.ImportClab == 1 && d.ImportDateAddedFallback == 0 && d.ImportDateStyleFallback == 1 &&
                 d.ImportStripHeaderFooter == 0,
             way);
    window.move(15, 25);

    const QByteArray how(way);
    if (how == "cancel") {
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
    QVERIFY2(!window.isVisible() && !window.ImportGo(), way);
    QVERIFY2(std::memcmp(&options.Dialog, &before.Dialog, sizeof(DialogOptions)) == 0, way);
    QVERIFY2(std::memcmp(&options.Main, &before.Main, sizeof(MainOptions)) == 0, way);
    QVERIFY2(options.Places.ImportLeft == 15 && options.Places.ImportTop == 25, way);
  }
}

void ImportUnitTest::goKeepsTheChanges() {
  AppOptions options = Defaults();
  const ListStore list = OneEntryList();
  TImportForm window(options, list, nullptr);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  ClickRadio(window, "DaTodayRadio");
  ClickLabel(window, "clablab2");
  QTest::keyClick(&window, Qt::Key_C);
  QTest::mouseClick(&Find<QPushButton>(window, "Gobut"), Qt::LeftButton);
  QVERIFY(window.OptionsClosed() && window.ImportGo());
  QCOMPARE(window.result(), static_cast<int>(QDialog::Accepted));
  QCOMPARE(options.Dialog.ImportDateAddedFallback, 0);
  QCOMPARE(options.Dialog.ImportClab, 1);
  QCOMPARE(options.Dialog.ImportCmf, 0);

  // Shown again, the window starts afresh from the kept options.
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY(!window.OptionsClosed() && !window.ImportGo());
  QVERIFY(Find<QCheckBox>(window, "clabcheck").isChecked());
  QTest::keyClick(&window, Qt::Key_Escape);
  QCOMPARE(options.Dialog.ImportClab, 1);
  QCOMPARE(options.Dialog.ImportCmf, 0);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::ImportUnitTest)
#include "ImportUnitTest.moc"

