#pragma once

#include <cstdint>
#include <string>

#include "project/content_builder.h"

namespace orvanta {

class TFlashPlaceObject;

// Imports a clip file of the data root ("albumboader\now_loading1.swf") whole, as a sprite, and
// places it at depth, with its origin at (x, y) in banner pixels. A clip that is missing or
// does not read is a warning on the field that chose it, and nothing is placed (none returned).
TFlashPlaceObject* PlaceDataClip(TFlashMovie& movie, const std::string& storedName, uint16_t depth,
                                 int x, int y, TBuildContext& context, const std::string& field);

}  // namespace orvanta
