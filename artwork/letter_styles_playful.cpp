// Playful faces: sticker outlines, stripes and confetti in rounded and brush letters.

#include "letter_canvas.h"
#include "letter_layers.h"
#include "letter_styles.h"

namespace orvanta::artwork {

void DrawKid(TLetterCanvas& c) {
  // A cut-out sticker: dark edge, wide light border, flat body with a crayon stripe.
  Halo(c, 13, Tone(-0.6));
  Halo(c, 8, Tone(0.92));
  Body(c, Vertical({Tone(0.15), Tone(-0.1)}));
  Stripes(c, 0, 14, 3, Tone(0.4, 160));
}

void DrawFun(TLetterCanvas& c) {
  Halo(c, 10, PackRGBA(0, 0, 0, 100), 3, 4);
  Halo(c, 9, Tone(-0.65));
  Halo(c, 4, Tone(0.9));
  Body(c, Vertical({Tone(0.3), Tone(-0.15)}));
  Gloss(c, 150, 0.35);
}

void DrawFun2(TLetterCanvas& c) {
  Halo(c, 10, Tone(-0.7));
  Halo(c, 5, Tone(0.95));
  Body(c, Vertical({Tone(0.1), Tone(-0.25)}));
  // Confetti twinkles beside the letter, in tones of the colour.
  const TBoxD ink = c.Ink();
  Sparkle(c, ink.XMax - 3, ink.YMin + 4 + c.Vary(1, 10), 6, Tone(0.9));
  Sparkle(c, ink.XMin + 4 + c.Vary(2, 8), ink.YMax - 4, 4, Tone(-0.4));
}

void DrawFun3(TLetterCanvas& c) {
  Halo(c, 8, Tone(-0.7));
  Body(c, Solid(Tone(-0.15)));
  Stripes(c, 60, 11, 4.5, Tone(0.75));
  Gloss(c, 120, 0.35);
}

}  // namespace orvanta::artwork
