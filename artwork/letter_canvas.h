#pragma once

#include <cstdint>
#include <functional>

#include "letter_outline.h"
#include "swf/swf_records.h"

namespace orvanta {
class TFlashMovie;
class TFlashShape;
class TFlashEdges;
class TFlashPlaceObject;
}  // namespace orvanta

namespace orvanta::artwork {

// The colour "Replace Color" turns into the user's colour: art letters are drawn in it, with
// lighter and darker tones of it for light and shade.
inline constexpr uint8_t kKeyRed = 180, kKeyGreen = 225, kKeyBlue = 245;

// A tone of the key colour: 0 is the key itself, -1 black, +1 white.
uint32_t Tone(double shade, uint8_t alpha = 255);

// One letter being drawn: its outline placed in the frame, and the layers stacked on it from
// the bottom up.
class TLetterCanvas {
 public:
  TLetterCanvas(TFlashMovie& movie, TLetterOutline glyph, int width, int height, uint32_t code);

  TFlashMovie& Movie() { return movie_; }
  const TLetterOutline& Glyph() const { return glyph_; }
  TBoxD Ink() const { return ink_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The character drawn; styles vary small details by it so that letters do not look stamped.
  uint32_t Code() const { return code_; }
  // A number from the code and a salt, 0 <= n < range, the same on every run.
  int Vary(int salt, int range) const;

  // A shape with bounds covering the frame (so gradients run over the whole letter height, the
  // same for every letter of a family): fill sets the styles, draw the outline.
  TFlashShape* Shape(const std::function<void(TFlashShape&)>& fill,
                     const std::function<void(TFlashEdges&)>& draw);
  // The glyph moved by (dx, dy), filled and optionally stroked (width 0 draws no line).
  TFlashShape* GlyphShape(const std::function<void(TFlashShape&)>& fill, double dx = 0,
                          double dy = 0, double stroke = 0, uint32_t strokeRgba = 0);

  // Places the shape on the next depth.
  TFlashPlaceObject* Put(TFlashShape* shape);
  // The layers that `layers` puts show only inside the mask shape.
  void Masked(TFlashShape* mask, const std::function<void()>& layers);

 private:
  TFlashMovie& movie_;
  TLetterOutline glyph_;
  TBoxD ink_;
  int width_, height_;
  uint32_t code_;
  uint16_t depth_ = 0;
};

// Fills for TLetterCanvas::Shape.
std::function<void(TFlashShape&)> Solid(uint32_t rgba);
// Top to bottom over the frame.
std::function<void(TFlashShape&)> Vertical(std::vector<uint32_t> colors);
// Left-top to right-bottom.
std::function<void(TFlashShape&)> Diagonal(std::vector<uint32_t> colors);
std::function<void(TFlashShape&)> Radial(std::vector<uint32_t> colors, int xCenter, int yCenter);

}  // namespace orvanta::artwork
