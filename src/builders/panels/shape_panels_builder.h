#pragma once

#include "project/content_builder.h"

namespace orvanta {

class TTemplatePack;

inline constexpr int kPanelSlots = 5;

// The five shape panels of the background movie: one container at the panel depth, slot 1 on
// top (depth 99 inside it) down to slot 5 (95). Each panel is its template stretched to the
// slot's size, moved, faded by its alpha and optionally given a drop shadow. A style whose
// template is missing or unreadable is a warning and the other slots still build.
class TShapePanelsBuilder : public TContentBuilder {
 public:
  explicit TShapePanelsBuilder(const TTemplatePack& templates) : templates_(templates) {}
  TBuildStage Stage() const override { return TBuildStage::Background; }
  std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                const TDepthPlan& depths, TBuildContext& context) override;

 private:
  const TTemplatePack& templates_;
};

// "SHAPETEMPLATE" + style.
std::string PanelTemplateName(int style);

}  // namespace orvanta
