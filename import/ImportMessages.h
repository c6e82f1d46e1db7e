// The texts the import shows, word for word; several are shared by its steps and its tests
// compare against their own copies.
#pragma once

#include <string_view>

namespace ordonna::import_text {

inline constexpr std::string_view kDialogTitle = " - Choose text or html list to import - ";
inline constexpr std::string_view kFiltersOwn =
    "Text files|*.txt|Html files|*.html;*.htm|Text and html files|*.txt;*.htm;*.html|All files|*.*";
inline constexpr std::string_view kFiltersForeign = "Text files|*.txt|All files|*.*";
inline constexpr std::string_view kNoXls = "Sorry, XLS files can not be imported.";
inline constexpr std::string_view kImportFailed = "Import failed.";
inline constexpr std::string_view kImporting = "Importing, please wait...";
inline constexpr std::string_view kDiskError = "Disk error";
inline constexpr std::string_view kListFileNotImported =
    "This file is an ORDL list, not a text or html list.\r\nLoad it instead of importing it.";
inline constexpr std::string_view kTempFolderError = "Can't write the backup of the list in the temporary folder";
inline constexpr std::string_view kTooLarge = "File too large. Must be below 2 Gb.";
inline constexpr std::string_view kTooSmall = "Can't import files smaller than 512 bytes!";
inline constexpr std::string_view kUnknownError4 = "unknown error 4.";
inline constexpr std::string_view kImportCancelled = "Import cancelled.";
// "Imported n items." or "Imported n, total t items." at the end; "Imported n items so far..."
// while the lines are read; "Import cancelled. n items." after a failure.
inline constexpr std::string_view kImported = "Imported ";
inline constexpr std::string_view kTotal = ", total ";
inline constexpr std::string_view kItems = " items.";
inline constexpr std::string_view kItemsSoFar = " items so far...";
inline constexpr std::string_view kCancelledWithCount = "Import cancelled. ";

inline constexpr std::string_view kTableTagUndecodable =
    "Unable to decode ORDL specific info tag in this file\r\nwhich appears to be a HTML table list.";
inline constexpr std::string_view kTableRowEndMissing =
    "Found ORDL specific info tag in this HTML list,\r\nbut can't find ORDL specific table row closing tag.";
inline constexpr std::string_view kTableEndMissing =
    "Specific ORDL table closing tag not found in this file\r\nwhich appears to be a HTML table list.";
inline constexpr std::string_view kPlainTagUndecodable =
    "Unable to decode ORDL specific info tag in this file\r\nwhich appears to be a plain HTML list.";
inline constexpr std::string_view kPlainEndMissing =
    "Specific ORDL file closing tag not found in this file\r\nwhich appears to be a plain HTML list.";

inline constexpr std::string_view kHeaderSuffix = ".\r\nPress OK to attempt to process without header file...";
inline constexpr std::string_view kFooterSuffix = ".\r\nPress OK to attempt to process without footer file...";
inline constexpr std::string_view kHeaderMissing = "Header file not found or zero length";
inline constexpr std::string_view kHeaderRatio = "Size ratio of header and list file invalid";
inline constexpr std::string_view kHeaderMismatch = "Current header file not matched";
inline constexpr std::string_view kFooterMissing = "Footer file not found or zero length";
inline constexpr std::string_view kFooterRatio = "Size ratio of footer and list file invalid";
inline constexpr std::string_view kFooterMismatch = "Current footer file not matched";
inline constexpr std::string_view kErrorTitle = "error";
inline constexpr std::string_view kNoLineBreakAfterHeader = "Invalid format (CRLF's missing after header text).";
inline constexpr std::string_view kNoLineBreakBeforeFooter = "Invalid format (CRLF's missing before footer text).";
inline constexpr std::string_view kOverlap = "Header/footer overlap.";

inline constexpr std::string_view kTitleRowTooLong = "Html table first row (containing field titles) too long.";
inline constexpr std::string_view kBadTableEnd =
    "Invalid end of table code.\r\nProbably footer file mismatch or invalid caption.";

inline constexpr std::string_view kMillion =
    "A million items! Wow! Sorry, no more please.\r\nImport will stop now. Existing items will be kept.";
inline constexpr std::string_view kWarningTitle = "Warning";
// The question every 50,000 lines: these two around the count.
inline constexpr std::string_view kBigListQuestion = "Note: you have successfully imported\r\n";
inline constexpr std::string_view kBigListQuestionEnd = " items so far. Continue?";
inline constexpr std::string_view kBigListTitle = "WARNING!";
// The failure dialog: these two around the error, then kFallbackQuestion.
inline constexpr std::string_view kFailureStart = "ERROR!\r\n\n";
inline constexpr std::string_view kFailureEnd = "\r\n\n";
inline constexpr std::string_view kFailedTitle = "import failed";
inline constexpr std::string_view kFallbackQuestion = "Import as other (non-ORDL) type text file?";
inline constexpr std::string_view kUnknownException = "Unknown error. Import failed.\r\nProbably not a ORDL file.";
inline constexpr std::string_view kOptionsTitle = "options";
inline constexpr std::string_view kOptionsQuestion =
    "Options loaded differ from those set in main options window.\r\nThis may cause confusion if you use internal "
    "viewer now, in\r\ncases when some displayed fields are not imported and/or\r\nsome imported fields are not "
    "displayed.\r\n\nDo you wish to adjust \"info to include\" options to\r\nthe imported file?  Note that default "
    "action is NO.";
// "Calculating missing " and what is missing.
inline constexpr std::string_view kCalculatingMissing = "Calculating missing ";
inline constexpr std::string_view kMissingPlayTimes = "playtimes...";
inline constexpr std::string_view kMissingSizes = "file sizes...";
inline constexpr std::string_view kAddingLabels = "Adding fixed disks labels...";
inline constexpr std::string_view kExaminingDates = "Examining dates...";

inline constexpr std::string_view kDateOrderUnknown = "Can't figure day/month/year order in date fields.";
inline constexpr std::string_view kDatesNotValid =
    "Date doesn't appear to be valid in this list.\r\nYou can leave the dates unknown (press OK) or cancel.";
inline constexpr std::string_view kDatesNotValidTitle = "import succeeded except for the dates";
inline constexpr std::string_view kDayBeforeMonth =
    "Two fields in your date(s) can't be resolved.\r\nDoes day go before month?\r\n(press No if opposite)";
inline constexpr std::string_view kPromptTitle = "prompt";

// Line parsing. A message names the line (counted from 1) and shows the start of the line or
// field after one of these tails.
inline constexpr std::string_view kShowSomeOfLine = ".\r\nDisplaying [some of] it:\r\n";
inline constexpr std::string_view kShowFirst64 = ".\r\nDisplaying first 64 characters:\r\n";
inline constexpr std::string_view kFieldShowSomeOf = "). Displaying [some of] it:\r\n";
inline constexpr std::string_view kFieldShowFirst64 = "). Displaying first 64 characters:\r\n";
// "Line n too long (length bytes) found" and kShowFirst64.
inline constexpr std::string_view kLine = "Line ";
inline constexpr std::string_view kTooLongLength = " too long (";
inline constexpr std::string_view kBytesFound = " bytes) found";
inline constexpr std::string_view kTooShortLine = "Too short line found. Content:\r\n";
inline constexpr std::string_view kTooManyDelimiters = "Too many delimiters in the line ";
inline constexpr std::string_view kTooFewDelimiters = "Invalid no. of delimiters in the line ";
inline constexpr std::string_view kFieldTooLong = "A field seems to be too long in the line ";
inline constexpr std::string_view kTableEnumeration = "Invalid enumeration in this HTML table file.";
inline constexpr std::string_view kPeriodMissing = "Invalid enumeration (period missing).";
// Then the line number and kShowSomeOfField.
inline constexpr std::string_view kNotSplit =
    "Although this seemed to be artist-title split HTML list,\r\nlooks like not all lines are split (line ";
inline constexpr std::string_view kShowSomeOfField = ").\r\nDisplaying [some of] this field:\r\n";
// Then the line number and kFieldShowSomeOf, or kFieldShowFirst64 for names and paths.
inline constexpr std::string_view kFileNameTooLong = "Filename too long (line ";
inline constexpr std::string_view kNoTimeColon = "Semicolon not found in the time field (line ";
inline constexpr std::string_view kBadMinutes = "Can't read minutes (line ";
inline constexpr std::string_view kBadSeconds = "Can't read seconds (line ";
inline constexpr std::string_view kBadSize = "Can't read filesize (line ";
inline constexpr std::string_view kBadStereo = "Can't read stereo mode (line ";
inline constexpr std::string_view kBadFrequency = "Can't read the frequency (line ";
inline constexpr std::string_view kInvalidDate = "Invalid date (line ";
inline constexpr std::string_view kPathTooLong = "Path too long (line ";
// Then the line number and kLabelShowFirst64.
inline constexpr std::string_view kLabelTooLong = "Label too long (line ";
inline constexpr std::string_view kLabelShowFirst64 = ").\r\nDisplaying first 64 characters:\r\n";
inline constexpr std::string_view kUnknownError2 = "Unknown error 2.";

// Column resolution.
inline constexpr std::string_view kFileTooSmall = "File too small to determine the options.";
// "Line too long (length bytes" and kFieldShowFirst64.
inline constexpr std::string_view kSampleLineTooLong = "Line too long (";
inline constexpr std::string_view kBytes = " bytes";
inline constexpr std::string_view kPossiblySpaces = "Unable to resolve delimiters. Possibly spaces.";
inline constexpr std::string_view kVariableTabs = "Variable number of tabs per line.";
inline constexpr std::string_view kNotOrdl = "Not a ORDL file, or unable to import text file.";
inline constexpr std::string_view kMixedEnumeration = "Some lines are enumerated while others are not.";
inline constexpr std::string_view kSampleFieldTooLong =
    "This field seems to be too long (>255 characters). Displaying first 64:\r\n";
inline constexpr std::string_view kTwoPaths = "More than one field with backslash found.";
inline constexpr std::string_view kTwoShortStereo = "More than one field with short stereo info found.";
inline constexpr std::string_view kTwoLongStereo = "More than one field with long stereo info found.";
inline constexpr std::string_view kTwoFrequencies = "More than one field with frequency info found.";
inline constexpr std::string_view kTwoBitrates = "More than one field with kbps info found.";
inline constexpr std::string_view kTwoTimes = "More than one field with semicolon (min:sec) found.";
inline constexpr std::string_view kTwoNumbers = "More than one number with period found (invalid enumeration).";
inline constexpr std::string_view kFreeColumns = " free formatted columns found (must be 1 or 2, for title/label).";
inline constexpr std::string_view kOneDateQuestion =
    "One date found, unable to determine if\r\nit's \"created\" or \"added to the list\".\r\n\nIs it \"CREATED\"? "
    "(press No for \"ADDED\")";
inline constexpr std::string_view kOneDateTitle = "text import";

}  // namespace ordonna::import_text
