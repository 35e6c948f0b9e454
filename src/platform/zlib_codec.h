#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvanta {

// A zlib stream of the data (bitmap bodies, alpha planes, anything a tag stores deflated).
std::vector<uint8_t> Deflate(std::span<const uint8_t> data);

// Inflates a zlib stream into at most `limit` bytes; the result is shorter when the stream ends
// early. Memory grows with the output actually produced, so a size taken from a hostile file
// costs nothing up front. FormatError when the data is not zlib data at all.
std::vector<uint8_t> InflateBounded(std::span<const uint8_t> data, size_t limit);

}  // namespace orvanta
