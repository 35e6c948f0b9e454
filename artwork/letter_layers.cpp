#include "letter_layers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "movie/flash_edges.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

namespace {

int32_t Twips(double pixels) {
  return static_cast<int32_t>(std::lround(pixels * 20));
}

// The pen in twips for the duration of a drawing function.
void InTwips(TFlashEdges& pen, const std::function<void()>& draw) {
  const bool raw = pen.RawUnits;
  pen.RawUnits = true;
  draw();
  pen.RawUnits = raw;
}

void Circle(TFlashEdges& pen, double x, double y, double r) {
  pen.MoveTo(Twips(x - r), Twips(y - r));
  pen.MakeEllipse(Twips(2 * r), Twips(2 * r));
}

TFlashShape* GlyphMask(TLetterCanvas& c) {
  return c.GlyphShape(Solid(0xFFFFFFFFu));
}

}  // namespace

void Halo(TLetterCanvas& c, double width, uint32_t rgba, double dx, double dy) {
  c.Put(c.GlyphShape(Solid(rgba), dx, dy, width, rgba));
}

void Body(TLetterCanvas& c, const std::function<void(TFlashShape&)>& fill, double dx, double dy) {
  c.Put(c.GlyphShape(fill, dx, dy));
}

void Extrude(TLetterCanvas& c, int steps, double dx, double dy, double farTone, double nearTone,
             uint8_t alpha) {
  for (int i = steps; i >= 1; --i) {
    const double t = steps == 1 ? 1 : static_cast<double>(steps - i) / (steps - 1);
    Body(c, Solid(Tone(farTone + (nearTone - farTone) * t, alpha)), dx * i, dy * i);
  }
}

void Gloss(TLetterCanvas& c, uint8_t alpha, double reach) {
  const TBoxD ink = c.Ink();
  const double h = (ink.YMax - ink.YMin) * reach;
  c.Masked(GlyphMask(c), [&] {
    c.Put(c.Shape(Vertical({PackRGBA(255, 255, 255, alpha), PackRGBA(255, 255, 255, 0)}),
                  [&](TFlashEdges& pen) {
                    InTwips(pen, [&] {
                      pen.MoveTo(Twips(ink.XMin - 30), Twips(ink.YMin - h));
                      pen.MakeEllipse(Twips(ink.XMax - ink.XMin + 60), Twips(2 * h));
                    });
                  }));
  });
}

void DotFill(TLetterCanvas& c, double pitch, double r, uint32_t rgba, double rBottom) {
  if (rBottom < 0) rBottom = r;
  const TBoxD ink = c.Ink();
  c.Masked(GlyphMask(c), [&] {
    c.Put(c.Shape(Solid(rgba), [&](TFlashEdges& pen) {
      InTwips(pen, [&] {
        int row = 0;
        for (double y = ink.YMin; y <= ink.YMax + pitch; y += pitch, ++row)
          for (double x = ink.XMin - (row % 2 ? pitch / 2 : 0); x <= ink.XMax + pitch; x += pitch) {
            const double t =
                std::clamp((y - ink.YMin) / std::max(1.0, ink.YMax - ink.YMin), 0.0, 1.0);
            Circle(pen, x, y, r + (rBottom - r) * t);
          }
      });
    }));
  });
}

void Sparkle(TLetterCanvas& c, double x, double y, double r, uint32_t rgba) {
  c.Put(c.Shape(Solid(rgba), [&](TFlashEdges& pen) {
    InTwips(pen, [&] {
      const double k = r * 0.18;
      pen.MoveTo(Twips(x), Twips(y - r));
      pen.CurveTo(Twips(x + k), Twips(y - k), Twips(x + r), Twips(y));
      pen.CurveTo(Twips(x + k), Twips(y + k), Twips(x), Twips(y + r));
      pen.CurveTo(Twips(x - k), Twips(y + k), Twips(x - r), Twips(y));
      pen.CurveTo(Twips(x - k), Twips(y - k), Twips(x), Twips(y - r));
    });
  }));
}

void Stripes(TLetterCanvas& c, double angle, double pitch, double width, uint32_t rgba) {
  const double a = angle * std::numbers::pi / 180;
  const double ux = std::cos(a), uy = std::sin(a);  // along a stripe
  const double nx = -uy, ny = ux;                   // across the stripes
  const double reach = c.Width() + c.Height();
  c.Masked(GlyphMask(c), [&] {
    c.Put(c.Shape(Solid(rgba), [&](TFlashEdges& pen) {
      InTwips(pen, [&] {
        for (double d = -reach; d <= reach; d += pitch) {
          const double cx = c.Width() / 2.0 + nx * d, cy = c.Height() / 2.0 + ny * d;
          const double x0 = cx - ux * reach, y0 = cy - uy * reach;
          const double x1 = cx + ux * reach, y1 = cy + uy * reach;
          pen.MoveTo(Twips(x0), Twips(y0));
          pen.LineTo(Twips(x1), Twips(y1));
          pen.LineTo(Twips(x1 + nx * width), Twips(y1 + ny * width));
          pen.LineTo(Twips(x0 + nx * width), Twips(y0 + ny * width));
          pen.LineTo(Twips(x0), Twips(y0));
        }
      });
    }));
  });
}

std::vector<TPointD> BottomPoints(const TLetterCanvas& c, double gap) {
  const TBoxD ink = c.Ink();
  std::vector<TPointD> low;
  for (const auto& contour : c.Glyph().Contours)
    for (const TOutlineSegment& s : contour)
      if (s.To.Y >= ink.YMax - 1.5) low.push_back(s.To);
  std::sort(low.begin(), low.end(), [](TPointD a, TPointD b) { return a.X < b.X; });
  std::vector<TPointD> picked;
  for (TPointD p : low)
    if (picked.empty() || p.X - picked.back().X >= gap) picked.push_back(p);
  return picked;
}

void Drop(TLetterCanvas& c, double x, double y, double w, double length,
          const std::function<void(TFlashShape&)>& fill) {
  c.Put(c.Shape(fill, [&](TFlashEdges& pen) {
    InTwips(pen, [&] {
      const double tip = y + length;
      const double r = w * 0.3;
      pen.MoveTo(Twips(x - w / 2), Twips(y - 2));
      pen.LineTo(Twips(x + w / 2), Twips(y - 2));
      pen.CurveTo(Twips(x + w * 0.25), Twips(y + length * 0.5), Twips(x + r), Twips(tip - r));
      pen.CurveTo(Twips(x), Twips(tip + r * 0.6), Twips(x - r), Twips(tip - r));
      pen.CurveTo(Twips(x - w * 0.25), Twips(y + length * 0.5), Twips(x - w / 2), Twips(y - 2));
    });
  }));
}

}  // namespace orvanta::artwork
