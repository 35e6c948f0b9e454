#include "movie/flash_font.h"

#include <algorithm>
#include <cmath>

#include "movie/flash_movie.h"
#include "movie/flash_text.h"
#include "platform/codepage.h"

namespace orvanta {

namespace {

// The em size outlines and advances are taken at; DefineFont2 glyphs use the same square.
constexpr int32_t kEmSize = 1024;

// 16.16 fixed point to an integer: to nearest.
int32_t RoundFixed(int32_t v) {
  return static_cast<int32_t>((int64_t{v} + 0x8000) >> 16);
}

// The integer part of a 16.16 value, as the fixed-point layout holds it (rounded down).
int32_t FixedIntegerPart(int32_t v) {
  return static_cast<int32_t>(int64_t{v} >> 16);
}

// The midpoint of two 16.16 values, to the nearest integer.
int32_t RoundMidpoint(int32_t a, int32_t b) {
  return static_cast<int32_t>((int64_t{a} + b + 0x10000) >> 17);
}

std::u16string ToUnicode(const std::string& text) {
  std::u16string wide;
  wide.reserve(text.size());
  for (char c : text) wide += Cp1252ToUnicode(static_cast<unsigned char>(c));
  return wide;
}

bool IsSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

}  // namespace

TFlashChar::TFlashChar(uint16_t code, bool isWide)
    : Code(code),
      Edges(&GlyphRecords),
      IsWide(isWide),
      WideCode(code > 255 || isWide
                   ? code
                   : static_cast<uint16_t>(Cp1252ToUnicode(static_cast<unsigned char>(code)))) {}

TFlashFont::TFlashFont(TFlashMovie* owner, bool asDevice, const std::string& name, bool bold,
                       bool italic, uint16_t size)
    : TFlashIDObject(owner),
      AsDevice(asDevice),
      Bold(bold),
      Italic(italic),
      Name(name),
      Size(static_cast<uint16_t>(size * (owner ? owner->UnitScale() : 1))) {}

TFlashFont::~TFlashFont() = default;

void TFlashFont::Assign(const TBasedSWFObject& Source) {
  TFlashIDObject::Assign(Source);
  auto& source = dynamic_cast<const TFlashFont&>(Source);
  Ascent = source.Ascent;
  AsDevice = source.AsDevice;
  Bold = source.Bold;
  Chars.clear();
  for (const auto& ch : source.Chars) {
    auto copy = std::make_unique<TFlashChar>(ch->Code, ch->IsWide);
    CopyShapeRecords(ch->GlyphRecords, copy->GlyphRecords);
    copy->Edges.CurrentX = ch->Edges.CurrentX;
    copy->Edges.CurrentY = ch->Edges.CurrentY;
    copy->Edges.StartX = ch->Edges.StartX;
    copy->Edges.StartY = ch->Edges.StartY;
    copy->Advance = ch->Advance;
    copy->Used = ch->Used;
    copy->Kerning = ch->Kerning;
    copy->HasOutline = ch->HasOutline;
    copy->WideCode = ch->WideCode;
    Chars.push_back(std::move(copy));
  }
  Descent = source.Descent;
  Encoding = source.Encoding;
  Charset = source.Charset;
  LogFont = source.LogFont;
  HasLayout = source.HasLayout;
  UseKerning = source.UseKerning;
  Italic = source.Italic;
  LanguageCode = source.LanguageCode;
  Leading = source.Leading;
  Name = source.Name;
  Size = source.Size;
  SmallText = source.SmallText;
  Usage = source.Usage;
  HasWideChars = source.HasWideChars;
  metricsRead_ = source.metricsRead_;
  platformFont_.reset();
}

void TFlashFont::SetCharset(uint8_t charset) {
  Charset = charset;
  switch (charset) {
    case kAnsiCharset:
      break;
    case kDefaultCharset:
      LanguageCode = 0;
      Encoding = 2;
      break;
    case kSymbolCharset:
      LanguageCode = 0;
      Encoding = 0;
      break;
    case kShiftJisCharset:
      LanguageCode = 2;
      Encoding = 1;
      break;
    case kHangeulCharset:
      LanguageCode = 3;
      break;
    case kGB2312Charset:
      LanguageCode = 4;
      break;
    case kChineseBig5Charset:
      LanguageCode = 5;
      break;
    default:
      // SWF language codes end at 5 and players refuse a font with any other: the character
      // sets without a code of their own (Cyrillic, Greek, ...) get none.
      LanguageCode = 0;
      Encoding = 2;
      break;
  }
}

void TFlashFont::SetLayout(bool on) {
  HasLayout = on;
  if (on && !metricsRead_) ReadMetrics();
}

void TFlashFont::AddChars(const std::string& text) {
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    AddChar(HasWideChars ? Cp1252ToUnicode(byte) : byte);
  }
}

void TFlashFont::AddWideChars(const std::u16string& text) {
  HasWideChars = true;
  // Characters past U+FFFF have no 16-bit code in a SWF font.
  for (char16_t c : text)
    if (!IsSurrogate(c)) AddChar(c);
}

bool TFlashFont::AddChar(uint16_t code) {
  if (code >= 256) HasWideChars = true;
  if (HasWideChars && Owner() && Owner()->Version() < 6) Owner()->SetVersion(6);
  auto make = [&] { return std::make_unique<TFlashChar>(code, HasWideChars); };
  if (Chars.empty()) {
    Chars.push_back(make());
    return true;
  }
  const uint16_t key =
      HasWideChars || code > 255 ? code : Cp1252ToUnicode(static_cast<unsigned char>(code));
  for (size_t i = 0; i < Chars.size(); ++i) {
    TFlashChar& ch = *Chars[i];
    const uint16_t other = code >= 128 ? ch.WideCode : ch.Code;
    if (other == key) {
      ch.Used = true;
      return false;
    }
    if (other > key) {
      Chars.insert(Chars.begin() + static_cast<ptrdiff_t>(i), make());
      return true;
    }
  }
  Chars.push_back(make());
  return true;
}

TFlashChar* TFlashFont::FindChar(uint16_t code) const {
  for (const auto& ch : Chars)
    if (ch->Code == code) return ch.get();
  return nullptr;
}

TFlashChar* TFlashFont::FindUnicodeChar(char16_t code) const {
  for (const auto& ch : Chars)
    if (ch->WideCode == code) return ch.get();
  return FindChar(code);
}

bool TFlashFont::HasWide() const {
  if (HasWideChars) return true;
  if (AsDevice) return false;
  return std::any_of(Chars.begin(), Chars.end(), [](const auto& ch) { return ch->IsWide; });
}

bool TFlashFont::WritesWideCodes() const {
  return Encoding == 2 || HasWide();
}

uint16_t TFlashFont::WrittenCode(const TFlashChar& ch) const {
  return WritesWideCodes() ? ch.WideCode : ch.Code;
}

std::vector<TFlashChar*> TFlashFont::WrittenChars() const {
  std::vector<TFlashChar*> written;
  for (const auto& ch : Chars)
    if (ch->Used) written.push_back(ch.get());
  // The list is ordered by Unicode value; 8-bit codes of cp1252 (0x80..0x9F) sort differently.
  std::stable_sort(written.begin(), written.end(), [&](const TFlashChar* a, const TFlashChar* b) {
    return WrittenCode(*a) < WrittenCode(*b);
  });
  // Two characters can share a written code (a cp1252 code and its Unicode value added
  // separately); the first keeps the glyph.
  written.erase(std::unique(written.begin(), written.end(),
                            [&](const TFlashChar* a, const TFlashChar* b) {
                              return WrittenCode(*a) == WrittenCode(*b);
                            }),
                written.end());
  return written;
}

TLogFont TFlashFont::BuildLogFont() const {
  TLogFont logFont;
  if (!LogFont.FaceName.empty()) {
    logFont = LogFont;
  } else {
    if (std::optional<TLogFont> found = FindFontByName(Name)) logFont = *found;
    if (logFont.FaceName.empty()) logFont.FaceName = Name.substr(0, 31);
    logFont.Width = 0;
    logFont.Escapement = 0;
    logFont.Orientation = 0;
    logFont.Weight = Bold ? 700 : 400;
    logFont.Italic = Italic;
    logFont.Underline = false;
    logFont.StrikeOut = false;
    logFont.Quality = SmallText ? 3 : 4;
  }
  logFont.Height = -kEmSize;
  return logFont;
}

TPlatformFont& TFlashFont::PlatformFont() {
  if (!platformFont_) platformFont_ = std::make_unique<TPlatformFont>(BuildLogFont());
  return *platformFont_;
}

void TFlashFont::ReadMetrics() {
  TFontMetrics metrics = PlatformFont().Metrics();
  Ascent = static_cast<int16_t>(metrics.Ascent);
  Descent = static_cast<int16_t>(metrics.Descent);
  Leading = static_cast<int16_t>(metrics.InternalLeading);
  metricsRead_ = true;
}

TTextSize TFlashFont::TextExtent(const std::string& text) {
  return TextExtent(ToUnicode(text));
}

TTextSize TFlashFont::TextExtent(const std::u16string& text) {
  TTextSize em = PlatformFont().TextExtent(text);
  auto scale = [&](int32_t v) {
    return static_cast<int32_t>(std::lround(static_cast<double>(v) / kEmSize * Size));
  };
  return {scale(em.Width), scale(em.Height)};
}

void TFlashFont::MakeGlyph(TFlashChar& ch) {
  // The identity plus 1/65536 in every entry, as outlines were always requested.
  const TFixedMatrix matrix{0x10001, 1, 1, 0x10001};
  TPlatformFont& font = PlatformFont();
  TGlyphOutline outline = font.GlyphOutline(ch.WideCode, matrix);
  TFlashEdges& pen = ch.Edges;
  for (const TOutlineContour& contour : outline) {
    pen.MoveTo(RoundFixed(contour.Start.X), RoundFixed(contour.Start.Y));
    for (const TOutlineCurve& curve : contour.Curves) {
      const auto& p = curve.Points;
      if (curve.Kind == TOutlineCurve::TKind::Line) {
        for (const TFixedPoint& point : p) pen.LineTo(RoundFixed(point.X), RoundFixed(point.Y));
        continue;
      }
      for (size_t i = 0; i + 1 < p.size(); ++i) {
        const bool last = i + 2 == p.size();
        int32_t anchorX = last ? FixedIntegerPart(p[i + 1].X) : RoundMidpoint(p[i].X, p[i + 1].X);
        int32_t anchorY = last ? FixedIntegerPart(p[i + 1].Y) : RoundMidpoint(p[i].Y, p[i + 1].Y);
        pen.CurveTo(RoundFixed(p[i].X), RoundFixed(p[i].Y), anchorX, anchorY);
      }
    }
    pen.CloseShape();
  }
  // The platform's outlines have y up, glyphs y down.
  if (!outline.empty()) pen.FlipY();
  TABCWidths abc = font.ABCWidths(ch.WideCode);
  ch.Advance = abc.A + abc.B + abc.C;
  ch.HasOutline = true;
}

void TFlashFont::MakeGlyphs() {
  if (Chars.empty()) return;
  PlatformFont();
  ReadMetrics();
  for (auto& ch : Chars)
    if (ch->Used && !ch->HasOutline) MakeGlyph(*ch);
}

void TFlashFont::WriteToStream(TBitsEngine& Engine) {
  TSWFDefineFont2 tag;
  tag.Version = static_cast<uint8_t>(Owner() ? Owner()->Version() : 6);
  tag.FontID = CharacterId();
  const bool layout = HasLayout || (Usage & kFontUsedByDynamicText);
  tag.FontFlagsHasLayout = layout;
  tag.FontFlagsShiftJIS = Encoding == 1;
  tag.FontFlagsSmallText = SmallText;
  tag.FontFlagsANSI = Encoding == 0;
  tag.FontFlagsWideOffsets = false;
  tag.FontFlagsWideCodes = WritesWideCodes();
  tag.FontFlagsItalic = Italic;
  tag.FontFlagsBold = Bold;
  tag.LanguageCode = LanguageCode;
  tag.FontName = Name;
  // A password field shows asterisks, which its own text does not bring into the font.
  if (Owner())
    for (TFlashText* text : Owner()->Texts)
      if (text->Font == this && text->IsDynamic && text->Password) {
        AddChar('*');
        break;
      }
  if ((layout || !Chars.empty()) && Ascent == 0 && Descent == 0 && Leading == 0) ReadMetrics();
  if (layout) {
    tag.FontAscent = static_cast<uint16_t>(Ascent);
    tag.FontDescent = static_cast<uint16_t>(Descent);
    tag.FontLeading = Leading;
  }
  if (!AsDevice || (Usage & kFontUsedByStaticText)) {
    MakeGlyphs();
    for (TFlashChar* ch : WrittenChars()) {
      tag.GlyphShapeTable.emplace_back();
      CopyShapeRecords(ch->GlyphRecords, tag.GlyphShapeTable.back());
      tag.CodeTable.push_back(WrittenCode(*ch));
      if (layout) {
        tag.FontBoundsTable.emplace_back();
        tag.FontAdvanceTable.push_back(static_cast<int16_t>(ch->Advance));
      }
    }
  }
  tag.WriteToStream(Engine);
}

}  // namespace orvanta
