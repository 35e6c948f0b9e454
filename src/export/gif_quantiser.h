#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "media/picture_codecs.h"

namespace orvanta {

// A picture reduced to at most 256 colours: one palette index per pixel, rows top to bottom.
struct TIndexedPicture {
  int Width = 0, Height = 0;
  std::vector<std::array<uint8_t, 3>> Palette;  // RGB
  std::vector<uint8_t> Indices;
  int Transparent = -1;  // the index of the transparent pixels, or -1
};

// Chooses a palette for the picture and maps every pixel to it with error diffusion
// (libimagequant). Pixels with alpha 0 share one transparent entry; every other pixel is taken
// as opaque. Error when the picture is empty or the quantiser fails.
TIndexedPicture QuantisePicture(const TPicture& picture);

}  // namespace orvanta
