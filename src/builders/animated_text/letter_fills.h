#pragma once

#include "builders/animated_text/text_kit.h"

namespace orvanta {

// What shows through a letter: placed under the letter's mask at a position in the letter,
// whose origin is the letter's centre.
struct TFillSource {
  TFlashVisualObject* Object = nullptr;
  int X = 0, Y = 0;
};

// The gradient of the letter at (x, y) of the block, X × V its size.
TFillSource GradientSource(TTextKit& kit, int X, int V, int x, int y);
// The shared texture, restarting in every letter or running across the block.
TFillSource TextureSource(const TTextKit& kit, int X, int V, int x, int y);

// The gradient types, by their stored index.
enum class TGradientType : uint8_t {
  LetterLinear = 0,
  TextLinear = 6,
  RandomLinear = 12,
  RandomRadial = 13,
  RoundLinear = 14,
  RoundRadial = 15,
};
// Centre of a fixed radial type in percent of its box, following its caption.
struct TPercentPoint {
  int X = 50, Y = 50;
};
TPercentPoint RadialCentre(int gradientType);

}  // namespace orvanta
