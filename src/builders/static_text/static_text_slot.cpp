#include "builders/static_text/static_text_slot.h"

#include <algorithm>

#include "builders/common/movie_fonts.h"
#include "builders/common/settings_colour.h"
#include "builders/common/settings_font.h"
#include "media/filters.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "movie/flash_text.h"
#include "platform/codepage.h"

namespace orvanta {

namespace {

constexpr uint32_t kOpaqueRed = 0xFF0000FFu;

struct TLineLayout {
  std::vector<int> Widths;
  int Height = 0;
  int Widest = 0;
};

TLineLayout MeasureLines(const TStaticTextBlock& block) {
  const TTextMeasure measure(block.Font);
  TLineLayout layout;
  for (const std::u16string& line : block.Lines) {
    const TTextSize size = measure.Extent(line);
    layout.Widths.push_back(size.Width);
    layout.Widest = std::max(layout.Widest, size.Width);
  }
  // Every line of a block has the height of its font, empty ones too.
  layout.Height = measure.Extent(u"").Height;
  return layout;
}

void AddLines(TFlashMovie& movie, const TStaticTextBlock& block, const TLineLayout& layout,
              const TStaticTextDepths& depths, TDeferredPlacements& placements) {
  for (size_t i = 0; i < block.Lines.size(); ++i) {
    const int top = int(i) * layout.Height;
    TFlashText* text = AddLabel(movie, block.Lines[i], SettingsColour(block.Colour), block.Font,
                                TRect{0, top, layout.Widths[i] + 10, top + layout.Height + 10});
    TDeferredPlacements::TSetup shadow;
    if (block.DropShadow)
      shadow = [](TFlashPlaceObject& place) {
        TSWFDropShadowFilter& filter = place.DropShadowFilter();
        filter.BlurX = filter.BlurY = 15;
        filter.Distance = 5;
      };
    placements.Add(text, uint16_t(depths.FirstLine + i), block.X, block.Y, std::move(shadow));
  }
}

// The effect shows only through a red box over the text, at most 110 pixels high.
void AddEffect(TFlashMovie& movie, const TStaticTextBlock& block, int widest,
               const TStaticTextDepths& depths, TDeferredPlacements& placements) {
  TFlashShape* mask = movie.AddRectangle(-10, -10, widest + 10, 100);
  mask->SetSolidColor(kOpaqueRed);
  placements.Add(block.Effect, depths.Effect, block.X, block.Y);
  placements.Add(
      mask, depths.Mask, block.X, block.Y,
      [effect = depths.Effect](TFlashPlaceObject& place) { place.SetClipDepth(effect); });
}

// A soft band behind the text, shifted left by part of the last line's width.
void AddShadowBand(TFlashMovie& movie, const TStaticTextBlock& block, const TLineLayout& layout,
                   const TStaticTextDepths& depths, TDeferredPlacements& placements) {
  const int widest = layout.Widest;
  TFlashShape* band =
      movie.AddRectangle(0, 0, widest + widest / 2, int(block.Lines.size()) * layout.Height);
  band->SetLinearGradient(block.BandColours, 0);
  const int last = layout.Widths.back();
  const int shift = block.Slot == 7 ? last / 7 : last / 4;
  placements.Add(band, depths.Band, block.X - shift, block.Y, [](TFlashPlaceObject& place) {
    TSWFBlurFilter& blur = place.BlurFilter();
    blur.BlurX = blur.BlurY = 15;
  });
}

}  // namespace

TStaticTextDepths StaticTextDepths(int slot) {
  // Slot 4 has no mask pair of its own: it takes 1140/1141, free between slots 3 and 5.
  static constexpr TStaticTextDepths kDepths[] = {
      {1600, 1000, 1100, 1101}, {1700, 1002, 1120, 1121}, {1800, 1003, 1130, 1131},
      {1900, 1004, 1140, 1141}, {2000, 1005, 1150, 1151}, {2100, 1006, 1160, 1161},
      {2200, 1007, 1170, 1171}};
  return kDepths[slot - 1];
}

std::vector<std::u16string> StaticTextLines(const std::string& text) {
  std::u16string all = Utf8ToUtf16(text);
  std::erase(all, u'\r');
  std::vector<std::u16string> lines;
  size_t start = 0;
  while (start < all.size()) {
    const size_t end = std::min(all.find(u'\n', start), all.size());
    lines.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

TStaticTextSize AddStaticTextBlock(TFlashMovie& movie, const TStaticTextBlock& block,
                                   TDeferredPlacements& placements) {
  if (block.Lines.empty()) return {};
  const TLineLayout layout = MeasureLines(block);
  const TStaticTextDepths depths = StaticTextDepths(block.Slot);
  AddLines(movie, block, layout, depths, placements);
  if (block.Effect) AddEffect(movie, block, layout.Widest, depths, placements);
  if (block.DropShadow) AddShadowBand(movie, block, layout, depths, placements);
  return {layout.Widest, int(block.Lines.size()) * layout.Height};
}

}  // namespace orvanta
