#pragma once

namespace orvanta {

class TFlashPlaceObject;

// Moves a placement to a position in pixels that need not be whole (a template's frame may end
// between pixels); SetTranslate takes whole units only. Rounded to the nearest twip.
void SetFractionalTranslate(TFlashPlaceObject& place, double x, double y);

}  // namespace orvanta
