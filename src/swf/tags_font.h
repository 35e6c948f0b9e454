#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "swf/swf_object.h"
#include "swf/swf_records.h"
#include "swf/tags_shape.h"

namespace orvanta {

// One outline per glyph, in the glyph's em square (1024 units for DefineFont and DefineFont2).
using TSWFGlyphShapeTable = std::vector<TSWFShapeRecordList>;

// DefineFont (10): glyph outlines only; names and codes come in a DefineFontInfo.
class TSWFDefineFont : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineFont);
  TSWFDefineFont() : TSWFObject(kTagID) {}

  uint16_t FontID = 0;
  TSWFGlyphShapeTable GlyphShapeTable;

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// DefineFontInfo (13): name, style and one code per glyph of a DefineFont.
class TSWFDefineFontInfo : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineFontInfo);
  TSWFDefineFontInfo() : TSWFObject(kTagID) {}

  uint16_t FontID = 0;
  // cp1252; written as UTF-8 from version 6.
  std::string FontName;
  bool FontFlagsSmallText = false;
  bool FontFlagsShiftJIS = false;
  bool FontFlagsANSI = false;
  bool FontFlagsItalic = false;
  bool FontFlagsBold = false;
  bool FontFlagsWideCodes = false;
  std::vector<uint16_t> CodeTable;
  // The SWF version the tag is written for (or was read from): decides the name encoding.
  uint8_t Version = 6;
  // Reading only: the glyph count of the DefineFont this tag describes, which the tag does not
  // carry itself. The reader sets it from the last DefineFont it read; -1 takes every code the
  // body holds.
  int32_t ReadGlyphCount = -1;

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  explicit TSWFDefineFontInfo(uint16_t Code) : TSWFObject(Code) {}
  virtual bool NameIsUTF8() const { return Version >= 6; }
  void ReadName(TBitsEngine& Engine);
  void WriteName(TBitsEngine& Engine);
  uint8_t FlagsByte(bool wideCodes) const;
  void SetFlags(uint8_t flags);
  void ReadCodes(TBitsEngine& Engine, bool wide);

 private:
  // The name bytes as read, written back unchanged while FontName is the name they gave.
  std::string readName_;
  std::string readNameText_;
  bool hasReadName_ = false;
};

// DefineFontInfo2 (62): the name always in UTF-8, wide codes always, and a language code.
class TSWFDefineFontInfo2 : public TSWFDefineFontInfo {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineFontInfo2);
  TSWFDefineFontInfo2() : TSWFDefineFontInfo(kTagID) { FontFlagsWideCodes = true; }

  uint8_t LanguageCode = 0;

  int MinVersion() const override { return 6; }
  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  bool NameIsUTF8() const override { return true; }
};

struct TSWFKerningRecord {
  uint16_t FontKerningCode1 = 0;
  uint16_t FontKerningCode2 = 0;
  int16_t FontKerningAdjustment = 0;
  bool operator==(const TSWFKerningRecord&) const = default;
};

// DefineFont2 (48): outlines, codes, name and style in one tag, with optional layout (ascent,
// descent, leading, advances, bounds and kerning).
class TSWFDefineFont2 : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineFont2);
  TSWFDefineFont2() : TSWFObject(kTagID) {}

  uint16_t FontID = 0;
  TSWFGlyphShapeTable GlyphShapeTable;
  // One code per glyph, ascending.
  std::vector<uint16_t> CodeTable;
  std::vector<int16_t> FontAdvanceTable;
  uint16_t FontAscent = 0;
  uint16_t FontDescent = 0;
  int16_t FontLeading = 0;
  std::vector<TSWFRect> FontBoundsTable;
  // Layout is written only for a font with glyphs.
  bool FontFlagsHasLayout = false;
  bool FontFlagsShiftJIS = false;
  bool FontFlagsSmallText = false;
  // Forced on when written without glyphs.
  bool FontFlagsANSI = false;
  bool FontFlagsWideCodes = false;
  // Recomputed on every write: 4-byte offsets when there are more than 128 glyphs, or when the
  // glyph data outgrows 2-byte offsets.
  bool FontFlagsWideOffsets = false;
  bool FontFlagsItalic = false;
  bool FontFlagsBold = false;
  std::vector<TSWFKerningRecord> FontKerningTable;
  // cp1252; written as UTF-8 from version 6.
  std::string FontName;
  uint8_t LanguageCode = 0;
  // The SWF version the tag is written for (or was read from): decides the name encoding.
  uint8_t Version = 6;

  int MinVersion() const override { return 3; }
  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  explicit TSWFDefineFont2(uint16_t Code) : TSWFObject(Code) {}
};

// DefineFont3 (75): the DefineFont2 layout with a 20480-unit em square; wide codes by default.
class TSWFDefineFont3 : public TSWFDefineFont2 {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineFont3);
  TSWFDefineFont3() : TSWFDefineFont2(kTagID) { FontFlagsWideCodes = true; }

  int MinVersion() const override { return 8; }
};

// Two 16-bit values kept as stored (half-precision floats in the file).
struct TSWFZoneData {
  uint16_t AlignmentCoordinate = 0;
  uint16_t Range = 0;
  bool operator==(const TSWFZoneData&) const = default;
};

struct TSWFZoneRecord {
  // Written as stored; the entries written are exactly this many (missing ones as zeros).
  uint8_t NumZoneData = 0;
  std::vector<TSWFZoneData> ZoneData;
  bool ZoneMaskY = false;
  bool ZoneMaskX = false;
  bool operator==(const TSWFZoneRecord&) const = default;
};

// DefineFontAlignZones (73): advanced anti-aliasing hints, one zone record per glyph.
class TSWFDefineFontAlignZones : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineFontAlignZones);
  TSWFDefineFontAlignZones() : TSWFObject(kTagID) {}

  uint16_t FontID = 0;
  uint8_t CSMTableHint = 0;  // 2 bits
  std::vector<TSWFZoneRecord> ZoneTable;

  int MinVersion() const override { return 8; }
  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// DefineFontName (88): the full name and copyright of a font, unconverted.
class TSWFDefineFontName : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineFontName);
  TSWFDefineFontName() : TSWFObject(kTagID) {}

  uint16_t FontID = 0;
  std::string FontName;
  std::string FontCopyright;

  int MinVersion() const override { return 9; }
  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

}  // namespace orvanta
