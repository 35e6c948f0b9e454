#pragma once

#include "project/content_builder.h"

namespace orvanta {

// The soft white panels behind the HTML text layers whose glow is on: one sprite in the main
// movie, a blurred panel per layer, reaching 50 pixels past the layer on the left and right.
// Nothing is added when no layer glows.
class THtmlGlowBuilder : public TContentBuilder {
 public:
  TBuildStage Stage() const override { return TBuildStage::HtmlGlow; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;
};

}  // namespace orvanta
