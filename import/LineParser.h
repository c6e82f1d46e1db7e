// One line of an imported list into one ListEntry: the fields are found from the right-hand
// end of the line (a name may hold the delimiter), then read by the column each stands for.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ListEntry.h"
#include "core/Status.h"
#include "import/DateResolution.h"
#include "import/ImportedFields.h"

namespace ordonna {

// How the lines of one list are laid out.
struct LineLayout {
  std::vector<ColumnCode> Order;   // rightmost first, at most ten
  std::uint8_t DelimiterCode = 0;  // see kDelimiterTab
  bool Enumerated = false;         // the name field starts with "n."
  bool SplitArtistTitle = false;   // a table's artist and title cells, joined again with " - "
  bool HtmlTable = false;
  // DateAdded of lines without a date-added column: today (0) or undetermined (1).
  std::uint8_t DateAddedFallback = 1;
  std::int32_t Today = 0;
};

// Lines longer than this are refused.
inline constexpr std::size_t kMaxLineLength = 1023;

class LineParser {
 public:
  LineParser(LineLayout layout, DateTable& dates);

  // Finds the fields of `line` (without its line end), `lineNumber` counting from 1. On
  // success Field(i) is the field of Order[i]. A failure carries the text to show.
  [[nodiscard]] Status SplitFromRight(std::string_view line, std::uint32_t lineNumber);
  const std::string& Field(std::size_t index) const { return fields_[index]; }

  // Splits and reads `line` into `entry`; its dates go to the date table as those of the
  // imported entry `entryIndex`. A failure carries the text to show; `entry` is then partly
  // filled and must be dropped.
  [[nodiscard]] Status ParseImportLine(std::string_view line, std::uint32_t lineNumber, std::uint32_t entryIndex,
                                       ListEntry& entry);

  const LineLayout& Layout() const { return layout_; }

 private:
  LineLayout layout_;
  DateTable& dates_;
  char delimiter_;
  char opening_;
  std::array<std::string, 10> fields_;
  std::vector<std::size_t> positions_;

  // The phases of SplitFromRight, in order.
  [[nodiscard]] Status CheckLength(std::string_view line, std::uint32_t lineNumber) const;
  // Collects the delimiter positions from the right; drops a closing character ending `line`.
  [[nodiscard]] Status FindDelimiters(std::string_view& line, std::uint32_t lineNumber);
  [[nodiscard]] Status CutFields(std::string_view line, std::uint32_t lineNumber);
  std::string_view WithoutOpening(std::string_view field) const;
  [[nodiscard]] Status ReadNameField(std::uint32_t lineNumber);

  // One field of ParseImportLine into `entry`; a play time goes to `seconds`.
  [[nodiscard]] Status ReadField(ColumnCode column, const std::string& field, std::uint32_t lineNumber,
                                 std::uint32_t entryIndex, ListEntry& entry, std::int32_t& seconds);

  std::size_t NeededDelimiters() const { return layout_.Order.size() - 1; }
  // ")", "]" and "}" close the field they end.
  bool ClosesFields() const { return delimiter_ == ')' || delimiter_ == ']' || delimiter_ == '}'; }
};

// A field read as a whole number of at most nine digits; nothing when it holds anything else.
std::optional<std::int32_t> ParseDecimal(std::string_view text);

}  // namespace ordonna
