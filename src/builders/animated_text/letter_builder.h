#pragma once

#include "builders/animated_text/text_kit.h"

namespace orvanta {

// Letters stand in the block at this depth and up, one depth per character.
inline constexpr int kFirstLetterDepth = 1000;

// One letter of a frame: where it stands in the block (its box's top left), its turn and look.
struct TLetterRequest {
  char16_t Char = u' ';
  int Rotation = 0;
  int Index = 1000;  // depth in the block; also picks the random colour
  int X = 0, Y = 0;
  int Alpha = 255;
  double HeightScale = 1, WidthScale = 1;
};

// Adds the letter to the block: a wrapper sprite that places the letter sprite (built on first
// use in the pass, then taken from the kit's cache) with this frame's jitter, turn and scale.
void BuildLetter(TTextKit& kit, TFlashSprite& block, const TLetterRequest& letter);

// The offset of a drop shadow in the direction its caption names, for a shadow of width s.
struct TOffset {
  int X = 0, Y = 0;
};
TOffset ShadowOffset(int position, int s);

}  // namespace orvanta
