#include "render/shape_paths.h"

#include <gtest/gtest.h>

#include <memory>

namespace orvanta::render {
namespace {

using K = TPathCommand::TKind;

std::unique_ptr<TSWFStyleChangeRecord> Style(int x, int y, uint16_t fill0, uint16_t fill1,
                                             uint16_t line) {
  auto r = std::make_unique<TSWFStyleChangeRecord>();
  r->SetMoveTo(x, y);
  r->SetFillStyle0(fill0);
  r->SetFillStyle1(fill1);
  r->SetLineStyle(line);
  // Selecting 0 is a change too.
  r->StateFillStyle0 = r->StateFillStyle1 = r->StateLineStyle = true;
  return r;
}

TSWFShapeRecordList Records(std::vector<std::unique_ptr<TSWFShapeRecord>> list) {
  TSWFShapeRecordList out;
  for (auto& r : list) out.push_back(std::move(r));
  return out;
}

std::unique_ptr<TSWFShapeRecord> Line(int dx, int dy) {
  return std::make_unique<TSWFStraightEdgeRecord>(dx, dy);
}

TSWFFillStyleList Fills(int n) {
  TSWFFillStyleList fills;
  for (int i = 0; i < n; ++i) fills.push_back(std::make_unique<TSWFColorFill>());
  return fills;
}

// The points a path visits, closes marked by a point at (-1, -1).
std::vector<TPoint> Points(const TPath& path) {
  std::vector<TPoint> points;
  for (const TPathCommand& c : path) points.push_back(c.Kind == K::Close ? TPoint{-1, -1} : c.To);
  return points;
}

// Signed area of the first contour (positive: clockwise on screen, y down).
double Area(const TPath& path) {
  double a = 0;
  TPoint first, prev;
  for (const TPathCommand& c : path) {
    if (c.Kind == K::MoveTo) {
      first = prev = c.To;
    } else if (c.Kind == K::Close) {
      a += prev.X * first.Y - first.X * prev.Y;
      break;
    } else {
      a += prev.X * c.To.Y - c.To.X * prev.Y;
      prev = c.To;
    }
  }
  return a / 2;
}

TEST(ShapeGeometry, EdgesOfAFillAreChainedIntoClosedContoursWhateverTheirOrder) {
  TSWFFillStyleList fills = Fills(1);
  TSWFLineStyleList lines;
  // A square whose edges come in two runs started at different corners: right and bottom
  // first, then top and left.
  auto records = Records({});
  records.push_back(Style(100, 0, 0, 1, 0));
  records.push_back(Line(0, 100));
  records.push_back(Line(-100, 0));
  auto move = std::make_unique<TSWFStyleChangeRecord>();
  move->SetMoveTo(0, 100);
  records.push_back(std::move(move));
  records.push_back(Line(0, -100));
  records.push_back(Line(100, 0));
  records.push_back(std::make_unique<TSWFEndShapeRecord>());
  TShapeGeometry g = BuildShapeGeometry(fills, lines, records);
  ASSERT_EQ(g.Layers.size(), 1u);
  ASSERT_EQ(g.Layers[0].Fills.size(), 1u);
  const TFillPath& fill = g.Layers[0].Fills[0];
  EXPECT_EQ(fill.StyleIndex, 1);
  EXPECT_EQ(fill.Style, fills[0].get());
  std::vector<TPoint> expected = {{100, 0}, {100, 100}, {0, 100}, {0, 0}, {100, 0}, {-1, -1}};
  EXPECT_EQ(Points(fill.Path), expected);
  EXPECT_DOUBLE_EQ(g.Bounds.XMax, 100);
  EXPECT_DOUBLE_EQ(g.Bounds.YMax, 100);
}

TEST(ShapeGeometry, FillStyleZeroLiesOnTheOtherSide) {
  TSWFFillStyleList fills = Fills(2);
  TSWFLineStyleList lines;
  // Two squares side by side sharing the edge x = 100: fill 1 on the left, fill 2 on the
  // right. The shared edge is drawn once, going down: with y pointing down, fill 1 lies on its
  // right (fill style 1) and fill 2 on its left (fill style 0). Swapping them leaves both
  // outlines open.
  auto records = Records({});
  records.push_back(Style(0, 0, 0, 1, 0));
  records.push_back(Line(100, 0));
  records.push_back(Style(100, 0, 2, 1, 0));
  records.push_back(Line(0, 100));
  records.push_back(Style(100, 100, 0, 1, 0));
  records.push_back(Line(-100, 0));
  records.push_back(Line(0, -100));
  records.push_back(Style(100, 0, 0, 2, 0));
  records.push_back(Line(100, 0));
  records.push_back(Line(0, 100));
  records.push_back(Line(-100, 0));
  TShapeGeometry g = BuildShapeGeometry(fills, lines, records);
  ASSERT_EQ(g.Layers.size(), 1u);
  ASSERT_EQ(g.Layers[0].Fills.size(), 2u);
  // Each fill is one closed contour of four edges, wound the same way.
  for (const TFillPath& fill : g.Layers[0].Fills) {
    int moves = 0, segments = 0;
    for (const TPathCommand& c : fill.Path) {
      moves += c.Kind == K::MoveTo;
      segments += c.Kind == K::LineTo;
    }
    EXPECT_EQ(moves, 1) << "fill " << fill.StyleIndex;
    EXPECT_EQ(segments, 4) << "fill " << fill.StyleIndex;
    EXPECT_DOUBLE_EQ(std::abs(Area(fill.Path)), 10000) << "fill " << fill.StyleIndex;
  }
}

TEST(ShapeGeometry, NewStylesStartALayerWithNothingSelected) {
  TSWFFillStyleList fills = Fills(1);
  TSWFLineStyleList lines;
  auto records = Records({});
  records.push_back(Style(0, 0, 0, 1, 0));
  records.push_back(Line(10, 0));
  records.push_back(Line(0, 10));
  records.push_back(Line(-10, 0));
  records.push_back(Line(0, -10));
  auto change = std::make_unique<TSWFStyleChangeRecord>();
  change->NewFillStyles().push_back(std::make_unique<TSWFColorFill>());
  change->NewLineStyles().push_back(std::make_unique<TSWFLineStyle>());
  change->NewLineStyles()[0]->Width = 40;
  const TSWFFillStyle* second = change->NewFillStyles()[0].get();
  change->SetMoveTo(50, 50);
  records.push_back(std::move(change));
  records.push_back(Line(10, 0));  // no style selected: draws nothing
  auto select = std::make_unique<TSWFStyleChangeRecord>();
  select->SetFillStyle1(1);
  select->SetLineStyle(1);
  records.push_back(std::move(select));
  records.push_back(Line(0, 10));
  records.push_back(Line(-10, 0));
  records.push_back(Line(0, -10));
  TShapeGeometry g = BuildShapeGeometry(fills, lines, records);
  ASSERT_EQ(g.Layers.size(), 2u);
  EXPECT_EQ(g.Layers[0].Fills.at(0).Style, fills[0].get());
  EXPECT_TRUE(g.Layers[0].Strokes.empty());
  EXPECT_EQ(g.Layers[1].Fills.at(0).Style, second);
  ASSERT_EQ(g.Layers[1].Strokes.size(), 1u);
  EXPECT_DOUBLE_EQ(g.Layers[1].Strokes[0].Style.Width, 40);
  EXPECT_DOUBLE_EQ(g.MaxStrokeWidth, 40);
  // The stroke starts where the line style was selected, not at the move.
  EXPECT_EQ(g.Layers[1].Strokes[0].Path.front().To, (TPoint{60, 50}));
}

TEST(ShapeGeometry, StrokesJoinContinuingEdgesAndCloseLoops) {
  TSWFFillStyleList fills;
  TSWFLineStyleList lines;
  lines.push_back(std::make_unique<TSWFLineStyle>());
  auto open = std::make_unique<TSWFLineStyle2>();
  open->NoClose = true;
  open->StartCapStyle = 1;
  open->JoinStyle = 2;
  open->MiterLimitFactor = 4;
  lines.push_back(std::move(open));
  auto records = Records({});
  // A closed triangle with line 1, then the same triangle with line 2 (no close), then an open
  // polyline of line 1 elsewhere.
  records.push_back(Style(0, 0, 0, 0, 1));
  records.push_back(Line(10, 0));
  records.push_back(Line(0, 10));
  records.push_back(Line(-10, -10));
  records.push_back(Style(0, 0, 0, 0, 2));
  records.push_back(Line(10, 0));
  records.push_back(Line(0, 10));
  records.push_back(Line(-10, -10));
  records.push_back(Style(100, 100, 0, 0, 1));
  records.push_back(Line(10, 0));
  records.push_back(std::make_unique<TSWFCurvedEdgeRecord>(5, 5, 5, -5));
  TShapeGeometry g = BuildShapeGeometry(fills, lines, records);
  ASSERT_EQ(g.Layers.size(), 1u);
  ASSERT_EQ(g.Layers[0].Strokes.size(), 2u);
  const TStrokePath& first = g.Layers[0].Strokes[0];
  std::vector<TPoint> loopThenOpen = {{0, 0},   {10, 0},    {10, 10},   {0, 0},
                                      {-1, -1}, {100, 100}, {110, 100}, {120, 100}};
  EXPECT_EQ(Points(first.Path), loopThenOpen);
  EXPECT_EQ(first.Path.back().Kind, K::CurveTo);
  EXPECT_EQ(first.Path.back().Control, (TPoint{115, 105}));
  const TStrokePath& second = g.Layers[0].Strokes[1];
  EXPECT_EQ(second.Path.back().Kind, K::LineTo);  // not closed
  EXPECT_EQ(second.Style.StartCap, 1);
  EXPECT_EQ(second.Style.Join, 2);
  EXPECT_DOUBLE_EQ(second.Style.MiterLimit, 4);
}

TEST(ShapeGeometry, IndicesPastTheStylesDrawNothing) {
  TSWFFillStyleList fills = Fills(1);
  TSWFLineStyleList lines;
  auto records = Records({});
  records.push_back(Style(0, 0, 0, 5, 3));
  records.push_back(Line(10, 0));
  records.push_back(Line(0, 10));
  records.push_back(Line(-10, -10));
  TShapeGeometry g = BuildShapeGeometry(fills, lines, records);
  ASSERT_EQ(g.Layers.size(), 1u);
  EXPECT_EQ(g.Layers[0].Fills.at(0).Style, nullptr);
  EXPECT_FALSE(g.Layers[0].Strokes.at(0).HasStyle);
}

TEST(MorphGeometry, InterpolatesEdgesColoursWidthsAndGradients) {
  TSWFDefineMorphShape morph;
  auto fill = std::make_unique<TSWFMorphColorFill>();
  fill->StartColor.SetRGBA(PackRGBA(0, 0, 0, 255));
  fill->EndColor.SetRGBA(PackRGBA(200, 100, 50, 55));
  morph.MorphFillStyles.push_back(std::move(fill));
  auto gradient = std::make_unique<TSWFMorphGradientFill>();
  gradient->FillStyleType = 0x12;
  gradient->NumGradients = 2;
  gradient->Gradients[0].StartRatio = 0;
  gradient->Gradients[0].EndRatio = 100;
  gradient->Gradients[1].StartRatio = 255;
  gradient->Gradients[1].EndRatio = 255;
  gradient->StartGradientMatrix.SetTranslate(0, 0);
  gradient->EndGradientMatrix.SetTranslate(1000, -1000);
  morph.MorphFillStyles.push_back(std::move(gradient));
  auto line = std::make_unique<TSWFMorphLineStyle>();
  line->StartWidth = 20;
  line->EndWidth = 60;
  morph.MorphLineStyles.push_back(std::move(line));
  // Start: a 100-twip square; end: a 300-twip square moved by (100, 100), its first edge
  // curved.
  morph.StartEdges.push_back(Style(0, 0, 0, 1, 1));
  morph.StartEdges.push_back(Line(100, 0));
  morph.StartEdges.push_back(Line(0, 100));
  morph.StartEdges.push_back(Line(-100, 0));
  morph.StartEdges.push_back(Line(0, -100));
  auto endMove = std::make_unique<TSWFStyleChangeRecord>();
  endMove->SetMoveTo(100, 100);
  morph.EndEdges.push_back(std::move(endMove));
  morph.EndEdges.push_back(std::make_unique<TSWFCurvedEdgeRecord>(150, -40, 150, 40));
  morph.EndEdges.push_back(Line(0, 300));
  morph.EndEdges.push_back(Line(-300, 0));
  morph.EndEdges.push_back(Line(0, -300));

  TShapeGeometry start = BuildMorphGeometry(morph, 0);
  EXPECT_EQ(Points(start.Layers.at(0).Fills.at(0).Path).at(2), (TPoint{100, 100}));

  TShapeGeometry half = BuildMorphGeometry(morph, 32768);
  const double t = 32768 / 65535.0;
  const TFillPath& f = half.Layers.at(0).Fills.at(0);
  EXPECT_NEAR(f.Path[0].To.X, 50 * t * 2, 1e-9);
  EXPECT_EQ(f.Path[1].Kind, K::CurveTo);
  EXPECT_NEAR(f.Path[1].Control.Y, 0 + (60 - 0) * t, 1e-9);  // (50, 0) to (250, 60)
  EXPECT_NEAR(f.Path[1].To.X, 100 + 300 * t, 1e-9);
  const auto& color = static_cast<const TSWFColorFill&>(*f.Style);
  EXPECT_EQ(color.Color.Red, 100);
  EXPECT_EQ(color.Color.Alpha(), 155);
  EXPECT_NEAR(half.Layers[0].Strokes.at(0).Style.Width, 40, 0.01);

  const auto& g = static_cast<const TSWFGradientFill&>(*half.OwnedFills.at(1));
  EXPECT_EQ(g.FillStyleType, 0x12);
  EXPECT_EQ(g.GradientRatio(1), 50);
  EXPECT_EQ(g.GradientMatrix.TranslateX, 500);
  EXPECT_EQ(g.GradientMatrix.TranslateY, -500);

  TShapeGeometry end = BuildMorphGeometry(morph, 65535);
  EXPECT_EQ(Points(end.Layers.at(0).Fills.at(0).Path).at(2), (TPoint{400, 400}));
}

}  // namespace
}  // namespace orvanta::render
