// The windows' size and place, over the placement arithmetic of config/WindowPlacement.
#include "ui/WindowPlace.h"

#include <cstdint>
#include <cstring>

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include "config/WindowPlacement.h"

namespace ordonna {
namespace {

std::int32_t StoredValue(const void* field) {
  std::int32_t value;
  std::memcpy(&value, field, sizeof value);
  return value;
}

void Store(void* field, std::int32_t value) { std::memcpy(field, &value, sizeof value); }

}  // namespace

void FixWindowSize(QWidget& window, QSize clientArea) {
  window.layout()->activate();
  window.setFixedSize(window.layout()->minimumSize().expandedTo(clientArea));
}

void MoveToStoredPlace(QWidget& window, StoredPlace place) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const WindowPosition placed = PlaceWindow({StoredValue(place.Left), StoredValue(place.Top)}, window.width(),
                                            window.height(), screen.width(), screen.height());
  Store(place.Left, placed.Left);
  Store(place.Top, placed.Top);
  window.move(placed.Left, placed.Top);
}

void KeepPlace(const QWidget& window, StoredPlace place) {
  if (!window.isVisible()) return;
  Store(place.Left, window.x());
  Store(place.Top, window.y());
}

}  // namespace ordonna
