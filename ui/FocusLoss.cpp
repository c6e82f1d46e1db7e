// Settings windows that close as a cancel when the user turns to another window.
#include "ui/FocusLoss.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace ordonna {

void CancelOnFocusLoss(QDialog& dialog, const QEvent& event, bool& wasActive) {
  if (event.type() != QEvent::ActivationChange || !dialog.isVisible()) return;
  if (dialog.isActiveWindow()) {
    wasActive = true;
  } else if (wasActive && QApplication::activeModalWidget() == nullptr) {
    dialog.reject();
  }
}

}  // namespace ordonna
