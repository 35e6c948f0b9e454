#include "builders/common/placement_alpha.h"

#include "movie/flash_place_object.h"

namespace orvanta {

void SetPlacementAlpha(TFlashPlaceObject& place, int alpha) {
  // Multipliers are 8.8 fixed point: 256 keeps a channel as it is.
  place.SetColorTransform(false, 0, 0, 0, 0, true, 256, 256, 256, alpha * 256 / 255, true);
}

}  // namespace orvanta
