#include "builders/images/picture_filters.h"

#include "media/filters.h"
#include "movie/flash_place_object.h"

namespace orvanta {

void ApplyPictureFilters(TFlashPlaceObject& place, const TPictureFilters& filters) {
  if (filters.Bevel) {
    TSWFBevelFilter& bevel = place.BevelFilter();
    bevel.BlurX = bevel.BlurY = 15;
    bevel.Angle = 3.925;  // radians: light from the top left
    bevel.Distance = 15;
    bevel.ShadowColor = TSWFRGBA(PackRGBA(128, 128, 128, 128), true);
    bevel.HighlightColor = TSWFRGBA(PackRGBA(255, 255, 255, 128), true);
    bevel.InnerShadow = true;
  }
  if (filters.Glow) {
    TSWFGlowFilter& glow = place.GlowFilter();
    glow.BlurX = glow.BlurY = 15;
    glow.InnerGlow = true;
    glow.GlowColor = TSWFRGBA(PackRGBA(255, 255, 255, 255), true);
  }
  if (filters.DropShadow) {
    TSWFDropShadowFilter& shadow = place.DropShadowFilter();
    shadow.BlurX = shadow.BlurY = 5;
    shadow.Distance = 5;
    shadow.Angle = 0.7854;  // 45 degrees
    shadow.DropShadowColor = TSWFRGBA(kOpaqueBlack, true);
  }
  if (filters.Blur) {
    TSWFBlurFilter& blur = place.BlurFilter();
    blur.BlurX = blur.BlurY = 5;
  }
}

}  // namespace orvanta
