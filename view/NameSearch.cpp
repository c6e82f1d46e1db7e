// Case folding, the match rule and the find commands of the viewer.
#include "view/NameSearch.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/Caller.h"
#include "core/Text.h"
#include "view/ViewerTexts.h"

namespace ordonna {
namespace {

struct FoldPair {
  char32_t From;
  char32_t To;
};

constexpr FoldPair kFoldPairs[] = {
#include "view/CaseFoldTable.inc"
};

char32_t FoldCharacter(char32_t c) {
  if (c < U'A') return c;
  const auto* found = std::lower_bound(std::begin(kFoldPairs), std::end(kFoldPairs), c,
                                       [](const FoldPair& pair, char32_t key) { return pair.From < key; });
  return found != std::end(kFoldPairs) && found->From == c ? found->To : c;
}

void FoldInto(std::string_view text, std::string& out) {
  out.clear();
  while (!text.empty()) {
    const auto byte = static_cast<unsigned char>(text.front());
    if (byte < 0x80) {
      out.push_back(AsciiLower(text.front()));
      text.remove_prefix(1);
      continue;
    }
    const TextCharacter character = NextCharacter(text);
    AppendUtf8(out, FoldCharacter(character.CodePoint));
    text.remove_prefix(character.Bytes);
  }
}

std::optional<std::uint32_t> FirstMatch(std::span<const ListEntry> entries, std::uint32_t from, std::uint32_t to,
                                        const NameMatcher& matches) {
  for (std::uint32_t i = from; i < to; ++i) {
    if (matches(entries[i])) return i;
  }
  return std::nullopt;
}

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string out;
  FoldInto(text, out);
  return out;
}

NameMatcher::NameMatcher(std::string_view text, bool matchCase)
    : text_(matchCase ? std::string(text) : FoldCase(text)), matchCase_(matchCase) {}

bool NameMatcher::operator()(const ListEntry& entry) const {
  const std::string_view name = entry.FileName.View();
  if (matchCase_) return name.find(text_) != std::string_view::npos;
  // Most names are ASCII: they fold into a buffer on the stack, a byte at a time.
  std::array<char, kNameCapacity> ascii;
  std::size_t length = 0;
  while (length < name.size() && static_cast<unsigned char>(name[length]) < 0x80) {
    ascii[length] = AsciiLower(name[length]);
    ++length;
  }
  if (length == name.size()) return std::string_view(ascii.data(), length).find(text_) != std::string_view::npos;
  FoldInto(name, folded_);
  return folded_.find(text_) != std::string::npos;
}

std::optional<std::uint32_t> SearchNames(std::span<const ListEntry> entries, std::uint32_t start, bool matchCase,
                                         SearchMemory& memory, Caller& caller) {
  using namespace viewer_text;
  if (memory.FindText != memory.PreviousText) {
    memory.WrapAllowed = true;
    memory.WrapOrigin = start;
  }
  memory.PreviousText = memory.FindText;
  const NameMatcher matches(memory.FindText, matchCase);
  const auto count = static_cast<std::uint32_t>(entries.size());
  if (auto found = FirstMatch(entries, std::min(start, count), count, matches)) return found;
  if (!memory.Wrapped && memory.WrapAllowed && memory.WrapOrigin != 0) {
    if (caller.AskYesNo(kWrapQuestion, kFindTitle, Answer::Yes) != Answer::Yes) return std::nullopt;
    memory.WrapAllowed = false;
    memory.Wrapped = true;
    if (auto found = FirstMatch(entries, 0, std::min(memory.WrapOrigin, count), matches)) return found;
  } else {
    memory.WrapAllowed = false;
  }
  caller.ShowMessage(kNotFound, kWarningTitle, MessageKind::Warning);
  return std::nullopt;
}

bool SearchPossible(std::size_t itemCount, Caller& caller) {
  if (itemCount >= 2) return true;
  caller.ShowMessage(viewer_text::kTooFewToFind, viewer_text::kWarningTitle, MessageKind::Warning);
  return false;
}

std::optional<std::uint32_t> FindNext(std::span<const ListEntry> entries, std::uint32_t cursor, bool matchCase,
                                      SearchMemory& memory, Caller& caller) {
  if (!SearchPossible(entries.size(), caller)) return std::nullopt;
  const bool searched = memory.LastRequest == FindRequest::First || memory.LastRequest == FindRequest::Next;
  if (!searched || memory.FindText.empty()) {
    caller.ShowMessage(viewer_text::kFindFirstRequired, viewer_text::kWarningTitle, MessageKind::Warning);
    return std::nullopt;
  }
  return SearchNames(entries, cursor + 1, matchCase, memory, caller);
}

std::optional<std::uint32_t> FindAfterWindow(std::span<const ListEntry> entries, FindRequest request,
                                             std::uint32_t cursor, bool matchCase, SearchMemory& memory,
                                             Caller& caller) {
  memory.LastRequest = request;
  if (request == FindRequest::First) return SearchNames(entries, 0, matchCase, memory, caller);
  if (request == FindRequest::Next) return SearchNames(entries, cursor + 1, matchCase, memory, caller);
  return std::nullopt;
}

GridPosition CentredOn(std::uint32_t found, std::uint32_t visibleRows) {
  const std::uint32_t half = visibleRows / 2;
  return {found > half ? found - half : 0, found};
}

}  // namespace ordonna
