// A window's opacity while it fades in or out, one step per timer tick. Plain arithmetic: the
// window applies the opacity and runs the timer (ui/WindowFader.h).
#pragma once

namespace ordonna {

enum class FadeDirection { None, In, Out };

class WindowFade {
 public:
  static constexpr int kOpaque = 255;
  static constexpr int kStep = 15;
  static constexpr int kTickMs = 15;

  // 0 (transparent) .. kOpaque.
  int Opacity() const { return opacity_; }
  FadeDirection Direction() const { return direction_; }
  // A fade-out has run to its end: the window may close.
  bool FadedOut() const { return fadedOut_; }

  void MakeTransparent() { opacity_ = 0; }
  void MakeOpaque() { opacity_ = kOpaque; }
  // A window shown again after a fade-out fades in afresh.
  void Start(FadeDirection direction);

  // One tick: true while the fade goes on. In rises to opaque; out falls while at least one
  // step is left. When `allowed` is false (fading switched off) the fade ends at once, and a
  // fade-in ended so leaves the window opaque, never translucent.
  bool Tick(bool allowed);

 private:
  int opacity_ = kOpaque;
  FadeDirection direction_ = FadeDirection::None;
  bool fadedOut_ = false;
};

}  // namespace ordonna
