#pragma once

namespace orvanta {

class TFlashPlaceObject;

// Makes a placement see-through: alpha 0 ... 255 becomes the colour transform's alpha
// multiplier, the colours untouched.
void SetPlacementAlpha(TFlashPlaceObject& place, int alpha);

}  // namespace orvanta
