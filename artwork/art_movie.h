#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "movie/flash_movie.h"

namespace orvanta::artwork {

// Every artwork seed is fixed, so two runs of the generator write the same bytes.
inline constexpr uint64_t kArtworkSeed = 20061210;

// A movie of W x H pixels at version 8 in pixel units, with the artwork seed: artwork is
// imported into version-8 banners and must never raise their version.
std::unique_ptr<TFlashMovie> NewArtMovie(int32_t width, int32_t height, double fps = 12);
// The same with a frame rectangle that need not start at the origin (pixels).
std::unique_ptr<TFlashMovie> NewArtMovie(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax,
                                         double fps = 12);

// The finished file (compressed, CWS).
std::vector<uint8_t> MovieBytes(TFlashMovie& movie);

}  // namespace orvanta::artwork
