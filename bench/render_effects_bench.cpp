// Effect speed on the frame rasteriser's pixmaps: box blur of an 800 x 800 layer at quality 1
// and 3 (blur 10), a drop shadow, a colour matrix, a colour transform and blend modes over the
// same size, and a frame of four shadowed 300 x 200 photos. Floor: copying the layer's bytes
// once, the memory traffic every full-layer effect pays at least.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "media/filters.h"
#include "render/blend_modes.h"
#include "render/color_ops.h"
#include "render/filters_raster.h"
#include "render/pixmap.h"

namespace {

using namespace orvanta;
using namespace orvanta::render;

constexpr int kSide = 800;

// An opaque photo-like picture: smooth gradients with some texture.
TPixmap Photo(int width, int height) {
  TPixmap pm(width, height);
  for (int y = 0; y < height; ++y) {
    uint8_t* p = pm.Row(y);
    for (int x = 0; x < width; ++x, p += 4) {
      p[kRed] = static_cast<uint8_t>(128 + 100 * std::sin(x * 0.01) + (x * y) % 7);
      p[kGreen] = static_cast<uint8_t>(128 + 90 * std::cos(y * 0.013) + (x ^ y) % 5);
      p[kBlue] = static_cast<uint8_t>((x + y) / 16 + ((x * 31 + y * 17) % 11));
      p[kAlpha] = 255;
    }
  }
  return pm;
}

const TPixmap& Layer() {
  static const TPixmap layer = Photo(kSide, kSide);
  return layer;
}

void BM_CopyFloor(benchmark::State& state) {
  const TPixmap& source = Layer();
  TPixmap pm(kSide, kSide);
  for (auto _ : state) {
    std::memcpy(pm.Pixels.data(), source.Pixels.data(), source.Pixels.size());
    benchmark::DoNotOptimize(pm.Pixels.data());
  }
}
BENCHMARK(BM_CopyFloor)->Unit(benchmark::kMillisecond);

// Blur 10 x 10 at the given quality (passes); includes refreshing the layer from the source.
void BM_Blur(benchmark::State& state) {
  TSWFFilterList list;
  auto& blur = dynamic_cast<TSWFBlurFilter&>(*list.AddFilter(kFilterBlur));
  blur.BlurX = blur.BlurY = 10;
  blur.Passes = static_cast<uint8_t>(state.range(0));
  TPixmap pm;
  for (auto _ : state) {
    pm = Layer();
    ApplyFilters(pm, list, 1, 1);
    benchmark::DoNotOptimize(pm.Pixels.data());
  }
}
BENCHMARK(BM_Blur)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_DropShadow(benchmark::State& state) {
  TSWFFilterList list;
  auto& shadow = dynamic_cast<TSWFDropShadowFilter&>(*list.AddFilter(kFilterDropShadow));
  shadow.BlurX = shadow.BlurY = 10;
  shadow.Passes = static_cast<uint8_t>(state.range(0));
  shadow.Angle = std::numbers::pi / 4;
  shadow.Distance = 6;
  shadow.Strength = 1;
  TPixmap pm;
  for (auto _ : state) {
    pm = Layer();
    ApplyFilters(pm, list, 1, 1);
    benchmark::DoNotOptimize(pm.Pixels.data());
  }
}
BENCHMARK(BM_DropShadow)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_ColorMatrix(benchmark::State& state) {
  TSWFFilterList list;
  auto& m = dynamic_cast<TSWFColorMatrixFilter&>(*list.AddFilter(kFilterColorMatrix));
  m.Matrix = {0.3f, 0.59f, 0.11f, 0, 0, 0.3f, 0.59f, 0.11f, 0, 0,
              0.3f, 0.59f, 0.11f, 0, 0, 0,    0,     0,     1, 0};
  TPixmap pm;
  for (auto _ : state) {
    pm = Layer();
    ApplyFilters(pm, list, 1, 1);
    benchmark::DoNotOptimize(pm.Pixels.data());
  }
}
BENCHMARK(BM_ColorMatrix)->Unit(benchmark::kMillisecond);

void BM_ColorTransform(benchmark::State& state) {
  TSWFColorTransform cx;
  cx.SetMult(200, 256, 230, 128);
  cx.SetAdd(10, 0, -20, 0);
  TPixmap pm;
  for (auto _ : state) {
    pm = Layer();
    ApplyColorTransform(pm, cx);
    benchmark::DoNotOptimize(pm.Pixels.data());
  }
}
BENCHMARK(BM_ColorTransform)->Unit(benchmark::kMillisecond);

// A half-transparent layer over the opaque frame.
void BM_Blend(benchmark::State& state) {
  TPixmap layer = Layer();
  TSWFColorTransform half;
  half.SetAlphaMult(128);
  ApplyColorTransform(layer, half);
  TPixmap dest;
  for (auto _ : state) {
    dest = Layer();
    BlendLayer(dest, layer, 0, 0, static_cast<uint8_t>(state.range(0)));
    benchmark::DoNotOptimize(dest.Pixels.data());
  }
}
BENCHMARK(BM_Blend)
    ->Arg(kBlendNormal)
    ->Arg(kBlendMultiply)
    ->Arg(kBlendOverlay)
    ->Unit(benchmark::kMillisecond);

// What a frame with four shadowed photos costs in effects: each photo padded by the filter
// margin, shadowed (blur 5, quality 2, distance 5) and composited onto the frame.
void BM_FrameOfShadowedPhotos(benchmark::State& state) {
  TSWFFilterList list;
  auto& shadow = dynamic_cast<TSWFDropShadowFilter&>(*list.AddFilter(kFilterDropShadow));
  shadow.BlurX = shadow.BlurY = 5;
  shadow.Passes = 2;
  shadow.Angle = std::numbers::pi / 4;
  shadow.Distance = 5;
  shadow.Strength = 1;
  const int margin = FilterMargin(list, 1, 1);
  const TPixmap photo = Photo(300, 200);
  TPixmap padded(300 + 2 * margin, 200 + 2 * margin);
  TPixmap frame;
  for (auto _ : state) {
    frame = Layer();
    for (int i = 0; i < 4; ++i) {
      std::fill(padded.Pixels.begin(), padded.Pixels.end(), 0);
      for (int y = 0; y < photo.Height; ++y)
        std::memcpy(padded.Row(y + margin) + margin * 4, photo.Row(y), photo.Width * 4);
      ApplyFilters(padded, list, 1, 1);
      BlendLayer(frame, padded, 50 + (i % 2) * 380 - margin, 80 + (i / 2) * 360 - margin,
                 kBlendNormal);
    }
    benchmark::DoNotOptimize(frame.Pixels.data());
  }
}
BENCHMARK(BM_FrameOfShadowedPhotos)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
