// Fading a window in and out: a timer moves the window's opacity one step per tick by the
// rule of ui/logic/WindowFade.h. The main window uses it now; the options and viewer windows
// follow the same way:
//   constructor: fader_ = new WindowFader(*this, "BlendTimer", [this] { return <fading on>; },
//                                        [this] { close(); });
//                then StartTransparent() when the window will fade in;
//   first show:  FadeIn();
//   closeEvent:  while !FadedOut(): FadeOut(), ignore the event.
#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "ui/logic/WindowFade.h"

class QTimer;
class QWidget;

namespace ordonna {

class WindowFader final : public QObject {
  Q_OBJECT

 public:
  // `allowed` is asked at every tick: false (the option was switched off) ends a fade at
  // once. `fadedOut` runs when a fade-out has ended. The timer is named `timerName`.
  WindowFader(QWidget& window, const QString& timerName, std::function<bool()> allowed, std::function<void()> fadedOut);

  void StartTransparent();
  void MakeOpaque();
  void FadeIn();
  // Does nothing while a fade-out runs already.
  void FadeOut();
  bool FadedOut() const { return fade_.FadedOut(); }

 private:
  void Tick();
  void ApplyOpacity();

  QWidget& window_;
  std::function<bool()> allowed_;
  std::function<void()> fadedOut_;
  QTimer* timer_;
  WindowFade fade_;
};

}  // namespace ordonna
