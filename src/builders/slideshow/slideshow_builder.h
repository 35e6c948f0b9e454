#pragma once

#include "project/content_builder.h"

namespace orvanta {

class TTemplatePack;

// The photo slideshow and its thumbnail album: one wrapper sprite that fades the album in,
// placed in the main movie at the slideshow's depth.
class TSlideshowBuilder : public TContentBuilder {
 public:
  // The pack holds the thumbnail highlight; without one the album has no highlight.
  explicit TSlideshowBuilder(const TTemplatePack* templates) : templates_(templates) {}
  TBuildStage Stage() const override { return TBuildStage::Slideshow; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;

 private:
  const TTemplatePack* templates_;
};

// The most photos and pages an album holds: the depths of the album's parts leave room for no
// more.
inline constexpr int kMaxAlbumPhotos = 100, kMaxAlbumPages = 20;

}  // namespace orvanta
