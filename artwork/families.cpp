#include "families.h"

#include "platform/artwork_names.h"

namespace orvanta::artwork {

const std::vector<TArtworkFamily>& ArtworkFamilies() {
  static const std::vector<TArtworkFamily> families = [] {
    std::vector<TArtworkFamily> list = {
        {"mouseover", GenerateMouseover},        {"demo", GenerateDemoMovie},
        {"clip_scenes", GenerateSceneClips},     {"clip_motion", GenerateMotionClips},
        {"clip_pictures", GeneratePictureClips},
    };
    return list;
  }();
  return families;
}

}  // namespace orvanta::artwork
