// From the bytes of an exported list to plain lines: recognition of table, plain HTML and
// text lists by their tags, the stripping of header and footer files, table captions, and
// the conversion of the HTML into delimited lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"
#include "import/ImportedFields.h"

namespace ordonna {

enum class ImportKind { Text, PlainHtml, HtmlTable };

// Only this many bytes at the start of a list are searched for its tag.
inline constexpr std::size_t kRecognitionWindow = 65535;
// Smaller files are refused.
inline constexpr std::size_t kMinimumListSize = 512;

struct RecognizedList {
  ImportKind Kind = ImportKind::Text;
  ImportedFields Fields;  // tagged lists only
  std::size_t Start = 0;  // the list proper: [Start, End)
  std::size_t End = 0;
  char CaptionStyle = 0;  // '7' path captions, '9' label captions, '2' typed, 0 none
  std::string FirstCaption;
};

// Finds the kind and the bounds of the list in `bytes` (the whole file). A failure carries
// the text for the failure dialog.
[[nodiscard]] Status RecognizeList(std::string_view bytes, RecognizedList& list);

// The bytes an export writes for a header file of these lines (each followed by CR LF) and
// for a footer file (each preceded by CR LF; the leading CR LF is left out, as it belongs to
// the last entry's line).
std::string HeaderBytes(const std::vector<std::string>& lines);
std::string FooterBytes(const std::vector<std::string>& lines);

// What the header and footer steps found; the question to ask is the message followed by the
// header or footer suffix.
enum class StripProblem { None, Missing, Ratio, Mismatch };

// Moves `list.Start` past `header` (and the line breaks after it) when the list starts with
// it. A failure (the line breaks run into the end of the file) is returned; a header that
// does not fit or match is reported in `problem` and changes nothing.
[[nodiscard]] Status StripHeader(std::string_view bytes, std::string_view header, RecognizedList& list,
                                 StripProblem& problem);
[[nodiscard]] Status StripFooter(std::string_view bytes, std::string_view footer, RecognizedList& list,
                                 StripProblem& problem);

// Reads the caption of the caption row at or after `from` (within 512 bytes): updates the
// caption style when none is set and returns the caption of a path or label group.
std::string ReadCaption(std::string_view bytes, std::size_t from, char& captionStyle);

// Converts the list part of `bytes` into lines separated by "\n": a text list unchanged, a
// plain HTML list with its markup and entities removed, a table with its cells separated by
// tabs (and the caption of its group added as a last cell when `captionColumn`). The
// delimiters of a plain list written with spaces or tabs become tabs; `delimiters` is the
// number of delimiters a line of it needs.
[[nodiscard]] Status ConvertList(std::string_view bytes, const RecognizedList& list, bool captionColumn,
                                 std::size_t delimiters, std::string& lines);

// Replaces "&quot;", "&lt;", "&gt;", "&amp;" and "&nbsp;" in one pass from left to right.
std::string DecodeEntities(std::string_view text);

}  // namespace ordonna
