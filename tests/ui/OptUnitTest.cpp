// The options window: its controls write their options, numbers are checked as typed, the
// header row marks what it changed, the warnings, the colour and font pickers, the message
// file choosers, and every way of leaving (OK saves; cancel, Esc and the close box restore).
// The rules behind them are tested without a window (ui_logic_tests).
#include <cstring>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "config/ConfigFile.h"
#include "ui/OptUnit.h"
#include "ui/WindowSession.h"

namespace ordonna::testing {
namespace {

// One options window over its own record and settings folder.
struct OptionsSession {
  explicit OptionsSession(const std::function<void(AppOptions&)>& change = {}, bool fading = false) {
    options = FactoryOptions();
    if (change) change(options);
    opened = options;
    OptionsWindowSetup setup{
        options, dialogs, folder.Path(), "/home/someone", fading, [this] { ++colorChanges; }, [this] { ++replaced; }};
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

}  // namespace

class OptUnitTest : public QObject {
  Q_OBJECT

 private slots:
  void eachControlWritesItsOption();
  void numbersAreCheckedAsTypedAndRepairedOnLeaving();
  void headerRowMarksWhatItChangedAndGivesItBack();
  void warningsOfTheControls();
  void everyWayOutButOkPutsTheBlockBack();
  void okSavesFadingOutAndResetMakesFactoryDefaults();
  void defaultsAndLoadingAFile();
  void colourAndFontPickers();
  void messageFileChoosersAskBeforeChanging();
};

// One control of each kind.
void OptUnitTest::eachControlWritesItsOption() {
  OptionsSession session;
  QVERIFY(!session.Get<QWidget>("StartupListBut").isEnabled());
  session.Click("InfoPathCheck");
  session.Click("StartupFileRadio");
  QVERIFY(session.Get<QWidget>("StartupListBut").isEnabled());
  session.Choose("SortFieldCombo", 7);
  session.Type("AskSaveEdit", QStringLiteral("12345"));
  const MainOptions& main = session.options.Main;
  QCOMPARE(QList<int>({main.InfoPath, main.StartupLoad, main.SortField, main.AskSaveThreshold}),
           QList<int>({1, 2, 7, 12345}));
}

void OptUnitTest::numbersAreCheckedAsTypedAndRepairedOnLeaving() {
  OptionsSession session;
  auto& edit = session.Get<QLineEdit>("MaxSizeEdit");
  session.Type("MaxSizeEdit", QStringLiteral("2049"));
  QCOMPARE(edit.palette().color(QPalette::Base), QColor(0xFF, 0x80, 0x80));
  QCOMPARE(session.options.Main.MaxSizeMB, 204);  // the last valid text typed on the way
  session.Get<QLineEdit>("MinSizeEdit").setFocus();
  QVERIFY(edit.text() == QStringLiteral("2048") && session.options.Main.MaxSizeMB == 2048);
  QCOMPARE(edit.palette().color(QPalette::Base), QColor(0xF0, 0xF0, 0xF0));
}

void OptUnitTest::headerRowMarksWhatItChangedAndGivesItBack() {
  OptionsSession session([](AppOptions& options) {
    options.Main.ExportType = 2;
    options.Main.FooterFromFile = 1;
    options.Main.PadFilenameTo = 30;
  });
  session.Click("HeaderRowTabsCheck");
  auto blue = [&](const char* caption) {
    return session.Get<QWidget>(caption).palette().color(QPalette::WindowText) == QColor(Qt::blue);
  };
  QVERIFY(blue("DelimiterLabel") && !blue("HeaderFromFileCheck"));
  QCOMPARE(session.Get<QComboBox>("DelimiterCombo").currentIndex(), 5);
  QTRY_VERIFY(!blue("DelimiterLabel"));
  // Ticking the header file switches the row off; the rest comes back, controls included.
  session.Click("HeaderFromFileCheck");
  QVERIFY(!session.Get<QCheckBox>("HeaderRowTabsCheck").isChecked());
  QCOMPARE(session.Get<QLineEdit>("PadFilenameEdit").text(), QStringLiteral("30"));
}

// Which change warns is a rule (OptionsWindowRules); here a warning and a refusal are shown.
void OptUnitTest::warningsOfTheControls() {
  OptionsSession session([](AppOptions& options) { options.Main.Delimiter = 5; });
  session.Choose("ExportTypeCombo", 1);
  QVERIFY(LastShown(session.dialogs).startsWith(QStringLiteral("Warning: You chose \"plain HTML\"")));
  session.Click("BgColorPanel");
  QCOMPARE(LastShown(session.dialogs), QStringLiteral("Error: Bgcolor not enabled!\r\nCheck the checkbox first."));
  QVERIFY(session.dialogs.Unexpected.isEmpty() && session.dialogs.Shown.size() == 2);
}

void OptUnitTest::everyWayOutButOkPutsTheBlockBack() {
  for (const char* way : {"cancel", "Esc", "close box"}) {
    const QByteArray how(way);
    OptionsSession session([](AppOptions& options) { options.Main.TableFontName.Set("A long font name"); });
    session.options.Main.TableFontName.Set("Mono");  // a shorter name leaves no old bytes behind
    session.Click("HeaderRowTabsCheck");
    session.Type("MaxSizeEdit", QStringLiteral("99"));
    session.Choose("SortFieldCombo", 3);
    if (how == "cancel") {
      session.Click("CancelBut");
    } else if (how == "Esc") {
      QTest::keyClick(session.window.get(), Qt::Key_Escape);
    } else {
      session.window->close();
    }
    QVERIFY2(session.window->isHidden() && !session.window->OptionsSaved(), way);
    QVERIFY2(std::memcmp(&session.options.Main, &session.opened.Main, sizeof(MainOptions)) == 0, way);
    QVERIFY2(session.dialogs.Shown.size() == (how == "close box" ? 1u : 0u), way);
  }
  // The close box without changes says nothing.
  OptionsSession unchanged;
  unchanged.window->close();
  QVERIFY(unchanged.dialogs.Shown.empty());
}

void OptUnitTest::okSavesFadingOutAndResetMakesFactoryDefaults() {
  OptionsSession session([](AppOptions& options) { options.Main.FadeOptions = 1; }, true);
  QTRY_COMPARE_WITH_TIMEOUT(session.window->windowOpacity(), 1.0, 2000);
  session.Choose("ExportTypeCombo", 1);
  session.Click("OkBut");
  QVERIFY2(session.window->isVisible(), "the window fades out before it closes");
  QTRY_VERIFY_WITH_TIMEOUT(session.window->isHidden(), 2000);
  QVERIFY(session.window->windowOpacity() < 0.1 && session.window->OptionsSaved());
  QCOMPARE(session.window->Snapshot().ExportType, 0);
  AppOptions saved{};
  QVERIFY(LoadConfiguration(session.folder.File("ordonna.ini"), saved).ok());
  QCOMPARE(saved.Main.ExportType, 1);
  OptionsSession reset([](AppOptions& options) {
    options.Dialog.LoadFolder.Set("/music");
    options.Main.ViewerColorScheme = 2;
  });
  reset.dialogs.ExpectQuestion({}, Answer::No);
  reset.Click("ResetBut");
  QCOMPARE(reset.options.Main.ViewerColorScheme, 2);
  reset.dialogs.ExpectQuestion({}, Answer::Yes);
  reset.Click("ResetBut");
  QVERIFY(reset.window->isHidden() && reset.window->OptionsSaved() && reset.replaced == 1);
  QCOMPARE(reset.options.Main.ViewerColorScheme, 0);
  QCOMPARE(reset.options.Dialog.OptionsFolder.View(), std::string_view(reset.folder.Path()));
  QVERIFY(LoadConfiguration(reset.folder.File("ordonna.ini"), saved).ok());
  QCOMPARE(saved.Dialog.LoadFolder.View(), std::string_view("c:\\"));
  QVERIFY_SCRIPT_DONE(reset.dialogs);
}

void OptUnitTest::defaultsAndLoadingAFile() {
  OptionsSession session([](AppOptions& options) {
    options.Main.InfoPath = 1;
    options.Main.ViewerColorScheme = 1;
    options.Main.OptionsWindowColor = 0x123456;
  });
  session.Click("DefaultsBut");
  QVERIFY(!session.Get<QCheckBox>("InfoPathCheck").isChecked());
  QCOMPARE(session.options.Main.ViewerColorScheme, 1);
  QCOMPARE(session.window->palette().color(QPalette::Window), QColor(0xD5, 0xD1, 0xBB));
  QVERIFY(session.colorChanges > 0);
  // Save as, change, load back: the saved options return. A damaged file changes nothing.
  session.dialogs.ExpectFile(QString::fromStdString(session.folder.File("mine.ini")));
  session.Click("SaveAsBut");
  QCOMPARE(ReadFileBytes(session.folder.File("mine.ini")).size(), 7101u);
  session.Choose("SortFieldCombo", 4);
  WriteFileBytes(session.folder.File("bad.ini"), std::string(7100, '\0'));
  const AppOptions before = session.options;
  session.dialogs.ExpectFile(QString::fromStdString(session.folder.File("bad.ini")));
  session.Click("LoadFromBut");
  QVERIFY(std::memcmp(&before, &session.options, sizeof before) == 0 && session.dialogs.Shown.size() == 1);
  session.dialogs.ExpectFile(QString::fromStdString(session.folder.File("mine.ini")));
  session.Click("LoadFromBut");
  QVERIFY(session.options.Main.SortField == 0 && session.replaced == 1);
  QCOMPARE(session.Get<QComboBox>("SortFieldCombo").currentIndex(), 0);
}

void OptUnitTest::colourAndFontPickers() {
  OptionsSession session([](AppOptions& options) { options.Dialog.ColorWindowChoice = 2; });
  // A dark window colour asks; No keeps the old colour. The picker starts from the colour and
  // the stored custom colours; those the user changed are kept.
  session.dialogs.ExpectColor(QColor(64, 64, 64));
  session.dialogs.ExpectQuestion(QStringLiteral("The color is too dark. Are you certain?"), Answer::No);
  session.Click("WindowColorPanel");
  QCOMPARE(session.options.Main.OptionsWindowColor, 0xBBD1D5);
  QCOMPARE(session.dialogs.ColorRequests.back(), QColor(0xD5, 0xD1, 0xBB));
  QCOMPARE(session.dialogs.CustomColorRequests.back()[0], QColor(0xD5, 0xDE, 0xBE));
  session.dialogs.ExpectColor(QColor(65, 64, 64), [](std::array<QColor, 16>& custom) { custom[5] = QColor(1, 2, 3); });
  session.Click("WindowColorPanel");
  QCOMPARE(session.options.Main.OptionsWindowColor, 0x404041);
  QCOMPARE(session.window->palette().color(QPalette::Window), QColor(65, 64, 64));
  QCOMPARE(session.options.Dialog.CustomColors[5].View(), std::string_view("00030201"));
  // The font picker starts from the stored font and fills its four fields.
  QFont chosen(QStringLiteral("DejaVu Sans"), 14);
  chosen.setItalic(true);
  chosen.setUnderline(true);
  session.dialogs.ExpectFont(chosen);
  session.Click("CaptionFontBut");
  const MainOptions& main = session.options.Main;
  QVERIFY(session.dialogs.FontRequests.back().pointSize() == 9 && session.dialogs.FontRequests.back().bold());
  QCOMPARE(main.CaptionFontName.View(), std::string_view("DejaVu Sans"));
  QCOMPARE(QList<int>({main.CaptionFontSize, main.CaptionFontStyle, main.CaptionFontCharset}),
           QList<int>({14, kFontItalic | kFontUnderline, 1}));
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

void OptUnitTest::messageFileChoosersAskBeforeChanging() {
  OptionsSession session([](AppOptions& options) { options.Main.HtmlFooterFile.Set("/old/foot.html"); });
  session.dialogs.ExpectFile(QStringLiteral("/texts/head.txt"));
  session.Click("TextHeaderBut");
  QCOMPARE(session.dialogs.FileRequests.back().Folder, QStringLiteral("/home/someone"));
  QCOMPARE(session.options.Main.TextHeaderFile.View(), std::string_view("/texts/head.txt"));
  QCOMPARE(session.options.Dialog.TextMsgFolder.View(), std::string_view("/texts"));
  const QString question = QStringLiteral("Footer message file is:\r\n/old/foot.html\r\n\nChange this?");
  session.dialogs.ExpectQuestion(question, Answer::No);
  session.Click("HtmlFooterBut");
  QCOMPARE(session.dialogs.FileRequests.size(), 1u);
  session.dialogs.ExpectQuestion(question, Answer::Yes);
  session.dialogs.ExpectFile(QStringLiteral("/web/foot.htm"));
  session.Click("HtmlFooterBut");
  QCOMPARE(session.dialogs.FileRequests.back().FilterIndex, 1);
  QCOMPARE(session.options.Main.HtmlFooterFile.View(), std::string_view("/web/foot.htm"));
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::OptUnitTest)
#include "OptUnitTest.moc"
