#pragma once

#include <vector>

#include "builders/clips/clip_frame.h"
#include "project/content_builder.h"

namespace orvanta {

class TTemplatePack;

inline constexpr int kClipLayers = 5;
// The data file whose brush stroke reveals a waiting, unturned clip.
inline constexpr const char* kRevealMaskFile = "albumboader\\fronteffectboxeffect3.swf";

// What the design view keeps of one placed clip: its frame and the size it shows at.
struct TClipSizes {
  TClipFrame Frame, Shown;
};

// The five library clip layers and the user's own SWF, in the main movie. Layer N stands at
// the plan's MovieClips depth - 2 N, so higher layers lie below lower ones and the own SWF,
// at the MovieClips depth itself, above them all. A layer whose clip cannot be found or read
// is a warning and is left out.
class TMovieClipBuilder : public TContentBuilder {
 public:
  explicit TMovieClipBuilder(const TTemplatePack& templates) : templates_(templates) {}
  TBuildStage Stage() const override { return TBuildStage::MovieClips; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;

  // Per layer 0 (the own SWF) ... 5 after the last build; zero for what was not placed.
  const std::vector<TClipSizes>& Sizes() const { return sizes_; }

 private:
  const TTemplatePack& templates_;
  std::vector<TClipSizes> sizes_;
};

// Layer layer (1 ... 5) waits one step for every layer above it that holds a clip, unless
// every clip shows at once.
int ClipDelaySteps(const TPageState& page, int layer);

}  // namespace orvanta
