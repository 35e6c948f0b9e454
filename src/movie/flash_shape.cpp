#include "movie/flash_shape.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "media/flash_image.h"
#include "movie/flash_movie.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

uint16_t ClampWidth(int64_t twips) {
  return static_cast<uint16_t>(std::clamp<int64_t>(twips, 0, UINT16_MAX));
}

// Lends the shape's lists to the tag for one write and takes them back, also on failure.
template <class List>
class TLend {
 public:
  TLend(List& owner, List& borrower) : owner_(owner), borrower_(borrower) {
    std::swap(owner_, borrower_);
  }
  ~TLend() { std::swap(owner_, borrower_); }
  TLend(const TLend&) = delete;
  TLend& operator=(const TLend&) = delete;

 private:
  List& owner_;
  List& borrower_;
};

}  // namespace

TFlashShape::TFlashShape(TFlashMovie* owner)
    : TFlashVisualObject(owner), Edges(&ShapeRecords, owner) {}

void TFlashShape::ChangeOwner(TFlashMovie* owner) {
  TFlashVisualObject::ChangeOwner(owner);
  Edges.Owner = owner;
}

void TFlashShape::Assign(const TBasedSWFObject& Source) {
  TFlashVisualObject::Assign(Source);
  auto& source = dynamic_cast<const TFlashShape&>(Source);
  CopyShapeRecords(source.ShapeRecords, ShapeRecords);
  Bounds = source.Bounds;
  Edges.CurrentX = source.Edges.CurrentX;
  Edges.CurrentY = source.Edges.CurrentY;
  Edges.StartX = source.Edges.StartX;
  Edges.StartY = source.Edges.StartY;
  Edges.RawUnits = source.Edges.RawUnits;
  Edges.MergeLines = source.Edges.MergeLines;
  FillStyle0Index = source.FillStyle0Index;
  FillStyle1Index = source.FillStyle1Index;
  FillStyles.clear();
  for (const auto& fill : source.FillStyles) FillStyles.push_back(fill->Clone());
  LineStyleIndex = source.LineStyleIndex;
  StyleOnLastRecord = source.StyleOnLastRecord;
  HasAlpha = source.HasAlpha;
  UseLineStyle2 = source.UseLineStyle2;
  LineStyles.clear();
  for (const auto& line : source.LineStyles) LineStyles.push_back(line->Clone());
}

// A DefineShape4 needs version 8 whatever its colours.
int TFlashShape::MinVersion() const {
  if (UseLineStyle2) return 8;
  return HasAlpha ? 3 : 2;
}

void TFlashShape::SetBounds(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax) {
  const int32_t s = UnitScale();
  Bounds = TSWFRect(xMin * s, yMin * s, xMax * s, yMax * s);
}

int32_t TFlashShape::XMin() const {
  return Bounds.Xmin() / UnitScale();
}
int32_t TFlashShape::XMax() const {
  return Bounds.Xmax() / UnitScale();
}
int32_t TFlashShape::YMin() const {
  return Bounds.Ymin() / UnitScale();
}
int32_t TFlashShape::YMax() const {
  return Bounds.Ymax() / UnitScale();
}

int32_t TFlashShape::Width(bool inTwips) const {
  return (XMax() - XMin()) * (inTwips ? UnitScale() : 1);
}

int32_t TFlashShape::Height(bool inTwips) const {
  return (YMax() - YMin()) * (inTwips ? UnitScale() : 1);
}

TSWFStyleChangeRecord* TFlashShape::TargetRecord() {
  if (StyleOnLastRecord) {
    for (auto it = ShapeRecords.rbegin(); it != ShapeRecords.rend(); ++it)
      if ((*it)->Kind == TShapeRecordKind::StyleChange)
        return static_cast<TSWFStyleChangeRecord*>(it->get());
    return nullptr;
  }
  if (!ShapeRecords.empty() && ShapeRecords.front()->Kind == TShapeRecordKind::StyleChange)
    return static_cast<TSWFStyleChangeRecord*>(ShapeRecords.front().get());
  return nullptr;
}

void TFlashShape::SetFillStyle0(uint16_t index) {
  TSWFStyleChangeRecord* target = TargetRecord();
  FillStyle0Index = target ? index : 0;
  if (!target) return;
  target->SetFillStyle0(index);
  target->StateFillStyle0 = true;
}

void TFlashShape::SetFillStyle1(uint16_t index) {
  TSWFStyleChangeRecord* target = TargetRecord();
  FillStyle1Index = target ? index : 0;
  if (!target) return;
  target->SetFillStyle1(index);
  target->StateFillStyle1 = true;
}

void TFlashShape::SetLineStyleIndex(uint16_t index) {
  TSWFStyleChangeRecord* target = TargetRecord();
  LineStyleIndex = target ? index : 0;
  if (!target) return;
  target->SetLineStyle(index);
  target->StateLineStyle = true;
}

TSWFFillStyle& TFlashShape::AddFillStyle(std::unique_ptr<TSWFFillStyle> fill) {
  TSWFFillStyle& ref = *fill;
  FillStyles.push_back(std::move(fill));
  SetFillStyle1(static_cast<uint16_t>(FillStyles.size()));
  return ref;
}

TSWFLineStyle& TFlashShape::AddLineStyle(std::unique_ptr<TSWFLineStyle> style) {
  if (!style) style = std::make_unique<TSWFLineStyle>();
  TSWFLineStyle& ref = *style;
  LineStyles.push_back(std::move(style));
  SetLineStyleIndex(static_cast<uint16_t>(LineStyles.size()));
  return ref;
}

TSWFColorFill& TFlashShape::SetSolidColor(uint32_t rgba) {
  auto fill = std::make_unique<TSWFColorFill>();
  fill->Color.SetRGBA(rgba);
  UseColor(fill->Color.Alpha());
  return static_cast<TSWFColorFill&>(AddFillStyle(std::move(fill)));
}

TSWFColorFill& TFlashShape::SetSolidColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return SetSolidColor(PackRGBA(r, g, b, a));
}

TSWFLineStyle& TFlashShape::SetLineStyle(int32_t width, const TSWFRGBA& color) {
  auto line = std::make_unique<TSWFLineStyle>();
  line->Width = ClampWidth(int64_t{width} * UnitScale());
  line->Color = color;
  UseColor(color.Alpha());
  return AddLineStyle(std::move(line));
}

TSWFLineStyle& TFlashShape::SetLineStyle(int32_t width, uint32_t color) {
  return SetLineStyle(width, TSWFRGBA(color | 0xFF000000u, false));
}

void TFlashShape::FillGradient(TSWFGradientFill& fill, std::span<const uint32_t> colors) {
  const size_t n = colors.size();
  fill.NumGradients = static_cast<uint8_t>(n);
  for (size_t i = 1; i <= n; ++i) {
    TSWFRGBA& color = fill.GradientColor(static_cast<int>(i));
    color.SetRGBA(colors[i - 1]);
    UseColor(color.Alpha());
    double ratio = n > 1 ? static_cast<double>(i - 1) / static_cast<double>(n - 1) * 255 : 0;
    fill.SetGradientRatio(static_cast<int>(i), static_cast<uint8_t>(std::nearbyint(ratio)));
  }
}

TSWFGradientFill& TFlashShape::SetLinearGradient(std::span<const uint32_t> colors, double angle) {
  auto fill = std::make_unique<TSWFGradientFill>();
  FillGradient(*fill, colors.first(std::min<size_t>(colors.size(), 15)));
  const double r = angle * std::numbers::pi / 180;
  const int32_t w = Width(true), h = Height(true);
  TSWFMatrix& m = fill->GradientMatrix;
  m.HasScale = true;
  m.ScaleX = FloatToFixed(std::cos(r) * w / 32768);
  m.ScaleY = FloatToFixed(std::cos(r) * h / 32768);
  m.RotateSkew1 = FloatToFixed(std::sin(r) * w / 32768);
  m.RotateSkew0 = FloatToFixed(-std::sin(r) * h / 32768);
  m.HasRotate = m.RotateSkew0 != 0 || m.RotateSkew1 != 0;
  m.SetTranslate(Bounds.Xmin() + w / 2, Bounds.Ymin() + h / 2);
  return static_cast<TSWFGradientFill&>(AddFillStyle(std::move(fill)));
}

TSWFGradientFill& TFlashShape::SetLinearGradient(uint32_t color1, uint32_t color2, double angle) {
  const uint32_t colors[2] = {color1, color2};
  return SetLinearGradient(colors, angle);
}

TSWFGradientFill& TFlashShape::SetRadialGradient(std::span<const uint32_t> colors, int32_t xCenter,
                                                 int32_t yCenter) {
  auto fill = std::make_unique<TSWFGradientFill>();
  fill->FillStyleType = 0x12;
  FillGradient(*fill, colors.first(std::min<size_t>(colors.size(), 8)));
  const int32_t w = Width(true), h = Height(true);
  TSWFMatrix& m = fill->GradientMatrix;
  m.HasScale = true;
  m.ScaleX = FloatToFixed(w / 32768.0);
  m.ScaleY = FloatToFixed(h / 32768.0);
  m.SetTranslate(Bounds.Xmin() + static_cast<int32_t>(std::nearbyint(w / 100.0 * xCenter)),
                 Bounds.Ymin() + static_cast<int32_t>(std::nearbyint(h / 100.0 * yCenter)));
  return static_cast<TSWFGradientFill&>(AddFillStyle(std::move(fill)));
}

TSWFGradientFill& TFlashShape::SetRadialGradient(uint32_t color1, uint32_t color2, int32_t xCenter,
                                                 int32_t yCenter) {
  const uint32_t colors[2] = {color1, color2};
  return SetRadialGradient(colors, xCenter, yCenter);
}

TSWFImageFill& TFlashShape::SetImageFill(TFlashImage& image, int mode, double scaleX,
                                         double scaleY) {
  auto fill = std::make_unique<TSWFImageFill>();
  fill->BitmapId = image.CharacterId();
  // Players before version 8 place bitmaps a little off; these terms make up for it.
  const bool correct = Owner() && Owner()->CorrectImageFill;
  const int32_t c = correct ? 5 : 0;
  const double d = correct ? 15.0 / 4096 : 0;
  TSWFMatrix& m = fill->BitmapMatrix;
  if (mode == 1) {
    auto fit = [d](int32_t twips, uint16_t pixels) {
      return pixels ? std::min(static_cast<double>(twips) / pixels + d, 16383.0) : 20.0;
    };
    fill->FillStyleType = 0x41;
    m.SetScale(fit(Width(true), image.Width()), fit(Height(true), image.Height()));
  } else {
    fill->FillStyleType = mode == 2 ? 0x40 : 0x41;
    m.SetScale(scaleX * 20, scaleY * 20);
  }
  m.SetTranslate(Bounds.Xmin() - c, Bounds.Ymin() - c);
  TSWFImageFill& ref = static_cast<TSWFImageFill&>(AddFillStyle(std::move(fill)));
  if (Owner()) Owner()->MoveObjectBefore(image, *this);
  return ref;
}

void TFlashShape::WriteToStream(TBitsEngine& Engine) {
  uint16_t maxWidth = 0;
  for (const auto& line : LineStyles) maxWidth = std::max(maxWidth, line->Width);

  std::unique_ptr<TSWFDefineShape> tag;
  TSWFLineStyleList copies;
  if (UseLineStyle2) {
    auto shape4 = std::make_unique<TSWFDefineShape4>();
    for (const auto& line : LineStyles) {
      if (dynamic_cast<const TSWFLineStyle2*>(line.get())) {
        copies.push_back(line->Clone());
      } else {
        auto line2 = std::make_unique<TSWFLineStyle2>();
        line2->Width = line->Width;
        line2->Color.SetRGBA(line->Color.RGBA());
        copies.push_back(std::move(line2));
      }
    }
    shape4->LineStyles = std::move(copies);
    shape4->EdgeBounds = Bounds;
    // DefineShape4 colours are always RGBA.
    shape4->HasAlpha = true;
    tag = std::move(shape4);
  } else {
    auto shape3 = std::make_unique<TSWFDefineShape3>();
    shape3->TagID = HasAlpha ? TSWFDefineShape3::kTagID : TSWFDefineShape2::kTagID;
    shape3->HasAlpha = HasAlpha;
    tag = std::move(shape3);
  }
  tag->ShapeId = CharacterId();
  const int32_t half = maxWidth / 2;
  tag->ShapeBounds = TSWFRect(Bounds.Xmin() - half, Bounds.Ymin() - half, Bounds.Xmax() + half,
                              Bounds.Ymax() + half);

  TLend<TSWFFillStyleList> fills(FillStyles, tag->FillStyles);
  TLend<TSWFShapeRecordList> records(ShapeRecords, tag->ShapeRecords);
  TSWFLineStyleList unused;
  TLend<TSWFLineStyleList> lines(LineStyles, UseLineStyle2 ? unused : tag->LineStyles);
  tag->WriteToStream(Engine);
}

}  // namespace orvanta
