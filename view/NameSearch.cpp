// Case folding, the match rule and the find commands of the viewer.
#include "view/NameSearch.h"

#include <algorithm>
#include <array>
#include <cstring>
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

// Eight bytes at a time: this runs over every name of a search.
bool IsAscii(std::string_view text) {
  std::uint64_t bits = 0;
  std::uint64_t word;
  if (text.size() < sizeof word) {
    for (char c : text) bits |= static_cast<unsigned char>(c);
  } else {
    for (std::size_t i = 0; i + sizeof word <= text.size(); i += sizeof word) {
      std::memcpy(&word, text.data() + i, sizeof word);
      bits |= word;
    }
    // The last eight bytes, overlapping words already read.
    std::memcpy(&word, text.data() + text.size() - sizeof word, sizeof word);
    bits |= word;
  }
  return (bits & 0x8080808080808080ULL) == 0;
}

constexpr std::uint32_t kPrefetchDistance = 32;

void PrefetchName(const ListEntry& entry) {
#if defined(__GNUC__)
  // A name of up to 63 bytes may straddle two cache lines.
  __builtin_prefetch(&entry);
  __builtin_prefetch(reinterpret_cast<const char*>(&entry) + 64);
#else
  (void)entry;
#endif
}

std::optional<std::uint32_t> FirstMatch(std::span<const ListEntry> entries, std::uint32_t from, std::uint32_t to,
                                        const NameMatcher& matches) {
  for (std::uint32_t i = from; i < to; ++i) {
    // The names lie a record apart, too far for the processor to guess: ask for them ahead.
    if (i + kPrefetchDistance < to) PrefetchName(entries[i + kPrefetchDistance]);
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
    : text_(matchCase ? std::string(text) : FoldCase(text)), matchCase_(matchCase) {
  const std::size_t length = std::min<std::size_t>(text_.size(), UINT16_MAX);
  skip_.fill(static_cast<std::uint16_t>(std::max<std::size_t>(length, 1)));
  for (std::size_t i = 0; i + 1 < length; ++i) {
    skip_[static_cast<unsigned char>(text_[i])] = static_cast<std::uint16_t>(length - 1 - i);
  }
}

bool NameMatcher::InAsciiName(std::string_view name) const {
  const std::size_t length = text_.size();
  if (length == 0) return true;
  const char last = text_[length - 1];
  for (std::size_t at = 0; at + length <= name.size();) {
    const char under = AsciiLower(name[at + length - 1]);
    if (under == last) {
      std::size_t same = 0;
      while (same + 1 < length && AsciiLower(name[at + same]) == text_[same]) ++same;
      if (same + 1 == length) return true;
    }
    at += skip_[static_cast<unsigned char>(under)];
  }
  return false;
}

bool NameMatcher::operator()(const ListEntry& entry) const {
  const std::string_view name = entry.FileName.View();
  if (matchCase_) return name.find(text_) != std::string_view::npos;
  // Most names are ASCII, whose folding is ASCII lower case: no copy is needed.
  if (IsAscii(name)) return InAsciiName(name);
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
