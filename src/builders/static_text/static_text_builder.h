#pragma once

#include "project/content_builder.h"

namespace orvanta {

class TTemplatePack;

// The seven static text blocks: one sprite, placed at the static-text depth inside a wrapper
// that fades it in from a blur shortly after the banner starts.
class TStaticTextBuilder : public TContentBuilder {
 public:
  explicit TStaticTextBuilder(const TTemplatePack& templates) : templates_(templates) {}
  TBuildStage Stage() const override { return TBuildStage::StaticTexts; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;

 private:
  const TTemplatePack& templates_;
};

}  // namespace orvanta
