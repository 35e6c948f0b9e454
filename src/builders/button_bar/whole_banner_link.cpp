#include "builders/button_bar/whole_banner_link.h"

#include "builders/button_bar/click_through.h"

#include "movie/flash_button.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "script/flash_action_script.h"

namespace orvanta {

void AddWholeBannerLink(TFlashMovie& movie, int width, int height, const std::string& link,
                        const std::string& target, bool clickTag,
                        TDeferredPlacements& bar) {
  TFlashShape* area = movie.AddRectangle(0, 0, width, height);
  area->SetSolidColor(0u);
  TFlashButton* button = movie.AddButton();
  button->AddRecord(*area, kButtonStateHitTest, 1);
  AddClickThrough(button->OnRelease(), link, target, clickTag);
  bar.Add(area, 3003, 0, 0);
  bar.Add(button, 3004, 0, 0);
}

}  // namespace orvanta
