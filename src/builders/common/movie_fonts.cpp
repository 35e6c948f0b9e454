#include "builders/common/movie_fonts.h"

#include "builders/common/settings_font.h"
#include "movie/flash_font.h"
#include "movie/flash_movie.h"
#include "movie/flash_text.h"

namespace orvanta {

TFlashFont* MovieFont(TFlashMovie& movie, const TFontSetting& setting) {
  const TFontDescription description = DescribeFont(setting);
  for (TFlashFont* font : movie.Fonts)
    if (!font->AsDevice && font->Name == description.Name && font->Bold == description.Bold &&
        font->Italic == description.Italic)
      return font;
  return movie.AddFont(description);
}

TFlashText* AddLabel(TFlashMovie& movie, const std::u16string& text, uint32_t rgba,
                     const TFontSetting& setting, const TRect& rect) {
  TFlashText* label =
      movie.AddDynamicText(text, TSWFRGBA(rgba, true), MovieFont(movie, setting), rect);
  label->SetFontHeight(FontPixels(setting));
  label->ReadOnly = true;
  label->NoSelect = true;
  return label;
}

}  // namespace orvanta
