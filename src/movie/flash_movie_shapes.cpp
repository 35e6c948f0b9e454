#include <algorithm>

#include "movie/flash_edges.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"

namespace orvanta {

TFlashShape* TFlashMovie::AddShape() {
  return AddShape(std::make_unique<TFlashShape>(this));
}

TFlashShape* TFlashMovie::AddShape(std::unique_ptr<TFlashShape> shape) {
  if (!shape) shape = std::make_unique<TFlashShape>(this);
  TFlashShape* raw = shape.get();
  AddIDObject(std::move(shape), true);
  Shapes.push_back(raw);
  return raw;
}

TFlashShape* TFlashMovie::AddRectangle(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax) {
  TFlashShape* shape = AddShape();
  shape->SetBounds(xMin, yMin, xMax, yMax);
  shape->Edges.MoveTo(xMin, yMin);
  shape->Edges.MakeRectangle(xMax - xMin, yMax - yMin);
  shape->Edges.EndEdges();
  return shape;
}

TFlashShape* TFlashMovie::AddRoundRect(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax,
                                       int32_t radius) {
  TFlashShape* shape = AddShape();
  shape->SetBounds(xMin, yMin, xMax, yMax);
  shape->Edges.MoveTo(xMin, yMin);
  shape->Edges.MakeRoundRect(xMax - xMin, yMax - yMin, radius);
  shape->Edges.EndEdges();
  return shape;
}

TFlashShape* TFlashMovie::AddEllipse(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax) {
  TFlashShape* shape = AddShape();
  shape->SetBounds(xMin, yMin, xMax, yMax);
  shape->Edges.MoveTo(xMin, yMin);
  shape->Edges.MakeEllipse(xMax - xMin, yMax - yMin);
  shape->Edges.EndEdges();
  return shape;
}

TFlashShape* TFlashMovie::AddCircle(int32_t x, int32_t y, int32_t r) {
  return AddEllipse(x - r, y - r, x + r, y + r);
}

TFlashShape* TFlashMovie::AddDiamond(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax) {
  TFlashShape* shape = AddShape();
  shape->SetBounds(xMin, yMin, xMax, yMax);
  // The top middle in twips, where the diamond's own halves are taken, so that an odd width in
  // units still gives a closed, centred outline.
  const int32_t s = UnitScale();
  shape->Edges.RawUnits = true;
  shape->Edges.MoveTo(xMin * s + (xMax - xMin) * s / 2, yMin * s);
  shape->Edges.RawUnits = false;
  shape->Edges.MakeDiamond(xMax - xMin, yMax - yMin);
  shape->Edges.EndEdges();
  return shape;
}

TFlashShape* TFlashMovie::AddLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  TFlashShape* shape = AddShape();
  shape->SetBounds(x1, y1, x2, y2);
  shape->Edges.MoveTo(x1, y1);
  shape->Edges.LineTo(x2, y2);
  return shape;
}

TFlashShape* TFlashMovie::AddPolygon(std::span<const TFlashPoint> points) {
  TFlashShape* shape = AddShape();
  if (!points.empty()) {
    auto [minX, maxX] = std::minmax_element(points.begin(), points.end(),
                                            [](auto& a, auto& b) { return a.X < b.X; });
    auto [minY, maxY] = std::minmax_element(points.begin(), points.end(),
                                            [](auto& a, auto& b) { return a.Y < b.Y; });
    shape->SetBounds(minX->X, minY->Y, maxX->X, maxY->Y);
  }
  shape->Edges.MakePolyline(points);
  shape->Edges.CloseShape();
  shape->Edges.EndEdges();
  return shape;
}

TFlashShape* TFlashMovie::AddStar(int32_t x, int32_t y, int32_t r1, int32_t r2, int numPoints,
                                  bool curved) {
  TFlashShape* shape = AddShape();
  const int32_t half = std::max(r1, r2);
  shape->SetBounds(x - half, y - half, x + half, y + half);
  shape->Edges.MakeStar(x, y, r1, r2, numPoints, curved);
  shape->Edges.EndEdges();
  return shape;
}

}  // namespace orvanta
