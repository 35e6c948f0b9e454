#pragma once

namespace orvanta {

class TFlashPlaceObject;

// The filters a picture slot can switch on, applied in this order: bevel, glow, drop shadow,
// blur.
struct TPictureFilters {
  bool Bevel = false, Glow = false, DropShadow = false, Blur = false;
};

void ApplyPictureFilters(TFlashPlaceObject& place, const TPictureFilters& filters);

}  // namespace orvanta
