// Slideshow speed: nine 1024 x 768 photos built into a slideshow with an album of thumbnails (two
// pages, a transition, a colour border) and the movie written out. Floor: decoding the same nine
// files and encoding each at the photo box size as the slideshow does, with no movie at all.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "builders/slideshow/slideshow_builder.h"
#include "media/picture_codecs.h"
#include "movie/flash_movie.h"
#include "platform/data_root.h"
#include "platform/random.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/field_registry.h"

namespace {

using namespace orvanta;

constexpr int kPhotos = 9, kBoxWidth = 300, kBoxHeight = 225;

const std::vector<std::string>& PhotoFiles() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> out;
    for (int i = 0; i < kPhotos; ++i) {
      TPicture p(1024, 768);
      for (uint32_t y = 0; y < p.Height; ++y)
        for (uint32_t x = 0; x < p.Width; ++x) {
          uint8_t* px = p.Pixel(x, y);
          px[0] = static_cast<uint8_t>(128 + 100 * std::sin(x * 0.01 + i) + (x * y) % 7);
          px[1] = static_cast<uint8_t>(128 + 90 * std::cos(y * 0.013 - i) + (x ^ y) % 5);
          px[2] = static_cast<uint8_t>((x + y) / 8 + i * 20);
        }
      const std::string path = (std::filesystem::temp_directory_path() /
                                ("orvanta_bench_slide" + std::to_string(i) + ".jpg"))
                                   .string();
      WriteWholeFile(path, EncodeJPEG(p, 85));
      out.push_back(path);
    }
    return out;
  }();
  return files;
}

TPageState SlideshowPage() {
  TPageState page = TPageState::Defaults();
  TWarnings ignored;
  auto set = [&](const char* name, const char* value) {
    page.SetField(FindSavedField(name), value, "", 1, ignored);
  };
  set("photowidth", "300");
  set("photoheight", "225");
  set("slideshoweffect", "5");
  set("photoborderindex", "1");
  set("thumbenabled", "True");
  set("galleryrow", "2");
  set("gallerycol", "3");
  set("galleryy", "240");
  page.Photos = PhotoFiles();
  return page;
}

void BM_SlideshowWithAlbum(benchmark::State& state) {
  static const std::vector<uint8_t> packBytes = ReadWholeFile(ORVANTA_TEMPLATE_PACK);
  const TTemplatePack pack(packBytes);
  const TDataRoot data(ORVANTA_DATA_ROOT);
  const TPageState page = SlideshowPage();
  for (auto _ : state) {
    TRandom random(1);
    TWarnings warnings;
    TBuildContext context{random, data, warnings, 1};
    TFlashMovie movie(0, 0, 800 * 20, 600 * 20, 12);
    movie.SetPixelUnits(true);
    movie.SetVersion(8);
    movie.UseRandom(random);
    TSlideshowBuilder builder(&pack);
    benchmark::DoNotOptimize(builder.Build(movie, page, DepthPlanFor(page), context));
    movie.ShowFrame();
    movie.MakeData();
    TMemoryStream out;
    movie.SaveToStream(out);
    if (!warnings.empty()) state.SkipWithError(warnings.front().Message.c_str());
    benchmark::DoNotOptimize(out.TakeBytes());
  }
}
BENCHMARK(BM_SlideshowWithAlbum)->Unit(benchmark::kMillisecond);

void BM_FloorDecodeAndEncodePhotos(benchmark::State& state) {
  const std::vector<std::string>& files = PhotoFiles();
  for (auto _ : state) {
    for (const std::string& file : files) {
      const TPicture picture = LoadPictureFile(file);
      const TPicture boxed = ScalePicture(picture, kBoxWidth, kBoxHeight);
      benchmark::DoNotOptimize(EncodeJPEG(boxed, 80));
    }
  }
}
BENCHMARK(BM_FloorDecodeAndEncodePhotos)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
