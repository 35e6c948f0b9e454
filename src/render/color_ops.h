#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "render/pixmap.h"
#include "swf/swf_records.h"

namespace orvanta::render {

// Colour transform on premultiplied pixels, as the player applies it: on the unpremultiplied
// colour, c' = clamp(c * Mult / 256 + Add, 0, 255) with the 8.8 multiply terms, then premultiplied
// again. A group whose flag is off is the identity; without HasAlpha the alpha channel is kept.
// Fully transparent pixels stay transparent: the transform recolours what was drawn and does not
// paint the empty parts of a layer.
void ApplyColorTransform(TPixmap& layer, const TSWFColorTransform& cxform);

// x / 255 rounded to nearest, exact for 0 <= x <= 255 * 255 * 2.
inline uint32_t Div255(uint32_t x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// A pixel as one little-endian word: blue in the low byte, alpha in the high byte.
inline uint32_t LoadPixel(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
inline void StorePixel(uint8_t* p, uint32_t v) {
  std::memcpy(p, &v, 4);
}

// Every channel of a packed pixel times k / 255, rounded as Div255 does, two channels per
// multiply (k <= 255).
inline uint32_t ScalePixel(uint32_t px, uint32_t k) {
  uint32_t rb = (px & 0x00FF00FFu) * k + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  uint32_t ag = ((px >> 8) & 0x00FF00FFu) * k + 0x00800080u;
  ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return rb | ag;
}

// Straight colour out of a premultiplied channel: Unpremultiplier()[a] * c >> 16, rounded, for
// c <= a. Entry 0 is 0.
const std::array<uint32_t, 256>& Unpremultiplier();

inline uint8_t Unpremultiply(uint32_t c, uint32_t a) {
  uint32_t v = (c * Unpremultiplier()[a] + 32768) >> 16;
  return static_cast<uint8_t>(v > 255 ? 255 : v);
}

// Converts between premultiplied and straight colour in place.
void Unpremultiply(TPixmap& layer);
void Premultiply(TPixmap& layer);

}  // namespace orvanta::render
