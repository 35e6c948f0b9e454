#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "project/content_builder.h"

namespace orvanta {

// The first frame of the background movie drawn on white at the banner's size and cut into four
// vertical strips as JPEG files (quality 100). Strips 1 to 3 are width div 4 wide and the fourth
// takes the rest, so together they cover every column. A frame the rasteriser refuses gives
// white strips and a warning.
std::vector<std::vector<uint8_t>> DrawBackgroundStrips(std::span<const uint8_t> backgroundMovie,
                                                       int width, int height,
                                                       TBuildContext& context);

}  // namespace orvanta
