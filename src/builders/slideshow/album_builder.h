#pragma once

#include <vector>

#include "builders/slideshow/photo_preparation.h"
#include "builders/slideshow/slideshow_settings.h"

namespace orvanta {

class TFlashMovie;
class TFlashSprite;
class TRandom;

// The artwork an album is built with; any may be missing, and the album goes without it.
struct TAlbumArtwork {
  TFlashSprite* MaskMovie = nullptr;  // the transition's mask movie
  TFlashSprite* Highlight = nullptr;  // "mouseover"
  TFlashSprite* BorderFrame = nullptr;
  int BorderWidth = 1, BorderHeight = 1;  // the border frame's design size, pixels
};

// The wrapper sprite holding the show and the album of the prepared photos (at least one).
TFlashSprite* BuildAlbum(TFlashMovie& movie, const TSlideshowSettings& settings,
                         const std::vector<TPreparedPhoto>& photos, const TAlbumArtwork& artwork,
                         TRandom& random);

}  // namespace orvanta
