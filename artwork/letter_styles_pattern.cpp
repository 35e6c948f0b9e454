// Patterned faces: dots, a block with the letter set into it, a letter broken in two.

#include <cmath>

#include "letter_canvas.h"
#include "letter_layers.h"
#include "letter_styles.h"
#include "movie/flash_edges.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

namespace {

int32_t Twips(double pixels) {
  return static_cast<int32_t>(std::lround(pixels * 20));
}

}  // namespace

void DrawDot2(TLetterCanvas& c) {
  Halo(c, 5, Tone(-0.8));
  Body(c, Solid(Tone(-0.5)));
  DotFill(c, 7, 2.9, Tone(0.1));
  Gloss(c, 100, 0.4);
}

void DrawDot3(TLetterCanvas& c) {
  // A halftone: pale paper inside a dark rim, dots growing from fine at the top to heavy at
  // the foot.
  Halo(c, 5, Tone(-0.7));
  Body(c, Solid(Tone(0.75)));
  DotFill(c, 6, 0.8, Tone(-0.35), 3.4);
}

void DrawInverted(TLetterCanvas& c) {
  // A key-coloured tile; the letter is set into it, dark, with a light lower edge.
  const int w = c.Width(), h = c.Height();
  c.Put(c.Shape(Vertical({Tone(0.35), Tone(0.0), Tone(-0.3)}), [&](TFlashEdges& pen) {
    pen.MoveTo(1, 2);
    pen.MakeRoundRect(w - 2, h - 4, 8);
  }));
  c.Put(c.Shape([](TFlashShape& shape) { shape.SetLineStyle(2, TSWFRGBA(Tone(-0.55), true)); },
                [&](TFlashEdges& pen) {
                  pen.MoveTo(1, 2);
                  pen.MakeRoundRect(w - 2, h - 4, 8);
                }));
  Body(c, Solid(Tone(0.7)), 1, 1.5);
  Body(c, Vertical({Tone(-0.85), Tone(-0.65)}));
}

void DrawBreak(TLetterCanvas& c) {
  // A crack runs down the letter; each half moves away from it with its piece of the letter,
  // leaving a gap, and keeps its own rim.
  const TBoxD ink = c.Ink();
  const double mid = (ink.XMin + ink.XMax) / 2 + (c.Vary(1, 9) - 4);
  std::vector<TPointD> crack;
  const int steps = 6;
  for (int i = 0; i <= steps; ++i) {
    const double y = -10 + (c.Height() + 20) * i / steps;
    crack.push_back({mid + (i % 2 ? 1 : -1) * (3 + c.Vary(10 + i, 6)), y});
  }
  auto half = [&](bool left, double dx, double dy) {
    c.Masked(c.Shape(Solid(0xFFFFFFFFu),
                     [&](TFlashEdges& pen) {
                       pen.RawUnits = true;
                       const double edge = left ? -20 : c.Width() + 20;
                       pen.MoveTo(Twips(edge), Twips(crack.front().Y + dy));
                       for (TPointD p : crack) pen.LineTo(Twips(p.X + dx), Twips(p.Y + dy));
                       pen.LineTo(Twips(edge), Twips(crack.back().Y + dy));
                       pen.LineTo(Twips(edge), Twips(crack.front().Y + dy));
                     }),
             [&] {
               Halo(c, 4, Tone(-0.75), dx, dy);
               Body(c, Vertical({Tone(0.3), Tone(0.0), Tone(-0.25)}), dx, dy);
             });
  };
  half(true, -2.2, -1.2);
  half(false, 2.2, 1.2);
  // A hairline crack branching off the main one, only where there is letter.
  c.Masked(c.GlyphShape(Solid(0xFFFFFFFFu)), [&] {
    c.Put(
        c.Shape([](TFlashShape& shape) { shape.SetLineStyle(1, TSWFRGBA(Tone(-0.8, 200), true)); },
                [&](TFlashEdges& pen) {
                  pen.RawUnits = true;
                  const TPointD from = crack[2 + c.Vary(20, 3)];
                  pen.MoveTo(Twips(from.X), Twips(from.Y));
                  pen.LineTo(Twips(from.X + 9), Twips(from.Y + 5));
                  pen.LineTo(Twips(from.X + 14), Twips(from.Y + 3));
                }));
  });
}

}  // namespace orvanta::artwork
