// Shiny faces: glass, plastic, bubbles and solid extrusions, lit from the top left.

#include "letter_canvas.h"
#include "letter_layers.h"
#include "letter_styles.h"
#include "movie/flash_edges.h"

namespace orvanta::artwork {

void DrawGlass3D(TLetterCanvas& c) {
  // Seen-through depth, then a clear face with a bright rim and a gloss.
  Extrude(c, 7, 0.85, 0.85, -0.65, -0.3, 210);
  Halo(c, 2.5, PackRGBA(255, 255, 255, 200));
  Body(c, Vertical({Tone(0.55, 220), Tone(0.0, 200), Tone(-0.2, 220)}));
  Gloss(c, 210, 0.45);
}

void DrawPlastic(TLetterCanvas& c) {
  Halo(c, 4, PackRGBA(0, 0, 0, 70), 2, 3);
  Halo(c, 6, Tone(-0.55));
  Body(c, Vertical({Tone(0.4), Tone(0.0), Tone(-0.3)}));
  Gloss(c, 235, 0.4);
  const TBoxD ink = c.Ink();
  Sparkle(c, ink.XMin + 7, ink.YMin + 7, 5, PackRGBA(255, 255, 255, 230));
}

void DrawBubble(TLetterCanvas& c) {
  // The stroke rounds every corner: the letter is blown up like a balloon.
  Halo(c, 18, PackRGBA(0, 0, 0, 70), 2, 4);
  Halo(c, 16, Tone(-0.5));
  Halo(c, 11, Tone(0.05));
  Body(c, Radial({Tone(0.45), Tone(0.05), Tone(-0.15)}, 35, 30));
  // Two white gleams near the top left, like light on a soap bubble.
  const TBoxD ink = c.Ink();
  auto gleam = [&](double x, double y, double w, double h, uint8_t a) {
    c.Put(c.Shape(Solid(PackRGBA(255, 255, 255, a)), [&](TFlashEdges& pen) {
      pen.MoveTo(static_cast<int32_t>(x), static_cast<int32_t>(y));
      pen.MakeEllipse(static_cast<int32_t>(w), static_cast<int32_t>(h));
    }));
  };
  gleam(ink.XMin - 2, ink.YMin - 2, 11, 7, 220);
  gleam(ink.XMin + 11, ink.YMin - 1, 4, 4, 200);
}

void DrawExtruded3D(TLetterCanvas& c) {
  Extrude(c, 11, 0.9, 0.9, -0.8, -0.45);
  Halo(c, 2, Tone(-0.8));
  Body(c, Vertical({Tone(0.45), Tone(0.05), Tone(-0.1)}));
}

}  // namespace orvanta::artwork
