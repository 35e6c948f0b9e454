#include "render/text_layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/font_engine.h"
#include "render/display_list.h"
#include "swf/tag_codes.h"
#include "swf/tags_font.h"
#include "swf/tags_text.h"

namespace orvanta::render {

namespace {

// Text fields keep their text this far (2 pixels) inside their bounds.
constexpr double kGutter = 40;
// System font outlines are taken at this many units per em.
constexpr int kDeviceEm = 1024;
// Characters of a text field laid out at most; the rest of a longer text is not drawn.
constexpr size_t kMaxFieldChars = 1 << 16;

const TSWFGlyphShapeTable* GlyphTable(const TSWFObject& font) {
  if (const auto* f = dynamic_cast<const TSWFDefineFont2*>(&font)) return &f->GlyphShapeTable;
  if (const auto* f = dynamic_cast<const TSWFDefineFont*>(&font)) return &f->GlyphShapeTable;
  return nullptr;
}

double EmSize(const TSWFObject& font) {
  return font.TagID == ToCode(TTagCode::DefineFont3) ? 20480.0 : 1024.0;
}

// The system font standing in for the player's generic device font names.
std::string DeviceFontName(const std::string& name) {
  if (name == "_sans" || name.empty()) return "Arial";
  if (name == "_serif") return "Times New Roman";
  if (name == "_typewriter") return "Courier New";
  return name;
}

// One character with the format it is drawn in.
struct TFormat {
  const TSWFObject* Font = nullptr;  // embedded font; null for a system font
  std::string FaceName;
  bool Bold = false, Italic = false, Underline = false;
  double Size = 240;         // twips
  double LetterSpacing = 0;  // twips added to every advance
  TRGBA Color{0, 0, 0, 255};
};

struct TStyledChar {
  char16_t Code;
  size_t Format;  // index into the format table
};

struct TParagraph {
  uint8_t Align = 0;
  std::vector<TStyledChar> Chars;
};

// ---------------------------------------------------------------------------------------------
// A small reader of the HTML subset text fields accept.

std::u16string DecodeEntity(const std::u16string& name) {
  if (name == u"amp") return u"&";
  if (name == u"lt") return u"<";
  if (name == u"gt") return u">";
  if (name == u"quot") return u"\"";
  if (name == u"apos") return u"'";
  if (name == u"nbsp") return u"\u00A0";
  if (name.size() > 1 && name[0] == u'#') {
    char32_t code = 0;
    bool hex = name[1] == u'x' || name[1] == u'X';
    for (size_t i = hex ? 2 : 1; i < name.size(); ++i) {
      char16_t c = name[i];
      int digit = c >= u'0' && c <= u'9'          ? c - u'0'
                  : hex && c >= u'a' && c <= u'f' ? c - u'a' + 10
                  : hex && c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                  : -1;
      if (digit < 0) return u"&" + name + u";";
      code = code * (hex ? 16 : 10) + digit;
      if (code > 0xFFFF) return u"\uFFFD";
    }
    return std::u16string(1, static_cast<char16_t>(code));
  }
  return u"&" + name + u";";
}

std::string Lower(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) out += static_cast<char>(c < 128 ? std::tolower(c) : '?');
  return out;
}

struct TTag {
  std::string Name;  // lower case, "/p" for a closing tag
  std::map<std::string, std::u16string> Attributes;
};

TTag ParseTag(const std::u16string& body) {
  TTag tag;
  size_t i = 0;
  auto skipSpace = [&]() {
    while (i < body.size() &&
           (body[i] == u' ' || body[i] == u'\t' || body[i] == u'\r' || body[i] == u'\n'))
      ++i;
  };
  skipSpace();
  size_t start = i;
  while (i < body.size() && body[i] != u' ' && body[i] != u'/' && body[i] != u'\t') ++i;
  if (i < body.size() && body[i] == u'/' && i == start) ++i;  // "</p"
  while (i < body.size() && body[i] != u' ' && body[i] != u'\t' && body[i] != u'/') ++i;
  tag.Name = Lower(body.substr(start, i - start));
  while (i < body.size()) {
    skipSpace();
    size_t nameStart = i;
    while (i < body.size() && body[i] != u'=' && body[i] != u' ' && body[i] != u'/') ++i;
    std::string name = Lower(body.substr(nameStart, i - nameStart));
    if (i >= body.size() || body[i] != u'=') {
      ++i;
      continue;
    }
    ++i;
    skipSpace();
    std::u16string value;
    if (i < body.size() && (body[i] == u'"' || body[i] == u'\'')) {
      char16_t quote = body[i++];
      size_t valueStart = i;
      while (i < body.size() && body[i] != quote) ++i;
      value = body.substr(valueStart, i - valueStart);
      ++i;
    } else {
      size_t valueStart = i;
      while (i < body.size() && body[i] != u' ') ++i;
      value = body.substr(valueStart, i - valueStart);
    }
    if (!name.empty()) tag.Attributes[name] = value;
  }
  return tag;
}

bool ParseColor(const std::u16string& value, TRGBA& color) {
  std::u16string v = value;
  if (!v.empty() && v[0] == u'#') v.erase(0, 1);
  if (v.size() != 6) return false;
  uint32_t rgb = 0;
  for (char16_t c : v) {
    int d = c >= u'0' && c <= u'9'   ? c - u'0'
            : c >= u'a' && c <= u'f' ? c - u'a' + 10
            : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                     : -1;
    if (d < 0) return false;
    rgb = rgb * 16 + d;
  }
  color.R = static_cast<uint8_t>(rgb >> 16);
  color.G = static_cast<uint8_t>(rgb >> 8);
  color.B = static_cast<uint8_t>(rgb);
  return true;
}

uint8_t AlignOf(const std::u16string& value) {
  std::string v = Lower(value);
  if (v == "right") return 1;
  if (v == "center") return 2;
  if (v == "justify") return 3;
  return 0;
}

class TParagraphBuilder {
 public:
  explicit TParagraphBuilder(std::vector<TParagraph>& out) : out_(out) { out_.emplace_back(); }
  void Add(char16_t c, size_t format) {
    if (c == u'\r' || c == u'\n') {
      Break();
      return;
    }
    out_.back().Chars.push_back({c, format});
  }
  void Break() {
    uint8_t align = out_.back().Align;
    out_.emplace_back();
    out_.back().Align = align;
  }
  void SetAlign(uint8_t align) { out_.back().Align = align; }
  bool Empty() const { return out_.back().Chars.empty(); }

 private:
  std::vector<TParagraph>& out_;
};

void ParseHTML(const std::u16string& text, std::vector<TFormat>& formats,
               std::vector<TParagraph>& paragraphs, uint8_t defaultAlign) {
  TParagraphBuilder builder(paragraphs);
  builder.SetAlign(defaultAlign);
  std::vector<size_t> stack{0};
  std::vector<std::string> opened;
  bool paragraphOpen = false;
  size_t i = 0;
  while (i < text.size()) {
    char16_t c = text[i];
    if (c == u'<') {
      size_t close = text.find(u'>', i);
      if (close == std::u16string::npos) break;
      TTag tag = ParseTag(text.substr(i + 1, close - i - 1));
      i = close + 1;
      const std::string& name = tag.Name;
      if (name == "p" || name == "li") {
        if (paragraphOpen || !builder.Empty()) builder.Break();
        paragraphOpen = true;
        builder.SetAlign(defaultAlign);  // not the alignment of the paragraph before
        if (auto it = tag.Attributes.find("align"); it != tag.Attributes.end())
          builder.SetAlign(AlignOf(it->second));
        if (name == "li") {
          builder.Add(u'\u2022', stack.back());
          builder.Add(u' ', stack.back());
        }
      } else if (name == "/p" || name == "/li") {
        // The next paragraph starts a line of its own.
      } else if (name == "br" || name == "br/") {
        builder.Break();
      } else if (name == "font" || name == "b" || name == "i" || name == "u") {
        if (formats.size() > 4096) continue;
        TFormat f = formats[stack.back()];
        if (name == "b") f.Bold = true;
        if (name == "i") f.Italic = true;
        if (name == "u") f.Underline = true;
        if (name == "font") {
          if (auto it = tag.Attributes.find("color"); it != tag.Attributes.end())
            ParseColor(it->second, f.Color);
          if (auto it = tag.Attributes.find("size"); it != tag.Attributes.end()) {
            std::string v = Lower(it->second);
            char* endPtr = nullptr;
            double size = std::strtod(v.c_str(), &endPtr);
            if (endPtr != v.c_str() && std::isfinite(size)) {
              if (!v.empty() && (v[0] == '+' || v[0] == '-'))
                f.Size += size * 20;
              else
                f.Size = size * 20;
              f.Size = std::clamp(f.Size, 20.0, 127.0 * 20 * 10);
            }
          }
          if (auto it = tag.Attributes.find("letterspacing"); it != tag.Attributes.end()) {
            std::string v = Lower(it->second);
            double spacing = std::strtod(v.c_str(), nullptr);
            if (std::isfinite(spacing)) f.LetterSpacing = std::clamp(spacing, -1000.0, 1000.0) * 20;
          }
          if (auto it = tag.Attributes.find("face"); it != tag.Attributes.end() && !f.Font) {
            std::string face;
            for (char16_t ch : it->second) face += static_cast<char>(UnicodeToCp1252(ch));
            f.FaceName = face;
          }
        }
        formats.push_back(f);
        stack.push_back(formats.size() - 1);
        opened.push_back(name);
      } else if (name == "/font" || name == "/b" || name == "/i" || name == "/u") {
        std::string open = name.substr(1);
        for (size_t k = opened.size(); k-- > 0;) {
          if (opened[k] == open) {
            opened.resize(k);
            stack.resize(k + 1);
            break;
          }
        }
      }
      continue;
    }
    if (c == u'&') {
      // Entities are short: looking further for the semicolon would make a text of
      // ampersands quadratic.
      size_t semi = text.substr(i, 12).find(u';');
      if (semi != std::u16string::npos) {
        semi += i;
        for (char16_t d : DecodeEntity(text.substr(i + 1, semi - i - 1)))
          builder.Add(d, stack.back());
        i = semi + 1;
        continue;
      }
    }
    builder.Add(c, stack.back());
    ++i;
  }
}

std::u16string FieldText(const TSWFDefineEditText& field) {
  if (!field.WideInitialText().empty()) return field.WideInitialText();
  const std::string& bytes = field.InitialText();
  if (field.Version >= 6) return Utf8ToUtf16(bytes);
  std::u16string out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) out += Cp1252ToUnicode(b);
  return out;
}

// Contours of a system font glyph (y up, 16.16) as a path in em units with y down.
TShapeGeometry OutlineGeometry(const TGlyphOutline& outline) {
  TShapeGeometry g;
  g.NonZero = true;
  TShapeLayer layer;
  TFillPath fill;
  fill.StyleIndex = 1;
  auto pt = [](TFixedPoint p) { return TPoint{p.X / 65536.0, -p.Y / 65536.0}; };
  for (const TOutlineContour& contour : outline) {
    fill.Path.push_back({TPathCommand::TKind::MoveTo, {}, pt(contour.Start)});
    g.Bounds.Add(pt(contour.Start));
    for (const TOutlineCurve& curve : contour.Curves) {
      if (curve.Kind == TOutlineCurve::TKind::Line) {
        for (TFixedPoint p : curve.Points) {
          fill.Path.push_back({TPathCommand::TKind::LineTo, {}, pt(p)});
          g.Bounds.Add(pt(p));
        }
        continue;
      }
      const auto& p = curve.Points;
      for (size_t k = 0; k + 1 < p.size(); ++k) {
        TPoint control = pt(p[k]);
        TPoint anchor = k + 2 == p.size() ? pt(p[k + 1])
                                          : TPoint{(pt(p[k]).X + pt(p[k + 1]).X) / 2,
                                                   (pt(p[k]).Y + pt(p[k + 1]).Y) / 2};
        fill.Path.push_back({TPathCommand::TKind::CurveTo, control, anchor});
        g.Bounds.Add(control);
        g.Bounds.Add(anchor);
      }
    }
    fill.Path.push_back({TPathCommand::TKind::Close, {}, {}});
  }
  layer.Fills.push_back(std::move(fill));
  g.Layers.push_back(std::move(layer));
  return g;
}

// The unit square, drawn stretched for underlines.
const TShapeGeometry& UnitSquare() {
  static const TShapeGeometry square = [] {
    TShapeGeometry g;
    TFillPath fill;
    fill.StyleIndex = 1;
    fill.Path = {{TPathCommand::TKind::MoveTo, {}, {0, 0}},
                 {TPathCommand::TKind::LineTo, {}, {1, 0}},
                 {TPathCommand::TKind::LineTo, {}, {1, 1}},
                 {TPathCommand::TKind::LineTo, {}, {0, 1}},
                 {TPathCommand::TKind::Close, {}, {}}};
    g.Layers.emplace_back();
    g.Layers.back().Fills.push_back(std::move(fill));
    g.Bounds.Add(TPoint{0, 0});
    g.Bounds.Add(TPoint{1, 1});
    return g;
  }();
  return square;
}

}  // namespace

struct TTextLayout::TFontFace {
  std::unique_ptr<TPlatformFont> Font;
  std::map<char16_t, std::unique_ptr<TShapeGeometry>> Glyphs;
  std::map<char16_t, double> Advances;  // em units
  double Ascent = 0, Descent = 0;       // em units

  const TShapeGeometry* Glyph(char16_t code) {
    auto it = Glyphs.find(code);
    if (it == Glyphs.end()) {
      auto g = std::make_unique<TShapeGeometry>(OutlineGeometry(Font->GlyphOutline(code)));
      it = Glyphs.emplace(code, std::move(g)).first;
    }
    return it->second.get();
  }
  double Advance(char16_t code) {
    auto it = Advances.find(code);
    if (it == Advances.end()) {
      TABCWidths w = Font->ABCWidths(code);
      it = Advances.emplace(code, double(w.A) + w.B + w.C).first;
    }
    return it->second;
  }
};

TTextLayout::TTextLayout(const TCharacterDictionary& dictionary) : dictionary_(dictionary) {}

TTextLayout::~TTextLayout() = default;

const TShapeGeometry* TTextLayout::EmbeddedGlyph(const TSWFObject& font, size_t index) {
  const TSWFGlyphShapeTable* table = GlyphTable(font);
  if (!table || index >= table->size()) return nullptr;
  auto key = std::make_pair(&font, index);
  auto it = glyphs_.find(key);
  if (it == glyphs_.end()) {
    static const TSWFFillStyleList kNoFills;
    static const TSWFLineStyleList kNoLines;
    auto g =
        std::make_unique<TShapeGeometry>(BuildShapeGeometry(kNoFills, kNoLines, (*table)[index]));
    it = glyphs_.emplace(key, std::move(g)).first;
  }
  return it->second.get();
}

TTextLayout::TFontFace& TTextLayout::DeviceFace(const std::string& name, bool bold, bool italic) {
  auto key = std::make_tuple(name, bold, italic);
  auto it = faces_.find(key);
  if (it == faces_.end()) {
    auto face = std::make_unique<TFontFace>();
    TLogFont log;
    log.Height = -kDeviceEm;
    log.Weight = bold ? 700 : 400;
    log.Italic = italic;
    log.FaceName = DeviceFontName(name).substr(0, 31);
    face->Font = std::make_unique<TPlatformFont>(log);
    TFontMetrics metrics = face->Font->Metrics();
    face->Ascent = metrics.Ascent;
    face->Descent = metrics.Descent;
    it = faces_.emplace(key, std::move(face)).first;
  }
  return *it->second;
}

TTextDrawing TTextLayout::StaticText(const TSWFDefineText& text) {
  TTextDrawing drawing;
  const TAffine matrix = TAffine::FromSWF(text.TextMatrix);
  const TSWFObject* font = nullptr;
  double height = 0;
  TRGBA color{0, 0, 0, 255};
  double x = 0, y = 0;
  for (const auto& record : text.TextRecords) {
    if (!record) continue;
    if (record->StyleFlagsHasFont) {
      font = dictionary_.Find(record->FontID());
      if (font && !GlyphTable(*font)) font = nullptr;
      height = record->TextHeight();
    }
    if (record->StyleFlagsHasColor && record->ExistingTextColor())
      color = ToRGBA(*record->ExistingTextColor());
    if (record->StyleFlagsHasXOffset) x = record->XOffset();
    if (record->StyleFlagsHasYOffset) y = record->YOffset();
    for (const TSWFGlyphEntry& entry : record->GlyphEntries) {
      if (font && height > 0) {
        if (const TShapeGeometry* g = EmbeddedGlyph(*font, entry.GlyphIndex)) {
          double scale = height / EmSize(*font);
          drawing.Glyphs.push_back(
              {g, matrix * TAffine::Translate(x, y) * TAffine::Scale(scale, scale), color});
        }
      }
      x += entry.GlyphAdvance;
    }
  }
  return drawing;
}

TTextDrawing TTextLayout::EditText(const TSWFDefineEditText& field) {
  TTextDrawing drawing;
  const TSWFRect& r = field.Bounds;
  TBounds box;
  box.Add(TPoint{double(r.Xmin()), double(r.Ymin())});
  box.Add(TPoint{double(r.Xmax()), double(r.Ymax())});
  // The player's box takes the pixel row and column at the bounds' far edges too.
  TBounds outer = box;
  outer.XMax += 20;
  outer.YMax += 20;
  // A field that sizes itself to its text grows instead of cutting it off.
  drawing.Clip = !field.AutoSize;
  drawing.ClipBox = outer;
  drawing.HasBorder = field.Border;
  drawing.Box = outer;

  // The field's own format.
  TFormat base;
  if (field.HasFont) {
    const TSWFObject* font = dictionary_.Find(field.FontID);
    const auto* font2 = dynamic_cast<const TSWFDefineFont2*>(font);
    const auto* font1 = dynamic_cast<const TSWFDefineFont*>(font);
    const TSWFDefineFontInfo* info = font1 ? dictionary_.FontInfo(field.FontID) : nullptr;
    if (font2) {
      base.FaceName = font2->FontName;
      base.Bold = font2->FontFlagsBold;
      base.Italic = font2->FontFlagsItalic;
      if (field.UseOutlines && !font2->GlyphShapeTable.empty()) base.Font = font2;
    } else if (info) {
      base.FaceName = info->FontName;
      base.Bold = info->FontFlagsBold;
      base.Italic = info->FontFlagsItalic;
    }
    base.Size = field.FontHeight;
  } else {
    base.FaceName = "Times New Roman";
  }
  if (field.HasTextColor && field.ExistingTextColor())
    base.Color = ToRGBA(*field.ExistingTextColor());

  std::vector<TFormat> formats{base};
  std::vector<TParagraph> paragraphs;
  std::u16string text = FieldText(field);
  if (text.size() > kMaxFieldChars) text.resize(kMaxFieldChars);
  const uint8_t fieldAlign = field.HasLayout ? field.Align : 0;
  if (field.HTML) {
    ParseHTML(text, formats, paragraphs, fieldAlign);
  } else {
    TParagraphBuilder builder(paragraphs);
    for (char16_t c : text) builder.Add(c, 0);
  }
  if (!field.HTML)
    for (TParagraph& p : paragraphs) p.Align = fieldAlign;
  if (field.Password)
    for (TParagraph& p : paragraphs)
      for (TStyledChar& c : p.Chars) c.Code = u'*';

  // Per character: glyph outline, advance and scale, from the embedded font when it has the
  // character, else from the system font.
  struct TPlaced {
    const TShapeGeometry* Outline;
    double Advance;  // twips
    double Scale;    // outline units to twips
    size_t Format;
  };
  std::function<TPlaced(const TStyledChar&)> place = [&](const TStyledChar& c) -> TPlaced {
    const TFormat& f = formats[c.Format];
    // Control characters have no glyph; a tab takes the room of a space.
    if (c.Code < 0x20) {
      if (c.Code != u'\t') return {nullptr, 0, 1, c.Format};
      TPlaced space = place({u' ', c.Format});
      return {nullptr, space.Advance, space.Scale, c.Format};
    }
    if (f.Font) {
      const auto& font = static_cast<const TSWFDefineFont2&>(*f.Font);
      auto it = std::lower_bound(font.CodeTable.begin(), font.CodeTable.end(), c.Code);
      double scale = f.Size / EmSize(font);
      if (it != font.CodeTable.end() && *it == c.Code) {
        size_t index = it - font.CodeTable.begin();
        const TShapeGeometry* outline = EmbeddedGlyph(font, index);
        double advance =
            index < font.FontAdvanceTable.size()
                ? font.FontAdvanceTable[index] * scale
                : (outline && !outline->Bounds.Empty() ? outline->Bounds.XMax * scale : f.Size / 2);
        return {outline, advance + f.LetterSpacing, scale, c.Format};
      }
      // The player leaves out characters the embedded font lacks.
      return {nullptr, 0, scale, c.Format};
    }
    TFontFace& face = DeviceFace(f.FaceName, f.Bold, f.Italic);
    double scale = f.Size / kDeviceEm;
    return {face.Glyph(c.Code), face.Advance(c.Code) * scale + f.LetterSpacing, scale, c.Format};
  };
  auto metrics = [&](size_t format, double& ascent, double& descent) {
    const TFormat& f = formats[format];
    if (f.Font) {
      const auto& font = static_cast<const TSWFDefineFont2&>(*f.Font);
      double scale = f.Size / EmSize(font);
      if (font.FontFlagsHasLayout && font.FontAscent + font.FontDescent > 0) {
        ascent = font.FontAscent * scale;
        descent = font.FontDescent * scale;
      } else {
        ascent = f.Size * 0.9;
        descent = f.Size * 0.22;
      }
      return;
    }
    TFontFace& face = DeviceFace(f.FaceName, f.Bold, f.Italic);
    ascent = face.Ascent * f.Size / kDeviceEm;
    descent = face.Descent * f.Size / kDeviceEm;
  };

  const double left = box.XMin + kGutter + (field.HasLayout ? field.LeftMargin : 0);
  const double right = box.XMax - kGutter - (field.HasLayout ? field.RightMargin : 0);
  const double indent = field.HasLayout ? field.Indent : 0;
  const double leading = field.HasLayout ? field.Leading : 0;
  const bool wrap = field.WordWrap;
  double top = box.YMin + kGutter;

  for (const TParagraph& paragraph : paragraphs) {
    std::vector<TPlaced> placed;
    placed.reserve(paragraph.Chars.size());
    for (const TStyledChar& c : paragraph.Chars) placed.push_back(place(c));

    // Break the paragraph into lines at spaces that fit, or anywhere when a word alone is too
    // wide.
    size_t start = 0;
    bool firstLine = true;
    do {
      double lineLeft = left + (firstLine ? indent : 0);
      double width = 0;
      size_t end = start, lastSpace = std::string::npos;
      while (end < placed.size()) {
        double next = width + placed[end].Advance;
        if (wrap && next > right - lineLeft && end > start) {
          if (lastSpace != std::string::npos && lastSpace > start) end = lastSpace + 1;
          break;
        }
        if (paragraph.Chars[end].Code == u' ') lastSpace = end;
        width = next;
        ++end;
      }
      // Trailing spaces take no room for alignment.
      double lineWidth = 0;
      size_t visibleEnd = end;
      while (visibleEnd > start && paragraph.Chars[visibleEnd - 1].Code == u' ') --visibleEnd;
      for (size_t k = start; k < visibleEnd; ++k) lineWidth += placed[k].Advance;

      double ascent = 0, descent = 0;
      if (start == end) {
        // An empty line is as high as the format it stands in.
        size_t format = paragraph.Chars.empty()
                            ? 0
                            : paragraph.Chars[std::min(start, paragraph.Chars.size() - 1)].Format;
        metrics(format, ascent, descent);
      }
      for (size_t k = start; k < end; ++k) {
        double a, d;
        metrics(placed[k].Format, a, d);
        ascent = std::max(ascent, a);
        descent = std::max(descent, d);
      }
      const double baseline = top + ascent;
      double x = lineLeft;
      if (paragraph.Align == 1)
        x = right - lineWidth;
      else if (paragraph.Align == 2)
        x = lineLeft + (right - lineLeft - lineWidth) / 2;
      for (size_t k = start; k < end; ++k) {
        const TPlaced& p = placed[k];
        const TFormat& f = formats[p.Format];
        if (p.Outline && !p.Outline->Layers.empty())
          drawing.Glyphs.push_back(
              {p.Outline, TAffine::Translate(x, baseline) * TAffine::Scale(p.Scale, p.Scale),
               f.Color});
        // An underline a twelfth of the size thick, an eighth of it below the baseline.
        if (f.Underline && k < visibleEnd)
          drawing.Glyphs.push_back({&UnitSquare(),
                                    TAffine::Translate(x, baseline + f.Size / 8) *
                                        TAffine::Scale(p.Advance, f.Size / 12),
                                    f.Color});
        x += p.Advance;
      }
      top = baseline + descent + leading;
      firstLine = false;
      start = end;
      if (top > box.YMax + 20 * 100) return drawing;  // far below the field: nothing shows
    } while (start < placed.size());
  }
  return drawing;
}

}  // namespace orvanta::render
