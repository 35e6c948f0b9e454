// Frozen faces: frost rims, icicles and glints.

#include "letter_canvas.h"
#include "letter_layers.h"
#include "letter_styles.h"

namespace orvanta::artwork {

void DrawIce(TLetterCanvas& c) {
  Halo(c, 5, Tone(0.8, 230));
  Halo(c, 1.5, Tone(-0.35));
  Body(c, Vertical({Tone(0.85), Tone(0.1), Tone(-0.15)}));
  // Icicles under the bottom edge, each its own length.
  int i = 0;
  for (TPointD p : BottomPoints(c, 12))
    Drop(c, p.X, p.Y, 7, 7 + c.Vary(i++, 11), Vertical({Tone(0.1), Tone(0.9, 200)}));
  Gloss(c, 180, 0.35);
  const TBoxD ink = c.Ink();
  Sparkle(c, ink.XMax - 5, ink.YMin + 6, 6, PackRGBA(255, 255, 255, 240));
}

void DrawBlackIce(TLetterCanvas& c) {
  Halo(c, 12, PackRGBA(0, 0, 0, 120), 2, 3);
  Halo(c, 9, Tone(-0.93));
  Halo(c, 3, Tone(0.75));
  Body(c, Vertical({Tone(-0.15), Tone(0.3), Tone(-0.35)}));
  // Streaks of frost across the face.
  Stripes(c, -60, 16, 2.5, Tone(0.9, 170));
  int i = 0;
  for (TPointD p : BottomPoints(c, 18))
    Drop(c, p.X, p.Y + 3, 5, 4 + c.Vary(i++, 6), Solid(Tone(-0.93)));
}

}  // namespace orvanta::artwork
