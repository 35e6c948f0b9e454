#pragma once

#include <cairo.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "render/geometry.h"
#include "render/pixmap.h"

namespace orvanta {
class TSWFFillStyle;
class TSWFBaseGradientFill;
}  // namespace orvanta

namespace orvanta::render {

class TCharacterDictionary;

// Owns a Cairo pattern reference.
struct TPatternDeleter {
  void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
using TPattern = std::unique_ptr<cairo_pattern_t, TPatternDeleter>;

struct TSurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using TSurface = std::unique_ptr<cairo_surface_t, TSurfaceDeleter>;

// A Cairo image surface drawing straight into a pixmap's pixels; the pixmap must outlive it.
TSurface SurfaceFor(TPixmap& pixmap);

// The decoded bitmaps of a movie, each decoded once when first drawn, and colour-transformed
// copies of them. A bitmap that does not decode counts as missing.
class TBitmapCache {
 public:
  explicit TBitmapCache(const TCharacterDictionary& dictionary) : dictionary_(dictionary) {}
  ~TBitmapCache();
  TBitmapCache(const TBitmapCache&) = delete;
  TBitmapCache& operator=(const TBitmapCache&) = delete;

  // Null when the id names no bitmap or its data is broken.
  const TPixmap* Pixmap(uint16_t id);
  // A surface of the bitmap with the colour transform applied; null as above.
  cairo_surface_t* Surface(uint16_t id, const TColorTransform& cxform);
  // The colour-transformed bitmap smoothed down to scale (scaleX, scaleY), its top-left corner
  // at (phaseX, phaseY) of the surface (both in [0, 1)): drawn at a whole-pixel offset it gives
  // what smoothing the bitmap at that transformation gives, without resampling every frame.
  // Null as above, and for a result too large to keep.
  cairo_surface_t* ScaledSurface(uint16_t id, const TColorTransform& cxform, double scaleX,
                                 double scaleY, double phaseX, double phaseY);

 private:
  struct TEntry {
    std::unique_ptr<TPixmap> Pixels;
    TSurface Surface;
  };
  const TCharacterDictionary& dictionary_;
  std::map<uint16_t, TEntry> bitmaps_;
  std::map<std::pair<uint16_t, std::vector<double>>, TEntry> transformed_;
  // Key: id, then the colour transform, scales and phases.
  std::map<std::pair<uint16_t, std::vector<double>>, TEntry> scaled_;
  int64_t scaledPixels_ = 0;
};

// A gradient's stops in file order, colours transformed; each ratio is at least one step past
// the one before (a stop that would pass the end is left out).
struct TGradientStop {
  double Offset = 0;  // 0..1
  TRGBA Color;
};
std::vector<TGradientStop> GradientStops(const TSWFBaseGradientFill& fill,
                                         const TColorTransform& cxform);

// The Cairo source for a fill style drawn on a path whose coordinates are device pixels;
// shapeToDevice maps the shape's coordinates (twips) to them. Gradients fill the square of
// -16384..16384 under their matrix (a gradient matrix that collapses the square paints its last
// colour), with pad, reflect or repeat spread and RGB or linear-RGB interpolation; bitmap fills
// map bitmap pixels through their matrix, repeating or clamped at the edges, smoothed or not.
// Players before version 8 smooth no bitmap fill: smoothBitmaps false draws them all unsmoothed.
// Null when nothing is to be drawn (an unknown type, a missing bitmap).
TPattern CreateFillPattern(const TSWFFillStyle& fill, const TAffine& shapeToDevice,
                           const TColorTransform& cxform, TBitmapCache& bitmaps,
                           bool smoothBitmaps = true);

// A solid colour source, premultiplied by Cairo.
TPattern SolidPattern(TRGBA color);

}  // namespace orvanta::render
