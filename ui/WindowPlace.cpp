// The windows' size and place, over the placement arithmetic of config/WindowPlacement.
#include "ui/WindowPlace.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <QFontMetricsF>
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

// The placed windows were drawn for this size of the system font.
constexpr double kDesignPointSize = 9;

int Scaled(int value, double factor) { return static_cast<int>(std::lround(value * factor)); }

double FontFactor(const QWidget& window) {
  QFont design = window.font();
  design.setPointSizeF(kDesignPointSize);
  return std::max(1.0, QFontMetricsF(window.font()).height() / QFontMetricsF(design).height());
}

}  // namespace

void FixWindowSize(QWidget& window, QSize clientArea) {
  window.layout()->activate();
  window.setFixedSize(window.layout()->minimumSize().expandedTo(clientArea));
}

void FixPlacedWindowSize(QWidget& window, QSize clientArea) {
  // Style sheets set fonts when the window is polished.
  window.ensurePolished();
  const double factor = FontFactor(window);
  if (factor > 1.0) {
    for (QWidget* control : window.findChildren<QWidget*>()) {
      // Controls inside a layout are placed by it.
      if (control->isWindow() || control->parentWidget()->layout() != nullptr) continue;
      const QRect place = control->geometry();
      control->setGeometry(Scaled(place.x(), factor), Scaled(place.y(), factor), Scaled(place.width(), factor),
                           Scaled(place.height(), factor));
    }
  }
  window.setFixedSize(Scaled(clientArea.width(), factor), Scaled(clientArea.height(), factor));
}

int PlacedPixels(const QWidget& window, int designPixels) { return Scaled(designPixels, FontFactor(window)); }

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
