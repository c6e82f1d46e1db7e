// The import command from the file choice to the finish. The entries are built in the
// secondary list and join the working list only at the end of a successful import, so no
// failure, cancel or exception can lose or change the list the user had.
#include "import/ImportList.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <iterator>
#include <limits>

#include "config/AppOptions.h"
#include "core/DayNumber.h"
#include "core/ListStore.h"
#include "core/Snapshot.h"
#include "core/Text.h"
#include "export/ExportJob.h"
#include "import/ColumnResolution.h"
#include "import/DateResolution.h"
#include "import/ForeignList.h"
#include "import/ImportMessages.h"
#include "import/LineParser.h"
#include "import/ListRecognition.h"
#include "listfile/OrdlFormat.h"
#include "platform/FileSystem.h"
#include "platform/InputFile.h"
#include "platform/MappedFile.h"

namespace ordonna {
namespace {

constexpr std::uint32_t kMillion = 1000000;
constexpr std::uint32_t kStatusEvery = 100;
constexpr std::uint32_t kBigListEvery = 50000;
constexpr std::uint32_t kLabelEventsEvery = 1024;
constexpr std::uint64_t kLargestFile = 2147483647;

// kbps / 8 of the constant bitrates 1..14: kilobytes per second.
constexpr std::array<std::int32_t, 15> kKilobytesPerSecond = {0, 4, 5, 6, 7, 8, 10, 12, 14, 16, 20, 24, 28, 32, 40};

std::string Num(std::uint64_t n) { return std::to_string(n); }

bool Has(const std::vector<ColumnCode>& order, ColumnCode code) {
  return std::find(order.begin(), order.end(), code) != order.end();
}

// Asks the header or footer question; false when the user cancels.
bool Proceed(StripProblem problem, bool header, Caller& caller) {
  if (problem == StripProblem::None) return true;
  std::string_view message;
  switch (problem) {
    case StripProblem::Missing: message = header ? import_text::kHeaderMissing : import_text::kFooterMissing; break;
    case StripProblem::Ratio: message = header ? import_text::kHeaderRatio : import_text::kFooterRatio; break;
    default: message = header ? import_text::kHeaderMismatch : import_text::kFooterMismatch; break;
  }
  const std::string text =
      std::string(message) + std::string(header ? import_text::kHeaderSuffix : import_text::kFooterSuffix);
  return caller.AskYesNo(text, import_text::kErrorTitle, Answer::Yes) == Answer::Yes;
}

[[nodiscard]] Status StripMessageFiles(std::string_view bytes, const AppOptions& options, RecognizedList& list,
                                       Caller& caller) {
  const MainOptions& main = options.Main;
  StripProblem problem = StripProblem::None;
  if (main.HeaderFromFile != 0 && !main.TextHeaderFile.Empty()) {
    const auto lines = ReadMessageFile(std::string(main.TextHeaderFile.View()));
    const std::string header = lines ? HeaderBytes(*lines) : std::string();
    if (Status status = StripHeader(bytes, header, list, problem); !status.ok()) return status;
    if (!Proceed(problem, true, caller)) return Status::Cancelled();
  }
  if (main.FooterFromFile != 0 && !main.TextFooterFile.Empty()) {
    const auto lines = ReadMessageFile(std::string(main.TextFooterFile.View()));
    const std::string footer = lines ? FooterBytes(*lines) : std::string();
    if (Status status = StripFooter(bytes, footer, list, problem); !status.ok()) return status;
    if (!Proceed(problem, false, caller)) return Status::Cancelled();
  }
  return Status::Ok();
}

// Fills the size from the play time or the play time from the size of constant-bitrate
// entries, when the list has a bitrate column and exactly one of the two.
void CalculateMissing(const std::vector<ColumnCode>& order, EntryList& list, Caller& caller) {
  const bool size = Has(order, ColumnCode::Size);
  const bool time = Has(order, ColumnCode::PlayTime);
  if (!Has(order, ColumnCode::Bitrate) || size == time) return;
  caller.SetStatus(std::string(import_text::kCalculatingMissing) +
                   std::string(size ? import_text::kMissingPlayTimes : import_text::kMissingSizes));
  for (ListEntry& entry : list.Entries()) {
    const std::uint8_t code = entry.BitrateCode;
    if (code < 1 || code > 14) continue;
    const std::int32_t rate = kKilobytesPerSecond[code];
    if (size && entry.SizeKB >= 0) {
      const std::int32_t seconds = entry.SizeKB / rate;
      entry.Frames = static_cast<std::int32_t>(std::lround(seconds / SecondsPerFrame(entry.FrequencyCode)));
    } else if (!size && entry.Frames >= 0) {
      const std::int64_t kilobytes = PlayTimeSeconds(entry) * rate;
      entry.SizeKB =
          kilobytes > std::numeric_limits<std::int32_t>::max() ? kNumberUnknown : static_cast<std::int32_t>(kilobytes);
    }
  }
}

// The label of the fixed-disk volume whose mount point is the longest prefix of the folder.
void AddFixedDiskLabels(const std::vector<Volume>& volumes, EntryList& list, Caller& caller) {
  caller.SetStatus(import_text::kAddingLabels);
  std::uint32_t index = 0;
  for (ListEntry& entry : list.Entries()) {
    if (++index % kLabelEventsEvery == 0) caller.ProcessEvents();
    const std::string_view folder = entry.Folder.View();
    const Volume* best = nullptr;
    for (const Volume& volume : volumes) {
      const std::string_view root = volume.Root;
      const bool inside = folder.substr(0, root.size()) == root &&
                          (root == "/" || folder.size() == root.size() || folder[root.size()] == '/');
      if (inside && (best == nullptr || root.size() > best->Root.size())) best = &volume;
    }
    if (best != nullptr && !best->Label.empty()) entry.VolumeLabel.Set(best->Label);
  }
}

// The field of the date column of a line, for the message about an impossible date.
std::string DateFieldOf(std::string_view lines, std::uint32_t lineNumber, LineParser& parser) {
  std::size_t pos = 0;
  for (std::uint32_t n = 1; n < lineNumber && pos < lines.size(); ++n) {
    const std::size_t next = lines.find('\n', pos);
    pos = next == std::string_view::npos ? lines.size() : next + 1;
  }
  std::string_view line = lines.substr(pos, std::min(lines.find('\n', pos), lines.size()) - pos);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (!parser.SplitFromRight(line, lineNumber).ok()) return {};
  const std::vector<ColumnCode>& order = parser.Layout().Order;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == ColumnCode::DateCreated || order[i] == ColumnCode::DateAdded) {
      DateTable probe;
      if (!probe.ParseDate(parser.Field(i), DateSlot::Created, 0, lineNumber) || !probe.Empty()) {
        return parser.Field(i);
      }
    }
  }
  return {};
}

// The lines the parser reads; empty ones (a lone CR included) are skipped.
std::size_t LinesWithContent(std::string_view lines) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (pos < lines.size()) {
    std::size_t end = lines.find('\n', pos);
    if (end == std::string_view::npos) end = lines.size();
    if (end - pos > 1 || (end - pos == 1 && lines[pos] != '\r')) ++count;
    pos = end + 1;
  }
  return count;
}

void IntegrateSecondary(ListStore& list, bool append) {
  EntryList& secondary = list.Secondary();
  if (!append) {
    std::swap(list.Working(), secondary);
  } else {
    for (const ListEntry& entry : secondary.Entries()) list.AppendEntry(entry);
  }
  secondary.Clear();
}

// Every 100 entries the status and a chance to cancel; every 50,000 the question whether
// to go on.
Status ReportProgress(std::uint32_t count, Caller& caller) {
  if (count % kStatusEvery == 0) {
    caller.SetStatus(std::string(import_text::kImported) + Num(count) + std::string(import_text::kItemsSoFar));
    caller.ProcessEvents();
    if (!caller.Running()) return Status::Cancelled();
  }
  if (count % kBigListEvery == 0) {
    const std::string question =
        std::string(import_text::kBigListQuestion) + Num(count) + std::string(import_text::kBigListQuestionEnd);
    if (caller.AskYesNo(question, import_text::kBigListTitle, Answer::Yes) != Answer::Yes) return Status::Cancelled();
  }
  return Status::Ok();
}

// Where the list lies in the file: recognised by its tag, without the header and footer
// files a text list was written with.
Status LocateList(std::string_view bytes, const AppOptions& options, RecognizedList& list, Caller& caller) {
  if (Status status = RecognizeList(bytes, list); !status.ok()) return status;
  if (list.Kind == ImportKind::Text && options.Dialog.ImportStripHeaderFooter != 0) {
    if (Status status = StripMessageFiles(bytes, options, list, caller); !status.ok()) return status;
  }
  if (list.Start >= list.End) return Status::Invalid(import_text::kOverlap);
  return Status::Ok();
}

// The lines of a list and how they are laid out.
struct ListLines {
  std::string Converted;  // an HTML list converted into lines
  std::string_view Text;  // the lines: Converted, or a text list where it lies
  LineLayout Layout;
  ImportedFields Fields;
  bool SkipTitleRow = false;
};

// A text list's columns are worked out from its content; an HTML list's come from its tag,
// and its markup is converted into lines.
Status PrepareLines(std::string_view bytes, const RecognizedList& list, const std::string& localeDateFormat,
                    Caller& caller, ListLines& out) {
  LineLayout& layout = out.Layout;
  if (list.Kind == ImportKind::Text) {
    out.Text = bytes.substr(list.Start, list.End - list.Start);
    ResolvedColumns columns;
    if (Status status = ResolveColumns(out.Text, localeDateFormat, caller, columns); !status.ok()) return status;
    out.Fields = columns.Fields;
    layout.Order = columns.Order;
    layout.DelimiterCode = columns.DelimiterCode;
    out.SkipTitleRow = columns.TitleRow;
  } else {
    const ImportedFields& fields = list.Fields;
    out.Fields = fields;
    layout.Order = ColumnOrderOf(fields, list.CaptionStyle);
    layout.DelimiterCode = fields.Delimiter;
    layout.HtmlTable = list.Kind == ImportKind::HtmlTable;
    layout.SplitArtistTitle = fields.SplitArtistTitle;
    // A plain page written with spaces or tabs gets tabs for its delimiters in conversion.
    if (list.Kind == ImportKind::PlainHtml && fields.Delimiter >= 4) layout.DelimiterCode = kDelimiterTab;
    const bool captionColumn =
        (list.CaptionStyle == '7' && !fields.Path) || (list.CaptionStyle == '9' && !fields.VolumeLabel);
    if (Status status = ConvertList(bytes, list, captionColumn, layout.Order.size() - 1, out.Converted); !status.ok()) {
      return status;
    }
    out.Text = out.Converted;
  }
  layout.Enumerated = out.Fields.Enumerate;
  return Status::Ok();
}

std::array<bool, 10> IncludedFields(const ImportedFields& fields) {
  return {fields.Enumerate || fields.NumberColumn,
          fields.Time,
          fields.Kbps,
          fields.Size,
          fields.Stereo,
          fields.Frequency,
          fields.DateCreated,
          fields.Path,
          fields.DateAdded,
          fields.VolumeLabel};
}

// One entry per line with content, up to the million entries a list may hold (`existing`
// already in the target list count towards them).
Status ReadLines(const ListLines& lines, LineParser& parser, std::uint32_t existing, EntryList& into, Caller& caller) {
  // Room for every line at once spares a big list the copies of its growth (a quarter of a
  // million entries are 140 MB) and the final trim.
  const std::size_t room = existing >= kMillion ? 0 : kMillion - existing;
  std::size_t expected = LinesWithContent(lines.Text);
  if (lines.SkipTitleRow && expected > 0) --expected;
  into.SetCapacity(std::min(expected, room));

  const std::string_view text = lines.Text;
  std::uint32_t lineNumber = 0;
  ListEntry entry{};
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || (lines.SkipTitleRow && lineNumber == 1)) continue;
    if (static_cast<std::uint64_t>(existing) + into.ItemCount() >= kMillion) {
      caller.ShowMessage(import_text::kMillion, import_text::kWarningTitle, MessageKind::Warning);
      break;
    }
    if (Status status = parser.ParseImportLine(line, lineNumber, into.ItemCount(), entry); !status.ok()) {
      return status;
    }
    into.AppendEntry(entry);
    if (Status status = ReportProgress(into.ItemCount(), caller); !status.ok()) return status;
  }
  into.Trim();
  return Status::Ok();
}

// The day/month/year order of the dates read, then the dates themselves.
Status ResolveImportedDates(const ListLines& lines, const AppOptions& options, const ImportEnvironment& environment,
                            DateTable& dates, LineParser& parser, EntryList& into, Caller& caller) {
  caller.SetStatus(import_text::kExaminingDates);
  caller.ProcessEvents();
  if (!caller.Running()) return Status::Cancelled();
  const DateResolution resolution = ResolveDateOrder(dates.Roles(),
                                                     {lines.Fields.DateStyle, options.Dialog.ImportDateStyleFallback,
                                                      options.Main.DateStyle, environment.LocaleDateFormat},
                                                     caller);
  switch (resolution.Outcome) {
    case DateOutcome::Cancelled: return Status::Cancelled();
    case DateOutcome::Failed: return Status::Invalid(resolution.Error);
    case DateOutcome::LeaveUnknown: ClearDates(dates, into, 0); return Status::Ok();
    case DateOutcome::Resolved: break;
  }
  std::uint32_t badLine = 0;
  if (!ConvertDates(dates, resolution.Order, into, 0, badLine)) {
    const std::string message = std::string(import_text::kInvalidDate) + Num(badLine) +
                                std::string(import_text::kFieldShowSomeOf) +
                                std::string(CutToCapacity(DateFieldOf(lines.Text, badLine, parser), 48));
    return Status::Invalid(CutToCapacity(message, 255));
  }
  return Status::Ok();
}

}  // namespace

ImportEnvironment HostImportEnvironment(Platform& platform) {
  ImportEnvironment environment{platform.TempFolder(), platform.ShortDateFormat(), TodayDayNumber(), {}};
  for (Volume& volume : platform.Volumes()) {
    if (platform.IsFixedDisk(volume)) environment.FixedVolumes.push_back(std::move(volume));
  }
  return environment;
}

std::optional<std::string> ImportFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::nullopt;
  std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
  if (folder.size() >= 256) return std::nullopt;
  return folder;
}

Status ReadExportedList(std::string_view bytes, const AppOptions& options, const ImportEnvironment& environment,
                        std::uint32_t existing, EntryList& into, ParsedList& parsed, Caller& caller) {
  into.Clear();
  parsed = ParsedList{};
  bytes = WithoutLeadingMarks(bytes);
  RecognizedList list;
  if (Status status = LocateList(bytes, options, list, caller); !status.ok()) return status;
  ListLines lines;
  if (Status status = PrepareLines(bytes, list, environment.LocaleDateFormat, caller, lines); !status.ok()) {
    return status;
  }
  lines.Layout.DateAddedFallback = options.Dialog.ImportDateAddedFallback;
  lines.Layout.Today = environment.Today;
  parsed.Tagged = list.Kind != ImportKind::Text;
  parsed.SortState = parsed.Tagged ? lines.Fields.SortState : kNoSortOrder;
  parsed.Included = IncludedFields(lines.Fields);

  DateTable dates;
  LineParser parser(lines.Layout, dates);
  if (Status status = ReadLines(lines, parser, existing, into, caller); !status.ok()) return status;
  const std::vector<ColumnCode>& order = lines.Layout.Order;
  if (options.Dialog.ImportCmf != 0) CalculateMissing(order, into, caller);
  if (options.Dialog.ImportClab != 0 && Has(order, ColumnCode::Path) && !Has(order, ColumnCode::VolumeLabel)) {
    AddFixedDiskLabels(environment.FixedVolumes, into, caller);
  }
  if (dates.Empty()) return Status::Ok();
  return ResolveImportedDates(lines, options, environment, dates, parser, into, caller);
}

namespace {

// True when the file at `path` starts with the list-file signature: a saved list, which is
// loaded, never imported as text.
bool IsListFile(const std::string& path) {
  InputFile file;
  std::array<std::uint8_t, kOrdlSignature.size()> start{};
  std::size_t got = 0;
  return file.Open(path).ok() && file.ReadAt(0, start.data(), start.size(), got).ok() && got == start.size() &&
         std::equal(start.begin(), start.end(), kOrdlSignature.begin());
}

// The backup of the list could not be written: the temporary folder and the system's reason
// (the end of the failure's detail, in brackets), not the output's disk, are at fault.
std::string TempFolderError(const std::string& folder, const Status& status) {
  const std::string& detail = status.detail();
  const std::size_t open = detail.rfind(" (");
  const std::string reason =
      open != std::string::npos && detail.back() == ')' ? detail.substr(open + 2, detail.size() - open - 3) : detail;
  return std::string(import_text::kTempFolderError) + "\r\n" + folder + "\r\n(" + reason + ")";
}

// The steps of one import; the caller's list is changed only by Finish on success.
class ImportRun {
 public:
  ImportRun(ListStore& list, AppOptions& options, const ImportEnvironment& environment, ImportHost& host,
            Caller& caller)
      : list_(list), options_(options), environment_(environment), host_(host), caller_(caller) {}

  ImportResult Run() {
    const bool append = options_.Dialog.ImportImap != 0;
    if (!append && !ConfirmDiscard(list_, options_.Main.AskSaveThreshold, caller_)) return {};
    const bool foreign = options_.Dialog.ImportFileType == 1;
    ImportDialogRequest request{std::string(import_text::kDialogTitle),
                                std::string(foreign ? import_text::kFiltersForeign : import_text::kFiltersOwn),
                                foreign ? 2 : 3, std::string(options_.Dialog.ImportFolder.View())};
    path_ = host_.ChooseImportFile(request);
    if (path_.empty()) return {};
    const std::size_t dot = path_.rfind('.');
    if (dot != std::string::npos && path_.substr(dot + 1) == "xls") {
      caller_.ShowMessage(import_text::kNoXls, import_text::kWarningTitle, MessageKind::Warning);
      return {};
    }
    if (std::optional<std::string> folder = ImportFolderOf(path_)) options_.Dialog.ImportFolder.Set(*folder);
    if (IsListFile(path_)) {
      caller_.ShowMessage(import_text::kListFileNotImported, import_text::kWarningTitle, MessageKind::Warning);
      caller_.SetStatus(import_text::kImportFailed);
      return {ImportOutcome::Failed, 0};
    }
    countBefore_ = list_.ItemCount();
    append_ = append;

    ImportResult result;
    try {
      result = foreign ? ImportForeign() : ImportOwn();
    } catch (const std::exception&) {
      list_.Secondary().Clear();
      caller_.ShowMessage(import_text::kUnknownException, import_text::kWarningTitle, MessageKind::Warning);
      caller_.SetStatus(import_text::kImportFailed);
      RemoveBackup();
      return {ImportOutcome::Failed, 0};
    }
    RemoveBackup();
    if (result.Outcome != ImportOutcome::Imported) {
      list_.Secondary().Clear();
      const std::uint32_t count = list_.ItemCount();
      caller_.SetStatus(count > 0 ? std::string(import_text::kCancelledWithCount) + Num(count) +
                                        std::string(import_text::kItems)
                                  : std::string(import_text::kImportCancelled));
    }
    return result;
  }

 private:
  ImportResult ImportForeign() {
    const ForeignTextResult read = ReadForeign();
    if (!read.Ok) {
      caller_.SetStatus(import_text::kImportFailed);
      return {ImportOutcome::Failed, 0};
    }
    IntegrateSecondary(list_, append_);
    list_.SortState = kNoSortOrder;
    list_.Unsaved = true;
    return {ImportOutcome::Imported, read.Imported};
  }

  ForeignTextResult ReadForeign() {
    ForeignTextOptions foreignOptions;
    foreignOptions.MircLines = options_.Dialog.MircLines != 0;
    if (append_ && countBefore_ > 0) foreignOptions.TotalBase = countBefore_;
    return ImportForeignText(path_, foreignOptions, list_.Secondary(), caller_);
  }

  ImportResult ImportOwn() {
    caller_.SetStatus(import_text::kImporting);
    // Mapped rather than read: a list of a quarter of a million entries is 160 MB of HTML.
    MappedFile file;
    if (!file.Open(path_) || file.Bytes().size() > kLargestFile) {
      const bool tooLarge = !file.Bytes().empty() && file.Bytes().size() > kLargestFile;
      caller_.ShowMessage(tooLarge ? import_text::kTooLarge : import_text::kDiskError, import_text::kWarningTitle,
                          MessageKind::Warning);
      return {ImportOutcome::Failed, 0};
    }
    const std::string_view bytes(reinterpret_cast<const char*>(file.Bytes().data()), file.Bytes().size());
    if (bytes.size() < kMinimumListSize) {
      caller_.ShowMessage(import_text::kTooSmall, import_text::kWarningTitle, MessageKind::Warning);
      return {ImportOutcome::Failed, 0};
    }
    // The list as it was, on disk while the import runs (the program's folder is cleaned of
    // such files at close).
    backupPath_ = environment_.TempFolder + "/" + std::string(temp_file::kImportBackup);
    if (Status saved = WriteSnapshotFile(backupPath_, list_.Working().Entries()); !saved.ok()) {
      caller_.ShowMessage(TempFolderError(environment_.TempFolder, saved), import_text::kWarningTitle,
                          MessageKind::Warning);
      return {ImportOutcome::Failed, 0};
    }

    ParsedList parsed;
    const std::uint32_t existing = append_ ? countBefore_ : 0;
    Status status = ReadExportedList(bytes, options_, environment_, existing, list_.Secondary(), parsed, caller_);
    // The file was cut short while it was read: what came of it cannot be trusted.
    if (status.ok() && file.Vanished()) status = Status::Invalid(import_text::kDiskError);
    if (status.code() == Status::Code::Cancelled) return {ImportOutcome::Cancelled, 0};
    if (!status.ok()) return FailureDialog(status.message());

    const std::uint32_t imported = list_.Secondary().ItemCount();
    IntegrateSecondary(list_, append_);
    const std::uint32_t total = list_.ItemCount();
    std::string done = std::string(import_text::kImported) + Num(imported);
    if (append_ && countBefore_ > 0) done += std::string(import_text::kTotal) + Num(total);
    caller_.SetStatus(done + std::string(import_text::kItems));
    AskAboutIncludedFields(parsed.Included);
    // A tagged list appended to other entries no longer has the tag's order.
    list_.SortState = parsed.Tagged && !(append_ && countBefore_ > 0) ? parsed.SortState : kNoSortOrder;
    list_.Unsaved = true;
    return {ImportOutcome::Imported, imported};
  }

  ImportResult FailureDialog(const std::string& error) {
    list_.Secondary().Clear();
    const std::string question = std::string(import_text::kFailureStart) + error +
                                 std::string(import_text::kFailureEnd) + std::string(import_text::kFallbackQuestion);
    if (caller_.AskYesNo(question, import_text::kFailedTitle, Answer::No) != Answer::Yes) {
      return {ImportOutcome::Failed, 0};
    }
    return ImportForeign();
  }

  void AskAboutIncludedFields(const std::array<bool, 10>& included) {
    MainOptions& m = options_.Main;
    std::array<std::uint8_t*, 10> flags = {&m.Enumerate,     &m.InfoTime,       &m.InfoKbps,        &m.InfoSize,
                                           &m.InfoStereo,    &m.InfoFrequency,  &m.InfoDateCreated, &m.InfoPath,
                                           &m.InfoDateAdded, &m.InfoVolumeLabel};
    bool differ = false;
    for (std::size_t i = 0; i < flags.size(); ++i) differ |= (*flags[i] != 0) != included[i];
    if (!differ) return;
    if (caller_.AskYesNo(import_text::kOptionsQuestion, import_text::kOptionsTitle, Answer::No) != Answer::Yes) return;
    for (std::size_t i = 0; i < flags.size(); ++i) *flags[i] = included[i] ? 1 : 0;
  }

  void RemoveBackup() {
    if (!backupPath_.empty()) (void)RemoveFile(backupPath_);
  }

  ListStore& list_;
  AppOptions& options_;
  const ImportEnvironment& environment_;
  ImportHost& host_;
  Caller& caller_;
  std::string path_;
  std::string backupPath_;
  std::uint32_t countBefore_ = 0;
  bool append_ = false;
};

}  // namespace

ImportResult ImportList(ListStore& list, AppOptions& options, const ImportEnvironment& environment, ImportHost& host,
                        Caller& caller) {
  return ImportRun(list, options, environment, host, caller).Run();
}

}  // namespace ordonna
