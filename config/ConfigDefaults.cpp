// The factory defaults of the option record and the "DEFAULTS" subset of the options window.
// Every field is assigned explicitly, so the result never depends on what the record held.
#include "config/ConfigFile.h"

#include <cstddef>
#include <cstdint>

#include "core/Text.h"

namespace ordonna {
namespace {

constexpr std::string_view kDefaultFontName = "Courier New";
constexpr std::uint8_t kDefaultCharset = 1;  // the Windows "default character set"

// Colours are 0x00BBGGRR.
constexpr std::int32_t kMainWindowColor = 0x00BEDED5;
constexpr std::int32_t kOptionsWindowColor = 0x00BBD1D5;
constexpr std::int32_t kViewerWindowColor = 0x00E0E0E0;
constexpr std::int32_t kTableBgColor = 0x00F0F0F0;

constexpr std::int32_t kDefaultColumnWidth = 64;
constexpr std::int32_t kDefaultViewerWidth = 700;
constexpr std::int32_t kDefaultViewerHeight = 600;

// Left or top that centres a window of `size` on a screen of `screen` pixels. Integer division
// truncates toward zero, which is the stored rule for windows larger than the screen too.
std::int32_t Centred(std::int32_t screen, std::int32_t size) {
  return static_cast<std::int32_t>((std::int64_t{screen} - size) / 2);
}

// The picker's sixteen custom colours: the three window colours, then thirteen graded ones
// whose digits are k, (k + 4) * 10 and (k + 4) * 12 in hexadecimal.
void SetCustomColors(DialogOptions& dialog) {
  dialog.CustomColors[0].Set("00BEDED5");
  dialog.CustomColors[1].Set("00E0E0E0");
  dialog.CustomColors[2].Set("00BBD1D5");
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  for (unsigned k = 3; k < kCustomColorCount; ++k) {
    const unsigned parts[3] = {k, (k + 4) * 10, (k + 4) * 12};
    char text[8] = {'0', '0'};
    for (std::size_t i = 0; i < 3; ++i) {
      text[2 + 2 * i] = kHexDigits[parts[i] >> 4];
      text[3 + 2 * i] = kHexDigits[parts[i] & 15];
    }
    dialog.CustomColors[k].Set(std::string_view(text, sizeof text));
  }
}

}  // namespace

void SetWindowDefaults(AppOptions& options) {
  MainOptions& main = options.Main;
  main.TextHeaderFile.Set("");
  main.TextFooterFile.Set("");
  main.HtmlHeaderFile.Set("");
  main.HtmlFooterFile.Set("");
  main.StartupListFile.Set("");
  main.MainWindowColor = kMainWindowColor;
  main.OptionsWindowColor = kOptionsWindowColor;
  main.ViewerWindowColor = kViewerWindowColor;
  main.AskSaveThreshold = 500;
  main.FadeMain = 0;
  main.FadeViewer = 0;
  main.FadeOptions = 0;

  // The flags and choices at offsets 0-37 and 39; ViewerManualColWidth (24) and
  // ViewerColorScheme (38) belong to the viewer and stay.
  main.InfoTime = 1;
  main.InfoKbps = 1;
  main.HeaderRowTabs = 0;
  main.HeaderFromFile = 0;
  main.FooterFromFile = 0;
  main.InfoFrequency = 0;
  main.InfoSize = 1;
  main.InfoDateCreated = 0;
  main.InfoVolumeLabel = 0;
  main.InfoPath = 0;
  main.InfoStereo = 0;
  main.InfoDateAdded = 0;
  main.SortList = 1;
  main.Enumerate = 0;
  main.IncludeHiddenSystem = 0;
  main.SlowProcessing = 0;
  main.UseTextColor = 0;
  main.CenterArtistTitle = 0;
  main.SplitArtistTitle = 0;
  main.UseBgColor = 0;
  main.SortDescending = 0;
  main.StereoStyle = 0;
  main.SortCaseSensitive = 0;
  main.UseOwnHtmlTags = 0;
  main.ViewerSplitArtistTitle = 0;
  main.PlainHtmlStyled = 0;
  main.VbrStyle = 0;
  main.DateStyle = 0;
  main.ErrorInfoStyle = 1;
  main.ExportType = 0;
  main.ErrorAction = 1;
  main.Delimiter = 0;
  main.CaptionMode = 0;
  main.SortField = 0;
  main.StartupLoad = 0;
  main.SizeStyle = 1;
  main.PadFilenameTo = 0;
  main.ExistingEntries = 0;

  main.CellSpacing = 0;
  main.CellPadding = 0;
  main.Border = 1;
  main.MaxSizeMB = 2048;
  main.MinSizeKB = 10;
  main.TableBgColor = kTableBgColor;
  main.TableTextColor = 0;

  main.TableFontSize = 8;
  main.TableFontCharset = kDefaultCharset;
  main.TableFontName.Set(kDefaultFontName);
  main.TableFontStyle = 0;
  main.CaptionFontSize = 9;
  main.CaptionFontCharset = kDefaultCharset;
  main.CaptionFontName.Set(kDefaultFontName);
  main.CaptionFontStyle = kFontBold;

  options.Dialog.TextMsgFolder.Set(kDefaultDialogFolder);
  options.Dialog.HtmlMsgFolder.Set(kDefaultDialogFolder);
  options.Dialog.StartupListFolder.Set(kDefaultDialogFolder);
}

void SetFactoryDefaults(AppOptions& options, const FactoryContext& context) {
  SetWindowDefaults(options);

  MainOptions& main = options.Main;
  main.ViewerManualColWidth = 0;
  main.ViewerColorScheme = 0;
  for (std::size_t column = 0; column < kViewerColumnCount; ++column) {
    main.ViewerColumnWidths[column] = kDefaultColumnWidth;
  }
  main.ViewerFontSize = 8;
  main.ViewerFontCharset = kDefaultCharset;
  main.ViewerFontName.Set(kDefaultFontName);
  main.ViewerFontStyle = 0;

  // Each window centred for its nominal size.
  WindowPlaces& places = options.Places;
  const std::int32_t screenWidth = context.ScreenWidth;
  const std::int32_t screenHeight = context.ScreenHeight;
  places.MainLeft = Centred(screenWidth, 284);
  places.MainTop = Centred(screenHeight, 362);
  places.OptionsLeft = Centred(screenWidth, 787);
  places.OptionsTop = Centred(screenHeight, 549);
  places.AboutLeft = Centred(screenWidth, 320);
  places.AboutTop = Centred(screenHeight, 314);
  places.ImportLeft = Centred(screenWidth, 430);
  places.ImportTop = Centred(screenHeight, 557);
  places.DupSetupLeft = Centred(screenWidth, 307);
  places.DupSetupTop = Centred(screenHeight, 415);
  places.ViewerWidth = kDefaultViewerWidth;
  places.ViewerHeight = kDefaultViewerHeight;
  places.DupRunLeft = Centred(screenWidth, 482);
  places.DupRunTop = Centred(screenHeight, 307);
  places.CompRunLeft = Centred(screenWidth, 482);
  places.CompRunTop = Centred(screenHeight, 307);
  places.CompSetupLeft = Centred(screenWidth, 307);
  places.CompSetupTop = Centred(screenHeight, 502);
  places.ViewerLeft = Centred(screenWidth, kDefaultViewerWidth);
  places.ViewerTop = Centred(screenHeight, kDefaultViewerHeight);
  places.SkipMsgLeft = Centred(screenWidth, 256);
  places.SkipMsgTop = Centred(screenHeight, 286);
  places.CaptionLeft = Centred(screenWidth, 313);
  places.CaptionTop = Centred(screenHeight, 246);
  places.InsertLeft = Centred(screenWidth, 301);
  places.InsertTop = Centred(screenHeight, 301);
  places.LoadModeLeft = Centred(screenWidth, 227);
  places.LoadModeTop = Centred(screenHeight, 310);
  places.FindLeft = Centred(screenWidth, 217);
  places.FindTop = Centred(screenHeight, 190);

  DialogOptions& dialog = options.Dialog;
  dialog.ImportDateStyleFallback = 0;
  dialog.ImportDateAddedFallback = 1;
  dialog.MatchPercent = 99;
  dialog.MatchAction = 1;
  dialog.CompareAction = 0;
  dialog.CompareWith = 1;
  dialog.InsertPosition = 2;
  dialog.EditPosition = 2;
  dialog.ImportFileType = 0;
  dialog.AppendSort = 1;
  dialog.ThreadPriority = 0;
  dialog.ViewerTotalTimeStyle = 0;
  dialog.ColorWindowChoice = 0;
  dialog.ImportCmf = 1;
  dialog.ImportClab = 0;
  dialog.ImportStripHeaderFooter = 0;
  dialog.ImportImap = 0;
  dialog.AllowUnspecified = 1;
  dialog.SizeMayDiffer = 1;
  dialog.TimeMayDiffer = 1;
  dialog.MatchHighChars = 1;
  dialog.BitrateMustMatch = 0;
  dialog.ViewerMaximized = 1;
  dialog.MircLines = 0;
  dialog.LoadAppend = 0;
  dialog.LoadModeDontShow = 0;
  dialog.FindMatchCase = 0;
  dialog.LetterCheck = 0;
  dialog.RememberCaption = 0;
  dialog.FilterInvertedColors = 1;
  dialog.SearchAllDrives = 0;
  dialog.IncludeSubfolders = 1;
  dialog.SkipFilterMsgDontShow = 0;
  dialog.SizeDiffKB = 500;
  dialog.TimeDiffSec = 30;
  SetCustomColors(dialog);
  dialog.MainFontSize = 10;
  dialog.MainFontCharset = kDefaultCharset;
  dialog.MainFontName.Set(kDefaultFontName);
  dialog.MainFontStyle = 0;
  for (OptionString* folder :
       {&dialog.LoadFolder, &dialog.SaveFolder, &dialog.ExportFolder, &dialog.ImportFolder, &dialog.DupLogFolder,
        &dialog.CompareSaveFolder, &dialog.CompareLoadFolder, &dialog.InsertFolder, &dialog.LastScanFolder}) {
    folder->Set(kDefaultDialogFolder);
  }
  // A folder longer than a stored string holds is cut on a character boundary.
  dialog.OptionsFolder.Set(context.OptionsFolder);
  dialog.LastSavedList.Set("");
  dialog.LastCaption.Set("");
  dialog.CompareListFile.Set("");
  dialog.CompareSaveFile.Set("");
}

std::string ResolveDialogFolder(std::string_view stored, const std::string& homeFolder) {
  if (EqualIgnoringAsciiCase(stored, kDefaultDialogFolder)) return homeFolder;
  return std::string(stored);
}

}  // namespace ordonna
