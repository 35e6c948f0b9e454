#pragma once

#include <vector>

#include "builders/animated_text/text_settings.h"

namespace orvanta {

// One picture of the text block and the main-timeline frames it stays for.
struct TTextStep {
  int Chars = -1;  // how many characters of the pass text show; -1 all
  int Rotation = 0;
  bool Plain = true;  // no swing, blur or laser
  int X = 0, Y = 0;   // added to the text position
  double ScaleX = 1, ScaleY = 1;
  int Alpha = 255;
  int Frames = 1;
};

// Frame counts from the user's times at the banner's rate; never below 1, so that a very low
// rate cannot divide by zero.
struct TEffectTiming {
  int N = 1;  // enter and exit frames
  int H = 1;  // display frames
  int M() const { return N / 2 > 0 ? N / 2 : 1; }
};
TEffectTiming TimingFor(const TAnimatedTextSettings& settings);

// The steps of one pass: the enter phase, the hold, and the exit phase where the effect has one.
struct TPassPlan {
  std::vector<TTextStep> Enter;
  std::vector<TTextStep> Hold;
  std::vector<TTextStep> Exit;
  bool FreshLettersForExit = false;  // the exit starts with new letter sprites
  int Frames() const;
  int Pictures() const { return int(Enter.size() + Hold.size() + Exit.size()); }
};

// textLength: characters of the pass text, line breaks included.
TPassPlan PlanPass(const TAnimatedTextSettings& settings, const TEffectTiming& timing,
                   int textLength);

}  // namespace orvanta
