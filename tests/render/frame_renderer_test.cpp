#include "render/frame_renderer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

#include "media/filters.h"
#include "movie/flash_font.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "movie/flash_text.h"
#include "platform/errors.h"
#include "platform/font_engine.h"
#include "render/blend_modes.h"
#include "render_test_util.h"
#include "swf/tags_bitmap.h"
#include "swf/tags_display.h"
#include "swf/tags_shape.h"
#include "swf/tags_text.h"

namespace orvanta::render {
namespace {

using test::At;
using test::Reread;
using test::TPixel;

constexpr uint32_t kRed = PackRGBA(255, 0, 0, 255);
constexpr uint32_t kBlue = PackRGBA(0, 0, 255, 255);

::testing::AssertionResult IsRGB(const TPixel& p, int r, int g, int b) {
  if (std::abs(p.R - r) <= 2 && std::abs(p.G - g) <= 2 && std::abs(p.B - b) <= 2)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel " << p.R << "," << p.G << "," << p.B << "," << p.A
                                       << " is not " << r << "," << g << "," << b;
}

class FrameRendererTest : public ::testing::Test {
 protected:
  FrameRendererTest() { movie.BackgroundColor().SetColor(0xFFFFFF); }

  TPixmap Render(const TRenderOptions& options = {}) {
    reader = Reread(movie);
    return RenderFrame(*reader, options);
  }
  TPixmap RenderAt(int frame) {
    TRenderOptions options;
    options.Frame = frame;
    return Render(options);
  }
  // A raw shape: a w x h rectangle at the origin filled with the given style.
  uint16_t RawRectangle(int w, int h, std::unique_ptr<TSWFFillStyle> fill,
                        std::unique_ptr<TSWFLineStyle> line = nullptr) {
    auto shape = std::make_unique<TSWFDefineShape3>();
    shape->ShapeId = nextId++;
    shape->ShapeBounds = TSWFRect(0, 0, w, h);
    fill->HasAlpha = true;
    shape->FillStyles.push_back(std::move(fill));
    if (line) shape->LineStyles.push_back(std::move(line));
    auto start = std::make_unique<TSWFStyleChangeRecord>();
    start->SetMoveTo(0, 0);
    start->SetFillStyle1(1);
    if (!shape->LineStyles.empty()) start->SetLineStyle(1);
    shape->ShapeRecords.push_back(std::move(start));
    shape->ShapeRecords.push_back(std::make_unique<TSWFStraightEdgeRecord>(w, 0));
    shape->ShapeRecords.push_back(std::make_unique<TSWFStraightEdgeRecord>(0, h));
    shape->ShapeRecords.push_back(std::make_unique<TSWFStraightEdgeRecord>(-w, 0));
    shape->ShapeRecords.push_back(std::make_unique<TSWFStraightEdgeRecord>(0, -h));
    shape->ShapeRecords.push_back(std::make_unique<TSWFEndShapeRecord>());
    uint16_t id = shape->ShapeId;
    movie.Add(std::move(shape));
    return id;
  }
  TSWFPlaceObject3& PlaceRaw(uint16_t id, uint16_t depth, int x = 0, int y = 0) {
    auto place = std::make_unique<TSWFPlaceObject3>();
    place->Depth = depth;
    place->SetCharacterId(id);
    place->Matrix().SetTranslate(x, y);
    return *movie.Add(std::move(place));
  }

  TFlashMovie movie{0, 0, 100, 100, 12, true};
  std::unique_ptr<TSWFStreamReader> reader;
  uint16_t nextId = 1000;
};

std::unique_ptr<TSWFFillStyle> Solid(uint32_t rgba) {
  auto fill = std::make_unique<TSWFColorFill>();
  fill->Color.SetRGBA(rgba);
  return fill;
}

TEST_F(FrameRendererTest, SolidRectangleAtEveryOutputSize) {
  TFlashShape* red = movie.AddRectangle(10, 10, 60, 60);
  red->SetSolidColor(kRed);
  movie.PlaceObject(red, 1);
  movie.ShowFrame();

  TPixmap p = Render();
  ASSERT_EQ(p.Width, 100);
  ASSERT_EQ(p.Height, 100);
  EXPECT_TRUE(IsRGB(At(p, 30, 30), 255, 0, 0));
  EXPECT_EQ(At(p, 30, 30).A, 255);
  EXPECT_TRUE(IsRGB(At(p, 80, 80), 255, 255, 255));
  EXPECT_TRUE(IsRGB(At(p, 9, 30), 255, 255, 255));
  EXPECT_TRUE(IsRGB(At(p, 10, 30), 255, 0, 0));  // edges on pixel borders stay crisp
  EXPECT_TRUE(IsRGB(At(p, 59, 59), 255, 0, 0));
  EXPECT_TRUE(IsRGB(At(p, 60, 59), 255, 255, 255));

  TRenderOptions scaled;
  scaled.Scale = 2;
  p = Render(scaled);
  ASSERT_EQ(p.Width, 200);
  EXPECT_TRUE(IsRGB(At(p, 119, 119), 255, 0, 0));
  EXPECT_TRUE(IsRGB(At(p, 121, 121), 255, 255, 255));

  // A size of another shape stretches the frame to it.
  TRenderOptions stretched;
  stretched.Width = 50;
  stretched.Height = 200;
  p = Render(stretched);
  ASSERT_EQ(p.Width, 50);
  ASSERT_EQ(p.Height, 200);
  EXPECT_TRUE(IsRGB(At(p, 25, 110), 255, 0, 0));
  EXPECT_TRUE(IsRGB(At(p, 25, 125), 255, 255, 255));
  EXPECT_TRUE(IsRGB(At(p, 35, 60), 255, 255, 255));

  TRenderOptions green;
  green.Background = 0x00FF00;
  EXPECT_TRUE(IsRGB(At(Render(green), 80, 80), 0, 255, 0));
  TRenderOptions clear;
  clear.Transparent = true;
  p = Render(clear);
  EXPECT_EQ(At(p, 80, 80).A, 0);
  EXPECT_EQ(At(p, 30, 30).A, 255);
}

TEST_F(FrameRendererTest, BackgroundOfTheMovieAndWhiteWithout) {
  movie.BackgroundColor().SetColor(PackRGB(10, 20, 30));
  movie.ShowFrame();
  EXPECT_TRUE(IsRGB(At(Render(), 50, 50), 10, 20, 30));
  movie.HasBackgroundColor = false;
  EXPECT_TRUE(IsRGB(At(Render(), 50, 50), 255, 255, 255));
}

TEST_F(FrameRendererTest, LinearGradientRunsAlongItsMatrix) {
  auto gradient = [](double angle) {
    auto g = std::make_unique<TSWFGradientFill>();
    g->NumGradients = 2;
    g->SetGradientRatio(1, 0);
    g->GradientColor(1).SetRGBA(kRed);
    g->SetGradientRatio(2, 255);
    g->GradientColor(2).SetRGBA(kBlue);
    // The gradient square scaled onto a 100-pixel box centred at (50, 50) and turned.
    g->GradientMatrix.SetScale(2000.0 / 32768, 2000.0 / 32768);
    g->GradientMatrix.SetRotate(angle);
    g->GradientMatrix.SetTranslate(1000, 1000);
    return g;
  };
  PlaceRaw(RawRectangle(2000, 1000, gradient(0)), 1);
  PlaceRaw(RawRectangle(2000, 1000, gradient(90)), 2, 0, 1000);
  movie.ShowFrame();
  TPixmap p = Render();
  // Left to right in the top half.
  TPixel left = At(p, 5, 25), middle = At(p, 50, 25), right = At(p, 95, 25);
  EXPECT_GT(left.R, 230);
  EXPECT_LT(left.B, 25);
  EXPECT_NEAR(middle.R, 128, 8);
  EXPECT_NEAR(middle.B, 128, 8);
  EXPECT_GT(right.B, 230);
  // Turned a quarter (with y down, the ramp now runs upwards): the bottom half shows the
  // blue end at its top and the middle of the ramp at its bottom.
  TPixel upper = At(p, 50, 55), lower = At(p, 50, 95);
  EXPECT_GT(upper.B, 230);
  EXPECT_LT(upper.R, lower.R);
  EXPECT_NEAR(lower.R, 128, 20);
  EXPECT_NEAR(At(p, 5, 75).R, At(p, 95, 75).R, 2);
}

TEST_F(FrameRendererTest, RadialAndFocalGradientsAndSpread) {
  auto radial = [](uint8_t type, int16_t focal, uint8_t spread) {
    std::unique_ptr<TSWFGradientFill> g;
    if (type == 0x13) {
      auto f = std::make_unique<TSWFFocalGradientFill>();
      f->FocalPoint = focal;
      g = std::move(f);
    } else {
      g = std::make_unique<TSWFGradientFill>();
      g->FillStyleType = type;
    }
    g->SpreadMode = spread;
    g->NumGradients = 2;
    g->SetGradientRatio(1, 0);
    g->GradientColor(1).SetRGBA(kRed);
    g->SetGradientRatio(2, 255);
    g->GradientColor(2).SetRGBA(kBlue);
    // Radius 20 pixels around (25, 25).
    g->GradientMatrix.SetScale(400.0 / 16384, 400.0 / 16384);
    g->GradientMatrix.SetTranslate(500, 500);
    return g;
  };
  PlaceRaw(RawRectangle(1000, 1000, radial(0x12, 0, 0)), 1);
  PlaceRaw(RawRectangle(1000, 1000, radial(0x13, 192, 0)), 2, 1000, 0);   // focus 3/4 right
  PlaceRaw(RawRectangle(1000, 1000, radial(0x12, 0, 1)), 3, 0, 1000);     // reflect
  PlaceRaw(RawRectangle(1000, 1000, radial(0x12, 0, 2)), 4, 1000, 1000);  // repeat
  movie.ShowFrame();
  TPixmap p = Render();
  EXPECT_GT(At(p, 25, 25).R, 240);  // centre
  EXPECT_GT(At(p, 25, 6).B, 200);   // near the rim
  EXPECT_GT(At(p, 2, 2).B, 250);    // padded past the rim
  // The focal point moves the red end to the right.
  EXPECT_GT(At(p, 89, 25).R, At(p, 61, 25).R + 60);
  // Past the rim, reflect comes back towards red and repeat starts again at red.
  EXPECT_GT(At(p, 25 + 1, 50 + 25 - 24).R, 20);  // 24 px from the centre, reflected
  EXPECT_LT(At(p, 75, 50 + 25 - 19).R, 40);      // 19 px: still near blue
  EXPECT_GT(At(p, 75, 50 + 25 - 21).R, 200);     // 21 px: red again
}

TEST_F(FrameRendererTest, BitmapFillsRepeatClipAndSmooth) {
  // A 2 x 2 bitmap: red, green / blue, white.
  auto bitmap = std::make_unique<TSWFDefineBitsLossless>();
  bitmap->CharacterId = 900;
  bitmap->BitmapFormat = 5;
  bitmap->BitmapWidth = 2;
  bitmap->BitmapHeight = 2;
  std::vector<uint8_t> pixels = {0, 255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 255, 255, 255};
  uLongf size = compressBound(pixels.size());
  bitmap->Data.resize(size);
  compress2(bitmap->Data.data(), &size, pixels.data(), pixels.size(), 9);
  bitmap->Data.resize(size);
  movie.Add(std::move(bitmap));
  auto fill = [](uint8_t type) {
    auto f = std::make_unique<TSWFImageFill>();
    f->FillStyleType = type;
    f->BitmapId = 900;
    f->BitmapMatrix.SetScale(200, 200);  // a bitmap pixel is 10 output pixels
    return f;
  };
  PlaceRaw(RawRectangle(800, 800, fill(0x43)), 1);           // clipped, not smoothed
  PlaceRaw(RawRectangle(800, 800, fill(0x42)), 2, 1000, 0);  // repeating, not smoothed
  PlaceRaw(RawRectangle(800, 400, fill(0x40)), 3, 0, 1000);  // repeating, smoothed
  movie.ShowFrame();
  movie.SetVersion(8);
  TPixmap p = Render();
  EXPECT_TRUE(IsRGB(At(p, 5, 5), 255, 0, 0));
  EXPECT_TRUE(IsRGB(At(p, 15, 5), 0, 255, 0));
  EXPECT_TRUE(IsRGB(At(p, 5, 15), 0, 0, 255));
  EXPECT_TRUE(IsRGB(At(p, 15, 15), 255, 255, 255));
  // Clipped: the edge pixels go on beyond the bitmap.
  EXPECT_TRUE(IsRGB(At(p, 35, 5), 0, 255, 0));
  EXPECT_TRUE(IsRGB(At(p, 35, 35), 255, 255, 255));
  // Repeating: the pattern starts again every 20 pixels.
  EXPECT_TRUE(IsRGB(At(p, 50 + 25, 5), 255, 0, 0));
  EXPECT_TRUE(IsRGB(At(p, 50 + 35, 25), 0, 255, 0));
  // Unsmoothed edges are sharp, smoothed ones blend.
  EXPECT_TRUE(IsRGB(At(p, 9, 5), 255, 0, 0));
  TPixel blended = At(p, 10, 55);
  EXPECT_GT(blended.R, 40);
  EXPECT_GT(blended.G, 40);
}

TEST_F(FrameRendererTest, MasksShowOnlyWhereTheMaskHasArea) {
  uint16_t big = RawRectangle(2000, 2000, Solid(kBlue));
  uint16_t small = RawRectangle(400, 400, Solid(PackRGBA(0, 0, 0, 10)));
  PlaceRaw(small, 1, 200, 200).SetClipDepth(3);  // mask colour and alpha do not matter
  PlaceRaw(big, 2);
  PlaceRaw(RawRectangle(200, 200, Solid(kRed)), 3, 1400, 200);
  PlaceRaw(RawRectangle(200, 200, Solid(kRed)), 4, 1400, 1400);  // above the masked range
  movie.ShowFrame();
  TPixmap p = Render();
  EXPECT_TRUE(IsRGB(At(p, 15, 15), 0, 0, 255));
  EXPECT_TRUE(IsRGB(At(p, 50, 50), 255, 255, 255));
  EXPECT_TRUE(IsRGB(At(p, 75, 15), 255, 255, 255));  // masked away
  EXPECT_TRUE(IsRGB(At(p, 75, 75), 255, 0, 0));
  // The mask itself is not drawn.
  EXPECT_TRUE(IsRGB(At(p, 12, 12), 0, 0, 255));
}

// Masks stack: a mask inside another's range keeps the outer one in force over everything it
// masks itself, even past the outer clip depth.
TEST_F(FrameRendererTest, MasksInsideMasksStack) {
  uint16_t left = RawRectangle(1200, 2000, Solid(kBlue));  // x 0..60
  uint16_t top = RawRectangle(2000, 1200, Solid(kBlue));   // y 0..60
  uint16_t all = RawRectangle(2000, 2000, Solid(kRed));
  PlaceRaw(left, 1).SetClipDepth(2);
  PlaceRaw(top, 2, 0, 0).SetClipDepth(4);
  PlaceRaw(all, 4);
  movie.ShowFrame();
  TPixmap p = Render();
  EXPECT_TRUE(IsRGB(At(p, 30, 30), 255, 0, 0));
  EXPECT_TRUE(IsRGB(At(p, 80, 30), 255, 255, 255));  // outside the outer mask
  EXPECT_TRUE(IsRGB(At(p, 30, 80), 255, 255, 255));  // outside the inner mask
}

// Two fills meeting inside a pixel cover it together: no background shows along the seam.
TEST_F(FrameRendererTest, AdjacentFillsLeaveNoSeam) {
  auto shape = std::make_unique<TSWFDefineShape3>();
  shape->ShapeId = 960;
  shape->FillStyles.push_back(Solid(PackRGBA(0, 0, 0, 255)));
  shape->FillStyles.push_back(Solid(PackRGBA(0, 0, 0, 255)));
  for (auto& f : shape->FillStyles) f->HasAlpha = true;
  auto edge = [&](int x, int y, uint16_t fill0, uint16_t fill1, int dx, int dy) {
    auto move = std::make_unique<TSWFStyleChangeRecord>();
    move->SetMoveTo(x, y);
    move->SetFillStyle0(fill0);
    move->SetFillStyle1(fill1);
    move->StateFillStyle0 = move->StateFillStyle1 = true;
    shape->ShapeRecords.push_back(std::move(move));
    shape->ShapeRecords.push_back(std::make_unique<TSWFStraightEdgeRecord>(dx, dy));
  };
  // The shared edge at x = 50.5 pixels, going down: fill 1 on its right (west), 2 on its left.
  edge(1010, 0, 2, 1, 0, 2000);
  edge(1010, 2000, 0, 1, -1010, 0);
  edge(0, 2000, 0, 1, 0, -2000);
  edge(0, 0, 0, 1, 1010, 0);
  edge(1010, 0, 0, 2, 990, 0);
  edge(2000, 0, 0, 2, 0, 2000);
  edge(2000, 2000, 0, 2, -990, 0);
  shape->ShapeRecords.push_back(std::make_unique<TSWFEndShapeRecord>());
  movie.Add(std::move(shape));
  PlaceRaw(960, 1);
  movie.ShowFrame();
  TPixmap p = Render();
  EXPECT_LE(At(p, 50, 50).R, 2);
  EXPECT_TRUE(IsRGB(At(p, 49, 50), 0, 0, 0));
  EXPECT_TRUE(IsRGB(At(p, 51, 50), 0, 0, 0));
}

TEST_F(FrameRendererTest, GradientStopsKeepFileOrderAndStepForward) {
  auto gradient = [](std::vector<std::pair<uint8_t, uint32_t>> stops) {
    auto g = std::make_unique<TSWFGradientFill>();
    g->NumGradients = static_cast<uint8_t>(stops.size());
    for (size_t i = 0; i < stops.size(); ++i) {
      g->SetGradientRatio(int(i) + 1, stops[i].first);
      g->GradientColor(int(i) + 1).SetRGBA(stops[i].second);
    }
    // The ramp runs from x 25 to 75 pixels.
    g->GradientMatrix.SetScale(1000.0 / 32768, 1);
    g->GradientMatrix.SetTranslate(1000, 0);
    return g;
  };
  // A stop whose ratio goes back takes the next step instead: blue fills the far end, the
  // green stop after it falls past the end.
  PlaceRaw(
      RawRectangle(2000, 500, gradient({{254, kRed}, {0, kBlue}, {0, PackRGBA(0, 255, 0, 255)}})),
      1);
  // No stops at all paint black.
  PlaceRaw(RawRectangle(2000, 500, gradient({})), 2, 0, 600);
  movie.ShowFrame();
  TPixmap p = Render();
  EXPECT_TRUE(IsRGB(At(p, 50, 10), 255, 0, 0));
  EXPECT_TRUE(IsRGB(At(p, 90, 10), 0, 0, 255));
  EXPECT_TRUE(IsRGB(At(p, 50, 40), 0, 0, 0));
}

TEST_F(FrameRendererTest, SpritesShowTheFrameTheyHaveReached) {
  TFlashShape* red = movie.AddRectangle(0, 0, 50, 50);
  red->SetSolidColor(kRed);
  TFlashShape* blue = movie.AddRectangle(0, 0, 50, 50);
  blue->SetSolidColor(kBlue);
  TFlashSprite* sprite = movie.AddSprite(red);
  sprite->ShowFrame();
  sprite->RemoveObject(1);
  sprite->PlaceObject(blue, 1);
  sprite->ShowFrame();
  TFlashSprite* outer = movie.AddSprite(sprite);
  outer->ShowFrame();
  TFlashPlaceObject* place = movie.PlaceObject(outer, 1);
  place->SetTranslate(25, 25);
  place->SetScale(0.5, 1);
  movie.ShowFrame(3);
  EXPECT_TRUE(IsRGB(At(RenderAt(1), 30, 60), 255, 0, 0));
  EXPECT_TRUE(IsRGB(At(RenderAt(2), 30, 60), 0, 0, 255));
  EXPECT_TRUE(IsRGB(At(RenderAt(3), 30, 60), 255, 0, 0));
  EXPECT_TRUE(IsRGB(At(RenderAt(3), 60, 60), 255, 255, 255));  // half as wide

  // One renderer for frames in any order.
  reader = Reread(movie);
  TFrameRenderer renderer(*reader);
  EXPECT_EQ(renderer.FrameCount(), 3);
  TRenderOptions options;
  for (int frame : {2, 3, 1, 2}) {
    options.Frame = frame;
    EXPECT_TRUE(
        IsRGB(At(renderer.Render(options), 30, 60), frame == 2 ? 0 : 255, 0, frame == 2 ? 255 : 0))
        << "frame " << frame;
  }
}

TEST_F(FrameRendererTest, ColourTransformsMultiplyAndAddDownTheTree) {
  TFlashShape* red = movie.AddRectangle(0, 0, 40, 40);
  red->SetSolidColor(kRed);
  TFlashSprite* sprite = movie.AddSprite();
  sprite->PlaceObject(red, 1)->SetColorTransform(true, 0, 255, 0, 0, true, 0, 256, 256, 256, true);
  sprite->ShowFrame();
  movie.PlaceObject(sprite, 1);
  // Half alpha over white, on the parent.
  TFlashPlaceObject* faded = movie.PlaceObject(sprite, 2);
  faded->SetTranslate(50, 0);
  faded->SetColorTransform(false, 0, 0, 0, 0, true, 256, 256, 256, 128, true);
  TFlashPlaceObject* plain = movie.PlaceObject(red, 3);
  plain->SetTranslate(0, 50);
  plain->SetColorTransform(true, 0, 0, 0, 0, true, 128, 256, 256, 256, true);
  movie.ShowFrame();
  TPixmap p = Render();
  EXPECT_TRUE(IsRGB(At(p, 20, 20), 0, 255, 0));
  EXPECT_TRUE(IsRGB(At(p, 70, 20), 127, 255, 127));
  EXPECT_TRUE(IsRGB(At(p, 20, 70), 128, 0, 0));
}

TEST_F(FrameRendererTest, StrokesScaleUnlessToldNotTo) {
  auto hairline = std::make_unique<TSWFLineStyle>();
  hairline->Width = 0;
  hairline->Color.SetRGBA(PackRGBA(0, 0, 0, 255));
  PlaceRaw(RawRectangle(1000, 1000, Solid(PackRGBA(0, 0, 0, 0)), std::move(hairline)), 1, 200, 200)
      .Matrix()
      .SetScale(4, 4);
  movie.ShowFrame();
  TPixmap p = Render();
  // Still one pixel wide, four times as far away.
  EXPECT_LT(At(p, 10, 30).R, 130);
  EXPECT_TRUE(IsRGB(At(p, 12, 30), 255, 255, 255));
  EXPECT_TRUE(IsRGB(At(p, 8, 30), 255, 255, 255));
  EXPECT_LT(At(p, 30, 10).R, 130);
}

TEST_F(FrameRendererTest, BlendModesAndFiltersGoThroughLayers) {
  uint16_t yellow = RawRectangle(2000, 2000, Solid(PackRGBA(255, 255, 0, 255)));
  uint16_t red = RawRectangle(400, 400, Solid(kRed));
  uint16_t white = RawRectangle(400, 400, Solid(PackRGBA(255, 255, 255, 255)));
  PlaceRaw(yellow, 1);
  TSWFPlaceObject3& multiply = PlaceRaw(white, 2, 200, 200);
  multiply.BlendMode = kBlendMultiply;
  multiply.HasBlendMode = true;
  TSWFPlaceObject3& difference = PlaceRaw(white, 3, 1200, 200);
  difference.BlendMode = kBlendDifference;
  difference.HasBlendMode = true;
  TSWFPlaceObject3& shadowed = PlaceRaw(red, 4, 400, 1200);
  auto* shadow =
      static_cast<TSWFDropShadowFilter*>(shadowed.FilterList().AddFilter(kFilterDropShadow));
  shadow->DropShadowColor.SetRGBA(PackRGBA(0, 0, 255, 255));
  shadow->Distance = 8;
  shadow->Angle = 0;
  shadow->Strength = 1;
  shadow->BlurX = shadow->BlurY = 1;
  shadow->Passes = 1;
  movie.ShowFrame();
  movie.SetVersion(8);
  TPixmap p = Render();
  EXPECT_TRUE(IsRGB(At(p, 20, 20), 255, 255, 0));  // white multiplied with yellow
  EXPECT_TRUE(IsRGB(At(p, 70, 20), 0, 0, 255));    // white minus yellow
  EXPECT_TRUE(IsRGB(At(p, 30, 70), 255, 0, 0));
  // The shadow shows to the right of the red square, on the yellow.
  TPixel shade = At(p, 43, 70);
  EXPECT_GT(shade.B, 150);
  EXPECT_LT(shade.R, 100);
}

TEST_F(FrameRendererTest, MorphShapesAtTheirRatio) {
  auto morph = std::make_unique<TSWFDefineMorphShape>();
  morph->CharacterId = 950;
  auto fill = std::make_unique<TSWFMorphColorFill>();
  fill->StartColor.SetRGBA(kRed);
  fill->EndColor.SetRGBA(kBlue);
  morph->MorphFillStyles.push_back(std::move(fill));
  auto edges = [](TSWFShapeRecordList& list, int size, bool styles) {
    auto start = std::make_unique<TSWFStyleChangeRecord>();
    start->SetMoveTo(0, 0);
    if (styles) start->SetFillStyle1(1);
    list.push_back(std::move(start));
    list.push_back(std::make_unique<TSWFStraightEdgeRecord>(size, 0));
    list.push_back(std::make_unique<TSWFStraightEdgeRecord>(0, size));
    list.push_back(std::make_unique<TSWFStraightEdgeRecord>(-size, 0));
    list.push_back(std::make_unique<TSWFStraightEdgeRecord>(0, -size));
    list.push_back(std::make_unique<TSWFEndShapeRecord>());
  };
  edges(morph->StartEdges, 400, true);
  edges(morph->EndEdges, 1600, false);
  morph->StartBounds = TSWFRect(0, 0, 400, 400);
  morph->EndBounds = TSWFRect(0, 0, 1600, 1600);
  movie.Add(std::move(morph));
  PlaceRaw(950, 1).SetRatio(0);
  PlaceRaw(950, 2, 1000, 0).SetRatio(65535);
  PlaceRaw(950, 3, 0, 1000).SetRatio(32768);
  movie.ShowFrame();
  TPixmap p = Render();
  EXPECT_TRUE(IsRGB(At(p, 10, 10), 255, 0, 0));
  EXPECT_TRUE(IsRGB(At(p, 30, 30), 255, 255, 255));
  EXPECT_TRUE(IsRGB(At(p, 75, 35), 0, 0, 255));
  TPixel mid = At(p, 10, 60);
  EXPECT_NEAR(mid.R, 127, 3);
  EXPECT_NEAR(mid.B, 128, 3);
  EXPECT_TRUE(IsRGB(At(p, 52, 95), 255, 255, 255));  // half way: 50 pixels wide
  EXPECT_NEAR(At(p, 48, 60).B, 128, 3);
}

int CountColour(const TPixmap& p, const std::function<bool(const TPixel&)>& match) {
  int n = 0;
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < p.Width; ++x) n += match(At(p, x, y));
  return n;
}

TEST_F(FrameRendererTest, StaticTextAndTextFieldsDrawTheirGlyphs) {
  TFontDescription description;
  description.Name = "Arial";
  description.Height = -20;
  TFlashFont* font = movie.AddFont(description);
  movie.PlaceObject(movie.AddText("HH", TSWFRGBA(kRed, false), font, {10, 5}), 1);
  TFlashText* field =
      movie.AddDynamicText(u"HH", TSWFRGBA(kBlue, false), font, TRect{10, 50, 90, 80});
  movie.PlaceObject(field, 2);
  TFlashFont* device = movie.AddFont(description, true);
  movie.PlaceObject(movie.AddDynamicText(u"HH", TSWFRGBA(PackRGBA(0, 160, 0, 255), false), device,
                                         TRect{10, 75, 90, 100}),
                    3);
  movie.ShowFrame();
  TPixmap p = Render();
  auto reds = CountColour(p, [](const TPixel& c) { return c.R > 200 && c.G < 60 && c.B < 60; });
  auto blues = CountColour(p, [](const TPixel& c) { return c.B > 200 && c.R < 60 && c.G < 60; });
  auto greens = CountColour(p, [](const TPixel& c) { return c.G > 120 && c.R < 60 && c.B < 60; });
  // Two capital H of 20 pixels: two bars each at least 2 x 12 pixels.
  EXPECT_GT(reds, 80);
  EXPECT_GT(blues, 80);
  EXPECT_GT(greens, 80);
  // Static text hangs from its origin at y 5 (its baseline a font ascent lower), the field's
  // text stays inside its box.
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < p.Width; ++x) {
      TPixel c = At(p, x, y);
      if (c.R > 200 && c.G < 60 && c.B < 60) {
        ASSERT_TRUE(y >= 5 && y <= 26) << x << "," << y;
      }
      if (c.B > 200 && c.R < 60 && c.G < 60) {
        ASSERT_TRUE(x >= 10 && x <= 90 && y >= 50 && y <= 80) << x << "," << y;
      }
    }
}

TEST_F(FrameRendererTest, BadInputGivesErrorsNotCrashes) {
  TFlashShape* red = movie.AddRectangle(0, 0, 50, 50);
  red->SetSolidColor(kRed);
  movie.PlaceObject(red, 1)->SetScale(0, 0);  // collapses to nothing
  TSWFPlaceObject3& skewed = PlaceRaw(red->CharacterId(), 2);
  skewed.Matrix().SetScale(1, 1);
  skewed.Matrix().SetSkew(1, 1);  // singular too
  movie.ShowFrame();
  TPixmap p = Render();
  EXPECT_EQ(CountColour(p, [](const TPixel& c) { return c.G < 250; }), 0);

  TRenderOptions huge;
  huge.Width = 100000;
  huge.Height = 100000;
  EXPECT_THROW(Render(huge), Error);
  TRenderOptions tooFar;
  tooFar.Scale = 1e6;
  EXPECT_THROW(Render(tooFar), Error);
  TRenderOptions zero;
  zero.Scale = 0;
  EXPECT_THROW(Render(zero), Error);
  TRenderOptions oneSide;
  oneSide.Width = 10;
  EXPECT_THROW(Render(oneSide), Error);
  EXPECT_THROW(RenderAt(2), FormatError);

  TFlashMovie flat(0, 0, 0, 100, 12, true);
  flat.ShowFrame();
  auto flatReader = Reread(flat);
  EXPECT_THROW(RenderFrame(*flatReader, {}), FormatError);
}

// Masks inside masks inside sprites, nested as deep as the player allows, stay within the
// layer budget and draw.
TEST_F(FrameRendererTest, NestedMasksAndSprites) {
  TFlashShape* square = movie.AddRectangle(0, 0, 100, 100);
  square->SetSolidColor(kRed);
  TFlashVisualObject* inner = square;
  for (int level = 0; level < 40; ++level) {
    TFlashSprite* sprite = movie.AddSprite();
    sprite->PlaceObject(square, 1)->SetClipDepth(2);
    sprite->PlaceObject(inner, 2);
    sprite->ShowFrame();
    inner = sprite;
  }
  movie.PlaceObject(inner, 1);
  movie.ShowFrame();
  TRenderOptions big;
  big.Scale = 8;
  TPixmap p = Render(big);
  EXPECT_TRUE(IsRGB(At(p, 400, 400), 255, 0, 0));
}

}  // namespace
}  // namespace orvanta::render
