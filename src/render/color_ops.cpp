#include "render/color_ops.h"

#include <algorithm>

namespace orvanta::render {

namespace {

std::array<uint32_t, 256> MakeUnpremultiplier() {
  std::array<uint32_t, 256> table{};
  for (uint32_t a = 1; a < 256; ++a) table[a] = ((255u << 16) + a / 2) / a;
  return table;
}

// The straight value each input value becomes under one channel's terms.
std::array<uint8_t, 256> ChannelTable(int64_t mult, int64_t add) {
  std::array<uint8_t, 256> table{};
  for (int64_t v = 0; v < 256; ++v) {
    // The player divides, so negative products truncate towards zero.
    int64_t out = v * mult / 256 + add;
    table[v] = static_cast<uint8_t>(std::clamp<int64_t>(out, 0, 255));
  }
  return table;
}

}  // namespace

const std::array<uint32_t, 256>& Unpremultiplier() {
  static const std::array<uint32_t, 256> table = MakeUnpremultiplier();
  return table;
}

void ApplyColorTransform(TPixmap& layer, const TSWFColorTransform& cxform) {
  bool mult = cxform.HasMult, add = cxform.HasAdd, alpha = cxform.HasAlpha;
  int64_t rm = mult ? cxform.RedMult : 256, gm = mult ? cxform.GreenMult : 256;
  int64_t bm = mult ? cxform.BlueMult : 256, am = mult && alpha ? cxform.AlphaMult : 256;
  int64_t ra = add ? cxform.RedAdd : 0, ga = add ? cxform.GreenAdd : 0;
  int64_t ba = add ? cxform.BlueAdd : 0, aa = add && alpha ? cxform.AlphaAdd : 0;
  bool colourIdentity = rm == 256 && gm == 256 && bm == 256 && ra == 0 && ga == 0 && ba == 0;
  bool alphaIdentity = am == 256 && aa == 0;
  if (colourIdentity && alphaIdentity) return;

  const auto alphaTable = ChannelTable(am, aa);
  uint8_t* p = layer.Pixels.data();
  uint8_t* end = p + layer.Pixels.size();

  if (colourIdentity) {
    // Fades: the straight colour stays, so a pixel scales by new alpha / old alpha, in 16.16.
    std::array<uint32_t, 256> factor{};
    for (uint32_t a = 1; a < 256; ++a) factor[a] = ((uint32_t{alphaTable[a]} << 16) + a / 2) / a;
    for (; p != end; p += 4) {
      uint32_t a = p[kAlpha];
      if (a == 0 || alphaTable[a] == a) continue;
      uint32_t f = factor[a];
      for (int c = 0; c < 3; ++c)
        p[c] = static_cast<uint8_t>((std::min<uint32_t>(p[c], a) * f + 32768) >> 16);
      p[kAlpha] = alphaTable[a];
    }
    return;
  }

  const auto red = ChannelTable(rm, ra), green = ChannelTable(gm, ga), blue = ChannelTable(bm, ba);
  const auto& unpremultiplier = Unpremultiplier();
  const bool opaqueStays = alphaTable[255] == 255;
  for (; p != end; p += 4) {
    uint32_t a = p[kAlpha];
    if (a == 0) continue;
    if (a == 255 && opaqueStays) {
      p[kBlue] = blue[p[kBlue]];
      p[kGreen] = green[p[kGreen]];
      p[kRed] = red[p[kRed]];
      continue;
    }
    uint32_t na = alphaTable[a];
    if (na == 0) {
      p[0] = p[1] = p[2] = p[3] = 0;
      continue;
    }
    if (a == 255) {
      p[kBlue] = static_cast<uint8_t>(Div255(blue[p[kBlue]] * na));
      p[kGreen] = static_cast<uint8_t>(Div255(green[p[kGreen]] * na));
      p[kRed] = static_cast<uint8_t>(Div255(red[p[kRed]] * na));
      p[kAlpha] = static_cast<uint8_t>(na);
      continue;
    }
    uint32_t scale = unpremultiplier[a];
    auto straight = [scale](uint32_t c) {
      uint32_t v = (c * scale + 32768) >> 16;
      return v > 255 ? 255u : v;
    };
    p[kBlue] = static_cast<uint8_t>(Div255(blue[straight(p[kBlue])] * na));
    p[kGreen] = static_cast<uint8_t>(Div255(green[straight(p[kGreen])] * na));
    p[kRed] = static_cast<uint8_t>(Div255(red[straight(p[kRed])] * na));
    p[kAlpha] = static_cast<uint8_t>(na);
  }
}

void Unpremultiply(TPixmap& layer) {
  uint8_t* p = layer.Pixels.data();
  uint8_t* end = p + layer.Pixels.size();
  for (; p != end; p += 4) {
    uint32_t a = p[kAlpha];
    if (a == 255) continue;
    for (int c = 0; c < 3; ++c) p[c] = Unpremultiply(p[c], a);
  }
}

void Premultiply(TPixmap& layer) {
  uint8_t* p = layer.Pixels.data();
  uint8_t* end = p + layer.Pixels.size();
  for (; p != end; p += 4) {
    uint32_t a = p[kAlpha];
    if (a == 255) continue;
    for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(Div255(p[c] * a));
  }
}

}  // namespace orvanta::render
