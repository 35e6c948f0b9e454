#pragma once

#include <cstdint>

#include "render/pixmap.h"

namespace orvanta::render {

// The SWF blend mode codes of PlaceObject3.
enum : uint8_t {
  kBlendNormal0 = 0,
  kBlendNormal = 1,
  kBlendLayer = 2,
  kBlendMultiply = 3,
  kBlendScreen = 4,
  kBlendLighten = 5,
  kBlendDarken = 6,
  kBlendDifference = 7,
  kBlendAdd = 8,
  kBlendSubtract = 9,
  kBlendInvert = 10,
  kBlendAlpha = 11,
  kBlendErase = 12,
  kBlendOverlay = 13,
  kBlendHardLight = 14,
};

// Composites `layer` onto `dest` with its top-left at (x, y) in dest, with an SWF blend mode code
// (0/1 normal, 2 layer, 3 multiply, 4 screen, 5 lighten, 6 darken, 7 difference, 8 add,
// 9 subtract, 10 invert, 11 alpha, 12 erase, 13 overlay, 14 hardlight). Unknown codes draw as
// normal; the parts of the layer outside dest are clipped.
void BlendLayer(TPixmap& dest, const TPixmap& layer, int x, int y, uint8_t blendMode);

}  // namespace orvanta::render
