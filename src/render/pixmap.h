#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvanta::render {

// Premultiplied 8-bit BGRA, rows of Width*4 bytes without padding: the byte layout of a Cairo
// CAIRO_FORMAT_ARGB32 surface on little-endian machines, so Cairo can draw into it directly.
struct TPixmap {
  // Larger pixmaps are refused: a frame or a filtered layer never needs more, and a size taken
  // from a damaged file must not turn into a multi-gigabyte allocation.
  static constexpr int64_t kMaxPixels = int64_t{1} << 26;

  int Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;  // Width * Height * 4

  TPixmap() = default;
  // Transparent black. Throws orvanta::Error for a negative size or one past kMaxPixels.
  TPixmap(int width, int height);

  uint8_t* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * Width * 4; }
  const uint8_t* Row(int y) const { return Pixels.data() + static_cast<size_t>(y) * Width * 4; }
  bool Empty() const { return Width <= 0 || Height <= 0; }
};

// Byte offsets of the channels inside a pixel.
inline constexpr int kBlue = 0, kGreen = 1, kRed = 2, kAlpha = 3;

}  // namespace orvanta::render
