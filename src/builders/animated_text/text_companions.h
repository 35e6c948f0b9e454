#pragma once

#include "builders/animated_text/text_kit.h"
#include "project/content_builder.h"

namespace orvanta {

class TTemplatePack;

// A soft band of the shadow colour behind the block, fading out on the side(s) away from the
// alignment.
void AddColourShadowPanel(TFlashMovie& movie, const TAnimatedTextSettings& settings,
                          const TBlockLayout& block, uint16_t depth);

// The chosen background animation around the block: fire stands in a row under the text, the
// others are scattered over it and turned at random.
void AddTextBackgroundEffect(TFlashMovie& movie, const TAnimatedTextSettings& settings,
                             const TBlockLayout& block, const TDepthPlan& depths,
                             const TTemplatePack& templates, TBuildContext& context);

// The pieces of the animated text that stand apart from its frames: they go into the main movie
// before the static texts, so that the text's frames play over them.
class TTextCompanionsBuilder : public TContentBuilder {
 public:
  // The templates (art letters, effects) must outlive the builder.
  explicit TTextCompanionsBuilder(const TTemplatePack& templates) : templates_(templates) {}
  TBuildStage Stage() const override { return TBuildStage::TextCompanions; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;

 private:
  const TTemplatePack& templates_;
};

}  // namespace orvanta
