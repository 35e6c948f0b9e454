#pragma once

#include <map>
#include <string>

#include "builders/animated_text/text_measure.h"
#include "builders/animated_text/text_settings.h"

namespace orvanta {

class TFlashFont;
class TFlashMovie;
class TFlashShape;
class TFlashSprite;
class TFlashVisualObject;
class TRandom;
class TTemplatePack;

// The size of the whole text block, the same for every frame of a build.
struct TBlockLayout {
  int Width = 0;       // the widest line with its letter spacing
  int LineHeight = 0;  // the last line's
  int Height = 0;      // one line in "Line By Line", every line in "Show All"
};
TBlockLayout MeasureBlock(const TAnimatedTextSettings& settings, TTextMeasurer& measure);

// What the letters of one build share: the movie they go into, the font, the texture and the
// foreground animation made once, and the letter sprites of the pass being built (by depth
// index; a later frame of the pass places the same sprite again).
struct TTextKit {
  TFlashMovie& Movie;
  const TAnimatedTextSettings& Settings;
  TTextMeasurer& Measure;
  TRandom& Random;
  const TTemplatePack* Templates = nullptr;
  TBlockLayout Block;
  TFlashFont* Font = nullptr;
  TFlashShape* Texture = nullptr;            // none: texture letters show nothing
  TFlashVisualObject* Foreground = nullptr;  // the shared import of effects 3 to 6
  std::map<int, TFlashSprite*> Letters;
  int MotionCounter = 0;
  bool BlockPlaced = false;  // a previous frame's block stands at the text depth
  uint16_t Depth = 1000;     // the text block's depth in the main movie
};

}  // namespace orvanta
