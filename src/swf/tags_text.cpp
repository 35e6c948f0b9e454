#include "swf/tags_text.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

void SkipToBodyEnd(TBitsEngine& Engine, uint64_t Start, uint32_t BodySize) {
  Engine.FlushBits(false);
  uint64_t end = std::min<uint64_t>(Start + BodySize, Engine.Stream().Size());
  if (end > Engine.Stream().Position()) Engine.Stream().SetPosition(end);
}

constexpr uint8_t kRecordType = 0x80;
constexpr uint8_t kHasFont = 0x08;
constexpr uint8_t kHasColor = 0x04;
constexpr uint8_t kHasYOffset = 0x02;
constexpr uint8_t kHasXOffset = 0x01;
constexpr size_t kMaxGlyphsPerRecord = 255;

void WriteGlyphEntries(TBitsEngine& Engine, const TSWFGlyphEntry* Entries, size_t Count,
                       uint8_t GlyphBits, uint8_t AdvanceBits, int32_t& PenX) {
  Engine.WriteByte(static_cast<uint8_t>(Count));
  for (size_t i = 0; i < Count; ++i) {
    Engine.WriteBits(Entries[i].GlyphIndex, GlyphBits);
    Engine.WriteSBits(Entries[i].GlyphAdvance, AdvanceBits);
    PenX += Entries[i].GlyphAdvance;
  }
  Engine.FlushBits(true);
}

}  // namespace

// ---- UTF-16 and UTF-8 ----

// ---- Text records ----

void TSWFTextRecord::SetFontID(uint16_t V) {
  fontID_ = V;
  StyleFlagsHasFont = true;
}

void TSWFTextRecord::SetTextHeight(uint16_t V) {
  textHeight_ = V;
  StyleFlagsHasFont = true;
}

void TSWFTextRecord::SetXOffset(int16_t V) {
  xOffset_ = V;
  StyleFlagsHasXOffset = true;
}

void TSWFTextRecord::SetYOffset(int16_t V) {
  yOffset_ = V;
  StyleFlagsHasYOffset = true;
}

TSWFRGBA& TSWFTextRecord::TextColor() {
  if (!textColor_) textColor_ = std::make_unique<TSWFRGBA>();
  StyleFlagsHasColor = true;
  return *textColor_;
}

void TSWFTextRecord::Assign(const TSWFTextRecord& Source) {
  StyleFlagsHasFont = Source.StyleFlagsHasFont;
  StyleFlagsHasColor = Source.StyleFlagsHasColor;
  StyleFlagsHasXOffset = Source.StyleFlagsHasXOffset;
  StyleFlagsHasYOffset = Source.StyleFlagsHasYOffset;
  GlyphEntries = Source.GlyphEntries;
  HasAlpha = Source.HasAlpha;
  fontID_ = Source.fontID_;
  textHeight_ = Source.textHeight_;
  xOffset_ = Source.xOffset_;
  yOffset_ = Source.yOffset_;
  textColor_ = Source.textColor_ ? std::make_unique<TSWFRGBA>(*Source.textColor_) : nullptr;
}

void TSWFTextRecord::WriteToStream(TBitsEngine& Engine, uint8_t GlyphBits, uint8_t AdvanceBits,
                                   int32_t& PenX) const {
  Engine.WriteByte(static_cast<uint8_t>(
      kRecordType | (StyleFlagsHasFont ? kHasFont : 0) | (StyleFlagsHasColor ? kHasColor : 0) |
      (StyleFlagsHasYOffset ? kHasYOffset : 0) | (StyleFlagsHasXOffset ? kHasXOffset : 0)));
  if (StyleFlagsHasFont) Engine.WriteWord(fontID_);
  if (StyleFlagsHasColor) {
    TSWFRGBA color = textColor_ ? *textColor_ : TSWFRGBA();
    if (HasAlpha)
      Engine.WriteRawDWord(color.RGBA());
    else
      Engine.WriteUI24(color.RGB());
  }
  if (StyleFlagsHasXOffset) {
    Engine.WriteWord(static_cast<uint16_t>(xOffset_));
    PenX = xOffset_;
  }
  if (StyleFlagsHasYOffset) Engine.WriteWord(static_cast<uint16_t>(yOffset_));
  if (StyleFlagsHasFont) Engine.WriteWord(textHeight_);
  size_t done = std::min(GlyphEntries.size(), kMaxGlyphsPerRecord);
  WriteGlyphEntries(Engine, GlyphEntries.data(), done, GlyphBits, AdvanceBits, PenX);
  while (done < GlyphEntries.size()) {
    size_t count = std::min(GlyphEntries.size() - done, kMaxGlyphsPerRecord);
    Engine.WriteByte(kRecordType | kHasXOffset);
    Engine.WriteWord(static_cast<uint16_t>(static_cast<int16_t>(PenX)));
    WriteGlyphEntries(Engine, GlyphEntries.data() + done, count, GlyphBits, AdvanceBits, PenX);
    done += count;
  }
}

void TSWFTextRecord::ReadFromStream(TBitsEngine& Engine, uint8_t Flags, uint8_t GlyphBits,
                                    uint8_t AdvanceBits) {
  if (Flags & kHasFont) SetFontID(Engine.ReadWord());
  if (Flags & kHasColor) {
    if (HasAlpha)
      TextColor().SetRGBA(Engine.ReadRawDWord());
    else
      TextColor().SetColor(Engine.ReadUI24());
  }
  if (Flags & kHasXOffset) SetXOffset(static_cast<int16_t>(Engine.ReadWord()));
  if (Flags & kHasYOffset) SetYOffset(static_cast<int16_t>(Engine.ReadWord()));
  if (Flags & kHasFont) SetTextHeight(Engine.ReadWord());
  uint8_t count = Engine.ReadByte();
  Engine.RequireBytes((uint64_t{count} * (GlyphBits + AdvanceBits) + 7) / 8);
  GlyphEntries.clear();
  GlyphEntries.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    TSWFGlyphEntry entry;
    entry.GlyphIndex = Engine.ReadBits(GlyphBits);
    entry.GlyphAdvance = Engine.ReadSBits(AdvanceBits);
    GlyphEntries.push_back(entry);
  }
  Engine.FlushBits(false);
}

// ---- DefineText / DefineText2 ----

TSWFTextRecord& TSWFDefineText::AddTextRecord() {
  TextRecords.push_back(std::make_unique<TSWFTextRecord>());
  TextRecords.back()->HasAlpha = HasAlpha();
  return *TextRecords.back();
}

void TSWFDefineText::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineText&>(Source);
  CharacterID = source.CharacterID;
  TextBounds = source.TextBounds;
  TextMatrix = source.TextMatrix;
  GlyphBits = source.GlyphBits;
  AdvanceBits = source.AdvanceBits;
  TextRecords.clear();
  for (const auto& record : source.TextRecords) {
    TextRecords.push_back(std::make_unique<TSWFTextRecord>());
    TextRecords.back()->Assign(*record);
  }
}

void TSWFDefineText::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  CharacterID = Engine.ReadWord();
  TextBounds = Engine.ReadRect();
  TextMatrix = Engine.ReadMatrix();
  GlyphBits = Engine.ReadByte();
  AdvanceBits = Engine.ReadByte();
  // Widths past 32 bits cannot be read into a glyph entry.
  if (GlyphBits > 32 || AdvanceBits > 32) throw FormatError("text glyph fields wider than 32 bits");
  TextRecords.clear();
  // Every record takes at least two bytes, so the loop ends with the data.
  while (Engine.Stream().Remaining() > 0) {
    uint8_t flags = Engine.ReadByte();
    if (flags == 0) break;
    TSWFTextRecord& record = AddTextRecord();
    record.ReadFromStream(Engine, flags, GlyphBits, AdvanceBits);
  }
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFDefineText::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(CharacterID);
  Engine.WriteRect(TextBounds);
  Engine.WriteMatrix(TextMatrix);
  Engine.WriteByte(GlyphBits);
  Engine.WriteByte(AdvanceBits);
  int32_t penX = 0;
  for (auto& record : TextRecords) {
    record->HasAlpha = HasAlpha();
    record->WriteToStream(Engine, GlyphBits, AdvanceBits, penX);
  }
  Engine.WriteByte(0);
}

// ---- DefineEditText ----

TSWFRGBA& TSWFDefineEditText::TextColor() {
  if (!textColor_) textColor_ = std::make_unique<TSWFRGBA>();
  HasTextColor = true;
  return *textColor_;
}

void TSWFDefineEditText::SetInitialText(const std::string& Text) {
  initialText_ = Text;
  HasText = true;
}

void TSWFDefineEditText::SetWideInitialText(const std::u16string& Text) {
  wideInitialText_ = Text;
  HasText = true;
}

int TSWFDefineEditText::MinVersion() const {
  if (HasFontClass || (Version >= 9 && !FontClass.empty())) return 9;
  return AutoSize ? 6 : 4;
}

void TSWFDefineEditText::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineEditText&>(Source);
  CharacterID = source.CharacterID;
  Bounds = source.Bounds;
  HasText = source.HasText;
  WordWrap = source.WordWrap;
  Multiline = source.Multiline;
  Password = source.Password;
  ReadOnly = source.ReadOnly;
  HasTextColor = source.HasTextColor;
  HasMaxLength = source.HasMaxLength;
  HasFont = source.HasFont;
  HasFontClass = source.HasFontClass;
  AutoSize = source.AutoSize;
  HasLayout = source.HasLayout;
  NoSelect = source.NoSelect;
  Border = source.Border;
  HTML = source.HTML;
  UseOutlines = source.UseOutlines;
  FontID = source.FontID;
  FontHeight = source.FontHeight;
  FontClass = source.FontClass;
  MaxLength = source.MaxLength;
  Align = source.Align;
  LeftMargin = source.LeftMargin;
  RightMargin = source.RightMargin;
  Indent = source.Indent;
  Leading = source.Leading;
  VariableName = source.VariableName;
  Version = source.Version;
  textColor_ = source.textColor_ ? std::make_unique<TSWFRGBA>(*source.textColor_) : nullptr;
  initialText_ = source.initialText_;
  wideInitialText_ = source.wideInitialText_;
  readStrings_ = source.readStrings_;
  readVariableName_ = source.readVariableName_;
  readInitialText_ = source.readInitialText_;
  wasStatic_ = source.wasStatic_;
}

void TSWFDefineEditText::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  CharacterID = Engine.ReadWord();
  Bounds = Engine.ReadRect();
  uint8_t flags1 = Engine.ReadByte();
  HasText = flags1 & 0x80;
  WordWrap = flags1 & 0x40;
  Multiline = flags1 & 0x20;
  Password = flags1 & 0x10;
  ReadOnly = flags1 & 0x08;
  HasTextColor = flags1 & 0x04;
  HasMaxLength = flags1 & 0x02;
  HasFont = flags1 & 0x01;
  uint8_t flags2 = Engine.ReadByte();
  HasFontClass = Version >= 9 && (flags2 & 0x80);
  AutoSize = flags2 & 0x40;
  HasLayout = flags2 & 0x20;
  NoSelect = flags2 & 0x10;
  Border = flags2 & 0x08;
  wasStatic_ = flags2 & 0x04;
  HTML = flags2 & 0x02;
  UseOutlines = flags2 & 0x01;
  if (HasFont) FontID = Engine.ReadWord();
  if (HasFontClass) FontClass = Engine.ReadString();
  if (HasFont || HasFontClass) FontHeight = Engine.ReadWord();
  if (HasTextColor) {
    uint32_t rgba = Engine.ReadRawDWord();
    TextColor().SetRGBA(rgba);
  }
  if (HasMaxLength) MaxLength = Engine.ReadWord();
  if (HasLayout) {
    Align = Engine.ReadByte();
    LeftMargin = Engine.ReadWord();
    RightMargin = Engine.ReadWord();
    Indent = static_cast<int16_t>(Engine.ReadWord());
    Leading = static_cast<int16_t>(Engine.ReadWord());
  }
  VariableName = Engine.ReadString();
  readVariableName_ = VariableName;
  wideInitialText_.clear();
  initialText_.clear();
  if (HasText) initialText_ = Engine.ReadString();
  readInitialText_ = initialText_;
  readStrings_ = true;
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFDefineEditText::WriteTagBody(TBitsEngine& Engine) {
  const bool utf8 = Version >= 6;
  HasFontClass = Version >= 9 && !FontClass.empty();
  Engine.WriteWord(CharacterID);
  Engine.WriteRect(Bounds);
  Engine.WriteByte(static_cast<uint8_t>((HasText ? 0x80 : 0) | (WordWrap ? 0x40 : 0) |
                                        (Multiline ? 0x20 : 0) | (Password ? 0x10 : 0) |
                                        (ReadOnly ? 0x08 : 0) | (HasTextColor ? 0x04 : 0) |
                                        (HasMaxLength ? 0x02 : 0) | (HasFont ? 0x01 : 0)));
  Engine.WriteByte(static_cast<uint8_t>((HasFontClass ? 0x80 : 0) | (AutoSize ? 0x40 : 0) |
                                        (HasLayout ? 0x20 : 0) | (NoSelect ? 0x10 : 0) |
                                        (Border ? 0x08 : 0) | (wasStatic_ ? 0x04 : 0) |
                                        (HTML ? 0x02 : 0) | (UseOutlines ? 0x01 : 0)));
  if (HasFont) Engine.WriteWord(FontID);
  if (HasFontClass) Engine.WriteString(FontClass);
  // Players read a height after a font class as well as after a font.
  if (HasFont || HasFontClass) Engine.WriteWord(FontHeight);
  if (HasTextColor) {
    TSWFRGBA color = textColor_ ? *textColor_ : TSWFRGBA();
    Engine.WriteRawDWord(color.RGBA());
  }
  if (HasMaxLength) Engine.WriteWord(MaxLength);
  if (HasLayout) {
    Engine.WriteByte(Align);
    Engine.WriteWord(LeftMargin);
    Engine.WriteWord(RightMargin);
    Engine.WriteWord(static_cast<uint16_t>(Indent));
    Engine.WriteWord(static_cast<uint16_t>(Leading));
  }
  if (readStrings_ && VariableName == readVariableName_)
    Engine.WriteString(VariableName);
  else
    Engine.WriteString(VariableName, true, utf8);
  if (!HasText) return;
  if (!wideInitialText_.empty())
    Engine.WriteString(Utf16ToUtf8(wideInitialText_));
  else if (readStrings_ && initialText_ == readInitialText_)
    Engine.WriteString(initialText_);
  else
    Engine.WriteString(initialText_, true, utf8 && !HTML);
}

// ---- CSMTextSettings ----

void TSWFCSMTextSettings::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFCSMTextSettings&>(Source);
  TextID = source.TextID;
  UseFlashType = source.UseFlashType;
  GridFit = source.GridFit;
  Thickness = source.Thickness;
  Sharpness = source.Sharpness;
}

void TSWFCSMTextSettings::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  TextID = Engine.ReadWord();
  uint8_t flags = Engine.ReadByte();
  UseFlashType = flags >> 6;
  GridFit = (flags >> 3) & 0x07;
  Thickness = Engine.ReadSingle();
  Sharpness = Engine.ReadSingle();
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFCSMTextSettings::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(TextID);
  Engine.WriteBits(UseFlashType, 2);
  Engine.WriteBits(GridFit, 3);
  Engine.FlushBits(true);
  Engine.WriteSingle(Thickness);
  Engine.WriteSingle(Sharpness);
  Engine.WriteByte(0);
}

}  // namespace orvanta
