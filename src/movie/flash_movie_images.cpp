// The movie document's image operation.

#include "media/flash_image.h"
#include "movie/flash_movie.h"

namespace orvanta {

TFlashImage* TFlashMovie::AddImage(const std::string& fileName) {
  auto image = std::make_unique<TFlashImage>(this, fileName);
  TFlashImage* raw = image.get();
  AddIDObject(std::move(image), true);
  Images.push_back(raw);
  return raw;
}

}  // namespace orvanta
