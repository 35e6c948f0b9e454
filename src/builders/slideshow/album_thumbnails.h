#pragma once

#include "builders/slideshow/album_parts.h"

namespace orvanta {

// Where a thumbnail stands: (X, Y) in the grid of all pages one below the other, Y0 on the
// rows of its own page, which is where it shows while that page is displayed.
struct TThumbPlace {
  int X = 0, Y = 0, Y0 = 0;
};
TThumbPlace ThumbnailPlace(const TSlideshowSettings& settings, int p, int width, int height);

// The highlight, the thumbnail picture, the fly-in sprite and the button of one photo, placed in
// the album; count is the number of photos in the album.
void AddThumbnail(TAlbumStage& stage, const TAlbumPhoto& photo, int count);

}  // namespace orvanta
