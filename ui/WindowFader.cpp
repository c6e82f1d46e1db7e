// The timer and the window's opacity of fading.
#include "ui/WindowFader.h"

#include <QTimer>
#include <QWidget>

namespace ordonna {

WindowFader::WindowFader(QWidget& window, const QString& timerName, std::function<bool()> allowed,
                         std::function<void()> fadedOut)
    : QObject(&window),
      window_(window),
      allowed_(std::move(allowed)),
      fadedOut_(std::move(fadedOut)),
      timer_(new QTimer(this)) {
  timer_->setObjectName(timerName);
  timer_->setInterval(WindowFade::kTickMs);
  connect(timer_, &QTimer::timeout, this, &WindowFader::Tick);
}

void WindowFader::StartTransparent() {
  fade_.MakeTransparent();
  ApplyOpacity();
}

void WindowFader::MakeOpaque() {
  fade_.MakeOpaque();
  ApplyOpacity();
}

void WindowFader::FadeIn() {
  fade_.Start(FadeDirection::In);
  timer_->start();
}

void WindowFader::FadeOut() {
  if (fade_.Direction() == FadeDirection::Out) return;
  fade_.Start(FadeDirection::Out);
  timer_->start();
}

void WindowFader::Tick() {
  const FadeDirection direction = fade_.Direction();
  const int before = fade_.Opacity();
  const bool goesOn = fade_.Tick(allowed_());
  if (fade_.Opacity() != before) ApplyOpacity();
  if (goesOn) return;
  timer_->stop();
  if (direction == FadeDirection::Out) fadedOut_();
}

void WindowFader::ApplyOpacity() { window_.setWindowOpacity(fade_.Opacity() / double{WindowFade::kOpaque}); }

}  // namespace ordonna
