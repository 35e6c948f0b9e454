#pragma once

#include <cstdint>

namespace orvanta {

// A platform rectangle (left/top/right/bottom), as the builder operations take it.
struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// SWF RECT in twips. Each setter keeps the pairs ordered: Xmin <= Xmax and Ymin <= Ymax.
class TSWFRect {
 public:
  TSWFRect() = default;
  TSWFRect(int32_t XMin, int32_t YMin, int32_t XMax, int32_t YMax);
  // The four values as given, in order or not. Reading keeps a file's rectangle as it is:
  // fonts mark glyphs without outline by an inverted one, and sorting it would turn that into
  // a huge glyph.
  static TSWFRect Unsorted(int32_t XMin, int32_t YMin, int32_t XMax, int32_t YMax);

  int32_t Xmin() const { return xmin_; }
  int32_t Xmax() const { return xmax_; }
  int32_t Ymin() const { return ymin_; }
  int32_t Ymax() const { return ymax_; }
  void SetXmin(int32_t V);
  void SetXmax(int32_t V);
  void SetYmin(int32_t V);
  void SetYmax(int32_t V);

  void SetRect(const TRect& R);
  TRect Rect() const { return {xmin_, ymin_, xmax_, ymax_}; }
  void Assign(const TSWFRect& Source) { *this = Source; }
  bool operator==(const TSWFRect&) const = default;

 private:
  void Normalize();
  int32_t xmin_ = 0, xmax_ = 0, ymin_ = 0, ymax_ = 0;
};

// Colours travel as one packed value: red in the low byte, then green, blue and alpha.
constexpr uint32_t PackRGB(uint8_t R, uint8_t G, uint8_t B) {
  return R | (uint32_t{G} << 8) | (uint32_t{B} << 16);
}
constexpr uint32_t PackRGBA(uint8_t R, uint8_t G, uint8_t B, uint8_t A) {
  return PackRGB(R, G, B) | (uint32_t{A} << 24);
}

// SWF RGB.
class TSWFRGB {
 public:
  TSWFRGB() = default;
  explicit TSWFRGB(uint32_t Packed) { TSWFRGB::SetColor(Packed); }
  virtual ~TSWFRGB() = default;
  TSWFRGB(const TSWFRGB&) = default;
  TSWFRGB& operator=(const TSWFRGB&) = default;

  uint8_t Red = 0, Green = 0, Blue = 0;

  // Stores the low 24 bits of a packed colour.
  virtual void SetColor(uint32_t Packed);
  virtual void Assign(const TSWFRGB& Source);
  uint32_t RGB() const { return PackRGB(Red, Green, Blue); }
};

// SWF RGBA. An alpha other than 255 switches HasAlpha on; 255 never switches it off.
class TSWFRGBA : public TSWFRGB {
 public:
  explicit TSWFRGBA(bool HasAlpha = false);
  TSWFRGBA(uint32_t PackedRGBA, bool HasAlpha);

  uint8_t Alpha() const { return alpha_; }
  void SetAlpha(uint8_t A);
  bool HasAlpha() const { return hasAlpha_; }
  void SetHasAlpha(bool V);

  // A 24-bit colour with alpha 255.
  void SetColor(uint32_t Packed) override;
  void SetRGBA(uint32_t PackedRGBA);
  uint32_t RGBA() const { return RGB() | (uint32_t{alpha_} << 24); }
  void Assign(const TSWFRGB& Source) override;

 private:
  uint8_t alpha_ = 255;
  bool hasAlpha_ = false;
};

// SWF MATRIX: scale and rotate/skew terms are 16.16 fixed point, translation is in twips.
class TSWFMatrix {
 public:
  bool HasScale = false, HasRotate = false;
  int32_t ScaleX = 0, ScaleY = 0, RotateSkew0 = 0, RotateSkew1 = 0;
  int32_t TranslateX = 0, TranslateY = 0;

  void SetScale(double X, double Y);
  void SetSkew(double SkewX, double SkewY);
  void SetTranslate(int32_t X, int32_t Y) {
    TranslateX = X;
    TranslateY = Y;
  }
  // Pre-multiplies the 2x2 part by a rotation of Angle degrees; translation is untouched.
  void SetRotate(double Angle);

  double GetScaleX() const;
  double GetScaleY() const;
  double GetSkewX() const;  // RotateSkew1
  double GetSkewY() const;  // RotateSkew0
  void Assign(const TSWFMatrix& Source) { *this = Source; }
  bool operator==(const TSWFMatrix&) const = default;
};

// SWF CXFORM / CXFORMWITHALPHA. The setters clamp add terms to -255..255 and multiply terms
// (8.8 fixed point) to 0..256 and raise the group's flag; the alpha setters also raise HasAlpha.
class TSWFColorTransform {
 public:
  bool HasAdd = false, HasMult = false, HasAlpha = false;
  int32_t RedAdd = 0, GreenAdd = 0, BlueAdd = 0, AlphaAdd = 0;
  int32_t RedMult = 0, GreenMult = 0, BlueMult = 0, AlphaMult = 0;

  void SetRedAdd(int32_t V);
  void SetGreenAdd(int32_t V);
  void SetBlueAdd(int32_t V);
  void SetAlphaAdd(int32_t V);
  void SetRedMult(int32_t V);
  void SetGreenMult(int32_t V);
  void SetBlueMult(int32_t V);
  void SetAlphaMult(int32_t V);
  void SetAdd(int32_t R, int32_t G, int32_t B, int32_t A);
  void SetMult(int32_t R, int32_t G, int32_t B, int32_t A);
  void Assign(const TSWFColorTransform& Source) { *this = Source; }
  bool operator==(const TSWFColorTransform&) const = default;
};

}  // namespace orvanta
