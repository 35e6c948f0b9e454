#include "builders/common/data_clip.h"

#include "media/flash_external_movie.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "platform/data_root.h"
#include "platform/errors.h"

namespace orvanta {

TFlashPlaceObject* PlaceDataClip(TFlashMovie& movie, const std::string& storedName, uint16_t depth,
                                 int x, int y, TBuildContext& context, const std::string& field) {
  const auto path = context.Data.Find(storedName);
  if (!path) {
    context.Warn(field, storedName + " file not found !");
    return nullptr;
  }
  try {
    TFlashExternalMovie* clip =
        movie.AddExternalMovie(path->string(), TFlashExternalMovie::kImportAsSprite);
    TFlashPlaceObject* place = movie.PlaceObject(clip->Sprite(), depth);
    place->SetTranslate(x, y);
    return place;
  } catch (const Error& e) {
    context.Warn(field, e.what());
    return nullptr;
  }
}

}  // namespace orvanta
