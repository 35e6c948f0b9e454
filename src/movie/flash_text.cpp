#include "movie/flash_text.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "movie/flash_edges.h"
#include "movie/flash_font.h"
#include "movie/flash_movie.h"
#include "platform/codepage.h"
#include "swf/bits_engine.h"
#include "swf/tags_text.h"

namespace orvanta {

namespace {

std::u16string ToUnicode(const std::string& text) {
  std::u16string wide;
  wide.reserve(text.size());
  for (char c : text) wide += Cp1252ToUnicode(static_cast<unsigned char>(c));
  return wide;
}

std::string ToCp1252(const std::u16string& text) {
  std::string ansi;
  ansi.reserve(text.size());
  for (char16_t c : text) ansi += static_cast<char>(UnicodeToCp1252(c));
  return ansi;
}

uint16_t ClampU16(int64_t v) {
  return static_cast<uint16_t>(std::clamp<int64_t>(v, 0, UINT16_MAX));
}

int16_t ClampS16(int64_t v) {
  return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
}

}  // namespace

TFlashText::TFlashText(TFlashMovie* owner, const std::string& text, const TSWFRGBA& color,
                       TFlashFont* font, const TFlashPoint& origin, uint8_t align)
    : TFlashVisualObject(owner) {
  SetFont(font);
  SetText(text);
  TextColor().SetRGBA(color.RGBA());
  X = origin.X * UnitScale();
  Y = origin.Y * UnitScale();
  SetAlign(align);
  AutoSize = true;
  AutoBounds = true;
  FontHeight = font ? font->Size : 0;
  UseOutlines = font && !font->AsDevice;
}

TFlashText::TFlashText(TFlashMovie* owner, const TRect& rect, TFlashFont* font,
                       const TSWFRGBA& color, const std::u16string& wideText)
    : TFlashVisualObject(owner) {
  IsDynamic = true;
  SetFont(font);
  SetWideText(wideText);
  TextColor().SetRGBA(color.RGBA());
  SetBounds(rect);
  X = rect.Left;
  Y = rect.Top;
  AutoBounds = false;
  FontHeight = font ? font->Size : 0;
  UseOutlines = font && !font->AsDevice;
}

TFlashText::~TFlashText() = default;

TSWFRGBA& TFlashText::TextColor() {
  if (!textColor_) textColor_ = std::make_unique<TSWFRGBA>();
  HasColor = true;
  return *textColor_;
}

TSWFMatrix& TFlashText::Matrix() {
  if (!matrix_) matrix_ = std::make_unique<TSWFMatrix>();
  return *matrix_;
}

void TFlashText::SetFont(TFlashFont* font) {
  Font = font;
  if (Font) Font->Usage |= IsDynamic ? kFontUsedByDynamicText : kFontUsedByStaticText;
}

void TFlashText::SetText(const std::string& text) {
  if (text == Text) return;
  if (Font) Font->AddChars(text);
  Text = text;
}

void TFlashText::SetWideText(const std::u16string& text) {
  if (text == WideText) return;
  if (Font) Font->AddWideChars(text);
  WideText = text;
  Text = ToCp1252(text);
}

void TFlashText::SetAlign(uint8_t align) {
  Align = align;
  SetHasLayout(true);
}

void TFlashText::SetHasLayout(bool on) {
  HasLayout = on;
  if (Font) Font->SetLayout(on);
}

void TFlashText::SetIndent(int32_t v) {
  Indent = v * UnitScale();
  SetHasLayout(true);
}

void TFlashText::SetLeading(int32_t v) {
  Leading = v * UnitScale();
  SetHasLayout(true);
}

void TFlashText::SetLeftMargin(int32_t v) {
  LeftMargin = v * UnitScale();
  SetHasLayout(true);
}

void TFlashText::SetRightMargin(int32_t v) {
  RightMargin = v * UnitScale();
  SetHasLayout(true);
}

void TFlashText::SetFontHeight(int32_t h) {
  FontHeight = ClampU16(int64_t{h} * UnitScale());
}

void TFlashText::SetMaxLength(uint32_t n) {
  MaxLength = n;
  HasMaxLength = true;
}

void TFlashText::SetDynamic(bool on) {
  IsDynamic = on;
  if (!on) return;
  ReadOnly = false;
  NoSelect = false;
  if (Font) Font->Usage |= kFontUsedByDynamicText;
}

void TFlashText::SetHTML(bool on) {
  HTML = on;
  if (on) SetDynamic(true);
}

void TFlashText::SetUseOutlines(bool on) {
  UseOutlines = on;
  // Switching outlines off must not embed them either.
  if (on && Font) Font->AsDevice = false;
}

void TFlashText::SetBounds(const TRect& rect) {
  const int32_t s = UnitScale();
  TSWFRect r;
  r.SetRect({rect.Left * s, rect.Top * s, rect.Right * s, rect.Bottom * s});
  Bounds = r;
}

void TFlashText::Assign(const TBasedSWFObject& Source) {
  TFlashVisualObject::Assign(Source);
  auto& source = dynamic_cast<const TFlashText&>(Source);
  Align = source.Align;
  AutoSize = source.AutoSize;
  Border = source.Border;
  Bounds = source.Bounds;
  LetterSpacing = source.LetterSpacing;
  IsDynamic = source.IsDynamic;
  Font = source.Font;
  HasLayout = source.HasLayout;
  HTML = source.HTML;
  Indent = source.Indent;
  Leading = source.Leading;
  LeftMargin = source.LeftMargin;
  MaxLength = source.MaxLength;
  Multiline = source.Multiline;
  NoSelect = source.NoSelect;
  Password = source.Password;
  X = source.X;
  Y = source.Y;
  ReadOnly = source.ReadOnly;
  RightMargin = source.RightMargin;
  Text = source.Text;
  FontHeight = source.FontHeight;
  UseOutlines = source.UseOutlines;
  VariableName = source.VariableName;
  WideText = source.WideText;
  WordWrap = source.WordWrap;
  HasColor = source.HasColor;
  HasMaxLength = source.HasMaxLength;
  AutoBounds = source.AutoBounds;
  textColor_ = source.textColor_ ? std::make_unique<TSWFRGBA>(*source.textColor_) : nullptr;
  matrix_ = source.matrix_ ? std::make_unique<TSWFMatrix>(*source.matrix_) : nullptr;
}

TSWFRect TFlashText::StaticBounds() {
  if (!AutoBounds) return Bounds;
  TTextSize extent;
  if (Font) extent = WideText.empty() ? Font->TextExtent(Text) : Font->TextExtent(WideText);
  auto scale = [&](int32_t v) {
    if (!Font || Font->Size == 0) return v;
    return static_cast<int32_t>(std::lround(static_cast<double>(v) * FontHeight / Font->Size));
  };
  const int32_t width = scale(extent.Width), height = scale(extent.Height);
  int32_t left = X;
  if (Align == 1)
    left -= width;
  else if (Align == 2 || Align == 3)
    left -= width / 2;
  return TSWFRect(left, Y, left + width, Y + height);
}

std::unique_ptr<TSWFDefineText> TFlashText::MakeStaticTag() {
  const TSWFRGBA color = textColor_ ? *textColor_ : TSWFRGBA();
  std::unique_ptr<TSWFDefineText> tag;
  if (color.Alpha() == 255)
    tag = std::make_unique<TSWFDefineText>();
  else
    tag = std::make_unique<TSWFDefineText2>();
  tag->CharacterID = CharacterId();
  if (Font) Font->MakeGlyphs();
  const TSWFRect rect = StaticBounds();
  tag->TextBounds = rect;
  tag->TextMatrix = matrix_ ? *matrix_ : TSWFMatrix();
  tag->GlyphBits = 0;
  tag->AdvanceBits = 0;
  // Empty text is an empty text character: a placement of it stays valid.
  if (!Font || (Text.empty() && WideText.empty())) return tag;

  TSWFTextRecord& record = tag->AddTextRecord();
  record.SetFontID(Font->CharacterId());
  record.TextColor().SetRGBA(color.RGBA());
  record.SetTextHeight(FontHeight);
  record.SetYOffset(ClampS16(std::lround(Font->Ascent / 1024.0 * FontHeight) + rect.Ymin()));
  if (rect.Xmin() != 0) record.SetXOffset(ClampS16(rect.Xmin()));

  std::unordered_map<uint16_t, uint32_t> glyphIndex;
  std::vector<TFlashChar*> written = Font->WrittenChars();
  for (size_t i = 0; i < written.size(); ++i)
    glyphIndex.emplace(Font->WrittenCode(*written[i]), static_cast<uint32_t>(i));

  const std::u16string characters = WideText.empty() ? ToUnicode(Text) : WideText;
  unsigned glyphBits = 0, advanceBits = 0;
  for (char16_t c : characters) {
    TFlashChar* ch = Font->FindUnicodeChar(c);
    if (!ch) continue;
    auto found = glyphIndex.find(Font->WrittenCode(*ch));
    if (found == glyphIndex.end()) continue;
    TSWFGlyphEntry entry;
    entry.GlyphIndex = found->second;
    entry.GlyphAdvance =
        static_cast<int32_t>(std::lround(ch->Advance / 1024.0 * FontHeight)) + LetterSpacing;
    glyphBits = std::max(glyphBits, BitsCount(entry.GlyphIndex));
    advanceBits = std::max(advanceBits, SignedBitsCount(entry.GlyphAdvance));
    record.GlyphEntries.push_back(entry);
  }
  tag->GlyphBits = static_cast<uint8_t>(glyphBits);
  tag->AdvanceBits = static_cast<uint8_t>(advanceBits);
  return tag;
}

std::unique_ptr<TSWFDefineEditText> TFlashText::MakeEditTag() const {
  auto tag = std::make_unique<TSWFDefineEditText>();
  tag->CharacterID = CharacterId();
  tag->Version = static_cast<uint8_t>(Owner() ? Owner()->Version() : 6);
  tag->Bounds = AutoBounds ? TSWFRect(X, Y, X, Y) : Bounds;
  tag->AutoSize = AutoSize;
  tag->Border = Border;
  tag->HTML = HTML;
  tag->Multiline = Multiline;
  tag->NoSelect = NoSelect;
  tag->Password = Password;
  tag->ReadOnly = ReadOnly;
  tag->WordWrap = WordWrap;
  tag->UseOutlines = UseOutlines || (Font && !Font->AsDevice);
  if (Font) {
    tag->HasFont = true;
    tag->FontID = Font->CharacterId();
    tag->FontHeight = FontHeight;
  }
  if (HasColor) tag->TextColor().SetRGBA(textColor_ ? textColor_->RGBA() : TSWFRGBA().RGBA());
  if (HasMaxLength) {
    tag->HasMaxLength = true;
    tag->MaxLength = ClampU16(MaxLength);
  }
  if (HasLayout) {
    tag->HasLayout = true;
    tag->Align = Align;
    tag->LeftMargin = ClampU16(LeftMargin);
    tag->RightMargin = ClampU16(RightMargin);
    tag->Indent = ClampS16(Indent);
    tag->Leading = ClampS16(Leading);
  }
  tag->VariableName = VariableName;

  const bool wide = Font && Font->HasWide() && !WideText.empty();
  if (!wide && Text.empty()) return tag;
  std::string open, close;
  if (HTML && Font) {
    open = "<font face=\"" + Font->Name + "\">";
    if (Font->Bold) open += "<b>";
    if (Font->Italic) open += "<i>";
    if (Font->Italic) close += "</i>";
    if (Font->Bold) close += "</b>";
    close += "</font>";
  }
  if (wide)
    tag->SetWideInitialText(ToUnicode(open) + WideText + ToUnicode(close));
  else if (HTML && tag->Version >= 6)
    // HTML text is written as it is held, and a version 6 player reads it as UTF-8.
    tag->SetWideInitialText(ToUnicode(open + Text + close));
  else
    tag->SetInitialText(open + Text + close);
  return tag;
}

void TFlashText::WriteToStream(TBitsEngine& Engine) {
  if (IsDynamic)
    MakeEditTag()->WriteToStream(Engine);
  else
    MakeStaticTag()->WriteToStream(Engine);
}

}  // namespace orvanta
