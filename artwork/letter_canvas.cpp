#include "letter_canvas.h"

#include <algorithm>
#include <cmath>

#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

uint32_t Tone(double shade, uint8_t alpha) {
  auto channel = [&](uint8_t key) {
    const double v = shade < 0 ? key * (1 + shade) : key + (255 - key) * shade;
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
  };
  return PackRGBA(channel(kKeyRed), channel(kKeyGreen), channel(kKeyBlue), alpha);
}

TLetterCanvas::TLetterCanvas(TFlashMovie& movie, TLetterOutline glyph, int width, int height,
                             uint32_t code)
    : movie_(movie),
      glyph_(std::move(glyph)),
      ink_(glyph_.Bounds()),
      width_(width),
      height_(height),
      code_(code) {}

int TLetterCanvas::Vary(int salt, int range) const {
  uint32_t h = code_ * 2654435761u ^ static_cast<uint32_t>(salt) * 40503u;
  h ^= h >> 15;
  h *= 2246822519u;
  h ^= h >> 13;
  return range > 0 ? static_cast<int>(h % static_cast<uint32_t>(range)) : 0;
}

TFlashShape* TLetterCanvas::Shape(const std::function<void(TFlashShape&)>& fill,
                                  const std::function<void(TFlashEdges&)>& draw) {
  TFlashShape* shape = movie_.AddShape();
  shape->SetBounds(-8, -8, width_ + 8, height_ + 8);
  if (fill) fill(*shape);
  draw(shape->Edges);
  shape->Edges.EndEdges();
  return shape;
}

TFlashShape* TLetterCanvas::GlyphShape(const std::function<void(TFlashShape&)>& fill, double dx,
                                       double dy, double stroke, uint32_t strokeRgba) {
  return Shape(
      [&](TFlashShape& shape) {
        if (fill) fill(shape);
        if (stroke > 0)
          shape.SetLineStyle(static_cast<int32_t>(std::lround(stroke)), TSWFRGBA(strokeRgba, true));
      },
      [&](TFlashEdges& pen) { glyph_.Draw(pen, dx, dy); });
}

TFlashPlaceObject* TLetterCanvas::Put(TFlashShape* shape) {
  return movie_.PlaceObject(shape, ++depth_);
}

void TLetterCanvas::Masked(TFlashShape* mask, const std::function<void()>& layers) {
  TFlashPlaceObject* clip = Put(mask);
  layers();
  clip->SetClipDepth(depth_);
}

std::function<void(TFlashShape&)> Solid(uint32_t rgba) {
  return [rgba](TFlashShape& shape) { shape.SetSolidColor(rgba); };
}

std::function<void(TFlashShape&)> Vertical(std::vector<uint32_t> colors) {
  return [colors](TFlashShape& shape) { shape.SetLinearGradient(colors, -90); };
}

std::function<void(TFlashShape&)> Diagonal(std::vector<uint32_t> colors) {
  return [colors](TFlashShape& shape) { shape.SetLinearGradient(colors, -45); };
}

std::function<void(TFlashShape&)> Radial(std::vector<uint32_t> colors, int xCenter, int yCenter) {
  return [=](TFlashShape& shape) { shape.SetRadialGradient(colors, xCenter, yCenter); };
}

}  // namespace orvanta::artwork
