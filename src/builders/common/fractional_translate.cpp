#include "builders/common/fractional_translate.h"

#include <cmath>

#include "movie/flash_place_object.h"
#include "swf/tags_display.h"

namespace orvanta {

void SetFractionalTranslate(TFlashPlaceObject& place, double x, double y) {
  const int scale = place.PlacedObject() ? place.PlacedObject()->UnitScale() : 20;
  const auto twipsX = int32_t(std::lround(x * scale)), twipsY = int32_t(std::lround(y * scale));
  TSWFPlaceObject3& tag = place.PlaceObject();
  if (twipsX == 0 && twipsY == 0 && !tag.HasMatrix) return;
  tag.Matrix().SetTranslate(twipsX, twipsY);
}

}  // namespace orvanta
