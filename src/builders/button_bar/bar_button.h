#pragma once

#include <string>

#include "builders/button_bar/button_layout.h"
#include "builders/common/deferred_placements.h"
#include "project/content_builder.h"

namespace orvanta {

class TFlashMovie;
class TTemplatePack;

// One used slot of the bar.
struct TBarButton {
  int Number = 1;  // 1 ... 7 for slots 1 to 7, 9 ... 21 for slots 8 to 20
  const TButtonStyle* Style = nullptr;
  std::u16string Caption;
  std::string Link, Target;
  std::string StyleField;  // the slot's style field, for warnings
};

// What every button of the bar shares.
struct TBarLook {
  TFontSetting Font;
  uint32_t CaptionColour = 0;      // packed RGBA
  uint32_t CurrentPageColour = 0;  // the caption of a link to the page being built
  std::string PageFileName;
  bool Shadow = true;
  int Zoom = 100;
  bool ClickTag = false;  // the links take the page's clickTAG when it passes one
};

// Adds the caption, the normal look, the over look and the button of one slot to the movie and
// their placements to the bar. False, with a warning, when the style's template is missing:
// nothing of the button is placed.
bool AddBarButton(TFlashMovie& movie, const TTemplatePack& templates, const TBarButton& button,
                  const TButtonPlace& place, const TBarLook& look, TBuildContext& context,
                  TDeferredPlacements& bar);

}  // namespace orvanta
