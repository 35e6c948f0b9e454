#include "swf/tags_shape.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

// Smallest byte counts of one style in the file, used to refuse counts the data cannot hold
// before anything is allocated for them.
constexpr uint64_t kMinFillStyleBytes = 3;       // type, empty matrix, empty gradient
constexpr uint64_t kMinLineStyleBytes = 5;       // width and RGB
constexpr uint64_t kMinMorphFillStyleBytes = 4;  // type, two empty matrices, empty gradient
constexpr uint64_t kMinMorphLineStyleBytes = 10;

// Width of a signed field holding magnitude M; |INT32_MIN| still fits in 32 bits.
unsigned SignedBitsFor(uint32_t M) {
  return M == 0 ? 0 : std::min(32u, BitsCount(M) + 1);
}

// The width rule is symmetric, so the most negative value of a field (-65536 in an edge's 17
// bits, as a file may hold) asks for one bit more than its width field can count. Such values
// still fit the largest width exactly, which is then used.
unsigned CapWidth(unsigned N, unsigned Limit, std::initializer_list<int32_t> Values) {
  if (N <= Limit) return N;
  const int64_t lowest = -(int64_t{1} << (Limit - 1)), highest = (int64_t{1} << (Limit - 1)) - 1;
  for (int32_t v : Values)
    if (v < lowest || v > highest) return N;
  return Limit;
}

uint16_t ReadStyleCount(TBitsEngine& Engine) {
  uint8_t count = Engine.ReadByte();
  return count == 0xFF ? Engine.ReadWord() : count;
}

void WriteStyleCount(TBitsEngine& Engine, size_t Count) {
  if (Count < 0xFF) {
    Engine.WriteByte(static_cast<uint8_t>(Count));
  } else {
    Engine.WriteByte(0xFF);
    Engine.WriteWord(static_cast<uint16_t>(Count));
  }
}

void WriteColor(TBitsEngine& Engine, const TSWFRGBA& Color, bool WithAlpha) {
  if (WithAlpha)
    Engine.WriteRawDWord(Color.RGBA());
  else
    Engine.WriteUI24(Color.RGB());
}

void ReadColor(TBitsEngine& Engine, TSWFRGBA& Color, bool WithAlpha) {
  if (WithAlpha)
    Color.SetRGBA(Engine.ReadRawDWord());
  else
    Color.SetColor(Engine.ReadUI24());
}

// Bits still to be read: the cached ones plus the rest of the stream.
uint64_t AvailableBits(const TBitsEngine& Engine) {
  return Engine.BitCount() + 8 * Engine.Stream().Remaining();
}

// Leaves the stream at the declared end of a body that started at Start.
void SkipToBodyEnd(TBitsEngine& Engine, uint64_t Start, uint32_t BodySize) {
  Engine.FlushBits(false);
  uint64_t end = std::min<uint64_t>(Start + BodySize, Engine.Stream().Size());
  if (end > Engine.Stream().Position()) Engine.Stream().SetPosition(end);
}

void ReadLineStyles(TBitsEngine& Engine, TSWFLineStyleList& Lines, bool HasAlpha, bool LineStyle2) {
  uint16_t count = ReadStyleCount(Engine);
  Engine.RequireBytes(count * kMinLineStyleBytes);
  Lines.clear();
  Lines.reserve(count);
  for (uint16_t i = 0; i < count; ++i) {
    std::unique_ptr<TSWFLineStyle> line;
    if (LineStyle2) {
      line = std::make_unique<TSWFLineStyle2>();
    } else {
      line = std::make_unique<TSWFLineStyle>();
      line->Color.SetHasAlpha(HasAlpha);
    }
    line->ReadFromStream(Engine);
    Lines.push_back(std::move(line));
  }
}

void ReadStyles(TBitsEngine& Engine, TSWFFillStyleList& Fills, TSWFLineStyleList& Lines,
                bool HasAlpha, bool LineStyle2) {
  uint16_t count = ReadStyleCount(Engine);
  Engine.RequireBytes(count * kMinFillStyleBytes);
  Fills.clear();
  Fills.reserve(count);
  for (uint16_t i = 0; i < count; ++i) Fills.push_back(ReadFillStyle(Engine, HasAlpha));
  ReadLineStyles(Engine, Lines, HasAlpha, LineStyle2);
}

// A line style in the layout the shape needs, whichever class it is: DefineShape4 needs the
// second layout, the other shapes the plain one.
void WriteLineStyleAs(TBitsEngine& Engine, TSWFLineStyle& Line, bool HasAlpha, bool LineStyle2) {
  if (!LineStyle2) {
    Line.Color.SetHasAlpha(HasAlpha);
    Line.TSWFLineStyle::WriteToStream(Engine);
  } else if (auto* line2 = dynamic_cast<TSWFLineStyle2*>(&Line)) {
    line2->WriteToStream(Engine);
  } else {
    TSWFLineStyle2 converted;
    converted.Width = Line.Width;
    converted.Color.SetRGBA(Line.Color.RGBA());
    converted.WriteToStream(Engine);
  }
}

void WriteStyles(TBitsEngine& Engine, TSWFFillStyleList& Fills, TSWFLineStyleList& Lines,
                 bool HasAlpha, bool LineStyle2) {
  WriteStyleCount(Engine, Fills.size());
  for (auto& fill : Fills) {
    fill->HasAlpha = HasAlpha;
    fill->WriteToStream(Engine);
  }
  WriteStyleCount(Engine, Lines.size());
  for (auto& line : Lines) WriteLineStyleAs(Engine, *line, HasAlpha, LineStyle2);
}

// DefineShape4: fills follow the non-zero winding rule instead of even-odd.
constexpr uint8_t kFillWindingRuleFlag = 0x04;

// The strokes byte of DefineShape4 and DefineMorphShape2: 0x02 when some line style keeps its
// width under scaling, 0x01 when some line style scales.
template <class Line2, class List>
uint8_t StrokeFlags(const List& Lines) {
  bool nonScaling = false, scaling = false;
  for (const auto& line : Lines) {
    auto* line2 = dynamic_cast<const Line2*>(line.get());
    if (line2 && (line2->NoHScaleFlag || line2->NoVScaleFlag))
      nonScaling = true;
    else
      scaling = true;
  }
  return static_cast<uint8_t>((nonScaling ? 0x02 : 0) | (scaling ? 0x01 : 0));
}

template <class List>
void CloneList(const List& Source, List& Target) {
  Target.clear();
  Target.reserve(Source.size());
  for (const auto& item : Source) Target.push_back(item->Clone());
}

// The flag bits shared by the two second-layout line styles, after the widths.
template <class Line2>
void WriteLine2Flags(TBitsEngine& Engine, const Line2& L) {
  Engine.WriteBits(L.StartCapStyle, 2);
  Engine.WriteBits(L.JoinStyle, 2);
  Engine.WriteBit(L.HasFillFlag);
  Engine.WriteBit(L.NoHScaleFlag);
  Engine.WriteBit(L.NoVScaleFlag);
  Engine.WriteBit(L.PixelHintingFlag);
  Engine.WriteBits(0, 5);
  Engine.WriteBit(L.NoClose);
  Engine.WriteBits(L.EndCapStyle, 2);
  Engine.FlushBits(true);
  if (L.JoinStyle == 2) Engine.WriteWord(FloatToFixed8(L.MiterLimitFactor));
}

template <class Line2>
void ReadLine2Flags(TBitsEngine& Engine, Line2& L) {
  L.StartCapStyle = static_cast<uint8_t>(Engine.ReadBits(2));
  L.JoinStyle = static_cast<uint8_t>(Engine.ReadBits(2));
  L.HasFillFlag = Engine.ReadBit();
  L.NoHScaleFlag = Engine.ReadBit();
  L.NoVScaleFlag = Engine.ReadBit();
  L.PixelHintingFlag = Engine.ReadBit();
  Engine.ReadBits(5);
  L.NoClose = Engine.ReadBit();
  L.EndCapStyle = static_cast<uint8_t>(Engine.ReadBits(2));
  Engine.FlushBits(false);
  if (L.JoinStyle == 2) L.MiterLimitFactor = Fixed8ToFloat(Engine.ReadWord());
}

template <class Line2>
void CopyLine2Flags(const Line2& From, Line2& To) {
  To.StartCapStyle = From.StartCapStyle;
  To.JoinStyle = From.JoinStyle;
  To.HasFillFlag = From.HasFillFlag;
  To.NoHScaleFlag = From.NoHScaleFlag;
  To.NoVScaleFlag = From.NoVScaleFlag;
  To.PixelHintingFlag = From.PixelHintingFlag;
  To.NoClose = From.NoClose;
  To.EndCapStyle = From.EndCapStyle;
  To.MiterLimitFactor = From.MiterLimitFactor;
}

[[noreturn]] void UnknownFillType(uint8_t Type) {
  throw FormatError("unknown fill style type " + std::to_string(Type));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Fill styles

void TSWFFillStyle::Assign(const TSWFFillStyle& Source) {
  HasAlpha = Source.HasAlpha;
  FillStyleType = Source.FillStyleType;
}

void TSWFColorFill::Assign(const TSWFFillStyle& Source) {
  TSWFFillStyle::Assign(Source);
  Color = dynamic_cast<const TSWFColorFill&>(Source).Color;
}

void TSWFColorFill::ReadFromStream(TBitsEngine& Engine) {
  ReadColor(Engine, Color, HasAlpha);
}

void TSWFColorFill::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteByte(FillStyleType);
  WriteColor(Engine, Color, HasAlpha);
}

std::unique_ptr<TSWFFillStyle> TSWFColorFill::Clone() const {
  auto copy = std::make_unique<TSWFColorFill>();
  copy->Assign(*this);
  return copy;
}

TSWFRGBA& TSWFBaseGradientFill::GradientColor(int I) {
  auto& color = colors_.at(I - 1);
  if (!color) color = std::make_unique<TSWFRGBA>();
  return *color;
}

void TSWFBaseGradientFill::Assign(const TSWFFillStyle& Source) {
  TSWFFillStyle::Assign(Source);
  auto& source = dynamic_cast<const TSWFBaseGradientFill&>(Source);
  SpreadMode = source.SpreadMode;
  InterpolationMode = source.InterpolationMode;
  NumGradients = source.NumGradients;
  ratios_ = source.ratios_;
  for (int i = 0; i < kMaxGradients; ++i)
    colors_[i] = source.colors_[i] ? std::make_unique<TSWFRGBA>(*source.colors_[i]) : nullptr;
}

void TSWFBaseGradientFill::ReadGradient(TBitsEngine& Engine) {
  uint8_t flags = Engine.ReadByte();
  SpreadMode = flags >> 6;
  InterpolationMode = (flags >> 4) & 0x03;
  NumGradients = flags & 0x0F;
  for (int i = 1; i <= NumGradients; ++i) {
    ratios_[i - 1] = Engine.ReadByte();
    ReadColor(Engine, GradientColor(i), HasAlpha);
  }
}

void TSWFBaseGradientFill::WriteGradient(TBitsEngine& Engine) {
  int count = std::min<int>(NumGradients, kMaxGradients);
  Engine.WriteByte(
      static_cast<uint8_t>((SpreadMode & 0x03) << 6 | (InterpolationMode & 0x03) << 4 | count));
  for (int i = 1; i <= count; ++i) {
    Engine.WriteByte(ratios_[i - 1]);
    WriteColor(Engine, GradientColor(i), HasAlpha);
  }
}

void TSWFGradientFill::Assign(const TSWFFillStyle& Source) {
  TSWFBaseGradientFill::Assign(Source);
  GradientMatrix = dynamic_cast<const TSWFGradientFill&>(Source).GradientMatrix;
}

void TSWFGradientFill::ReadFromStream(TBitsEngine& Engine) {
  GradientMatrix = Engine.ReadMatrix();
  ReadGradient(Engine);
}

void TSWFGradientFill::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteByte(FillStyleType);
  Engine.WriteMatrix(GradientMatrix);
  WriteGradient(Engine);
}

std::unique_ptr<TSWFFillStyle> TSWFGradientFill::Clone() const {
  auto copy = std::make_unique<TSWFGradientFill>();
  copy->Assign(*this);
  return copy;
}

double TSWFFocalGradientFill::GetFocalPoint() const {
  return std::clamp(FocalPoint / 255.0, -1.0, 1.0);
}

void TSWFFocalGradientFill::SetFocalPoint(double X) {
  double steps = std::nearbyint(X * 255.0);
  FocalPoint = static_cast<int16_t>(std::isnan(steps) ? 0 : std::clamp(steps, -255.0, 255.0));
}

void TSWFFocalGradientFill::Assign(const TSWFFillStyle& Source) {
  TSWFGradientFill::Assign(Source);
  FocalPoint = dynamic_cast<const TSWFFocalGradientFill&>(Source).FocalPoint;
}

void TSWFFocalGradientFill::ReadFromStream(TBitsEngine& Engine) {
  TSWFGradientFill::ReadFromStream(Engine);
  FocalPoint = static_cast<int16_t>(Engine.ReadWord());
}

void TSWFFocalGradientFill::WriteToStream(TBitsEngine& Engine) {
  TSWFGradientFill::WriteToStream(Engine);
  Engine.WriteWord(static_cast<uint16_t>(FocalPoint));
}

std::unique_ptr<TSWFFillStyle> TSWFFocalGradientFill::Clone() const {
  auto copy = std::make_unique<TSWFFocalGradientFill>();
  copy->Assign(*this);
  return copy;
}

void TSWFImageFill::Assign(const TSWFFillStyle& Source) {
  TSWFFillStyle::Assign(Source);
  auto& source = dynamic_cast<const TSWFImageFill&>(Source);
  BitmapId = source.BitmapId;
  BitmapMatrix = source.BitmapMatrix;
}

void TSWFImageFill::ReadFromStream(TBitsEngine& Engine) {
  BitmapId = Engine.ReadWord();
  BitmapMatrix = Engine.ReadMatrix();
}

void TSWFImageFill::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteByte(FillStyleType);
  Engine.WriteWord(BitmapId);
  Engine.WriteMatrix(BitmapMatrix);
}

std::unique_ptr<TSWFFillStyle> TSWFImageFill::Clone() const {
  auto copy = std::make_unique<TSWFImageFill>();
  copy->Assign(*this);
  return copy;
}

std::unique_ptr<TSWFFillStyle> CreateFillStyle(uint8_t Type) {
  std::unique_ptr<TSWFFillStyle> fill;
  switch (Type) {
    case 0x00:
      fill = std::make_unique<TSWFColorFill>();
      break;
    case 0x10:
    case 0x12:
      fill = std::make_unique<TSWFGradientFill>();
      break;
    case 0x13:
      fill = std::make_unique<TSWFFocalGradientFill>();
      break;
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
      fill = std::make_unique<TSWFImageFill>();
      break;
    default:
      UnknownFillType(Type);
  }
  fill->FillStyleType = Type;
  return fill;
}

std::unique_ptr<TSWFFillStyle> ReadFillStyle(TBitsEngine& Engine, bool HasAlpha) {
  auto fill = CreateFillStyle(Engine.ReadByte());
  fill->HasAlpha = HasAlpha;
  fill->ReadFromStream(Engine);
  return fill;
}

// ---------------------------------------------------------------------------------------------
// Line styles

void TSWFLineStyle::Assign(const TSWFLineStyle& Source) {
  Width = Source.Width;
  Color = Source.Color;
}

void TSWFLineStyle::ReadFromStream(TBitsEngine& Engine) {
  Width = Engine.ReadWord();
  ReadColor(Engine, Color, Color.HasAlpha());
}

void TSWFLineStyle::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteWord(Width);
  WriteColor(Engine, Color, Color.HasAlpha());
}

std::unique_ptr<TSWFLineStyle> TSWFLineStyle::Clone() const {
  auto copy = std::make_unique<TSWFLineStyle>();
  copy->Assign(*this);
  return copy;
}

TSWFLineStyle2::TSWFLineStyle2() {
  Color = TSWFRGBA(true);
}

TSWFFillStyle& TSWFLineStyle2::GetFillStyle(uint8_t Type) {
  if (!fill_ || fill_->FillStyleType != Type) fill_ = CreateFillStyle(Type);
  fill_->HasAlpha = true;
  HasFillFlag = true;
  return *fill_;
}

void TSWFLineStyle2::SetFillStyle(std::unique_ptr<TSWFFillStyle> Fill) {
  fill_ = std::move(Fill);
  HasFillFlag = fill_ != nullptr;
}

void TSWFLineStyle2::Assign(const TSWFLineStyle& Source) {
  TSWFLineStyle::Assign(Source);
  if (auto* source = dynamic_cast<const TSWFLineStyle2*>(&Source)) {
    CopyLine2Flags(*source, *this);
    fill_ = source->fill_ ? source->fill_->Clone() : nullptr;
  }
}

void TSWFLineStyle2::ReadFromStream(TBitsEngine& Engine) {
  Width = Engine.ReadWord();
  ReadLine2Flags(Engine, *this);
  if (HasFillFlag)
    fill_ = ReadFillStyle(Engine, true);
  else
    ReadColor(Engine, Color, true);
}

void TSWFLineStyle2::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteWord(Width);
  WriteLine2Flags(Engine, *this);
  if (!HasFillFlag) {
    WriteColor(Engine, Color, true);
  } else if (fill_) {
    fill_->HasAlpha = true;
    fill_->WriteToStream(Engine);
  } else {
    // The flag promises a fill the style does not hold: stand in a solid fill of its colour
    // rather than leave the record short.
    TSWFColorFill solid;
    solid.HasAlpha = true;
    solid.Color = Color;
    solid.WriteToStream(Engine);
  }
}

std::unique_ptr<TSWFLineStyle> TSWFLineStyle2::Clone() const {
  auto copy = std::make_unique<TSWFLineStyle2>();
  copy->Assign(*this);
  return copy;
}

// ---------------------------------------------------------------------------------------------
// Shape records

void TSWFEndShapeRecord::Assign(const TSWFShapeRecord&) {}

void TSWFEndShapeRecord::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteBits(0, 6);
}

std::unique_ptr<TSWFShapeRecord> TSWFEndShapeRecord::Clone() const {
  return std::make_unique<TSWFEndShapeRecord>();
}

void TSWFStraightEdgeRecord::Assign(const TSWFShapeRecord& Source) {
  auto& source = dynamic_cast<const TSWFStraightEdgeRecord&>(Source);
  DeltaX = source.DeltaX;
  DeltaY = source.DeltaY;
}

void TSWFStraightEdgeRecord::WriteToStream(TBitsEngine& Engine) {
  unsigned n = CapWidth(std::max(2u, SignedBitsFor(MaxAbs(DeltaX, DeltaY))), 17, {DeltaX, DeltaY});
  Engine.WriteBit(true);  // edge
  Engine.WriteBit(true);  // straight
  Engine.WriteBits(n - 2, 4);
  if (DeltaX != 0 && DeltaY != 0) {
    Engine.WriteBit(true);
    Engine.WriteSBits(DeltaX, n);
    Engine.WriteSBits(DeltaY, n);
  } else {
    bool vertical = DeltaX == 0;
    Engine.WriteBit(false);
    Engine.WriteBit(vertical);
    Engine.WriteSBits(vertical ? DeltaY : DeltaX, n);
  }
}

std::unique_ptr<TSWFShapeRecord> TSWFStraightEdgeRecord::Clone() const {
  return std::make_unique<TSWFStraightEdgeRecord>(DeltaX, DeltaY);
}

void TSWFStyleChangeRecord::SetFillStyle0(uint16_t V) {
  if (V == fillStyle0_) return;
  fillStyle0_ = V;
  StateFillStyle0 = true;
}

void TSWFStyleChangeRecord::SetFillStyle1(uint16_t V) {
  if (V == fillStyle1_) return;
  fillStyle1_ = V;
  StateFillStyle1 = true;
}

void TSWFStyleChangeRecord::SetLineStyle(uint16_t V) {
  if (V == lineStyle_) return;
  lineStyle_ = V;
  StateLineStyle = true;
}

TSWFFillStyleList& TSWFStyleChangeRecord::NewFillStyles() {
  StateNewStyles = true;
  return newFillStyles_;
}

TSWFLineStyleList& TSWFStyleChangeRecord::NewLineStyles() {
  StateNewStyles = true;
  return newLineStyles_;
}

void TSWFStyleChangeRecord::Assign(const TSWFShapeRecord& Source) {
  TSWFStraightEdgeRecord::Assign(Source);
  auto& source = dynamic_cast<const TSWFStyleChangeRecord&>(Source);
  FillBits = source.FillBits;
  LineBits = source.LineBits;
  StateFillStyle0 = source.StateFillStyle0;
  StateFillStyle1 = source.StateFillStyle1;
  StateLineStyle = source.StateLineStyle;
  StateMoveTo = source.StateMoveTo;
  StateNewStyles = source.StateNewStyles;
  HasAlpha = source.HasAlpha;
  UseLineStyle2 = source.UseLineStyle2;
  fillStyle0_ = source.fillStyle0_;
  fillStyle1_ = source.fillStyle1_;
  lineStyle_ = source.lineStyle_;
  CloneList(source.newFillStyles_, newFillStyles_);
  CloneList(source.newLineStyles_, newLineStyles_);
}

void TSWFStyleChangeRecord::WriteToStream(TBitsEngine& Engine) {
  // Five clear flags would read as an end record, so a record that changes nothing moves the pen
  // to its stored position. A record bringing only new styles is already told apart by its
  // NewStyles flag and must not move the pen.
  bool moveTo =
      StateMoveTo || !(StateNewStyles || StateFillStyle0 || StateFillStyle1 || StateLineStyle);
  Engine.WriteBit(false);
  Engine.WriteBit(StateNewStyles);
  Engine.WriteBit(StateLineStyle);
  Engine.WriteBit(StateFillStyle1);
  Engine.WriteBit(StateFillStyle0);
  Engine.WriteBit(moveTo);
  if (moveTo) {
    unsigned n = CapWidth(SignedBitsFor(MaxAbs(DeltaX, DeltaY)), 31, {DeltaX, DeltaY});
    Engine.WriteBits(n, 5);
    Engine.WriteSBits(DeltaX, n);
    Engine.WriteSBits(DeltaY, n);
  }
  if (StateFillStyle0) Engine.WriteBits(fillStyle0_, FillBits);
  if (StateFillStyle1) Engine.WriteBits(fillStyle1_, FillBits);
  if (StateLineStyle) Engine.WriteBits(lineStyle_, LineBits);
  if (StateNewStyles) {
    Engine.FlushBits(true);
    WriteStyles(Engine, newFillStyles_, newLineStyles_, HasAlpha, UseLineStyle2);
    Engine.FlushBits(true);
    FillBits = static_cast<uint8_t>(BitsCount(static_cast<uint32_t>(newFillStyles_.size())));
    LineBits = static_cast<uint8_t>(BitsCount(static_cast<uint32_t>(newLineStyles_.size())));
    Engine.WriteBits(FillBits, 4);
    Engine.WriteBits(LineBits, 4);
  }
}

std::unique_ptr<TSWFShapeRecord> TSWFStyleChangeRecord::Clone() const {
  auto copy = std::make_unique<TSWFStyleChangeRecord>();
  copy->Assign(*this);
  return copy;
}

void TSWFCurvedEdgeRecord::Assign(const TSWFShapeRecord& Source) {
  auto& source = dynamic_cast<const TSWFCurvedEdgeRecord&>(Source);
  AnchorDeltaX = source.AnchorDeltaX;
  AnchorDeltaY = source.AnchorDeltaY;
  ControlDeltaX = source.ControlDeltaX;
  ControlDeltaY = source.ControlDeltaY;
}

void TSWFCurvedEdgeRecord::WriteToStream(TBitsEngine& Engine) {
  uint32_t largest = MaxAbs(ControlDeltaX, ControlDeltaY, AnchorDeltaX, AnchorDeltaY);
  if (largest == 0) return;
  unsigned n = CapWidth(std::max(2u, SignedBitsFor(largest)), 17,
                        {ControlDeltaX, ControlDeltaY, AnchorDeltaX, AnchorDeltaY});
  Engine.WriteBit(true);   // edge
  Engine.WriteBit(false);  // curved
  Engine.WriteBits(n - 2, 4);
  Engine.WriteSBits(ControlDeltaX, n);
  Engine.WriteSBits(ControlDeltaY, n);
  Engine.WriteSBits(AnchorDeltaX, n);
  Engine.WriteSBits(AnchorDeltaY, n);
}

std::unique_ptr<TSWFShapeRecord> TSWFCurvedEdgeRecord::Clone() const {
  return std::make_unique<TSWFCurvedEdgeRecord>(ControlDeltaX, ControlDeltaY, AnchorDeltaX,
                                                AnchorDeltaY);
}

void CopyShapeRecords(const TSWFShapeRecordList& Source, TSWFShapeRecordList& Target) {
  CloneList(Source, Target);
}

void ReadShapeRecords(TBitsEngine& Engine, TSWFShapeRecordList& Target, uint8_t FillBits,
                      uint8_t LineBits, const TSWFDefineShape* Shape) {
  // Every record takes at least six bits, so fewer left means the data ended without an end
  // record (or only padding is left); each pass consumes bits, so the loop always ends.
  while (AvailableBits(Engine) >= 6) {
    if (Engine.ReadBit()) {
      bool straight = Engine.ReadBit();
      unsigned n = Engine.ReadBits(4) + 2;
      if (straight) {
        auto edge = std::make_unique<TSWFStraightEdgeRecord>();
        if (Engine.ReadBit()) {
          edge->DeltaX = Engine.ReadSBits(n);
          edge->DeltaY = Engine.ReadSBits(n);
        } else if (Engine.ReadBit()) {
          edge->DeltaY = Engine.ReadSBits(n);
        } else {
          edge->DeltaX = Engine.ReadSBits(n);
        }
        Target.push_back(std::move(edge));
      } else {
        auto curve = std::make_unique<TSWFCurvedEdgeRecord>();
        curve->ControlDeltaX = Engine.ReadSBits(n);
        curve->ControlDeltaY = Engine.ReadSBits(n);
        curve->AnchorDeltaX = Engine.ReadSBits(n);
        curve->AnchorDeltaY = Engine.ReadSBits(n);
        Target.push_back(std::move(curve));
      }
      continue;
    }
    uint32_t flags = Engine.ReadBits(5);
    if (flags == 0) {
      Target.push_back(std::make_unique<TSWFEndShapeRecord>());
      break;
    }
    auto style = std::make_unique<TSWFStyleChangeRecord>();
    style->FillBits = FillBits;
    style->LineBits = LineBits;
    style->HasAlpha = Shape ? Shape->HasAlpha : true;
    style->UseLineStyle2 = Shape && Shape->UsesLineStyle2();
    if (flags & 0x01) {
      unsigned n = Engine.ReadBits(5);
      int32_t x = Engine.ReadSBits(n);
      int32_t y = Engine.ReadSBits(n);
      style->SetMoveTo(x, y);
    }
    if (flags & 0x02) {
      style->SetFillStyle0(static_cast<uint16_t>(Engine.ReadBits(FillBits)));
      style->StateFillStyle0 = true;
    }
    if (flags & 0x04) {
      style->SetFillStyle1(static_cast<uint16_t>(Engine.ReadBits(FillBits)));
      style->StateFillStyle1 = true;
    }
    if (flags & 0x08) {
      style->SetLineStyle(static_cast<uint16_t>(Engine.ReadBits(LineBits)));
      style->StateLineStyle = true;
    }
    if (flags & 0x10) {
      Engine.FlushBits(false);
      ReadStyles(Engine, style->NewFillStyles(), style->NewLineStyles(), style->HasAlpha,
                 style->UseLineStyle2);
      FillBits = static_cast<uint8_t>(Engine.ReadBits(4));
      LineBits = static_cast<uint8_t>(Engine.ReadBits(4));
      style->FillBits = FillBits;
      style->LineBits = LineBits;
    }
    Target.push_back(std::move(style));
  }
  Engine.FlushBits(false);
}

void WriteShapeRecords(TBitsEngine& Engine, TSWFShapeRecordList& Records, uint8_t FillBits,
                       uint8_t LineBits, bool HasAlpha, bool UseLineStyle2, bool SkipInnerEnds) {
  for (size_t i = 0; i < Records.size(); ++i) {
    TSWFShapeRecord& record = *Records[i];
    switch (record.Kind) {
      case TShapeRecordKind::End:
        // An end record in the middle would cut the outline short for every reader.
        if (SkipInnerEnds && i + 1 < Records.size()) continue;
        break;
      case TShapeRecordKind::StyleChange: {
        auto& style = static_cast<TSWFStyleChangeRecord&>(record);
        style.HasAlpha = HasAlpha;
        style.UseLineStyle2 = UseLineStyle2;
        style.FillBits = FillBits;
        style.LineBits = LineBits;
        if (!style.StateNewStyles) {
          // An index has no bits to go into when there is no style to select.
          if (FillBits == 0) style.StateFillStyle0 = style.StateFillStyle1 = false;
          if (LineBits == 0) style.StateLineStyle = false;
        }
        break;
      }
      default:
        break;
    }
    record.WriteToStream(Engine);
    if (record.Kind == TShapeRecordKind::StyleChange) {
      auto& style = static_cast<TSWFStyleChangeRecord&>(record);
      if (style.StateNewStyles) {
        FillBits = style.FillBits;
        LineBits = style.LineBits;
      }
    }
  }
  if (Records.empty() || Records.back()->Kind != TShapeRecordKind::End) Engine.WriteBits(0, 6);
}

// ---------------------------------------------------------------------------------------------
// DefineShape family

void TSWFDefineShape::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineShape&>(Source);
  ShapeId = source.ShapeId;
  ShapeBounds = source.ShapeBounds;
  HasAlpha = source.HasAlpha;
  CloneList(source.FillStyles, FillStyles);
  CloneList(source.LineStyles, LineStyles);
  CopyShapeRecords(source.ShapeRecords, ShapeRecords);
}

void TSWFDefineShape::ReadShapeExtra(TBitsEngine&) {}
void TSWFDefineShape::WriteShapeExtra(TBitsEngine&) {}

// Reading then writing gives the same bytes for files that use the minimal field widths this
// writer chooses. A file written with wider index, delta or move fields, with a state flag
// that selects from an empty style list, or with other bits in the DefineShape4 strokes byte,
// comes back shorter or normalised but with the same shape.
void TSWFDefineShape::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  ShapeId = Engine.ReadWord();
  ShapeBounds = Engine.ReadRect();
  ReadShapeExtra(Engine);
  ReadStyles(Engine, FillStyles, LineStyles, HasAlpha, UsesLineStyle2());
  uint8_t fillBits = static_cast<uint8_t>(Engine.ReadBits(4));
  uint8_t lineBits = static_cast<uint8_t>(Engine.ReadBits(4));
  ShapeRecords.clear();
  ReadShapeRecords(Engine, ShapeRecords, fillBits, lineBits, this);
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFDefineShape::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(ShapeId);
  Engine.WriteRect(ShapeBounds);
  WriteShapeExtra(Engine);
  WriteStyles(Engine, FillStyles, LineStyles, HasAlpha, UsesLineStyle2());
  uint8_t fillBits = static_cast<uint8_t>(BitsCount(static_cast<uint32_t>(FillStyles.size())));
  uint8_t lineBits = static_cast<uint8_t>(BitsCount(static_cast<uint32_t>(LineStyles.size())));
  Engine.WriteBits(fillBits, 4);
  Engine.WriteBits(lineBits, 4);
  WriteShapeRecords(Engine, ShapeRecords, fillBits, lineBits, HasAlpha, UsesLineStyle2(), true);
  Engine.FlushBits(true);
}

void TSWFDefineShape4::Assign(const TBasedSWFObject& Source) {
  TSWFDefineShape3::Assign(Source);
  if (auto* source = dynamic_cast<const TSWFDefineShape4*>(&Source)) {
    EdgeBounds = source->EdgeBounds;
    UsesFillWindingRule = source->UsesFillWindingRule;
    UsesNonScalingStrokes = source->UsesNonScalingStrokes;
    UsesScalingStrokes = source->UsesScalingStrokes;
  } else {
    EdgeBounds = ShapeBounds;
  }
}

void TSWFDefineShape4::ReadShapeExtra(TBitsEngine& Engine) {
  EdgeBounds = Engine.ReadRect();
  uint8_t flags = Engine.ReadByte();
  UsesFillWindingRule = flags & kFillWindingRuleFlag;
  UsesNonScalingStrokes = flags & 0x02;
  UsesScalingStrokes = flags & 0x01;
}

void TSWFDefineShape4::WriteShapeExtra(TBitsEngine& Engine) {
  Engine.WriteRect(EdgeBounds);
  // The line styles brought in by style-change records count as much as the first ones.
  uint8_t flags = StrokeFlags<TSWFLineStyle2>(LineStyles);
  for (const auto& record : ShapeRecords)
    if (record->Kind == TShapeRecordKind::StyleChange)
      flags |= StrokeFlags<TSWFLineStyle2>(
          static_cast<const TSWFStyleChangeRecord&>(*record).LineStylesView());
  UsesNonScalingStrokes = flags & 0x02;
  UsesScalingStrokes = flags & 0x01;
  if (UsesFillWindingRule) flags |= kFillWindingRuleFlag;
  Engine.WriteByte(flags);
}

// ---------------------------------------------------------------------------------------------
// Morph fill and line styles

void TSWFMorphFillStyle::Assign(const TSWFMorphFillStyle& Source) {
  FillStyleType = Source.FillStyleType;
}

void TSWFMorphColorFill::Assign(const TSWFMorphFillStyle& Source) {
  TSWFMorphFillStyle::Assign(Source);
  auto& source = dynamic_cast<const TSWFMorphColorFill&>(Source);
  StartColor = source.StartColor;
  EndColor = source.EndColor;
}

void TSWFMorphColorFill::ReadFromStream(TBitsEngine& Engine) {
  ReadColor(Engine, StartColor, true);
  ReadColor(Engine, EndColor, true);
}

void TSWFMorphColorFill::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteByte(FillStyleType);
  WriteColor(Engine, StartColor, true);
  WriteColor(Engine, EndColor, true);
}

std::unique_ptr<TSWFMorphFillStyle> TSWFMorphColorFill::Clone() const {
  auto copy = std::make_unique<TSWFMorphColorFill>();
  copy->Assign(*this);
  return copy;
}

void TSWFMorphGradientFill::Assign(const TSWFMorphFillStyle& Source) {
  TSWFMorphFillStyle::Assign(Source);
  auto& source = dynamic_cast<const TSWFMorphGradientFill&>(Source);
  StartGradientMatrix = source.StartGradientMatrix;
  EndGradientMatrix = source.EndGradientMatrix;
  SpreadMode = source.SpreadMode;
  InterpolationMode = source.InterpolationMode;
  NumGradients = source.NumGradients;
  Gradients = source.Gradients;
}

void TSWFMorphGradientFill::ReadFromStream(TBitsEngine& Engine) {
  StartGradientMatrix = Engine.ReadMatrix();
  EndGradientMatrix = Engine.ReadMatrix();
  uint8_t flags = Engine.ReadByte();
  SpreadMode = flags >> 6;
  InterpolationMode = (flags >> 4) & 0x03;
  NumGradients = flags & 0x0F;
  for (int i = 0; i < NumGradients; ++i) {
    TSWFMorphGradientRecord& entry = Gradients[i];
    entry.StartRatio = Engine.ReadByte();
    ReadColor(Engine, entry.StartColor, true);
    entry.EndRatio = Engine.ReadByte();
    ReadColor(Engine, entry.EndColor, true);
  }
}

void TSWFMorphGradientFill::WriteToStream(TBitsEngine& Engine) {
  int count = std::min<int>(NumGradients, kMaxGradients);
  Engine.WriteByte(FillStyleType);
  Engine.WriteMatrix(StartGradientMatrix);
  Engine.WriteMatrix(EndGradientMatrix);
  Engine.WriteByte(
      static_cast<uint8_t>((SpreadMode & 0x03) << 6 | (InterpolationMode & 0x03) << 4 | count));
  for (int i = 0; i < count; ++i) {
    const TSWFMorphGradientRecord& entry = Gradients[i];
    Engine.WriteByte(entry.StartRatio);
    WriteColor(Engine, entry.StartColor, true);
    Engine.WriteByte(entry.EndRatio);
    WriteColor(Engine, entry.EndColor, true);
  }
}

std::unique_ptr<TSWFMorphFillStyle> TSWFMorphGradientFill::Clone() const {
  auto copy = std::make_unique<TSWFMorphGradientFill>();
  copy->Assign(*this);
  return copy;
}

void TSWFMorphFocalGradientFill::Assign(const TSWFMorphFillStyle& Source) {
  TSWFMorphGradientFill::Assign(Source);
  auto& source = dynamic_cast<const TSWFMorphFocalGradientFill&>(Source);
  StartFocalPoint = source.StartFocalPoint;
  EndFocalPoint = source.EndFocalPoint;
}

void TSWFMorphFocalGradientFill::ReadFromStream(TBitsEngine& Engine) {
  TSWFMorphGradientFill::ReadFromStream(Engine);
  StartFocalPoint = Engine.ReadWord();
  EndFocalPoint = Engine.ReadWord();
}

void TSWFMorphFocalGradientFill::WriteToStream(TBitsEngine& Engine) {
  TSWFMorphGradientFill::WriteToStream(Engine);
  Engine.WriteWord(StartFocalPoint);
  Engine.WriteWord(EndFocalPoint);
}

std::unique_ptr<TSWFMorphFillStyle> TSWFMorphFocalGradientFill::Clone() const {
  auto copy = std::make_unique<TSWFMorphFocalGradientFill>();
  copy->Assign(*this);
  return copy;
}

void TSWFMorphImageFill::Assign(const TSWFMorphFillStyle& Source) {
  TSWFMorphFillStyle::Assign(Source);
  auto& source = dynamic_cast<const TSWFMorphImageFill&>(Source);
  BitmapId = source.BitmapId;
  StartBitmapMatrix = source.StartBitmapMatrix;
  EndBitmapMatrix = source.EndBitmapMatrix;
}

void TSWFMorphImageFill::ReadFromStream(TBitsEngine& Engine) {
  BitmapId = Engine.ReadWord();
  StartBitmapMatrix = Engine.ReadMatrix();
  EndBitmapMatrix = Engine.ReadMatrix();
}

void TSWFMorphImageFill::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteByte(FillStyleType);
  Engine.WriteWord(BitmapId);
  Engine.WriteMatrix(StartBitmapMatrix);
  Engine.WriteMatrix(EndBitmapMatrix);
}

std::unique_ptr<TSWFMorphFillStyle> TSWFMorphImageFill::Clone() const {
  auto copy = std::make_unique<TSWFMorphImageFill>();
  copy->Assign(*this);
  return copy;
}

std::unique_ptr<TSWFMorphFillStyle> CreateMorphFillStyle(uint8_t Type) {
  std::unique_ptr<TSWFMorphFillStyle> fill;
  switch (Type) {
    case 0x00:
      fill = std::make_unique<TSWFMorphColorFill>();
      break;
    case 0x10:
    case 0x12:
      fill = std::make_unique<TSWFMorphGradientFill>();
      break;
    case 0x13:
      fill = std::make_unique<TSWFMorphFocalGradientFill>();
      break;
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
      fill = std::make_unique<TSWFMorphImageFill>();
      break;
    default:
      UnknownFillType(Type);
  }
  fill->FillStyleType = Type;
  return fill;
}

std::unique_ptr<TSWFMorphFillStyle> ReadMorphFillStyle(TBitsEngine& Engine) {
  auto fill = CreateMorphFillStyle(Engine.ReadByte());
  fill->ReadFromStream(Engine);
  return fill;
}

void TSWFMorphLineStyle::Assign(const TSWFMorphLineStyle& Source) {
  StartWidth = Source.StartWidth;
  EndWidth = Source.EndWidth;
  StartColor = Source.StartColor;
  EndColor = Source.EndColor;
}

void TSWFMorphLineStyle::ReadFromStream(TBitsEngine& Engine) {
  StartWidth = Engine.ReadWord();
  EndWidth = Engine.ReadWord();
  ReadColor(Engine, StartColor, true);
  ReadColor(Engine, EndColor, true);
}

void TSWFMorphLineStyle::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteWord(StartWidth);
  Engine.WriteWord(EndWidth);
  WriteColor(Engine, StartColor, true);
  WriteColor(Engine, EndColor, true);
}

std::unique_ptr<TSWFMorphLineStyle> TSWFMorphLineStyle::Clone() const {
  auto copy = std::make_unique<TSWFMorphLineStyle>();
  copy->Assign(*this);
  return copy;
}

TSWFMorphFillStyle& TSWFMorphLineStyle2::GetFillStyle(uint8_t Type) {
  if (!fill_ || fill_->FillStyleType != Type) fill_ = CreateMorphFillStyle(Type);
  HasFillFlag = true;
  return *fill_;
}

void TSWFMorphLineStyle2::SetFillStyle(std::unique_ptr<TSWFMorphFillStyle> Fill) {
  fill_ = std::move(Fill);
  HasFillFlag = fill_ != nullptr;
}

void TSWFMorphLineStyle2::Assign(const TSWFMorphLineStyle& Source) {
  TSWFMorphLineStyle::Assign(Source);
  if (auto* source = dynamic_cast<const TSWFMorphLineStyle2*>(&Source)) {
    CopyLine2Flags(*source, *this);
    fill_ = source->fill_ ? source->fill_->Clone() : nullptr;
  }
}

void TSWFMorphLineStyle2::ReadFromStream(TBitsEngine& Engine) {
  StartWidth = Engine.ReadWord();
  EndWidth = Engine.ReadWord();
  ReadLine2Flags(Engine, *this);
  if (HasFillFlag) {
    fill_ = ReadMorphFillStyle(Engine);
  } else {
    ReadColor(Engine, StartColor, true);
    ReadColor(Engine, EndColor, true);
  }
}

void TSWFMorphLineStyle2::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteWord(StartWidth);
  Engine.WriteWord(EndWidth);
  WriteLine2Flags(Engine, *this);
  if (!HasFillFlag) {
    WriteColor(Engine, StartColor, true);
    WriteColor(Engine, EndColor, true);
  } else if (fill_) {
    fill_->WriteToStream(Engine);
  } else {
    // As for TSWFLineStyle2: a promised but missing fill becomes a solid fill of the colours.
    TSWFMorphColorFill solid;
    solid.StartColor = StartColor;
    solid.EndColor = EndColor;
    solid.WriteToStream(Engine);
  }
}

std::unique_ptr<TSWFMorphLineStyle> TSWFMorphLineStyle2::Clone() const {
  auto copy = std::make_unique<TSWFMorphLineStyle2>();
  copy->Assign(*this);
  return copy;
}

// ---------------------------------------------------------------------------------------------
// Morph shapes

namespace {

void WriteMorphLineStyleAs(TBitsEngine& Engine, TSWFMorphLineStyle& Line, bool LineStyle2) {
  if (!LineStyle2) {
    Line.TSWFMorphLineStyle::WriteToStream(Engine);
  } else if (auto* line2 = dynamic_cast<TSWFMorphLineStyle2*>(&Line)) {
    line2->WriteToStream(Engine);
  } else {
    TSWFMorphLineStyle2 converted;
    converted.Assign(Line);
    converted.WriteToStream(Engine);
  }
}

}  // namespace

void TSWFDefineMorphShape::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineMorphShape&>(Source);
  CharacterId = source.CharacterId;
  StartBounds = source.StartBounds;
  EndBounds = source.EndBounds;
  CloneList(source.MorphFillStyles, MorphFillStyles);
  CloneList(source.MorphLineStyles, MorphLineStyles);
  CopyShapeRecords(source.StartEdges, StartEdges);
  CopyShapeRecords(source.EndEdges, EndEdges);
}

void TSWFDefineMorphShape::ReadShapeExtra(TBitsEngine&) {}
void TSWFDefineMorphShape::WriteShapeExtra(TBitsEngine&) {}

void TSWFDefineMorphShape::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  const bool lineStyle2 = TagID == TSWFDefineMorphShape2::kTagID;
  CharacterId = Engine.ReadWord();
  StartBounds = Engine.ReadRect();
  EndBounds = Engine.ReadRect();
  ReadShapeExtra(Engine);
  Engine.ReadDWord();  // offset of the end edges: they follow the start edges anyway

  uint16_t count = ReadStyleCount(Engine);
  Engine.RequireBytes(count * kMinMorphFillStyleBytes);
  MorphFillStyles.clear();
  MorphFillStyles.reserve(count);
  for (uint16_t i = 0; i < count; ++i) MorphFillStyles.push_back(ReadMorphFillStyle(Engine));

  count = ReadStyleCount(Engine);
  Engine.RequireBytes(count * kMinMorphLineStyleBytes);
  MorphLineStyles.clear();
  MorphLineStyles.reserve(count);
  for (uint16_t i = 0; i < count; ++i) {
    std::unique_ptr<TSWFMorphLineStyle> line;
    if (lineStyle2)
      line = std::make_unique<TSWFMorphLineStyle2>();
    else
      line = std::make_unique<TSWFMorphLineStyle>();
    line->ReadFromStream(Engine);
    MorphLineStyles.push_back(std::move(line));
  }

  uint8_t fillBits = static_cast<uint8_t>(Engine.ReadBits(4));
  uint8_t lineBits = static_cast<uint8_t>(Engine.ReadBits(4));
  StartEdges.clear();
  ReadShapeRecords(Engine, StartEdges, fillBits, lineBits, nullptr);
  EndEdges.clear();
  if (Engine.Stream().Remaining() > 0) {
    fillBits = static_cast<uint8_t>(Engine.ReadBits(4));
    lineBits = static_cast<uint8_t>(Engine.ReadBits(4));
    ReadShapeRecords(Engine, EndEdges, fillBits, lineBits, nullptr);
  }
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFDefineMorphShape::WriteTagBody(TBitsEngine& Engine) {
  const bool lineStyle2 = TagID == TSWFDefineMorphShape2::kTagID;
  Engine.WriteWord(CharacterId);
  Engine.WriteRect(StartBounds);
  Engine.WriteRect(EndBounds);
  WriteShapeExtra(Engine);

  // The styles and start edges go through a buffer first: the offset in front of them is the
  // distance to the end edges.
  TMemoryStream buffer;
  TBitsEngine part(buffer);
  WriteStyleCount(part, MorphFillStyles.size());
  for (auto& fill : MorphFillStyles) fill->WriteToStream(part);
  WriteStyleCount(part, MorphLineStyles.size());
  for (auto& line : MorphLineStyles) WriteMorphLineStyleAs(part, *line, lineStyle2);
  uint8_t fillBits = static_cast<uint8_t>(BitsCount(static_cast<uint32_t>(MorphFillStyles.size())));
  uint8_t lineBits = static_cast<uint8_t>(BitsCount(static_cast<uint32_t>(MorphLineStyles.size())));
  part.WriteBits(fillBits, 4);
  part.WriteBits(lineBits, 4);
  WriteShapeRecords(part, StartEdges, fillBits, lineBits, true, false, false);
  part.FlushBits(true);

  Engine.WriteDWord(static_cast<uint32_t>(buffer.Size()));
  Engine.WriteBuffer(buffer.Bytes().data(), buffer.Bytes().size());

  // DefineMorphShape gives its end edges no indices at all; DefineMorphShape2 repeats the widths.
  if (!lineStyle2) fillBits = lineBits = 0;
  Engine.WriteBits(fillBits, 4);
  Engine.WriteBits(lineBits, 4);
  WriteShapeRecords(Engine, EndEdges, fillBits, lineBits, true, false, false);
  Engine.FlushBits(true);
}

void TSWFDefineMorphShape2::Assign(const TBasedSWFObject& Source) {
  TSWFDefineMorphShape::Assign(Source);
  if (auto* source = dynamic_cast<const TSWFDefineMorphShape2*>(&Source)) {
    StartEdgeBounds = source->StartEdgeBounds;
    EndEdgeBounds = source->EndEdgeBounds;
    UsesNonScalingStrokes = source->UsesNonScalingStrokes;
    UsesScalingStrokes = source->UsesScalingStrokes;
    return;
  }
  StartEdgeBounds = StartBounds;
  EndEdgeBounds = EndBounds;
  for (auto& line : MorphLineStyles) {
    if (dynamic_cast<TSWFMorphLineStyle2*>(line.get())) continue;
    auto converted = std::make_unique<TSWFMorphLineStyle2>();
    converted->Assign(*line);
    line = std::move(converted);
  }
}

void TSWFDefineMorphShape2::ReadShapeExtra(TBitsEngine& Engine) {
  StartEdgeBounds = Engine.ReadRect();
  EndEdgeBounds = Engine.ReadRect();
  uint8_t flags = Engine.ReadByte();
  UsesNonScalingStrokes = flags & 0x02;
  UsesScalingStrokes = flags & 0x01;
}

void TSWFDefineMorphShape2::WriteShapeExtra(TBitsEngine& Engine) {
  Engine.WriteRect(StartEdgeBounds);
  Engine.WriteRect(EndEdgeBounds);
  uint8_t flags = StrokeFlags<TSWFMorphLineStyle2>(MorphLineStyles);
  UsesNonScalingStrokes = flags & 0x02;
  UsesScalingStrokes = flags & 0x01;
  Engine.WriteByte(flags);
}

}  // namespace orvanta
