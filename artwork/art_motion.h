#pragma once

#include <cstdint>
#include <optional>

namespace orvanta {
class TFlashMovie;
class TFlashVisualObject;
}  // namespace orvanta

namespace orvanta::artwork {

// Where an object stands in one frame of an animation.
struct TPose {
  double X = 0, Y = 0, ScaleX = 1, ScaleY = 1, Rotate = 0;
};

// Places the object at the depth in the frame being built: a new placement the first time,
// a move of the one already there after that. Alpha runs from 0 (transparent) to 1 (as drawn);
// without one the placement keeps the transparency it had.
void PlacePose(TFlashMovie& movie, TFlashVisualObject* object, uint16_t depth, bool first,
               const TPose& pose, std::optional<double> alpha = std::nullopt);

}  // namespace orvanta::artwork
