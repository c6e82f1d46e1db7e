// Windows that close as a cancel when the user turns to another window.
#include "ui/FocusLoss.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace ordonna {

void CancelOnFocusLoss(QDialog& dialog, const QEvent& event, bool& wasActive) {
  if (event.type() != QEvent::ActivationChange || !dialog.isVisible()) return;
  if (dialog.isActiveWindow()) {
    wasActive = true;
    return;
  }
  // A dialog run by exec() is itself the active modal widget; anything modal above it is its own.
  const QWidget* modal = QApplication::activeModalWidget();
  const bool ownWindowOnTop = (modal != nullptr && modal != &dialog) || QApplication::activePopupWidget() != nullptr;
  if (!wasActive || ownWindowOnTop || dialog.result() == QDialog::Accepted) return;
  wasActive = false;
  dialog.reject();
}

}  // namespace ordonna
