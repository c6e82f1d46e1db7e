// The export command and its steps.
#include "export/ExportCommand.h"

#include <exception>

#include "config/AppOptions.h"
#include "config/RememberedFolder.h"
#include "core/Caller.h"
#include "core/ListStore.h"
#include "core/Sort.h"
#include "core/Text.h"
#include "export/ExportMessages.h"
#include "export/TextExport.h"
#include "export/XlsExport.h"
#include "platform/OutputFile.h"

namespace ordonna {
namespace {

constexpr std::string_view kDialogTitle = " - EXPORT THE LIST AS - ";
constexpr std::string_view kDialogFilter = "Txt files|*.txt|Html files|*.html;*.htm|Excel files|*.xls|All files|*.*";

// The sort field of a SortState byte lives in its low six bits.
bool SortedByPathOrLabel(std::uint8_t sortState) {
  const std::uint8_t field = sortState & 63u;
  return field == kSortPath || field == kSortVolumeLabel;
}

std::string_view BaseName(std::string_view path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view ExportTypeName(std::uint8_t exportType) {
  switch (exportType) {
    case 0: return "a text file";
    case 1:
    case 2: return "a html file";
    case 3: return "an excel file";
    default: return "a ? file";
  }
}

std::string TypeQuestionText(std::uint8_t exportType, std::string_view extension, std::string_view onNo) {
  return std::string(export_text::kTypeQuestionStart) + std::string(ExportTypeName(exportType)) + " under " +
         std::string(extension) + " filename.\r\n\n" + std::string(export_text::kTypeQuestionYes) +
         "\r\nNO = save as " + std::string(onNo);
}

bool IsSpaceOrZero(char c) { return c == ' ' || c == '\0'; }

Status DiskError(const Status& cause) { return Status::IoError(export_text::kDiskError, cause.detail()); }

}  // namespace

bool CaptionInputNeeded(const AppOptions& options, ExportType type, std::uint8_t sortState) {
  if (type != ExportType::HtmlTable) return false;
  const std::uint8_t mode = options.Main.CaptionMode;
  return mode == 3 || (mode == 2 && !SortedByPathOrLabel(sortState));
}

std::string InitialCaption(const AppOptions& options) {
  return options.Dialog.RememberCaption != 0 ? std::string(options.Dialog.LastCaption.View()) : std::string();
}

void AcceptCaption(AppOptions& options, std::string_view text, bool remember) {
  while (!text.empty() && IsSpaceOrZero(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceOrZero(text.back())) text.remove_suffix(1);
  options.Dialog.RememberCaption = remember ? 1 : 0;
  options.Dialog.LastCaption.Set(text);
}

TableCaption DecideCaption(const AppOptions& options, std::uint8_t sortState) {
  const std::uint8_t mode = options.Main.CaptionMode;
  if ((mode == 1 || mode == 2) && SortedByPathOrLabel(sortState)) return {CaptionKind::Grouped, {}};
  std::string_view last = options.Dialog.LastCaption.View();
  if ((mode == 2 || mode == 3) && !last.empty()) return {CaptionKind::Typed, std::string(last)};
  return {};
}

ExportDialogRequest ExportDialogFor(const AppOptions& options, const ExportMemory& memory) {
  ExportDialogRequest request;
  request.Title = kDialogTitle;
  request.Filter = kDialogFilter;
  switch (options.Main.ExportType) {
    case 0:
      request.FilterIndex = 1;
      request.DefaultExtension = "txt";
      break;
    case 1:
    case 2:
      request.FilterIndex = 2;
      request.DefaultExtension = "html";
      break;
    case 3:
      request.FilterIndex = 3;
      request.DefaultExtension = "xls";
      break;
    default: request.FilterIndex = 4; break;
  }
  request.ProposedName = memory.ProposedName;
  request.InitialFolder = options.Dialog.ExportFolder.View();
  return request;
}

std::optional<TypeQuestion> QuestionExportType(std::string_view fileName, std::uint8_t exportType) {
  std::string_view name = BaseName(fileName);
  std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  std::string extension;
  for (char c : name.substr(dot + 1)) extension += AsciiLower(c);
  if (extension == "txt" && exportType != 0) {
    return TypeQuestion{TypeQuestionText(exportType, "txt", "text"), ExportType::Text};
  }
  if ((extension == "html" || extension == "htm") && exportType != 1 && exportType != 2) {
    return TypeQuestion{TypeQuestionText(exportType, "html", "html table"), ExportType::HtmlTable};
  }
  if (extension == "xls" && exportType != 3) {
    return TypeQuestion{TypeQuestionText(exportType, "xls", "xls"), ExportType::Xls};
  }
  return std::nullopt;
}

Status ExportToFile(const std::string& path, ExportType type, const TableCaption& caption, const ExportJob& job) {
  if (type == ExportType::Xls) return ExportXls(job, path);
  OutputFile file;
  if (Status status = file.Open(path); !status.ok()) return DiskError(status);
  Status status;
  switch (type) {
    case ExportType::Text: status = ExportText(job, file); break;
    case ExportType::PlainHtml: status = ExportPlainHtml(job, file); break;
    default: status = ExportHtmlTable(job, caption, file); break;
  }
  if (status.code() == Status::Code::Cancelled) return status;
  if (status.ok()) status = file.Commit();
  return status.ok() ? status : DiskError(status);
}

bool ExportList(const ListStore& list, AppOptions& options, const std::string& localeDateFormat, ExportMemory& memory,
                ExportHost& host, Caller& caller) {
  if (list.ItemCount() == 0) {
    caller.ShowMessage(export_text::kNothingToExport, export_text::kWarningTitle, MessageKind::Warning);
    return false;
  }
  // Values above 3 never survive loading the options; they write text like 0 does.
  auto type = static_cast<ExportType>(options.Main.ExportType <= 3 ? options.Main.ExportType : 0);
  if (CaptionInputNeeded(options, type, list.SortState) && !host.InputCaption(options)) return false;

  const std::string path = host.ChooseExportFile(ExportDialogFor(options, memory));
  if (path.empty()) return false;

  if (std::optional<TypeQuestion> question = QuestionExportType(path, options.Main.ExportType)) {
    switch (caller.AskYesNoCancel(question->Text, export_text::kTypeQuestionTitle, Answer::Yes)) {
      case Answer::Yes: break;
      case Answer::No: type = question->TypeOnNo; break;
      case Answer::Cancel: return false;
    }
  }
  if (std::string folder = StoredFolderOf(path); !folder.empty()) options.Dialog.ExportFolder.Set(folder);

  const TableCaption caption = type == ExportType::HtmlTable ? DecideCaption(options, list.SortState) : TableCaption{};
  ExportJob job{list, options, FieldStyleOf(options, localeDateFormat), caller, host.StatusText()};
  host.SetBusy(true);
  Status status;
  try {
    status = ExportToFile(path, type, caption, job);
  } catch (const std::exception&) {
    // Out of memory or worse: the temporary file is gone with the writer, the target untouched.
    status = Status::IoError(type == ExportType::Xls ? export_text::kXlsError : export_text::kDiskError);
  }
  host.SetBusy(false);
  if (status.code() == Status::Code::Cancelled) return false;
  if (!status.ok()) {
    caller.ShowMessage(status.message(), export_text::kWarningTitle, MessageKind::Error);
    return false;
  }
  memory.LastExportPath = path;
  memory.ProposedName = BaseName(path);
  return true;
}

}  // namespace ordonna
