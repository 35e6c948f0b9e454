#include "builders/common/deferred_placements.h"

#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"

namespace orvanta {

void TDeferredPlacements::Add(TFlashVisualObject* object, uint16_t depth, int32_t x, int32_t y,
                              TSetup setup) {
  placements_.push_back({object, depth, x, y, std::move(setup)});
}

TFlashSprite* TDeferredPlacements::MakeSprite(TFlashMovie& movie) const {
  TFlashSprite* sprite = movie.AddSprite();
  for (const TPlacement& p : placements_) {
    TFlashPlaceObject* place = sprite->PlaceObject(p.Object, p.Depth);
    if (p.X != 0 || p.Y != 0) place->SetTranslate(p.X, p.Y);
    if (p.Setup) p.Setup(*place);
  }
  return sprite;
}

}  // namespace orvanta
