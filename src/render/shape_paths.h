#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/geometry.h"
#include "swf/tags_shape.h"

namespace orvanta::render {

// One drawing command of a path in shape coordinates (twips). Curves are quadratic.
struct TPathCommand {
  enum class TKind : uint8_t { MoveTo, LineTo, CurveTo, Close };
  TKind Kind = TKind::MoveTo;
  TPoint Control;  // CurveTo only
  TPoint To;       // all but Close
};
using TPath = std::vector<TPathCommand>;

// Everything a stroke needs from a line style (either layout, or an interpolated morph style).
struct TStrokeStyle {
  double Width = 0;  // twips; 0 is a hairline
  TRGBA Color;
  // A fill used instead of Color (line styles of the second layout); null for a plain colour.
  const TSWFFillStyle* Fill = nullptr;
  uint8_t StartCap = 0, EndCap = 0;  // 0 round, 1 none, 2 square
  uint8_t Join = 0;                  // 0 round, 1 bevel, 2 miter
  double MiterLimit = 3;
  bool NoHScale = false, NoVScale = false;
  bool NoClose = false;
};

// The closed outline of one fill style, ready to be filled with the even-odd rule.
struct TFillPath {
  uint16_t StyleIndex = 0;               // 1-based, in the style group of its layer
  const TSWFFillStyle* Style = nullptr;  // null when the index names no style
  TPath Path;
};

struct TStrokePath {
  uint16_t StyleIndex = 0;
  bool HasStyle = false;  // false when the index names no style
  TStrokeStyle Style;
  TPath Path;
};

// The styles of one group (a shape's own, or a set brought by a style change record) and what
// they draw: fills first, then strokes, each in style order.
struct TShapeLayer {
  std::vector<TFillPath> Fills;
  std::vector<TStrokePath> Strokes;
};

struct TShapeGeometry {
  std::vector<TShapeLayer> Layers;
  // Every point of every path, controls included; strokes reach further by their widths.
  TBounds Bounds;
  double MaxStrokeWidth = 0;
  // Fill with the non-zero winding rule (system font outlines) instead of even-odd.
  bool NonZero = false;
  // Styles made for this geometry (the interpolated styles of a morph shape).
  std::vector<std::unique_ptr<TSWFFillStyle>> OwnedFills;
};

// Turns shape records into closed fill outlines and strokes. Each edge bounds the area of its
// fill style 1 on its right and fill style 0 on its left (walking from start to end); the edges
// of every fill are chained end to start into contours, whatever their order in the records.
// Style indices refer to the given lists until a record brings new ones. Glyph outlines pass
// empty lists and read StyleIndex.
TShapeGeometry BuildShapeGeometry(const TSWFFillStyleList& fills, const TSWFLineStyleList& lines,
                                  const TSWFShapeRecordList& records);

// The morph shape at ratio 0..65535 (start..end): edges, colours, widths, gradients and bitmap
// matrices interpolated.
TShapeGeometry BuildMorphGeometry(const TSWFDefineMorphShape& morph, uint16_t ratio);

// The stroke parameters of a line style.
TStrokeStyle StrokeStyleOf(const TSWFLineStyle& style);

// Bounds of the points of a path.
TBounds PathBounds(const TPath& path);

}  // namespace orvanta::render
