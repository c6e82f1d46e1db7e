// The two HTML exports: a plain page with one line per entry, and a table with one row per
// entry and optional caption rows. Their tags, in their odd letter case, are read back byte for
// byte by the import, as is the ListInfoTag that says which columns and styles were written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/Status.h"
#include "export/ExportJob.h"

namespace ordonna {

struct MainOptions;

// The caption rows of a table export.
enum class CaptionKind : std::uint8_t {
  None = 0,
  Grouped = 1,  // one caption per run of entries with the same folder (or volume label)
  Typed = 2,    // one caption typed by the user
};

struct TableCaption {
  CaptionKind Kind = CaptionKind::None;
  std::string Text;  // the typed caption, at most 255 bytes
};

// Tags the import recognises.
inline constexpr std::string_view kPlainTagOpening = "<oRdONNATAG LABEL=\"S";
inline constexpr std::string_view kTableTagOpening = "<OrdONNAtaG LABEL=\"s";
inline constexpr std::string_view kPlainEndTag = "<oRdONNATAG LABEL=\"ENd\">";

// Writes the whole working list as a plain HTML page. Failures as for ExportText.
[[nodiscard]] Status ExportPlainHtml(const ExportJob& job, OutputSink& sink);

// Writes the whole working list as an HTML table. Grouped captions need a list sorted by
// path or by volume label; on any other list they are left out. Failures as for ExportText.
[[nodiscard]] Status ExportHtmlTable(const ExportJob& job, const TableCaption& caption, OutputSink& sink);

// The style sheet of the page: a "table" (or "body") block with the table font and, for a
// table with captions, an "em" block with the caption font. An empty TableFontName becomes
// "Courier New" and a TableFontSize of 0 becomes 1 in the options themselves. Font names keep
// only letters, digits, space, ".", "-" and "_", so that no option can put markup in a page.
std::string StyleBlock(MainOptions& options, bool forTable, CaptionKind caption);

// The column title row of the table.
std::string TableHeaderRow(const MainOptions& options);

// The 40-character tag: opening, twelve flags, the sort state in three digits, the date, size
// and delimiter styles in one digit each, closing.
std::string ListInfoTag(const MainOptions& options, std::uint8_t sortState, bool forTable);

// The six upper-case hex digits of a stored 0x00BBGGRR colour in the order red, green, blue.
std::string ColorHex(std::int32_t color);

// Whether HtmlEscapeText would change `text`.
bool NeedsHtmlEscape(std::string_view text);

// Appends HtmlEscapeText of `text`; a text with nothing to escape (the usual case) is copied
// as it is, which keeps big exports fast.
void AppendHtmlText(std::string_view text, ExportBuffer& out);

// `name` with every character other than letters, digits, space, ".", "-" and "_" left out.
// Characters outside ASCII are kept: font names in other scripts are letters, and no markup
// character lies outside ASCII.
std::string SafeFontName(std::string_view name);

}  // namespace ordonna
