#include "families.h"

#include "platform/artwork_names.h"

namespace orvanta::artwork {

const std::vector<TArtworkFamily>& ArtworkFamilies() {
  static const std::vector<TArtworkFamily> families = [] {
    std::vector<TArtworkFamily> list = {
        {"mouseover", GenerateMouseover},
        {"demo", GenerateDemoMovie},
        {"text-background", GenerateTextBackgroundEffects},
        {"static-text-background", GenerateStaticTextEffects},
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
        {"clip_scenes", GenerateSceneClips},
        {"clip_motion", GenerateMotionClips},
        {"clip_pictures", GeneratePictureClips},
    };
    for (const TArtLetterFamily& family : ArtLetterFamilies()) {
      const std::string prefix = family.Prefix;
      list.push_back({prefix, [prefix](TArtworkOutput& out) { GenerateArtLetters(prefix, out); }});
    }
    return list;
  }();
  return families;
}

}  // namespace orvanta::artwork
