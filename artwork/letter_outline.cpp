#include "letter_outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "movie/flash_edges.h"
#include "platform/font_engine.h"

namespace orvanta::artwork {

namespace {

TPointD FromFixed(TFixedPoint p) {
  return {p.X / 65536.0, -p.Y / 65536.0};
}

TPointD Mid(TPointD a, TPointD b) {
  return {(a.X + b.X) / 2, (a.Y + b.Y) / 2};
}

int32_t Twips(double pixels) {
  return static_cast<int32_t>(std::lround(pixels * 20));
}

// Twice the area the contour encloses; positive when it runs clockwise on screen (y down).
double SignedArea(const std::vector<TOutlineSegment>& contour) {
  double area = 0;
  for (const TOutlineSegment& s : contour) {
    // A curve counts by its control polygon, close enough for telling the direction.
    TPointD a = s.From;
    if (s.Control) {
      area += a.X * s.Control->Y - s.Control->X * a.Y;
      a = *s.Control;
    }
    area += a.X * s.To.Y - s.To.X * a.Y;
  }
  return area;
}

void Reverse(std::vector<TOutlineSegment>& contour) {
  std::reverse(contour.begin(), contour.end());
  for (TOutlineSegment& s : contour) std::swap(s.From, s.To);
}

}  // namespace

void TBoxD::Add(TPointD p) {
  XMin = std::min(XMin, p.X);
  YMin = std::min(YMin, p.Y);
  XMax = std::max(XMax, p.X);
  YMax = std::max(YMax, p.Y);
}

TBoxD TLetterOutline::Bounds() const {
  TBoxD box;
  for (const auto& contour : Contours)
    for (const TOutlineSegment& s : contour) {
      box.Add(s.From);
      if (s.Control) box.Add(*s.Control);
      box.Add(s.To);
    }
  return box;
}

TLetterOutline TLetterOutline::Mapped(const std::function<TPointD(TPointD)>& map) const {
  TLetterOutline out;
  for (const auto& contour : Contours) {
    auto& c = out.Contours.emplace_back();
    for (const TOutlineSegment& s : contour)
      c.push_back(
          {map(s.From), s.Control ? std::optional(map(*s.Control)) : std::nullopt, map(s.To)});
  }
  return out;
}

TLetterOutline TLetterOutline::Transformed(double scale, TPointD offset) const {
  return Mapped([&](TPointD p) { return TPointD{p.X * scale + offset.X, p.Y * scale + offset.Y}; });
}

TLetterOutline TLetterOutline::Rotated(double degrees, TPointD centre) const {
  const double a = degrees * std::numbers::pi / 180, cs = std::cos(a), sn = std::sin(a);
  return Mapped([&](TPointD p) {
    const double x = p.X - centre.X, y = p.Y - centre.Y;
    return TPointD{centre.X + x * cs - y * sn, centre.Y + x * sn + y * cs};
  });
}

void TLetterOutline::Draw(TFlashEdges& pen, double dx, double dy) const {
  const bool raw = pen.RawUnits;
  pen.RawUnits = true;
  for (const auto& contour : Contours) {
    if (contour.empty()) continue;
    pen.MoveTo(Twips(contour.front().From.X + dx), Twips(contour.front().From.Y + dy));
    for (const TOutlineSegment& s : contour) {
      if (s.Control)
        pen.CurveTo(Twips(s.Control->X + dx), Twips(s.Control->Y + dy), Twips(s.To.X + dx),
                    Twips(s.To.Y + dy));
      else
        pen.LineTo(Twips(s.To.X + dx), Twips(s.To.Y + dy));
    }
  }
  pen.RawUnits = raw;
}

TLetterOutline GlyphOutlineOf(const TPlatformFont& font, char32_t code) {
  TLetterOutline out;
  for (const TOutlineContour& fc : font.GlyphOutline(code)) {
    std::vector<TOutlineSegment> contour;
    TPointD at = FromFixed(fc.Start);
    for (const TOutlineCurve& curve : fc.Curves) {
      const auto& p = curve.Points;
      if (curve.Kind == TOutlineCurve::TKind::Line) {
        for (TFixedPoint q : p) {
          contour.push_back({at, std::nullopt, FromFixed(q)});
          at = FromFixed(q);
        }
        continue;
      }
      for (size_t i = 0; i + 1 < p.size(); ++i) {
        TPointD anchor =
            i + 2 == p.size() ? FromFixed(p[i + 1]) : Mid(FromFixed(p[i]), FromFixed(p[i + 1]));
        contour.push_back({at, FromFixed(p[i]), anchor});
        at = anchor;
      }
    }
    const TPointD start = FromFixed(fc.Start);
    if (at.X != start.X || at.Y != start.Y) contour.push_back({at, std::nullopt, start});
    if (!contour.empty()) out.Contours.push_back(std::move(contour));
  }
  // Fonts wind their ink one way (TrueType clockwise, PostScript the other); the largest
  // contour is always an outer one, and holes run against it.
  double total = 0;
  for (const auto& contour : out.Contours) total += SignedArea(contour);
  if (total < 0)
    for (auto& contour : out.Contours) Reverse(contour);
  return out;
}

}  // namespace orvanta::artwork
