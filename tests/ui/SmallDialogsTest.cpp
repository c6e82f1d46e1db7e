// The import options, load options and caption windows on their own: each control writes its
// option at once, the rules that switch controls, and the ways out (only GO or O&K keep the
// changes; every way keeps the window's place).
#include <cstring>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "ui/ImportUnit.h"
#include "ui/InputCaption.h"
#include "ui/LoadMergeUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

ListStore OneEntryList() {
  ListStore list;
  list.AppendEntry(NamedEntry("song", "/music"));
  return list;
}

bool Enabled(QWidget& window, const char* name) { return Find<QWidget>(window, name).isEnabled(); }

// Clicks a radio button on its indicator (a wide button is not clickable beyond its text).
void ClickRadio(QWidget& window, const char* name) {
  auto& radio = Find<QRadioButton>(window, name);
  QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(6, radio.height() / 2));
}

void ClickLabel(QWidget& window, const char* name) { QTest::mouseClick(&Find<QLabel>(window, name), Qt::LeftButton); }

// The controls suit the file type: those of exported lists on, those of other lists off.
bool SuitsType(TImportForm& window, bool exported) {
  return Enabled(window, "daradio") == exported && Enabled(window, "clabcheck") == exported &&
         Enabled(window, "MircCheck") != exported;
}

}  // namespace

class SmallDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void importFileTypeRuleAndStartingState();
  void importBoxesOfferedOnlyWhenTheyApply();
  void importGoKeepsTheChangesAndEveryOtherWayOutRestoresTheOptions();
  void loadOptionsGoKeepsTheChoicesAndAnyOtherWayOutPutsThemBack();
  void captionOkStoresWhatWasTypedAndCancelOnlyThePlace();
};

void SmallDialogsTest::importFileTypeRuleAndStartingState() {
  AppOptions options = FactoryOptions();
  options.Main.HeaderFromFile = 1;
  const ListStore list = OneEntryList();
  TImportForm window(options, list, nullptr);
  QVERIFY(ShowAndWait(window));
  QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) && !window.isModal());
  for (const bool exported : {false, true}) {
    ClickRadio(window, exported ? "OwnTypeRadio" : "OtherTypeRadio");
    QCOMPARE(options.Dialog.ImportFileType, exported ? 0 : 1);
    QVERIFY(SuitsType(window, exported));
    QVERIFY2(Enabled(window, "cmfcheck") && Enabled(window, "ImapCheck"), "both types calculate and append");
  }
  // A window opened on the other type starts with that type's controls.
  options.Dialog.ImportFileType = 1;
  TImportForm other(options, list, nullptr);
  QVERIFY(ShowAndWait(other));
  QVERIFY(Find<QRadioButton>(other, "OtherTypeRadio").isChecked());
  QVERIFY(SuitsType(other, false));
}

// The strip box needs a header or footer file and the append box a list to append to; a box
// that is off is unticked, and only the append option keeps its value then.
void SmallDialogsTest::importBoxesOfferedOnlyWhenTheyApply() {
  const ListStore empty;
  const ListStore list = OneEntryList();
  for (const bool offered : {false, true}) {
    AppOptions options = FactoryOptions();
    options.Main.HeaderFromFile = offered ? 1 : 0;
    options.Dialog.ImportStripHeaderFooter = options.Dialog.ImportImap = 1;
    TImportForm window(options, offered ? list : empty, nullptr);
    QVERIFY(ShowAndWait(window));
    for (const char* box : {"stripcheck", "ImapCheck"})
      QVERIFY2(Enabled(window, box) == offered && Find<QCheckBox>(window, box).isChecked() == offered, box);
    ClickLabel(window, "ApLab");
    QTest::mouseClick(&Find<QPushButton>(window, "Gobut"), Qt::LeftButton);
    QVERIFY(options.Dialog.ImportImap == (offered ? 0 : 1) && options.Dialog.ImportStripHeaderFooter == offered);
  }
  AppOptions options = FactoryOptions();
  options.Main.FooterFromFile = 1;
  TImportForm window(options, list, nullptr);
  QVERIFY(ShowAndWait(window));
  auto& strip = Find<QCheckBox>(window, "stripcheck");
  ClickLabel(window, "striplab1");
  QVERIFY2(strip.isChecked() && strip.hasFocus(), "a click on the label ticks the box and moves the focus to it");
  QTest::keyClick(&window, Qt::Key_H, Qt::ShiftModifier);
  QVERIFY(!strip.isChecked() && options.Dialog.ImportStripHeaderFooter == 0);
  QTest::keyClick(&window, Qt::Key_H);
  // The footer file is turned off elsewhere while the window is open: the timer notices.
  options.Main.FooterFromFile = 0;
  QVERIFY(strip.isEnabled());
  QTRY_VERIFY_WITH_TIMEOUT(!strip.isEnabled(), 3000);
  QVERIFY(!strip.isChecked() && options.Dialog.ImportStripHeaderFooter == 0);
  QTest::keyClick(&window, Qt::Key_H);
  QVERIFY2(!strip.isChecked(), "the key does not tick a disabled box");
}

void SmallDialogsTest::importGoKeepsTheChangesAndEveryOtherWayOutRestoresTheOptions() {
  const ListStore list = OneEntryList();
  QWidget mainWindow;
  QVERIFY(ShowAndWait(mainWindow));
  for (const char* way : {"GO", "cancel", "Esc", "main window activated"}) {
    const QByteArray how(way);
    AppOptions options = FactoryOptions();
    options.Main.HeaderFromFile = 1;
    const AppOptions before = options;
    TImportForm window(options, list, nullptr);
    QVERIFY(ShowAndWait(window));
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
    QVERIFY2(changed.ImportFileType == 1 && changed.MircLines == 1 && changed.ImportDateStyleFallback == 1, way);
    window.move(15, 25);
    if (how == "GO" || how == "cancel") {
      QTest::mouseClick(&Find<QPushButton>(window, how == "GO" ? "Gobut" : "ButCancel"), Qt::LeftButton);
    } else if (how == "Esc") {
      QTest::keyClick(&window, Qt::Key_Escape);
    } else {
      mainWindow.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
    }
    QTRY_VERIFY2(window.OptionsClosed(), way);
    QVERIFY2(!window.isVisible() && window.ImportGo() == (how == "GO"), way);
    const DialogOptions& expected = how == "GO" ? changed : before.Dialog;
    QVERIFY2(std::memcmp(&options.Dialog, &expected, sizeof expected) == 0, way);
    QVERIFY2(std::memcmp(&options.Main, &before.Main, sizeof(MainOptions)) == 0, way);
    QVERIFY2(options.Places.ImportLeft == 15 && options.Places.ImportTop == 25, way);
    if (how != "GO") continue;
    // Shown again, the window starts afresh from the kept options and goes back to them.
    QVERIFY(ShowAndWait(window));
    QVERIFY(!window.OptionsClosed() && !window.ImportGo() && Find<QCheckBox>(window, "clabcheck").isChecked());
    ClickRadio(window, "OwnTypeRadio");
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(std::memcmp(&options.Dialog, &changed, sizeof changed) == 0);
  }
}

void SmallDialogsTest::loadOptionsGoKeepsTheChoicesAndAnyOtherWayOutPutsThemBack() {
  for (const char* way : {"GO", "Esc"}) {
    const QByteArray how(way);
    ScriptedDialogs dialogs;
    AppOptions options = FactoryOptions();
    const DialogOptions before = options.Dialog;
    TLoadMergeForm window(options, dialogs, nullptr);
    QVERIFY(ShowAndWait(window));
    auto& group = Find<QGroupBox>(window, "AppendGroup");
    QVERIFY2(!group.isEnabled(), "sorting matters only when appending");
    ClickRadio(window, "AppendRadio");
    QVERIFY(options.Dialog.LoadAppend == 1 && group.isEnabled());
    ClickRadio(window, "SortMainRadio");
    QTest::mouseClick(&Find<QCheckBox>(window, "DontShowCheck"), Qt::LeftButton);
    QCOMPARE(options.Dialog.LoadModeDontShow, 1);
    window.move(15, 25);
    if (how == "GO") {
      QTest::mouseClick(&Find<QPushButton>(window, "GoBut"), Qt::LeftButton);
    } else {
      QTest::keyClick(&window, Qt::Key_Escape);
    }
    const DialogOptions& d = options.Dialog;
    QVERIFY2(options.Places.LoadModeLeft == 15 && options.Places.LoadModeTop == 25, way);
    QVERIFY2(window.result() == (how == "GO" ? QDialog::Accepted : QDialog::Rejected), way);
    const bool kept = how == "GO";
    QVERIFY2(d.LoadAppend == (kept ? 1 : before.LoadAppend) && d.AppendSort == (kept ? 2 : before.AppendSort) &&
                 d.LoadModeDontShow == (kept ? 1 : before.LoadModeDontShow),
             way);
    QVERIFY2(dialogs.Shown.size() == (kept ? 1u : 0u), way);  // how to get the window back
  }
  // The window shows the kept choice; New greys the sorting out again.
  ScriptedDialogs dialogs;
  AppOptions options = FactoryOptions();
  options.Dialog.LoadAppend = options.Dialog.AppendSort = 1;
  TLoadMergeForm window(options, dialogs, nullptr);
  QVERIFY(ShowAndWait(window));
  QVERIFY(Find<QRadioButton>(window, "SortSecondaryRadio").isChecked() && Enabled(window, "AppendGroup"));
  ClickRadio(window, "NewRadio");
  QVERIFY(options.Dialog.LoadAppend == 0 && !Enabled(window, "AppendGroup"));
}

// The caption's rules (trimming, offering it again) belong to the export command.
void SmallDialogsTest::captionOkStoresWhatWasTypedAndCancelOnlyThePlace() {
  AppOptions options = FactoryOptions();
  options.Dialog.LastCaption.Set("kept");
  options.Dialog.RememberCaption = 1;
  options.Places.CaptionLeft = 120;
  options.Places.CaptionTop = 90;
  for (const char* way : {"cancel", "O&K"}) {
    const QByteArray how(way);
    TInputCaptionForm window(options, nullptr);
    QVERIFY(ShowAndWait(window));
    QCOMPARE(window.pos(), QPoint(options.Places.CaptionLeft, options.Places.CaptionTop));
    auto& edit = Find<QLineEdit>(window, "CaptionEdit");
    auto& remember = Find<QCheckBox>(window, "RememberCheck");
    QVERIFY2(edit.text() == "kept" && remember.isChecked(), way);
    edit.setText(QStringLiteral("typed"));
    QTest::mouseClick(&remember, Qt::LeftButton);
    window.move(200 + how.size(), 150);
    QTest::mouseClick(&Find<QPushButton>(window, how == "cancel" ? "CancelBut" : "OkBut"), Qt::LeftButton);
    const bool ok = how == "O&K";
    QCOMPARE(window.result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(std::string(options.Dialog.LastCaption.View()) + char('0' + options.Dialog.RememberCaption),
             std::string(ok ? "typed0" : "kept1"));
    QCOMPARE(QPoint(options.Places.CaptionLeft, options.Places.CaptionTop), QPoint(200 + how.size(), 150));
  }
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::SmallDialogsTest)
#include "SmallDialogsTest.moc"
