#include <gtest/gtest.h>

#include "builders/animated_text/effect_steps.h"
#include "builders/animated_text/text_frame.h"

namespace orvanta {
namespace {

TAnimatedTextSettings Settings(TTextEffect effect, int fps = 12) {
  TAnimatedTextSettings s;
  s.Effect = effect;
  s.FramesPerSecond = fps;
  s.Width = 400;
  s.Height = 200;
  return s;
}

int Frames(const std::vector<TTextStep>& steps) {
  int frames = 0;
  for (const TTextStep& step : steps) frames += step.Frames;
  return frames;
}

TEST(AnimatedTextEffects, EveryEffectHasTheEnterAndExitFramesOfItsTimes) {
  // 2500 ms at 12 fps: n = 30, m = 15; the display time is held in one still picture.
  struct TCase {
    TTextEffect Effect;
    int Enter, Exit;
  };
  const TCase cases[] = {{TTextEffect::None, 0, 0},
                         {TTextEffect::Round, 31, 0},
                         {TTextEffect::RoundZoom, 31, 0},
                         {TTextEffect::Zoom, 16, 16},
                         {TTextEffect::FlyRightToLeft, 16, 16},
                         {TTextEffect::FlyBottomToTop, 16, 16},
                         {TTextEffect::FlyLeftToRight, 16, 16},
                         {TTextEffect::FlyTopToBottom, 16, 16},
                         {TTextEffect::Transparence, 31, 0},
                         {TTextEffect::StepByStep, 32, 0},
                         {TTextEffect::RoundStepByStep, 31, 0}};
  for (const TCase& c : cases) {
    const TAnimatedTextSettings s = Settings(c.Effect);
    const TPassPlan plan = PlanPass(s, TimingFor(s), 5);
    SCOPED_TRACE(int(c.Effect));
    EXPECT_EQ(Frames(plan.Enter), c.Enter);
    EXPECT_EQ(Frames(plan.Exit), c.Exit);
    ASSERT_EQ(plan.Hold.size(), 1u);
    EXPECT_EQ(plan.Hold[0].Frames, 30);
    EXPECT_EQ(plan.Frames(), c.Enter + 30 + c.Exit);
    EXPECT_EQ(plan.FreshLettersForExit, c.Effect == TTextEffect::Zoom);
  }
}

TEST(AnimatedTextEffects, RoundTurnsThreeTimesInWholeDegreesAndEndsUpright) {
  const TAnimatedTextSettings s = Settings(TTextEffect::Round);
  const TPassPlan plan = PlanPass(s, TimingFor(s), 3);
  ASSERT_EQ(plan.Enter.size(), 31u);
  for (int c = 0; c <= 30; ++c) {
    EXPECT_EQ(plan.Enter[c].Rotation, c * 36);
    EXPECT_TRUE(plan.Enter[c].Plain);
  }
}

TEST(AnimatedTextEffects, StepByStepShowsFourFramesPerStepStartingEmpty) {
  const TAnimatedTextSettings s = Settings(TTextEffect::StepByStep);
  const TPassPlan plan = PlanPass(s, TimingFor(s), 10);
  ASSERT_EQ(plan.Enter.size(), 8u);  // c = 0 ... 7
  EXPECT_EQ(plan.Enter[0].Chars, 0);
  EXPECT_EQ(plan.Enter[1].Chars, 1);  // 4 * 10 / 30
  EXPECT_EQ(plan.Enter[7].Chars, 9);
  for (const TTextStep& step : plan.Enter) EXPECT_EQ(step.Frames, 4);
}

TEST(AnimatedTextEffects, MovingTextIsRedrawnEveryFourHeldFramesAndNotAtAllBelowFour) {
  TAnimatedTextSettings s = Settings(TTextEffect::None);
  s.JitterX = 2;
  s.DisplayMs = 250;  // h = 3
  EXPECT_TRUE(PlanPass(s, TimingFor(s), 3).Hold.empty());
  s.DisplayMs = 2500;  // h = 30
  const TPassPlan plan = PlanPass(s, TimingFor(s), 3);
  ASSERT_EQ(plan.Hold.size(), 7u);
  EXPECT_EQ(Frames(plan.Hold), 28);
  EXPECT_FALSE(plan.Hold[0].Plain);
  s.JitterX = 0;
  s.Motion = TLetterMotion::Blur;
  EXPECT_EQ(PlanPass(s, TimingFor(s), 3).Hold.size(), 7u);
}

TEST(AnimatedTextEffects, FlyingTextStartsOffItsPlaceAndLandsOnIt) {
  const TAnimatedTextSettings up = Settings(TTextEffect::FlyBottomToTop);
  const TPassPlan rising = PlanPass(up, TimingFor(up), 3);
  EXPECT_EQ(rising.Enter.front().Y, 200 / 2 - 5);  // half a banner below
  EXPECT_EQ(rising.Enter.back().Y, -5);
  EXPECT_DOUBLE_EQ(rising.Enter.front().ScaleY, 0);

  const TAnimatedTextSettings down = Settings(TTextEffect::FlyTopToBottom);
  const TPassPlan falling = PlanPass(down, TimingFor(down), 3);
  EXPECT_EQ(falling.Enter.front().Y, -200 + 5);  // a full banner above, twice as tall
  EXPECT_DOUBLE_EQ(falling.Enter.front().ScaleY, 2);
  EXPECT_DOUBLE_EQ(falling.Enter.back().ScaleY, 1);

  const TAnimatedTextSettings left = Settings(TTextEffect::FlyRightToLeft);
  const TPassPlan flying = PlanPass(left, TimingFor(left), 3);
  EXPECT_EQ(flying.Enter.front().X, 400 - 5);
  EXPECT_DOUBLE_EQ(flying.Exit.back().ScaleX, 0);
  EXPECT_FALSE(flying.Exit.front().Plain);
}

TEST(AnimatedTextEffects, ALowFrameRateGivesAtLeastOneStepInsteadOfDividingByZero) {
  TAnimatedTextSettings s = Settings(TTextEffect::Zoom, 1);
  s.EnterExitMs = 500;  // n = 0, m = 0 before clamping
  const TPassPlan plan = PlanPass(s, TimingFor(s), 3);
  EXPECT_EQ(plan.Enter.size(), 2u);
  EXPECT_DOUBLE_EQ(plan.Enter.back().ScaleX, 1);
}

TEST(AnimatedTextEffects, SwingRocksBetweenItsTwoExtremes) {
  EXPECT_EQ(SwingAngle(0), 12);
  EXPECT_EQ(SwingAngle(20), -8);
  EXPECT_EQ(SwingAngle(41), 12);
}

}  // namespace
}  // namespace orvanta
