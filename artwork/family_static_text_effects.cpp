// Bands behind the static texts. The builder shows each through a mask the size of its text
// block, from (-10, -10) to the text's width + 10 and 100 down, so every band covers
// (-10, -10) to (810, 110) and looks right wherever it is cut. Ten of them are also library
// clips, whose frame is the 800 x 110 design size.

#include <cmath>
#include <functional>
#include <numbers>

#include "art_movie.h"
#include "artwork_output.h"
#include "effect_shapes.h"
#include "families.h"
#include "movie/flash_edges.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

namespace {

constexpr int32_t kLeft = -10, kTop = -10, kRight = 810, kBottom = 110;

uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  return PackRGBA(r, g, b, a);
}

struct TBand {
  TFlashMovie& Movie;
  uint16_t Depth = 0;

  void Put(TFlashShape* shape) { Movie.PlaceObject(shape, ++Depth); }
  // The whole band in one fill.
  TFlashShape* Back(const std::function<void(TFlashShape&)>& fill) {
    TFlashShape* shape = Movie.AddRectangle(kLeft, kTop, kRight, kBottom);
    fill(*shape);
    Put(shape);
    return shape;
  }
  // A shape over the band drawn by `draw` in pixels, in one colour.
  void Layer(uint32_t rgba, const std::function<void(TFlashEdges&)>& draw) {
    TFlashShape* shape = Movie.AddShape();
    shape->SetBounds(kLeft, kTop, kRight, kBottom);
    shape->SetSolidColor(rgba);
    draw(shape->Edges);
    shape->Edges.EndEdges();
    Put(shape);
  }
};

void Rect(TFlashEdges& pen, int32_t x, int32_t y, int32_t w, int32_t h) {
  pen.MoveTo(x, y);
  pen.MakeRectangle(w, h);
}

void Disc(TFlashEdges& pen, int32_t x, int32_t y, int32_t r) {
  pen.MoveTo(x - r, y - r);
  pen.MakeEllipse(2 * r, 2 * r);
}

// A soft sky-blue wash that fades out to the right.
void SoftWash(TBand& b) {
  b.Back([](TFlashShape& s) {
    s.SetLinearGradient(std::vector<uint32_t>{Rgba(120, 180, 240, 200), Rgba(180, 215, 250, 120),
                                              Rgba(220, 235, 255, 60)},
                        0);
  });
}

// Fine horizontal pinstripes on pale grey.
void Pinstripes(TBand& b) {
  b.Back([](TFlashShape& s) { s.SetSolidColor(Rgba(236, 238, 242)); });
  b.Layer(Rgba(150, 165, 190), [](TFlashEdges& pen) {
    for (int32_t y = kTop; y < kBottom; y += 6) Rect(pen, kLeft, y, kRight - kLeft, 1);
  });
}

// A glossy ribbon: dark blue below, a bright sheen across its upper half.
void GlossRibbon(TBand& b) {
  b.Back([](TFlashShape& s) {
    s.SetLinearGradient(
        std::vector<uint32_t>{Rgba(20, 60, 130), Rgba(40, 110, 200), Rgba(20, 50, 110)}, -90);
  });
  b.Layer(Rgba(255, 255, 255, 60),
          [](TFlashEdges& pen) { Rect(pen, kLeft, kTop, kRight - kLeft, 50); });
  b.Layer(Rgba(255, 255, 255, 110),
          [](TFlashEdges& pen) { Rect(pen, kLeft, 0, kRight - kLeft, 2); });
}

// Candy stripes at 45 degrees, pink on white.
void CandyStripes(TBand& b) {
  b.Back([](TFlashShape& s) { s.SetSolidColor(Rgba(255, 246, 250)); });
  b.Layer(Rgba(250, 150, 190, 200), [](TFlashEdges& pen) {
    for (int32_t x = kLeft - 130; x < kRight; x += 28) {
      pen.MoveTo(x, kBottom);
      pen.LineTo(x + 12, kBottom);
      pen.LineTo(x + 12 + 120, kTop);
      pen.LineTo(x + 120, kTop);
      pen.LineTo(x, kBottom);
    }
  });
}

// A halftone: dots that shrink from left to right.
void Halftone(TBand& b) {
  b.Back([](TFlashShape& s) { s.SetSolidColor(Rgba(255, 250, 225)); });
  b.Layer(Rgba(240, 150, 40, 210), [](TFlashEdges& pen) {
    for (int32_t x = kLeft; x <= kRight; x += 12)
      for (int32_t y = kTop + 4; y <= kBottom; y += 12) {
        const int32_t r = static_cast<int32_t>(std::lround(5.5 - 4.5 * (x - kLeft) / 820.0));
        if (r > 0) Disc(pen, x, y, r);
      }
  });
}

// Waves: three flowing lines over pale sea green.
void Waves(TBand& b) {
  b.Back([](TFlashShape& s) {
    s.SetLinearGradient(std::vector<uint32_t>{Rgba(210, 245, 235), Rgba(150, 220, 210)}, -90);
  });
  for (int k = 0; k < 3; ++k)
    b.Layer(Rgba(40, 150, 160, static_cast<uint8_t>(170 - k * 40)), [k](TFlashEdges& pen) {
      const int32_t base = 20 + k * 30, amp = 8, band = 6;
      pen.MoveTo(kLeft, base);
      for (int32_t x = kLeft; x < kRight; x += 40)
        pen.CurveTo(x + 20, base + ((x / 40) % 2 ? amp : -amp) * 2, x + 40, base);
      pen.LineTo(kRight, base + band);
      for (int32_t x = kRight; x > kLeft; x -= 40)
        pen.CurveTo(x - 20, base + band + ((x / 40) % 2 ? -amp : amp) * 2, x - 40, base + band);
      pen.LineTo(kLeft, base);
    });
}

// A small checkerboard in two soft greys.
void Checks(TBand& b) {
  b.Back([](TFlashShape& s) { s.SetSolidColor(Rgba(235, 235, 240)); });
  b.Layer(Rgba(200, 205, 220), [](TFlashEdges& pen) {
    for (int32_t y = kTop; y < kBottom; y += 10)
      for (int32_t x = kLeft + ((y - kTop) / 10 % 2) * 10; x < kRight; x += 20)
        Rect(pen, x, y, 10, 10);
  });
}

// A warm spotlight glowing out of the left of the band.
void Spotlight(TBand& b) {
  b.Back([](TFlashShape& s) { s.SetSolidColor(Rgba(40, 20, 50)); });
  TFlashShape* glow = AddGlow(
      b.Movie, 260, {Rgba(255, 220, 140, 230), Rgba(200, 80, 120, 120), Rgba(40, 20, 50, 0)});
  b.Movie.PlaceObject(glow, ++b.Depth)->SetTranslate(120, 50);
}

// Scanlines: a dark screen with bright green lines.
void Scanlines(TBand& b) {
  b.Back([](TFlashShape& s) {
    s.SetLinearGradient(std::vector<uint32_t>{Rgba(0, 40, 20), Rgba(0, 70, 35), Rgba(0, 40, 20)},
                        -90);
  });
  b.Layer(Rgba(120, 255, 170, 70), [](TFlashEdges& pen) {
    for (int32_t y = kTop; y < kBottom; y += 4) Rect(pen, kLeft, y, kRight - kLeft, 2);
  });
}

// A double rule: heavy navy bars at top and bottom with fine gold lines inside them.
void DoubleRule(TBand& b) {
  b.Back([](TFlashShape& s) { s.SetSolidColor(Rgba(250, 248, 240)); });
  b.Layer(Rgba(25, 40, 90), [](TFlashEdges& pen) {
    Rect(pen, kLeft, kTop, kRight - kLeft, 14);
    Rect(pen, kLeft, kBottom - 14, kRight - kLeft, 14);
  });
  b.Layer(Rgba(210, 170, 60), [](TFlashEdges& pen) {
    Rect(pen, kLeft, kTop + 18, kRight - kLeft, 2);
    Rect(pen, kLeft, kBottom - 20, kRight - kLeft, 2);
  });
}

// Chevrons pointing right, in two greens.
void Chevrons(TBand& b) {
  b.Back([](TFlashShape& s) { s.SetSolidColor(Rgba(225, 245, 215)); });
  b.Layer(Rgba(120, 190, 90, 200), [](TFlashEdges& pen) {
    for (int32_t x = kLeft - 60; x < kRight; x += 40) {
      pen.MoveTo(x, kTop);
      pen.LineTo(x + 16, kTop);
      pen.LineTo(x + 76, 50);
      pen.LineTo(x + 16, kBottom);
      pen.LineTo(x, kBottom);
      pen.LineTo(x + 60, 50);
      pen.LineTo(x, kTop);
    }
  });
}

// Bokeh: soft circles of light on deep blue.
void Bokeh(TBand& b) {
  b.Back([](TFlashShape& s) {
    s.SetLinearGradient(std::vector<uint32_t>{Rgba(10, 20, 60), Rgba(50, 30, 90)}, 0);
  });
  TFlashShape* light = AddGlow(
      b.Movie, 30, {Rgba(255, 240, 200, 150), Rgba(255, 200, 150, 90), Rgba(255, 180, 120, 0)});
  TParticleRandom random(34);
  for (int i = 0; i < 26; ++i) {
    auto* place = b.Movie.PlaceObject(light, ++b.Depth);
    const double s = random.Range(0.4, 1.2);
    place->SetScale(s, s);
    place->SetTranslate(
        static_cast<int32_t>(kLeft + (i + random.Range(0, 1)) * (kRight - kLeft) / 26),
        static_cast<int32_t>(random.Range(kTop, kBottom)));
  }
}

struct TStaticEffect {
  const char* Name;
  void (*Draw)(TBand& band);
};

}  // namespace

void GenerateStaticTextEffects(TArtworkOutput& output) {
  const TStaticEffect effects[] = {
      {"texteffect1", SoftWash}, {"line10", Pinstripes}, {"texteffect3", GlossRibbon},
      {"line16", CandyStripes},  {"line4", Halftone},    {"line25", Waves},
      {"line31", Checks},        {"line57", Spotlight},  {"line_097", Scanlines},
      {"line2", DoubleRule},     {"line22", Chevrons},   {"line34", Bokeh},
  };
  for (const TStaticEffect& effect : effects) {
    auto movie = NewArtMovie(800, 110);
    TBand band{*movie};
    effect.Draw(band);
    movie->ShowFrame();
    output.AddTemplate("static-text-background", effect.Name, MovieBytes(*movie));
  }
}

}  // namespace orvanta::artwork
