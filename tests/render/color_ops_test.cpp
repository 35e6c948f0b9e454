#include "render/color_ops.h"

#include <gtest/gtest.h>

#include "render/effects_test_util.h"

namespace orvanta::render {
namespace {

using test::Filled;
using test::Get;
using test::TPx;

TEST(ColorTransform, MultiplyAndAddClampOnStraightColour) {
  TPixmap pm = Filled(1, 1, 200, 100, 50, 255);
  TSWFColorTransform cx;
  cx.HasMult = cx.HasAdd = true;
  // Values a file can hold but the setters would not produce: 2.0 and -1.0 multipliers.
  cx.RedMult = 512, cx.GreenMult = -256, cx.BlueMult = 256;
  cx.RedAdd = 10, cx.GreenAdd = 300, cx.BlueAdd = -60;
  ApplyColorTransform(pm, cx);
  // 400 + 10 -> 255; -100 + 300 = 200; 50 - 60 -> 0.
  EXPECT_EQ(Get(pm, 0, 0), (TPx{255, 200, 0, 255}));
}

TEST(ColorTransform, AlphaTermsOnlyWithHasAlpha) {
  TSWFColorTransform cx;
  cx.HasMult = true;
  cx.RedMult = cx.GreenMult = cx.BlueMult = 256;
  cx.AlphaMult = 128;

  // Without HasAlpha the record has no alpha terms: the pixel is left as it is.
  TPixmap pm = Filled(1, 1, 200, 100, 50, 255);
  ApplyColorTransform(pm, cx);
  EXPECT_EQ(Get(pm, 0, 0), (TPx{200, 100, 50, 255}));

  // With them, alpha halves and the colour stays the same colour, premultiplied again.
  cx.HasAlpha = true;
  ApplyColorTransform(pm, cx);
  EXPECT_EQ(Get(pm, 0, 0), (TPx{100, 50, 25, 127}));

  // An alpha pushed to zero clears the pixel.
  cx.AlphaMult = 0;
  ApplyColorTransform(pm, cx);
  EXPECT_EQ(Get(pm, 0, 0), (TPx{0, 0, 0, 0}));
}

TEST(ColorTransform, WorksOnTheUnpremultipliedColourOfTranslucentPixels) {
  // Straight (200, 100, 50) at alpha 51 is stored as (40, 20, 10, 51), exactly.
  TPixmap pm = Filled(1, 1, 200, 100, 50, 51);
  TSWFColorTransform cx;
  cx.HasMult = cx.HasAdd = cx.HasAlpha = true;
  cx.RedMult = 128, cx.GreenMult = cx.BlueMult = 256, cx.AlphaMult = 256;
  cx.AlphaAdd = 204;  // to opaque
  cx.BlueAdd = 100;   // 50 + 100 straight
  ApplyColorTransform(pm, cx);
  EXPECT_EQ(Get(pm, 0, 0), (TPx{100, 100, 150, 255}));
}

TEST(ColorTransform, IdentityAndEmptyPixelsAreLeftAlone) {
  TPixmap pm = Filled(2, 1, 200, 100, 50, 51);
  test::Put(pm, 1, 0, TPx{0, 0, 0, 0});
  TPixmap before = pm;
  TSWFColorTransform none;
  ApplyColorTransform(pm, none);
  EXPECT_EQ(pm.Pixels, before.Pixels);

  // An add on every channel colours what was drawn but does not paint the empty pixel.
  TSWFColorTransform add;
  add.SetAdd(50, 50, 50, 255);
  ApplyColorTransform(pm, add);
  EXPECT_EQ(Get(pm, 0, 0), (TPx{250, 150, 100, 255}));
  EXPECT_EQ(Get(pm, 1, 0), (TPx{0, 0, 0, 0}));

  TPixmap empty;
  ApplyColorTransform(empty, add);
}

TEST(ColorOps, PremultiplyRoundTripKeepsOpaqueAndRecoversTranslucentColour) {
  TPixmap pm = Filled(3, 1, 200, 100, 50, 255);
  test::FillRect(pm, 1, 0, 1, 1, 200, 100, 50, 128);
  test::FillRect(pm, 2, 0, 1, 1, 200, 100, 50, 0);
  Unpremultiply(pm);
  EXPECT_EQ(Get(pm, 0, 0), (TPx{200, 100, 50, 255}));
  // (100, 50, 25) at 128 back to straight: within one step of the original colour.
  TPx p = Get(pm, 1, 0);
  EXPECT_NEAR(p.R, 200, 1);
  EXPECT_NEAR(p.G, 100, 1);
  EXPECT_NEAR(p.B, 50, 1);
  EXPECT_EQ(Get(pm, 2, 0), (TPx{0, 0, 0, 0}));
  Premultiply(pm);
  EXPECT_EQ(Get(pm, 1, 0), (TPx{100, 50, 25, 128}));

  // Every premultiplied value comes back to itself through straight colour.
  for (uint32_t a = 1; a < 256; ++a)
    for (uint32_t c = 0; c <= a; ++c)
      ASSERT_EQ(Div255(Unpremultiply(c, a) * a), c) << c << " at alpha " << a;
}

}  // namespace
}  // namespace orvanta::render
