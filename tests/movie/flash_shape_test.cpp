#include "movie/flash_shape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "movie/flash_edges.h"
#include "movie/flash_movie.h"
#include "swf/bits_engine.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::ReadTag;
using test::Written;

// A movie in pixel units, as the application drives it.
struct PixelMovie {
  TFlashMovie movie{0, 0, 8000, 6000, 12};
  PixelMovie() { movie.SetPixelUnits(true); }
};

// The records of a shape as (kind, four values) rows, for compact comparisons.
struct Row {
  TShapeRecordKind Kind;
  int32_t A = 0, B = 0, C = 0, D = 0;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << "{" << static_cast<int>(row.Kind) << ": " << row.A << ", " << row.B << ", " << row.C
      << ", " << row.D << "}";
}

Row RowOf(const TSWFShapeRecord& record) {
  switch (record.Kind) {
    case TShapeRecordKind::StyleChange: {
      auto& style = static_cast<const TSWFStyleChangeRecord&>(record);
      if (!style.StateMoveTo) return {record.Kind};
      return {record.Kind, style.MoveDeltaX(), style.MoveDeltaY()};
    }
    case TShapeRecordKind::StraightEdge: {
      auto& edge = static_cast<const TSWFStraightEdgeRecord&>(record);
      return {record.Kind, edge.DeltaX, edge.DeltaY};
    }
    case TShapeRecordKind::CurvedEdge: {
      auto& curve = static_cast<const TSWFCurvedEdgeRecord&>(record);
      return {record.Kind, curve.ControlDeltaX, curve.ControlDeltaY, curve.AnchorDeltaX,
              curve.AnchorDeltaY};
    }
    case TShapeRecordKind::End:
      break;
  }
  return {record.Kind};
}

std::vector<Row> Rows(const TSWFShapeRecordList& records) {
  std::vector<Row> rows;
  for (const auto& record : records) rows.push_back(RowOf(*record));
  return rows;
}

constexpr auto kStyle = TShapeRecordKind::StyleChange;
constexpr auto kLine = TShapeRecordKind::StraightEdge;
constexpr auto kCurve = TShapeRecordKind::CurvedEdge;
constexpr auto kEnd = TShapeRecordKind::End;

// Where the pen ends relative to the last move, following every edge.
std::pair<int64_t, int64_t> OpenGap(const TSWFShapeRecordList& records) {
  int64_t x = 0, y = 0;
  for (const auto& record : records) {
    Row row = RowOf(*record);
    if (row.Kind == kLine) {
      x += row.A;
      y += row.B;
    } else if (row.Kind == kCurve) {
      x += row.A + row.C;
      y += row.B + row.D;
    }
  }
  return {x, y};
}

// The body of a complete tag, after its short or long header.
Bytes BodyOf(const Bytes& tag) {
  size_t header = (tag[0] & 0x3F) == 0x3F ? 6 : 2;
  return Bytes(tag.begin() + static_cast<std::ptrdiff_t>(header), tag.end());
}

int CountKind(const TSWFShapeRecordList& records, TShapeRecordKind kind) {
  int n = 0;
  for (const auto& record : records) n += record->Kind == kind;
  return n;
}

TEST(FlashShape, AddRectangleInPixels) {
  PixelMovie m;
  TFlashShape* shape = m.movie.AddRectangle(10, 10, 110, 60);
  EXPECT_EQ(shape->Bounds, TSWFRect(200, 200, 2200, 1200));
  EXPECT_EQ(Rows(shape->ShapeRecords), (std::vector<Row>{{kStyle, 200, 200},
                                                         {kLine, 2000, 0},
                                                         {kLine, 0, 1000},
                                                         {kLine, -2000, 0},
                                                         {kLine, 0, -1000},
                                                         {kEnd}}));
  EXPECT_EQ(shape->CharacterId(), 1);
  EXPECT_EQ(m.movie.NextCharacterID(), 2);
  ASSERT_EQ(m.movie.Shapes.size(), 1u);
  EXPECT_EQ(m.movie.Shapes[0], shape);
  EXPECT_EQ(m.movie.ObjectList().back().get(), shape);
  EXPECT_EQ(shape->XMin(), 10);
  EXPECT_EQ(shape->Width(), 100);
  EXPECT_EQ(shape->Height(true), 1000);
  EXPECT_EQ(m.movie.AddShape()->CharacterId(), 2);
}

TEST(FlashShape, WritesDefineShape2Bytes) {
  PixelMovie m;
  TFlashShape* shape = m.movie.AddRectangle(10, 10, 110, 60);
  shape->SetSolidColor(PackRGBA(0xFF, 0, 0, 0xFF));
  shape->SetLineStyle(2, PackRGB(0, 0, 0xFF));
  EXPECT_EQ(shape->MinVersion(), 2);
  // Packed by hand: the bounds widened by half the 40-twip line on every side.
  const Bytes body = {0x01, 0x00, 0x68, 0x2D, 0x11, 0x58, 0x0B, 0x42, 0x62, 0x00, 0x01, 0x00, 0xFF,
                      0x00, 0x00, 0x01, 0x28, 0x00, 0x00, 0x00, 0xFF, 0x11, 0x35, 0x2C, 0x86, 0x47,
                      0xD0, 0xFA, 0x1C, 0xAF, 0xA3, 0xA2, 0x0C, 0x39, 0x60, 0xC0, 0x00};
  Bytes tag = Written([&](TBitsEngine& e) { shape->WriteToStream(e); });
  EXPECT_EQ(tag, test::Concat({{0xA5, 0x05}, body}));
  // The lists lent to the tag are back with the shape: a second write is the same.
  EXPECT_EQ(shape->FillStyles.size(), 1u);
  EXPECT_EQ(shape->LineStyles.size(), 1u);
  EXPECT_EQ(shape->ShapeRecords.size(), 6u);
  EXPECT_EQ(Written([&](TBitsEngine& e) { shape->WriteToStream(e); }), tag);
}

TEST(FlashShape, TagKindFollowsAlphaAndLineStyle2) {
  PixelMovie m;
  auto written = [](TFlashShape& shape) {
    Bytes tag = Written([&](TBitsEngine& e) { shape.WriteToStream(e); });
    uint16_t code = static_cast<uint16_t>((tag[0] | tag[1] << 8) >> 6);
    return std::make_pair(code, ReadTag(code, BodyOf(tag)));
  };

  TFlashShape* translucent = m.movie.AddRectangle(0, 0, 10, 10);
  translucent->SetSolidColor(0x10, 0x20, 0x30, 128);
  EXPECT_TRUE(translucent->HasAlpha);
  EXPECT_EQ(translucent->MinVersion(), 3);
  auto [code3, tag3] = written(*translucent);
  EXPECT_EQ(code3, 32);
  auto& fill3 =
      dynamic_cast<TSWFColorFill&>(*dynamic_cast<TSWFDefineShape&>(*tag3).FillStyles.at(0));
  EXPECT_EQ(fill3.Color.RGBA(), PackRGBA(0x10, 0x20, 0x30, 128));

  TFlashShape* lineAlpha = m.movie.AddRectangle(0, 0, 10, 10);
  TSWFRGBA halfBlue(PackRGBA(0, 0, 255, 200), true);
  lineAlpha->SetLineStyle(1, halfBlue);
  EXPECT_EQ(written(*lineAlpha).first, 32);

  TFlashShape* stroked = m.movie.AddRectangle(0, 0, 10, 10);
  stroked->SetSolidColor(PackRGBA(1, 2, 3, 255));
  stroked->SetLineStyle(3, PackRGB(4, 5, 6));
  stroked->UseLineStyle2 = true;
  EXPECT_EQ(stroked->MinVersion(), 8);
  auto [code4, tag4] = written(*stroked);
  EXPECT_EQ(code4, 83);
  auto& shape4 = dynamic_cast<TSWFDefineShape4&>(*tag4);
  EXPECT_EQ(shape4.EdgeBounds, TSWFRect(0, 0, 200, 200));
  EXPECT_EQ(shape4.ShapeBounds, TSWFRect(-30, -30, 230, 230));
  auto& line = dynamic_cast<TSWFLineStyle2&>(*shape4.LineStyles.at(0));
  EXPECT_EQ(line.Width, 60);
  EXPECT_EQ(line.Color.RGBA(), PackRGBA(4, 5, 6, 255));
  // Colours inside a DefineShape4 are RGBA even though none is translucent.
  EXPECT_EQ(dynamic_cast<TSWFColorFill&>(*shape4.FillStyles.at(0)).Color.RGBA(),
            PackRGBA(1, 2, 3, 255));
  // The shape keeps its own plain line style.
  EXPECT_EQ(dynamic_cast<TSWFLineStyle2*>(stroked->LineStyles[0].get()), nullptr);
}

TEST(FlashShape, OutlinesOfTheShapeMakers) {
  PixelMovie m;
  TFlashShape* diamond = m.movie.AddDiamond(0, 0, 100, 50);
  EXPECT_EQ(Rows(diamond->ShapeRecords), (std::vector<Row>{{kStyle, 1000, 0},
                                                           {kLine, 1000, 500},
                                                           {kLine, -1000, 500},
                                                           {kLine, -1000, -500},
                                                           {kLine, 1000, -500},
                                                           {kEnd}}));

  TFlashShape* ellipse = m.movie.AddEllipse(0, 0, 100, 50);
  auto rows = Rows(ellipse->ShapeRecords);
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0], (Row{kStyle, 2000, 500}));
  EXPECT_EQ(rows[1], (Row{kCurve, 0, 207, -293, 146}));  // trunc(1000 * .207), trunc(2000 * .1465)
  EXPECT_EQ(rows[2], (Row{kCurve, -293, 146, -414, 0}));
  EXPECT_EQ(rows[9], (Row{kEnd}));
  auto [gapX, gapY] = OpenGap(ellipse->ShapeRecords);
  EXPECT_LE(std::abs(gapX), 8);
  EXPECT_LE(std::abs(gapY), 8);

  TFlashShape* circle = m.movie.AddCircle(50, 50, 10);
  EXPECT_EQ(circle->Bounds, TSWFRect(800, 800, 1200, 1200));
  EXPECT_EQ(RowOf(*circle->ShapeRecords[0]), (Row{kStyle, 1200, 1000}));

  TFlashShape* round = m.movie.AddRoundRect(0, 0, 100, 50, 10);
  rows = Rows(round->ShapeRecords);
  ASSERT_EQ(rows.size(), 14u);  // move, 4 sides, 8 corners, end
  EXPECT_EQ(rows[0], (Row{kStyle, 2000, 200}));
  EXPECT_EQ(rows[1], (Row{kLine, 0, 600}));
  EXPECT_EQ(rows[2], (Row{kCurve, 0, 82, -58, 58}));
  EXPECT_EQ(rows[4], (Row{kLine, -1600, 0}));
  std::tie(gapX, gapY) = OpenGap(round->ShapeRecords);
  EXPECT_LE(std::abs(gapX), 4);
  EXPECT_LE(std::abs(gapY), 4);

  TFlashShape* line = m.movie.AddLine(0, 0, 10, 20);
  EXPECT_EQ(line->Bounds, TSWFRect(0, 0, 200, 400));
  // The pen is already at 0,0: no move, and an open line has no end record.
  EXPECT_EQ(Rows(line->ShapeRecords), (std::vector<Row>{{kStyle}, {kLine, 200, 400}}));

  const TFlashPoint triangle[] = {{10, 0}, {20, 20}, {0, 10}};
  TFlashShape* polygon = m.movie.AddPolygon(triangle);
  EXPECT_EQ(polygon->Bounds, TSWFRect(0, 0, 400, 400));
  EXPECT_EQ(
      Rows(polygon->ShapeRecords),
      (std::vector<Row>{
          {kStyle, 200, 0}, {kLine, 200, 400}, {kLine, -400, -200}, {kLine, 200, -200}, {kEnd}}));
}

TEST(FlashShape, Stars) {
  PixelMovie m;
  TFlashShape* star = m.movie.AddStar(50, 50, 20, 10, 5, false);
  EXPECT_EQ(star->Bounds, TSWFRect(600, 600, 1400, 1400));
  auto rows = Rows(star->ShapeRecords);
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0], (Row{kStyle, 1000, 600}));
  // First inner point at -54 degrees on radius 200 twips: (118, -162) from the centre.
  EXPECT_EQ(rows[1], (Row{kLine, 118, 238}));
  EXPECT_EQ(OpenGap(star->ShapeRecords), std::make_pair(int64_t{0}, int64_t{0}));

  TFlashShape* curved = m.movie.AddStar(50, 50, 20, 10, 5, true);
  EXPECT_EQ(CountKind(curved->ShapeRecords, kCurve), 5);
  EXPECT_EQ(OpenGap(curved->ShapeRecords), std::make_pair(int64_t{0}, int64_t{0}));

  // The point count is kept within 2..360.
  EXPECT_EQ(CountKind(m.movie.AddStar(0, 0, 20, 5, 1, false)->ShapeRecords, kLine), 4);
  EXPECT_EQ(CountKind(m.movie.AddStar(0, 0, 2000, 1000, 1000, false)->ShapeRecords, kLine), 720);
}

TEST(FlashEdges, PenRules) {
  TSWFShapeRecordList records;
  TFlashEdges pen(&records);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(static_cast<TSWFStyleChangeRecord&>(*records[0]).StateFillStyle1);

  pen.MoveTo(0, 0);  // already there: nothing
  EXPECT_FALSE(static_cast<TSWFStyleChangeRecord&>(*records[0]).StateMoveTo);
  // A delta too long for one record is split into equal pieces.
  pen.LineDelta(70000, 0);
  EXPECT_EQ(Rows(records), (std::vector<Row>{{kStyle}, {kLine, 35000, 0}, {kLine, 35000, 0}}));
  pen.LineDelta(100001, -3);
  EXPECT_EQ(RowOf(*records[3]), (Row{kLine, 50000, -2}));  // rounding ties go to even
  EXPECT_EQ(RowOf(*records[4]), (Row{kLine, 50001, -1}));
  EXPECT_EQ(pen.CurrentX, 170001);
  EXPECT_EQ(pen.CurrentY, -3);

  records.clear();
  pen.MoveTo(0, 0);  // the pen is elsewhere: a new style record
  pen.LineTo(0, 0);  // nothing
  pen.LineDelta(0, 0);
  pen.CurveTo(5, 5, 0, 0);  // anchor at the pen: nothing
  EXPECT_EQ(records.size(), 1u);
  // Degenerate curves become straight edges.
  pen.CurveDelta(0, 0, 100, 0);
  pen.CurveDelta(30, 0, 40, 0);
  pen.CurveDelta(0, -10, 0, -20);
  pen.CurveDelta(10, 10, 0, 0);
  pen.CurveDelta(10, 0, 0, 10);
  EXPECT_EQ(Rows(records), (std::vector<Row>{{kStyle, 0, 0},
                                             {kLine, 100, 0},
                                             {kLine, 70, 0},
                                             {kLine, 0, -30},
                                             {kLine, 10, 10},
                                             {kCurve, 10, 0, 0, 10}}));
  EXPECT_EQ(pen.CurrentX, 190);
  EXPECT_EQ(pen.CurrentY, -10);
  pen.CloseShape();
  EXPECT_EQ(RowOf(*records.back()), (Row{kLine, -190, 10}));
  pen.CloseShape();  // already closed
  EXPECT_EQ(records.size(), 7u);
  pen.MoveDelta(5, 5);
  pen.MoveDelta(1, 1);  // both land in the same style record
  EXPECT_EQ(RowOf(*records.back()), (Row{kStyle, 6, 6}));
  EXPECT_EQ(pen.StartX, 6);
}

TEST(FlashEdges, UnitsAndMerging) {
  PixelMovie m;
  TSWFShapeRecordList records;
  TFlashEdges pen(&records, &m.movie);
  pen.CurveDelta(0, 0, 100, 0);
  EXPECT_EQ(RowOf(*records.back()), (Row{kLine, 2000, 0}));
  pen.CurveTo(110, 10, 120, 0);  // control (110, 10) px from a pen at 100 px
  EXPECT_EQ(RowOf(*records.back()), (Row{kCurve, 200, 200, 200, -200}));
  pen.RawUnits = true;
  pen.LineDelta(7, 0);
  EXPECT_EQ(RowOf(*records.back()), (Row{kLine, 7, 0}));
  pen.RawUnits = false;
  // Shape makers scale their sizes themselves and leave RawUnits as it was.
  pen.MakeDiamond(2, 2);
  EXPECT_EQ(RowOf(*records.back()), (Row{kLine, 20, -20}));
  EXPECT_FALSE(pen.RawUnits);

  records.clear();
  pen.MergeLines = true;
  pen.RawUnits = true;
  pen.LineDelta(0, 100);
  pen.LineDelta(0, 200);  // same direction: merged
  pen.LineDelta(0, -50);  // turns back: a new edge
  pen.LineDelta(300, 0);
  pen.LineDelta(65300, 0);  // the sum would not fit: a new edge
  pen.LineDelta(10, 10);
  pen.LineDelta(10, 10);  // repeated delta: doubled
  EXPECT_EQ(
      Rows(records),
      (std::vector<Row>{
          {kLine, 0, 300}, {kLine, 0, -50}, {kLine, 300, 0}, {kLine, 65300, 0}, {kLine, 20, 20}}));
}

TEST(FlashEdges, FlipMirrorsEdgesAndMoves) {
  TSWFShapeRecordList records;
  TFlashEdges pen(&records);
  pen.MoveTo(10, 20);
  pen.LineDelta(5, 6);
  pen.CurveDelta(1, 2, 3, 4);
  pen.EndEdges();
  pen.FlipX();
  EXPECT_EQ(Rows(records),
            (std::vector<Row>{{kStyle, -10, 20}, {kLine, -5, 6}, {kCurve, -1, 2, -3, 4}, {kEnd}}));
  pen.FlipY();
  EXPECT_EQ(RowOf(*records[2]), (Row{kCurve, -1, -2, -3, -4}));
  EXPECT_EQ(pen.CurrentY, -32);
}

TEST(FlashShape, StyleSelectionTargets) {
  PixelMovie m;
  TFlashShape* shape = m.movie.AddShape();
  // Chosen before anything is drawn: lands in the pen's first record.
  shape->SetSolidColor(PackRGBA(1, 1, 1, 255));
  shape->SetLineStyle(1, PackRGB(2, 2, 2));
  auto& first = static_cast<TSWFStyleChangeRecord&>(*shape->ShapeRecords[0]);
  EXPECT_EQ(first.FillStyle1(), 1);
  EXPECT_EQ(first.LineStyle(), 1);
  EXPECT_EQ(shape->FillStyle1Index, 1);

  shape->Edges.LineDelta(10, 0);
  shape->Edges.MoveTo(0, 50);
  shape->StyleOnLastRecord = true;
  shape->SetSolidColor(PackRGBA(3, 3, 3, 255));
  shape->SetFillStyle0(1);
  auto& last = static_cast<TSWFStyleChangeRecord&>(*shape->ShapeRecords.back());
  EXPECT_EQ(last.FillStyle1(), 2);
  EXPECT_TRUE(last.StateFillStyle0);
  EXPECT_EQ(first.FillStyle1(), 1);

  // No target record: the stored index becomes 0 and no record changes.
  TFlashShape* bare = m.movie.AddShape();
  bare->ShapeRecords.clear();
  bare->ShapeRecords.push_back(std::make_unique<TSWFStraightEdgeRecord>(1, 1));
  bare->SetFillStyle1(1);
  EXPECT_EQ(bare->FillStyle1Index, 0);
  bare->StyleOnLastRecord = true;
  bare->SetLineStyleIndex(1);
  EXPECT_EQ(bare->LineStyleIndex, 0);
  EXPECT_EQ(bare->ShapeRecords.size(), 1u);
}

TEST(FlashShape, Gradients) {
  PixelMovie m;
  TFlashShape* shape = m.movie.AddRectangle(10, 20, 110, 70);
  auto& linear = shape->SetLinearGradient(PackRGBA(255, 0, 0, 255), PackRGBA(0, 0, 255, 255), 0);
  EXPECT_EQ(linear.FillStyleType, 0x10);
  EXPECT_EQ(linear.NumGradients, 2);
  EXPECT_EQ(linear.GradientRatio(1), 0);
  EXPECT_EQ(linear.GradientRatio(2), 255);
  EXPECT_EQ(linear.GradientColor(2).RGBA(), PackRGBA(0, 0, 255, 255));
  const TSWFMatrix& lm = linear.GradientMatrix;
  EXPECT_EQ(lm.ScaleX, FloatToFixed(2000.0 / 32768));
  EXPECT_EQ(lm.ScaleY, FloatToFixed(1000.0 / 32768));
  EXPECT_EQ(lm.RotateSkew0, 0);
  EXPECT_EQ(lm.RotateSkew1, 0);
  EXPECT_EQ(lm.TranslateX, 200 + 1000);
  EXPECT_EQ(lm.TranslateY, 400 + 500);
  EXPECT_FALSE(shape->HasAlpha);
  EXPECT_EQ(shape->FillStyle1Index, 1);

  const uint32_t three[] = {0xFF000000, 0x80FFFFFF, 0xFF0000FF};
  auto& turned = shape->SetLinearGradient(three, 90);
  EXPECT_EQ(turned.GradientRatio(2), 128);  // 127.5 rounds to even
  EXPECT_EQ(turned.GradientMatrix.ScaleX, 0);
  EXPECT_TRUE(turned.GradientMatrix.HasScale);
  EXPECT_EQ(turned.GradientMatrix.RotateSkew1, FloatToFixed(2000.0 / 32768));
  EXPECT_EQ(turned.GradientMatrix.RotateSkew0, FloatToFixed(-1000.0 / 32768));
  EXPECT_TRUE(shape->HasAlpha);  // the middle colour is translucent

  std::vector<uint32_t> twelve(12, 0xFF00FF00);
  auto& radial = shape->SetRadialGradient(twelve, 25, 100);
  EXPECT_EQ(radial.FillStyleType, 0x12);
  EXPECT_EQ(radial.NumGradients, 8);
  EXPECT_EQ(radial.GradientRatio(8), 255);
  EXPECT_EQ(radial.GradientMatrix.TranslateX, 200 + 500);
  EXPECT_EQ(radial.GradientMatrix.TranslateY, 400 + 1000);
  EXPECT_FALSE(radial.GradientMatrix.HasRotate);

  // The gradients survive the trip through the written tag.
  Bytes tag = Written([&](TBitsEngine& e) { shape->WriteToStream(e); });
  auto read = ReadTag(TTagCode::DefineShape3, BodyOf(tag));
  auto& fills = dynamic_cast<TSWFDefineShape&>(*read).FillStyles;
  ASSERT_EQ(fills.size(), 3u);
  EXPECT_EQ(dynamic_cast<TSWFGradientFill&>(*fills[1]).GradientColor(2).Alpha(), 0x80);
}

TEST(FlashShape, AssignCopiesOutlineAndStyles) {
  PixelMovie m;
  TFlashShape* source = m.movie.AddEllipse(0, 0, 10, 10);
  source->SetSolidColor(PackRGBA(9, 9, 9, 100));
  source->SetLineStyle(1, PackRGB(0, 0, 0));
  TFlashShape copy(&m.movie);
  copy.Assign(*source);
  EXPECT_EQ(copy.CharacterId(), source->CharacterId());
  EXPECT_TRUE(copy.HasAlpha);
  EXPECT_EQ(Rows(copy.ShapeRecords), Rows(source->ShapeRecords));
  EXPECT_EQ(Written([&](TBitsEngine& e) { copy.WriteToStream(e); }),
            Written([&](TBitsEngine& e) { source->WriteToStream(e); }));
  EXPECT_NE(copy.FillStyles[0].get(), source->FillStyles[0].get());
}

}  // namespace
}  // namespace orvanta
