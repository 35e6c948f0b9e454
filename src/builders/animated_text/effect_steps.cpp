#include "builders/animated_text/effect_steps.h"

#include <algorithm>
#include <functional>

namespace orvanta {

namespace {

using TStepOf = std::function<TTextStep(int)>;

// Steps for c = 0 ... last.
std::vector<TTextStep> Steps(int last, const TStepOf& step) {
  std::vector<TTextStep> steps;
  for (int c = 0; c <= last; ++c) steps.push_back(step(c));
  return steps;
}

TTextStep Turned(int rotation) {
  TTextStep s;
  s.Rotation = rotation;
  return s;
}

TTextStep Prefix(int chars, int rotation, int frames) {
  TTextStep s = Turned(rotation);
  s.Chars = chars;
  s.Frames = frames;
  return s;
}

TTextStep Scaled(double sx, double sy, bool plain) {
  TTextStep s;
  s.ScaleX = sx;
  s.ScaleY = sy;
  s.Plain = plain;
  return s;
}

std::vector<TTextStep> EnterSteps(TTextEffect effect, int n, int m, int w, int h, int len) {
  const auto rotation = [n](int c) { return c * 1080 / n; };
  switch (effect) {
    case TTextEffect::None:
      return {};
    case TTextEffect::Round:
      return Steps(n, [&](int c) { return Turned(rotation(c)); });
    case TTextEffect::RoundZoom:
      return Steps(n, [&](int c) {
        const double s = 0.2 + 0.8 * c / n;
        TTextStep step = Scaled(s, s, true);
        step.Rotation = rotation(c);
        return step;
      });
    case TTextEffect::Zoom:
      return Steps(m, [&](int c) {
        const double s = 0.2 + 0.8 * c / m;
        return Scaled(s, s, true);
      });
    case TTextEffect::FlyRightToLeft:
      return Steps(m, [&](int c) {
        TTextStep step = Scaled(double(c) / m, 1, true);
        step.X = w * (m - c) / m - 5;
        return step;
      });
    case TTextEffect::FlyBottomToTop:
      return Steps(m, [&](int c) {
        TTextStep step = Scaled(1, double(c) / m, true);
        step.Y = (h * (m - c) / 2) / m - 5;
        return step;
      });
    case TTextEffect::FlyLeftToRight:
      return Steps(m, [&](int c) {
        TTextStep step = Scaled(double(c) / m, 1, true);
        step.X = (c - m) * w / m + 5;
        return step;
      });
    case TTextEffect::FlyTopToBottom:
      return Steps(m, [&](int c) {
        TTextStep step = Scaled(1, 2 - double(c) / m, true);
        step.Y = (c - m) * h / m + 5;
        return step;
      });
    case TTextEffect::Transparence:
      return Steps(n, [&](int c) {
        TTextStep step;
        step.Alpha = c * 254 / n;
        return step;
      });
    case TTextEffect::StepByStep:
      return Steps(n / 4, [&](int c) { return Prefix(c * 4 * len / n, 0, 4); });
    case TTextEffect::RoundStepByStep:
      return Steps(n, [&](int c) { return Prefix(c * len / n, rotation(c), 1); });
  }
  return {};
}

std::vector<TTextStep> ExitSteps(TTextEffect effect, int m) {
  switch (effect) {
    case TTextEffect::Zoom:
      return Steps(m, [&](int e) {
        const double s = 0.2 + 0.8 * (m - e) / m;
        return Scaled(s, s, false);
      });
    case TTextEffect::FlyRightToLeft:
    case TTextEffect::FlyLeftToRight:
      return Steps(m, [&](int k) { return Scaled(double(m - k) / m, 1, false); });
    case TTextEffect::FlyBottomToTop:
    case TTextEffect::FlyTopToBottom:
      return Steps(m, [&](int k) { return Scaled(1, double(m - k) / m, false); });
    default:
      return {};
  }
}

// Still text is drawn once for the whole display time; moving text is redrawn every 4 frames.
std::vector<TTextStep> HoldSteps(bool moves, int h) {
  TTextStep step;
  if (!moves) {
    step.Frames = h;
    return {step};
  }
  if (h <= 3) return {};
  step.Plain = false;
  step.Frames = 4;
  return std::vector<TTextStep>(size_t(h / 4), step);
}

}  // namespace

TEffectTiming TimingFor(const TAnimatedTextSettings& settings) {
  TEffectTiming t;
  t.N = std::max(1, settings.EnterExitMs * settings.FramesPerSecond / 1000);
  t.H = std::max(1, settings.DisplayMs * settings.FramesPerSecond / 1000);
  return t;
}

int TPassPlan::Frames() const {
  int frames = 0;
  for (const auto* phase : {&Enter, &Hold, &Exit})
    for (const TTextStep& step : *phase) frames += step.Frames;
  return frames;
}

TPassPlan PlanPass(const TAnimatedTextSettings& settings, const TEffectTiming& timing,
                   int textLength) {
  TPassPlan plan;
  plan.Enter = EnterSteps(settings.Effect, timing.N, timing.M(), settings.Width, settings.Height,
                          textLength);
  plan.Hold = HoldSteps(settings.MovesWhileHeld(), timing.H);
  plan.Exit = ExitSteps(settings.Effect, timing.M());
  plan.FreshLettersForExit = settings.Effect == TTextEffect::Zoom;
  return plan;
}

}  // namespace orvanta
