#include <algorithm>
#include <cstdlib>

#include "movie/flash_edges.h"
#include "movie/flash_font.h"
#include "movie/flash_movie.h"
#include "movie/flash_text.h"
#include "platform/font_engine.h"

namespace orvanta {

TFlashFont* TFlashMovie::AddFont(const TFontDescription& font, bool asDevice) {
  const auto size = static_cast<uint16_t>(std::min(std::abs(font.Height), 0xFFFF / 20));
  auto flashFont =
      std::make_unique<TFlashFont>(this, asDevice, font.Name, font.Bold, font.Italic, size);
  flashFont->SetCharset(font.Charset);
  TFlashFont* raw = flashFont.get();
  AddIDObject(std::move(flashFont), true);
  Fonts.push_back(raw);
  return raw;
}

TFlashText* TFlashMovie::AddText(const std::string& text, const TSWFRGBA& color, TFlashFont* font,
                                 const TFlashPoint& origin, uint8_t align) {
  auto flashText = std::make_unique<TFlashText>(this, text, color, font, origin, align);
  TFlashText* raw = flashText.get();
  AddIDObject(std::move(flashText), true);
  Texts.push_back(raw);
  return raw;
}

TFlashText* TFlashMovie::AddDynamicText(const std::u16string& text, const TSWFRGBA& color,
                                        TFlashFont* font, const TRect& rect) {
  auto flashText = std::make_unique<TFlashText>(this, rect, font, color, text);
  TFlashText* raw = flashText.get();
  AddIDObject(std::move(flashText), true);
  Texts.push_back(raw);
  return raw;
}

}  // namespace orvanta
