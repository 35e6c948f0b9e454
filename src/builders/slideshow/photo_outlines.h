#pragma once

#include <cstdint>

#include "builders/slideshow/slideshow_settings.h"

namespace orvanta {

class TFlashMovie;
class TFlashShape;

// One outline of a prepared photo in three copies: the mask that cuts the photo to its shape,
// the border line over it and the faint shadow line 2 pixels lower right.
struct TPhotoOutlines {
  TFlashShape* Mask = nullptr;
  TFlashShape* Border = nullptr;
  TFlashShape* Shadow = nullptr;
};

// borderColor is 0x00BBGGRR.
TPhotoOutlines AddPhotoOutlines(TFlashMovie& movie, const TSlideshowSettings& settings, int width,
                                int height, uint32_t borderColor);

}  // namespace orvanta
