// The status line's rule for long texts: the first characters give way to "..." one at a
// time until the text fits the line. The width is measured by the caller (the window's font).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ordonna {

// `text` itself when `width(text)` is at most `maxWidth`; otherwise "..." followed by the
// longest end of `text` that fits, cut on a character boundary ("..." alone when none fits).
// REQUIRES: `width` does not shrink as characters are added (it is called O(log n) times).
std::string CutFromFront(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width);

}  // namespace ordonna
