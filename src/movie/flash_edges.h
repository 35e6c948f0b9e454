#pragma once

#include <cstdint>
#include <span>

#include "swf/tags_shape.h"

namespace orvanta {

class TFlashMovie;

// A point in builder units, as polygons and polylines take them.
struct TFlashPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

// The pen that turns drawing commands into shape records. Coordinates, sizes and radii are in
// the owner movie's units (x20 with pixel units) unless RawUnits is set; the pen itself is kept
// in twips. Used for shapes and for font glyphs.
class TFlashEdges {
 public:
  // Appends a style change record at once, so every outline starts with a record that the
  // shape's first fill selection can use.
  explicit TFlashEdges(TSWFShapeRecordList* records, TFlashMovie* owner = nullptr);

  int32_t CurrentX = 0, CurrentY = 0;  // twips
  bool RawUnits = false;
  int32_t StartX = 0, StartY = 0;  // twips, the last move (for CloseShape)
  TSWFShapeRecordList* Records;    // not owned
  TFlashMovie* Owner;
  // Consecutive collinear straight edges are merged into one.
  bool MergeLines = false;

  void MoveTo(int32_t x, int32_t y);
  void MoveDelta(int32_t dx, int32_t dy);
  void LineTo(int32_t x, int32_t y);
  void LineDelta(int32_t dx, int32_t dy);
  void CurveTo(int32_t controlX, int32_t controlY, int32_t anchorX, int32_t anchorY);
  void CurveDelta(int32_t controlDX, int32_t controlDY, int32_t anchorDX, int32_t anchorDY);
  void CloseShape();
  void EndEdges();

  // Outlines drawn from the pen.
  void MakeRectangle(int32_t w, int32_t h);
  // From the middle of the top edge.
  void MakeDiamond(int32_t w, int32_t h);
  // From the top-left corner of the box.
  void MakeEllipse(int32_t w, int32_t h);
  void MakeRoundRect(int32_t w, int32_t h, int32_t r);
  // Around (x, y), starting at the top point; numPoints is kept within 2..360.
  void MakeStar(int32_t x, int32_t y, int32_t r1, int32_t r2, int numPoints, bool curved);
  void MakePolyline(std::span<const TFlashPoint> points);

  // The last record if it is a style change record, else a new appended one.
  TSWFStyleChangeRecord& StyleRecord();
  // Mirror the outline: negate the x (or y) deltas of every edge and move.
  void FlipX();
  void FlipY();

 private:
  // The factor for the coordinates taken now: 1 with RawUnits or without an owner.
  int64_t Scale() const;
  void MoveToTwips(int64_t x, int64_t y);
  // Twips; splits edges longer than a record can hold, and merges when MergeLines.
  void AddLine(int64_t dx, int64_t dy);
  bool MergeLine(int64_t dx, int64_t dy);
  void AddCurve(int64_t controlDX, int64_t controlDY, int64_t anchorDX, int64_t anchorDY);
  void CurveDeltaTwips(double w, double h, int i, double kControl, double kAnchor);

  class TRawScope;
};

}  // namespace orvanta
