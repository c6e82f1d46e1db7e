// The controls the duplicates search and comparison settings windows share.
#include "ui/MatchSettingsControls.h"

#include <QLabel>
#include <QWidget>

namespace ordonna {

std::optional<int> NumberUpTo(const QString& text, int limit) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < 0 || value > limit || text.trimmed() != text) return std::nullopt;
  return value;
}

void AddPercentScale(QWidget& window, const QSlider& slider) {
  const QRect area = slider.geometry();
  for (int value = 50; value <= 100; value += 5) {
    auto* label = new QLabel(value == 100 ? QStringLiteral("100 %") : QString::number(value), &window);
    const int x = area.left() + 6 + (area.width() - 12) * (value - 50) / 50;
    label->setGeometry(value == 100 ? x - 30 : x - 10, area.bottom() + 2, value == 100 ? 40 : 20, 16);
    label->setAlignment(value == 100 ? Qt::AlignRight : Qt::AlignHCenter);
  }
}

}  // namespace ordonna
