#pragma once

#include "project/content_builder.h"

namespace orvanta {

// The loading screen: the chosen clip over the first five frames of the banner, removed when
// the content starts in frame 6. The driver's closing jump returns to frame 6, so it plays once.
class TLoadingScreenBuilder : public TContentBuilder {
 public:
  TBuildStage Stage() const override { return TBuildStage::LoadingScreen; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;
};

}  // namespace orvanta
