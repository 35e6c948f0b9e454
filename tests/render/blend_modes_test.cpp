#include "render/blend_modes.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "render/effects_test_util.h"

namespace orvanta::render {
namespace {

using test::Filled;
using test::FillRect;
using test::Get;
using test::TPx;

// Background (200, 100, 50) and layer (100, 150, 250), both opaque, through one mode.
TPx BlendOpaque(uint8_t mode) {
  TPixmap dest = Filled(1, 1, 200, 100, 50, 255);
  TPixmap layer = Filled(1, 1, 100, 150, 250, 255);
  BlendLayer(dest, layer, 0, 0, mode);
  return Get(dest, 0, 0);
}

TEST(BlendModes, OpaqueColoursMatchHandComputedResults) {
  EXPECT_EQ(BlendOpaque(0), (TPx{100, 150, 250, 255}));
  EXPECT_EQ(BlendOpaque(kBlendNormal), (TPx{100, 150, 250, 255}));
  EXPECT_EQ(BlendOpaque(kBlendLayer), (TPx{100, 150, 250, 255}));
  // 200*100/255 = 78.4, 100*150/255 = 58.8, 50*250/255 = 49.0
  EXPECT_EQ(BlendOpaque(kBlendMultiply), (TPx{78, 59, 49, 255}));
  // s + d - s*d/255
  EXPECT_EQ(BlendOpaque(kBlendScreen), (TPx{222, 191, 251, 255}));
  EXPECT_EQ(BlendOpaque(kBlendLighten), (TPx{200, 150, 250, 255}));
  EXPECT_EQ(BlendOpaque(kBlendDarken), (TPx{100, 100, 50, 255}));
  EXPECT_EQ(BlendOpaque(kBlendDifference), (TPx{100, 50, 200, 255}));
  EXPECT_EQ(BlendOpaque(kBlendAdd), (TPx{255, 250, 255, 255}));
  EXPECT_EQ(BlendOpaque(kBlendSubtract), (TPx{100, 0, 0, 255}));
  EXPECT_EQ(BlendOpaque(kBlendInvert), (TPx{55, 155, 205, 255}));
  // An opaque layer keeps all of the background in alpha mode and removes it in erase mode.
  EXPECT_EQ(BlendOpaque(kBlendAlpha), (TPx{200, 100, 50, 255}));
  EXPECT_EQ(BlendOpaque(kBlendErase), (TPx{0, 0, 0, 0}));
  // Overlay decides on the background: red 200 is light (255 - 2*55*155/255 = 188.1), green
  // 100 and blue 50 dark (2*150*100/255 = 117.6, 2*250*50/255 = 98.0).
  EXPECT_EQ(BlendOpaque(kBlendOverlay), (TPx{188, 118, 98, 255}));
  // Hard light decides on the layer: 2*100*200/255 = 156.9, 255 - 2*105*155/255 = 127.4,
  // 255 - 2*5*205/255 = 247.0.
  EXPECT_EQ(BlendOpaque(kBlendHardLight), (TPx{157, 127, 247, 255}));
  // A code no player knows draws normally.
  EXPECT_EQ(BlendOpaque(200), (TPx{100, 150, 250, 255}));
}

TEST(BlendModes, HalfTransparentLayerScalesTheBackgroundInAlphaAndEraseModes) {
  TPixmap layer = Filled(1, 1, 10, 20, 30, 128);
  TPixmap dest = Filled(1, 1, 200, 100, 50, 255);
  BlendLayer(dest, layer, 0, 0, kBlendAlpha);
  EXPECT_EQ(Get(dest, 0, 0), (TPx{100, 50, 25, 128}));

  dest = Filled(1, 1, 200, 100, 50, 255);
  BlendLayer(dest, layer, 0, 0, kBlendErase);
  EXPECT_EQ(Get(dest, 0, 0), (TPx{100, 50, 25, 127}));
}

TEST(BlendModes, EmptyLayerPixelsClearTheBackgroundOnlyInAlphaMode) {
  TPixmap layer(2, 1);
  FillRect(layer, 0, 0, 1, 1, 0, 0, 0, 255);
  for (uint8_t mode = 0; mode <= kBlendHardLight; ++mode) {
    TPixmap dest = Filled(2, 1, 200, 100, 50, 255);
    BlendLayer(dest, layer, 0, 0, mode);
    TPx expected = mode == kBlendAlpha ? TPx{0, 0, 0, 0} : TPx{200, 100, 50, 255};
    EXPECT_EQ(Get(dest, 1, 0), expected) << "mode " << int{mode};
  }
}

TEST(BlendModes, SeparableModesOverTransparentBackgroundShowTheLayerUnchanged) {
  // Where there is no background the layer shows as it is: multiplying by "nothing" must not
  // give black.
  for (uint8_t mode : {kBlendMultiply, kBlendScreen, kBlendLighten, kBlendDarken, kBlendDifference,
                       kBlendOverlay, kBlendHardLight, kBlendAdd}) {
    TPixmap dest(1, 1);
    TPixmap layer = Filled(1, 1, 100, 150, 250, 128);
    TPx expected = Get(layer, 0, 0);
    BlendLayer(dest, layer, 0, 0, mode);
    EXPECT_EQ(Get(dest, 0, 0), expected) << "mode " << int{mode};
  }
}

TEST(BlendModes, HalfCoveredMultiplyMixesTheBlendWithTheBackground) {
  // Layer white at alpha 128 over opaque (200, 100, 50): multiply by white is the background
  // itself, so the result is the background, whatever the coverage.
  TPixmap dest = Filled(1, 1, 200, 100, 50, 255);
  BlendLayer(dest, Filled(1, 1, 255, 255, 255, 128), 0, 0, kBlendMultiply);
  EXPECT_EQ(Get(dest, 0, 0), (TPx{200, 100, 50, 255}));

  // Black at alpha 128: half of the background is left.
  dest = Filled(1, 1, 200, 100, 50, 255);
  BlendLayer(dest, Filled(1, 1, 0, 0, 0, 128), 0, 0, kBlendMultiply);
  EXPECT_EQ(Get(dest, 0, 0), (TPx{100, 50, 25, 255}));

  // Invert at half coverage lands half way between the background and its inverse.
  dest = Filled(1, 1, 200, 100, 50, 255);
  BlendLayer(dest, Filled(1, 1, 0, 0, 0, 128), 0, 0, kBlendInvert);
  EXPECT_EQ(Get(dest, 0, 0), (TPx{127, 128, 128, 255}));
}

TEST(BlendModes, NormalOverPartlyTransparentBackground) {
  TPixmap dest = Filled(1, 1, 0, 0, 255, 128);  // premultiplied (0, 0, 128, 128)
  BlendLayer(dest, Filled(1, 1, 255, 0, 0, 128), 0, 0, kBlendNormal);
  // 128 + 128 * 127 / 255 = 191.7 alpha; blue 128 * 127 / 255 = 63.8.
  EXPECT_EQ(Get(dest, 0, 0), (TPx{128, 0, 64, 192}));
}

TEST(BlendModes, LayerIsClippedToTheDestination) {
  TPixmap layer = Filled(3, 3, 255, 0, 0, 255);
  TPixmap dest = Filled(4, 4, 0, 0, 255, 255);
  BlendLayer(dest, layer, -2, -1, kBlendNormal);
  EXPECT_EQ(Get(dest, 0, 0), (TPx{255, 0, 0, 255}));
  EXPECT_EQ(Get(dest, 0, 1), (TPx{255, 0, 0, 255}));
  EXPECT_EQ(Get(dest, 1, 0), (TPx{0, 0, 255, 255}));
  EXPECT_EQ(Get(dest, 0, 2), (TPx{0, 0, 255, 255}));

  BlendLayer(dest, layer, 3, 3, kBlendMultiply);
  EXPECT_EQ(Get(dest, 3, 3), (TPx{0, 0, 0, 255}));
  EXPECT_EQ(Get(dest, 2, 3), (TPx{0, 0, 255, 255}));

  // Entirely outside, at the far ends of the coordinate range, or empty: nothing happens.
  TPixmap before = dest;
  BlendLayer(dest, layer, 4, 0, kBlendNormal);
  BlendLayer(dest, layer, -3, 0, kBlendNormal);
  BlendLayer(dest, layer, INT32_MAX, INT32_MIN, kBlendAlpha);
  BlendLayer(dest, layer, INT32_MIN, INT32_MAX, kBlendErase);
  BlendLayer(dest, TPixmap(), 0, 0, kBlendNormal);
  EXPECT_EQ(dest.Pixels, before.Pixels);
  TPixmap empty;
  BlendLayer(empty, layer, 0, 0, kBlendNormal);
}

TEST(Pixmap, SizeLimits) {
  TPixmap pm(3, 2);
  EXPECT_EQ(pm.Pixels.size(), 24u);
  EXPECT_EQ(pm.Row(1) - pm.Row(0), 12);
  EXPECT_NO_THROW(TPixmap(0, 0));
  EXPECT_THROW(TPixmap(-1, 5), Error);
  EXPECT_THROW(TPixmap(100000, 100000), Error);
}

}  // namespace
}  // namespace orvanta::render
