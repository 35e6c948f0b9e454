#include "builders/common/settings_font.h"

#include <algorithm>

#include "platform/codepage.h"

namespace orvanta {

namespace {

TLogFont LogFontOf(const TFontSetting& font) {
  TLogFont log;
  log.Height = -FontPixels(font);
  log.Weight = font.Bold ? 700 : 400;
  log.Italic = font.Italic;
  log.FaceName = Utf8ToCp1252(font.Face);
  return log;
}

}  // namespace

int FontPixels(const TFontSetting& font) {
  // A size of 0 or less would ask for the platform's default; the smallest readable size serves.
  return std::max(1, (font.Size * 96 + 36) / 72);
}

TFontDescription DescribeFont(const TFontSetting& font) {
  TFontDescription description;
  description.Name = Utf8ToCp1252(font.Face);
  description.Height = -FontPixels(font);
  description.Bold = font.Bold;
  description.Italic = font.Italic;
  return description;
}

TTextMeasure::TTextMeasure(const TFontSetting& font) : font_(LogFontOf(font)) {}

}  // namespace orvanta
