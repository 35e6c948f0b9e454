#include "builders/slideshow/album_parts.h"

#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"

namespace orvanta {

TFlashPlaceObject* PlaceAt(TFlashSprite& sprite, TFlashVisualObject* object, int depth, int x,
                           int y, double scale, double rotation) {
  TFlashPlaceObject* place = sprite.PlaceObject(object, uint16_t(depth));
  place->SetTranslate(x, y);
  if (scale != 1) place->SetScale(scale, scale);
  if (rotation != 0) place->SetRotate(rotation);
  return place;
}

}  // namespace orvanta
