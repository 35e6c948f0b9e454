#include "swf/tags_shape.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::BodyBytes;
using test::Bytes;
using test::ReadTag;
using test::TagBytes;
using test::Written;

template <class T>
T& As(TSWFObject& Tag) {
  return dynamic_cast<T&>(Tag);
}

TSWFStyleChangeRecord& AddStyle(TSWFShapeRecordList& Records) {
  auto record = std::make_unique<TSWFStyleChangeRecord>();
  auto& ref = *record;
  Records.push_back(std::move(record));
  return ref;
}

void AddLine(TSWFShapeRecordList& Records, int32_t DX, int32_t DY) {
  Records.push_back(std::make_unique<TSWFStraightEdgeRecord>(DX, DY));
}

void AddEnd(TSWFShapeRecordList& Records) {
  Records.push_back(std::make_unique<TSWFEndShapeRecord>());
}

// Reads Body as a tag of Code and expects the copy to write the same body.
std::unique_ptr<TSWFObject> ExpectRoundTrip(uint16_t Code, const Bytes& Body) {
  auto copy = ReadTag(Code, Body);
  EXPECT_EQ(copy->TagID, Code);
  EXPECT_EQ(BodyBytes(*copy), Body);
  return copy;
}

// The expected bodies below were packed by hand from the SWF record layouts.

TEST(ShapeTags, SolidRectangleDefineShape) {
  TSWFDefineShape shape;
  shape.ShapeId = 1;
  shape.ShapeBounds = TSWFRect(0, 0, 2000, 1000);
  auto fill = std::make_unique<TSWFColorFill>();
  fill->Color.SetColor(PackRGB(0xFF, 0, 0));
  shape.FillStyles.push_back(std::move(fill));
  auto line = std::make_unique<TSWFLineStyle>();
  line->Width = 20;
  line->Color.SetColor(PackRGB(0, 0, 0xFF));
  shape.LineStyles.push_back(std::move(line));
  auto& style = AddStyle(shape.ShapeRecords);
  style.SetMoveTo(100, 100);
  style.SetFillStyle1(1);
  style.SetLineStyle(1);
  AddLine(shape.ShapeRecords, 2000, 0);
  AddLine(shape.ShapeRecords, 0, 1000);
  AddLine(shape.ShapeRecords, -2000, 0);
  AddLine(shape.ShapeRecords, 0, -1000);
  AddEnd(shape.ShapeRecords);

  const Bytes body = {0x01, 0x00, 0x60, 0x00, 0x3E, 0x80, 0x00, 0x1F, 0x40, 0x01, 0x00, 0xFF,
                      0x00, 0x00, 0x01, 0x14, 0x00, 0x00, 0x00, 0xFF, 0x11, 0x35, 0x0C, 0x8C,
                      0x9F, 0x43, 0xE8, 0x72, 0xBE, 0x8E, 0x88, 0x30, 0xE5, 0x83, 0x00, 0x00};
  Bytes tag = TagBytes(shape);
  ASSERT_EQ(tag.size(), body.size() + 2);
  EXPECT_EQ(tag[0] | tag[1] << 8, 2 << 6 | 36);
  EXPECT_EQ(Bytes(tag.begin() + 2, tag.end()), body);
  EXPECT_EQ(shape.MinVersion(), 1);

  auto copy = ExpectRoundTrip(2, body);
  auto& read = As<TSWFDefineShape>(*copy);
  EXPECT_EQ(read.ShapeId, 1);
  EXPECT_EQ(read.ShapeBounds, TSWFRect(0, 0, 2000, 1000));
  ASSERT_EQ(read.FillStyles.size(), 1u);
  EXPECT_EQ(dynamic_cast<TSWFColorFill&>(*read.FillStyles[0]).Color.RGB(), PackRGB(0xFF, 0, 0));
  ASSERT_EQ(read.LineStyles.size(), 1u);
  EXPECT_EQ(read.LineStyles[0]->Width, 20);
  ASSERT_EQ(read.ShapeRecords.size(), 6u);
  auto& readStyle = static_cast<TSWFStyleChangeRecord&>(*read.ShapeRecords[0]);
  EXPECT_TRUE(readStyle.StateMoveTo);
  EXPECT_EQ(readStyle.MoveDeltaX(), 100);
  EXPECT_EQ(readStyle.FillStyle1(), 1);
  EXPECT_EQ(readStyle.LineStyle(), 1);
  EXPECT_FALSE(readStyle.StateFillStyle0);
  auto& edge = static_cast<TSWFStraightEdgeRecord&>(*read.ShapeRecords[3]);
  EXPECT_EQ(edge.Kind, TShapeRecordKind::StraightEdge);
  EXPECT_EQ(edge.DeltaX, -2000);
  EXPECT_EQ(edge.DeltaY, 0);
  EXPECT_EQ(read.ShapeRecords[5]->Kind, TShapeRecordKind::End);
}

TEST(ShapeTags, GradientDefineShape3WithAlpha) {
  TSWFDefineShape3 shape;
  shape.ShapeId = 2;
  shape.ShapeBounds = TSWFRect(-100, -100, 100, 100);
  auto gradient = std::make_unique<TSWFGradientFill>();
  gradient->GradientMatrix.HasScale = true;
  gradient->GradientMatrix.ScaleX = gradient->GradientMatrix.ScaleY = 32768;
  gradient->GradientMatrix.SetTranslate(10, -10);
  gradient->NumGradients = 2;
  gradient->SetGradientRatio(1, 0);
  gradient->GradientColor(1).SetRGBA(PackRGBA(0xFF, 0, 0, 0x80));
  gradient->SetGradientRatio(2, 255);
  gradient->GradientColor(2).SetRGBA(PackRGBA(0, 0, 0xFF, 0xFF));
  shape.FillStyles.push_back(std::move(gradient));
  auto& style = AddStyle(shape.ShapeRecords);
  style.SetMoveTo(-100, -100);
  style.SetFillStyle0(1);
  shape.ShapeRecords.push_back(std::make_unique<TSWFCurvedEdgeRecord>(200, 0, 0, 200));
  AddLine(shape.ShapeRecords, -200, -200);

  // No end record in the list: the writer closes it.
  const Bytes body = {0x02, 0x00, 0x44, 0xE3, 0x24, 0xE3, 0x20, 0x01, 0x10, 0xC5, 0x00,
                      0x00, 0x80, 0x00, 0x15, 0x56, 0x02, 0x00, 0xFF, 0x00, 0x00, 0x80,
                      0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x10, 0x0D, 0x13, 0x93, 0x99,
                      0xD9, 0x00, 0x00, 0x03, 0x23, 0x7C, 0xE2, 0x70, 0x00};
  EXPECT_EQ(BodyBytes(shape), body);
  EXPECT_EQ(shape.MinVersion(), 3);

  auto copy = ExpectRoundTrip(32, body);
  auto& read = As<TSWFDefineShape3>(*copy);
  EXPECT_TRUE(read.HasAlpha);
  auto& fill = dynamic_cast<TSWFGradientFill&>(*read.FillStyles.at(0));
  EXPECT_EQ(fill.FillStyleType, 0x10);
  EXPECT_EQ(fill.NumGradients, 2);
  EXPECT_EQ(fill.GradientColor(1).RGBA(), PackRGBA(0xFF, 0, 0, 0x80));
  EXPECT_EQ(fill.GradientRatio(2), 255);
  EXPECT_EQ(fill.GradientMatrix.ScaleY, 32768);
  EXPECT_EQ(fill.GradientMatrix.TranslateY, -10);
  ASSERT_EQ(read.ShapeRecords.size(), 4u);
  auto& curve = static_cast<TSWFCurvedEdgeRecord&>(*read.ShapeRecords[1]);
  EXPECT_EQ(curve.ControlDeltaX, 200);
  EXPECT_EQ(curve.AnchorDeltaY, 200);
  EXPECT_EQ(curve.AnchorDeltaX, 0);
}

TEST(ShapeTags, DefineShape4WithLineStyle2) {
  TSWFDefineShape4 shape;
  shape.ShapeId = 3;
  shape.ShapeBounds = TSWFRect(0, 0, 100, 100);
  shape.EdgeBounds = TSWFRect(10, 10, 90, 90);
  auto fill = std::make_unique<TSWFColorFill>();
  fill->Color.SetRGBA(PackRGBA(0x10, 0x20, 0x30, 0x40));
  shape.FillStyles.push_back(std::move(fill));
  auto mitered = std::make_unique<TSWFLineStyle2>();
  mitered->Width = 40;
  mitered->StartCapStyle = 1;
  mitered->JoinStyle = 2;
  mitered->MiterLimitFactor = 3.5;
  mitered->NoHScaleFlag = true;
  mitered->EndCapStyle = 2;
  mitered->Color.SetRGBA(PackRGBA(1, 2, 3, 4));
  shape.LineStyles.push_back(std::move(mitered));
  auto filled = std::make_unique<TSWFLineStyle2>();
  filled->Width = 20;
  filled->PixelHintingFlag = true;
  filled->NoClose = true;
  auto& stroke = dynamic_cast<TSWFColorFill&>(filled->GetFillStyle(0x00));
  stroke.Color.SetRGBA(PackRGBA(9, 8, 7, 6));
  EXPECT_TRUE(filled->HasFillFlag);
  shape.LineStyles.push_back(std::move(filled));
  auto& style = AddStyle(shape.ShapeRecords);
  style.SetMoveTo(10, 10);
  style.SetFillStyle1(1);
  style.SetLineStyle(2);
  AddLine(shape.ShapeRecords, 80, 0);
  AddEnd(shape.ShapeRecords);

  const Bytes body = {0x03, 0x00, 0x40, 0x03, 0x20, 0x03, 0x20, 0x40, 0x52, 0xD0, 0x52, 0xD0,
                      0x03, 0x01, 0x00, 0x10, 0x20, 0x30, 0x40, 0x02, 0x28, 0x00, 0x64, 0x02,
                      0x80, 0x03, 0x01, 0x02, 0x03, 0x04, 0x14, 0x00, 0x09, 0x04, 0x00, 0x09,
                      0x08, 0x07, 0x06, 0x12, 0x34, 0xAA, 0x56, 0xD8, 0x50, 0x00};
  EXPECT_EQ(BodyBytes(shape), body);
  EXPECT_TRUE(shape.UsesNonScalingStrokes);
  EXPECT_TRUE(shape.UsesScalingStrokes);
  EXPECT_EQ(shape.MinVersion(), 8);

  auto copy = ExpectRoundTrip(83, body);
  auto& read = As<TSWFDefineShape4>(*copy);
  EXPECT_EQ(read.EdgeBounds, TSWFRect(10, 10, 90, 90));
  auto& line = dynamic_cast<TSWFLineStyle2&>(*read.LineStyles.at(0));
  EXPECT_EQ(line.JoinStyle, 2);
  EXPECT_DOUBLE_EQ(line.MiterLimitFactor, 3.5);
  EXPECT_TRUE(line.NoHScaleFlag);
  EXPECT_EQ(line.Color.RGBA(), PackRGBA(1, 2, 3, 4));
  auto& line2 = dynamic_cast<TSWFLineStyle2&>(*read.LineStyles.at(1));
  ASSERT_NE(line2.FillStyle(), nullptr);
  EXPECT_EQ(dynamic_cast<TSWFColorFill&>(*line2.FillStyle()).Color.RGBA(), PackRGBA(9, 8, 7, 6));
}

TEST(ShapeTags, DefineShape4FlagsByte) {
  // No line style of its own; the style-change record brings a non-scaling one.
  TSWFDefineShape4 shape;
  shape.ShapeId = 1;
  auto& style = AddStyle(shape.ShapeRecords);
  auto thin = std::make_unique<TSWFLineStyle2>();
  thin->Width = 20;
  thin->NoVScaleFlag = true;
  style.NewLineStyles().push_back(std::move(thin));
  style.SetLineStyle(1);
  AddLine(shape.ShapeRecords, 40, 0);
  AddEnd(shape.ShapeRecords);
  // Id, two empty rectangles, then the flags byte.
  const size_t flagsAt = 4;
  EXPECT_EQ(BodyBytes(shape).at(flagsAt), 0x02);
  EXPECT_TRUE(shape.UsesNonScalingStrokes);
  EXPECT_FALSE(shape.UsesScalingStrokes);

  // The winding rule is kept as set, or as read.
  shape.UsesFillWindingRule = true;
  Bytes body = BodyBytes(shape);
  EXPECT_EQ(body.at(flagsAt), 0x06);
  EXPECT_EQ(shape.MinVersion(), 10);
  auto copy = ExpectRoundTrip(83, body);
  EXPECT_TRUE(As<TSWFDefineShape4>(*copy).UsesFillWindingRule);
  TSWFDefineShape4 assigned;
  assigned.Assign(*copy);
  EXPECT_EQ(BodyBytes(assigned), body);
}

TEST(ShapeTags, ShapeLayoutFollowsTheTagNotTheStyleClass) {
  // A plain line style in a DefineShape4 is written in the second layout, and a second-layout
  // style in a DefineShape2 in the plain one, so the bytes always match the tag code.
  TSWFDefineShape4 shape4;
  auto plain = std::make_unique<TSWFLineStyle>();
  plain->Width = 20;
  plain->Color.SetColor(PackRGB(1, 2, 3));
  shape4.LineStyles.push_back(std::move(plain));
  auto read4 = ReadTag(TTagCode::DefineShape4, BodyBytes(shape4));
  auto& line = dynamic_cast<TSWFLineStyle2&>(*As<TSWFDefineShape4>(*read4).LineStyles.at(0));
  EXPECT_EQ(line.Width, 20);
  EXPECT_EQ(line.Color.RGBA(), PackRGBA(1, 2, 3, 255));

  TSWFDefineShape2 shape2;
  auto fancy = std::make_unique<TSWFLineStyle2>();
  fancy->Width = 30;
  fancy->JoinStyle = 2;
  fancy->Color.SetRGBA(PackRGBA(4, 5, 6, 128));
  shape2.LineStyles.push_back(std::move(fancy));
  Bytes body = BodyBytes(shape2);
  // Id, empty rect, no fills, one line: width 30 and RGB, then the widths byte and the end.
  EXPECT_EQ(body, (Bytes{0, 0, 0, 0, 1, 30, 0, 4, 5, 6, 0x01, 0x00}));
}

TEST(ShapeTags, MorphShape) {
  TSWFDefineMorphShape morph;
  morph.CharacterId = 4;
  morph.StartBounds = TSWFRect(0, 0, 100, 100);
  morph.EndBounds = TSWFRect(0, 0, 200, 200);
  auto fill = std::make_unique<TSWFMorphColorFill>();
  fill->StartColor.SetRGBA(PackRGBA(255, 0, 0, 255));
  fill->EndColor.SetRGBA(PackRGBA(0, 255, 0, 128));
  morph.MorphFillStyles.push_back(std::move(fill));
  auto line = std::make_unique<TSWFMorphLineStyle>();
  line->StartWidth = 20;
  line->EndWidth = 40;
  line->StartColor.SetRGBA(PackRGBA(0, 0, 0, 255));
  line->EndColor.SetRGBA(0xFFFFFFFF);
  morph.MorphLineStyles.push_back(std::move(line));
  // Start and end edges pair up record for record; only moves are repeated in the end edges.
  auto& start = AddStyle(morph.StartEdges);
  start.SetMoveTo(0, 0);
  start.SetFillStyle0(1);
  start.SetLineStyle(1);
  AddLine(morph.StartEdges, 100, 0);
  AddLine(morph.StartEdges, 0, 100);
  AddStyle(morph.EndEdges).SetMoveTo(0, 0);
  AddLine(morph.EndEdges, 200, 0);
  AddLine(morph.EndEdges, 0, 200);

  const Bytes body = {0x04, 0x00, 0x40, 0x03, 0x20, 0x03, 0x20, 0x48, 0x01, 0x90, 0x00, 0x64,
                      0x00, 0x1F, 0x00, 0x00, 0x00, 0x01, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00,
                      0xFF, 0x00, 0x80, 0x01, 0x14, 0x00, 0x28, 0x00, 0x00, 0x00, 0x00, 0xFF,
                      0xFF, 0xFF, 0xFF, 0xFF, 0x11, 0x2C, 0x1E, 0xC3, 0x26, 0xCB, 0x20, 0x00,
                      0x00, 0x04, 0x1B, 0x8C, 0x8D, 0xD6, 0x40, 0x00};
  EXPECT_EQ(BodyBytes(morph), body);
  EXPECT_EQ(morph.MinVersion(), 3);

  auto copy = ExpectRoundTrip(46, body);
  auto& read = As<TSWFDefineMorphShape>(*copy);
  EXPECT_EQ(read.EndBounds, TSWFRect(0, 0, 200, 200));
  EXPECT_EQ(read.StartEdges.size(), 4u);
  ASSERT_EQ(read.EndEdges.size(), 4u);
  EXPECT_EQ(static_cast<TSWFStraightEdgeRecord&>(*read.EndEdges[2]).DeltaY, 200);
  EXPECT_EQ(dynamic_cast<TSWFMorphColorFill&>(*read.MorphFillStyles.at(0)).EndColor.Alpha(), 128);

  // Converted to the second layout: edge bounds from the bounds, line styles become version 2.
  TSWFDefineMorphShape2 morph2;
  morph2.Assign(morph);
  EXPECT_EQ(morph2.EndEdgeBounds, morph.EndBounds);
  auto& line2 = dynamic_cast<TSWFMorphLineStyle2&>(*morph2.MorphLineStyles.at(0));
  EXPECT_EQ(line2.EndWidth, 40);
  EXPECT_EQ(line2.EndColor.RGBA(), 0xFFFFFFFFu);
  Bytes body2 = BodyBytes(morph2);
  auto copy2 = ExpectRoundTrip(84, body2);
  auto& read2 = As<TSWFDefineMorphShape2>(*copy2);
  EXPECT_TRUE(read2.UsesScalingStrokes);
  EXPECT_FALSE(read2.UsesNonScalingStrokes);
  EXPECT_EQ(read2.StartEdgeBounds, morph.StartBounds);
  // The offset still spans styles and start edges: the end edges start right after them.
  // Id 2, bounds 5 + 6, edge bounds 5 + 6, strokes byte 1; after the styles and start edges
  // come the widths byte and 7 bytes of end edges.
  uint32_t offset = body2[25] | body2[26] << 8 | body2[27] << 16 | body2[28] << 24;
  EXPECT_EQ(25 + 4 + offset + 8, body2.size());
}

TEST(ShapeTags, MorphGradientAndImageFillsRoundTrip) {
  TSWFDefineMorphShape2 morph;
  auto gradient = std::make_unique<TSWFMorphFocalGradientFill>();
  gradient->StartGradientMatrix.SetTranslate(5, 5);
  gradient->EndGradientMatrix.HasScale = true;
  gradient->EndGradientMatrix.ScaleX = 65536;
  gradient->SpreadMode = 1;
  gradient->NumGradients = 2;
  gradient->Gradients[0].EndRatio = 10;
  gradient->Gradients[1].StartColor.SetRGBA(PackRGBA(1, 2, 3, 4));
  gradient->StartFocalPoint = 0x0080;
  gradient->EndFocalPoint = 0xFF80;
  morph.MorphFillStyles.push_back(std::move(gradient));
  auto image = std::make_unique<TSWFMorphImageFill>();
  image->BitmapId = 7;
  image->EndBitmapMatrix.SetTranslate(-40, 40);
  morph.MorphFillStyles.push_back(std::move(image));
  auto line = std::make_unique<TSWFMorphLineStyle2>();
  line->NoVScaleFlag = true;
  line->GetFillStyle(0x12);
  morph.MorphLineStyles.push_back(std::move(line));

  auto copy = ExpectRoundTrip(84, BodyBytes(morph));
  auto& read = As<TSWFDefineMorphShape2>(*copy);
  EXPECT_TRUE(read.UsesNonScalingStrokes);
  auto& focal = dynamic_cast<TSWFMorphFocalGradientFill&>(*read.MorphFillStyles.at(0));
  EXPECT_EQ(focal.SpreadMode, 1);
  EXPECT_EQ(focal.Gradients[1].StartColor.RGBA(), PackRGBA(1, 2, 3, 4));
  EXPECT_EQ(focal.EndFocalPoint, 0xFF80);
  EXPECT_EQ(dynamic_cast<TSWFMorphImageFill&>(*read.MorphFillStyles.at(1)).BitmapId, 7);
  auto& readLine = dynamic_cast<TSWFMorphLineStyle2&>(*read.MorphLineStyles.at(0));
  ASSERT_NE(readLine.FillStyle(), nullptr);
  EXPECT_EQ(readLine.FillStyle()->FillStyleType, 0x12);
}

TEST(ShapeTags, FillStylesRoundTripInEveryKind) {
  TSWFDefineShape3 shape;
  auto focal = std::make_unique<TSWFFocalGradientFill>();
  focal->SetFocalPoint(-0.5);
  EXPECT_EQ(focal->FocalPoint, -128);
  focal->SetFocalPoint(3.0);
  EXPECT_EQ(focal->FocalPoint, 255);
  focal->FocalPoint = -300;  // out of range as stored, but read back limited
  EXPECT_DOUBLE_EQ(focal->GetFocalPoint(), -1.0);
  focal->FocalPoint = -128;
  focal->InterpolationMode = 1;
  focal->NumGradients = 1;
  focal->GradientColor(1).SetRGBA(PackRGBA(9, 9, 9, 9));
  shape.FillStyles.push_back(std::move(focal));
  auto image = std::make_unique<TSWFImageFill>();
  EXPECT_EQ(image->FillStyleType, 0x41);
  image->FillStyleType = 0x40;
  image->BitmapId = 12;
  image->BitmapMatrix.SetScale(20, 20);
  shape.FillStyles.push_back(std::move(image));

  auto copy = ExpectRoundTrip(32, BodyBytes(shape));
  auto& read = As<TSWFDefineShape3>(*copy);
  auto& readFocal = dynamic_cast<TSWFFocalGradientFill&>(*read.FillStyles.at(0));
  EXPECT_EQ(readFocal.FocalPoint, -128);
  EXPECT_EQ(readFocal.InterpolationMode, 1);
  auto& readImage = dynamic_cast<TSWFImageFill&>(*read.FillStyles.at(1));
  EXPECT_EQ(readImage.FillStyleType, 0x40);
  EXPECT_EQ(readImage.BitmapMatrix.ScaleX, 20 * 65536);
}

TEST(ShapeRecords, EdgeEncodings) {
  TSWFStraightEdgeRecord horizontal(100, 0);
  // 1, 1, NumBits 6, general 0, vertical 0, then 100 in 8 bits.
  EXPECT_EQ(Written([&](TBitsEngine& e) {
              horizontal.WriteToStream(e);
              e.FlushBits();
            }),
            (Bytes{0xD8, 0x64}));
  TSWFStraightEdgeRecord empty(0, 0);
  // A zero-length edge is a vertical edge of 0 in two bits: 11 0000 0 1 00.
  EXPECT_EQ(Written([&](TBitsEngine& e) {
              empty.WriteToStream(e);
              e.FlushBits();
            }),
            (Bytes{0xC1, 0x00}));
  TSWFCurvedEdgeRecord flat;
  EXPECT_TRUE(Written([&](TBitsEngine& e) {
                flat.WriteToStream(e);
                e.FlushBits();
              }).empty());
  // The 17-bit limit: 65535 twips still fit the 4-bit width field (NumBits 15).
  TSWFStraightEdgeRecord longest(-65535, 65535);
  Bytes bits = Written([&](TBitsEngine& e) {
    longest.WriteToStream(e);
    e.FlushBits();
  });
  EXPECT_EQ(bits[0], 0xFF);  // 1, 1, 1111, general 1, first bit of -65535
  // -65536 fills a 17-bit field exactly; the width rule alone would ask for an 18th bit that
  // NumBits cannot count.
  TSWFStraightEdgeRecord lowest(-65536, 0);
  EXPECT_EQ(Written([&](TBitsEngine& e) {
              lowest.WriteToStream(e);
              e.FlushBits();
            }),
            (Bytes{0xFC, 0x80, 0x00, 0x00}));
  TSWFShapeRecordList records;
  TMemoryStream stream(bits);
  TBitsEngine engine(stream);
  ReadShapeRecords(engine, records, 0, 0, nullptr);
  // 41 bits: the seven zero pad bits read as an end record.
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1]->Kind, TShapeRecordKind::End);
  EXPECT_EQ(static_cast<TSWFStraightEdgeRecord&>(*records[0]).DeltaX, -65535);
  EXPECT_EQ(static_cast<TSWFStraightEdgeRecord&>(*records[0]).DeltaY, 65535);
}

TEST(ShapeRecords, StyleChangeFlagsAndWidths) {
  auto write = [](TSWFShapeRecordList& records, uint8_t fillBits, uint8_t lineBits) {
    return Written([&](TBitsEngine& e) {
      WriteShapeRecords(e, records, fillBits, lineBits, false, false, true);
      e.FlushBits();
    });
  };
  {
    // Only FillStyle1 = 1 with one fill: no move, a 1-bit index, then the end.
    TSWFShapeRecordList records;
    AddStyle(records).SetFillStyle1(1);
    EXPECT_EQ(write(records, 1, 0), (Bytes{0x12, 0x00}));  // 000100 1 000000
  }
  {
    // No flag at all: still written with MoveTo to its stored position 0,0 (zero width).
    TSWFShapeRecordList records;
    AddStyle(records);
    EXPECT_EQ(write(records, 1, 1), (Bytes{0x04, 0x00, 0x00}));  // 000001 00000 000000
  }
  {
    // A fill selection in a shape without fills is dropped, so the record becomes a move.
    TSWFShapeRecordList records;
    auto& style = AddStyle(records);
    style.StateFillStyle1 = true;
    EXPECT_EQ(write(records, 0, 0), (Bytes{0x04, 0x00, 0x00}));
    EXPECT_FALSE(style.StateFillStyle1);
  }
  {
    // An end record in the middle is skipped; only the final one is written.
    TSWFShapeRecordList records;
    AddLine(records, 100, 0);
    AddEnd(records);
    AddLine(records, 100, 0);
    AddEnd(records);
    EXPECT_EQ(write(records, 0, 0), (Bytes{0xD8, 0x64, 0xD8, 0x64, 0x00}));
  }
  {
    // An empty list is the end record alone.
    TSWFShapeRecordList records;
    EXPECT_EQ(write(records, 0, 0), (Bytes{0x00}));
  }
  // Setting the value an index already has leaves its flag alone.
  TSWFStyleChangeRecord record;
  record.SetFillStyle0(0);
  EXPECT_FALSE(record.StateFillStyle0);
  record.SetLineStyle(3);
  EXPECT_TRUE(record.StateLineStyle);
}

TEST(ShapeRecords, NewStylesSwitchIndexWidths) {
  TSWFDefineShape3 shape;
  shape.FillStyles.push_back(std::make_unique<TSWFColorFill>());
  AddStyle(shape.ShapeRecords).SetFillStyle1(1);
  AddLine(shape.ShapeRecords, 20, 20);
  // Three new fills need two index bits from here on; the record only brings styles.
  auto& restyle = AddStyle(shape.ShapeRecords);
  for (int i = 0; i < 3; ++i) {
    auto fill = std::make_unique<TSWFColorFill>();
    fill->Color.SetRGBA(PackRGBA(0, 0, static_cast<uint8_t>(i), 0x40));
    restyle.NewFillStyles().push_back(std::move(fill));
  }
  restyle.NewLineStyles().push_back(std::make_unique<TSWFLineStyle>());
  auto& select = AddStyle(shape.ShapeRecords);
  select.SetFillStyle0(3);
  select.SetLineStyle(1);
  AddLine(shape.ShapeRecords, -20, 0);
  AddEnd(shape.ShapeRecords);

  Bytes body = BodyBytes(shape);
  EXPECT_EQ(restyle.FillBits, 2);
  EXPECT_EQ(restyle.LineBits, 1);
  auto copy = ExpectRoundTrip(32, body);
  auto& records = As<TSWFDefineShape3>(*copy).ShapeRecords;
  ASSERT_EQ(records.size(), 6u);
  auto& readRestyle = static_cast<TSWFStyleChangeRecord&>(*records[2]);
  EXPECT_TRUE(readRestyle.StateNewStyles);
  // A record that only brings styles must not move the pen back to the origin.
  EXPECT_FALSE(readRestyle.StateMoveTo);
  ASSERT_EQ(readRestyle.FillStylesView().size(), 3u);
  EXPECT_EQ(dynamic_cast<TSWFColorFill&>(*readRestyle.FillStylesView()[2]).Color.RGBA(),
            PackRGBA(0, 0, 2, 0x40));
  auto& readSelect = static_cast<TSWFStyleChangeRecord&>(*records[3]);
  EXPECT_EQ(readSelect.FillStyle0(), 3);
  EXPECT_EQ(readSelect.LineStyle(), 1);
}

TEST(ShapeTags, StyleCountsAndAlphaRules) {
  TSWFDefineShape2 shape;
  for (int i = 0; i < 255; ++i) shape.FillStyles.push_back(std::make_unique<TSWFColorFill>());
  Bytes body = BodyBytes(shape);
  // Id, empty rect, then 0xFF and UI16 255 for the extended count.
  EXPECT_EQ(body[3], 0xFF);
  EXPECT_EQ(body[4], 0xFF);
  EXPECT_EQ(body[5], 0x00);
  EXPECT_EQ(body.size(), 3 + 3 + 255 * 4 + 1 + 1 + 1u);
  auto copy = ExpectRoundTrip(22, body);
  EXPECT_EQ(As<TSWFDefineShape2>(*copy).FillStyles.size(), 255u);

  shape.FillStyles.pop_back();
  EXPECT_EQ(BodyBytes(shape)[3], 254);

  // Without alpha a translucent line colour goes out as RGB and becomes opaque.
  TSWFDefineShape2 opaque;
  auto line = std::make_unique<TSWFLineStyle>();
  line->Width = 1;
  line->Color.SetRGBA(PackRGBA(7, 8, 9, 128));
  auto* linePtr = line.get();
  opaque.LineStyles.push_back(std::move(line));
  EXPECT_EQ(BodyBytes(opaque), (Bytes{0, 0, 0, 0, 1, 1, 0, 7, 8, 9, 0x01, 0x00}));
  EXPECT_EQ(linePtr->Color.Alpha(), 255);
}

TEST(ShapeTags, AssignCopiesDeeply) {
  TSWFDefineShape3 source;
  source.ShapeId = 9;
  source.FillStyles.push_back(std::make_unique<TSWFColorFill>());
  source.LineStyles.push_back(std::make_unique<TSWFLineStyle2>());
  AddStyle(source.ShapeRecords).NewFillStyles().push_back(std::make_unique<TSWFImageFill>());
  AddLine(source.ShapeRecords, 5, 6);
  TSWFDefineShape3 copy;
  copy.Assign(source);
  EXPECT_EQ(BodyBytes(copy), BodyBytes(source));
  EXPECT_NE(copy.FillStyles[0].get(), source.FillStyles[0].get());
  EXPECT_NE(dynamic_cast<TSWFLineStyle2*>(copy.LineStyles[0].get()), nullptr);
  static_cast<TSWFStraightEdgeRecord&>(*copy.ShapeRecords[1]).DeltaX = 50;
  EXPECT_EQ(static_cast<TSWFStraightEdgeRecord&>(*source.ShapeRecords[1]).DeltaX, 5);
}

TEST(ShapeTags, MalformedInputFailsCleanly) {
  // Fill count promising 200 styles in a 10-byte body.
  EXPECT_THROW(ReadTag(TTagCode::DefineShape, {1, 0, 0, 200, 0, 0xFF, 0, 0, 0, 0}), StreamError);
  // Extended line count of 65535 with nothing behind it.
  EXPECT_THROW(ReadTag(TTagCode::DefineShape2, {1, 0, 0, 0, 0xFF, 0xFF, 0xFF}), StreamError);
  // Unknown fill type 0x20.
  EXPECT_THROW(ReadTag(TTagCode::DefineShape3, {1, 0, 0, 1, 0x20, 0, 0, 0, 0}), FormatError);
  EXPECT_THROW(ReadTag(TTagCode::DefineMorphShape,
                       {1, 0, 0, 0, 0, 0, 0, 0, 1, 0x07, 0, 0, 0, 0, 0, 0, 0, 0}),
               FormatError);
  // Truncated inside a gradient.
  EXPECT_THROW(ReadTag(TTagCode::DefineShape3, {1, 0, 0, 1, 0x10, 0, 0x05, 0, 1, 2}), StreamError);
  // Cut in the middle of an edge record.
  EXPECT_THROW(ReadTag(TTagCode::DefineShape, {1, 0, 0, 0, 0, 0x00, 0xFF}), StreamError);
  // A gradient count nibble of 15 in a radial morph gradient with too little data.
  EXPECT_THROW(
      ReadTag(TTagCode::DefineMorphShape, {1, 0, 0, 0, 0, 0, 0, 0, 1, 0x12, 0, 0, 0x0F, 1}),
      StreamError);

  // Records that stop without an end record: reading ends at the end of the body.
  auto shape = ReadTag(TTagCode::DefineShape, {1, 0, 0, 0, 0, 0x00, 0xD8, 0x64});
  auto& records = As<TSWFDefineShape>(*shape).ShapeRecords;
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(static_cast<TSWFStraightEdgeRecord&>(*records[0]).DeltaX, 100);
  // A body that ends right after the widths byte has no records at all.
  auto bare = ReadTag(TTagCode::DefineShape2, {1, 0, 0, 0, 0, 0x00});
  EXPECT_TRUE(As<TSWFDefineShape2>(*bare).ShapeRecords.empty());
  // A morph shape with no end edges at all.
  auto morph = ReadTag(TTagCode::DefineMorphShape, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00});
  EXPECT_TRUE(As<TSWFDefineMorphShape>(*morph).EndEdges.empty());
}

TEST(ShapeTags, ReaderLeavesTheStreamAtTheBodyEnd) {
  // Two trailing bytes the records do not use are skipped.
  Bytes body = {1, 0, 0, 0, 0, 0x00, 0x00, 0xAA, 0xBB};
  auto tag = CreateTagByCode(ToCode(TTagCode::DefineShape));
  tag->BodySize = static_cast<uint32_t>(body.size());
  TMemoryStream stream(body);
  TBitsEngine engine(stream);
  tag->ReadFromStream(engine);
  EXPECT_EQ(stream.Position(), body.size());
  EXPECT_EQ(BodyBytes(*tag), (Bytes{1, 0, 0, 0, 0, 0x00, 0x00}));
}

}  // namespace
}  // namespace orvanta
