// The front cut of status texts.
#include "ui/logic/StatusCut.h"

#include <vector>

#include "core/Text.h"

namespace ordonna {

std::string CutFromFront(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width) {
  if (text.empty() || width(text) <= maxWidth) return std::string(text);
  constexpr std::string_view kDots = "...";
  // Character starts after the first, so a character is never split.
  std::vector<std::size_t> starts;
  for (std::size_t at = NextCharacter(text).Bytes; at < text.size(); at += NextCharacter(text.substr(at)).Bytes) {
    starts.push_back(at);
  }
  auto cut = [&](std::size_t start) { return std::string(kDots) + std::string(text.substr(start)); };
  // The width only shrinks as characters go, so the first start that fits is found by
  // halving; starts.size() stands for "nothing left but dots".
  std::size_t low = 0;
  std::size_t high = starts.size();
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    if (width(cut(starts[middle])) <= maxWidth) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low == starts.size() ? std::string(kDots) : cut(starts[low]);
}

}  // namespace ordonna
