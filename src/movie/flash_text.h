#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "movie/flash_object.h"
#include "swf/swf_records.h"

namespace orvanta {

class TFlashFont;
struct TFlashPoint;
class TSWFDefineEditText;
class TSWFDefineText;

// A run of text in one font, colour and height: static text (DefineText, or DefineText2 for a
// colour with alpha) made of the font's glyphs, or, once dynamic, a text field
// (DefineEditText). Lengths taken by its setters are in the owner's units and kept in twips.
class TFlashText : public TFlashVisualObject {
 public:
  // Static text at an origin point; the bounds follow the text's extent and alignment.
  TFlashText(TFlashMovie* owner, const std::string& text, const TSWFRGBA& color, TFlashFont* font,
             const TFlashPoint& origin, uint8_t align);
  // A text field holding Unicode text in a rectangle.
  TFlashText(TFlashMovie* owner, const TRect& rect, TFlashFont* font, const TSWFRGBA& color,
             const std::u16string& wideText);
  ~TFlashText() override;

  uint8_t Align = 0;  // 0 left, 1 right, 2 centre, 3 justify
  bool AutoSize = false;
  bool Border = false;
  TSWFRect Bounds;            // twips
  int32_t LetterSpacing = 0;  // twips added to every glyph advance
  bool IsDynamic = false;
  TFlashFont* Font = nullptr;  // not owned
  bool HasLayout = false;
  bool HTML = false;
  int32_t Indent = 0, Leading = 0, LeftMargin = 0;  // twips
  uint32_t MaxLength = 0;
  bool Multiline = false;
  bool NoSelect = false;
  bool Password = false;
  int32_t X = 0, Y = 0;  // twips: the origin of a text created at a point
  bool ReadOnly = false;
  int32_t RightMargin = 0;  // twips
  std::string Text;         // cp1252
  uint16_t FontHeight = 0;  // twips
  bool UseOutlines = false;
  std::string VariableName;
  std::u16string WideText;
  bool WordWrap = false;
  bool HasColor = false;
  bool HasMaxLength = false;
  // The bounds are measured from the text at the origin.
  bool AutoBounds = false;

  // Sets HasColor.
  TSWFRGBA& TextColor();
  // Created on first access; identity until changed.
  TSWFMatrix& Matrix();

  void SetFont(TFlashFont* font);
  void SetText(const std::string& text);
  // Also sets Text to the cp1252 form.
  void SetWideText(const std::u16string& text);
  void SetAlign(uint8_t align);
  void SetHasLayout(bool on);
  void SetIndent(int32_t v);
  void SetLeading(int32_t v);
  void SetLeftMargin(int32_t v);
  void SetRightMargin(int32_t v);
  void SetFontHeight(int32_t h);
  void SetMaxLength(uint32_t n);
  // Turning it on clears ReadOnly and NoSelect.
  void SetDynamic(bool on);
  // Turning it on makes the text dynamic.
  void SetHTML(bool on);
  // Turning it on makes the font embed its outlines.
  void SetUseOutlines(bool on);
  void SetBounds(const TRect& rect);

  void Assign(const TBasedSWFObject& Source) override;
  // A text field that sizes itself needs version 6, as its tag does.
  int MinVersion() const override { return IsDynamic ? (AutoSize ? 6 : 4) : 3; }
  void WriteToStream(TBitsEngine& Engine) override;

  // The tags WriteToStream writes, for callers that want to look at them.
  std::unique_ptr<TSWFDefineText> MakeStaticTag();
  std::unique_ptr<TSWFDefineEditText> MakeEditTag() const;
  // The rectangle of static text: measured at the origin with AutoBounds, else Bounds.
  TSWFRect StaticBounds();

 private:
  std::unique_ptr<TSWFRGBA> textColor_;
  std::unique_ptr<TSWFMatrix> matrix_;
};

}  // namespace orvanta
