// The opacity steps of fading in and out, and a fade ended by switching fading off.
#include "ui/logic/WindowFade.h"

#include <gtest/gtest.h>

#include <vector>

namespace ordonna {
namespace {

// The opacities a fade passes through until it ends, `allowed` until tick `allowedTicks`.
std::vector<int> Opacities(WindowFade& fade, FadeDirection direction, int allowedTicks = 1000) {
  std::vector<int> seen;
  fade.Start(direction);
  for (int tick = 0; fade.Tick(tick < allowedTicks); ++tick) seen.push_back(fade.Opacity());
  return seen;
}

TEST(WindowFade, InRisesBy15ToOpaqueAndOutFallsWhileAStepIsLeft) {
  WindowFade fade;
  fade.MakeTransparent();
  const std::vector<int> in = Opacities(fade, FadeDirection::In);
  ASSERT_EQ(in.size(), 17u);
  EXPECT_EQ(in.front(), 15);
  EXPECT_EQ(in.back(), 255);
  EXPECT_FALSE(fade.FadedOut());
  const std::vector<int> out = Opacities(fade, FadeDirection::Out);
  ASSERT_EQ(out.size(), 17u);
  EXPECT_EQ(out.front(), 240);
  EXPECT_EQ(out.back(), 0);
  EXPECT_TRUE(fade.FadedOut());
  EXPECT_EQ(fade.Direction(), FadeDirection::None);
  Opacities(fade, FadeDirection::In);
  EXPECT_FALSE(fade.FadedOut()) << "shown again";
}

TEST(WindowFade, SwitchedOffHalfWay) {
  WindowFade in;
  in.MakeTransparent();
  EXPECT_EQ(Opacities(in, FadeDirection::In, 3), (std::vector{15, 30, 45}));
  EXPECT_EQ(in.Opacity(), 255) << "never left translucent";
  WindowFade out;
  EXPECT_TRUE(Opacities(out, FadeDirection::Out, 0).empty());
  EXPECT_TRUE(out.FadedOut()) << "the window closes at once";
  EXPECT_EQ(out.Opacity(), 255);
}

}  // namespace
}  // namespace ordonna
