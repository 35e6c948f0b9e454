#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orvanta::artwork {

class TArtworkOutput;

// One family of artwork: the name the pack index and messages show, and the function that makes
// all of its files. Families are independent of one another and run in parallel.
struct TArtworkFamily {
  std::string Name;
  std::function<void(TArtworkOutput& output)> Generate;
};

// Every family the generator makes, in one list (families.cpp).
const std::vector<TArtworkFamily>& ArtworkFamilies();

// The families' entry points, one unit each.
void GenerateMouseover(TArtworkOutput& output);
void GenerateDemoMovie(TArtworkOutput& output);
void GenerateButtonStyles(TArtworkOutput& output);
void GenerateShapePanels(TArtworkOutput& output);
void GenerateTransitionMasks(TArtworkOutput& output);
void GeneratePhotoBorders(TArtworkOutput& output);
void GenerateLoadingScreens(TArtworkOutput& output);
void GenerateStar(TArtworkOutput& output);
void GenerateSoundControls(TArtworkOutput& output);
void GeneratePageTemplate(TArtworkOutput& output);
void GenerateLetterAnimations(TArtworkOutput& output);
void GenerateThumbnails(TArtworkOutput& output);
void GenerateSampleMedia(TArtworkOutput& output);
void GeneratePreviews(TArtworkOutput& output);
void GenerateArtLetters(const std::string& prefix, TArtworkOutput& output);
void GenerateTextBackgroundEffects(TArtworkOutput& output);
void GenerateStaticTextEffects(TArtworkOutput& output);
void GenerateSceneClips(TArtworkOutput& output);
void GenerateMotionClips(TArtworkOutput& output);
void GeneratePictureClips(TArtworkOutput& output);

}  // namespace orvanta::artwork
