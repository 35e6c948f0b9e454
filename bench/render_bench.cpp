// Frame rasteriser speed on a banner-like 800 x 800 frame: a full-frame gradient, five
// nine-slice panels (sprites of nine scaled pieces inside a rounded mask), three JPEG photos with
// drop shadow and bevel, and some static text. The first render pays for decoding the photos and
// building the outlines; steady-state renders reuse them. Plain fills: opaque solid rectangles
// covering the frame four times, reported as megapixels filled per CPU second; the floor is
// clearing the frame's bytes once per covering.
//
// ORVANTA_RENDER_BENCH_OUT=DIR writes the banner movie and its drawn frame there
// (render_bench.swf, render_bench.png) to look at.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "media/filters.h"
#include "media/flash_image.h"
#include "media/picture_codecs.h"
#include "media/swf_reader.h"
#include "movie/flash_edges.h"
#include "movie/flash_font.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "movie/flash_text.h"
#include "platform/font_engine.h"
#include "platform/stream.h"
#include "render/color_ops.h"
#include "render/frame_renderer.h"

namespace {

using namespace orvanta;
using namespace orvanta::render;

constexpr int kSide = 800;

// A landscape-like picture: sky, sun, hills and grain, so that JPEG has realistic work.
TPicture PhotoPicture(uint32_t width, uint32_t height) {
  TPicture p(width, height);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      double fx = double(x) / width, fy = double(y) / height;
      double hill = 0.62 + 0.08 * std::sin(fx * 9) + 0.05 * std::sin(fx * 23 + 1);
      double r, g, b;
      if (fy < hill) {
        r = 90 + 120 * fy;
        g = 150 + 80 * fy;
        b = 235 - 40 * fy;
        if (std::hypot(x - 0.75 * width, y - 0.2 * height) < 0.06 * width) r = g = 250, b = 200;
      } else {
        double depth = (fy - hill) / (1 - hill);
        r = 60 + 50 * depth;
        g = 120 - 40 * depth + 20 * std::sin(x * 0.3);
        b = 40 + 20 * depth;
      }
      int grain = int((x * 7919 + y * 104729) % 17) - 8;
      uint8_t* px = p.Pixel(x, y);
      px[0] = static_cast<uint8_t>(std::clamp(r + grain, 0.0, 255.0));
      px[1] = static_cast<uint8_t>(std::clamp(g + grain, 0.0, 255.0));
      px[2] = static_cast<uint8_t>(std::clamp(b + grain, 0.0, 255.0));
      px[3] = 255;
    }
  }
  return p;
}

// A panel of nine pieces: four corners (one shape, mirrored), four edges and a centre, each
// stretched to a w x h panel, inside a rounded mask.
TFlashSprite* NineSlicePanel(TFlashMovie& movie, int w, int h, uint32_t light, uint32_t dark) {
  constexpr int c = 24, unit = 10;
  TFlashShape* corner = movie.AddRectangle(0, 0, c, c);
  corner->SetRadialGradient(light, dark, 100, 100);
  TFlashShape* horizontal = movie.AddRectangle(0, 0, unit, c);
  horizontal->SetLinearGradient(dark, light, 90);
  TFlashShape* vertical = movie.AddRectangle(0, 0, c, unit);
  vertical->SetLinearGradient(dark, light, 0);
  TFlashShape* centre = movie.AddRectangle(0, 0, unit, unit);
  centre->SetLinearGradient(light, PackRGBA(255, 255, 255, 255), 90);
  TFlashShape* mask = movie.AddRoundRect(0, 0, w, h, 18);
  mask->SetSolidColor(0, 0, 0);

  TFlashSprite* panel = movie.AddSprite();
  panel->PlaceObject(mask, 1)->SetClipDepth(10);
  const double sx = double(w - 2 * c) / unit, sy = double(h - 2 * c) / unit;
  struct TPiece {
    TFlashShape* Shape;
    int X, Y;
    double ScaleX, ScaleY;
  };
  const TPiece pieces[] = {
      {corner, 0, 0, 1, 1},    {corner, w, 0, -1, 1},     {corner, 0, h, 1, -1},
      {corner, w, h, -1, -1},  {horizontal, c, 0, sx, 1}, {horizontal, c, h, sx, -1},
      {vertical, 0, c, 1, sy}, {vertical, w, c, -1, sy},  {centre, c, c, sx, sy},
  };
  uint16_t depth = 2;
  for (const TPiece& piece : pieces) {
    TFlashPlaceObject* place = panel->PlaceObject(piece.Shape, depth++);
    place->SetScale(piece.ScaleX, piece.ScaleY);
    place->SetTranslate(piece.X, piece.Y);
  }
  panel->ShowFrame();
  return panel;
}

std::vector<uint8_t> Bytes(TFlashMovie& movie) {
  movie.MakeData();
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.TakeBytes();
}

// What the banner holds; the parts benchmark draws one at a time.
enum : unsigned {
  kBackdrop = 1,
  kPanels = 2,
  kPhotos = 4,
  kText = 8,
  kAllParts = 15,
};

std::vector<uint8_t> BannerMovie(unsigned parts = kAllParts) {
  TFlashMovie movie(0, 0, kSide, kSide, 24, true);
  movie.BackgroundColor().SetColor(0xFFFFFF);
  uint16_t depth = 1;

  TFlashShape* backdrop = movie.AddRectangle(0, 0, kSide, kSide);
  const uint32_t sky[] = {PackRGBA(20, 40, 110, 255), PackRGBA(90, 60, 160, 255),
                          PackRGBA(240, 150, 90, 255)};
  backdrop->SetLinearGradient(sky, 60);
  if (parts & kBackdrop) movie.PlaceObject(backdrop, depth++);

  struct TPanel {
    int X, Y, W, H;
    uint32_t Light, Dark;
  };
  const TPanel panels[] = {
      {30, 30, 740, 120, PackRGBA(250, 240, 210, 255), PackRGBA(180, 140, 60, 255)},
      {30, 170, 360, 300, PackRGBA(220, 235, 250, 255), PackRGBA(60, 100, 170, 255)},
      {410, 170, 360, 300, PackRGBA(225, 250, 225, 255), PackRGBA(60, 140, 70, 255)},
      {30, 490, 360, 280, PackRGBA(250, 225, 235, 255), PackRGBA(170, 60, 100, 255)},
      {410, 490, 360, 280, PackRGBA(240, 240, 240, 255), PackRGBA(90, 90, 90, 255)},
  };
  for (const TPanel& p : panels) {
    if (!(parts & kPanels)) break;
    TFlashPlaceObject* place =
        movie.PlaceObject(NineSlicePanel(movie, p.W, p.H, p.Light, p.Dark), depth++);
    place->SetTranslate(p.X, p.Y);
  }

  constexpr uint16_t kPhotoWidth = 400, kPhotoHeight = 300;
  TMemoryStream jpeg(EncodeJPEG(PhotoPicture(kPhotoWidth, kPhotoHeight), 85));
  TFlashImage* image = movie.AddImage();
  image->LoadDataFromStream(jpeg, true, false, 0, 0, kPhotoHeight, kPhotoWidth);
  TFlashShape* photo = movie.AddRectangle(0, 0, kPhotoWidth, kPhotoHeight);
  photo->SetImageFill(*image, 1);
  const struct {
    int X, Y;
    double Scale;
  } photos[] = {{80, 215, 0.65}, {460, 215, 0.65}, {280, 525, 0.6}};
  for (const auto& at : photos) {
    if (!(parts & kPhotos)) break;
    TFlashPlaceObject* place = movie.PlaceObject(photo, depth++);
    place->SetScale(at.Scale, at.Scale);
    place->SetTranslate(at.X, at.Y);
    TSWFDropShadowFilter& shadow = place->DropShadowFilter();
    shadow.BlurX = shadow.BlurY = 8;
    shadow.Distance = 6;
    shadow.Strength = 0.8;
    TSWFBevelFilter& bevel = place->BevelFilter();
    bevel.BlurX = bevel.BlurY = 4;
    bevel.Distance = 3;
  }

  if (!(parts & kText)) {
    movie.ShowFrame();
    return Bytes(movie);
  }
  TFontDescription heading;
  heading.Name = "Arial";
  heading.Height = -44;
  heading.Bold = true;
  TFlashFont* big = movie.AddFont(heading);
  movie.PlaceObject(
      movie.AddText("Summer collection 2026", TSWFRGBA(PackRGBA(70, 40, 10, 255), false), big,
                    TFlashPoint{60, 65}),
      depth++);
  TFontDescription body;
  body.Name = "Arial";
  body.Height = -18;
  TFlashFont* small = movie.AddFont(body);
  const char* captions[] = {"Lakeside cabins from 49 a night", "Guided hikes every morning",
                            "Book before Friday and save 20%",
                            "Free cancellation up to a week ahead"};
  const TFlashPoint at[] = {{80, 420}, {460, 420}, {60, 722}, {440, 722}};
  for (int i = 0; i < 4; ++i)
    movie.PlaceObject(
        movie.AddText(captions[i], TSWFRGBA(PackRGBA(30, 30, 30, 255), false), small, at[i]),
        depth++);
  movie.ShowFrame();
  return Bytes(movie);
}

const std::vector<uint8_t>& Banner() {
  static const std::vector<uint8_t> bytes = BannerMovie();
  return bytes;
}

std::unique_ptr<TSWFStreamReader> Read(const std::vector<uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  auto reader = std::make_unique<TSWFStreamReader>(stream);
  reader->ParseTags(true, false);
  return reader;
}

TRenderOptions FrameOne() {
  TRenderOptions options;
  options.Frame = 1;
  options.Width = options.Height = kSide;
  return options;
}

// Writes the movie and its frame for inspection when asked to.
void WriteInspection() {
  const char* dir = std::getenv("ORVANTA_RENDER_BENCH_OUT");
  if (!dir || !*dir) return;
  const std::string base = std::string(dir) + "/render_bench";
  const std::vector<uint8_t>& bytes = Banner();
  std::ofstream(base + ".swf", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  auto reader = Read(bytes);
  TPixmap frame = RenderFrame(*reader, FrameOne());
  TPicture picture(uint32_t(frame.Width), uint32_t(frame.Height));
  for (int y = 0; y < frame.Height; ++y) {
    const uint8_t* src = frame.Row(y);
    uint8_t* dst = picture.Pixel(0, uint32_t(y));
    for (int x = 0; x < frame.Width; ++x, src += 4, dst += 4) {
      dst[0] = Unpremultiply(src[kRed], src[kAlpha]);
      dst[1] = Unpremultiply(src[kGreen], src[kAlpha]);
      dst[2] = Unpremultiply(src[kBlue], src[kAlpha]);
      dst[3] = src[kAlpha];
    }
  }
  std::vector<uint8_t> png = EncodePNG(picture);
  std::ofstream(base + ".png", std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
}

// A fresh renderer each time: photos decoded, outlines and glyphs built, then drawn.
void BM_BannerFirstRender(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = Banner();
  for (auto _ : state) {
    state.PauseTiming();
    auto reader = Read(bytes);
    state.ResumeTiming();
    TFrameRenderer renderer(*reader);
    TPixmap frame = renderer.Render(FrameOne());
    benchmark::DoNotOptimize(frame.Pixels.data());
  }
}
BENCHMARK(BM_BannerFirstRender)->Unit(benchmark::kMillisecond);

void BM_BannerSteadyRender(benchmark::State& state) {
  auto reader = Read(Banner());
  TFrameRenderer renderer(*reader);
  renderer.Render(FrameOne());
  for (auto _ : state) {
    TPixmap frame = renderer.Render(FrameOne());
    benchmark::DoNotOptimize(frame.Pixels.data());
  }
}
BENCHMARK(BM_BannerSteadyRender)->Unit(benchmark::kMillisecond);

// Steady-state cost of each part on its own (argument: kBackdrop, kPanels, kPhotos, kText).
void BM_BannerPart(benchmark::State& state) {
  auto reader = Read(BannerMovie(static_cast<unsigned>(state.range(0))));
  TFrameRenderer renderer(*reader);
  renderer.Render(FrameOne());
  for (auto _ : state) {
    TPixmap frame = renderer.Render(FrameOne());
    benchmark::DoNotOptimize(frame.Pixels.data());
  }
}
BENCHMARK(BM_BannerPart)
    ->Arg(0)
    ->Arg(kBackdrop)
    ->Arg(kPanels)
    ->Arg(kPhotos)
    ->Arg(kText)
    ->Unit(benchmark::kMillisecond);

constexpr int kCoverings = 4;

// Opaque rectangles of side x side pixels tiling the frame kCoverings times, each covering in
// its own colour.
std::vector<uint8_t> PlainFillMovie(int side) {
  TFlashMovie movie(0, 0, kSide, kSide, 24, true);
  movie.BackgroundColor().SetColor(0xFFFFFF);
  uint16_t depth = 1;
  for (int k = 0; k < kCoverings; ++k) {
    for (int y = 0; y < kSide; y += side) {
      for (int x = 0; x < kSide; x += side) {
        TFlashShape* box = movie.AddRectangle(x, y, x + side, y + side);
        box->SetSolidColor(static_cast<uint8_t>(x * 255 / kSide),
                           static_cast<uint8_t>(y * 255 / kSide), static_cast<uint8_t>(60 * k),
                           255);
        movie.PlaceObject(box, depth++);
      }
    }
  }
  movie.ShowFrame();
  return Bytes(movie);
}

// Argument: the side of a rectangle in pixels.
void BM_PlainFills(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  auto reader = Read(PlainFillMovie(side));
  TFrameRenderer renderer(*reader);
  renderer.Render(FrameOne());
  for (auto _ : state) {
    TPixmap frame = renderer.Render(FrameOne());
    benchmark::DoNotOptimize(frame.Pixels.data());
  }
  state.counters["rects"] = double(kCoverings) * (kSide / side) * (kSide / side);
  state.counters["Mpx/s"] = benchmark::Counter(
      double(state.iterations()) * kCoverings * kSide * kSide / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainFills)->Arg(20)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

// Floor: one pass of the frame's bytes per covering.
void BM_PlainFillFloor(benchmark::State& state) {
  std::vector<uint8_t> pixels(size_t{kSide} * kSide * 4);
  for (auto _ : state) {
    for (int k = 0; k < kCoverings; ++k) std::memset(pixels.data(), 40 * k, pixels.size());
    benchmark::DoNotOptimize(pixels.data());
  }
  state.counters["Mpx/s"] = benchmark::Counter(
      double(state.iterations()) * kCoverings * kSide * kSide / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainFillFloor)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  WriteInspection();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
