#include "render/blend_modes.h"

#include <algorithm>
#include <cstring>

#include "render/color_ops.h"

namespace orvanta::render {

namespace {

// The separable modes follow the usual compositing rule on premultiplied values:
//   result = Sa * Da * B(s, d) + Sc * (1 - Da) + Dc * (1 - Sa),   alpha = Sa + Da - Sa * Da,
// where Mix() returns Sa * Da * B(s, d) scaled by 255 * 255, computed from the premultiplied
// channels so that no division is needed before the final rounding.
template <uint8_t Mode>
inline uint32_t Mix(uint32_t sc, uint32_t sa, uint32_t dc, uint32_t da) {
  if constexpr (Mode == kBlendMultiply) {
    return sc * dc;
  } else if constexpr (Mode == kBlendScreen) {
    return sc * da + dc * sa - sc * dc;
  } else if constexpr (Mode == kBlendLighten) {
    return std::max(sc * da, dc * sa);
  } else if constexpr (Mode == kBlendDarken) {
    return std::min(sc * da, dc * sa);
  } else if constexpr (Mode == kBlendDifference) {
    uint32_t x = sc * da, y = dc * sa;
    return x > y ? x - y : y - x;
  } else if constexpr (Mode == kBlendOverlay) {
    // Hard light with the roles of layer and background swapped.
    if (2 * dc <= da) return 2 * sc * dc;
    return sa * da - 2 * (da - dc) * (sa - sc);
  } else {
    static_assert(Mode == kBlendHardLight);
    if (2 * sc <= sa) return 2 * sc * dc;
    return sa * da - 2 * (da - dc) * (sa - sc);
  }
}

template <uint8_t Mode>
inline void BlendPixel(uint8_t* d, const uint8_t* s) {
  uint32_t sa = s[kAlpha];
  if (sa == 0) return;
  uint32_t da = d[kAlpha];
  if constexpr (Mode == kBlendNormal) {
    if (sa == 255) {
      std::memcpy(d, s, 4);
      return;
    }
    // Valid premultiplied input cannot overflow a channel here: s + d * (255 - sa) / 255 <= 255.
    StorePixel(d, LoadPixel(s) + ScalePixel(LoadPixel(d), 255 - sa));
  } else if constexpr (Mode == kBlendAdd) {
    for (int c = 0; c < 4; ++c) d[c] = static_cast<uint8_t>(std::min(255u, uint32_t{d[c]} + s[c]));
  } else if constexpr (Mode == kBlendSubtract) {
    for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>(d[c] > s[c] ? d[c] - s[c] : 0);
    d[kAlpha] = static_cast<uint8_t>(sa + da - Div255(sa * da));
  } else if constexpr (Mode == kBlendInvert) {
    // The background's inverse, (Da - Dc) premultiplied, shows where the layer covers.
    uint32_t k = 255 - sa;
    for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>(Div255(d[c] * k + (da - d[c]) * sa));
  } else if constexpr (Mode == kBlendAlpha) {
    StorePixel(d, ScalePixel(LoadPixel(d), sa));
  } else if constexpr (Mode == kBlendErase) {
    StorePixel(d, ScalePixel(LoadPixel(d), 255 - sa));
  } else {
    uint32_t ks = 255 - da, kd = 255 - sa;
    for (int c = 0; c < 3; ++c) {
      uint32_t sc = std::min<uint32_t>(s[c], sa), dc = std::min<uint32_t>(d[c], da);
      uint32_t v = Div255(Mix<Mode>(sc, sa, dc, da) + sc * ks + dc * kd);
      d[c] = static_cast<uint8_t>(std::min(v, 255u));
    }
    d[kAlpha] = static_cast<uint8_t>(sa + da - Div255(sa * da));
  }
}

// Alpha and erase act on the background even where the layer is empty: there they keep it
// (alpha mode clears it), so these modes visit every pixel the layer spans.
template <uint8_t Mode>
void BlendRows(TPixmap& dest, const TPixmap& layer, int x0, int y0, int x1, int y1, int x, int y) {
  for (int row = y0; row < y1; ++row) {
    uint8_t* d = dest.Row(row) + static_cast<size_t>(x0) * 4;
    const uint8_t* s = layer.Row(row - y) + static_cast<size_t>(x0 - x) * 4;
    for (int col = x0; col < x1; ++col, d += 4, s += 4) {
      if constexpr (Mode == kBlendAlpha) {
        if (s[kAlpha] == 0) {
          d[0] = d[1] = d[2] = d[3] = 0;
          continue;
        }
      }
      BlendPixel<Mode>(d, s);
    }
  }
}

}  // namespace

void BlendLayer(TPixmap& dest, const TPixmap& layer, int x, int y, uint8_t blendMode) {
  // The part of the layer that lies inside dest, in dest coordinates; 64-bit so that a far-off
  // position cannot overflow.
  int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
  int64_t x1 = std::min<int64_t>(int64_t{x} + layer.Width, dest.Width);
  int64_t y1 = std::min<int64_t>(int64_t{y} + layer.Height, dest.Height);
  if (x0 >= x1 || y0 >= y1) return;
  auto run = [&](auto mode) {
    BlendRows<decltype(mode)::value>(dest, layer, static_cast<int>(x0), static_cast<int>(y0),
                                     static_cast<int>(x1), static_cast<int>(y1), x, y);
  };
  switch (blendMode) {
    case kBlendMultiply:
      return run(std::integral_constant<uint8_t, kBlendMultiply>{});
    case kBlendScreen:
      return run(std::integral_constant<uint8_t, kBlendScreen>{});
    case kBlendLighten:
      return run(std::integral_constant<uint8_t, kBlendLighten>{});
    case kBlendDarken:
      return run(std::integral_constant<uint8_t, kBlendDarken>{});
    case kBlendDifference:
      return run(std::integral_constant<uint8_t, kBlendDifference>{});
    case kBlendAdd:
      return run(std::integral_constant<uint8_t, kBlendAdd>{});
    case kBlendSubtract:
      return run(std::integral_constant<uint8_t, kBlendSubtract>{});
    case kBlendInvert:
      return run(std::integral_constant<uint8_t, kBlendInvert>{});
    case kBlendAlpha:
      return run(std::integral_constant<uint8_t, kBlendAlpha>{});
    case kBlendErase:
      return run(std::integral_constant<uint8_t, kBlendErase>{});
    case kBlendOverlay:
      return run(std::integral_constant<uint8_t, kBlendOverlay>{});
    case kBlendHardLight:
      return run(std::integral_constant<uint8_t, kBlendHardLight>{});
    default:
      // 0, 1 and 2 (the layer itself is composited as one group, which is how it arrives here)
      // and codes no player knows.
      return run(std::integral_constant<uint8_t, kBlendNormal>{});
  }
}

}  // namespace orvanta::render
