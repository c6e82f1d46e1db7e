// The program's small windows: each comes back where it was last closed (two fields of
// WindowPlaces), and the settings, editor and find windows close as a cancel when the user
// turns to another window.
#pragma once

#include <QDialog>

#include "ui/WindowPlace.h"

namespace ordonna {

class PlacedDialog : public QDialog {
 public:
  enum class FocusLoss { Stays, Cancels };

  PlacedDialog(StoredPlace place, FocusLoss focusLoss, QWidget* parent);

  // Stores the place, then closes.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  // Once the window has been active, losing the focus to another window rejects it. Its own
  // message boxes, choosers and popups do not count, nor does the hiding of a window that
  // was just accepted.
  void changeEvent(QEvent* event) override;

 private:
  StoredPlace place_;
  FocusLoss focusLoss_;
  bool wasActive_ = false;
};

}  // namespace ordonna
