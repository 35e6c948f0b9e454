#pragma once

#include "builders/slideshow/album_parts.h"

namespace orvanta {

// The pixels one page of thumbnails moves up: a page of rows and the empty row after it.
int PageStep(const TSlideshowSettings& settings);

// The page buttons, the two arrows and the page window of an album of count photos on more than
// one page.
void AddPageControls(TAlbumStage& stage, int count, int pages);

}  // namespace orvanta
