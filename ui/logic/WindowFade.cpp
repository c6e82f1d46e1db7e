// The opacity steps of fading.
#include "ui/logic/WindowFade.h"

#include <algorithm>

namespace ordonna {

void WindowFade::Start(FadeDirection direction) {
  direction_ = direction;
  if (direction == FadeDirection::In) fadedOut_ = false;
}

bool WindowFade::Tick(bool allowed) {
  if (allowed && direction_ == FadeDirection::In && opacity_ < kOpaque) {
    opacity_ = std::min(kOpaque, opacity_ + kStep);
    return true;
  }
  if (allowed && direction_ == FadeDirection::Out && opacity_ >= kStep) {
    opacity_ -= kStep;
    return true;
  }
  const FadeDirection ended = direction_;
  direction_ = FadeDirection::None;
  if (ended == FadeDirection::In) opacity_ = kOpaque;
  if (ended == FadeDirection::Out) fadedOut_ = true;
  return false;
}

}  // namespace ordonna
