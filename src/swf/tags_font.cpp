#include "swf/tags_font.h"

#include <algorithm>
#include <span>

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

// Leaves the stream at the declared end of a body that started at Start.
void SkipToBodyEnd(TBitsEngine& Engine, uint64_t Start, uint32_t BodySize) {
  Engine.FlushBits(false);
  uint64_t end = std::min<uint64_t>(Start + BodySize, Engine.Stream().Size());
  if (end > Engine.Stream().Position()) Engine.Stream().SetPosition(end);
}

// A name field of at most 255 bytes (its length is one byte); UTF-8 is cut at a character
// boundary so that the stored name stays decodable.
std::string NameBytes(const std::string& Name, bool UTF8) {
  std::string bytes = UTF8 ? Cp1252ToUtf8(Name) : Name;
  if (bytes.size() <= 255) return bytes;
  size_t cut = 255;
  if (UTF8)
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;
  bytes.resize(cut);
  return bytes;
}

void WriteLengthName(TBitsEngine& Engine, const std::string& Bytes) {
  Engine.WriteByte(static_cast<uint8_t>(Bytes.size()));
  Engine.WriteBuffer(Bytes.data(), Bytes.size());
}

std::string ReadLengthName(TBitsEngine& Engine) {
  uint8_t length = Engine.ReadByte();
  return Engine.ReadFixedString(length);
}

// One glyph: the widths byte (one fill bit, no line bits) and its records, byte-aligned. With
// SelectFill a first record that selects no fill is made to select fill 1, which is what
// players fill a DefineFont2 glyph with.
void WriteGlyph(TBitsEngine& Engine, TSWFShapeRecordList& Records, bool SelectFill) {
  Engine.WriteByte(0x10);
  for (size_t i = 0; i < Records.size(); ++i) {
    TSWFShapeRecord& record = *Records[i];
    if (record.Kind == TShapeRecordKind::StyleChange) {
      auto& style = static_cast<TSWFStyleChangeRecord&>(record);
      style.FillBits = 1;
      style.LineBits = 0;
      bool selectsFill = (style.StateFillStyle0 && style.FillStyle0() != 0) ||
                         (style.StateFillStyle1 && style.FillStyle1() != 0);
      if (SelectFill && i == 0 && !selectsFill) {
        style.SetFillStyle1(1);
        style.StateFillStyle1 = true;
        style.StateFillStyle0 = false;
        style.StateLineStyle = true;
      }
    }
    record.WriteToStream(Engine);
  }
  if (Records.empty() || Records.back()->Kind != TShapeRecordKind::End) Engine.WriteBits(0, 6);
  Engine.FlushBits(true);
}

// Reads the glyphs whose offsets (from TableStart) are given; Offsets may go on past Count with
// the code table offset. A glyph runs to its end record, but never past the next offset above
// its own: files exist whose glyphs share bytes or stand out of order, and others whose glyphs
// have no end record, where reading on would take the next glyph's records as well. Offsets
// that all point at the same large glyph could make a small body expand into many copies of
// it, so the bytes read for all glyphs together are limited.
void ReadGlyphs(TBitsEngine& Engine, uint64_t TableStart, uint64_t BodyEnd,
                const std::vector<uint32_t>& Offsets, size_t Count, TSWFGlyphShapeTable& Out) {
  TStream& stream = Engine.Stream();
  Out.clear();
  Out.reserve(Count);
  std::vector<uint8_t> area(static_cast<size_t>(BodyEnd - TableStart));
  stream.SetPosition(TableStart);
  stream.ReadBuffer(area.data(), area.size());
  std::vector<uint32_t> starts(Offsets.begin(), Offsets.end());
  std::sort(starts.begin(), starts.end());
  const uint64_t budget = 16 * uint64_t{area.size()} + 65536;
  uint64_t used = 0;
  for (size_t i = 0; i < Count; ++i) {
    if (Offsets[i] > area.size())
      throw FormatError("glyph " + std::to_string(i) + " starts outside the font tag");
    Out.emplace_back();
    auto next = std::upper_bound(starts.begin(), starts.end(), Offsets[i]);
    size_t limit = next != starts.end() && *next <= area.size() ? *next : area.size();
    TMemoryViewStream glyphStream(
        std::span<const uint8_t>(area).subspan(Offsets[i], limit - Offsets[i]));
    if (glyphStream.Size() == 0) continue;
    TBitsEngine glyph(glyphStream);
    uint8_t widths = glyph.ReadByte();
    ReadShapeRecords(glyph, Out.back(), widths >> 4, widths & 0x0F, nullptr);
    used += glyphStream.Position();
    if (used > budget) throw FormatError("font glyph offsets repeat the same data too often");
  }
}

}  // namespace

// ---- DefineFont ----

void TSWFDefineFont::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineFont&>(Source);
  FontID = source.FontID;
  GlyphShapeTable.clear();
  GlyphShapeTable.resize(source.GlyphShapeTable.size());
  for (size_t i = 0; i < GlyphShapeTable.size(); ++i)
    CopyShapeRecords(source.GlyphShapeTable[i], GlyphShapeTable[i]);
}

void TSWFDefineFont::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  const uint64_t bodyEnd = std::min<uint64_t>(start + BodySize, Engine.Stream().Size());
  FontID = Engine.ReadWord();
  GlyphShapeTable.clear();
  const uint64_t tableStart = Engine.Stream().Position();
  if (tableStart >= bodyEnd) return;
  uint16_t first = Engine.ReadWord();
  size_t count = first / 2;
  if (count > 0) {
    Engine.RequireBytes(2 * (uint64_t{count} - 1));
    std::vector<uint32_t> offsets{first};
    for (size_t i = 1; i < count; ++i) offsets.push_back(Engine.ReadWord());
    ReadGlyphs(Engine, tableStart, bodyEnd, offsets, count, GlyphShapeTable);
  }
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFDefineFont::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(FontID);
  if (GlyphShapeTable.empty()) {
    Engine.WriteWord(0);
    return;
  }
  TStream& stream = Engine.Stream();
  const uint64_t tableStart = stream.Position();
  for (size_t i = 0; i < GlyphShapeTable.size(); ++i) Engine.WriteWord(0);
  std::vector<uint16_t> offsets;
  for (auto& glyph : GlyphShapeTable) {
    offsets.push_back(static_cast<uint16_t>(stream.Position() - tableStart));
    WriteGlyph(Engine, glyph, false);
  }
  const uint64_t end = stream.Position();
  stream.SetPosition(tableStart);
  for (uint16_t offset : offsets) Engine.WriteWord(offset);
  stream.SetPosition(end);
}

// ---- DefineFontInfo / DefineFontInfo2 ----

void TSWFDefineFontInfo::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineFontInfo&>(Source);
  FontID = source.FontID;
  FontName = source.FontName;
  FontFlagsSmallText = source.FontFlagsSmallText;
  FontFlagsShiftJIS = source.FontFlagsShiftJIS;
  FontFlagsANSI = source.FontFlagsANSI;
  FontFlagsItalic = source.FontFlagsItalic;
  FontFlagsBold = source.FontFlagsBold;
  FontFlagsWideCodes = source.FontFlagsWideCodes;
  CodeTable = source.CodeTable;
  Version = source.Version;
  ReadGlyphCount = source.ReadGlyphCount;
  readName_ = source.readName_;
  readNameText_ = source.readNameText_;
  hasReadName_ = source.hasReadName_;
}

void TSWFDefineFontInfo::ReadName(TBitsEngine& Engine) {
  readName_ = ReadLengthName(Engine);
  FontName = NameIsUTF8() ? Utf8ToCp1252(readName_) : readName_;
  readNameText_ = FontName;
  hasReadName_ = true;
}

void TSWFDefineFontInfo::WriteName(TBitsEngine& Engine) {
  // A read name goes back byte for byte: converting it would lose what cp1252 cannot hold.
  if (hasReadName_ && FontName == readNameText_)
    WriteLengthName(Engine, readName_);
  else
    WriteLengthName(Engine, NameBytes(FontName, NameIsUTF8()));
}

uint8_t TSWFDefineFontInfo::FlagsByte(bool wideCodes) const {
  return static_cast<uint8_t>((FontFlagsSmallText ? 0x20 : 0) | (FontFlagsShiftJIS ? 0x10 : 0) |
                              (FontFlagsANSI ? 0x08 : 0) | (FontFlagsItalic ? 0x04 : 0) |
                              (FontFlagsBold ? 0x02 : 0) | (wideCodes ? 0x01 : 0));
}

void TSWFDefineFontInfo::SetFlags(uint8_t flags) {
  FontFlagsSmallText = flags & 0x20;
  FontFlagsShiftJIS = flags & 0x10;
  FontFlagsANSI = flags & 0x08;
  FontFlagsItalic = flags & 0x04;
  FontFlagsBold = flags & 0x02;
  FontFlagsWideCodes = flags & 0x01;
}

void TSWFDefineFontInfo::ReadCodes(TBitsEngine& Engine, bool wide) {
  const unsigned width = wide ? 2 : 1;
  uint64_t count;
  if (ReadGlyphCount >= 0) {
    count = static_cast<uint64_t>(ReadGlyphCount);
    Engine.RequireBytes(count * width);
  } else {
    count = Engine.Stream().Remaining() / width;
  }
  CodeTable.clear();
  CodeTable.reserve(static_cast<size_t>(count));
  for (uint64_t i = 0; i < count; ++i)
    CodeTable.push_back(wide ? Engine.ReadWord() : Engine.ReadByte());
}

void TSWFDefineFontInfo::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  FontID = Engine.ReadWord();
  ReadName(Engine);
  SetFlags(Engine.ReadByte());
  ReadCodes(Engine, FontFlagsWideCodes);
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFDefineFontInfo::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(FontID);
  WriteName(Engine);
  Engine.WriteByte(FlagsByte(FontFlagsWideCodes));
  for (uint16_t code : CodeTable) {
    if (FontFlagsWideCodes)
      Engine.WriteWord(code);
    else
      Engine.WriteByte(static_cast<uint8_t>(code));
  }
}

void TSWFDefineFontInfo2::Assign(const TBasedSWFObject& Source) {
  TSWFDefineFontInfo::Assign(Source);
  if (auto* source = dynamic_cast<const TSWFDefineFontInfo2*>(&Source))
    LanguageCode = source->LanguageCode;
}

void TSWFDefineFontInfo2::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  FontID = Engine.ReadWord();
  ReadName(Engine);
  SetFlags(Engine.ReadByte());
  LanguageCode = Engine.ReadByte();
  ReadCodes(Engine, true);
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFDefineFontInfo2::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(FontID);
  WriteName(Engine);
  Engine.WriteByte(FlagsByte(true));
  Engine.WriteByte(LanguageCode);
  for (uint16_t code : CodeTable) Engine.WriteWord(code);
}

// ---- DefineFont2 / DefineFont3 ----

void TSWFDefineFont2::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineFont2&>(Source);
  FontID = source.FontID;
  GlyphShapeTable.clear();
  GlyphShapeTable.resize(source.GlyphShapeTable.size());
  for (size_t i = 0; i < GlyphShapeTable.size(); ++i)
    CopyShapeRecords(source.GlyphShapeTable[i], GlyphShapeTable[i]);
  CodeTable = source.CodeTable;
  FontAdvanceTable = source.FontAdvanceTable;
  FontAscent = source.FontAscent;
  FontDescent = source.FontDescent;
  FontLeading = source.FontLeading;
  FontBoundsTable = source.FontBoundsTable;
  FontFlagsHasLayout = source.FontFlagsHasLayout;
  FontFlagsShiftJIS = source.FontFlagsShiftJIS;
  FontFlagsSmallText = source.FontFlagsSmallText;
  FontFlagsANSI = source.FontFlagsANSI;
  FontFlagsWideCodes = source.FontFlagsWideCodes;
  FontFlagsWideOffsets = source.FontFlagsWideOffsets;
  FontFlagsItalic = source.FontFlagsItalic;
  FontFlagsBold = source.FontFlagsBold;
  FontKerningTable = source.FontKerningTable;
  FontName = source.FontName;
  LanguageCode = source.LanguageCode;
  Version = source.Version;
}

void TSWFDefineFont2::ReadFromStream(TBitsEngine& Engine) {
  TStream& stream = Engine.Stream();
  const uint64_t start = stream.Position();
  const uint64_t bodyEnd = std::min<uint64_t>(start + BodySize, stream.Size());
  FontID = Engine.ReadWord();
  uint8_t flags = Engine.ReadByte();
  FontFlagsHasLayout = flags & 0x80;
  FontFlagsShiftJIS = flags & 0x40;
  FontFlagsSmallText = flags & 0x20;
  FontFlagsANSI = flags & 0x10;
  FontFlagsWideOffsets = flags & 0x08;
  FontFlagsWideCodes = flags & 0x04;
  FontFlagsItalic = flags & 0x02;
  FontFlagsBold = flags & 0x01;
  LanguageCode = Engine.ReadByte();
  std::string name = ReadLengthName(Engine);
  FontName = Version >= 6 ? Utf8ToCp1252(name) : name;
  const size_t numGlyphs = Engine.ReadWord();

  const unsigned offsetWidth = FontFlagsWideOffsets ? 4 : 2;
  const uint64_t tableStart = stream.Position();
  GlyphShapeTable.clear();
  if (numGlyphs > 0) {
    Engine.RequireBytes((uint64_t{numGlyphs} + 1) * offsetWidth);
    std::vector<uint32_t> offsets(numGlyphs + 1);
    for (uint32_t& offset : offsets)
      offset = FontFlagsWideOffsets ? Engine.ReadDWord() : Engine.ReadWord();
    ReadGlyphs(Engine, tableStart, bodyEnd, offsets, numGlyphs, GlyphShapeTable);
    const uint64_t codeTable = tableStart + offsets[numGlyphs];
    if (codeTable > bodyEnd) throw FormatError("the font's code table starts outside the tag");
    stream.SetPosition(codeTable);
  } else if (stream.Position() + offsetWidth <= bodyEnd) {
    // A font without glyphs may end here (device fonts of most writers) or carry the code
    // table offset alone, which then equals its own width; layout data cannot be told from it
    // otherwise.
    uint32_t offset = FontFlagsWideOffsets ? Engine.ReadDWord() : Engine.ReadWord();
    if (FontFlagsHasLayout && offset != offsetWidth) stream.SetPosition(tableStart);
  }
  Engine.RequireBytes(uint64_t{numGlyphs} * (FontFlagsWideCodes ? 2 : 1));
  CodeTable.clear();
  CodeTable.reserve(numGlyphs);
  for (size_t i = 0; i < numGlyphs; ++i)
    CodeTable.push_back(FontFlagsWideCodes ? Engine.ReadWord() : Engine.ReadByte());

  FontAdvanceTable.clear();
  FontBoundsTable.clear();
  FontKerningTable.clear();
  if (FontFlagsHasLayout && (numGlyphs > 0 || stream.Position() < bodyEnd)) {
    FontAscent = Engine.ReadWord();
    FontDescent = Engine.ReadWord();
    FontLeading = static_cast<int16_t>(Engine.ReadWord());
    Engine.RequireBytes(uint64_t{numGlyphs} * 2);
    FontAdvanceTable.reserve(numGlyphs);
    for (size_t i = 0; i < numGlyphs; ++i)
      FontAdvanceTable.push_back(static_cast<int16_t>(Engine.ReadWord()));
    // Every RECT takes at least one byte.
    Engine.RequireBytes(numGlyphs);
    FontBoundsTable.reserve(numGlyphs);
    for (size_t i = 0; i < numGlyphs; ++i) FontBoundsTable.push_back(Engine.ReadRect());
    // Some writers leave the kerning count out when there is no kerning.
    if (stream.Position() + 2 <= bodyEnd) {
      uint16_t kerningCount = Engine.ReadWord();
      Engine.RequireBytes(uint64_t{kerningCount} * (FontFlagsWideCodes ? 6 : 4));
      FontKerningTable.reserve(kerningCount);
      for (uint16_t i = 0; i < kerningCount; ++i) {
        TSWFKerningRecord kerning;
        kerning.FontKerningCode1 = FontFlagsWideCodes ? Engine.ReadWord() : Engine.ReadByte();
        kerning.FontKerningCode2 = FontFlagsWideCodes ? Engine.ReadWord() : Engine.ReadByte();
        kerning.FontKerningAdjustment = static_cast<int16_t>(Engine.ReadWord());
        FontKerningTable.push_back(kerning);
      }
    }
  }
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFDefineFont2::WriteTagBody(TBitsEngine& Engine) {
  const size_t numGlyphs = std::min<size_t>(CodeTable.size(), UINT16_MAX);
  const bool hasLayout = FontFlagsHasLayout && numGlyphs > 0;
  if (numGlyphs == 0) FontFlagsANSI = true;

  // The glyphs go to a buffer first: whether 2-byte offsets can reach them is known only then.
  TMemoryStream glyphData;
  TBitsEngine glyphs(glyphData);
  std::vector<uint32_t> offsets;
  offsets.reserve(numGlyphs + 1);
  TSWFShapeRecordList empty;
  for (size_t i = 0; i < numGlyphs; ++i) {
    offsets.push_back(static_cast<uint32_t>(glyphData.Size()));
    WriteGlyph(glyphs, i < GlyphShapeTable.size() ? GlyphShapeTable[i] : empty, true);
  }
  offsets.push_back(static_cast<uint32_t>(glyphData.Size()));
  FontFlagsWideOffsets = numGlyphs > 128 || 2 * (numGlyphs + 1) + glyphData.Size() > UINT16_MAX;
  const uint32_t tableSize =
      static_cast<uint32_t>((numGlyphs + 1) * (FontFlagsWideOffsets ? 4 : 2));

  Engine.WriteWord(FontID);
  Engine.WriteByte(static_cast<uint8_t>(
      (hasLayout ? 0x80 : 0) | (FontFlagsShiftJIS ? 0x40 : 0) | (FontFlagsSmallText ? 0x20 : 0) |
      (FontFlagsANSI ? 0x10 : 0) | (FontFlagsWideOffsets ? 0x08 : 0) |
      (FontFlagsWideCodes ? 0x04 : 0) | (FontFlagsItalic ? 0x02 : 0) | (FontFlagsBold ? 0x01 : 0)));
  Engine.WriteByte(LanguageCode);
  WriteLengthName(Engine, NameBytes(FontName, Version >= 6));
  Engine.WriteWord(static_cast<uint16_t>(numGlyphs));
  for (uint32_t offset : offsets) {
    if (FontFlagsWideOffsets)
      Engine.WriteDWord(offset + tableSize);
    else
      Engine.WriteWord(static_cast<uint16_t>(offset + tableSize));
  }
  Engine.WriteBuffer(glyphData.Bytes().data(), glyphData.Bytes().size());
  for (size_t i = 0; i < numGlyphs; ++i) {
    if (FontFlagsWideCodes)
      Engine.WriteWord(CodeTable[i]);
    else
      Engine.WriteByte(static_cast<uint8_t>(CodeTable[i]));
  }
  if (!hasLayout) return;
  Engine.WriteWord(FontAscent);
  Engine.WriteWord(FontDescent);
  Engine.WriteWord(static_cast<uint16_t>(FontLeading));
  // The tables are as long as the glyph list, whatever the caller filled in.
  for (size_t i = 0; i < numGlyphs; ++i)
    Engine.WriteWord(static_cast<uint16_t>(i < FontAdvanceTable.size() ? FontAdvanceTable[i] : 0));
  for (size_t i = 0; i < numGlyphs; ++i)
    Engine.WriteRect(i < FontBoundsTable.size() ? FontBoundsTable[i] : TSWFRect());
  Engine.WriteWord(static_cast<uint16_t>(std::min<size_t>(FontKerningTable.size(), UINT16_MAX)));
  for (size_t i = 0; i < FontKerningTable.size() && i < UINT16_MAX; ++i) {
    const TSWFKerningRecord& kerning = FontKerningTable[i];
    if (FontFlagsWideCodes) {
      Engine.WriteWord(kerning.FontKerningCode1);
      Engine.WriteWord(kerning.FontKerningCode2);
    } else {
      Engine.WriteByte(static_cast<uint8_t>(kerning.FontKerningCode1));
      Engine.WriteByte(static_cast<uint8_t>(kerning.FontKerningCode2));
    }
    Engine.WriteWord(static_cast<uint16_t>(kerning.FontKerningAdjustment));
  }
}

// ---- DefineFontAlignZones ----

void TSWFDefineFontAlignZones::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineFontAlignZones&>(Source);
  FontID = source.FontID;
  CSMTableHint = source.CSMTableHint;
  ZoneTable = source.ZoneTable;
}

void TSWFDefineFontAlignZones::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  const uint64_t bodyEnd = std::min<uint64_t>(start + BodySize, Engine.Stream().Size());
  FontID = Engine.ReadWord();
  CSMTableHint = Engine.ReadByte() >> 6;
  ZoneTable.clear();
  while (Engine.Stream().Position() < bodyEnd) {
    TSWFZoneRecord zone;
    zone.NumZoneData = Engine.ReadByte();
    Engine.RequireBytes(uint64_t{zone.NumZoneData} * 4 + 1);
    for (unsigned i = 0; i < zone.NumZoneData; ++i) {
      TSWFZoneData data;
      data.AlignmentCoordinate = Engine.ReadWord();
      data.Range = Engine.ReadWord();
      zone.ZoneData.push_back(data);
    }
    uint8_t masks = Engine.ReadByte();
    zone.ZoneMaskY = masks & 0x02;
    zone.ZoneMaskX = masks & 0x01;
    ZoneTable.push_back(std::move(zone));
  }
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFDefineFontAlignZones::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(FontID);
  Engine.WriteByte(static_cast<uint8_t>((CSMTableHint & 0x03) << 6));
  for (const TSWFZoneRecord& zone : ZoneTable) {
    Engine.WriteByte(zone.NumZoneData);
    for (unsigned i = 0; i < zone.NumZoneData; ++i) {
      TSWFZoneData data = i < zone.ZoneData.size() ? zone.ZoneData[i] : TSWFZoneData();
      Engine.WriteWord(data.AlignmentCoordinate);
      Engine.WriteWord(data.Range);
    }
    Engine.WriteByte(
        static_cast<uint8_t>((zone.ZoneMaskY ? 0x02 : 0) | (zone.ZoneMaskX ? 0x01 : 0)));
  }
}

// ---- DefineFontName ----

void TSWFDefineFontName::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineFontName&>(Source);
  FontID = source.FontID;
  FontName = source.FontName;
  FontCopyright = source.FontCopyright;
}

void TSWFDefineFontName::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  FontID = Engine.ReadWord();
  FontName = Engine.ReadString();
  FontCopyright = Engine.ReadString();
  SkipToBodyEnd(Engine, start, BodySize);
}

void TSWFDefineFontName::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(FontID);
  Engine.WriteString(FontName);
  Engine.WriteString(FontCopyright);
}

}  // namespace orvanta
