#include "swf/swf_records.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "swf/bits_engine.h"

namespace orvanta {

TSWFRect::TSWFRect(int32_t XMin, int32_t YMin, int32_t XMax, int32_t YMax)
    : xmin_(XMin), xmax_(XMax), ymin_(YMin), ymax_(YMax) {
  Normalize();
}

TSWFRect TSWFRect::Unsorted(int32_t XMin, int32_t YMin, int32_t XMax, int32_t YMax) {
  TSWFRect r;
  r.xmin_ = XMin;
  r.xmax_ = XMax;
  r.ymin_ = YMin;
  r.ymax_ = YMax;
  return r;
}

void TSWFRect::Normalize() {
  if (xmin_ > xmax_) std::swap(xmin_, xmax_);
  if (ymin_ > ymax_) std::swap(ymin_, ymax_);
}

void TSWFRect::SetXmin(int32_t V) {
  xmin_ = V;
  Normalize();
}
void TSWFRect::SetXmax(int32_t V) {
  xmax_ = V;
  Normalize();
}
void TSWFRect::SetYmin(int32_t V) {
  ymin_ = V;
  Normalize();
}
void TSWFRect::SetYmax(int32_t V) {
  ymax_ = V;
  Normalize();
}

void TSWFRect::SetRect(const TRect& R) {
  xmin_ = R.Left;
  xmax_ = R.Right;
  ymin_ = R.Top;
  ymax_ = R.Bottom;
  Normalize();
}

void TSWFRGB::SetColor(uint32_t Packed) {
  Red = Packed & 0xFF;
  Green = (Packed >> 8) & 0xFF;
  Blue = (Packed >> 16) & 0xFF;
}

void TSWFRGB::Assign(const TSWFRGB& Source) { TSWFRGB::SetColor(Source.RGB()); }

TSWFRGBA::TSWFRGBA(bool HasAlpha) : alpha_(HasAlpha ? 0 : 255), hasAlpha_(HasAlpha) {}

TSWFRGBA::TSWFRGBA(uint32_t PackedRGBA, bool HasAlpha) : TSWFRGBA(HasAlpha) {
  SetRGBA(PackedRGBA);
}

void TSWFRGBA::SetAlpha(uint8_t A) {
  alpha_ = A;
  if (A != 255) hasAlpha_ = true;
}

void TSWFRGBA::SetHasAlpha(bool V) {
  hasAlpha_ = V;
  if (!V) alpha_ = 255;
}

void TSWFRGBA::SetColor(uint32_t Packed) {
  TSWFRGB::SetColor(Packed);
  SetAlpha(255);
}

void TSWFRGBA::SetRGBA(uint32_t PackedRGBA) {
  TSWFRGB::SetColor(PackedRGBA);
  SetAlpha(static_cast<uint8_t>(PackedRGBA >> 24));
}

void TSWFRGBA::Assign(const TSWFRGB& Source) {
  if (auto* rgba = dynamic_cast<const TSWFRGBA*>(&Source))
    SetRGBA(rgba->RGBA());
  else
    SetColor(Source.RGB());
}

void TSWFMatrix::SetScale(double X, double Y) {
  ScaleX = FloatToFixed(X);
  ScaleY = FloatToFixed(Y);
  HasScale = true;
}

void TSWFMatrix::SetSkew(double SkewX, double SkewY) {
  RotateSkew1 = FloatToFixed(SkewX);
  RotateSkew0 = FloatToFixed(SkewY);
  HasRotate = true;
}

void TSWFMatrix::SetRotate(double Angle) {
  double r = Angle * std::numbers::pi / 180.0;
  double c = std::cos(r), s = std::sin(r);
  double a = HasScale ? FixedToFloat(ScaleX) : 1.0;
  double d = HasScale ? FixedToFloat(ScaleY) : 1.0;
  double b = HasRotate ? FixedToFloat(RotateSkew1) : 0.0;
  double e = HasRotate ? FixedToFloat(RotateSkew0) : 0.0;
  ScaleX = FloatToFixed(c * a + s * e);
  ScaleY = FloatToFixed(c * d - s * b);
  RotateSkew1 = FloatToFixed(c * b + s * d);
  RotateSkew0 = FloatToFixed(c * e - s * a);
  HasScale = true;
  HasRotate = true;
}

double TSWFMatrix::GetScaleX() const { return FixedToFloat(ScaleX); }
double TSWFMatrix::GetScaleY() const { return FixedToFloat(ScaleY); }
double TSWFMatrix::GetSkewX() const { return FixedToFloat(RotateSkew1); }
double TSWFMatrix::GetSkewY() const { return FixedToFloat(RotateSkew0); }

namespace {
int32_t ClampAdd(int32_t V) { return std::clamp(V, -255, 255); }
int32_t ClampMult(int32_t V) { return std::clamp(V, 0, 256); }
}  // namespace

void TSWFColorTransform::SetRedAdd(int32_t V) {
  RedAdd = ClampAdd(V);
  HasAdd = true;
}
void TSWFColorTransform::SetGreenAdd(int32_t V) {
  GreenAdd = ClampAdd(V);
  HasAdd = true;
}
void TSWFColorTransform::SetBlueAdd(int32_t V) {
  BlueAdd = ClampAdd(V);
  HasAdd = true;
}
void TSWFColorTransform::SetAlphaAdd(int32_t V) {
  AlphaAdd = ClampAdd(V);
  HasAdd = true;
  HasAlpha = true;
}
void TSWFColorTransform::SetRedMult(int32_t V) {
  RedMult = ClampMult(V);
  HasMult = true;
}
void TSWFColorTransform::SetGreenMult(int32_t V) {
  GreenMult = ClampMult(V);
  HasMult = true;
}
void TSWFColorTransform::SetBlueMult(int32_t V) {
  BlueMult = ClampMult(V);
  HasMult = true;
}
void TSWFColorTransform::SetAlphaMult(int32_t V) {
  AlphaMult = ClampMult(V);
  HasMult = true;
  HasAlpha = true;
}

void TSWFColorTransform::SetAdd(int32_t R, int32_t G, int32_t B, int32_t A) {
  SetRedAdd(R);
  SetGreenAdd(G);
  SetBlueAdd(B);
  SetAlphaAdd(A);
}

void TSWFColorTransform::SetMult(int32_t R, int32_t G, int32_t B, int32_t A) {
  SetRedMult(R);
  SetGreenMult(G);
  SetBlueMult(B);
  SetAlphaMult(A);
}

}  // namespace orvanta
