// The program's small windows: stored place and closing on focus loss.
#include "ui/PlacedDialog.h"

#include <QApplication>
#include <QEvent>

namespace ordonna {

PlacedDialog::PlacedDialog(StoredPlace place, FocusLoss focusLoss, QWidget* parent)
    : QDialog(parent), place_(place), focusLoss_(focusLoss) {}

void PlacedDialog::done(int result) {
  KeepPlace(*this, place_);
  QDialog::done(result);
}

void PlacedDialog::showEvent(QShowEvent* event) {
  MoveToStoredPlace(*this, place_);
  QDialog::showEvent(event);
}

void PlacedDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (focusLoss_ != FocusLoss::Cancels || event->type() != QEvent::ActivationChange || !isVisible()) return;
  if (isActiveWindow()) {
    wasActive_ = true;
    return;
  }
  // A dialog run by exec() is itself the active modal widget; anything modal above it is its own.
  const QWidget* modal = QApplication::activeModalWidget();
  const bool ownWindowOnTop = (modal != nullptr && modal != this) || QApplication::activePopupWidget() != nullptr;
  if (!wasActive_ || ownWindowOnTop || result() == QDialog::Accepted) return;
  wasActive_ = false;
  reject();
}

}  // namespace ordonna
