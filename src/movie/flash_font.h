#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "movie/flash_edges.h"
#include "movie/flash_object.h"
#include "platform/font_engine.h"
#include "swf/tags_font.h"
#include "swf/tags_shape.h"

namespace orvanta {

// One character of an embedded font, with its outline at em 1024 once extracted.
class TFlashChar {
 public:
  TFlashChar(uint16_t code, bool isWide);
  TFlashChar(const TFlashChar&) = delete;
  TFlashChar& operator=(const TFlashChar&) = delete;

  // The code as given: a cp1252 code, or a Unicode value for wide fonts.
  uint16_t Code;
  // The outline, y down; declared before Edges, which appends to it from its construction.
  TSWFShapeRecordList GlyphRecords;
  // The pen that draws the outline, in raw em units (no owner, so no unit scale).
  TFlashEdges Edges;
  int32_t Advance = 0;  // em units of 1024
  // Set on creation and whenever the character is added again.
  bool Used = true;
  TSWFKerningRecord Kerning;
  bool HasOutline = false;
  bool IsWide;
  // The Unicode value: Code itself for wide characters, else Code through cp1252.
  uint16_t WideCode;
};

// Usage bits of a font.
enum : uint8_t {
  kFontUsedByStaticText = 1,   // needs outlines
  kFontUsedByDynamicText = 2,  // needs layout
};

// A system font embedded as one DefineFont2: the characters the movie's texts use, with their
// outlines and advances taken from the platform font at em 1024.
class TFlashFont : public TFlashIDObject {
 public:
  // Size is in the owner's units (pixels with pixel units) and kept in twips.
  TFlashFont(TFlashMovie* owner, bool asDevice, const std::string& name, bool bold, bool italic,
             uint16_t size);
  ~TFlashFont() override;

  int16_t Ascent = 0;  // em units of 1024
  // A device font: no outlines unless a static text needs them.
  bool AsDevice;
  bool Bold;
  // Kept in ascending order (of Unicode value); see AddChar.
  std::vector<std::unique_ptr<TFlashChar>> Chars;
  int16_t Descent = 0;
  // 0 ANSI codes, 1 Shift-JIS, 2 wide (Unicode) codes.
  uint8_t Encoding = 0;
  uint8_t Charset = kAnsiCharset;
  // Used instead of a description built from Name and style when its face name is set.
  TLogFont LogFont;
  bool HasLayout = false;
  bool UseKerning = false;
  bool Italic;
  uint8_t LanguageCode = 0;
  int16_t Leading = 0;  // internal leading, em units of 1024
  std::string Name;     // cp1252
  uint16_t Size;        // twips with pixel units
  bool SmallText = false;
  // kFontUsedBy* bits.
  uint8_t Usage = 0;
  // A character above 255 or Unicode text was added.
  bool HasWideChars = false;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 3; }
  void WriteToStream(TBitsEngine& Engine) override;

  // Maps a platform character set to LanguageCode and Encoding.
  void SetCharset(uint8_t charset);
  // Turning layout on for the first time reads the metrics.
  void SetLayout(bool on);
  // Every cp1252 character of Text; in a font that already has wide characters they are added
  // by their Unicode values, so that they meet the same characters of Unicode text.
  void AddChars(const std::string& text);
  void AddWideChars(const std::u16string& text);
  // True when the character was new; a known one is marked used again.
  bool AddChar(uint16_t code);
  TFlashChar* FindChar(uint16_t code) const;
  // The character that shows Unicode value Code, found by code or by Unicode value.
  TFlashChar* FindUnicodeChar(char16_t code) const;
  // Extracts the outline and advance of every used character that has none yet.
  void MakeGlyphs();
  // Width and height at the font's Size.
  TTextSize TextExtent(const std::string& text);
  TTextSize TextExtent(const std::u16string& text);
  bool HasWide() const;

  // The written glyphs: the used characters in ascending order of the code written. A
  // character's glyph index is its position here.
  std::vector<TFlashChar*> WrittenChars() const;
  bool WritesWideCodes() const;
  uint16_t WrittenCode(const TFlashChar& ch) const;
  // The platform font at em 1024, created on first use.
  TPlatformFont& PlatformFont();
  // Reads Ascent, Descent and Leading from the platform font.
  void ReadMetrics();

 private:
  TLogFont BuildLogFont() const;
  void MakeGlyph(TFlashChar& ch);

  std::unique_ptr<TPlatformFont> platformFont_;
  bool metricsRead_ = false;
};

}  // namespace orvanta
