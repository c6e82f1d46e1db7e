// The option windows on their own. The options window: its controls write their options,
// numbers are checked as typed, a warning, the colour picker, a message file chooser, and the
// ways of leaving (OK saves; the close box restores); its rules are tested without a window
// (ui_logic_tests). The import options and caption windows: each control writes
// its option at once, the rules that switch controls, and the ways out (only GO or O&K keep
// the changes; every way keeps the window's place).
#include <cstring>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "config/ConfigFile.h"
#include "core/ListStore.h"
#include "ui/ImportUnit.h"
#include "ui/InputCaption.h"
#include "ui/OptUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

// Factory defaults as on a 1024 x 768 screen.
AppOptions FactoryOptions() {
  AppOptions options{};
  SetFactoryDefaults(options, FactoryContext{1024, 768, "/tmp"});
  return options;
}

// One options window over its own record and settings folder.
struct OptionsSession {
  explicit OptionsSession(const std::function<void(AppOptions&)>& change = {}) {
    options = FactoryOptions();
    if (change) change(options);
    opened = options;
    OptionsWindowSetup setup{
        options, dialogs, folder.Path(), "/home/someone", false, [this] { ++colorChanges; }, [this] { ++replaced; }};
    window = std::make_unique<TOptform>(setup, nullptr);
    if (!ShowAndWait(*window)) qFatal("the options window was not shown");
  }
  template <class Control>
  Control& Get(const char* name) {
    return Find<Control>(*window, name);
  }
  void Click(const char* name) {
    auto& button = Get<QAbstractButton>(name);
    QTest::mouseClick(&button, Qt::LeftButton, {}, qobject_cast<QPushButton*>(&button) ? QPoint() : QPoint(6, 8));
  }
  void Choose(const char* combo, int index) {
    auto& box = Get<QComboBox>(combo);
    box.setCurrentIndex(index);
    emit box.activated(index);
  }
  void Type(const char* edit, const QString& text) {
    auto& field = Get<QLineEdit>(edit);
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, text);
  }
  TempDir folder;
  ScriptedDialogs dialogs;
  AppOptions options{};
  AppOptions opened{};
  int colorChanges = 0;
  int replaced = 0;
  std::unique_ptr<TOptform> window;
};

bool Enabled(QWidget& window, const char* name) { return Find<QWidget>(window, name).isEnabled(); }

// Clicks a radio button on its indicator (a wide button is not clickable beyond its text).
void ClickRadio(QWidget& window, const char* name) {
  auto& radio = Find<QRadioButton>(window, name);
  QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(6, radio.height() / 2));
}

void ClickLabel(QWidget& window, const char* name) { QTest::mouseClick(&Find<QLabel>(window, name), Qt::LeftButton); }

// The controls suit the file type: those of exported lists on, those of other lists off.
bool SuitsType(TImportForm& window, bool exported) {
  return Enabled(window, "cmfcheck") && Enabled(window, "daradio") == exported &&
         Enabled(window, "clabcheck") == exported && Enabled(window, "MircCheck") != exported;
}

}  // namespace

class OptionWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsWriteTheirOptionsWarnAndCloseBoxPutsTheBlockBack();
  void okSavesAndResetMakesFactoryDefaults();
  void pickersChoosersAndOptionsFiles();
  void importControlsOfferedOnlyWhenTheyApply();
  void importGoKeepsTheChangesAndEveryOtherWayOutRestoresTheOptions();
  void captionOkStoresWhatWasTyped();
};

// One control of each kind writes its option; a number is checked as typed and repaired on
// leaving. Which change warns is a rule (OptionsWindowRules); here a warning shows. The close box
// (as every way out but OK) then puts the block back and says so.
void OptionWindowsTest::controlsWriteTheirOptionsWarnAndCloseBoxPutsTheBlockBack() {
  OptionsSession session([](AppOptions& options) { options.Main.Delimiter = 5; });
  QVERIFY(!session.Get<QWidget>("StartupListBut").isEnabled());
  session.Click("InfoPathCheck");
  session.Click("StartupFileRadio");
  QVERIFY(session.Get<QWidget>("StartupListBut").isEnabled());
  session.Choose("SortFieldCombo", 7);
  const MainOptions& main = session.options.Main;
  QCOMPARE(QList<int>({main.InfoPath, main.StartupLoad, main.SortField}), QList<int>({1, 2, 7}));
  auto& edit = session.Get<QLineEdit>("MaxSizeEdit");
  session.Type("MaxSizeEdit", QStringLiteral("2049"));
  QCOMPARE(main.MaxSizeMB, 204);  // the last valid text typed on the way
  session.Get<QLineEdit>("MinSizeEdit").setFocus();
  QVERIFY(edit.text() == QStringLiteral("2048") && main.MaxSizeMB == 2048);
  session.Choose("ExportTypeCombo", 1);
  QVERIFY(session.dialogs.Unexpected.isEmpty() && session.dialogs.Shown.size() == 1);
  session.window->close();
  QVERIFY(session.window->isHidden() && !session.window->OptionsSaved());
  QVERIFY(std::memcmp(&session.options.Main, &session.opened.Main, sizeof(MainOptions)) == 0);
  QCOMPARE(session.dialogs.Shown.size(), 2u);
}

void OptionWindowsTest::okSavesAndResetMakesFactoryDefaults() {
  OptionsSession session;
  session.Choose("ExportTypeCombo", 1);
  session.Click("OkBut");
  QVERIFY(session.window->isHidden() && session.window->OptionsSaved());
  QCOMPARE(session.window->Snapshot().ExportType, 0);
  AppOptions saved{};
  QVERIFY(LoadConfiguration(session.folder.File("ordonna.ini"), saved).ok());
  QCOMPARE(saved.Main.ExportType, 1);
  OptionsSession reset([](AppOptions& options) {
    options.Dialog.LoadFolder.Set("/music");
    options.Main.ViewerColorScheme = 2;
  });
  reset.dialogs.ExpectQuestion({}, Answer::Yes);
  reset.Click("ResetBut");
  QVERIFY(reset.window->isHidden() && reset.window->OptionsSaved() && reset.replaced == 1);
  QCOMPARE(reset.options.Main.ViewerColorScheme, 0);
  QCOMPARE(reset.options.Dialog.OptionsFolder.View(), std::string_view(reset.folder.Path()));
  QVERIFY(LoadConfiguration(reset.folder.File("ordonna.ini"), saved).ok());
  QCOMPARE(saved.Dialog.LoadFolder.View(), std::string_view("c:\\"));
  QVERIFY_SCRIPT_DONE(reset.dialogs);
}

// The colour picker, a message file chooser, then the defaults and an options file saved and
// loaded back.
void OptionWindowsTest::pickersChoosersAndOptionsFiles() {
  OptionsSession session([](AppOptions& options) {
    options.Dialog.ColorWindowChoice = 2;
    options.Main.InfoPath = options.Main.ViewerColorScheme = 1;
  });
  ScriptedDialogs& dialogs = session.dialogs;
  const MainOptions& main = session.options.Main;
  // The custom colours the user changed in the picker are kept.
  dialogs.ExpectColor(QColor(65, 64, 64), [](std::array<QColor, 16>& custom) { custom[5] = QColor(1, 2, 3); });
  session.Click("WindowColorPanel");
  QCOMPARE(main.OptionsWindowColor, 0x404041);
  QCOMPARE(session.window->palette().color(QPalette::Window), QColor(65, 64, 64));
  QCOMPARE(session.options.Dialog.CustomColors[5].View(), std::string_view("00030201"));
  dialogs.ExpectFile(QStringLiteral("/texts/head.txt"));
  session.Click("TextHeaderBut");
  QCOMPARE(main.TextHeaderFile.View(), std::string_view("/texts/head.txt"));
  QCOMPARE(session.options.Dialog.TextMsgFolder.View(), std::string_view("/texts"));
  const int colorChanges = session.colorChanges;
  session.Click("DefaultsBut");
  QVERIFY(!session.Get<QCheckBox>("InfoPathCheck").isChecked() && main.ViewerColorScheme == 1);
  QVERIFY(session.colorChanges > colorChanges);
  // Save as, change, load back: the saved options return. A damaged file changes nothing.
  dialogs.ExpectFile(QString::fromStdString(session.folder.File("mine.ini")));
  session.Click("SaveAsBut");
  QCOMPARE(ReadFileBytes(session.folder.File("mine.ini")).size(), 7101u);
  session.Choose("SortFieldCombo", 4);
  WriteFileBytes(session.folder.File("bad.ini"), std::string(7100, '\0'));
  const AppOptions before = session.options;
  dialogs.ExpectFile(QString::fromStdString(session.folder.File("bad.ini")));
  session.Click("LoadFromBut");
  QVERIFY(std::memcmp(&before, &session.options, sizeof before) == 0 && dialogs.Shown.size() == 1);
  dialogs.ExpectFile(QString::fromStdString(session.folder.File("mine.ini")));
  session.Click("LoadFromBut");
  QVERIFY(main.SortField == 0 && session.replaced == 1);
  QCOMPARE(session.Get<QComboBox>("SortFieldCombo").currentIndex(), 0);
  QVERIFY_SCRIPT_DONE(dialogs);
}

// The controls follow the file type; the strip box needs a header or footer file and the
// append box a list to append to: a box that is off is unticked, and only the append option
// keeps its value then.
void OptionWindowsTest::importControlsOfferedOnlyWhenTheyApply() {
  const ListStore empty;
  AppOptions options = FactoryOptions();
  options.Dialog.ImportStripHeaderFooter = options.Dialog.ImportImap = options.Dialog.ImportFileType = 1;
  TImportForm window(options, empty, nullptr);
  QVERIFY(ShowAndWait(window));
  QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) && !window.isModal());
  QVERIFY(SuitsType(window, false));
  for (const char* box : {"stripcheck", "ImapCheck"})
    QVERIFY2(!Enabled(window, box) && !Find<QCheckBox>(window, box).isChecked(), box);
  ClickLabel(window, "ApLab");
  QTest::mouseClick(&Find<QPushButton>(window, "Gobut"), Qt::LeftButton);
  QVERIFY(options.Dialog.ImportImap == 1 && options.Dialog.ImportStripHeaderFooter == 0);
}

void OptionWindowsTest::importGoKeepsTheChangesAndEveryOtherWayOutRestoresTheOptions() {
  ListStore list;
  list.AppendEntry(NamedEntry("song", "/music"));
  QWidget mainWindow;
  QVERIFY(ShowAndWait(mainWindow));
  for (const char* way : {"GO", "Esc", "main window activated"}) {
    const QByteArray how(way);
    AppOptions options = FactoryOptions();
    options.Main.HeaderFromFile = 1;
    const AppOptions before = options;
    TImportForm window(options, list, nullptr);
    QVERIFY(ShowAndWait(window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY2(SuitsType(window, true) && Enabled(window, "stripcheck") && Enabled(window, "ImapCheck"), way);
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
    if (how == "GO") {
      QTest::mouseClick(&Find<QPushButton>(window, "Gobut"), Qt::LeftButton);
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
  }
}

// The caption's rules (trimming, offering it again) belong to the export command.
void OptionWindowsTest::captionOkStoresWhatWasTyped() {
  AppOptions options = FactoryOptions();
  options.Dialog.LastCaption.Set("kept");
  options.Dialog.RememberCaption = 1;
  TInputCaptionForm window(options, nullptr);
  QVERIFY(ShowAndWait(window));
  Find<QLineEdit>(window, "CaptionEdit").setText(QStringLiteral("typed"));
  QTest::mouseClick(&Find<QCheckBox>(window, "RememberCheck"), Qt::LeftButton);
  window.move(200, 150);
  QTest::mouseClick(&Find<QPushButton>(window, "OkBut"), Qt::LeftButton);
  QCOMPARE(window.result(), int(QDialog::Accepted));
  QCOMPARE(std::string(options.Dialog.LastCaption.View()) + char('0' + options.Dialog.RememberCaption),
           std::string("typed0"));
  QCOMPARE(QPoint(options.Places.CaptionLeft, options.Places.CaptionTop), QPoint(200, 150));
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::OptionWindowsTest)
#include "OptionWindowsTest.moc"
