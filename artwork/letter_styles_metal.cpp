// Metal faces: bands of light and shade across the body, bevels made of offset copies.

#include "letter_canvas.h"
#include "letter_layers.h"
#include "letter_styles.h"

namespace orvanta::artwork {

void DrawGold(TLetterCanvas& c) {
  Halo(c, 3, PackRGBA(0, 0, 0, 90), 3, 4);
  Halo(c, 5, Tone(-0.75));
  // Bevel: a light edge up-left, a dark edge down-right, the face between them.
  Body(c, Solid(Tone(0.85)), -1.2, -1.2);
  Body(c, Solid(Tone(-0.55)), 1.2, 1.2);
  Body(c, Vertical({Tone(0.75), Tone(0.15), Tone(-0.4), Tone(0.55), Tone(0.05), Tone(-0.3)}));
}

void DrawGold2(TLetterCanvas& c) {
  Halo(c, 10, PackRGBA(0, 0, 0, 80), 2, 3);
  Halo(c, 9, Tone(-0.65));
  Halo(c, 5, Tone(0.75));
  Body(c, Vertical({Tone(-0.35), Tone(0.65), Tone(0.0), Tone(-0.3)}));
  Gloss(c, 110, 0.3);
}

void DrawGold3(TLetterCanvas& c) {
  Halo(c, 4, Tone(-0.7));
  Body(c, Radial({Tone(0.9), Tone(0.25), Tone(-0.25), Tone(-0.5)}, 30, 25));
  Gloss(c, 90, 0.25);
  // Glints on the upper outline, at a place that changes from letter to letter.
  const TBoxD ink = c.Ink();
  const double x = ink.XMin + (ink.XMax - ink.XMin) * (0.25 + c.Vary(1, 50) / 100.0);
  Sparkle(c, x, ink.YMin + 6, 9, PackRGBA(255, 255, 255, 235));
  if (ink.XMax - ink.XMin > 40)
    Sparkle(c, ink.XMax - 8 - c.Vary(2, 10), ink.YMax - 10 - c.Vary(3, 15), 5,
            PackRGBA(255, 255, 255, 200));
}

}  // namespace orvanta::artwork
