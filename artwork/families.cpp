#include "families.h"

#include "platform/artwork_names.h"

namespace orvanta::artwork {

const std::vector<TArtworkFamily>& ArtworkFamilies() {
  static const std::vector<TArtworkFamily> families = [] {
    std::vector<TArtworkFamily> list = {
        {"mouseover", GenerateMouseover},
        {"demo", GenerateDemoMovie},
        {"buttons", GenerateButtonStyles},
        {"panels", GenerateShapePanels},
        {"transition masks", GenerateTransitionMasks},
        {"photo borders", GeneratePhotoBorders},
        {"loading screens", GenerateLoadingScreens},
        {"star", GenerateStar},
        {"sound controls", GenerateSoundControls},
        {"page template", GeneratePageTemplate},
        {"letter animations", GenerateLetterAnimations},
        {"thumbnails", GenerateThumbnails},
        {"sample media", GenerateSampleMedia},
        {"previews", GeneratePreviews},
    };
    return list;
  }();
  return families;
}

}  // namespace orvanta::artwork
