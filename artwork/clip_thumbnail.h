#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace orvanta::artwork {

inline constexpr int kClipThumbWidth = 100, kClipThumbHeight = 40;

// The gallery picture of a clip: its first frame in which something shows, fitted into 100 x 40
// on white, as a 24-bit BMP file. Raises Error when no frame shows anything.
std::vector<uint8_t> ClipThumbnailBmp(std::span<const uint8_t> swf);

}  // namespace orvanta::artwork
