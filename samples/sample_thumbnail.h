#pragma once

#include <cstdint>
#include <span>

#include "media/picture_codecs.h"

namespace orvanta::samples {

inline constexpr uint32_t kThumbnailWidth = 80, kThumbnailHeight = 60;

// An 80 x 60 picture of a built banner: its background movie with the main movie over it, at
// the frame of the main movie's first ten seconds that shows the most (the headline in, the
// pictures faded up), scaled to fit and centred on grey.
TPicture DrawSampleThumbnail(std::span<const uint8_t> backgroundMovie,
                             std::span<const uint8_t> mainMovie);

}  // namespace orvanta::samples
