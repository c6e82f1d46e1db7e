// The options window: every control writes its option, numbers are checked as typed, the
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

#include "config/ConfigFields.h"
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

  std::string Value(const char* field) const { return ElementText(options, ElementsNamed(field).front()); }
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
  QColor Base(const char* edit) { return Get<QLineEdit>(edit).palette().color(QPalette::Base); }

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

void OptUnitTest::eachControlWritesItsOption() {
  // "control:option" is a box whose click turns the option from its factory value;
  // "control:option:value" a radio button clicked, a list's item chosen or a field typed.
  const QStringList rows =
      QStringLiteral(
          "InfoTimeCheck:InfoTime InfoKbpsCheck:InfoKbps InfoSizeCheck:InfoSize "
          "InfoFrequencyCheck:InfoFrequency InfoStereoCheck:InfoStereo InfoDateCreatedCheck:InfoDateCreated "
          "InfoPathCheck:InfoPath InfoVolumeLabelCheck:InfoVolumeLabel InfoDateAddedCheck:InfoDateAdded "
          "EnumerateCheck:Enumerate SplitArtistTitleCheck:SplitArtistTitle ViewerSplitCheck:ViewerSplitArtistTitle "
          "SortListCheck:SortList SortDescendingCheck:SortDescending SortCaseCheck:SortCaseSensitive "
          "CenterArtistTitleCheck:CenterArtistTitle UseBgColorCheck:UseBgColor UseTextColorCheck:UseTextColor "
          "IncludeHiddenCheck:IncludeHiddenSystem FadeMainCheck:FadeMain FadeViewerCheck:FadeViewer "
          "FadeOptionsCheck:FadeOptions HeaderRowTabsCheck:HeaderRowTabs HeaderFromFileCheck:HeaderFromFile "
          "FooterFromFileCheck:FooterFromFile UseOwnHtmlTagsCheck:UseOwnHtmlTags "
          "PlainHtmlStyledCheck:PlainHtmlStyled SlowRadio:SlowProcessing:1 StartupLastRadio:StartupLoad:1 "
          "StartupFileRadio:StartupLoad:2 StereoStyleCombo:StereoStyle:1 VbrStyleCombo:VbrStyle:3 "
          "DateStyleCombo:DateStyle:2 SizeStyleCombo:SizeStyle:4 ErrorInfoStyleCombo:ErrorInfoStyle:2 "
          "SortFieldCombo:SortField:7 ExportTypeCombo:ExportType:3 CaptionModeCombo:CaptionMode:2 "
          "DelimiterCombo:Delimiter:4 ExistingEntriesCombo:ExistingEntries:2 ErrorActionCombo:ErrorAction:0 "
          "ColorWindowCombo:ColorWindowChoice:2 MinSizeEdit:MinSizeKB:100 MaxSizeEdit:MaxSizeMB:1000 "
          "AskSaveEdit:AskSaveThreshold:12345 PadFilenameEdit:PadFilenameTo:25 CellSpacingEdit:CellSpacing:3 "
          "CellPaddingEdit:CellPadding:4 BorderEdit:Border:0")
          .split(' ');
  for (const QString& row : rows) {
    OptionsSession session;
    const QByteArray control = row.section(':', 0, 0).toLatin1(), field = row.section(':', 1, 1).toLatin1();
    const QString value = row.section(':', 2);
    QWidget& widget = session.Get<QWidget>(control.constData());
    if (qobject_cast<QComboBox*>(&widget) != nullptr) {
      session.Choose(control.constData(), value.toInt());
    } else if (qobject_cast<QLineEdit*>(&widget) != nullptr) {
      session.Type(control.constData(), value);
    } else {
      session.Click(control.constData());
    }
    const QString opened =
        QString::fromStdString(ElementText(session.opened, ElementsNamed(field.constData()).front()));
    const QString now = QString::fromStdString(session.Value(field.constData()));
    QVERIFY2(value.isEmpty() ? now != opened : now == value, control);
  }
}

void OptUnitTest::numbersAreCheckedAsTypedAndRepairedOnLeaving() {
  OptionsSession session;
  session.Type("MaxSizeEdit", QStringLiteral("2049"));
  QCOMPARE(session.Base("MaxSizeEdit"), QColor(0xFF, 0x80, 0x80));
  QCOMPARE(session.options.Main.MaxSizeMB, 204);  // the last valid text typed on the way
  session.Get<QLineEdit>("MinSizeEdit").setFocus();
  QCOMPARE(session.Get<QLineEdit>("MaxSizeEdit").text(), QStringLiteral("2048"));
  QCOMPARE(session.options.Main.MaxSizeMB, 2048);
  QCOMPARE(session.Base("MaxSizeEdit"), QColor(0xF0, 0xF0, 0xF0));
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
  QCOMPARE(session.Get<QComboBox>("ExportTypeCombo").currentIndex(), 2);
  QVERIFY(session.Get<QCheckBox>("FooterFromFileCheck").isChecked());
  QCOMPARE(session.Get<QLineEdit>("PadFilenameEdit").text(), QStringLiteral("30"));
}

// Which change warns is a rule (OptionsWindowRules); here each kind of warning is shown.
void OptUnitTest::warningsOfTheControls() {
  OptionsSession session([](AppOptions& options) { options.Main.Delimiter = 5; });
  const std::vector<std::pair<std::function<void()>, QString>> steps = {
      {[&] { session.Choose("ExportTypeCombo", 1); },
       QStringLiteral("Warning: You chose \"plain HTML\" and \"tabs as delimiters\".\r\n\nTabs can be used only in "
                      "TEXT mode.")},
      {[&] { session.Choose("ErrorInfoStyleCombo", 0); },
       QStringLiteral("Warning: This setting may make importing previously exported files impossible.")},
      {[&] { session.Click("UseOwnHtmlTagsCheck"); }, QStringLiteral(" do this on your own risk: ")},
      {[&] { session.Click("BgColorPanel"); },
       QStringLiteral("Error: Bgcolor not enabled!\r\nCheck the checkbox first.")},
      {[&] { session.Click("ProcessingHelpBut"); }, QStringLiteral(" Processing type: ")},
      {[&] { session.Click("ExistingHelpBut"); }, QStringLiteral(" read carefully:: ")},
  };
  for (std::size_t i = 0; i < steps.size(); ++i) {
    steps[i].first();
    QCOMPARE(session.dialogs.Shown.size(), i + 1);
    QVERIFY2(LastShown(session.dialogs).startsWith(steps[i].second), qPrintable(LastShown(session.dialogs)));
  }
  QVERIFY(session.dialogs.Unexpected.isEmpty());
}

void OptUnitTest::everyWayOutButOkPutsTheBlockBack() {
  const QString discarded =
      QStringLiteral("Options changes have been discarded.\r\nUse the OK button to save them next time.");
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
    const bool told = !session.dialogs.Shown.empty() && session.dialogs.Shown.back().Text == discarded;
    QVERIFY2(told == (how == "close box"), way);
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
  reset.dialogs.ExpectQuestion(ResetQuestion(), Answer::No);
  reset.Click("ResetBut");
  QCOMPARE(reset.options.Main.ViewerColorScheme, 2);
  reset.dialogs.ExpectQuestion(ResetQuestion(), Answer::Yes);
  reset.Click("ResetBut");
  QCOMPARE(reset.dialogs.Asked.back().Title, QStringLiteral(" - WARNING -"));
  QVERIFY(reset.window->isHidden() && reset.window->OptionsSaved());
  QCOMPARE(reset.options.Main.ViewerColorScheme, 0);
  QCOMPARE(reset.options.Dialog.OptionsFolder.View(), std::string_view(reset.folder.Path()));
  QCOMPARE(reset.replaced, 1);
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
  QCOMPARE(session.dialogs.FileRequests.back().DefaultSuffix + session.dialogs.FileRequests.back().Folder,
           QStringLiteral("ini/tmp"));
  QCOMPARE(ReadFileBytes(session.folder.File("mine.ini")).size(), 7101u);
  session.Choose("SortFieldCombo", 4);
  WriteFileBytes(session.folder.File("bad.ini"), std::string(7100, '\0'));
  const AppOptions before = session.options;
  session.dialogs.ExpectFile(QString::fromStdString(session.folder.File("bad.ini")));
  session.Click("LoadFromBut");
  QCOMPARE(LastShown(session.dialogs),
           QStringLiteral("Warning: Loading options failed.\r\nProbably not a Ordonna configuration file."));
  QVERIFY(std::memcmp(&before, &session.options, sizeof before) == 0);
  session.dialogs.ExpectFile(QString::fromStdString(session.folder.File("mine.ini")));
  session.Click("LoadFromBut");
  QCOMPARE(session.options.Main.SortField, 0);
  QCOMPARE(session.Get<QComboBox>("SortFieldCombo").currentIndex(), 0);
  QCOMPARE(session.replaced, 1);
}

void OptUnitTest::colourAndFontPickers() {
  OptionsSession session([](AppOptions& options) { options.Dialog.ColorWindowChoice = 2; });
  // A dark window colour asks; No keeps the old colour. The picker starts from the colour and
  // the stored custom colours.
  session.dialogs.ExpectColor(QColor(64, 64, 64));
  session.dialogs.ExpectQuestion(QStringLiteral("The color is too dark. Are you certain?"), Answer::No);
  session.Click("WindowColorPanel");
  QCOMPARE(session.options.Main.OptionsWindowColor, 0xBBD1D5);
  QCOMPARE(session.dialogs.ColorRequests.back(), QColor(0xD5, 0xD1, 0xBB));
  QCOMPARE(session.dialogs.CustomColorRequests.back()[0], QColor(0xD5, 0xDE, 0xBE));
  // A light enough one does not ask; the window takes it at once, and the custom colours the
  // user changed are kept.
  session.dialogs.ExpectColor(QColor(65, 64, 64), [](std::array<QColor, 16>& custom) { custom[5] = QColor(1, 2, 3); });
  session.Click("WindowColorPanel");
  QCOMPARE(session.options.Main.OptionsWindowColor, 0x404041);
  QCOMPARE(session.window->palette().color(QPalette::Window), QColor(65, 64, 64));
  QCOMPARE(session.options.Dialog.CustomColors[5].View(), std::string_view("00030201"));
  QCOMPARE(session.dialogs.Asked.size(), 1u);
  // The background colour with styled plain HTML and own tags warns that it has no effect.
  session.options.Main.UseBgColor = session.options.Main.PlainHtmlStyled = session.options.Main.UseOwnHtmlTags = 1;
  session.dialogs.ExpectColor(QColor(1, 2, 3));
  session.Click("BgColorPanel");
  QCOMPARE(session.options.Main.TableBgColor, 0x030201);
  QVERIFY(session.dialogs.Shown.back().Text.startsWith(QStringLiteral("This won't have effect in plain html export")));

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
  QCOMPARE(main.TableFontName.View(), std::string_view("Courier New"));
  session.dialogs.ExpectFont(std::nullopt);
  session.Click("FontBut");
  QCOMPARE(main.TableFontSize, 8);
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

void OptUnitTest::messageFileChoosersAskBeforeChanging() {
  OptionsSession session([](AppOptions& options) { options.Main.HtmlFooterFile.Set("/old/foot.html"); });
  session.dialogs.ExpectFile(QStringLiteral("/texts/head.txt"));
  session.Click("TextHeaderBut");
  const FileDialogRequest& request = session.dialogs.FileRequests.back();
  QCOMPARE(request.Title, QStringLiteral(" - choose HEADER message file for TEXT mode - "));
  QCOMPARE(request.Folder, QStringLiteral("/home/someone"));
  QCOMPARE(request.FilterIndex, 0);
  QCOMPARE(session.options.Main.TextHeaderFile.View(), std::string_view("/texts/head.txt"));
  QCOMPARE(session.options.Dialog.TextMsgFolder.View(), std::string_view("/texts"));

  const QString question = QStringLiteral("Footer message file is:\r\n/old/foot.html\r\n\nChange this?");
  session.dialogs.ExpectQuestion(question, Answer::No);
  session.Click("HtmlFooterBut");
  QCOMPARE(session.dialogs.FileRequests.size(), 1u);
  session.dialogs.ExpectQuestion(question, Answer::Yes);
  session.dialogs.ExpectFile(QStringLiteral("/web/foot.htm"));
  session.Click("HtmlFooterBut");
  QCOMPARE(session.dialogs.Asked.back().Title, QStringLiteral("prompt"));
  QCOMPARE(session.dialogs.FileRequests.back().FilterIndex, 1);
  QCOMPARE(session.options.Main.HtmlFooterFile.View(), std::string_view("/web/foot.htm"));

  // The start-up list button works only while the list from a file is chosen.
  auto& startup = session.Get<QPushButton>("StartupListBut");
  QVERIFY(!startup.isEnabled());
  session.Click("StartupFileRadio");
  QVERIFY(startup.isEnabled());
  session.dialogs.ExpectFile(QStringLiteral("/lists/all.ordl"));
  session.Click("StartupListBut");
  QVERIFY(session.dialogs.FileRequests.back().Filter.startsWith(QStringLiteral("ORDL files")));
  QCOMPARE(session.options.Main.StartupListFile.View(), std::string_view("/lists/all.ordl"));
  QVERIFY_SCRIPT_DONE(session.dialogs);
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::OptUnitTest)
#include "OptUnitTest.moc"
