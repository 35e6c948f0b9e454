#pragma once

#include <cstdint>

#include "builders/clips/clip_frame.h"

namespace orvanta {

class TFlashMovie;
class TFlashSprite;

// How one library clip enters the banner.
struct TClipLayerPlan {
  TClipFrame Frame;
  // Frames the layer stays empty, in steps of kDelayStep: one step per used layer above it.
  int DelaySteps = 0;
  int Rotation = 0;  // degrees
  static constexpr int kDelayStep = 20;
};

// Frames over which a turned, delayed clip fades in, and the mask's reveal length.
inline constexpr int kFadeFrames = 52;
inline constexpr int kRevealFrames = 30;
// The box the reveal mask is drawn for.
inline constexpr double kMaskWidth = 465, kMaskHeight = 350;

// The layer sprite around the imported clip: the wait, then the clip turned about its centre
// (fading in when it waits) or, unturned and waiting, revealed by the brush mask; a waiting
// layer stops once its clip shows. mask is the imported reveal mask, or none to show the clip
// unmasked.
TFlashSprite* BuildClipLayer(TFlashMovie& movie, TFlashSprite& clip, const TClipLayerPlan& plan,
                             TFlashSprite* mask);

}  // namespace orvanta
