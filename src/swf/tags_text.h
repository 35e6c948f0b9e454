#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "swf/swf_object.h"
#include "swf/swf_records.h"

namespace orvanta {

struct TSWFGlyphEntry {
  uint32_t GlyphIndex = 0;
  int32_t GlyphAdvance = 0;
  bool operator==(const TSWFGlyphEntry&) const = default;
};

// One run of glyphs in a static text, with the style changes that start it.
class TSWFTextRecord {
 public:
  TSWFTextRecord() = default;
  TSWFTextRecord(const TSWFTextRecord&) = delete;
  TSWFTextRecord& operator=(const TSWFTextRecord&) = delete;

  bool StyleFlagsHasFont = false;
  bool StyleFlagsHasColor = false;
  bool StyleFlagsHasXOffset = false;
  bool StyleFlagsHasYOffset = false;
  std::vector<TSWFGlyphEntry> GlyphEntries;
  // Set by the owning tag: colours are RGBA in DefineText2.
  bool HasAlpha = false;

  // Setting the font or the height raises StyleFlagsHasFont; setting an offset its flag.
  uint16_t FontID() const { return fontID_; }
  void SetFontID(uint16_t V);
  // The id field itself, for renumbering a read record (whose flag is already set).
  uint16_t& FontIDField() { return fontID_; }
  uint16_t TextHeight() const { return textHeight_; }
  void SetTextHeight(uint16_t V);
  int16_t XOffset() const { return xOffset_; }
  void SetXOffset(int16_t V);
  int16_t YOffset() const { return yOffset_; }
  void SetYOffset(int16_t V);
  // Created on first access, which sets StyleFlagsHasColor.
  TSWFRGBA& TextColor();
  const TSWFRGBA* ExistingTextColor() const { return textColor_.get(); }

  void Assign(const TSWFTextRecord& Source);
  // Writes the record with at most 255 glyphs (the count is one byte). The glyphs past those go
  // into records of their own that carry only the x position where the previous one ended;
  // PenX is that position, kept across the records of a text.
  void WriteToStream(TBitsEngine& Engine, uint8_t GlyphBits, uint8_t AdvanceBits,
                     int32_t& PenX) const;
  // Reads the rest of a record whose first byte was Flags.
  void ReadFromStream(TBitsEngine& Engine, uint8_t Flags, uint8_t GlyphBits, uint8_t AdvanceBits);

 private:
  uint16_t fontID_ = 0;
  uint16_t textHeight_ = 0;
  int16_t xOffset_ = 0;
  int16_t yOffset_ = 0;
  std::unique_ptr<TSWFRGBA> textColor_;
};

using TSWFTextRecordList = std::vector<std::unique_ptr<TSWFTextRecord>>;

// DefineText (11) and, with RGBA colours, DefineText2 (33): static text made of glyph records.
class TSWFDefineText : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineText);
  TSWFDefineText() : TSWFObject(kTagID) {}

  uint16_t CharacterID = 0;
  TSWFRect TextBounds;
  TSWFMatrix TextMatrix;
  // Written as stored: they must hold every glyph index (unsigned) and advance (signed).
  uint8_t GlyphBits = 0;
  uint8_t AdvanceBits = 0;
  TSWFTextRecordList TextRecords;

  bool HasAlpha() const { return TagID == ToCode(TTagCode::DefineText2); }
  TSWFTextRecord& AddTextRecord();

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  explicit TSWFDefineText(uint16_t Code) : TSWFObject(Code) {}
};

class TSWFDefineText2 : public TSWFDefineText {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineText2);
  TSWFDefineText2() : TSWFDefineText(kTagID) {}
  int MinVersion() const override { return 3; }
};

// DefineEditText (37): a text field.
class TSWFDefineEditText : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineEditText);
  TSWFDefineEditText() : TSWFObject(kTagID) {}

  uint16_t CharacterID = 0;
  TSWFRect Bounds;
  bool HasText = false;
  bool WordWrap = false;
  bool Multiline = false;
  bool Password = false;
  bool ReadOnly = false;
  bool HasTextColor = false;
  bool HasMaxLength = false;
  bool HasFont = false;
  // Recomputed on write: only version 9 and later files have font classes.
  bool HasFontClass = false;
  bool AutoSize = false;
  bool HasLayout = false;
  bool NoSelect = false;
  bool Border = false;
  bool HTML = false;
  bool UseOutlines = false;
  uint16_t FontID = 0;
  uint16_t FontHeight = 0;  // twips
  std::string FontClass;
  uint16_t MaxLength = 0;
  uint8_t Align = 0;  // 0 left, 1 right, 2 centre, 3 justify
  uint16_t LeftMargin = 0;
  uint16_t RightMargin = 0;
  int16_t Indent = 0;
  int16_t Leading = 0;
  std::string VariableName;
  // The SWF version the tag is written for (or was read from): decides the string encodings.
  uint8_t Version = 6;

  // Created on first access, which sets HasTextColor. Always written as RGBA.
  TSWFRGBA& TextColor();
  const TSWFRGBA* ExistingTextColor() const { return textColor_.get(); }

  // The initial text, as cp1252 text or as Unicode; the Unicode form wins when both are set.
  // Either setter sets HasText. Text read from a file is kept as its bytes in InitialText.
  const std::string& InitialText() const { return initialText_; }
  void SetInitialText(const std::string& Text);
  const std::u16string& WideInitialText() const { return wideInitialText_; }
  void SetWideInitialText(const std::u16string& Text);

  int MinVersion() const override;
  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 private:
  std::unique_ptr<TSWFRGBA> textColor_;
  std::string initialText_;
  std::u16string wideInitialText_;
  // Strings read from a file go back byte for byte while unchanged: in a version 6 file they
  // are UTF-8 already and would otherwise be converted a second time.
  bool readStrings_ = false;
  std::string readVariableName_;
  std::string readInitialText_;
  // The flag of a read text that was static text in its authoring tool; kept for the rewrite.
  bool wasStatic_ = false;
};

// CSMTextSettings (74): anti-aliasing settings of a text.
class TSWFCSMTextSettings : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::CSMTextSettings);
  TSWFCSMTextSettings() : TSWFObject(kTagID) {}

  uint16_t TextID = 0;
  uint8_t UseFlashType = 0;  // 2 bits
  uint8_t GridFit = 0;       // 3 bits
  float Thickness = 0;
  float Sharpness = 0;

  int MinVersion() const override { return 8; }
  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

}  // namespace orvanta
