// The viewer's window caption: the item count and the total play time, or the filtered and
// full counts while a filter is in force.
#pragma once

#include <cstdint>
#include <string>

#include "core/ListStore.h"
#include "export/FieldStyle.h"

namespace ordonna {

// " Internal List Viewer (12 items, 1:02:03)", the total in the style's ViewerTotalTimeStyle.
std::string ViewerCaption(const EntryList& list, const FieldStyle& style);
// " Internal List Viewer (3 of 12 items total)" while a filter is in force.
std::string FilteredViewerCaption(std::uint32_t itemCount, std::uint32_t unfilteredCount);
// " Internal List Viewer (3 items)": the caption right after a filtered list became the list.
std::string PrimaryViewerCaption(std::uint32_t itemCount);

// Lists longer than this are not shown (the grid would be too slow); exactly this many are.
inline constexpr std::uint32_t kMaxViewerItems = 262144;

class Caller;

// True when the list is too long to show. The warning is shown only while `warnedBefore` is
// false, which it then becomes (the flag lives as long as the program).
bool RefuseOversizeList(std::uint32_t itemCount, bool& warnedBefore, Caller& caller);

}  // namespace ordonna
