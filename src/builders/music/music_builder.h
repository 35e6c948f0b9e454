#pragma once

#include "project/content_builder.h"

namespace orvanta {

// The background music: the sound file as an event sound, exported as "bgsound" for the control
// clips, started on the main timeline, and the chosen control clip beside it. Without a music
// file there is neither sound nor control.
class TMusicBuilder : public TContentBuilder {
 public:
  TBuildStage Stage() const override { return TBuildStage::Music; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;
};

}  // namespace orvanta
