// The windows' size and place, over the placement arithmetic of config/WindowPlacement.
#include "ui/WindowPlace.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include "config/WindowPlacement.h"

namespace ordonna {

void FixWindowSize(QWidget& window, QSize clientArea) {
  window.layout()->activate();
  window.setFixedSize(window.layout()->minimumSize().expandedTo(clientArea));
}

void MoveToStoredPlace(QWidget& window, StoredPlace place) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const WindowPosition placed =
      PlaceWindow({place.Left, place.Top}, window.width(), window.height(), screen.width(), screen.height());
  place.Left = placed.Left;
  place.Top = placed.Top;
  window.move(placed.Left, placed.Top);
}

void KeepPlace(const QWidget& window, StoredPlace place) {
  if (!window.isVisible()) return;
  place.Left = window.x();
  place.Top = window.y();
}

}  // namespace ordonna
