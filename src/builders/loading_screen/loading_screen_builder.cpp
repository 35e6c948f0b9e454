#include "builders/loading_screen/loading_screen_builder.h"

#include "builders/common/data_clip.h"
#include "movie/flash_movie.h"

namespace orvanta {

namespace {

// The loading clips are drawn in a 150 x 60 box from their origin.
constexpr int kClipWidth = 150, kClipHeight = 60;

}  // namespace

std::vector<TBuiltItem> TLoadingScreenBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                                     const TDepthPlan& depths,
                                                     TBuildContext& context) {
  const int index = IntegerField(page, "preloadindex");
  if (index < 1) return {};
  const int x = (IntegerField(page, "SWFWidth") - kClipWidth) / 2;
  int y = (IntegerField(page, "SWFHeight") - kClipHeight) / 2;
  if (y > 549) y = 500;
  const bool placed =
      PlaceDataClip(movie, "albumboader\\now_loading" + std::to_string(index) + ".swf",
                    depths.LoadingScreen, x, y, context, "preloadindex") != nullptr;
  // The five frames stay even without the clip: the closing jump counts on the content
  // starting in frame 6.
  movie.ShowFrame(5);
  if (placed) movie.RemoveObject(depths.LoadingScreen);
  return {};
}

}  // namespace orvanta
