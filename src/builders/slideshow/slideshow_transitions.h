#pragma once

#include "builders/slideshow/slideshow_settings.h"

namespace orvanta {

class TFlashMovie;
class TFlashSprite;
class TRandom;

// The twelve transitions of the choice list, in its order.
enum class TTransition : int {
  QuadrateCell,
  CircleCell,
  RandomEffect1,
  RandomEffect2,
  BrushEffect,
  Transparence,
  RandomLine,
  RandomBox,
  MoveFly,
  MoveFly2,
  TransparencyLine,
  TransparencyLine2,
};
inline constexpr int kTransitionCount = 12;
// The first five reveal the photo through a mask movie of the data root.
inline bool UsesMaskMovie(int transition) {
  return transition >= 0 && transition <= 4;
}

// The frames a transition adds to the show; 0 for none.
int TransitionFrames(int transition);

// Where a transition draws: the show sprite S, the mask movie (transitions 0 ... 4) and the
// build's random source.
struct TTransitionStage {
  TFlashMovie& Movie;
  TFlashSprite& Show;
  const TSlideshowSettings& Settings;
  TFlashSprite* MaskMovie;
  TRandom& Random;
};

// Adds the frames that bring the photo sprite in at (cx, cy) over the photo shown so far; p is
// the photo's index, which picks the direction of the moving transitions.
void BuildTransition(TTransitionStage& stage, TFlashSprite& photo, int cx, int cy, int p);

}  // namespace orvanta
