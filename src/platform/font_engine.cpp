#include "platform/font_engine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/codepage.h"
#include "platform/errors.h"

#if defined(__SANITIZE_ADDRESS__)
#define ORVANTA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANTA_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef ORVANTA_ADDRESS_SANITIZER
// fontconfig keeps part of its configuration out of reach of LeakSanitizer for the life of the
// process; that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
#endif

namespace orvanta {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Windows faces that fontconfig's metric aliases do not cover, mapped to the installed family
// closest in shape and width, with the weight the original face has.
struct TSubstitute {
  const char* Name;
  const char* Family;
  int Weight;  // fontconfig weight; 0 keeps the requested one
};

constexpr TSubstitute kSubstitutes[] = {
    {"Arial Black", "Liberation Sans", FC_WEIGHT_BLACK}, {"MS Sans Serif", "Liberation Sans", 0},
    {"Microsoft Sans Serif", "Liberation Sans", 0},      {"MS Serif", "Liberation Serif", 0},
    {"Arial Narrow", "Liberation Sans Narrow", 0},
};

struct TPatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternDeleter>;

std::string PatternString(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
  return reinterpret_cast<const char*>(value);
}

int PatternInt(FcPattern* pattern, const char* object, int fallback) {
  int value = fallback;
  FcPatternGetInteger(pattern, object, 0, &value);
  return value;
}

// Rounds a 64-bit value divided by a positive divisor to nearest, halves away from zero.
int64_t RoundDiv(int64_t n, int64_t d) {
  return n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d);
}

}  // namespace

struct TPlatformFont::TImpl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  std::string family;
  std::string file;
  int32_t ppem = 16;
  int32_t unitsPerEm = 1000;
  int32_t winAscent = 0, winDescent = 0;  // font units
  // Synthesised styles: the stroke added on each side (font units) and the slant.
  FT_Pos emboldenStrength = 0;
  bool oblique = false;

  ~TImpl() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }

  // Scales font units to 16.16 fixed point at the font's em size.
  int64_t ToFixed(int64_t units) const { return RoundDiv(units * ppem * 65536, unitsPerEm); }
  int32_t ToDevice(int64_t units) const {
    return static_cast<int32_t>(RoundDiv(units * ppem, unitsPerEm));
  }

  FT_UInt GlyphIndex(char32_t code) const { return FT_Get_Char_Index(face, code); }

  // Loads the glyph unscaled (font units), with the synthesised styles applied.
  FT_GlyphSlot Load(char32_t code) const {
    if (FT_Load_Glyph(face, GlyphIndex(code),
                      FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 &&
        FT_Load_Glyph(face, 0, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
      return nullptr;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return slot;
    if (oblique) {
      FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
    if (emboldenStrength > 0 && slot->outline.n_points > 0)
      FT_Outline_EmboldenXY(&slot->outline, 2 * emboldenStrength, 2 * emboldenStrength);
    return slot;
  }

  int64_t AdvanceUnits(const FT_GlyphSlot slot) const {
    return slot->metrics.horiAdvance + 2 * emboldenStrength;
  }
};

TPlatformFont::TPlatformFont(const TLogFont& LogFont) : impl_(std::make_unique<TImpl>()) {
  if (!FcInit()) throw Error("fontconfig could not be initialised");
  std::string name = Cp1252ToUtf8(LogFont.FaceName.substr(0, 31));
  const bool bold = LogFont.Weight >= 600;
  int weight = bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR;
  for (const TSubstitute& substitute : kSubstitutes) {
    if (SameName(name, substitute.Name)) {
      name = substitute.Family;
      if (substitute.Weight) weight = std::max(weight, substitute.Weight);
      break;
    }
  }

  TPattern pattern(FcPatternCreate());
  if (!name.empty())
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  // Unknown names fall through to the default face of this family.
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, weight);
  FcPatternAddInteger(pattern.get(), FC_SLANT, LogFont.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  TPattern match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match || PatternString(match.get(), FC_FILE).empty())
    throw Error("no scalable font is installed for \"" + name + "\"");
  impl_->file = PatternString(match.get(), FC_FILE);
  impl_->family = PatternString(match.get(), FC_FAMILY);
  const int index = PatternInt(match.get(), FC_INDEX, 0);

  if (FT_Init_FreeType(&impl_->library) != 0) throw Error("FreeType could not be initialised");
  if (FT_New_Face(impl_->library, impl_->file.c_str(), index, &impl_->face) != 0)
    throw Error("the font file " + impl_->file + " could not be opened");
  FT_Face face = impl_->face;
  if (!FT_IS_SCALABLE(face)) throw Error("the font file " + impl_->file + " has no outlines");
  // Symbol fonts map their glyphs through a Microsoft symbol or Unicode table; prefer Unicode.
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0 && face->num_charmaps > 0)
    FT_Set_Charmap(face, face->charmaps[0]);
  impl_->unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 1000;

  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    impl_->winAscent = os2->usWinAscent;
    impl_->winDescent = os2->usWinDescent;
  } else {
    impl_->winAscent = face->ascender;
    impl_->winDescent = -face->descender;
  }

  const int matchedWeight = PatternInt(match.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
  const int matchedSlant = PatternInt(match.get(), FC_SLANT, FC_SLANT_ROMAN);
  if (weight >= FC_WEIGHT_BOLD && matchedWeight < FC_WEIGHT_DEMIBOLD)
    impl_->emboldenStrength = impl_->unitsPerEm / 48;
  impl_->oblique = LogFont.Italic && matchedSlant == FC_SLANT_ROMAN;

  if (LogFont.Height < 0) {
    impl_->ppem = -LogFont.Height;
  } else if (LogFont.Height > 0) {
    const int64_t cell = std::max<int64_t>(1, impl_->winAscent + impl_->winDescent);
    impl_->ppem = static_cast<int32_t>(
        std::max<int64_t>(1, RoundDiv(int64_t{LogFont.Height} * impl_->unitsPerEm, cell)));
  }
}

TPlatformFont::~TPlatformFont() = default;

const std::string& TPlatformFont::FamilyName() const {
  return impl_->family;
}
const std::string& TPlatformFont::FileName() const {
  return impl_->file;
}
int32_t TPlatformFont::EmSize() const {
  return impl_->ppem;
}

TFontMetrics TPlatformFont::Metrics() const {
  TFontMetrics m;
  m.Ascent = impl_->ToDevice(impl_->winAscent);
  m.Descent = impl_->ToDevice(impl_->winDescent);
  m.Height = m.Ascent + m.Descent;
  m.InternalLeading = m.Height - impl_->ppem;
  return m;
}

bool TPlatformFont::HasGlyph(char32_t Code) const {
  return impl_->GlyphIndex(Code) != 0;
}

TABCWidths TPlatformFont::ABCWidths(char32_t Code) const {
  TABCWidths abc;
  FT_GlyphSlot slot = impl_->Load(Code);
  if (!slot) return abc;
  const int32_t advance = impl_->ToDevice(impl_->AdvanceUnits(slot));
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE && slot->outline.n_points > 0) {
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    abc.A = impl_->ToDevice(box.xMin);
    abc.B = impl_->ToDevice(box.xMax) - abc.A;
  }
  abc.C = advance - abc.A - abc.B;
  return abc;
}

TTextSize TPlatformFont::TextExtent(std::u16string_view Text) const {
  TTextSize size;
  size.Height = Metrics().Height;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (FT_GlyphSlot slot = impl_->Load(NextCodePoint(Text, i)))
      size.Width += impl_->ToDevice(impl_->AdvanceUnits(slot));
  }
  return size;
}

namespace {

// Builds the native records of one contour from its points in 16.16 fixed point.
class TContourBuilder {
 public:
  explicit TContourBuilder(TOutlineContour& contour) : contour_(contour) {}

  void Line(TFixedPoint p) {
    if (open_ != kOpenLine) Begin(TOutlineCurve::TKind::Line);
    contour_.Curves.back().Points.push_back(p);
  }
  void Control(TFixedPoint p) {
    if (open_ != kOpenSpline) Begin(TOutlineCurve::TKind::QSpline);
    contour_.Curves.back().Points.push_back(p);
  }
  // The on-curve point that ends a spline record.
  void Anchor(TFixedPoint p) {
    contour_.Curves.back().Points.push_back(p);
    open_ = kNoneOpen;
  }
  bool InSpline() const { return open_ == kOpenSpline; }
  // A quadratic curve of its own: one control, one anchor.
  void Curve(TFixedPoint control, TFixedPoint anchor) {
    Begin(TOutlineCurve::TKind::QSpline);
    contour_.Curves.back().Points = {control, anchor};
    open_ = kNoneOpen;
  }

 private:
  void Begin(TOutlineCurve::TKind kind) {
    contour_.Curves.push_back({kind, {}});
    open_ = kind == TOutlineCurve::TKind::Line ? kOpenLine : kOpenSpline;
  }
  // The record still taking points (a plain enum: GCC 12 misreads an optional here).
  enum TOpenRecord { kNoneOpen, kOpenLine, kOpenSpline };
  TOutlineContour& contour_;
  TOpenRecord open_ = kNoneOpen;
};

struct TDoublePoint {
  double X, Y;
};

TDoublePoint Lerp(TDoublePoint a, TDoublePoint b, double t) {
  return {a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t};
}

TFixedPoint ToFixedPoint(TDoublePoint p) {
  return {static_cast<int32_t>(std::lround(p.X)), static_cast<int32_t>(std::lround(p.Y))};
}

}  // namespace

std::vector<TFixedPoint> CubicToQuadratics(TFixedPoint P0, TFixedPoint C1, TFixedPoint C2,
                                           TFixedPoint P3) {
  auto toDouble = [](TFixedPoint p) { return TDoublePoint{double(p.X), double(p.Y)}; };
  const TDoublePoint p0 = toDouble(P0), c1 = toDouble(C1), c2 = toDouble(C2), p3 = toDouble(P3);
  // The distance between a cubic and its best single quadratic shrinks with the cube of the
  // number of pieces.
  const double dx = p3.X - 3 * c2.X + 3 * c1.X - p0.X, dy = p3.Y - 3 * c2.Y + 3 * c1.Y - p0.Y;
  const double error = std::sqrt(3.0) / 36 * std::hypot(dx, dy) / 65536;
  const int pieces = std::clamp(static_cast<int>(std::ceil(std::cbrt(error / 0.25))), 1, 64);
  auto at = [&](double t) {
    TDoublePoint a = Lerp(p0, c1, t), b = Lerp(c1, c2, t), c = Lerp(c2, p3, t);
    return Lerp(Lerp(a, b, t), Lerp(b, c, t), t);
  };
  auto derivative = [&](double t) {
    double u = 1 - t;
    return TDoublePoint{
        3 * (u * u * (c1.X - p0.X) + 2 * u * t * (c2.X - c1.X) + t * t * (p3.X - c2.X)),
        3 * (u * u * (c1.Y - p0.Y) + 2 * u * t * (c2.Y - c1.Y) + t * t * (p3.Y - c2.Y))};
  };
  std::vector<TFixedPoint> out;
  for (int i = 0; i < pieces; ++i) {
    const double t0 = static_cast<double>(i) / pieces, t1 = static_cast<double>(i + 1) / pieces;
    // The piece t0..t1 as a cubic of its own, then the quadratic control that matches it best.
    const TDoublePoint q0 = at(t0), q3 = i + 1 == pieces ? p3 : at(t1);
    const TDoublePoint d0 = derivative(t0), d3 = derivative(t1);
    const double h = (t1 - t0) / 3;
    const TDoublePoint k1{q0.X + d0.X * h, q0.Y + d0.Y * h};
    const TDoublePoint k2{q3.X - d3.X * h, q3.Y - d3.Y * h};
    out.push_back(ToFixedPoint(
        {(3 * (k1.X + k2.X) - q0.X - q3.X) / 4, (3 * (k1.Y + k2.Y) - q0.Y - q3.Y) / 4}));
    out.push_back(ToFixedPoint(q3));
  }
  return out;
}

TGlyphOutline TPlatformFont::GlyphOutline(char32_t Code, const TFixedMatrix& Matrix) const {
  TGlyphOutline outline;
  FT_GlyphSlot slot = impl_->Load(Code);
  if (!slot || slot->format != FT_GLYPH_FORMAT_OUTLINE) return outline;
  const FT_Outline& source = slot->outline;

  auto point = [&](int i) {
    int64_t x = impl_->ToFixed(source.points[i].x), y = impl_->ToFixed(source.points[i].y);
    return TFixedPoint{static_cast<int32_t>(RoundDiv(x * Matrix.M11 + y * Matrix.M21, 65536)),
                       static_cast<int32_t>(RoundDiv(x * Matrix.M12 + y * Matrix.M22, 65536))};
  };
  auto mid = [](TFixedPoint a, TFixedPoint b) {
    return TFixedPoint{static_cast<int32_t>((int64_t{a.X} + b.X) / 2),
                       static_cast<int32_t>((int64_t{a.Y} + b.Y) / 2)};
  };
  int first = 0;
  for (int c = 0; c < source.n_contours; ++c) {
    const int last = source.contours[c];
    const int n = last - first + 1;
    if (n <= 0 || last >= source.n_points) break;
    auto tag = [&](int k) { return FT_CURVE_TAG(source.tags[first + (k % n)]); };

    // Start at an on-curve point; a contour of control points only starts between two.
    int startK = 0;
    while (startK < n && tag(startK) != FT_CURVE_TAG_ON) ++startK;
    TOutlineContour contour;
    int walk = n;  // points after the start, ending back at it
    if (startK == n) {
      contour.Start = mid(point(last), point(first));
      startK = n - 1;  // so that the walk covers every point from index 0
      walk = n;
    } else {
      contour.Start = point(first + startK);
      walk = n - 1;
    }
    TContourBuilder builder(contour);
    TFixedPoint current = contour.Start;
    for (int s = 1; s <= walk; ++s) {
      int k = (startK + s) % n;
      TFixedPoint p = point(first + k);
      int t = tag(k);
      if (t == FT_CURVE_TAG_ON) {
        if (builder.InSpline())
          builder.Anchor(p);
        else
          builder.Line(p);
        current = p;
      } else if (t == FT_CURVE_TAG_CONIC) {
        builder.Control(p);
      } else {  // cubic: two controls, then the anchor (or the start when the contour ends)
        int k2 = (k + 1) % n;
        int k3 = (k + 2) % n;
        TFixedPoint c2 = point(first + k2);
        TFixedPoint end = s + 2 <= walk ? point(first + k3) : contour.Start;
        std::vector<TFixedPoint> pieces = CubicToQuadratics(current, p, c2, end);
        for (size_t q = 0; q + 1 < pieces.size(); q += 2) builder.Curve(pieces[q], pieces[q + 1]);
        current = end;
        s += 2;
      }
    }
    if (builder.InSpline()) builder.Anchor(contour.Start);
    outline.push_back(std::move(contour));
    first = last + 1;
  }
  return outline;
}

std::optional<TLogFont> FindFontByName(const std::string& FaceName) {
  if (FaceName.empty() || !FcInit()) return std::nullopt;
  const std::string name = Cp1252ToUtf8(FaceName);
  TPattern pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, pattern.get(), objects);
  FcObjectSetDestroy(objects);
  std::optional<TLogFont> found;
  if (fonts && fonts->nfont > 0) {
    found.emplace();
    found->FaceName = FaceName.substr(0, 31);
    // Fonts list their Western character set first.
    found->CharSet = kAnsiCharset;
  }
  if (fonts) FcFontSetDestroy(fonts);
  return found;
}

std::vector<std::string> FontFamilies() {
  std::vector<std::string> families;
  if (!FcInit()) return families;
  TPattern pattern(FcPatternCreate());
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, pattern.get(), objects);
  FcObjectSetDestroy(objects);
  if (fonts) {
    for (int i = 0; i < fonts->nfont; ++i) {
      std::string family = PatternString(fonts->fonts[i], FC_FAMILY);
      if (!family.empty()) families.push_back(family);
    }
    FcFontSetDestroy(fonts);
  }
  std::sort(families.begin(), families.end());
  families.erase(std::unique(families.begin(), families.end()), families.end());
  return families;
}

}  // namespace orvanta
