// The export command: the caption question, the file dialog, the reconciliation of the chosen
// extension with the export type, and the writing of the file by one of the four exports.
// The main window supplies its dialogs through ExportHost; ordonna-cli uses the same pieces.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Status.h"
#include "export/ExportJob.h"
#include "export/HtmlExport.h"

namespace ordonna {

struct AppOptions;
class Caller;
class ListStore;

// The values of ExportType.
enum class ExportType : std::uint8_t { Text = 0, PlainHtml = 1, HtmlTable = 2, Xls = 3 };

// Remembered between exports while the program runs; not saved.
struct ExportMemory {
  std::string ProposedName;    // the last export's name without folder, proposed next time
  std::string LastExportPath;  // the full name of the last export, which "Vie&w ext." opens
};

// What the export file dialog shows.
struct ExportDialogRequest {
  std::string Title;             // " - EXPORT THE LIST AS - "
  std::string Filter;            // "description|patterns|description|patterns..."
  int FilterIndex = 1;           // 1-based, by ExportType
  std::string DefaultExtension;  // without the dot
  std::string ProposedName;
  // ExportFolder as stored; "c:\" stands for the home folder (ResolveDialogFolder).
  std::string InitialFolder;
};

// The main window's side of the export command.
class ExportHost {
 public:
  virtual ~ExportHost() = default;
  // Shows the caption input window (modal, main window disabled). O&K stores the caption with
  // AcceptCaption and returns true; any other way of closing returns false.
  virtual bool InputCaption(AppOptions& options) = 0;
  // The save dialog; the chosen full name, or empty when cancelled.
  virtual std::string ChooseExportFile(const ExportDialogRequest& request) = 0;
  // The status line's current text, shown again when the export ends.
  virtual std::string StatusText() = 0;
  // The busy cursor while the file is written.
  virtual void SetBusy(bool busy) = 0;
};

// The whole command over the working list. Returns true when a file was written: `memory`
// then holds its names and the main window enables "Vie&w ext.". Sets ExportFolder, and the
// caption window may set LastCaption and RememberCaption, even when nothing is written.
bool ExportList(const ListStore& list, AppOptions& options, const std::string& localeDateFormat, ExportMemory& memory,
                ExportHost& host, Caller& caller);

// --- The steps of ExportList, shared with ordonna-cli and the caption window ---

// Whether the caption input window is shown before writing `type`: for an HTML table when
// CaptionMode asks for a typed caption always (3), or whenever the list is not sorted by
// path or volume label (2).
bool CaptionInputNeeded(const AppOptions& options, ExportType type, std::uint8_t sortState);

// The text the caption window's edit field starts with: LastCaption when RememberCaption is
// set, else nothing.
std::string InitialCaption(const AppOptions& options);

// O&K of the caption window: stores `remember` into RememberCaption and `text`, without
// spaces and zero bytes at either end and cut to 255 bytes, into LastCaption.
void AcceptCaption(AppOptions& options, std::string_view text, bool remember);

// The captions of an HTML table export: grouped by folder or label when the options allow it
// and the list is sorted that way, else the last caption typed when the options ask for one.
TableCaption DecideCaption(const AppOptions& options, std::uint8_t sortState);

// The file dialog for the options' ExportType and the remembered name.
ExportDialogRequest ExportDialogFor(const AppOptions& options, const ExportMemory& memory);

struct TypeQuestion {
  std::string Text;     // the Yes/No/Cancel question, titled "Warning!"
  ExportType TypeOnNo;  // the type written when the user answers No
};

// The question to ask when the extension of `fileName` (after its last ".", any letter case)
// does not suit `exportType`: "txt" for text, "html" or "htm" for either HTML export, "xls"
// for XLS. Nothing for a suitable or an unknown extension, or a name without one.
std::optional<TypeQuestion> QuestionExportType(std::string_view fileName, std::uint8_t exportType);

// Writes the list at `path` as `type`, through a temporary file that replaces `path` only
// when complete. Failures carry the message to show: "Disk error!" for a text or HTML export,
// the XLS export's own messages; the user's cancel is Status::Code::Cancelled and shows
// nothing. In every case but success an earlier file at `path` is left as it was.
[[nodiscard]] Status ExportToFile(const std::string& path, ExportType type, const TableCaption& caption,
                                  const ExportJob& job);

}  // namespace ordonna
