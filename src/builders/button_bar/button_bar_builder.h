#pragma once

#include "project/content_builder.h"

namespace orvanta {

class TTemplatePack;

// The bar of up to twenty link buttons, or instead one link over the whole banner, in one sprite
// at the button-bar depth.
class TButtonBarBuilder : public TContentBuilder {
 public:
  explicit TButtonBarBuilder(const TTemplatePack& templates) : templates_(templates) {}
  TBuildStage Stage() const override { return TBuildStage::ButtonBar; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;

 private:
  const TTemplatePack& templates_;
};

}  // namespace orvanta
