// The columns of a text list this program exported: text exports carry no tag, so the
// delimiter, the enumeration and the field of every column are worked out from the first
// lines, or read from the title row a tab list may start with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Caller.h"
#include "core/Status.h"
#include "import/ImportedFields.h"

namespace ordonna {

struct ResolvedColumns {
  ImportedFields Fields;           // flags found; sort state 63, date style unknown
  std::vector<ColumnCode> Order;   // rightmost first
  std::uint8_t DelimiterCode = 0;  // 0 ",", 1 ")", 2 "]", 3 "}", kDelimiterTab
  bool TitleRow = false;           // the first line holds column titles, not an entry
};

// Works out the columns of the converted text `lines` (lines separated by "\n", CR LF
// accepted). `localeDateFormat` (strftime conversions) gives the separators a date may hold.
// The question about a single date column goes to `caller`; a failure carries the text for the
// failure dialog, a cancel is Status::Code::Cancelled.
[[nodiscard]] Status ResolveColumns(std::string_view lines, const std::string& localeDateFormat, Caller& caller,
                                    ResolvedColumns& result);

}  // namespace ordonna
