#pragma once

#include <string>

#include "builders/animated_text/text_kit.h"

namespace orvanta {

// One picture of the text block: the text (lines joined by "\n"), its turn, offsets added to the
// text position, block scale and alpha; plain frames get no swing, blur or laser.
struct TFrameRequest {
  std::u16string Text;
  int Rotation = 0;
  bool Plain = true;
  int Y = 0, X = 0;
  double ScaleY = 1, ScaleX = 1;
  int Alpha = 255;
};

// Replaces the block at the text depth of the main movie with a new one; the caller closes the
// frame.
void BuildTextFrame(TTextKit& kit, const TFrameRequest& frame);

// The swing's angle in degrees at a motion count: it rocks between -8 and 12.
int SwingAngle(int motionCounter);

}  // namespace orvanta
