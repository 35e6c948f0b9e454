#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "swf/swf_object.h"
#include "swf/swf_records.h"

namespace orvanta {

class TBitsEngine;

// ---------------------------------------------------------------------------------------------
// Fill styles

// Base of the fill styles. WriteToStream writes the type byte and the data; ReadFromStream reads
// only the data, because the type byte has already chosen the class (ReadFillStyle).
class TSWFFillStyle {
 public:
  virtual ~TSWFFillStyle() = default;
  TSWFFillStyle(const TSWFFillStyle&) = delete;
  TSWFFillStyle& operator=(const TSWFFillStyle&) = delete;

  // Set by the owning shape before each read or write: colours are RGBA when set, else RGB.
  bool HasAlpha = false;
  uint8_t FillStyleType;

  virtual void Assign(const TSWFFillStyle& Source);
  virtual void ReadFromStream(TBitsEngine& Engine) = 0;
  virtual void WriteToStream(TBitsEngine& Engine) = 0;
  virtual std::unique_ptr<TSWFFillStyle> Clone() const = 0;

 protected:
  explicit TSWFFillStyle(uint8_t Type) : FillStyleType(Type) {}
};

using TSWFFillStyleList = std::vector<std::unique_ptr<TSWFFillStyle>>;

// Solid fill (type 0x00).
class TSWFColorFill : public TSWFFillStyle {
 public:
  TSWFColorFill() : TSWFFillStyle(0x00) {}

  TSWFRGBA Color;

  void Assign(const TSWFFillStyle& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFillStyle> Clone() const override;
};

// The gradient part shared by linear, radial and focal fills: up to 15 ratio/colour entries,
// indexed from 1.
class TSWFBaseGradientFill : public TSWFFillStyle {
 public:
  static constexpr int kMaxGradients = 15;

  uint8_t SpreadMode = 0;         // 2 bits
  uint8_t InterpolationMode = 0;  // 2 bits
  uint8_t NumGradients = 0;       // 0..15

  uint8_t GradientRatio(int I) const { return ratios_.at(I - 1); }
  void SetGradientRatio(int I, uint8_t Ratio) { ratios_.at(I - 1) = Ratio; }
  // Created on first access (opaque black).
  TSWFRGBA& GradientColor(int I);

  void Assign(const TSWFFillStyle& Source) override;

 protected:
  using TSWFFillStyle::TSWFFillStyle;
  void ReadGradient(TBitsEngine& Engine);
  void WriteGradient(TBitsEngine& Engine);

 private:
  std::array<uint8_t, kMaxGradients> ratios_{};
  std::array<std::unique_ptr<TSWFRGBA>, kMaxGradients> colors_;
};

// Linear (0x10) or radial (0x12) gradient.
class TSWFGradientFill : public TSWFBaseGradientFill {
 public:
  TSWFGradientFill() : TSWFBaseGradientFill(0x10) {}

  TSWFMatrix GradientMatrix;

  void Assign(const TSWFFillStyle& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFillStyle> Clone() const override;
};

// Radial gradient with a moved focal point (0x13).
class TSWFFocalGradientFill : public TSWFGradientFill {
 public:
  TSWFFocalGradientFill() { FillStyleType = 0x13; }

  // Steps of 1/255, -255..255; written as it is.
  int16_t FocalPoint = 0;
  double GetFocalPoint() const;
  void SetFocalPoint(double X);

  void Assign(const TSWFFillStyle& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFillStyle> Clone() const override;
};

// Bitmap fill: 0x40 repeating, 0x41 clipped, 0x42 and 0x43 the same without smoothing.
class TSWFImageFill : public TSWFFillStyle {
 public:
  TSWFImageFill() : TSWFFillStyle(0x41) {}

  uint16_t BitmapId = 0;
  TSWFMatrix BitmapMatrix;

  void Assign(const TSWFFillStyle& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFillStyle> Clone() const override;
};

// A new, empty fill of the class that Type stands for; FormatError for an unknown type.
std::unique_ptr<TSWFFillStyle> CreateFillStyle(uint8_t Type);
// Reads the type byte and the style it introduces.
std::unique_ptr<TSWFFillStyle> ReadFillStyle(TBitsEngine& Engine, bool HasAlpha);

// ---------------------------------------------------------------------------------------------
// Line styles

class TSWFLineStyle {
 public:
  TSWFLineStyle() = default;
  virtual ~TSWFLineStyle() = default;
  TSWFLineStyle(const TSWFLineStyle&) = delete;
  TSWFLineStyle& operator=(const TSWFLineStyle&) = delete;

  uint16_t Width = 0;  // twips
  // Its HasAlpha decides RGBA or RGB; the owning shape sets it before each read or write.
  TSWFRGBA Color;

  virtual void Assign(const TSWFLineStyle& Source);
  virtual void ReadFromStream(TBitsEngine& Engine);
  virtual void WriteToStream(TBitsEngine& Engine);
  virtual std::unique_ptr<TSWFLineStyle> Clone() const;
};

using TSWFLineStyleList = std::vector<std::unique_ptr<TSWFLineStyle>>;

// The line style of DefineShape4: caps, joins, scaling flags and an optional fill.
class TSWFLineStyle2 : public TSWFLineStyle {
 public:
  TSWFLineStyle2();

  uint8_t StartCapStyle = 0;  // 2 bits
  uint8_t JoinStyle = 0;      // 2 bits; 2 = miter
  bool HasFillFlag = false;
  bool NoHScaleFlag = false;
  bool NoVScaleFlag = false;
  bool PixelHintingFlag = false;
  bool NoClose = false;
  uint8_t EndCapStyle = 0;  // 2 bits
  // 8.8 fixed point in the file; present only with JoinStyle 2.
  double MiterLimitFactor = 0;

  // The fill used instead of Color when HasFillFlag; null until set.
  TSWFFillStyle* FillStyle() const { return fill_.get(); }
  // The fill of the class Type stands for: the existing one when it is of that type, else a new
  // one replacing it. Sets HasFillFlag.
  TSWFFillStyle& GetFillStyle(uint8_t Type);
  void SetFillStyle(std::unique_ptr<TSWFFillStyle> Fill);

  void Assign(const TSWFLineStyle& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFLineStyle> Clone() const override;

 private:
  std::unique_ptr<TSWFFillStyle> fill_;
};

// ---------------------------------------------------------------------------------------------
// Shape records

enum class TShapeRecordKind : uint8_t {
  End = 0,
  StyleChange = 1,
  StraightEdge = 2,
  CurvedEdge = 3
};

// Base of the four shape records. Code that tells records apart looks at Kind, not the class:
// a style change record derives from the straight edge record.
class TSWFShapeRecord {
 public:
  virtual ~TSWFShapeRecord() = default;
  TSWFShapeRecord(const TSWFShapeRecord&) = delete;
  TSWFShapeRecord& operator=(const TSWFShapeRecord&) = delete;

  const TShapeRecordKind Kind;

  virtual void Assign(const TSWFShapeRecord& Source) = 0;
  virtual void WriteToStream(TBitsEngine& Engine) = 0;
  virtual std::unique_ptr<TSWFShapeRecord> Clone() const = 0;

 protected:
  explicit TSWFShapeRecord(TShapeRecordKind K) : Kind(K) {}
};

using TSWFShapeRecordList = std::vector<std::unique_ptr<TSWFShapeRecord>>;

class TSWFEndShapeRecord : public TSWFShapeRecord {
 public:
  TSWFEndShapeRecord() : TSWFShapeRecord(TShapeRecordKind::End) {}
  void Assign(const TSWFShapeRecord& Source) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFShapeRecord> Clone() const override;
};

class TSWFStraightEdgeRecord : public TSWFShapeRecord {
 public:
  TSWFStraightEdgeRecord() : TSWFShapeRecord(TShapeRecordKind::StraightEdge) {}
  TSWFStraightEdgeRecord(int32_t DX, int32_t DY) : TSWFStraightEdgeRecord() {
    DeltaX = DX;
    DeltaY = DY;
  }

  int32_t DeltaX = 0, DeltaY = 0;  // twips

  void Assign(const TSWFShapeRecord& Source) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFShapeRecord> Clone() const override;

 protected:
  explicit TSWFStraightEdgeRecord(TShapeRecordKind K) : TSWFShapeRecord(K) {}
};

// Moves the pen and/or changes the selected styles, optionally bringing a new set of styles.
// DeltaX/DeltaY hold the move target, an absolute pen position as in the file.
class TSWFStyleChangeRecord : public TSWFStraightEdgeRecord {
 public:
  TSWFStyleChangeRecord() : TSWFStraightEdgeRecord(TShapeRecordKind::StyleChange) {}

  int32_t MoveDeltaX() const { return DeltaX; }
  int32_t MoveDeltaY() const { return DeltaY; }
  void SetMoveTo(int32_t X, int32_t Y) {
    DeltaX = X;
    DeltaY = Y;
    StateMoveTo = true;
  }

  // Index widths in force when the record is written; set by the owner before writing, and
  // replaced by the widths of the new styles when the record brings them.
  uint8_t FillBits = 0, LineBits = 0;
  bool StateFillStyle0 = false, StateFillStyle1 = false, StateLineStyle = false;
  bool StateMoveTo = false, StateNewStyles = false;
  // For new styles: colours with alpha. Set by the owner before writing.
  bool HasAlpha = false;
  // For new styles: line styles in the DefineShape4 layout. Set by the owner before writing.
  bool UseLineStyle2 = false;

  // 1-based style indices, 0 = none. Setting a different value raises the state flag.
  uint16_t FillStyle0() const { return fillStyle0_; }
  uint16_t FillStyle1() const { return fillStyle1_; }
  uint16_t LineStyle() const { return lineStyle_; }
  void SetFillStyle0(uint16_t V);
  void SetFillStyle1(uint16_t V);
  void SetLineStyle(uint16_t V);

  // Created on first access, which sets StateNewStyles.
  TSWFFillStyleList& NewFillStyles();
  TSWFLineStyleList& NewLineStyles();
  const TSWFFillStyleList& FillStylesView() const { return newFillStyles_; }
  const TSWFLineStyleList& LineStylesView() const { return newLineStyles_; }

  void Assign(const TSWFShapeRecord& Source) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFShapeRecord> Clone() const override;

 private:
  uint16_t fillStyle0_ = 0, fillStyle1_ = 0, lineStyle_ = 0;
  TSWFFillStyleList newFillStyles_;
  TSWFLineStyleList newLineStyles_;
};

class TSWFCurvedEdgeRecord : public TSWFShapeRecord {
 public:
  TSWFCurvedEdgeRecord() : TSWFShapeRecord(TShapeRecordKind::CurvedEdge) {}
  TSWFCurvedEdgeRecord(int32_t CDX, int32_t CDY, int32_t ADX, int32_t ADY)
      : TSWFCurvedEdgeRecord() {
    ControlDeltaX = CDX;
    ControlDeltaY = CDY;
    AnchorDeltaX = ADX;
    AnchorDeltaY = ADY;
  }

  int32_t AnchorDeltaX = 0, AnchorDeltaY = 0;
  int32_t ControlDeltaX = 0, ControlDeltaY = 0;

  void Assign(const TSWFShapeRecord& Source) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFShapeRecord> Clone() const override;
};

// Clears Target and appends a copy of each record of Source.
void CopyShapeRecords(const TSWFShapeRecordList& Source, TSWFShapeRecordList& Target);

class TSWFDefineShape;

// Reads shape records up to an end record (which is appended) or the end of the data, then
// drops the rest of the current byte. Shape, when given, decides the colour and line style
// layouts of new styles; without it they have alpha and the plain line style layout.
void ReadShapeRecords(TBitsEngine& Engine, TSWFShapeRecordList& Target, uint8_t FillBits,
                      uint8_t LineBits, const TSWFDefineShape* Shape);

// Writes the records with the given starting index widths. SkipInnerEnds drops end records that
// are not the last one (shapes); otherwise every record is written (morph shapes). An end record
// is added when the list does not end with one. Does not align.
void WriteShapeRecords(TBitsEngine& Engine, TSWFShapeRecordList& Records, uint8_t FillBits,
                       uint8_t LineBits, bool HasAlpha, bool UseLineStyle2, bool SkipInnerEnds);

// ---------------------------------------------------------------------------------------------
// DefineShape family

// DefineShape (2); the subclasses differ in tag code, colour layout and, for DefineShape4, the
// line style layout and the edge bounds.
class TSWFDefineShape : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineShape);
  TSWFDefineShape() : TSWFObject(kTagID) {}

  uint16_t ShapeId = 0;
  TSWFRect ShapeBounds;
  TSWFFillStyleList FillStyles;
  TSWFLineStyleList LineStyles;
  TSWFShapeRecordList ShapeRecords;
  bool HasAlpha = false;

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
  virtual void ReadShapeExtra(TBitsEngine& Engine);
  virtual void WriteShapeExtra(TBitsEngine& Engine);

  // Line styles are read and written in the DefineShape4 layout.
  bool UsesLineStyle2() const { return TagID == ToCode(TTagCode::DefineShape4); }

 protected:
  explicit TSWFDefineShape(uint16_t Code) : TSWFObject(Code) {}
};

class TSWFDefineShape2 : public TSWFDefineShape {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineShape2);
  TSWFDefineShape2() : TSWFDefineShape(kTagID) {}
  int MinVersion() const override { return 2; }

 protected:
  using TSWFDefineShape::TSWFDefineShape;
};

class TSWFDefineShape3 : public TSWFDefineShape2 {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineShape3);
  TSWFDefineShape3() : TSWFDefineShape2(kTagID) { HasAlpha = true; }
  // The shape builder writes DefineShape2 through this class by switching the code.
  int MinVersion() const override { return TagID == ToCode(TTagCode::DefineShape2) ? 2 : 3; }

 protected:
  explicit TSWFDefineShape3(uint16_t Code) : TSWFDefineShape2(Code) { HasAlpha = true; }
};

class TSWFDefineShape4 : public TSWFDefineShape3 {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineShape4);
  TSWFDefineShape4() : TSWFDefineShape3(kTagID) {}

  TSWFRect EdgeBounds;
  // Fills use the non-zero winding rule (SWF 10) instead of even-odd.
  bool UsesFillWindingRule = false;
  // Recomputed from the line styles on every write.
  bool UsesNonScalingStrokes = false;
  bool UsesScalingStrokes = false;

  int MinVersion() const override { return UsesFillWindingRule ? 10 : 8; }
  void Assign(const TBasedSWFObject& Source) override;
  void ReadShapeExtra(TBitsEngine& Engine) override;
  void WriteShapeExtra(TBitsEngine& Engine) override;
};

// ---------------------------------------------------------------------------------------------
// Morph fill and line styles (colours always with alpha)

class TSWFMorphFillStyle {
 public:
  virtual ~TSWFMorphFillStyle() = default;
  TSWFMorphFillStyle(const TSWFMorphFillStyle&) = delete;
  TSWFMorphFillStyle& operator=(const TSWFMorphFillStyle&) = delete;

  uint8_t FillStyleType;

  virtual void Assign(const TSWFMorphFillStyle& Source);
  // Reads the data after the type byte.
  virtual void ReadFromStream(TBitsEngine& Engine) = 0;
  // Writes the type byte and the data.
  virtual void WriteToStream(TBitsEngine& Engine) = 0;
  virtual std::unique_ptr<TSWFMorphFillStyle> Clone() const = 0;

 protected:
  explicit TSWFMorphFillStyle(uint8_t Type) : FillStyleType(Type) {}
};

using TSWFMorphFillStyleList = std::vector<std::unique_ptr<TSWFMorphFillStyle>>;

class TSWFMorphColorFill : public TSWFMorphFillStyle {
 public:
  TSWFMorphColorFill() : TSWFMorphFillStyle(0x00) {}

  TSWFRGBA StartColor{true}, EndColor{true};

  void Assign(const TSWFMorphFillStyle& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFMorphFillStyle> Clone() const override;
};

struct TSWFMorphGradientRecord {
  uint8_t StartRatio = 0;
  TSWFRGBA StartColor{true};
  uint8_t EndRatio = 0;
  TSWFRGBA EndColor{true};
};

// Linear (0x10) or radial (0x12) morph gradient.
class TSWFMorphGradientFill : public TSWFMorphFillStyle {
 public:
  static constexpr int kMaxGradients = 15;
  TSWFMorphGradientFill() : TSWFMorphFillStyle(0x10) {}

  TSWFMatrix StartGradientMatrix, EndGradientMatrix;
  // The count byte: entries in the low four bits. Files from later players keep spread and
  // interpolation modes in the high four, which are carried through unchanged.
  uint8_t SpreadMode = 0, InterpolationMode = 0;
  uint8_t NumGradients = 0;
  std::array<TSWFMorphGradientRecord, kMaxGradients> Gradients;

  void Assign(const TSWFMorphFillStyle& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFMorphFillStyle> Clone() const override;
};

class TSWFMorphFocalGradientFill : public TSWFMorphGradientFill {
 public:
  TSWFMorphFocalGradientFill() { FillStyleType = 0x13; }

  uint16_t StartFocalPoint = 0, EndFocalPoint = 0;

  void Assign(const TSWFMorphFillStyle& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFMorphFillStyle> Clone() const override;
};

class TSWFMorphImageFill : public TSWFMorphFillStyle {
 public:
  TSWFMorphImageFill() : TSWFMorphFillStyle(0x41) {}

  uint16_t BitmapId = 0;
  TSWFMatrix StartBitmapMatrix, EndBitmapMatrix;

  void Assign(const TSWFMorphFillStyle& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFMorphFillStyle> Clone() const override;
};

std::unique_ptr<TSWFMorphFillStyle> CreateMorphFillStyle(uint8_t Type);
std::unique_ptr<TSWFMorphFillStyle> ReadMorphFillStyle(TBitsEngine& Engine);

class TSWFMorphLineStyle {
 public:
  TSWFMorphLineStyle() = default;
  virtual ~TSWFMorphLineStyle() = default;
  TSWFMorphLineStyle(const TSWFMorphLineStyle&) = delete;
  TSWFMorphLineStyle& operator=(const TSWFMorphLineStyle&) = delete;

  uint16_t StartWidth = 0, EndWidth = 0;
  TSWFRGBA StartColor{true}, EndColor{true};

  virtual void Assign(const TSWFMorphLineStyle& Source);
  virtual void ReadFromStream(TBitsEngine& Engine);
  virtual void WriteToStream(TBitsEngine& Engine);
  virtual std::unique_ptr<TSWFMorphLineStyle> Clone() const;
};

using TSWFMorphLineStyleList = std::vector<std::unique_ptr<TSWFMorphLineStyle>>;

class TSWFMorphLineStyle2 : public TSWFMorphLineStyle {
 public:
  uint8_t StartCapStyle = 0;
  uint8_t JoinStyle = 0;
  bool HasFillFlag = false;
  bool NoHScaleFlag = false;
  bool NoVScaleFlag = false;
  bool PixelHintingFlag = false;
  bool NoClose = false;
  uint8_t EndCapStyle = 0;
  double MiterLimitFactor = 0;

  TSWFMorphFillStyle* FillStyle() const { return fill_.get(); }
  TSWFMorphFillStyle& GetFillStyle(uint8_t Type);
  void SetFillStyle(std::unique_ptr<TSWFMorphFillStyle> Fill);

  void Assign(const TSWFMorphLineStyle& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFMorphLineStyle> Clone() const override;

 private:
  std::unique_ptr<TSWFMorphFillStyle> fill_;
};

// ---------------------------------------------------------------------------------------------
// Morph shapes

class TSWFDefineMorphShape : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineMorphShape);
  TSWFDefineMorphShape() : TSWFObject(kTagID) {}

  uint16_t CharacterId = 0;
  TSWFRect StartBounds, EndBounds;
  TSWFMorphFillStyleList MorphFillStyles;
  TSWFMorphLineStyleList MorphLineStyles;
  TSWFShapeRecordList StartEdges, EndEdges;

  int MinVersion() const override { return 3; }
  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
  virtual void ReadShapeExtra(TBitsEngine& Engine);
  virtual void WriteShapeExtra(TBitsEngine& Engine);

 protected:
  explicit TSWFDefineMorphShape(uint16_t Code) : TSWFObject(Code) {}
};

class TSWFDefineMorphShape2 : public TSWFDefineMorphShape {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineMorphShape2);
  TSWFDefineMorphShape2() : TSWFDefineMorphShape(kTagID) {}

  TSWFRect StartEdgeBounds, EndEdgeBounds;
  // Recomputed from the line styles on every write.
  bool UsesNonScalingStrokes = false;
  bool UsesScalingStrokes = false;

  // From a plain DefineMorphShape: the bounds become the edge bounds and each line style is
  // converted to the second layout.
  void Assign(const TBasedSWFObject& Source) override;
  void ReadShapeExtra(TBitsEngine& Engine) override;
  void WriteShapeExtra(TBitsEngine& Engine) override;
};

}  // namespace orvanta
