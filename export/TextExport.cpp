// The text export.
#include "export/TextExport.h"

#include <array>
#include <string>
#include <string_view>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "export/ExportMessages.h"
#include "export/Formatters.h"

namespace ordonna {
namespace {

// By Delimiter: ", ", "( )", "[ ]", "{ }", spaces, tabs.
constexpr std::array<Delimiters, 6> kDelimiters = {{
    {"", ", ", ""},
    {"(", " ", ")"},
    {"[", " ", "]"},
    {"{", " ", "}"},
    {"", " ", ""},
    {"", "\t", ""},
}};

constexpr std::uint8_t kTabs = 5;

// Entries whose index modulo 64 is this let the user cancel.
constexpr std::uint32_t kCancelPhase = 18;

void AppendWithoutZeroBytes(std::string_view text, ExportBuffer& out) {
  for (std::size_t zero; (zero = text.find('\0')) != std::string_view::npos; text.remove_prefix(zero + 1)) {
    out.Append(text.substr(0, zero));
  }
  out.Append(text);
}

std::string_view ColumnTitle(InfoColumn column) {
  switch (column) {
    case InfoColumn::Time: return "\tTime";
    case InfoColumn::Kbps: return "\tBitrate";
    case InfoColumn::Size: return "\tSize";
    case InfoColumn::Stereo: return "\tMode";
    case InfoColumn::Frequency: return "\tFrequency";
    case InfoColumn::DateCreated: return "\tDate created";
    case InfoColumn::Path: return "\tPath";
    case InfoColumn::DateAdded: return "\tDate added";
    case InfoColumn::VolumeLabel: return "\tVolume label";
  }
  return "";
}

void AppendColumn(InfoColumn column, const ListEntry& e, const FieldStyle& style, ExportBuffer& out) {
  switch (column) {
    case InfoColumn::Time: out.Append(FormatPlayTime(e.Frames, e.FrequencyCode, style)); break;
    case InfoColumn::Kbps: out.Append(FormatKbpsUnit(e.BitrateCode, style)); break;
    case InfoColumn::Size: out.Append(FormatSize(e.SizeKB, style)); break;
    case InfoColumn::Stereo: out.Append(FormatStereo(e.StereoMode, style)); break;
    case InfoColumn::Frequency: out.Append(FormatFreqUnit(e.FrequencyCode)); break;
    case InfoColumn::DateCreated: out.Append(FormatDate(e.FileDate, style)); break;
    case InfoColumn::Path: AppendWithoutZeroBytes(e.Folder.View(), out); break;
    case InfoColumn::DateAdded: out.Append(FormatDate(e.DateAdded, style)); break;
    case InfoColumn::VolumeLabel: AppendWithoutZeroBytes(e.VolumeLabel.View(), out); break;
  }
}

}  // namespace

Status ExportText(const ExportJob& job, OutputSink& sink) {
  MainOptions& options = job.Options.Main;
  if (options.HeaderRowTabs != 0) options.Delimiter = kTabs;
  // A delimiter beyond the six styles reads as the first, as loading the options repairs it.
  const std::uint8_t style = options.Delimiter < kDelimiters.size() ? options.Delimiter : 0;
  const Delimiters& delimiters = kDelimiters[style];
  const std::string between =
      std::string(delimiters.Closing) + std::string(delimiters.Separator) + std::string(delimiters.Opening);
  const std::vector<InfoColumn> columns = SelectedColumns(options);
  const bool enumerate = options.Enumerate != 0;

  ExportProgress progress(job);
  ExportBuffer out(sink);
  if (options.HeaderRowTabs != 0) {
    if (enumerate) out.Append("No.\t");
    out.Append("Filename");
    for (InfoColumn column : columns) out.Append(ColumnTitle(column));
    out.Append("\r\n");
  } else if (options.HeaderFromFile != 0) {
    AppendMessageFile(std::string(options.TextHeaderFile.View()), false, export_text::kHeaderMissing, job.Runner, out);
  }

  const EntryList& list = job.List.Working();
  const std::uint32_t count = list.ItemCount();
  const std::size_t numberWidth = std::to_string(count).size();
  for (std::uint32_t i = 0; i < count; ++i) {
    if (progress.CancelledAt(i, kCancelPhase)) return Status::Cancelled();
    const ListEntry& entry = list.Entry(i);
    if (enumerate) {
      out.Append(AlignedNumber(i + 1, numberWidth));
      out.Append(style == kTabs ? ".\t" : ". ");
    }
    out.Append(delimiters.Opening);
    // Without a width the name is written as it is; padding would only count its characters.
    if (job.Style.PadFilenameTo == 0) {
      out.Append(entry.FileName.View());
    } else {
      out.Append(PadName(entry.FileName.View(), job.Style));
    }
    for (InfoColumn column : columns) {
      out.Append(between);
      AppendColumn(column, entry, job.Style, out);
    }
    out.Append(delimiters.Closing);
    if (i + 1 < count) out.Append("\r\n");
    if (Status status = out.FlushIfFull(); !status.ok()) return status;
  }

  if (options.FooterFromFile != 0) {
    AppendMessageFile(std::string(options.TextFooterFile.View()), true, export_text::kFooterMissing, job.Runner, out);
  }
  return out.Flush();
}

}  // namespace ordonna
