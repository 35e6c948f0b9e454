#pragma once

#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>

#include "movie/flash_movie.h"
#include "swf/tags_data.h"

namespace orvanta::conformance {

// A 200x150 pixel movie at 12 fps in pixel units, with a fixed random seed.
std::unique_ptr<TFlashMovie> NewMovie(int version, bool compressed = false);
// The header swf-parser must read from a NewMovie file.
nlohmann::json Header(int version, int frameCount, bool compressed = false);
// A solid rectangle (twips) as a raw DefineShape tag.
std::unique_ptr<TSWFByteCodeTag> RectangleShape(uint16_t id, int width, int height, uint32_t rgb);

}  // namespace orvanta::conformance
