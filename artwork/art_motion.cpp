#include "art_motion.h"

#include <cmath>

#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"

namespace orvanta::artwork {

void PlacePose(TFlashMovie& movie, TFlashVisualObject* object, uint16_t depth, bool first,
               const TPose& pose, std::optional<double> alpha) {
  TFlashPlaceObject* place = movie.PlaceObject(first ? object : nullptr, depth);
  if (!first) place->SetMove(true);
  place->SetTranslate(static_cast<int32_t>(std::lround(pose.X)),
                      static_cast<int32_t>(std::lround(pose.Y)));
  if (pose.ScaleX != 1 || pose.ScaleY != 1) place->SetScale(pose.ScaleX, pose.ScaleY);
  if (pose.Rotate != 0) place->SetRotate(pose.Rotate);
  if (alpha)
    place->SetColorTransform(false, 0, 0, 0, 0, true, 256, 256, 256,
                             static_cast<int32_t>(std::lround(*alpha * 256)), true);
}

}  // namespace orvanta::artwork
