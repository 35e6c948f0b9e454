#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// Character sets of a font description, with the values the original platform gave them.
enum : uint8_t {
  kAnsiCharset = 0,
  kDefaultCharset = 1,
  kSymbolCharset = 2,
  kShiftJisCharset = 128,
  kHangeulCharset = 129,
  kGB2312Charset = 134,
  kChineseBig5Charset = 136,
  kGreekCharset = 161,
  kTurkishCharset = 162,
  kHebrewCharset = 177,
  kArabicCharset = 178,
  kBalticCharset = 186,
  kRussianCharset = 204,
  kThaiCharset = 222,
  kEastEuropeCharset = 238,
};

// A font as the application's settings describe it.
struct TFontDescription {
  std::string Name = "Arial";  // cp1252
  // Pixels; negative is the character (em) height, positive the cell height. The size of the
  // font is the absolute value.
  int32_t Height = -12;
  bool Bold = false;
  bool Italic = false;
  uint8_t Charset = kDefaultCharset;
};

// A platform font description: what a face is created from.
struct TLogFont {
  // Pixels; negative is the em height, positive the cell height (ascent + descent), 0 a
  // default of 16 pixels per em.
  int32_t Height = 0;
  int32_t Width = 0;
  int32_t Escapement = 0;
  int32_t Orientation = 0;
  int32_t Weight = 400;  // 700 is bold
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  uint8_t CharSet = kDefaultCharset;
  // 0 default, 3 non-antialiased, 4 antialiased; outlines do not depend on it.
  uint8_t Quality = 0;
  // cp1252, at most 31 characters.
  std::string FaceName;
};

// Text metrics in device units (pixels at the font's height).
struct TFontMetrics {
  int32_t Ascent = 0;
  int32_t Descent = 0;
  // Height minus the em size: room for accents above the em square.
  int32_t InternalLeading = 0;
  int32_t Height = 0;  // Ascent + Descent
};

struct TTextSize {
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const TTextSize&) const = default;
};

// A + B + C is the advance: A the space before the ink, B the ink, C the space after.
struct TABCWidths {
  int32_t A = 0;
  int32_t B = 0;
  int32_t C = 0;
};

// 16.16 fixed point.
struct TFixedPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TFixedPoint&) const = default;
};

// A 2x2 transformation in 16.16 fixed point: x' = x M11 + y M21, y' = x M12 + y M22.
struct TFixedMatrix {
  int32_t M11 = 0x10000, M12 = 0, M21 = 0, M22 = 0x10000;
};

// One record of a native outline contour. A line record's points are on the outline, each the
// end of a straight edge. A quadratic spline record's points P1..Pn are the controls of n - 1
// curves whose anchors are the midpoints between consecutive controls, except that Pn is the
// last anchor itself.
struct TOutlineCurve {
  enum class TKind : uint8_t { Line, QSpline };
  TKind Kind = TKind::Line;
  std::vector<TFixedPoint> Points;
};

// A closed contour from Start through its records; the closing edge back to Start is implied
// when the last point is elsewhere.
struct TOutlineContour {
  TFixedPoint Start;
  std::vector<TOutlineCurve> Curves;
};

using TGlyphOutline = std::vector<TOutlineContour>;

// A scalable system font opened at a size, found by name through fontconfig and read with
// FreeType. Coordinates are device units with y up; outlines are quadratic (cubic outlines of
// PostScript-flavoured fonts are converted). Bold and italic are synthesised when the family has
// no such face.
class TPlatformFont {
 public:
  // Any name gives a font: names fontconfig does not know fall back to its default sans-serif
  // face. Raises Error only when the system has no scalable font at all.
  explicit TPlatformFont(const TLogFont& LogFont);
  ~TPlatformFont();
  TPlatformFont(const TPlatformFont&) = delete;
  TPlatformFont& operator=(const TPlatformFont&) = delete;

  // The family and file actually used (UTF-8).
  const std::string& FamilyName() const;
  const std::string& FileName() const;
  // Pixels per em.
  int32_t EmSize() const;

  TFontMetrics Metrics() const;
  // The advances of the characters added up (no kerning), and the font height.
  TTextSize TextExtent(std::u16string_view Text) const;
  TABCWidths ABCWidths(char32_t Code) const;
  // False when the face has no glyph of its own for Code; the outline and widths are then those
  // of its missing-character glyph.
  bool HasGlyph(char32_t Code) const;
  // The native outline transformed by Matrix; empty for a glyph without ink (a space).
  TGlyphOutline GlyphOutline(char32_t Code, const TFixedMatrix& Matrix = {}) const;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

// A cubic Bezier curve from P0 through controls C1, C2 to P3 (16.16 fixed point) as quadratic
// curves that stay within a quarter unit of it: control and anchor of each piece, in order.
std::vector<TFixedPoint> CubicToQuadratics(TFixedPoint P0, TFixedPoint C1, TFixedPoint C2,
                                           TFixedPoint P3);

// The description of the first installed font whose family is FaceName (compared without case),
// at height 0; none when no installed family has that name (an alias such as "Arial" still
// opens its metric-compatible substitute in TPlatformFont).
std::optional<TLogFont> FindFontByName(const std::string& FaceName);
// The installed scalable families (UTF-8), sorted.
std::vector<std::string> FontFamilies();

}  // namespace orvanta
