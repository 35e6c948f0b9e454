#pragma once

#include <map>
#include <memory>
#include <string>

#include "builders/animated_text/text_settings.h"
#include "platform/font_engine.h"

namespace orvanta {

class TTemplatePack;

// Sizes of letters and lines in banner pixels, measured with the editor's font at its pixel size.
// Art letters are measured in "Arial Black" (the face their templates were drawn for) without
// changing the user's font, and take the width their template's frame gives them.
class TTextMeasurer {
 public:
  TTextMeasurer(const TAnimatedTextSettings& settings, const TTemplatePack* templates);
  ~TTextMeasurer();

  // One character or run of text at scale 1; cached by text.
  TTextSize MeasureGlyph(const std::u16string& text);
  // A line: with art letters the sum of its letters (the height of the last), else the run.
  TTextSize MeasureText(const std::u16string& text, double heightScale, double widthScale = 1);
  // The description the movie's font is made from.
  const TFontDescription& Font() const { return font_; }

 private:
  TTextSize Extent(const std::u16string& text);
  // Width over height of the template that draws ch; 0 when none does.
  double ArtAspect(char16_t ch);

  TFontDescription font_;
  bool art_;
  std::string artFamily_;
  const TTemplatePack* templates_;
  std::unique_ptr<TPlatformFont> platformFont_;
  std::map<std::u16string, TTextSize> cache_;
  std::map<int, double> aspects_;
};

}  // namespace orvanta
