// Settings windows that close as a cancel when the user turns to another window.
#pragma once

class QDialog;
class QEvent;

namespace ordonna {

// Call from changeEvent: once `dialog` has been active, losing the focus to another window
// rejects it; its own message boxes and choosers (modal over it) do not count.
void CancelOnFocusLoss(QDialog& dialog, const QEvent& event, bool& wasActive);

}  // namespace ordonna
