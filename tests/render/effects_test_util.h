#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ostream>

#include "render/color_ops.h"
#include "render/pixmap.h"

namespace orvanta::render::test {

// A pixel as straight-forward numbers for comparisons: premultiplied, like the pixmap.
struct TPx {
  int R = 0, G = 0, B = 0, A = 0;
  bool operator==(const TPx&) const = default;
};

inline void PrintTo(const TPx& p, std::ostream* os) {
  *os << "(" << p.R << ", " << p.G << ", " << p.B << ", " << p.A << ")";
}

inline TPx Get(const TPixmap& pm, int x, int y) {
  const uint8_t* p = pm.Row(y) + x * 4;
  return {p[kRed], p[kGreen], p[kBlue], p[kAlpha]};
}

// Stores an already premultiplied pixel.
inline void Put(TPixmap& pm, int x, int y, TPx c) {
  uint8_t* p = pm.Row(y) + x * 4;
  p[kRed] = static_cast<uint8_t>(c.R);
  p[kGreen] = static_cast<uint8_t>(c.G);
  p[kBlue] = static_cast<uint8_t>(c.B);
  p[kAlpha] = static_cast<uint8_t>(c.A);
}

// Fills a rectangle with a straight colour, premultiplying it.
inline void FillRect(TPixmap& pm, int x0, int y0, int w, int h, int r, int g, int b, int a) {
  TPx c{static_cast<int>(Div255(r * a)), static_cast<int>(Div255(g * a)),
        static_cast<int>(Div255(b * a)), a};
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) Put(pm, x, y, c);
}

inline TPixmap Filled(int w, int h, int r, int g, int b, int a) {
  TPixmap pm(w, h);
  FillRect(pm, 0, 0, w, h, r, g, b, a);
  return pm;
}

inline int64_t TotalAlpha(const TPixmap& pm) {
  int64_t sum = 0;
  for (size_t i = kAlpha; i < pm.Pixels.size(); i += 4) sum += pm.Pixels[i];
  return sum;
}

// True when every colour channel is at most the alpha, as premultiplied pixels must be.
inline bool ValidPremultiplied(const TPixmap& pm) {
  for (size_t i = 0; i < pm.Pixels.size(); i += 4)
    for (int c = 0; c < 3; ++c)
      if (pm.Pixels[i + c] > pm.Pixels[i + kAlpha]) return false;
  return true;
}

// The smallest square around the centre (cx, cy) outside which every pixel is transparent,
// as a distance in pixels; -1 for a fully transparent pixmap.
inline int InkReach(const TPixmap& pm, int cx, int cy) {
  int reach = -1;
  for (int y = 0; y < pm.Height; ++y)
    for (int x = 0; x < pm.Width; ++x)
      if (pm.Row(y)[x * 4 + kAlpha] != 0) {
        int d = std::max(std::abs(x - cx), std::abs(y - cy));
        reach = std::max(reach, d);
      }
  return reach;
}

}  // namespace orvanta::render::test
