#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {
class TFlashEdges;
class TPlatformFont;
}  // namespace orvanta

namespace orvanta::artwork {

struct TPointD {
  double X = 0, Y = 0;
};

// One piece of a contour: a straight edge when it has no control point, else a quadratic curve.
struct TOutlineSegment {
  TPointD From;
  std::optional<TPointD> Control;
  TPointD To;
};

struct TBoxD {
  double XMin = 1e300, YMin = 1e300, XMax = -1e300, YMax = -1e300;
  void Add(TPointD p);
  bool Empty() const { return XMin > XMax; }
};

// A glyph outline in pixels with y down, its contours running clockwise on screen around ink
// (so the shape's right-hand fill is the ink, whatever direction the font drew them in).
class TLetterOutline {
 public:
  std::vector<std::vector<TOutlineSegment>> Contours;

  TBoxD Bounds() const;
  // The outline moved and scaled: p' = p * scale + offset.
  TLetterOutline Transformed(double scale, TPointD offset) const;
  // The outline turned by the angle (degrees, clockwise on screen) about the centre.
  TLetterOutline Rotated(double degrees, TPointD centre) const;
  // Draws every contour with the pen, in twips, offset by (dx, dy) pixels.
  void Draw(TFlashEdges& pen, double dx = 0, double dy = 0) const;

 private:
  // Affine maps keep quadratic curves exact: mapping the points maps the curve.
  TLetterOutline Mapped(const std::function<TPointD(TPointD)>& map) const;
};

// The outline of one character of the font at its em size (y down, baseline at y = 0).
TLetterOutline GlyphOutlineOf(const TPlatformFont& font, char32_t code);

}  // namespace orvanta::artwork
