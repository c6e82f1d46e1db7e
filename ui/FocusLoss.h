// Windows that close as a cancel when the user turns to another window.
#pragma once

class QDialog;
class QEvent;

namespace ordonna {

// Call from changeEvent: once `dialog` has been active, losing the focus to another window
// rejects it. Its own message boxes, choosers and popups do not count, nor does the hiding
// of a dialog that was just accepted.
void CancelOnFocusLoss(QDialog& dialog, const QEvent& event, bool& wasActive);

}  // namespace ordonna
