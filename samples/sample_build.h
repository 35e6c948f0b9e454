#pragma once

#include <filesystem>

#include "media/picture_codecs.h"
#include "project/banner_document.h"
#include "sample_recipe.h"

namespace orvanta {
class TDataRoot;
class TTemplatePack;
}  // namespace orvanta

namespace orvanta::samples {

struct TBuiltSample {
  TBannerDocument Document;  // with the measured items centred
  // Of its last build, and for each laid-out item outside the banner; a finished sample has none.
  TWarnings Warnings;
  TPicture Thumbnail;
};

// Builds a recipe the way the editor would, in the working folder: once to measure the items it
// centres, again with them centred, and draws its thumbnail from the movies of that build.
TBuiltSample BuildSample(const TSampleRecipe& recipe, const TDataRoot& data,
                         const TTemplatePack& templates, const std::filesystem::path& work);

}  // namespace orvanta::samples
