#include "builders/images/png_picture.h"

#include "builders/common/picture_image.h"
#include "media/flash_external_movie.h"
#include "media/picture_codecs.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/data_root.h"
#include "platform/errors.h"

namespace orvanta {

namespace {

constexpr size_t kMostSparklePlaces = 102300;
constexpr size_t kFewestSparklePlaces = 101;
constexpr int kSparkles = 21;
constexpr int kFramesPerSparkle = 5;

struct TPixelPlace {
  uint32_t X = 0, Y = 0;
};

// Every partly transparent pixel; past the limit, later ones take the last entry's place.
std::vector<TPixelPlace> PartlyTransparent(const TPicture& picture) {
  std::vector<TPixelPlace> places;
  for (uint32_t y = 0; y < picture.Height; ++y)
    for (uint32_t x = 0; x < picture.Width; ++x) {
      const uint8_t alpha = picture.Pixel(x, y)[3];
      if (alpha == 0 || alpha == 255) continue;
      if (places.size() < kMostSparklePlaces)
        places.push_back({x, y});
      else
        places.back() = {x, y};
    }
  return places;
}

TFlashSprite* ImportStar(TFlashMovie& movie, TBuildContext& context, const std::string& field) {
  const char* name = "albumboader\\star.swf";
  const auto path = context.Data.Find(name);
  if (!path) {
    context.Warn(field, std::string(name) + " file not found !");
    return nullptr;
  }
  try {
    return movie.AddExternalMovie(path->string(), TFlashExternalMovie::kImportAsSprite, true)
        ->Sprite();
  } catch (const Error& e) {
    context.Warn(field, e.what());
    return nullptr;
  }
}

}  // namespace

void BuildPngImage(TFlashMovie& movie, TFlashSprite& sprite, const TPicture& picture,
                   TBuildContext& context, const std::string& field) {
  TFlashImage* image = AddTransparentImage(movie, picture);
  TFlashShape* box = movie.AddRectangle(0, 0, int32_t(picture.Width), int32_t(picture.Height));
  box->SetImageFill(*image, 2);
  sprite.PlaceObject(box, 1);

  const std::vector<TPixelPlace> places = PartlyTransparent(picture);
  TFlashSprite* star =
      places.size() >= kFewestSparklePlaces ? ImportStar(movie, context, field) : nullptr;
  if (!star) {
    sprite.ShowFrame();
    return;
  }
  for (int i = 0; i < kSparkles; ++i) {
    const TPixelPlace at = places[context.Random.Next(uint32_t(places.size()))];
    TFlashPlaceObject* place = sprite.PlaceObject(star, uint16_t(20 + i));
    const double scale = context.Random.Next(5) / 10.0 + 0.3;
    // Scale first: setting the scale replaces the terms a rotation has set.
    place->SetScale(scale, scale);
    place->SetRotate(context.Random.Next(30));
    place->SetTranslate(int32_t(at.X), int32_t(at.Y));
    sprite.ShowFrame(kFramesPerSparkle);
  }
}

}  // namespace orvanta
