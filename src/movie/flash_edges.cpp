#include "movie/flash_edges.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "movie/flash_movie.h"

namespace orvanta {

namespace {

// The largest delta one straight edge record carries.
constexpr int64_t kMaxEdge = 65535;

int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int64_t Round(double v) {
  return static_cast<int64_t>(std::nearbyint(v));
}

// Signs of the control and anchor deltas of the eight curves of an ellipse, clockwise from the
// right middle point.
constexpr int kEllipseSigns[8][4] = {{0, 1, -1, 1},   {-1, 1, -1, 0}, {-1, 0, -1, -1},
                                     {-1, -1, 0, -1}, {0, -1, 1, -1}, {1, -1, 1, 0},
                                     {1, 0, 1, 1},    {1, 1, 0, 1}};

}  // namespace

// The shape makers work in twips: they scale their sizes once and switch the pen to raw units
// while they draw.
class TFlashEdges::TRawScope {
 public:
  explicit TRawScope(TFlashEdges& edges) : edges_(edges), saved_(edges.RawUnits) {
    scale_ = edges.Scale();
    edges.RawUnits = true;
  }
  ~TRawScope() { edges_.RawUnits = saved_; }
  TRawScope(const TRawScope&) = delete;
  TRawScope& operator=(const TRawScope&) = delete;
  int64_t operator()(int64_t v) const { return v * scale_; }

 private:
  TFlashEdges& edges_;
  bool saved_;
  int64_t scale_;
};

TFlashEdges::TFlashEdges(TSWFShapeRecordList* records, TFlashMovie* owner)
    : Records(records), Owner(owner) {
  auto start = std::make_unique<TSWFStyleChangeRecord>();
  start->StateFillStyle1 = true;
  Records->push_back(std::move(start));
}

int64_t TFlashEdges::Scale() const {
  if (RawUnits || !Owner) return 1;
  return Owner->UnitScale();
}

TSWFStyleChangeRecord& TFlashEdges::StyleRecord() {
  if (Records->empty() || Records->back()->Kind != TShapeRecordKind::StyleChange)
    Records->push_back(std::make_unique<TSWFStyleChangeRecord>());
  return static_cast<TSWFStyleChangeRecord&>(*Records->back());
}

void TFlashEdges::MoveToTwips(int64_t x, int64_t y) {
  int32_t tx = Clamp32(x), ty = Clamp32(y);
  StyleRecord().SetMoveTo(tx, ty);
  CurrentX = StartX = tx;
  CurrentY = StartY = ty;
}

void TFlashEdges::MoveTo(int32_t x, int32_t y) {
  int64_t s = Scale();
  int64_t tx = x * s, ty = y * s;
  if (tx == CurrentX && ty == CurrentY && Records->size() <= 1) return;
  MoveToTwips(tx, ty);
}

void TFlashEdges::MoveDelta(int32_t dx, int32_t dy) {
  if (dx == 0 && dy == 0) return;
  int64_t s = Scale();
  MoveToTwips(CurrentX + dx * s, CurrentY + dy * s);
}

void TFlashEdges::LineTo(int32_t x, int32_t y) {
  int64_t s = Scale();
  AddLine(x * s - CurrentX, y * s - CurrentY);
}

void TFlashEdges::LineDelta(int32_t dx, int32_t dy) {
  int64_t s = Scale();
  AddLine(dx * s, dy * s);
}

bool TFlashEdges::MergeLine(int64_t dx, int64_t dy) {
  if (Records->empty() || Records->back()->Kind != TShapeRecordKind::StraightEdge) return false;
  auto& last = static_cast<TSWFStraightEdgeRecord&>(*Records->back());
  const int64_t px = last.DeltaX, py = last.DeltaY;
  auto sameSign = [](int64_t a, int64_t b) { return (a > 0 && b > 0) || (a < 0 && b < 0); };
  if (px == 0 && dx == 0 && sameSign(py, dy)) {
    if (std::abs(py + dy) > kMaxEdge - 1) return false;
    last.DeltaY = static_cast<int32_t>(py + dy);
    return true;
  }
  if (py == 0 && dy == 0 && sameSign(px, dx)) {
    if (std::abs(px + dx) >= kMaxEdge) return false;
    last.DeltaX = static_cast<int32_t>(px + dx);
    return true;
  }
  if (px == dx && py == dy && std::abs(2 * px) <= kMaxEdge - 1 &&
      std::abs(2 * py) <= kMaxEdge - 1) {
    last.DeltaX = static_cast<int32_t>(2 * px);
    last.DeltaY = static_cast<int32_t>(2 * py);
    return true;
  }
  return false;
}

void TFlashEdges::AddLine(int64_t dx, int64_t dy) {
  if (dx == 0 && dy == 0) return;
  if (!(MergeLines && MergeLine(dx, dy))) {
    // Pieces of equal length whose rounded ends add up to the exact delta.
    int64_t k = std::max({int64_t{1}, (std::abs(dx) + kMaxEdge - 1) / kMaxEdge,
                          (std::abs(dy) + kMaxEdge - 1) / kMaxEdge});
    for (int64_t j = 1; j <= k; ++j) {
      double a = static_cast<double>(j) / k, b = static_cast<double>(j - 1) / k;
      int64_t px = Round(dx * a) - Round(dx * b);
      int64_t py = Round(dy * a) - Round(dy * b);
      Records->push_back(std::make_unique<TSWFStraightEdgeRecord>(static_cast<int32_t>(px),
                                                                  static_cast<int32_t>(py)));
    }
  }
  CurrentX = Clamp32(CurrentX + dx);
  CurrentY = Clamp32(CurrentY + dy);
}

void TFlashEdges::AddCurve(int64_t controlDX, int64_t controlDY, int64_t anchorDX,
                           int64_t anchorDY) {
  // Degenerate curves are drawn as the straight edges they are.
  if (controlDX == 0 && controlDY == 0) return AddLine(anchorDX, anchorDY);
  if (anchorDX == 0 && anchorDY == 0) return AddLine(controlDX, controlDY);
  if (controlDY == 0 && anchorDY == 0) return AddLine(controlDX + anchorDX, 0);
  if (controlDX == 0 && anchorDX == 0) return AddLine(0, controlDY + anchorDY);
  Records->push_back(std::make_unique<TSWFCurvedEdgeRecord>(Clamp32(controlDX), Clamp32(controlDY),
                                                            Clamp32(anchorDX), Clamp32(anchorDY)));
  CurrentX = Clamp32(CurrentX + controlDX + anchorDX);
  CurrentY = Clamp32(CurrentY + controlDY + anchorDY);
}

void TFlashEdges::CurveTo(int32_t controlX, int32_t controlY, int32_t anchorX, int32_t anchorY) {
  int64_t s = Scale();
  if (anchorX * s == CurrentX && anchorY * s == CurrentY) return;
  AddCurve(controlX * s - CurrentX, controlY * s - CurrentY, (int64_t{anchorX} - controlX) * s,
           (int64_t{anchorY} - controlY) * s);
}

void TFlashEdges::CurveDelta(int32_t controlDX, int32_t controlDY, int32_t anchorDX,
                             int32_t anchorDY) {
  int64_t s = Scale();
  AddCurve(controlDX * s, controlDY * s, anchorDX * s, anchorDY * s);
}

void TFlashEdges::CloseShape() {
  if (CurrentX != StartX || CurrentY != StartY)
    AddLine(int64_t{StartX} - CurrentX, int64_t{StartY} - CurrentY);
}

void TFlashEdges::EndEdges() {
  Records->push_back(std::make_unique<TSWFEndShapeRecord>());
}

void TFlashEdges::MakeRectangle(int32_t w, int32_t h) {
  LineDelta(w, 0);
  LineDelta(0, h);
  LineDelta(-w, 0);
  LineDelta(0, -h);
}

void TFlashEdges::MakeDiamond(int32_t w, int32_t h) {
  TRawScope twips(*this);
  int64_t hw = twips(w) / 2, hh = twips(h) / 2;
  AddLine(hw, hh);
  AddLine(-hw, hh);
  AddLine(-hw, -hh);
  AddLine(hw, -hh);
}

// Curve i of an ellipse of size w x h (twips), as truncated control and anchor deltas.
void TFlashEdges::CurveDeltaTwips(double w, double h, int i, double kControl, double kAnchor) {
  const int* p = kEllipseSigns[i];
  AddCurve(static_cast<int64_t>(std::trunc(w * p[0] * kControl)),
           static_cast<int64_t>(std::trunc(h * p[1] * kControl)),
           static_cast<int64_t>(std::trunc(w * p[2] * kAnchor)),
           static_cast<int64_t>(std::trunc(h * p[3] * kAnchor)));
}

namespace {
double ControlFactor(int i) {
  return i % 2 == 0 ? 0.207 : 0.1465;
}
double AnchorFactor(int i) {
  return i % 2 == 0 ? 0.1465 : 0.207;
}
}  // namespace

void TFlashEdges::MakeEllipse(int32_t w, int32_t h) {
  TRawScope twips(*this);
  int64_t tw = twips(w), th = twips(h);
  // To the right middle point; truncation may leave the outline a few twips open.
  if (tw != 0 || th / 2 != 0) MoveToTwips(CurrentX + tw, CurrentY + th / 2);
  for (int i = 0; i < 8; ++i)
    CurveDeltaTwips(static_cast<double>(tw), static_cast<double>(th), i, ControlFactor(i),
                    AnchorFactor(i));
}

void TFlashEdges::MakeRoundRect(int32_t w, int32_t h, int32_t r) {
  TRawScope twips(*this);
  int64_t tw = twips(w), th = twips(h), tr = twips(r);
  if (tw != 0 || tr != 0) MoveToTwips(CurrentX + tw, CurrentY + tr);
  const int64_t sideX = tw - 2 * tr, sideY = th - 2 * tr;
  const int64_t sides[4][2] = {{0, sideY}, {-sideX, 0}, {0, -sideY}, {sideX, 0}};
  const double corner = static_cast<double>(2 * tr);
  for (int i = 0; i < 8; ++i) {
    if (i % 2 == 0) AddLine(sides[i / 2][0], sides[i / 2][1]);
    CurveDeltaTwips(corner, corner, i, ControlFactor(i), AnchorFactor(i));
  }
}

void TFlashEdges::MakeStar(int32_t x, int32_t y, int32_t r1, int32_t r2, int numPoints,
                           bool curved) {
  TRawScope twips(*this);
  const int n = std::clamp(numPoints, 2, 360);
  const double outer = static_cast<double>(twips(r1)), inner = static_cast<double>(twips(r2));
  const double step = 2 * std::numbers::pi / n;
  // The centre is whole twips; only the offsets from it are rounded.
  const int64_t cx = twips(x), cy = twips(y);
  auto pointX = [&](double radius, double angle) { return cx + Round(radius * std::cos(angle)); };
  auto pointY = [&](double radius, double angle) { return cy + Round(radius * std::sin(angle)); };
  const double top = -std::numbers::pi / 2;
  int64_t startX = pointX(outer, top), startY = pointY(outer, top);
  if (!(startX == CurrentX && startY == CurrentY && Records->size() <= 1))
    MoveToTwips(startX, startY);
  for (int i = 0; i < n; ++i) {
    double a = top + i * step;
    int64_t midX = pointX(inner, a + step / 2), midY = pointY(inner, a + step / 2);
    int64_t nextX = pointX(outer, a + step), nextY = pointY(outer, a + step);
    if (curved) {
      if (nextX == CurrentX && nextY == CurrentY) continue;
      AddCurve(midX - CurrentX, midY - CurrentY, nextX - midX, nextY - midY);
    } else {
      AddLine(midX - CurrentX, midY - CurrentY);
      AddLine(nextX - CurrentX, nextY - CurrentY);
    }
  }
}

void TFlashEdges::MakePolyline(std::span<const TFlashPoint> points) {
  if (points.empty()) return;
  MoveTo(points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
}

void TFlashEdges::FlipX() {
  for (auto& record : *Records) {
    switch (record->Kind) {
      case TShapeRecordKind::StraightEdge:
      case TShapeRecordKind::StyleChange: {
        auto& edge = static_cast<TSWFStraightEdgeRecord&>(*record);
        edge.DeltaX = -edge.DeltaX;
        break;
      }
      case TShapeRecordKind::CurvedEdge: {
        auto& curve = static_cast<TSWFCurvedEdgeRecord&>(*record);
        curve.ControlDeltaX = -curve.ControlDeltaX;
        curve.AnchorDeltaX = -curve.AnchorDeltaX;
        break;
      }
      case TShapeRecordKind::End:
        break;
    }
  }
  CurrentX = -CurrentX;
  StartX = -StartX;
}

void TFlashEdges::FlipY() {
  for (auto& record : *Records) {
    switch (record->Kind) {
      case TShapeRecordKind::StraightEdge:
      case TShapeRecordKind::StyleChange: {
        auto& edge = static_cast<TSWFStraightEdgeRecord&>(*record);
        edge.DeltaY = -edge.DeltaY;
        break;
      }
      case TShapeRecordKind::CurvedEdge: {
        auto& curve = static_cast<TSWFCurvedEdgeRecord&>(*record);
        curve.ControlDeltaY = -curve.ControlDeltaY;
        curve.AnchorDeltaY = -curve.AnchorDeltaY;
        break;
      }
      case TShapeRecordKind::End:
        break;
    }
  }
  CurrentY = -CurrentY;
  StartY = -StartY;
}

}  // namespace orvanta
