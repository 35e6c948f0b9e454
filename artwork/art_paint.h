#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "movie/flash_edges.h"

namespace orvanta {
class TFlashMovie;
class TFlashShape;
}  // namespace orvanta

namespace orvanta::artwork {

// Colours are packed RGBA as the library takes them (red in the low byte, alpha on top).
uint32_t Rgb(uint32_t hex, uint8_t alpha = 255);  // from 0xRRGGBB
uint32_t Mix(uint32_t from, uint32_t to, double t);
uint32_t Lighter(uint32_t rgba, double t);
uint32_t Darker(uint32_t rgba, double t);
uint32_t WithAlpha(uint32_t rgba, uint8_t alpha);
// The same colour turned round the colour wheel by degrees.
uint32_t HueShift(uint32_t rgba, double degrees);

struct TStop {
  uint8_t Ratio;
  uint32_t Color;
};

// How a shape is filled: one colour, a linear gradient (angle 0 runs left to right, 90 top to
// bottom) or a radial gradient centred at a point given in percent of the shape's box.
struct TPaint {
  enum class TKind { Solid, Linear, Radial } Kind = TKind::Solid;
  std::vector<TStop> Stops;
  double Angle = 0;
  int32_t CenterX = 50, CenterY = 50;

  static TPaint Solid(uint32_t color);
  static TPaint Linear(double angle, std::vector<TStop> stops);
  static TPaint Vertical(uint32_t top, uint32_t bottom);
  static TPaint Radial(int32_t cx, int32_t cy, std::vector<TStop> stops);
};

// Draws filled shapes one above the other on a movie's first frame (or a sprite's, through the
// same movie), each at the next depth.
class TArtCanvas {
 public:
  explicit TArtCanvas(TFlashMovie& movie, uint16_t firstDepth = 1)
      : movie_(movie), depth_(firstDepth) {}

  TFlashShape* RoundRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t radius,
                         const TPaint& paint);
  TFlashShape* Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const TPaint& paint);
  TFlashShape* Polygon(std::span<const TFlashPoint> points, const TPaint& paint);
  // Any outline drawn by `draw` inside the given box.
  TFlashShape* Path(int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                    const std::function<void(TFlashEdges&)>& draw, const TPaint& paint);
  // A ring between two round rectangles, the inner one inset by `width`.
  TFlashShape* RoundFrame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t radius,
                          int32_t width, const TPaint& paint);
  // A ring between two ellipses, the inner one inset by `width`.
  TFlashShape* EllipseFrame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t width,
                            const TPaint& paint);
  // Gives the last shape an outline.
  void Stroke(TFlashShape* shape, int32_t width, uint32_t color);

  TFlashMovie& Movie() { return movie_; }
  uint16_t NextDepth() const { return depth_; }

 private:
  TFlashShape* Place(TFlashShape* shape, const TPaint& paint);

  TFlashMovie& movie_;
  uint16_t depth_;
};

// Closed outlines added to an edge list. Clockwise on screen puts the inside on the right of
// the edges, where the shape's fill is; the other way round they cut a hole.
void RoundRectOutline(TFlashEdges& edges, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t r,
                      bool clockwise = true);
// The corners of a star of `points` rays, the first ray `turn` radians past the x axis.
std::vector<TFlashPoint> StarPoints(double cx, double cy, double outer, double inner, int points,
                                    double turn = 0);
void EllipseOutline(TFlashEdges& edges, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                    bool clockwise = true);

}  // namespace orvanta::artwork
