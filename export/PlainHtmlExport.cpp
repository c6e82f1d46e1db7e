// The plain HTML export: the text export's lines as a page, one "<NOBR>" line per entry.
#include <array>
#include <string>
#include <string_view>

#include "config/AppOptions.h"
#include "core/ListStore.h"
#include "export/ExportMessages.h"
#include "export/Formatters.h"
#include "export/HtmlExport.h"

namespace ordonna {
namespace {

// By Delimiter; spaces must be entities to stay visible, so the tab becomes four of them.
constexpr std::array<Delimiters, 6> kDelimiters = {{
    {"", ", ", ""},
    {"(", "&nbsp;", ")"},
    {"[", "&nbsp;", "]"},
    {"{", "&nbsp;", "}"},
    {"", "&nbsp;", ""},
    {"", "&nbsp; &nbsp; ", ""},
}};

constexpr std::uint32_t kCancelPhase = 53;

std::string ColumnText(InfoColumn column, const ListEntry& e, const FieldStyle& style) {
  switch (column) {
    case InfoColumn::Time: return FormatPlayTime(e.Frames, e.FrequencyCode, style);
    case InfoColumn::Kbps: return FormatKbpsUnit(e.BitrateCode, style);
    case InfoColumn::Size: return FormatSize(e.SizeKB, style);
    case InfoColumn::Stereo: return FormatStereo(e.StereoMode, style);
    case InfoColumn::Frequency: return FormatFreqUnit(e.FrequencyCode);
    case InfoColumn::DateCreated: return FormatDate(e.FileDate, style);
    case InfoColumn::Path: return std::string(e.Folder.View());
    case InfoColumn::DateAdded: return FormatDate(e.DateAdded, style);
    case InfoColumn::VolumeLabel: return std::string(e.VolumeLabel.View());
  }
  return {};
}

}  // namespace

Status ExportPlainHtml(const ExportJob& job, OutputSink& sink) {
  MainOptions& options = job.Options.Main;
  const Delimiters& delimiters = kDelimiters[options.Delimiter < kDelimiters.size() ? options.Delimiter : 0];
  const std::string between =
      std::string(delimiters.Closing) + std::string(delimiters.Separator) + std::string(delimiters.Opening);
  const std::vector<InfoColumn> columns = SelectedColumns(options);
  const bool ownHeader = options.HeaderFromFile != 0 && options.UseOwnHtmlTags != 0;
  const bool ownFooter = options.FooterFromFile != 0 && options.UseOwnHtmlTags != 0;
  const bool styled = options.PlainHtmlStyled != 0;

  ExportProgress progress(job);
  ExportBuffer out(sink);
  if (!ownHeader) {
    out.Append("<HTmL><HEAD><TITLE>my mp3 list</TITLE>");
    if (styled) out.Append(StyleBlock(options, false, CaptionKind::None));
    out.Append("</HEAD><BODY");
    if (styled && options.UseBgColor != 0) out.Append(" BGCOLOR=#" + ColorHex(options.TableBgColor));
    out.Append(">");
  }
  if (options.HeaderFromFile != 0) {
    AppendMessageFile(std::string(options.HtmlHeaderFile.View()), false, export_text::kHeaderMissing, job.Runner, out);
  }
  out.Append(ListInfoTag(options, job.List.SortState, false));

  const EntryList& list = job.List.Working();
  const std::uint32_t count = list.ItemCount();
  const std::size_t numberWidth = std::to_string(count).size();
  for (std::uint32_t i = 0; i < count; ++i) {
    if (progress.CancelledAt(i, kCancelPhase)) return Status::Cancelled();
    const ListEntry& entry = list.Entry(i);
    out.Append("<NOBR>");
    if (options.Enumerate != 0) {
      out.Append(HtmlSpaces(AlignedNumber(i + 1, numberWidth)));
      out.Append(". ");
    }
    out.Append(delimiters.Opening);
    const std::string_view fileName = entry.FileName.View();
    std::string name = NeedsHtmlEscape(fileName) ? HtmlEscapeText(fileName) : std::string(fileName);
    // Without a width the name stays as it is; padding would only count its characters.
    if (job.Style.PadFilenameTo != 0) name = PadName(name, job.Style);
    out.Append(HtmlSpaces(name));
    for (InfoColumn column : columns) {
      out.Append(between);
      AppendHtmlText(ColumnText(column, entry, job.Style), out);
    }
    out.Append(delimiters.Closing);
    if (i + 1 < count) out.Append("</NOBR><BR>");
    if (Status status = out.FlushIfFull(); !status.ok()) return status;
  }
  out.Append(kPlainEndTag);

  if (options.FooterFromFile != 0) {
    AppendMessageFile(std::string(options.HtmlFooterFile.View()), false, export_text::kFooterMissing, job.Runner, out);
  }
  if (!ownFooter) out.Append("</FONT></BODY></HTmL>");
  return out.Flush();
}

}  // namespace ordonna
