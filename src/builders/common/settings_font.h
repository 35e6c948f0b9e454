#pragma once

#include <string_view>

#include "platform/font_engine.h"
#include "project/banner_document.h"

namespace orvanta {

// Settings keep font sizes in points; the movie's fonts and every layout measure in pixels of a
// 96 dpi screen.
int FontPixels(const TFontSetting& font);
TFontDescription DescribeFont(const TFontSetting& font);

// Measures text the way the layout of captions and text lines needs it: advances and cell height
// in pixels of the setting's font.
class TTextMeasure {
 public:
  explicit TTextMeasure(const TFontSetting& font);
  TTextSize Extent(std::u16string_view text) const { return font_.TextExtent(text); }

 private:
  TPlatformFont font_;
};

}  // namespace orvanta
