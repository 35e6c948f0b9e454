#include "render/filters_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <vector>

#include "render/effects_test_util.h"

namespace orvanta::render {
namespace {

using test::Filled;
using test::FillRect;
using test::Get;
using test::InkReach;
using test::TotalAlpha;
using test::TPx;
using test::ValidPremultiplied;

constexpr double kPi = std::numbers::pi;
const TPx kClear{0, 0, 0, 0};
const TPx kBlack{0, 0, 0, 255};
const TPx kWhite{255, 255, 255, 255};
const TPx kRed{255, 0, 0, 255};
const TPx kGrey{128, 128, 128, 255};

template <class T>
T& Add(TSWFFilterList& list, uint8_t id) {
  return dynamic_cast<T&>(*list.AddFilter(id));
}

// A 30 x 30 layer with an opaque square of `size` at (10, 10).
TPixmap Square(int size = 4, TPx color = kRed) {
  TPixmap pm(30, 30);
  FillRect(pm, 10, 10, size, size, color.R, color.G, color.B, color.A);
  return pm;
}

bool Near(TPx a, TPx b) {
  return std::abs(a.R - b.R) <= 1 && std::abs(a.G - b.G) <= 1 && std::abs(a.B - b.B) <= 1 &&
         std::abs(a.A - b.A) <= 1;
}

// Mirror images left-right and top-bottom; a square one also matches its transpose, within the
// rounding that the horizontal pass, done first, adds.
bool Symmetric(const TPixmap& pm) {
  int w = pm.Width - 1, h = pm.Height - 1;
  for (int y = 0; y <= h; ++y)
    for (int x = 0; x <= w; ++x) {
      TPx p = Get(pm, x, y);
      if (Get(pm, w - x, y) != p || Get(pm, x, h - y) != p) return false;
      if (pm.Width == pm.Height && !Near(Get(pm, y, x), p)) return false;
    }
  return true;
}

// ---- Blur

TEST(Blur, OnePixelSpreadsSymmetricallyAndKeepsItsAlpha) {
  for (int passes = 1; passes <= 3; ++passes) {
    for (double width : {3.0, 4.0, 5.0, 7.5}) {
      SCOPED_TRACE(testing::Message() << "width " << width << ", " << passes << " passes");
      TPixmap pm(41, 41);
      FillRect(pm, 20, 20, 1, 1, 255, 255, 255, 255);
      BoxBlur(pm, width, width, passes);
      EXPECT_TRUE(Symmetric(pm));
      EXPECT_TRUE(ValidPremultiplied(pm));
      // Every pass rounds each pixel to 8 bits; values of a widely spread single pixel are so
      // small that the faint rim rounds away, some 13% at worst here.
      EXPECT_NEAR(static_cast<double>(TotalAlpha(pm)), 255.0, 255 * 0.15);
      // A pass reaches ceil((width - 1) / 2) pixels each side.
      int reach = static_cast<int>(std::ceil((width - 1) / 2)) * passes;
      EXPECT_LE(InkReach(pm, 20, 20), reach);
      EXPECT_GE(InkReach(pm, 20, 20), passes == 1 ? reach : 1);
    }
  }
}

// The box filter written out directly: each pass replaces every byte by the weighted mean of
// its neighbours along one axis (whole weight within (width - 1) / 2, the remainder on the next
// pixel each side, nothing beyond the edges), rounded to a byte; horizontal passes first.
TPixmap ReferenceBlur(const TPixmap& source, double width, int passes, bool horizontal,
                      bool vertical) {
  TPixmap pm = source;
  double half = (width - 1) / 2;
  int r = static_cast<int>(half);
  double frac = half - r;
  auto pass = [&](bool alongX) {
    TPixmap out = pm;
    for (int y = 0; y < pm.Height; ++y)
      for (int x = 0; x < pm.Width; ++x)
        for (int c = 0; c < 4; ++c) {
          double sum = 0;
          for (int k = -r - 1; k <= r + 1; ++k) {
            int sx = alongX ? x + k : x, sy = alongX ? y : y + k;
            if (sx < 0 || sy < 0 || sx >= pm.Width || sy >= pm.Height) continue;
            double weight = std::abs(k) <= r ? 1 : frac;
            sum += weight * pm.Row(sy)[sx * 4 + c];
          }
          out.Row(y)[x * 4 + c] = static_cast<uint8_t>(std::floor(sum / width + 0.5));
        }
    pm = out;
  };
  if (horizontal)
    for (int i = 0; i < passes; ++i) pass(true);
  if (vertical)
    for (int i = 0; i < passes; ++i) pass(false);
  return pm;
}

TEST(Blur, MatchesTheDirectBoxFilterOnAnOddSizedLayer) {
  TPixmap source(37, 11);
  uint32_t seed = 12345;
  for (int y = 0; y < source.Height; ++y)
    for (int x = 0; x < source.Width; ++x) {
      seed = seed * 1103515245 + 12345;
      int a = (seed >> 16) & 0xFF;
      FillRect(source, x, y, 1, 1, (seed >> 8) & 0xFF, (seed >> 4) & 0xFF, x * 6, a);
    }
  struct Case {
    double Width;
    int Passes;
    bool X, Y;
  } cases[] = {{3, 1, true, true},
               {4, 2, true, false},
               {6.5, 3, false, true},
               {5.25, 2, true, true},
               {30, 1, true, true}};
  for (const Case& c : cases) {
    TPixmap pm = source;
    BoxBlur(pm, c.X ? c.Width : 0, c.Y ? c.Width : 0, c.Passes);
    TPixmap expected = ReferenceBlur(source, c.Width, c.Passes, c.X, c.Y);
    for (size_t i = 0; i < pm.Pixels.size(); ++i)
      ASSERT_NEAR(pm.Pixels[i], expected.Pixels[i], 1)
          << "width " << c.Width << ", " << c.Passes << " passes, byte " << i;
  }
}

TEST(Blur, LargerShapeKeepsTotalAlphaClosely) {
  TPixmap pm(60, 60);
  FillRect(pm, 25, 25, 10, 10, 0, 0, 255, 255);
  int64_t before = TotalAlpha(pm);
  BoxBlur(pm, 6.5, 9, 3);
  EXPECT_NEAR(static_cast<double>(TotalAlpha(pm)), static_cast<double>(before), before * 0.01);
  EXPECT_TRUE(ValidPremultiplied(pm));
}

TEST(Blur, UniformAreaStaysTheSameAwayFromTheEdges) {
  TPixmap pm = Filled(40, 40, 10, 200, 30, 255);
  BoxBlur(pm, 9, 9, 3);
  EXPECT_EQ(Get(pm, 20, 20), (TPx{10, 200, 30, 255}));
  // Transparent surroundings bleed in at the border.
  EXPECT_LT(Get(pm, 0, 0).A, 255);
  EXPECT_GT(Get(pm, 0, 0).A, 0);
  EXPECT_TRUE(ValidPremultiplied(pm));
}

TEST(Blur, FilterScalesWithTheStageAndBlursEachAxisOnItsOwn) {
  TSWFFilterList list;
  auto& blur = Add<TSWFBlurFilter>(list, kFilterBlur);
  blur.BlurX = 4;
  blur.BlurY = 4;
  blur.Passes = 1;
  for (double scale : {1.0, 2.0}) {
    TPixmap pm(41, 41);
    FillRect(pm, 20, 20, 1, 1, 255, 255, 255, 255);
    ApplyFilters(pm, list, scale, scale);
    // Width 4: one whole pixel each side plus half-weighted ones; width 8: three plus halves.
    EXPECT_EQ(InkReach(pm, 20, 20), scale == 1 ? 2 : 4);
  }

  blur.BlurY = 0;
  TPixmap pm(41, 41);
  FillRect(pm, 20, 20, 1, 1, 255, 255, 255, 255);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_GT(Get(pm, 22, 20).A, 0);
  EXPECT_EQ(Get(pm, 20, 21), kClear);
}

TEST(Blur, NoPassesOrNoWidthLeavesThePixels) {
  TPixmap pm = Square();
  TPixmap before = pm;
  TSWFFilterList list;
  auto& blur = Add<TSWFBlurFilter>(list, kFilterBlur);
  blur.BlurX = blur.BlurY = 10;
  blur.Passes = 0;
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(pm.Pixels, before.Pixels);
  blur.Passes = 3;
  blur.BlurX = blur.BlurY = 1;
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(pm.Pixels, before.Pixels);
}

// ---- Drop shadow

// A black, unblurred shadow at 45 degrees, 4 pixels away: round(4 cos 45) = 3 each way, so a
// 4 x 4 square at (10..13) casts onto (13..16).
TSWFDropShadowFilter& HardShadow(TSWFFilterList& list) {
  auto& shadow = Add<TSWFDropShadowFilter>(list, kFilterDropShadow);
  shadow.BlurX = shadow.BlurY = 0;
  shadow.Passes = 1;
  shadow.Angle = kPi / 4;
  shadow.Distance = 4;
  shadow.Strength = 1;
  return shadow;
}

TEST(DropShadow, LandsAtTheAngleAndDistanceBehindTheObject) {
  TSWFFilterList list;
  HardShadow(list);
  TPixmap pm = Square();
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 11, 11), kRed);
  EXPECT_EQ(Get(pm, 13, 13), kRed);  // the object stays in front
  EXPECT_EQ(Get(pm, 16, 16), kBlack);
  EXPECT_EQ(Get(pm, 14, 16), kBlack);
  EXPECT_EQ(Get(pm, 17, 17), kClear);
  EXPECT_EQ(Get(pm, 14, 12), kClear);
  EXPECT_EQ(Get(pm, 9, 9), kClear);
}

TEST(DropShadow, AngleIsMeasuredFromTheXAxisTowardsY) {
  struct {
    double Angle;
    int Dx, Dy;
  } cases[] = {{0, 5, 0}, {kPi / 2, 0, 5}, {kPi, -5, 0}, {-kPi / 2, 0, -5}, {kPi / 4, 4, 4}};
  for (const auto& c : cases) {
    TSWFFilterList list;
    auto& shadow = HardShadow(list);
    shadow.Angle = c.Angle;
    shadow.Distance = 5;
    shadow.CompositeSource = false;
    TPixmap pm(30, 30);
    FillRect(pm, 14, 14, 1, 1, 255, 0, 0, 255);
    ApplyFilters(pm, list, 1, 1);
    EXPECT_EQ(Get(pm, 14 + c.Dx, 14 + c.Dy), kBlack) << "angle " << c.Angle;
    EXPECT_EQ(test::TotalAlpha(pm), 255) << "angle " << c.Angle;
  }
}

TEST(DropShadow, DistanceScalesWithTheStage) {
  TSWFFilterList list;
  auto& shadow = HardShadow(list);
  shadow.Angle = 0;
  shadow.Distance = 3;
  shadow.CompositeSource = false;
  TPixmap pm(30, 30);
  FillRect(pm, 5, 5, 1, 1, 255, 0, 0, 255);
  ApplyFilters(pm, list, 2.5, 1);
  EXPECT_EQ(Get(pm, 5 + 8, 5), kBlack);  // round(3 * 2.5) = 8
}

TEST(DropShadow, KnockoutAndHiddenObject) {
  // Knockout keeps only the shadow outside the object.
  TSWFFilterList list;
  auto& shadow = HardShadow(list);
  shadow.Knockout = true;
  TPixmap pm = Square();
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 11, 11), kClear);
  EXPECT_EQ(Get(pm, 13, 13), kClear);
  EXPECT_EQ(Get(pm, 16, 16), kBlack);

  // A hidden object leaves the whole shadow, also where the object was.
  shadow.Knockout = false;
  shadow.CompositeSource = false;
  pm = Square();
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 11, 11), kClear);
  EXPECT_EQ(Get(pm, 13, 13), kBlack);
  EXPECT_EQ(Get(pm, 16, 16), kBlack);
}

TEST(DropShadow, InnerShadowFallsInsideTheObjectFromTheEdgeFacingTheLight) {
  TSWFFilterList list;
  auto& shadow = HardShadow(list);
  shadow.InnerShadow = true;
  TPixmap pm = Square();
  ApplyFilters(pm, list, 1, 1);
  // The top-left band (3 pixels deep) is shadowed; the far corner keeps the object's colour;
  // nothing is drawn outside.
  EXPECT_EQ(Get(pm, 10, 10), kBlack);
  EXPECT_EQ(Get(pm, 12, 13), kBlack);
  EXPECT_EQ(Get(pm, 13, 13), kRed);
  EXPECT_EQ(Get(pm, 16, 16), kClear);
  EXPECT_EQ(Get(pm, 9, 9), kClear);

  // Knocked out (or with the object hidden) the object's own colour goes.
  for (bool knockout : {true, false}) {
    shadow.Knockout = knockout;
    shadow.CompositeSource = knockout;
    pm = Square();
    ApplyFilters(pm, list, 1, 1);
    EXPECT_EQ(Get(pm, 10, 10), kBlack);
    EXPECT_EQ(Get(pm, 13, 13), kClear);
  }
}

TEST(DropShadow, ColourAlphaAndStrength) {
  TSWFFilterList list;
  auto& shadow = HardShadow(list);
  shadow.DropShadowColor.SetRGBA(PackRGBA(0, 0, 255, 128));
  TPixmap pm = Square();
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 16, 16), (TPx{0, 0, 128, 128}));

  // A blurred edge is half covered; strength 2 makes it twice as dense.
  shadow.DropShadowColor.SetRGBA(PackRGBA(0, 0, 0, 255));
  shadow.BlurX = shadow.BlurY = 4;
  shadow.CompositeSource = false;
  pm = Square(8);
  ApplyFilters(pm, list, 1, 1);
  int soft = Get(pm, 16, 21).A;
  shadow.Strength = 2;
  pm = Square(8);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_GT(soft, 20);
  EXPECT_NEAR(Get(pm, 16, 21).A, std::min(255, 2 * soft), 1);
  EXPECT_EQ(Get(pm, 16, 16), kBlack);
}

// ---- Glow

TEST(Glow, OuterGlowSurroundsAndInnerGlowLinesTheObject) {
  TSWFFilterList list;
  auto& glow = Add<TSWFGlowFilter>(list, kFilterGlow);
  glow.GlowColor.SetRGBA(PackRGBA(255, 0, 0, 255));
  glow.BlurX = glow.BlurY = 6;
  glow.Passes = 1;
  glow.Strength = 1;

  TPixmap pm = Square(10, kBlack);
  ApplyFilters(pm, list, 1, 1);
  TPx beside = Get(pm, 9, 15);
  EXPECT_GT(beside.A, 0);
  EXPECT_LT(beside.A, 255);
  EXPECT_EQ(beside.R, beside.A);  // pure red, premultiplied
  EXPECT_EQ(Get(pm, 15, 15), kBlack);
  EXPECT_EQ(Get(pm, 2, 2), kClear);
  EXPECT_TRUE(Symmetric(pm));

  glow.InnerGlow = true;
  pm = Square(10, kBlack);
  ApplyFilters(pm, list, 1, 1);
  TPx edge = Get(pm, 10, 15);
  EXPECT_GT(edge.R, 0);
  EXPECT_EQ(edge.A, 255);
  EXPECT_EQ(Get(pm, 15, 15), kBlack);  // beyond the blur's reach from the edges
  EXPECT_EQ(Get(pm, 9, 15), kClear);
  EXPECT_TRUE(Symmetric(pm));

  glow.InnerGlow = false;
  glow.Knockout = true;
  pm = Square(10, kBlack);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 15, 15), kClear);
  EXPECT_EQ(Get(pm, 9, 15), beside);
}

TEST(GradientGlow, TransparentToColourRampMatchesAPlainGlow) {
  TSWFFilterList plain, gradient;
  auto& glow = Add<TSWFGlowFilter>(plain, kFilterGlow);
  glow.GlowColor.SetRGBA(PackRGBA(0, 128, 255, 255));
  glow.BlurX = glow.BlurY = 5;
  glow.Passes = 2;
  glow.Strength = 1.5;
  auto& ramp = Add<TSWFGradientGlowFilter>(gradient, kFilterGradientGlow);
  ramp.Gradient.clear();
  ramp.AddColor(PackRGBA(0, 128, 255, 0), 0);
  ramp.AddColor(PackRGBA(0, 128, 255, 255), 255);
  ramp.BlurX = ramp.BlurY = 5;
  ramp.Passes = 2;
  ramp.Strength = 1.5;
  ramp.Distance = 0;

  for (bool inner : {false, true}) {
    glow.InnerGlow = ramp.InnerShadow = inner;
    TPixmap a = Square(8, kBlack), b = Square(8, kBlack);
    ApplyFilters(a, plain, 1, 1);
    ApplyFilters(b, gradient, 1, 1);
    for (size_t i = 0; i < a.Pixels.size(); ++i)
      ASSERT_NEAR(a.Pixels[i], b.Pixels[i], 1) << "byte " << i << (inner ? " inner" : "");
  }
}

TEST(GradientGlow, StopsColourTheGlowByDensity) {
  TSWFFilterList list;
  auto& glow = Add<TSWFGradientGlowFilter>(list, kFilterGradientGlow);
  glow.Gradient.clear();
  glow.AddColor(PackRGBA(0, 0, 255, 0), 0);
  glow.AddColor(PackRGBA(0, 255, 0, 255), 128);
  glow.AddColor(PackRGBA(255, 0, 0, 255), 255);
  glow.BlurX = glow.BlurY = 8;
  glow.Passes = 1;
  glow.Strength = 1;
  glow.CompositeSource = false;
  TPixmap pm = Square(10, kBlack);
  ApplyFilters(pm, list, 1, 1);
  // Deep inside the blurred shape: the last stop; at the outer rim: mostly transparent.
  EXPECT_EQ(Get(pm, 15, 15), kRed);
  TPx rim = Get(pm, 6, 15);
  EXPECT_LT(rim.A, 128);
  EXPECT_GT(rim.G, rim.R);

  // Without stops nothing is drawn; the hidden object leaves an empty layer.
  glow.Gradient.clear();
  pm = Square(10, kBlack);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(TotalAlpha(pm), 0);
}

// ---- Bevel

// A grey 10 x 10 square, white highlight, black shadow, unblurred, lit from the left (angle 0,
// distance 3): the left edges light up and the right edges fall into shadow.
TSWFBevelFilter& HardBevel(TSWFFilterList& list) {
  auto& bevel = Add<TSWFBevelFilter>(list, kFilterBevel);
  bevel.HighlightColor.SetRGBA(PackRGBA(255, 255, 255, 255));
  bevel.ShadowColor.SetRGBA(PackRGBA(0, 0, 0, 255));
  bevel.BlurX = bevel.BlurY = 0;
  bevel.Passes = 1;
  bevel.Angle = 0;
  bevel.Distance = 3;
  bevel.Strength = 1;
  return bevel;
}

TEST(Bevel, InnerOuterAndFullPlacement) {
  TSWFFilterList list;
  auto& bevel = HardBevel(list);
  bevel.InnerShadow = true;
  TPixmap pm = Square(10, kGrey);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 10, 15), kWhite);
  EXPECT_EQ(Get(pm, 12, 15), kWhite);
  EXPECT_EQ(Get(pm, 15, 15), kGrey);
  EXPECT_EQ(Get(pm, 19, 15), kBlack);
  EXPECT_EQ(Get(pm, 8, 15), kClear);
  EXPECT_EQ(Get(pm, 21, 15), kClear);

  bevel.InnerShadow = false;
  pm = Square(10, kGrey);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 8, 15), kWhite);
  EXPECT_EQ(Get(pm, 21, 15), kBlack);
  EXPECT_EQ(Get(pm, 10, 15), kGrey);
  EXPECT_EQ(Get(pm, 19, 15), kGrey);
  EXPECT_EQ(Get(pm, 15, 5), kClear);

  bevel.OnTop = true;
  pm = Square(10, kGrey);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 8, 15), kWhite);
  EXPECT_EQ(Get(pm, 10, 15), kWhite);
  EXPECT_EQ(Get(pm, 19, 15), kBlack);
  EXPECT_EQ(Get(pm, 15, 15), kGrey);
}

TEST(Bevel, LightFromAboveAndKnockout) {
  TSWFFilterList list;
  auto& bevel = HardBevel(list);
  bevel.InnerShadow = true;
  bevel.Angle = kPi / 2;
  bevel.Knockout = true;
  TPixmap pm = Square(10, kGrey);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 15, 10), kWhite);
  EXPECT_EQ(Get(pm, 15, 19), kBlack);
  EXPECT_EQ(Get(pm, 15, 15), kClear);
  EXPECT_EQ(Get(pm, 10, 15), kClear);
}

TEST(GradientBevel, HighlightToShadowRampMatchesAPlainBevel) {
  TSWFFilterList plain, gradient;
  auto& bevel = HardBevel(plain);
  bevel.BlurX = bevel.BlurY = 4;
  bevel.Angle = kPi / 4;
  auto& ramp = Add<TSWFGradientBevelFilter>(gradient, kFilterGradientBevel);
  ramp.Gradient.clear();
  ramp.AddColor(PackRGBA(255, 255, 255, 255), 0);
  ramp.AddColor(PackRGBA(255, 255, 255, 0), 128);
  ramp.AddColor(PackRGBA(0, 0, 0, 0), 128);
  ramp.AddColor(PackRGBA(0, 0, 0, 255), 255);
  ramp.BlurX = ramp.BlurY = 4;
  ramp.Passes = 1;
  ramp.Angle = kPi / 4;
  ramp.Distance = 3;
  ramp.Strength = 1;
  for (bool inner : {false, true}) {
    bevel.InnerShadow = ramp.InnerShadow = inner;
    TPixmap a = Square(10, kGrey), b = Square(10, kGrey);
    ApplyFilters(a, plain, 1, 1);
    ApplyFilters(b, gradient, 1, 1);
    // The ramp has half the steps of the plain bevel's table.
    for (size_t i = 0; i < a.Pixels.size(); ++i)
      ASSERT_NEAR(a.Pixels[i], b.Pixels[i], 3) << "byte " << i << (inner ? " inner" : "");
  }
}

// ---- Colour matrix

TPixmap Assorted() {
  TPixmap pm(4, 2);
  FillRect(pm, 0, 0, 1, 1, 200, 100, 50, 255);
  FillRect(pm, 1, 0, 1, 1, 200, 100, 50, 51);
  FillRect(pm, 2, 0, 1, 1, 10, 250, 128, 200);
  FillRect(pm, 3, 0, 1, 1, 255, 255, 255, 1);
  FillRect(pm, 0, 1, 1, 1, 0, 0, 0, 255);
  FillRect(pm, 1, 1, 1, 1, 255, 255, 255, 255);
  FillRect(pm, 2, 1, 1, 1, 90, 60, 30, 128);
  return pm;
}

TEST(ColorMatrix, IdentityIsANoOpAndGreyMatrixMakesGrey) {
  TSWFFilterList list;
  auto& m = Add<TSWFColorMatrixFilter>(list, kFilterColorMatrix);
  m.Matrix = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
  TPixmap pm = Assorted();
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(pm.Pixels, Assorted().Pixels);
  // Not quite the identity, so the pixels go through the arithmetic, and come back the same.
  m.Matrix[4] = 1e-6f;
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(pm.Pixels, Assorted().Pixels);

  m.Matrix = {0.3f, 0.59f, 0.11f, 0, 0, 0.3f, 0.59f, 0.11f, 0, 0,
              0.3f, 0.59f, 0.11f, 0, 0, 0,    0,     0,     1, 0};
  ApplyFilters(pm, list, 1, 1);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      TPx p = Get(pm, x, y);
      EXPECT_TRUE(p.R == p.G && p.G == p.B) << x << "," << y;
      EXPECT_EQ(p.A, Get(Assorted(), x, y).A);
    }
  // 0.3 * 200 + 0.59 * 100 + 0.11 * 50 = 124.5
  EXPECT_NEAR(Get(pm, 0, 0).R, 124.5, 0.5);
}

TEST(ColorMatrix, WorksOnStraightColourWithOffsetsInByteUnits) {
  TSWFFilterList list;
  auto& m = Add<TSWFColorMatrixFilter>(list, kFilterColorMatrix);
  // Red and blue swapped, green raised by 100, alpha raised by 128.
  m.Matrix = {0, 0, 1, 0, 0, 0, 1, 0, 0, 100, 1, 0, 0, 0, 0, 0, 0, 0, 1, 128};
  TPixmap pm(2, 1);
  FillRect(pm, 0, 0, 1, 1, 200, 100, 50, 51);  // stored exactly as (40, 20, 10, 51)
  ApplyFilters(pm, list, 1, 1);
  // Straight (50, 200, 200) at alpha 179.
  EXPECT_EQ(Get(pm, 0, 0), (TPx{35, 140, 140, 179}));
  // An empty pixel takes the offsets: black (green 100) at alpha 128.
  EXPECT_EQ(Get(pm, 1, 0), (TPx{0, 50, 0, 128}));
}

// ---- Convolution

TSWFConvolutionFilter& Convolution(TSWFFilterList& list, std::vector<float> matrix, float divisor) {
  auto& f = Add<TSWFConvolutionFilter>(list, kFilterConvolution);
  f.SetMatrixSize(3, 3);
  f.Matrix = std::move(matrix);
  f.Divisor = divisor;
  f.DefaultColor.SetRGBA(0);
  return f;
}

TEST(Convolution, IdentityBiasAndDivisor) {
  TSWFFilterList list;
  auto& f = Convolution(list, {0, 0, 0, 0, 1, 0, 0, 0, 0}, 1);
  TPixmap pm = Assorted();
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(pm.Pixels, Assorted().Pixels);

  // A zero divisor counts as 1; the bias is added in byte units.
  f.Divisor = 0;
  f.Bias = 20;
  f.PreserveAlpha = true;
  pm = Filled(3, 3, 100, 100, 100, 255);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 1, 1), (TPx{120, 120, 120, 255}));
}

TEST(Convolution, EdgesUseTheDefaultColourOrRepeatWithClamp) {
  TSWFFilterList list;
  auto& f = Convolution(list, {1, 1, 1, 1, 1, 1, 1, 1, 1}, 9);
  f.PreserveAlpha = false;
  TPixmap pm = Filled(5, 5, 255, 255, 255, 255);
  ApplyFilters(pm, list, 1, 1);
  // A corner sees 4 white pixels out of 9: straight 113, alpha 113.
  EXPECT_EQ(Get(pm, 0, 0), (TPx{50, 50, 50, 113}));
  EXPECT_EQ(Get(pm, 2, 2), kWhite);

  f.PreserveAlpha = true;
  pm = Filled(5, 5, 255, 255, 255, 255);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 0, 0), (TPx{113, 113, 113, 255}));

  f.DefaultColor.SetRGBA(PackRGBA(0, 0, 255, 255));
  pm = Filled(5, 5, 255, 255, 255, 255);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 0, 0), (TPx{113, 113, 255, 255}));

  f.Clamp = true;
  pm = Filled(5, 5, 255, 255, 255, 255);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(pm.Pixels, Filled(5, 5, 255, 255, 255, 255).Pixels);
}

// ---- Margins

TEST(FilterMargin, CoversTheSpreadOfEveryFilter) {
  struct Case {
    const char* Name;
    std::function<void(TSWFFilterList&)> Make;
    double Scale;
  };
  std::vector<Case> cases = {
      {"blur",
       [](TSWFFilterList& l) {
         auto& f = Add<TSWFBlurFilter>(l, kFilterBlur);
         f.BlurX = 7, f.BlurY = 3, f.Passes = 3;
       },
       1},
      {"scaled blur",
       [](TSWFFilterList& l) {
         auto& f = Add<TSWFBlurFilter>(l, kFilterBlur);
         f.BlurX = f.BlurY = 5, f.Passes = 2;
       },
       1.7},
      {"many passes",
       [](TSWFFilterList& l) {
         auto& f = Add<TSWFBlurFilter>(l, kFilterBlur);
         f.BlurX = f.BlurY = 6, f.Passes = 15;
       },
       1},
      {"shadow",
       [](TSWFFilterList& l) {
         auto& f = HardShadow(l);
         f.BlurX = f.BlurY = 5, f.Distance = 9, f.Angle = 2.5, f.Passes = 2;
       },
       1.5},
      {"glow",
       [](TSWFFilterList& l) {
         auto& f = Add<TSWFGlowFilter>(l, kFilterGlow);
         f.BlurX = f.BlurY = 10, f.Strength = 8, f.Passes = 9;
       },
       1},
      {"bevel",
       [](TSWFFilterList& l) {
         auto& f = HardBevel(l);
         f.BlurX = 6, f.Distance = 5, f.Angle = 1;
       },
       1},
      {"chain",
       [](TSWFFilterList& l) {
         auto& b = Add<TSWFBlurFilter>(l, kFilterBlur);
         b.BlurX = b.BlurY = 4;
         auto& f = HardShadow(l);
         f.BlurX = f.BlurY = 3, f.Distance = 6;
       },
       1},
  };
  for (const auto& c : cases) {
    TSWFFilterList list;
    c.Make(list);
    int margin = FilterMargin(list, c.Scale, c.Scale);
    EXPECT_GT(margin, 0) << c.Name;
    // A layer with room to spare beyond the margin: the ink stays within the margin.
    int size = 6 + 2 * (margin + 10), at = margin + 10;
    TPixmap pm(size, size);
    FillRect(pm, at, at, 6, 6, 255, 255, 255, 255);
    ApplyFilters(pm, list, c.Scale, c.Scale);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        if (Get(pm, x, y).A == 0) continue;
        int outside = std::max({at - x, x - (at + 5), at - y, y - (at + 5), 0});
        ASSERT_LE(outside, margin) << c.Name << " at " << x << "," << y;
      }
  }

  TSWFFilterList none;
  EXPECT_EQ(FilterMargin(none, 1, 1), 0);
  TSWFFilterList inner;
  auto& shadow = HardShadow(inner);
  shadow.InnerShadow = true;
  shadow.BlurX = 20;
  Add<TSWFColorMatrixFilter>(inner, kFilterColorMatrix);
  Add<TSWFConvolutionFilter>(inner, kFilterConvolution);
  EXPECT_EQ(FilterMargin(inner, 1, 1), 0);
}

// ---- Extreme and empty input

TEST(Filters, ExtremeParametersAndEmptyLayersFinish) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  TSWFFilterList list;
  auto& blur = Add<TSWFBlurFilter>(list, kFilterBlur);
  blur.BlurX = 1e9, blur.BlurY = nan, blur.Passes = 255;
  auto& shadow = Add<TSWFDropShadowFilter>(list, kFilterDropShadow);
  shadow.BlurX = -5, shadow.BlurY = inf, shadow.Passes = 31;
  shadow.Distance = 1e12, shadow.Angle = nan, shadow.Strength = 1e9;
  auto& glow = Add<TSWFGlowFilter>(list, kFilterGlow);
  glow.BlurX = glow.BlurY = 32767, glow.Strength = -3, glow.InnerGlow = true;
  auto& bevel = Add<TSWFBevelFilter>(list, kFilterBevel);
  bevel.Distance = -inf, bevel.Angle = inf, bevel.Strength = nan, bevel.BlurX = 40;
  auto& gg = Add<TSWFGradientGlowFilter>(list, kFilterGradientGlow);
  gg.Distance = 5e5, gg.BlurX = 255, gg.Passes = 15, gg.OnTop = true;
  auto& gb = Add<TSWFGradientBevelFilter>(list, kFilterGradientBevel);
  gb.Gradient.clear();
  gb.AddColor(PackRGBA(1, 2, 3, 4), 200);
  gb.AddColor(PackRGBA(5, 6, 7, 8), 100);  // out of order
  gb.Strength = 255, gb.Distance = 2;
  auto& cm = Add<TSWFColorMatrixFilter>(list, kFilterColorMatrix);
  cm.Matrix.fill(std::numeric_limits<float>::quiet_NaN());
  cm.Matrix[0] = 1e30f, cm.Matrix[4] = -1e30f;
  auto& conv = Add<TSWFConvolutionFilter>(list, kFilterConvolution);
  conv.SetMatrixSize(7, 5);
  conv.Matrix.resize(3);  // fewer values than cells
  conv.Matrix[0] = std::numeric_limits<float>::infinity(), conv.Matrix[1] = 1e30f;
  conv.Divisor = std::numeric_limits<float>::quiet_NaN();
  conv.Bias = -std::numeric_limits<float>::infinity();

  int margin = FilterMargin(list, 1e300, nan);
  EXPECT_GE(margin, 0);
  EXPECT_LE(margin, 1024);
  EXPECT_LE(FilterMargin(list, 1, 1), 1024);

  for (auto [w, h] : {std::pair{0, 0}, {0, 7}, {7, 0}, {1, 1}, {3, 50}, {64, 64}}) {
    TPixmap pm(w, h);
    if (w * h > 0) FillRect(pm, 0, 0, (w + 1) / 2, (h + 1) / 2, 255, 128, 0, 200);
    ApplyFilters(pm, list, 1, 1);
    ApplyFilters(pm, list, 1e300, -1e300);
    ApplyFilters(pm, list, nan, inf);
    EXPECT_TRUE(ValidPremultiplied(pm)) << w << "x" << h;
  }
}

TEST(Convolution, HugeMatrixOverALargeLayerIsSkipped) {
  TSWFFilterList list;
  auto& f = Add<TSWFConvolutionFilter>(list, kFilterConvolution);
  f.SetMatrixSize(255, 255);
  std::fill(f.Matrix.begin(), f.Matrix.end(), 1.0f);
  f.Divisor = 65025;
  TPixmap pm = Filled(600, 600, 10, 20, 30, 255);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 300, 300), (TPx{10, 20, 30, 255}));

  // The same matrix over a small layer still runs: every pixel sees the whole layer clamped.
  f.Clamp = true;
  pm = Filled(4, 4, 10, 20, 30, 255);
  ApplyFilters(pm, list, 1, 1);
  EXPECT_EQ(Get(pm, 0, 0), (TPx{10, 20, 30, 255}));
}

}  // namespace
}  // namespace orvanta::render
