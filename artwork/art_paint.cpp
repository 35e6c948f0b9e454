#include "art_paint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "movie/flash_movie.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

namespace {

uint8_t Channel(uint32_t rgba, int i) {
  return static_cast<uint8_t>(rgba >> (8 * i));
}

uint32_t Pack(double r, double g, double b, uint8_t a) {
  auto c = [](double v) { return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
  return c(r) | c(g) << 8 | c(b) << 16 | uint32_t{a} << 24;
}

}  // namespace

uint32_t Rgb(uint32_t hex, uint8_t alpha) {
  return (hex >> 16 & 0xFF) | (hex & 0xFF00) | (hex & 0xFF) << 16 | uint32_t{alpha} << 24;
}

uint32_t Mix(uint32_t from, uint32_t to, double t) {
  double v[4];
  for (int i = 0; i < 4; ++i) v[i] = Channel(from, i) + (Channel(to, i) - Channel(from, i)) * t;
  return Pack(v[0], v[1], v[2], static_cast<uint8_t>(std::clamp(std::lround(v[3]), 0L, 255L)));
}

uint32_t Lighter(uint32_t rgba, double t) {
  return Mix(rgba, (rgba & 0xFF000000u) | 0xFFFFFFu, t);
}

uint32_t Darker(uint32_t rgba, double t) {
  return Mix(rgba, rgba & 0xFF000000u, t);
}

uint32_t WithAlpha(uint32_t rgba, uint8_t alpha) {
  return (rgba & 0xFFFFFFu) | uint32_t{alpha} << 24;
}

uint32_t HueShift(uint32_t rgba, double degrees) {
  // Rotation about the grey axis keeps the brightness of the colour.
  const double a = degrees * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
  const double k = (1 - c) / 3, q = std::sqrt(1.0 / 3) * s;
  const double r = Channel(rgba, 0), g = Channel(rgba, 1), b = Channel(rgba, 2);
  return Pack(r * (c + k) + g * (k - q) + b * (k + q), r * (k + q) + g * (c + k) + b * (k - q),
              r * (k - q) + g * (k + q) + b * (c + k), Channel(rgba, 3));
}

TPaint TPaint::Solid(uint32_t color) {
  return {TKind::Solid, {{0, color}}, 0, 50, 50};
}

TPaint TPaint::Linear(double angle, std::vector<TStop> stops) {
  return {TKind::Linear, std::move(stops), angle, 50, 50};
}

TPaint TPaint::Vertical(uint32_t top, uint32_t bottom) {
  return Linear(90, {{0, top}, {255, bottom}});
}

TPaint TPaint::Radial(int32_t cx, int32_t cy, std::vector<TStop> stops) {
  return {TKind::Radial, std::move(stops), 0, cx, cy};
}

TFlashShape* TArtCanvas::Place(TFlashShape* shape, const TPaint& paint) {
  std::vector<uint32_t> colors;
  for (const TStop& stop : paint.Stops) colors.push_back(stop.Color);
  TSWFGradientFill* gradient = nullptr;
  switch (paint.Kind) {
    case TPaint::TKind::Solid:
      shape->SetSolidColor(colors.front());
      break;
    case TPaint::TKind::Linear:
      // The library's angle turns the other way round on screen.
      gradient = &shape->SetLinearGradient(colors, -paint.Angle);
      break;
    case TPaint::TKind::Radial:
      gradient = &shape->SetRadialGradient(colors, paint.CenterX, paint.CenterY);
      break;
  }
  if (gradient)
    for (size_t i = 0; i < paint.Stops.size(); ++i)
      gradient->SetGradientRatio(static_cast<int>(i + 1), paint.Stops[i].Ratio);
  movie_.PlaceObject(shape, depth_++);
  return shape;
}

TFlashShape* TArtCanvas::Path(int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                              const std::function<void(TFlashEdges&)>& draw, const TPaint& paint) {
  TFlashShape* shape = movie_.AddShape();
  shape->SetBounds(x0, y0, x1, y1);
  draw(shape->Edges);
  shape->Edges.EndEdges();
  return Place(shape, paint);
}

TFlashShape* TArtCanvas::RoundRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t radius,
                                   const TPaint& paint) {
  return Path(
      x0, y0, x1, y1, [&](TFlashEdges& e) { RoundRectOutline(e, x0, y0, x1, y1, radius); }, paint);
}

TFlashShape* TArtCanvas::Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                                 const TPaint& paint) {
  return Path(
      x0, y0, x1, y1, [&](TFlashEdges& e) { EllipseOutline(e, x0, y0, x1, y1); }, paint);
}

TFlashShape* TArtCanvas::Polygon(std::span<const TFlashPoint> points, const TPaint& paint) {
  int32_t x0 = points[0].X, y0 = points[0].Y, x1 = x0, y1 = y0;
  for (const TFlashPoint& p : points) {
    x0 = std::min(x0, p.X), y0 = std::min(y0, p.Y);
    x1 = std::max(x1, p.X), y1 = std::max(y1, p.Y);
  }
  return Path(
      x0, y0, x1, y1,
      [&](TFlashEdges& e) {
        e.MoveTo(points[0].X, points[0].Y);
        for (size_t i = 1; i < points.size(); ++i) e.LineTo(points[i].X, points[i].Y);
        e.LineTo(points[0].X, points[0].Y);
      },
      paint);
}

TFlashShape* TArtCanvas::RoundFrame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t radius,
                                    int32_t width, const TPaint& paint) {
  return Path(
      x0, y0, x1, y1,
      [&](TFlashEdges& e) {
        RoundRectOutline(e, x0, y0, x1, y1, radius);
        RoundRectOutline(e, x0 + width, y0 + width, x1 - width, y1 - width,
                         std::max(0, radius - width), false);
      },
      paint);
}

TFlashShape* TArtCanvas::EllipseFrame(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t width,
                                      const TPaint& paint) {
  return Path(
      x0, y0, x1, y1,
      [&](TFlashEdges& e) {
        EllipseOutline(e, x0, y0, x1, y1);
        EllipseOutline(e, x0 + width, y0 + width, x1 - width, y1 - width, false);
      },
      paint);
}

void TArtCanvas::Stroke(TFlashShape* shape, int32_t width, uint32_t color) {
  shape->SetLineStyle(width, TSWFRGBA(color, true));
}

void RoundRectOutline(TFlashEdges& edges, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t r,
                      bool clockwise) {
  r = std::clamp(r, 0, std::min(x1 - x0, y1 - y0) / 2);
  // Clockwise from the left end of the top side: each node ends a segment, a curve when it has
  // a control point.
  struct TNode {
    TFlashPoint Anchor;
    bool Curved;
    TFlashPoint Control;
  };
  const bool round = r > 0;
  const std::vector<TNode> nodes = {
      {{x0 + r, y0}, false, {}},       {{x1 - r, y0}, false, {}},
      {{x1, y0 + r}, round, {x1, y0}}, {{x1, y1 - r}, false, {}},
      {{x1 - r, y1}, round, {x1, y1}}, {{x0 + r, y1}, false, {}},
      {{x0, y1 - r}, round, {x0, y1}}, {{x0, y0 + r}, false, {}},
      {{x0 + r, y0}, round, {x0, y0}},
  };
  TFlashPoint last = nodes[0].Anchor;
  auto segment = [&](const TNode& node, TFlashPoint to) {
    if (to.X == last.X && to.Y == last.Y) return;
    last = to;
    if (node.Curved)
      edges.CurveTo(node.Control.X, node.Control.Y, to.X, to.Y);
    else
      edges.LineTo(to.X, to.Y);
  };
  edges.MoveTo(nodes[0].Anchor.X, nodes[0].Anchor.Y);
  if (clockwise)
    for (size_t i = 1; i < nodes.size(); ++i) segment(nodes[i], nodes[i].Anchor);
  else
    for (size_t i = nodes.size() - 1; i > 0; --i) segment(nodes[i], nodes[i - 1].Anchor);
}

std::vector<TFlashPoint> StarPoints(double cx, double cy, double outer, double inner, int points,
                                    double turn) {
  std::vector<TFlashPoint> corners;
  for (int i = 0; i < 2 * points; ++i) {
    const double a = turn + i * std::numbers::pi / points, r = i % 2 ? inner : outer;
    corners.push_back({static_cast<int32_t>(std::lround(cx + r * std::cos(a))),
                       static_cast<int32_t>(std::lround(cy + r * std::sin(a)))});
  }
  return corners;
}

void EllipseOutline(TFlashEdges& edges, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                    bool clockwise) {
  // Eight quadratic arcs; the control point of each sits where the tangents at its ends meet.
  const double cx = (x0 + x1) / 2.0, cy = (y0 + y1) / 2.0, rx = (x1 - x0) / 2.0,
               ry = (y1 - y0) / 2.0;
  const double step = std::numbers::pi / 4, reach = 1 / std::cos(step / 2);
  auto at = [&](double a, double k) {
    return TFlashPoint{static_cast<int32_t>(std::lround(cx + rx * k * std::cos(a))),
                       static_cast<int32_t>(std::lround(cy + ry * k * std::sin(a)))};
  };
  const double dir = clockwise ? 1 : -1;
  TFlashPoint p = at(0, 1);
  edges.MoveTo(p.X, p.Y);
  for (int i = 0; i < 8; ++i) {
    TFlashPoint control = at(dir * (i + 0.5) * step, reach), anchor = at(dir * (i + 1) * step, 1);
    edges.CurveTo(control.X, control.Y, anchor.X, anchor.Y);
  }
}

}  // namespace orvanta::artwork
