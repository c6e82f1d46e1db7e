// The viewer's search in file names: the match rule (shared by the filter), the find and
// find-next commands with their wrap question, and where the grid's cursor goes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/ListEntry.h"
#include "view/ListViewer.h"

namespace ordonna {

class Caller;

// `text` with every character case-folded (Unicode simple folding); bytes that are not valid
// UTF-8 count as their Windows-1252 characters. The result is UTF-8.
std::string FoldCase(std::string_view text);

// Whether a file name contains the search text: byte for byte with match case, else after
// folding both.
class NameMatcher {
 public:
  NameMatcher(std::string_view text, bool matchCase);
  bool operator()(const ListEntry& entry) const;

 private:
  // The folded text in an ASCII name folded on the fly, skipping ahead as far as the name's
  // byte under the text's last byte allows.
  bool InAsciiName(std::string_view name) const;

  std::string text_;
  bool matchCase_;
  std::array<std::uint16_t, 256> skip_{};  // by folded byte: how far the text may move on
  mutable std::string folded_;             // scratch for one name, kept to avoid allocating per entry
};

// What the find window was closed with.
enum class FindRequest : std::uint8_t { Nothing = 0, First = 1, Next = 2, Filter = 3 };

// The viewer's memory between searches.
struct SearchMemory {
  std::string PreviousText;
  std::uint32_t WrapOrigin = 0;
  bool WrapAllowed = false;
  bool Wrapped = false;
  FindRequest LastRequest = FindRequest::Nothing;
  std::string FindText;  // of the last Find First or Find Next
};

// Searches `entries` for `memory.FindText` from `start` on, asking to wrap as the rules say.
// The index of the match, or nothing (after the "Not found" warning or a No).
std::optional<std::uint32_t> SearchNames(std::span<const ListEntry> entries, std::uint32_t start, bool matchCase,
                                         SearchMemory& memory, Caller& caller);

// Find Next (F3): the last find window must have asked for a search. `cursor` is the cursor's
// entry.
std::optional<std::uint32_t> FindNext(std::span<const ListEntry> entries, std::uint32_t cursor, bool matchCase,
                                      SearchMemory& memory, Caller& caller);

// The search after the find window closed with First (from the first entry) or Next (from the
// entry after `cursor`).
std::optional<std::uint32_t> FindAfterWindow(std::span<const ListEntry> entries, FindRequest request,
                                             std::uint32_t cursor, bool matchCase, SearchMemory& memory,
                                             Caller& caller);

// False (after "Must have 2 items at least.") for a list too short to search.
bool SearchPossible(std::size_t itemCount, Caller& caller);

// The found entry as the cursor, the top row such that it stands near the middle of
// `visibleRows` rows.
GridPosition CentredOn(std::uint32_t found, std::uint32_t visibleRows);

}  // namespace ordonna
