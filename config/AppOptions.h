// The option record: three packed blocks stored byte for byte in "ordonna.ini" (7,101 bytes,
// little-endian, no alignment). A field is identified by its offset, so every offset is pinned.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "core/FixedString.h"

namespace ordonna {

// A stored string: a length byte and up to 255 characters (256 bytes).
using OptionString = FixedString<255>;
// A custom colour of the colour picker: a length byte and up to 8 hex digits (9 bytes).
using ColorString = FixedString<8>;

inline constexpr std::size_t kMainOptionsSize = 2189;
inline constexpr std::size_t kWindowPlacesSize = 120;
inline constexpr std::size_t kDialogOptionsSize = 4792;
inline constexpr std::size_t kConfigFileSize = 7101;

inline constexpr std::size_t kViewerColumnCount = 14;
inline constexpr std::size_t kCustomColorCount = 16;

// Flags are 0/1 bytes, choices are zero-based item indexes, colours are 0x00BBGGRR (red in
// the low byte), font styles are bit sets of the kFont... bits below and charsets are Windows
// character-set numbers.
inline constexpr std::uint8_t kFontBold = 1;
inline constexpr std::uint8_t kFontItalic = 2;
inline constexpr std::uint8_t kFontUnderline = 4;
inline constexpr std::uint8_t kFontStrikeOut = 8;

#pragma pack(push, 1)
struct MainOptions {
  std::uint8_t InfoTime;                                // 0
  std::uint8_t InfoKbps;                                // 1
  std::uint8_t HeaderRowTabs;                           // 2
  std::uint8_t HeaderFromFile;                          // 3
  std::uint8_t FooterFromFile;                          // 4
  std::uint8_t InfoFrequency;                           // 5
  std::uint8_t InfoSize;                                // 6
  std::uint8_t InfoDateCreated;                         // 7
  std::uint8_t InfoVolumeLabel;                         // 8
  std::uint8_t InfoPath;                                // 9
  std::uint8_t InfoStereo;                              // 10
  std::uint8_t InfoDateAdded;                           // 11
  std::uint8_t SortList;                                // 12
  std::uint8_t Enumerate;                               // 13
  std::uint8_t IncludeHiddenSystem;                     // 14
  std::uint8_t SlowProcessing;                          // 15 0 fast, 1 slow
  std::uint8_t UseTextColor;                            // 16
  std::uint8_t CenterArtistTitle;                       // 17
  std::uint8_t SplitArtistTitle;                        // 18
  std::uint8_t UseBgColor;                              // 19
  std::uint8_t SortDescending;                          // 20
  std::uint8_t StereoStyle;                             // 21 0 short, 1 long
  std::uint8_t SortCaseSensitive;                       // 22
  std::uint8_t UseOwnHtmlTags;                          // 23
  std::uint8_t ViewerManualColWidth;                    // 24
  std::uint8_t ViewerSplitArtistTitle;                  // 25
  std::uint8_t PlainHtmlStyled;                         // 26
  std::uint8_t VbrStyle;                                // 27 0 var, 1 VAR, 2 vbr, 3 VBR
  std::uint8_t DateStyle;                               // 28 0 system, 1 European, 2 American, 3 Japanese
  std::uint8_t ErrorInfoStyle;                          // 29 0 omit, 1 question marks, 2 hyphens
  std::uint8_t ExportType;                              // 30 0 text, 1 plain HTML, 2 HTML table, 3 XLS
  std::uint8_t ErrorAction;                             // 31 0 discard, 1 prompt, 2 include
  std::uint8_t Delimiter;                               // 32 0 "," 1 "( )" 2 "[ ]" 3 "{ }" 4 spaces 5 tabs
  std::uint8_t CaptionMode;                             // 33
  std::uint8_t SortField;                               // 34 0..9
  std::uint8_t StartupLoad;                             // 35 0 nothing, 1 last saved, 2 StartupListFile
  std::uint8_t SizeStyle;                               // 36 0..4
  std::uint8_t PadFilenameTo;                           // 37 0 off, else 1..99
  std::uint8_t ViewerColorScheme;                       // 38 0 Windows, 1 Light, 2 Dark
  std::uint8_t ExistingEntries;                         // 39 0..3
  std::uint16_t AskSaveThreshold;                       // 40 0 never asks
  std::uint8_t CellSpacing;                             // 42
  std::uint8_t CellPadding;                             // 43
  std::uint8_t Border;                                  // 44
  std::uint8_t FadeMain;                                // 45
  std::uint8_t FadeViewer;                              // 46
  std::uint8_t FadeOptions;                             // 47
  std::int32_t MaxSizeMB;                               // 48 10..2048
  std::int32_t MinSizeKB;                               // 52 1..2000
  std::int32_t TableBgColor;                            // 56
  std::int32_t TableTextColor;                          // 60
  std::int32_t MainWindowColor;                         // 64
  std::int32_t OptionsWindowColor;                      // 68
  std::int32_t ViewerWindowColor;                       // 72
  std::int32_t ViewerColumnWidths[kViewerColumnCount];  // 76 element k for viewer column kind k-2
  OptionString TextHeaderFile;                          // 132
  OptionString TextFooterFile;                          // 388
  OptionString HtmlHeaderFile;                          // 644
  OptionString HtmlFooterFile;                          // 900
  OptionString StartupListFile;                         // 1156
  std::uint8_t ViewerFontSize;                          // 1412 points
  std::uint8_t TableFontSize;                           // 1413
  std::uint8_t CaptionFontSize;                         // 1414
  std::uint8_t ViewerFontCharset;                       // 1415
  std::uint8_t TableFontCharset;                        // 1416
  std::uint8_t CaptionFontCharset;                      // 1417
  OptionString ViewerFontName;                          // 1418
  OptionString TableFontName;                           // 1674
  OptionString CaptionFontName;                         // 1930
  std::uint8_t ViewerFontStyle;                         // 2186
  std::uint8_t TableFontStyle;                          // 2187
  std::uint8_t CaptionFontStyle;                        // 2188
};

// Last screen positions (left, top in pixels) of the windows, and the viewer's size.
struct WindowPlaces {
  std::int32_t MainLeft;       // 0
  std::int32_t MainTop;        // 4
  std::int32_t OptionsLeft;    // 8
  std::int32_t OptionsTop;     // 12
  std::int32_t AboutLeft;      // 16
  std::int32_t AboutTop;       // 20
  std::int32_t ImportLeft;     // 24
  std::int32_t ImportTop;      // 28
  std::int32_t DupSetupLeft;   // 32
  std::int32_t DupSetupTop;    // 36
  std::int32_t ViewerWidth;    // 40
  std::int32_t ViewerHeight;   // 44
  std::int32_t DupRunLeft;     // 48
  std::int32_t DupRunTop;      // 52
  std::int32_t CompRunLeft;    // 56
  std::int32_t CompRunTop;     // 60
  std::int32_t CompSetupLeft;  // 64
  std::int32_t CompSetupTop;   // 68
  std::int32_t ViewerLeft;     // 72
  std::int32_t ViewerTop;      // 76
  std::int32_t SkipMsgLeft;    // 80
  std::int32_t SkipMsgTop;     // 84
  std::int32_t CaptionLeft;    // 88
  std::int32_t CaptionTop;     // 92
  std::int32_t InsertLeft;     // 96
  std::int32_t InsertTop;      // 100
  std::int32_t LoadModeLeft;   // 104
  std::int32_t LoadModeTop;    // 108
  std::int32_t FindLeft;       // 112
  std::int32_t FindTop;        // 116
};

// Remembered choices of the other windows, dialog folders and a few file names. Folders
// hold "c:\" until the user picks one; ResolveDialogFolder maps that to the home folder.
struct DialogOptions {
  std::uint8_t ImportDateStyleFallback;         // 0 0 DateStyle, 1 prompt
  std::uint8_t ImportDateAddedFallback;         // 1 0 today, 1 blank
  std::uint8_t MatchPercent;                    // 2 50..100
  std::uint8_t MatchAction;                     // 3 0 automatic, 1 automatic at 99-100%, 2 manual
  std::uint8_t CompareAction;                   // 4 0..9
  std::uint8_t CompareWith;                     // 5 0 list file, 1 text list
  std::uint8_t InsertPosition;                  // 6 0..3
  std::uint8_t EditPosition;                    // 7 2..3
  std::uint8_t ImportFileType;                  // 8 0 own export, 1 other text list
  std::uint8_t AppendSort;                      // 9 0..3
  std::uint8_t ThreadPriority;                  // 10 0 low, 1 normal, 2 high
  std::uint8_t ViewerTotalTimeStyle;            // 11 0..3
  std::uint8_t ColorWindowChoice;               // 12 0 main, 1 viewer, 2 options
  std::uint8_t ImportCmf;                       // 13
  std::uint8_t ImportClab;                      // 14
  std::uint8_t ImportStripHeaderFooter;         // 15
  std::uint8_t ImportImap;                      // 16
  std::uint8_t AllowUnspecified;                // 17
  std::uint8_t SizeMayDiffer;                   // 18
  std::uint8_t TimeMayDiffer;                   // 19
  std::uint8_t MatchHighChars;                  // 20
  std::uint8_t BitrateMustMatch;                // 21
  std::uint8_t ViewerMaximized;                 // 22
  std::uint8_t MircLines;                       // 23
  std::uint8_t LoadAppend;                      // 24 0 replace, 1 merge
  std::uint8_t LoadModeDontShow;                // 25
  std::uint8_t FindMatchCase;                   // 26
  std::uint8_t LetterCheck;                     // 27
  std::uint8_t RememberCaption;                 // 28
  std::uint8_t FilterInvertedColors;            // 29
  std::uint8_t SearchAllDrives;                 // 30
  std::uint8_t IncludeSubfolders;               // 31
  std::uint8_t SkipFilterMsgDontShow;           // 32
  std::uint16_t SizeDiffKB;                     // 33
  std::uint16_t TimeDiffSec;                    // 35
  ColorString CustomColors[kCustomColorCount];  // 37 eight hex digits each, "00BBGGRR"
  std::uint8_t MainFontSize;                    // 181
  std::uint8_t MainFontCharset;                 // 182
  OptionString MainFontName;                    // 183
  std::uint8_t MainFontStyle;                   // 439
  OptionString LoadFolder;                      // 440
  OptionString SaveFolder;                      // 696
  OptionString ExportFolder;                    // 952
  OptionString ImportFolder;                    // 1208
  OptionString DupLogFolder;                    // 1464
  OptionString CompareSaveFolder;               // 1720
  OptionString CompareLoadFolder;               // 1976
  OptionString LastSavedList;                   // 2232
  OptionString InsertFolder;                    // 2488
  OptionString OptionsFolder;                   // 2744
  OptionString LastCaption;                     // 3000
  OptionString TextMsgFolder;                   // 3256
  OptionString HtmlMsgFolder;                   // 3512
  OptionString StartupListFolder;               // 3768
  OptionString LastScanFolder;                  // 4024
  OptionString CompareListFile;                 // 4280
  OptionString CompareSaveFile;                 // 4536
};

// The whole record, in file order.
struct AppOptions {
  MainOptions Main;
  WindowPlaces Places;
  DialogOptions Dialog;
};
#pragma pack(pop)

static_assert(std::endian::native == std::endian::little, "the option record is copied as a little-endian image");
static_assert(sizeof(OptionString) == 256 && sizeof(ColorString) == 9);

static_assert(std::is_trivially_copyable_v<MainOptions> && std::is_standard_layout_v<MainOptions>);
static_assert(std::is_trivially_copyable_v<WindowPlaces> && std::is_standard_layout_v<WindowPlaces>);
static_assert(std::is_trivially_copyable_v<DialogOptions> && std::is_standard_layout_v<DialogOptions>);
static_assert(std::is_trivially_copyable_v<AppOptions> && std::is_standard_layout_v<AppOptions>);
static_assert(sizeof(MainOptions) == kMainOptionsSize);
static_assert(sizeof(WindowPlaces) == kWindowPlacesSize);
static_assert(sizeof(DialogOptions) == kDialogOptionsSize);
static_assert(sizeof(AppOptions) == kConfigFileSize);
static_assert(offsetof(AppOptions, Main) == 0);
static_assert(offsetof(AppOptions, Places) == 2189);
static_assert(offsetof(AppOptions, Dialog) == 2309);

static_assert(offsetof(MainOptions, InfoTime) == 0);
static_assert(offsetof(MainOptions, InfoKbps) == 1);
static_assert(offsetof(MainOptions, HeaderRowTabs) == 2);
static_assert(offsetof(MainOptions, HeaderFromFile) == 3);
static_assert(offsetof(MainOptions, FooterFromFile) == 4);
static_assert(offsetof(MainOptions, InfoFrequency) == 5);
static_assert(offsetof(MainOptions, InfoSize) == 6);
static_assert(offsetof(MainOptions, InfoDateCreated) == 7);
static_assert(offsetof(MainOptions, InfoVolumeLabel) == 8);
static_assert(offsetof(MainOptions, InfoPath) == 9);
static_assert(offsetof(MainOptions, InfoStereo) == 10);
static_assert(offsetof(MainOptions, InfoDateAdded) == 11);
static_assert(offsetof(MainOptions, SortList) == 12);
static_assert(offsetof(MainOptions, Enumerate) == 13);
static_assert(offsetof(MainOptions, IncludeHiddenSystem) == 14);
static_assert(offsetof(MainOptions, SlowProcessing) == 15);
static_assert(offsetof(MainOptions, UseTextColor) == 16);
static_assert(offsetof(MainOptions, CenterArtistTitle) == 17);
static_assert(offsetof(MainOptions, SplitArtistTitle) == 18);
static_assert(offsetof(MainOptions, UseBgColor) == 19);
static_assert(offsetof(MainOptions, SortDescending) == 20);
static_assert(offsetof(MainOptions, StereoStyle) == 21);
static_assert(offsetof(MainOptions, SortCaseSensitive) == 22);
static_assert(offsetof(MainOptions, UseOwnHtmlTags) == 23);
static_assert(offsetof(MainOptions, ViewerManualColWidth) == 24);
static_assert(offsetof(MainOptions, ViewerSplitArtistTitle) == 25);
static_assert(offsetof(MainOptions, PlainHtmlStyled) == 26);
static_assert(offsetof(MainOptions, VbrStyle) == 27);
static_assert(offsetof(MainOptions, DateStyle) == 28);
static_assert(offsetof(MainOptions, ErrorInfoStyle) == 29);
static_assert(offsetof(MainOptions, ExportType) == 30);
static_assert(offsetof(MainOptions, ErrorAction) == 31);
static_assert(offsetof(MainOptions, Delimiter) == 32);
static_assert(offsetof(MainOptions, CaptionMode) == 33);
static_assert(offsetof(MainOptions, SortField) == 34);
static_assert(offsetof(MainOptions, StartupLoad) == 35);
static_assert(offsetof(MainOptions, SizeStyle) == 36);
static_assert(offsetof(MainOptions, PadFilenameTo) == 37);
static_assert(offsetof(MainOptions, ViewerColorScheme) == 38);
static_assert(offsetof(MainOptions, ExistingEntries) == 39);
static_assert(offsetof(MainOptions, AskSaveThreshold) == 40);
static_assert(offsetof(MainOptions, CellSpacing) == 42);
static_assert(offsetof(MainOptions, CellPadding) == 43);
static_assert(offsetof(MainOptions, Border) == 44);
static_assert(offsetof(MainOptions, FadeMain) == 45);
static_assert(offsetof(MainOptions, FadeViewer) == 46);
static_assert(offsetof(MainOptions, FadeOptions) == 47);
static_assert(offsetof(MainOptions, MaxSizeMB) == 48);
static_assert(offsetof(MainOptions, MinSizeKB) == 52);
static_assert(offsetof(MainOptions, TableBgColor) == 56);
static_assert(offsetof(MainOptions, TableTextColor) == 60);
static_assert(offsetof(MainOptions, MainWindowColor) == 64);
static_assert(offsetof(MainOptions, OptionsWindowColor) == 68);
static_assert(offsetof(MainOptions, ViewerWindowColor) == 72);
static_assert(offsetof(MainOptions, ViewerColumnWidths) == 76);
static_assert(offsetof(MainOptions, TextHeaderFile) == 132);
static_assert(offsetof(MainOptions, TextFooterFile) == 388);
static_assert(offsetof(MainOptions, HtmlHeaderFile) == 644);
static_assert(offsetof(MainOptions, HtmlFooterFile) == 900);
static_assert(offsetof(MainOptions, StartupListFile) == 1156);
static_assert(offsetof(MainOptions, ViewerFontSize) == 1412);
static_assert(offsetof(MainOptions, TableFontSize) == 1413);
static_assert(offsetof(MainOptions, CaptionFontSize) == 1414);
static_assert(offsetof(MainOptions, ViewerFontCharset) == 1415);
static_assert(offsetof(MainOptions, TableFontCharset) == 1416);
static_assert(offsetof(MainOptions, CaptionFontCharset) == 1417);
static_assert(offsetof(MainOptions, ViewerFontName) == 1418);
static_assert(offsetof(MainOptions, TableFontName) == 1674);
static_assert(offsetof(MainOptions, CaptionFontName) == 1930);
static_assert(offsetof(MainOptions, ViewerFontStyle) == 2186);
static_assert(offsetof(MainOptions, TableFontStyle) == 2187);
static_assert(offsetof(MainOptions, CaptionFontStyle) == 2188);

static_assert(offsetof(WindowPlaces, MainLeft) == 0);
static_assert(offsetof(WindowPlaces, MainTop) == 4);
static_assert(offsetof(WindowPlaces, OptionsLeft) == 8);
static_assert(offsetof(WindowPlaces, OptionsTop) == 12);
static_assert(offsetof(WindowPlaces, AboutLeft) == 16);
static_assert(offsetof(WindowPlaces, AboutTop) == 20);
static_assert(offsetof(WindowPlaces, ImportLeft) == 24);
static_assert(offsetof(WindowPlaces, ImportTop) == 28);
static_assert(offsetof(WindowPlaces, DupSetupLeft) == 32);
static_assert(offsetof(WindowPlaces, DupSetupTop) == 36);
static_assert(offsetof(WindowPlaces, ViewerWidth) == 40);
static_assert(offsetof(WindowPlaces, ViewerHeight) == 44);
static_assert(offsetof(WindowPlaces, DupRunLeft) == 48);
static_assert(offsetof(WindowPlaces, DupRunTop) == 52);
static_assert(offsetof(WindowPlaces, CompRunLeft) == 56);
static_assert(offsetof(WindowPlaces, CompRunTop) == 60);
static_assert(offsetof(WindowPlaces, CompSetupLeft) == 64);
static_assert(offsetof(WindowPlaces, CompSetupTop) == 68);
static_assert(offsetof(WindowPlaces, ViewerLeft) == 72);
static_assert(offsetof(WindowPlaces, ViewerTop) == 76);
static_assert(offsetof(WindowPlaces, SkipMsgLeft) == 80);
static_assert(offsetof(WindowPlaces, SkipMsgTop) == 84);
static_assert(offsetof(WindowPlaces, CaptionLeft) == 88);
static_assert(offsetof(WindowPlaces, CaptionTop) == 92);
static_assert(offsetof(WindowPlaces, InsertLeft) == 96);
static_assert(offsetof(WindowPlaces, InsertTop) == 100);
static_assert(offsetof(WindowPlaces, LoadModeLeft) == 104);
static_assert(offsetof(WindowPlaces, LoadModeTop) == 108);
static_assert(offsetof(WindowPlaces, FindLeft) == 112);
static_assert(offsetof(WindowPlaces, FindTop) == 116);

static_assert(offsetof(DialogOptions, ImportDateStyleFallback) == 0);
static_assert(offsetof(DialogOptions, ImportDateAddedFallback) == 1);
static_assert(offsetof(DialogOptions, MatchPercent) == 2);
static_assert(offsetof(DialogOptions, MatchAction) == 3);
static_assert(offsetof(DialogOptions, CompareAction) == 4);
static_assert(offsetof(DialogOptions, CompareWith) == 5);
static_assert(offsetof(DialogOptions, InsertPosition) == 6);
static_assert(offsetof(DialogOptions, EditPosition) == 7);
static_assert(offsetof(DialogOptions, ImportFileType) == 8);
static_assert(offsetof(DialogOptions, AppendSort) == 9);
static_assert(offsetof(DialogOptions, ThreadPriority) == 10);
static_assert(offsetof(DialogOptions, ViewerTotalTimeStyle) == 11);
static_assert(offsetof(DialogOptions, ColorWindowChoice) == 12);
static_assert(offsetof(DialogOptions, ImportCmf) == 13);
static_assert(offsetof(DialogOptions, ImportClab) == 14);
static_assert(offsetof(DialogOptions, ImportStripHeaderFooter) == 15);
static_assert(offsetof(DialogOptions, ImportImap) == 16);
static_assert(offsetof(DialogOptions, AllowUnspecified) == 17);
static_assert(offsetof(DialogOptions, SizeMayDiffer) == 18);
static_assert(offsetof(DialogOptions, TimeMayDiffer) == 19);
static_assert(offsetof(DialogOptions, MatchHighChars) == 20);
static_assert(offsetof(DialogOptions, BitrateMustMatch) == 21);
static_assert(offsetof(DialogOptions, ViewerMaximized) == 22);
static_assert(offsetof(DialogOptions, MircLines) == 23);
static_assert(offsetof(DialogOptions, LoadAppend) == 24);
static_assert(offsetof(DialogOptions, LoadModeDontShow) == 25);
static_assert(offsetof(DialogOptions, FindMatchCase) == 26);
static_assert(offsetof(DialogOptions, LetterCheck) == 27);
static_assert(offsetof(DialogOptions, RememberCaption) == 28);
static_assert(offsetof(DialogOptions, FilterInvertedColors) == 29);
static_assert(offsetof(DialogOptions, SearchAllDrives) == 30);
static_assert(offsetof(DialogOptions, IncludeSubfolders) == 31);
static_assert(offsetof(DialogOptions, SkipFilterMsgDontShow) == 32);
static_assert(offsetof(DialogOptions, SizeDiffKB) == 33);
static_assert(offsetof(DialogOptions, TimeDiffSec) == 35);
static_assert(offsetof(DialogOptions, CustomColors) == 37);
static_assert(offsetof(DialogOptions, MainFontSize) == 181);
static_assert(offsetof(DialogOptions, MainFontCharset) == 182);
static_assert(offsetof(DialogOptions, MainFontName) == 183);
static_assert(offsetof(DialogOptions, MainFontStyle) == 439);
static_assert(offsetof(DialogOptions, LoadFolder) == 440);
static_assert(offsetof(DialogOptions, SaveFolder) == 696);
static_assert(offsetof(DialogOptions, ExportFolder) == 952);
static_assert(offsetof(DialogOptions, ImportFolder) == 1208);
static_assert(offsetof(DialogOptions, DupLogFolder) == 1464);
static_assert(offsetof(DialogOptions, CompareSaveFolder) == 1720);
static_assert(offsetof(DialogOptions, CompareLoadFolder) == 1976);
static_assert(offsetof(DialogOptions, LastSavedList) == 2232);
static_assert(offsetof(DialogOptions, InsertFolder) == 2488);
static_assert(offsetof(DialogOptions, OptionsFolder) == 2744);
static_assert(offsetof(DialogOptions, LastCaption) == 3000);
static_assert(offsetof(DialogOptions, TextMsgFolder) == 3256);
static_assert(offsetof(DialogOptions, HtmlMsgFolder) == 3512);
static_assert(offsetof(DialogOptions, StartupListFolder) == 3768);
static_assert(offsetof(DialogOptions, LastScanFolder) == 4024);
static_assert(offsetof(DialogOptions, CompareListFile) == 4280);
static_assert(offsetof(DialogOptions, CompareSaveFile) == 4536);

}  // namespace ordonna
