#pragma once

#include "project/content_builder.h"

namespace orvanta {

// The three static images and the back image of the background movie. Static image k stands at
// the static-image depth + k - 1, above the panels; the back image just below the panel
// container. A JPEG or BMP picture is cut to its frame shape, optionally outlined and filtered;
// a picture with transparency (PNG) is placed as it is, with sparkles where it is partly
// transparent. The kind is told by the file's content. A missing or undecodable picture is a
// warning and its slot stays empty.
class TStaticImagesBuilder : public TContentBuilder {
 public:
  TBuildStage Stage() const override { return TBuildStage::Background; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;
};

}  // namespace orvanta
