#include "platform/font_engine.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvanta {
namespace {

TLogFont Em1024(const std::string& name, bool bold = false, bool italic = false) {
  TLogFont font;
  font.FaceName = name;
  font.Height = -1024;
  font.Weight = bold ? 700 : 400;
  font.Italic = italic;
  return font;
}

// Every point of an outline, in 16.16 fixed point.
std::vector<TFixedPoint> AllPoints(const TGlyphOutline& outline) {
  std::vector<TFixedPoint> points;
  for (const TOutlineContour& contour : outline) {
    points.push_back(contour.Start);
    for (const TOutlineCurve& curve : contour.Curves)
      points.insert(points.end(), curve.Points.begin(), curve.Points.end());
  }
  return points;
}

// Arial's metrics and widths are what Liberation Sans reproduces: ascent 1854, descent 434 and
// an em of 2048 units give 927, 217 and 120 at em 1024.
TEST(FontEngine, ArialResolvesToAMetricCompatibleFace) {
  TPlatformFont font(Em1024("Arial"));
  EXPECT_EQ(font.FamilyName(), "Liberation Sans");
  EXPECT_EQ(font.EmSize(), 1024);
  TFontMetrics metrics = font.Metrics();
  EXPECT_EQ(metrics.Ascent, 927);
  EXPECT_EQ(metrics.Descent, 217);
  EXPECT_EQ(metrics.InternalLeading, 120);
  EXPECT_EQ(metrics.Height, 1144);
  // H 1479, e 1139, l 455, o 1139 units of 2048, each rounded at em 1024.
  EXPECT_EQ(font.TextExtent(u"Hello"), (TTextSize{740 + 570 + 228 + 228 + 570, 1144}));
  EXPECT_EQ(font.TextExtent(u""), (TTextSize{0, 1144}));
}

TEST(FontEngine, AbcWidthsAddUpToTheAdvance) {
  TPlatformFont font(Em1024("Arial"));
  for (char16_t c : std::u16string(u"AHWjl.,Ω")) {
    TABCWidths abc = font.ABCWidths(c);
    EXPECT_EQ(abc.A + abc.B + abc.C, font.TextExtent(std::u16string(1, c)).Width) << int(c);
    EXPECT_GT(abc.B, 0) << int(c);
  }
  TABCWidths space = font.ABCWidths(u' ');
  EXPECT_EQ(space.B, 0);
  EXPECT_EQ(space.A + space.C, 285);  // 569 units, rounded half away from zero
}

TEST(FontEngine, BoldAndItalicPickTheirFaces) {
  TPlatformFont regular(Em1024("Arial")), bold(Em1024("Arial", true)),
      italic(Em1024("Arial", false, true));
  EXPECT_GT(bold.TextExtent(u"b").Width, regular.TextExtent(u"b").Width);
  EXPECT_NE(bold.FileName(), regular.FileName());
  EXPECT_NE(italic.FileName(), regular.FileName());
  // The slant moves the top of an upright stroke to the right.
  auto maxXAtTop = [](const TPlatformFont& font) {
    int32_t best = INT32_MIN, topY = INT32_MIN;
    for (TFixedPoint p : AllPoints(font.GlyphOutline(u'l'))) {
      if (p.Y > topY) topY = p.Y, best = p.X;
      if (p.Y == topY) best = std::max(best, p.X);
    }
    return best;
  };
  EXPECT_GT(maxXAtTop(italic), maxXAtTop(regular));
}

TEST(FontEngine, UnknownAndWindowsOnlyNamesStillGiveOutlines) {
  for (const char* name : {"No Such Font Anywhere", "Arial Black", "MS Sans Serif", ""}) {
    TPlatformFont font(Em1024(name));
    EXPECT_FALSE(font.FamilyName().empty()) << name;
    EXPECT_FALSE(font.GlyphOutline(u'A').empty()) << name;
    EXPECT_GT(font.Metrics().Ascent, 0) << name;
  }
  // Arial Black is a heavy sans: its substitute is the bold face of Arial's.
  TPlatformFont black(Em1024("Arial Black")), bold(Em1024("Arial", true));
  EXPECT_EQ(black.FileName(), bold.FileName());
}

TEST(FontEngine, OutlinesAreAtTheEmSizeWithYUp) {
  TPlatformFont font(Em1024("Arial"));
  // 'l' is one rectangle: a contour of straight lines from 0 to the ascender.
  TGlyphOutline l = font.GlyphOutline(u'l');
  ASSERT_EQ(l.size(), 1u);
  for (const TOutlineCurve& curve : l[0].Curves) EXPECT_EQ(curve.Kind, TOutlineCurve::TKind::Line);
  int32_t minY = INT32_MAX, maxY = INT32_MIN;
  for (TFixedPoint p : AllPoints(l)) minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
  EXPECT_EQ(minY, 0);
  EXPECT_EQ(maxY, 1484 * 65536 / 2);  // the stem's 1484 units of 2048
  // 'O' is two closed curves whose spline records end on the outline.
  TGlyphOutline o = font.GlyphOutline(u'O');
  ASSERT_EQ(o.size(), 2u);
  bool spline = false;
  for (const TOutlineContour& contour : o)
    for (const TOutlineCurve& curve : contour.Curves)
      if (curve.Kind == TOutlineCurve::TKind::QSpline) {
        spline = true;
        EXPECT_GE(curve.Points.size(), 2u);
      }
  EXPECT_TRUE(spline);
  EXPECT_TRUE(font.GlyphOutline(u' ').empty());
}

TEST(FontEngine, MatrixTransformsTheOutline) {
  TPlatformFont font(Em1024("Arial"));
  std::vector<TFixedPoint> plain = AllPoints(font.GlyphOutline(u'L'));
  std::vector<TFixedPoint> mirrored =
      AllPoints(font.GlyphOutline(u'L', TFixedMatrix{-0x10000, 0, 0, 0x20000}));
  ASSERT_EQ(plain.size(), mirrored.size());
  for (size_t i = 0; i < plain.size(); ++i) {
    EXPECT_EQ(mirrored[i].X, -plain[i].X);
    EXPECT_EQ(mirrored[i].Y, 2 * plain[i].Y);
  }
}

TEST(FontEngine, MissingCharactersUseTheMissingGlyph) {
  TPlatformFont font(Em1024("Arial"));
  EXPECT_TRUE(font.HasGlyph(U'Ж'));
  EXPECT_FALSE(font.HasGlyph(U'\u4E00'));
  TABCWidths abc = font.ABCWidths(U'\u4E00');
  EXPECT_GE(abc.A + abc.B + abc.C, 0);
  font.GlyphOutline(U'\u4E00');  // the missing glyph's outline, whatever it holds
  EXPECT_GT(font.TextExtent(u"\u4E00\U0001F600").Width, 0);
}

TEST(FontEngine, HeightsInPixels) {
  TLogFont cell = Em1024("Arial");
  cell.Height = 1144;  // the cell height of em 1024
  EXPECT_EQ(TPlatformFont(cell).EmSize(), 1024);
  TLogFont pixels = Em1024("Arial");
  pixels.Height = -12;
  TPlatformFont small(pixels);
  EXPECT_EQ(small.EmSize(), 12);
  EXPECT_EQ(small.Metrics().Height, 11 + 3);
  TLogFont unset = Em1024("Arial");
  unset.Height = 0;
  EXPECT_EQ(TPlatformFont(unset).EmSize(), 16);
}

TEST(FontEngine, FindsInstalledFamiliesByName) {
  std::optional<TLogFont> found = FindFontByName("liberation sans");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->FaceName, "liberation sans");
  EXPECT_FALSE(FindFontByName("No Such Font Anywhere").has_value());
  std::vector<std::string> families = FontFamilies();
  EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Sans"), families.end());
}

// The quadratic pieces follow the cubic closely and join end to end.
TEST(FontEngine, CubicsBecomeCloseQuadratics) {
  const TFixedPoint p0{0, 0}, c1{0, 500 << 16}, c2{1000 << 16, 500 << 16}, p3{1000 << 16, 0};
  std::vector<TFixedPoint> q = CubicToQuadratics(p0, c1, c2, p3);
  ASSERT_GE(q.size(), 4u);
  ASSERT_EQ(q.size() % 2, 0u);
  EXPECT_EQ(q.back(), p3);
  auto cubic = [&](double t) {
    double u = 1 - t;
    auto f = [&](double a, double b, double c, double d) {
      return (u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d) / 65536;
    };
    return std::pair{f(p0.X, c1.X, c2.X, p3.X), f(p0.Y, c1.Y, c2.Y, p3.Y)};
  };
  const size_t pieces = q.size() / 2;
  TFixedPoint from = p0;
  for (size_t i = 0; i < pieces; ++i) {
    TFixedPoint control = q[2 * i], to = q[2 * i + 1];
    for (double s = 0; s <= 1.0; s += 0.125) {
      double u = 1 - s;
      double x = (u * u * from.X + 2 * u * s * control.X + s * s * to.X) / 65536;
      double y = (u * u * from.Y + 2 * u * s * control.Y + s * s * to.Y) / 65536;
      auto [cx, cy] = cubic((i + s) / pieces);
      EXPECT_LT(std::hypot(x - cx, y - cy), 0.5) << i << " " << s;
    }
    from = to;
  }
  // A straight cubic needs one piece.
  EXPECT_EQ(CubicToQuadratics(p0, {100 << 16, 0}, {200 << 16, 0}, {300 << 16, 0}).size(), 2u);
}

}  // namespace
}  // namespace orvanta
