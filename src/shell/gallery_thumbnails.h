#pragma once

#include <cstdint>
#include <span>

#include "media/picture_codecs.h"
#include "shell/gallery_movies.h"

namespace orvanta {

struct TCatalogue;

// The size of a drawn thumbnail in a list that has no pictures of its own to match.
inline constexpr uint32_t kDrawnThumbnailWidth = 100, kDrawnThumbnailHeight = 55;

// The movie at the first of a few moments that shows the most detail, fitted and centred into
// width x height on white. Raises Error for a movie the rasteriser cannot draw.
TPicture MovieThumbnail(std::span<const uint8_t> swf, uint32_t width, uint32_t height);

// Gives every gallery entry without a picture one: drawn from its preview movie, the album's
// line borders drawn as they look, and "None" (or an entry whose movie is missing) as a
// crossed-out circle. Each list's drawn pictures match the size of its own.
void DrawMissingThumbnails(TCatalogue& catalogue, const TGallerySources& sources);

}  // namespace orvanta
