#pragma once

#include "builders/animated_text/letter_fills.h"

namespace orvanta {

class TDataRoot;

// The data file a foreground effect imports ("albumboader/text_effect1.swf" for Effect3 ...);
// empty for the effects drawn here.
const char* ForegroundEffectFile(int effect);

// The content of foreground effect 1 ... 6 for a letter of size X × V, with the alpha it is
// placed with; none when the effect needs the shared import and the build has none.
struct TForegroundContent {
  TFillSource Source;
  int Alpha = 255;
  int Rotation = 0;  // degrees
  double Scale = 1;
};
TForegroundContent ForegroundEffect(TTextKit& kit, int effect, int X, int V);

}  // namespace orvanta
