#include "builders/html_glow/html_glow_builder.h"

#include <array>

#include "media/filters.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"

namespace orvanta {

namespace {

constexpr int kOverhang = 50;  // pixels past the layer, left and right
constexpr double kBlur = 45;
// White, faint at the ends; the stops spread evenly (ratios 0, 85, 170, 255).
constexpr std::array<uint32_t, 4> kGlowStops{
    PackRGBA(255, 255, 255, 32), PackRGBA(255, 255, 255, 128), PackRGBA(255, 255, 255, 128),
    PackRGBA(255, 255, 255, 32)};

// Layer 1 at 1000, layer n at 1000 + n: 1001 stays free.
uint16_t PanelDepth(int layer) {
  return uint16_t(layer == 1 ? 1000 : 1000 + layer);
}

}  // namespace

std::vector<TBuiltItem> THtmlGlowBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                                const TDepthPlan& depths, TBuildContext&) {
  TFlashSprite* sprite = nullptr;
  for (int n = 1; n <= kHtmlTextCount; ++n) {
    const std::string i = std::to_string(n);
    if (page.HtmlTexts[n - 1].empty() || !OptionField(page, "TextGlow" + i)) continue;
    if (!sprite) sprite = movie.AddSprite();
    const int width = IntegerField(page, "staticmemowidth" + i);
    const int height = IntegerField(page, "staticmemoheight" + i);
    TFlashShape* panel = movie.AddRectangle(-kOverhang, 0, width + kOverhang, height);
    panel->SetLinearGradient(kGlowStops, 0);
    TFlashPlaceObject* place = sprite->PlaceObject(panel, PanelDepth(n));
    place->SetTranslate(IntegerField(page, "staticmemoposx" + i),
                        IntegerField(page, "staticmemoposy" + i));
    TSWFBlurFilter& blur = place->BlurFilter();
    blur.BlurX = blur.BlurY = kBlur;
  }
  if (sprite) {
    sprite->ShowFrame();
    movie.PlaceObject(sprite, depths.HtmlGlow);
  }
  return {};
}

}  // namespace orvanta
