#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "media/picture_codecs.h"

namespace orvanta::artwork {

// A frame of a SWF file drawn by our rasteriser, scaled to fit a width x height cell and
// centred in it on an opaque background (0xRRGGBB).
TPicture RenderThumbnail(std::span<const uint8_t> swf, int frame, uint32_t width, uint32_t height,
                         uint32_t background);

// Cells side by side, left to right, as one strip.
TPicture JoinStrip(const std::vector<TPicture>& cells);

// A GIF of any picture: colours are brought to a fixed palette of 252 first.
std::vector<uint8_t> EncodeGIFQuantised(const TPicture& picture);

// An uncompressed 24-bit BMP file.
std::vector<uint8_t> EncodeBMP24(const TPicture& picture);

}  // namespace orvanta::artwork
