// Captions; the play-time tail comes from the field formatters.
#include "view/Caption.h"

#include "core/Caller.h"
#include "export/Formatters.h"
#include "view/ViewerTexts.h"

namespace ordonna {
namespace {

std::string CountText(std::uint32_t itemCount) {
  return std::string(viewer_text::kCaptionStart) + std::to_string(itemCount) + (itemCount == 1 ? " item" : " items");
}

}  // namespace

std::string ViewerCaption(const EntryList& list, const FieldStyle& style) {
  return CountText(list.ItemCount()) + FormatTotalDuration(TotalPlaySeconds(list.Entries()), style);
}

std::string FilteredViewerCaption(std::uint32_t itemCount, std::uint32_t unfilteredCount) {
  return std::string(viewer_text::kCaptionStart) + std::to_string(itemCount) + " of " +
         std::to_string(unfilteredCount) + " items total)";
}

std::string PrimaryViewerCaption(std::uint32_t itemCount) { return CountText(itemCount) + ")"; }

bool RefuseOversizeList(std::uint32_t itemCount, bool& warnedBefore, Caller& caller) {
  if (itemCount <= kMaxViewerItems) return false;
  if (!warnedBefore) caller.ShowMessage(viewer_text::kTooLarge, viewer_text::kWarningTitle, MessageKind::Warning);
  warnedBefore = true;
  return true;
}

}  // namespace ordonna
