#pragma once

#include "project/content_builder.h"

namespace orvanta {

class TTemplatePack;

// The animated text's frames: every pass (each line, or all lines at once) enters with the
// chosen effect, holds for the display time and, for some effects, leaves again, one block of
// letters per frame at the text depth of the main movie.
class TAnimatedTextBuilder : public TContentBuilder {
 public:
  // The templates (art letters, effects) must outlive the builder.
  explicit TAnimatedTextBuilder(const TTemplatePack& templates) : templates_(templates) {}
  TBuildStage Stage() const override { return TBuildStage::AnimatedText; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;

 private:
  const TTemplatePack& templates_;
};

}  // namespace orvanta
