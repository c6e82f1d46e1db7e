// The options window: every control writes its option, numbers are checked as typed, the
// header row marks what it changed, the warnings, the colour and font pickers, the message
// file choosers, and every way of leaving (OK saves; cancel, Esc and the close box restore).
#include <cstring>
#include <functional>
#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "config/ConfigFields.h"
#include "config/ConfigFile.h"
#include "support/TempDir.h"
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
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the options window was not shown");
  }

  std::string Value(const char* field) const { return ElementText(options, ElementsNamed(field).front()); }
  bool MainAsOpened() const { return std::memcmp(&options.Main, &opened.Main, sizeof(MainOptions)) == 0; }
  template <class Control>
  Control& Get(const char* name) {
    return Find<Control>(*window, name);
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

const QColor kLightRed(0xFF, 0x80, 0x80);
const QColor kNormal(0xF0, 0xF0, 0xF0);

}  // namespace

class OptUnitTest : public QObject {
  Q_OBJECT

 private slots:
  void eachControlWritesItsOption();
  void numbersAreCheckedAsTypedAndRepairedOnLeaving();
  void headerRowMarksWhatItChangedAndGivesItBack();
  void warningsOfTheControls();
  void everyWayOutButOkPutsTheBlockBack();
  void fadesInAndOutWhenAsked();
  void okSavesAndResetMakesFactoryDefaults();
  void defaultsAndLoadingAFile();
  void colourPickerAndDarkColours();
  void fontPickerFillsTheFourFieldsOfAFont();
  void messageFileChoosersAskBeforeChanging();
};

void OptUnitTest::eachControlWritesItsOption() {
  struct Row {
    const char* Control;
    const char* Action;  // "click", "item N" or "type TEXT"
    const char* Field;
    const char* Value;
  };
  const Row rows[] = {
      {"InfoTimeCheck", "click", "InfoTime", "0"},
      {"InfoKbpsCheck", "click", "InfoKbps", "0"},
      {"InfoSizeCheck", "click", "InfoSize", "0"},
      {"InfoFrequencyCheck", "click", "InfoFrequency", "1"},
      {"InfoStereoCheck", "click", "InfoStereo", "1"},
      {"InfoDateCreatedCheck", "click", "InfoDateCreated", "1"},
      {"InfoPathCheck", "click", "InfoPath", "1"},
      {"InfoVolumeLabelCheck", "click", "InfoVolumeLabel", "1"},
      {"InfoDateAddedCheck", "click", "InfoDateAdded", "1"},
      {"EnumerateCheck", "click", "Enumerate", "1"},
      {"SplitArtistTitleCheck", "click", "SplitArtistTitle", "1"},
      {"ViewerSplitCheck", "click", "ViewerSplitArtistTitle", "1"},
      {"SortListCheck", "click", "SortList", "0"},
      {"SortDescendingCheck", "click", "SortDescending", "1"},
      {"SortCaseCheck", "click", "SortCaseSensitive", "1"},
      {"CenterArtistTitleCheck", "click", "CenterArtistTitle", "1"},
      {"UseBgColorCheck", "click", "UseBgColor", "1"},
      {"UseTextColorCheck", "click", "UseTextColor", "1"},
      {"IncludeHiddenCheck", "click", "IncludeHiddenSystem", "1"},
      {"FadeMainCheck", "click", "FadeMain", "1"},
      {"FadeViewerCheck", "click", "FadeViewer", "1"},
      {"FadeOptionsCheck", "click", "FadeOptions", "1"},
      {"HeaderRowTabsCheck", "click", "HeaderRowTabs", "1"},
      {"HeaderFromFileCheck", "click", "HeaderFromFile", "1"},
      {"FooterFromFileCheck", "click", "FooterFromFile", "1"},
      {"UseOwnHtmlTagsCheck", "click", "UseOwnHtmlTags", "1"},
      {"PlainHtmlStyledCheck", "click", "PlainHtmlStyled", "1"},
      {"SlowRadio", "click", "SlowProcessing", "1"},
      {"StartupLastRadio", "click", "StartupLoad", "1"},
      {"StartupFileRadio", "click", "StartupLoad", "2"},
      {"StereoStyleCombo", "item 1", "StereoStyle", "1"},
      {"VbrStyleCombo", "item 3", "VbrStyle", "3"},
      {"DateStyleCombo", "item 2", "DateStyle", "2"},
      {"SizeStyleCombo", "item 4", "SizeStyle", "4"},
      {"ErrorInfoStyleCombo", "item 2", "ErrorInfoStyle", "2"},
      {"SortFieldCombo", "item 7", "SortField", "7"},
      {"ExportTypeCombo", "item 3", "ExportType", "3"},
      {"CaptionModeCombo", "item 2", "CaptionMode", "2"},
      {"DelimiterCombo", "item 4", "Delimiter", "4"},
      {"ExistingEntriesCombo", "item 2", "ExistingEntries", "2"},
      {"ErrorActionCombo", "item 0", "ErrorAction", "0"},
      {"ColorWindowCombo", "item 2", "ColorWindowChoice", "2"},
      {"MinSizeEdit", "type 100", "MinSizeKB", "100"},
      {"MaxSizeEdit", "type 1000", "MaxSizeMB", "1000"},
      {"AskSaveEdit", "type 12345", "AskSaveThreshold", "12345"},
      {"PadFilenameEdit", "type 25", "PadFilenameTo", "25"},
      {"CellSpacingEdit", "type 3", "CellSpacing", "3"},
      {"CellPaddingEdit", "type 4", "CellPadding", "4"},
      {"BorderEdit", "type 0", "Border", "0"},
  };
  for (const Row& row : rows) {
    OptionsSession session;
    const QString action = QString::fromLatin1(row.Action);
    if (action == QStringLiteral("click")) {
      QTest::mouseClick(&session.Get<QAbstractButton>(row.Control), Qt::LeftButton, {}, QPoint(6, 8));
    } else if (action.startsWith(QStringLiteral("item "))) {
      session.Choose(row.Control, action.mid(5).toInt());
    } else {
      session.Type(row.Control, action.mid(5));
    }
    QVERIFY2(session.Value(row.Field) == row.Value, row.Control);
  }
}

void OptUnitTest::numbersAreCheckedAsTypedAndRepairedOnLeaving() {
  OptionsSession session;
  session.Type("MaxSizeEdit", QStringLiteral("2049"));
  QCOMPARE(session.Base("MaxSizeEdit"), kLightRed);
  QCOMPARE(session.options.Main.MaxSizeMB, 204);  // the last valid text typed on the way
  session.Get<QLineEdit>("MinSizeEdit").setFocus();
  QCOMPARE(session.Get<QLineEdit>("MaxSizeEdit").text(), QStringLiteral("2048"));
  QCOMPARE(session.options.Main.MaxSizeMB, 2048);
  QCOMPARE(session.Base("MaxSizeEdit"), kNormal);

  // 0 never asks, and says so; five digits take a smaller font.
  auto& never = session.Get<QLabel>("NeverLabel");
  QVERIFY(never.isHidden());
  session.Type("AskSaveEdit", QStringLiteral("0"));
  QVERIFY(never.isVisible());
  const qreal normalSize = session.Get<QLineEdit>("AskSaveEdit").font().pointSizeF();
  session.Type("AskSaveEdit", QStringLiteral("10000"));
  QVERIFY(never.isHidden());
  QCOMPARE(session.Get<QLineEdit>("AskSaveEdit").font().pointSizeF(), normalSize - 1);
  QCOMPARE(session.Get<QLineEdit>("AskSaveEdit").maxLength(), 5);
  QCOMPARE(session.Get<QLineEdit>("MinSizeEdit").maxLength(), 4);
}

void OptUnitTest::headerRowMarksWhatItChangedAndGivesItBack() {
  OptionsSession session([](AppOptions& options) {
    options.Main.ExportType = 2;
    options.Main.FooterFromFile = 1;
    options.Main.PadFilenameTo = 30;
  });
  QTest::mouseClick(&session.Get<QCheckBox>("HeaderRowTabsCheck"), Qt::LeftButton, {}, QPoint(6, 8));
  const QColor blue(Qt::blue);
  for (const char* caption : {"ExportTypeLabel", "FooterFromFileCheck", "DelimiterLabel", "PadLabel"}) {
    QVERIFY2(session.Get<QWidget>(caption).palette().color(QPalette::WindowText) == blue, caption);
  }
  QVERIFY(session.Get<QCheckBox>("HeaderFromFileCheck").palette().color(QPalette::WindowText) != blue);
  QCOMPARE(session.Get<QComboBox>("DelimiterCombo").currentIndex(), 5);
  QCOMPARE(session.Get<QLineEdit>("PadFilenameEdit").text(), QStringLiteral("0"));
  QCOMPARE(session.window->findChild<QTimer*>(QStringLiteral("CaptionTimer"))->interval(), 500);
  QTRY_VERIFY(session.Get<QWidget>("DelimiterLabel").palette().color(QPalette::WindowText) != blue);

  // Ticking the header file switches the row off; the rest comes back, controls included.
  QTest::mouseClick(&session.Get<QCheckBox>("HeaderFromFileCheck"), Qt::LeftButton, {}, QPoint(6, 8));
  QVERIFY(!session.Get<QCheckBox>("HeaderRowTabsCheck").isChecked());
  QCOMPARE(session.Get<QComboBox>("ExportTypeCombo").currentIndex(), 2);
  QVERIFY(session.Get<QCheckBox>("FooterFromFileCheck").isChecked());
  QCOMPARE(session.Get<QLineEdit>("PadFilenameEdit").text(), QStringLiteral("30"));
  QCOMPARE(session.options.Main.HeaderFromFile, 1);
}

void OptUnitTest::warningsOfTheControls() {
  OptionsSession session;
  session.Choose("DelimiterCombo", 5);
  session.Choose("ExportTypeCombo", 1);
  QCOMPARE(session.dialogs.Shown.size(), 1u);
  QVERIFY(session.dialogs.Shown.back().Text.startsWith(
      QStringLiteral("You chose \"plain HTML\" and \"tabs as delimiters\".\r\n\nTabs can be used only in TEXT mode.")));
  QCOMPARE(session.dialogs.Shown.back().Title, QStringLiteral("Warning"));
  session.Choose("ErrorInfoStyleCombo", 0);
  QCOMPARE(session.dialogs.Shown.back().Text,
           QStringLiteral("This setting may make importing previously exported files impossible."));
  QTest::mouseClick(&session.Get<QCheckBox>("UseOwnHtmlTagsCheck"), Qt::LeftButton, {}, QPoint(6, 8));
  QCOMPARE(session.dialogs.Shown.back().Title, QStringLiteral(" do this on your own risk"));
  QTest::mouseClick(&session.Get<QPushButton>("BgColorPanel"), Qt::LeftButton);
  QCOMPARE(session.dialogs.Shown.back().Text, QStringLiteral("Bgcolor not enabled!\r\nCheck the checkbox first."));
  QCOMPARE(session.dialogs.Shown.back().Title, QStringLiteral("Error"));
  QTest::mouseClick(&session.Get<QPushButton>("ProcessingHelpBut"), Qt::LeftButton);
  QCOMPARE(session.dialogs.Shown.back().Title, QStringLiteral(" Processing type"));
  QTest::mouseClick(&session.Get<QPushButton>("ExistingHelpBut"), Qt::LeftButton);
  QCOMPARE(session.dialogs.Shown.back().Title, QStringLiteral(" read carefully:"));
  QCOMPARE(session.dialogs.Shown.size(), 6u);
  QVERIFY(session.dialogs.Unexpected.isEmpty());
}

void OptUnitTest::everyWayOutButOkPutsTheBlockBack() {
  enum class Way { Cancel, Esc, CloseBox };
  for (const Way way : {Way::Cancel, Way::Esc, Way::CloseBox}) {
    OptionsSession session([](AppOptions& options) { options.Main.TableFontName.Set("A long font name"); });
    session.options.Main.TableFontName.Set("Mono");  // a shorter name leaves no old bytes behind
    QTest::mouseClick(&session.Get<QCheckBox>("HeaderRowTabsCheck"), Qt::LeftButton, {}, QPoint(6, 8));
    session.Type("MaxSizeEdit", QStringLiteral("99"));
    session.Choose("SortFieldCombo", 3);
    switch (way) {
      case Way::Cancel: QTest::mouseClick(&session.Get<QPushButton>("CancelBut"), Qt::LeftButton); break;
      case Way::Esc: QTest::keyClick(session.window.get(), Qt::Key_Escape); break;
      case Way::CloseBox: session.window->close(); break;
    }
    QVERIFY(session.window->isHidden());
    QVERIFY(session.MainAsOpened());
    QVERIFY(!session.window->OptionsSaved());
    const bool told =
        !session.dialogs.Shown.empty() &&
        session.dialogs.Shown.back().Text ==
            QStringLiteral("Options changes have been discarded.\r\nUse the OK button to save them next time.");
    QCOMPARE(told, way == Way::CloseBox);
  }
  // The close box without changes says nothing.
  OptionsSession unchanged;
  unchanged.window->close();
  QVERIFY(unchanged.dialogs.Shown.empty());
}

void OptUnitTest::fadesInAndOutWhenAsked() {
  OptionsSession session([](AppOptions& options) { options.Main.FadeOptions = 1; }, true);
  QTRY_COMPARE_WITH_TIMEOUT(session.window->windowOpacity(), 1.0, 2000);
  QTest::mouseClick(&session.Get<QPushButton>("OkBut"), Qt::LeftButton);
  QVERIFY2(session.window->isVisible(), "the window fades out before it closes");
  QTRY_VERIFY_WITH_TIMEOUT(session.window->isHidden(), 2000);
  QVERIFY(session.window->windowOpacity() < 0.1);
  QVERIFY(session.window->OptionsSaved());
}

void OptUnitTest::okSavesAndResetMakesFactoryDefaults() {
  OptionsSession session;
  session.Choose("ExportTypeCombo", 1);
  QTest::mouseClick(&session.Get<QPushButton>("OkBut"), Qt::LeftButton);
  QVERIFY(session.window->isHidden() && session.window->OptionsSaved());
  QCOMPARE(session.window->Snapshot().ExportType, 0);
  AppOptions saved{};
  QVERIFY(LoadConfiguration(session.folder.File("ordonna.ini"), saved).ok());
  QCOMPARE(saved.Main.ExportType, 1);

  OptionsSession reset([](AppOptions& options) {
    options.Dialog.LoadFolder.Set("/music");
    options.Main.ViewerColorScheme = 2;
  });
  const QString question = QString::fromStdString(
      "This will irreversibly set ALL program options\r\nto default (state after installation), including\r\nthose "
      "not visible on this window, such as\r\ndefault folders and other windows switches.\r\n\n(once you click OK "
      "there will be no cancelling)\r\n\nProceed?");
  reset.dialogs.ExpectQuestion(question, Answer::No);
  QTest::mouseClick(&reset.Get<QPushButton>("ResetBut"), Qt::LeftButton);
  QCOMPARE(reset.options.Main.ViewerColorScheme, 2);
  reset.dialogs.ExpectQuestion(question, Answer::Yes);
  QTest::mouseClick(&reset.Get<QPushButton>("ResetBut"), Qt::LeftButton);
  QCOMPARE(reset.dialogs.Asked.back().Title, QStringLiteral(" - WARNING -"));
  QVERIFY(reset.window->isHidden() && reset.window->OptionsSaved());
  QCOMPARE(reset.options.Main.ViewerColorScheme, 0);
  QCOMPARE(reset.options.Dialog.LoadFolder.View(), std::string_view("c:\\"));
  QCOMPARE(reset.options.Dialog.OptionsFolder.View(), std::string_view(reset.folder.Path()));
  QCOMPARE(reset.replaced, 1);
  QVERIFY(LoadConfiguration(reset.folder.File("ordonna.ini"), saved).ok());
  QCOMPARE(saved.Dialog.LoadFolder.View(), std::string_view("c:\\"));
  QVERIFY(reset.dialogs.AllUsed() && reset.dialogs.Shown.empty());
}

void OptUnitTest::defaultsAndLoadingAFile() {
  OptionsSession session([](AppOptions& options) {
    options.Main.InfoPath = 1;
    options.Main.ViewerColorScheme = 1;
    options.Main.OptionsWindowColor = 0x123456;
  });
  QTest::mouseClick(&session.Get<QPushButton>("DefaultsBut"), Qt::LeftButton);
  QVERIFY(!session.Get<QCheckBox>("InfoPathCheck").isChecked());
  QCOMPARE(session.options.Main.ViewerColorScheme, 1);
  QCOMPARE(session.window->palette().color(QPalette::Window), QColor(0xD5, 0xD1, 0xBB));
  QVERIFY(session.colorChanges > 0);

  // Save as, change, load back: the saved options return. A damaged file changes nothing.
  session.dialogs.ExpectFile(QString::fromStdString(session.folder.File("mine.ini")));
  QTest::mouseClick(&session.Get<QPushButton>("SaveAsBut"), Qt::LeftButton);
  QCOMPARE(session.dialogs.FileRequests.back().DefaultSuffix, QStringLiteral("ini"));
  QCOMPARE(session.dialogs.FileRequests.back().Folder, QStringLiteral("/tmp"));
  QCOMPARE(ReadFileBytes(session.folder.File("mine.ini")).size(), 7101u);
  session.Choose("SortFieldCombo", 4);
  WriteFileBytes(session.folder.File("bad.ini"), std::string(7100, '\0'));
  const AppOptions before = session.options;
  session.dialogs.ExpectFile(QString::fromStdString(session.folder.File("bad.ini")));
  QTest::mouseClick(&session.Get<QPushButton>("LoadFromBut"), Qt::LeftButton);
  QCOMPARE(session.dialogs.Shown.back().Text,
           QStringLiteral("Loading options failed.\r\nProbably not a Ordonna configuration file."));
  QVERIFY(std::memcmp(&before, &session.options, sizeof before) == 0);
  session.dialogs.ExpectFile(QString::fromStdString(session.folder.File("mine.ini")));
  QTest::mouseClick(&session.Get<QPushButton>("LoadFromBut"), Qt::LeftButton);
  QCOMPARE(session.options.Main.SortField, 0);
  QCOMPARE(session.Get<QComboBox>("SortFieldCombo").currentIndex(), 0);
  QCOMPARE(session.replaced, 1);
}

void OptUnitTest::colourPickerAndDarkColours() {
  OptionsSession session([](AppOptions& options) { options.Dialog.ColorWindowChoice = 2; });
  auto& panel = session.Get<QPushButton>("WindowColorPanel");
  // Red 64, green 64, blue 64 asks; No keeps the old colour.
  session.dialogs.ExpectColor(QColor(64, 64, 64));
  session.dialogs.ExpectQuestion(QStringLiteral("The color is too dark. Are you certain?"), Answer::No);
  QTest::mouseClick(&panel, Qt::LeftButton);
  QCOMPARE(session.options.Main.OptionsWindowColor, 0xBBD1D5);
  QCOMPARE(session.dialogs.ColorRequests.back(), QColor(0xD5, 0xD1, 0xBB));
  QCOMPARE(session.dialogs.CustomColorRequests.back()[0], QColor(0xD5, 0xDE, 0xBE));
  // Red 65 does not ask; the window takes the colour at once, and the custom colours the
  // user changed are kept.
  session.dialogs.ExpectColor(QColor(65, 64, 64), [](std::array<QColor, 16>& custom) { custom[5] = QColor(1, 2, 3); });
  QTest::mouseClick(&panel, Qt::LeftButton);
  QCOMPARE(session.options.Main.OptionsWindowColor, 0x404041);
  QCOMPARE(session.window->palette().color(QPalette::Window), QColor(65, 64, 64));
  QCOMPARE(session.options.Dialog.CustomColors[5].View(), std::string_view("00030201"));
  QCOMPARE(session.dialogs.Asked.size(), 1u);

  // The background colour with styled plain HTML and own tags warns that it has no effect.
  session.options.Main.UseBgColor = session.options.Main.PlainHtmlStyled = session.options.Main.UseOwnHtmlTags = 1;
  session.dialogs.ExpectColor(QColor(1, 2, 3));
  QTest::mouseClick(&session.Get<QPushButton>("BgColorPanel"), Qt::LeftButton);
  QCOMPARE(session.options.Main.TableBgColor, 0x030201);
  QVERIFY(session.dialogs.Shown.back().Text.startsWith(QStringLiteral("This won't have effect in plain html export")));
  QVERIFY(session.dialogs.AllUsed() && session.dialogs.Unexpected.isEmpty());
}

void OptUnitTest::fontPickerFillsTheFourFieldsOfAFont() {
  OptionsSession session;
  QFont chosen(QStringLiteral("DejaVu Sans"), 14);
  chosen.setItalic(true);
  chosen.setUnderline(true);
  session.dialogs.ExpectFont(chosen);
  QTest::mouseClick(&session.Get<QPushButton>("CaptionFontBut"), Qt::LeftButton);
  const MainOptions& main = session.options.Main;
  QCOMPARE(session.dialogs.FontRequests.back().pointSize(), 9);
  QVERIFY(session.dialogs.FontRequests.back().bold());
  QCOMPARE(main.CaptionFontName.View(), std::string_view("DejaVu Sans"));
  QCOMPARE(main.CaptionFontSize, 14);
  QCOMPARE(main.CaptionFontStyle, kFontItalic | kFontUnderline);
  QCOMPARE(main.CaptionFontCharset, 1);
  QCOMPARE(main.TableFontName.View(), std::string_view("Courier New"));
  session.dialogs.ExpectFont(std::nullopt);
  QTest::mouseClick(&session.Get<QPushButton>("FontBut"), Qt::LeftButton);
  QCOMPARE(main.TableFontSize, 8);
}

void OptUnitTest::messageFileChoosersAskBeforeChanging() {
  OptionsSession session([](AppOptions& options) { options.Main.HtmlFooterFile.Set("/old/foot.html"); });
  session.dialogs.ExpectFile(QStringLiteral("/texts/head.txt"));
  QTest::mouseClick(&session.Get<QPushButton>("TextHeaderBut"), Qt::LeftButton);
  const FileDialogRequest& request = session.dialogs.FileRequests.back();
  QCOMPARE(request.Title, QStringLiteral(" - choose HEADER message file for TEXT mode - "));
  QCOMPARE(request.Folder, QStringLiteral("/home/someone"));
  QCOMPARE(request.FilterIndex, 0);
  QCOMPARE(session.options.Main.TextHeaderFile.View(), std::string_view("/texts/head.txt"));
  QCOMPARE(session.options.Dialog.TextMsgFolder.View(), std::string_view("/texts"));

  const QString question = QStringLiteral("Footer message file is:\r\n/old/foot.html\r\n\nChange this?");
  session.dialogs.ExpectQuestion(question, Answer::No);
  QTest::mouseClick(&session.Get<QPushButton>("HtmlFooterBut"), Qt::LeftButton);
  QCOMPARE(session.dialogs.FileRequests.size(), 1u);
  session.dialogs.ExpectQuestion(question, Answer::Yes);
  session.dialogs.ExpectFile(QStringLiteral("/web/foot.htm"));
  QTest::mouseClick(&session.Get<QPushButton>("HtmlFooterBut"), Qt::LeftButton);
  QCOMPARE(session.dialogs.Asked.back().Title, QStringLiteral("prompt"));
  QCOMPARE(session.dialogs.FileRequests.back().FilterIndex, 1);
  QCOMPARE(session.options.Main.HtmlFooterFile.View(), std::string_view("/web/foot.htm"));

  // The start-up list button works only while the list from a file is chosen.
  auto& startup = session.Get<QPushButton>("StartupListBut");
  QVERIFY(!startup.isEnabled());
  QTest::mouseClick(&session.Get<QRadioButton>("StartupFileRadio"), Qt::LeftButton, {}, QPoint(6, 8));
  QVERIFY(startup.isEnabled());
  session.dialogs.ExpectFile(QStringLiteral("/lists/all.ordl"));
  QTest::mouseClick(&startup, Qt::LeftButton);
  QVERIFY(session.dialogs.FileRequests.back().Filter.startsWith(QStringLiteral("ORDL files")));
  QCOMPARE(session.options.Main.StartupListFile.View(), std::string_view("/lists/all.ordl"));
  QVERIFY(session.dialogs.AllUsed() && session.dialogs.Unexpected.isEmpty());
}

}  // namespace ordonna::testing

QTEST_MAIN(ordonna::testing::OptUnitTest)
#include "OptUnitTest.moc"
