// The rebuild of a page beside its floor: the same two movies serialised and compressed, the
// same background frame drawn, the same four strips encoded and the six files written once,
// without the driver around them.
// Every content kind that exists so far is on the page: the page background fill.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "platform/data_root.h"
#include "platform/stream.h"
#include "project/build_driver.h"
#include "render/frame_renderer.h"
#include "render/pixmap_output.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

struct TSize {
  int Width, Height;
};
constexpr TSize kSizes[] = {{300, 250}, {800, 800}};

fs::path Folder() {
  static const fs::path folder = [] {
    fs::path f = fs::temp_directory_path() / "orvanta_rebuild_bench";
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

TBannerDocument Page(TSize size) {
  TBannerDocument doc = TBannerDocument::New();
  TWarnings warnings;
  doc.Current.SetField(FindSavedField("SWFWidth"), std::to_string(size.Width), "", 1, warnings);
  doc.Current.SetField(FindSavedField("SWFHeight"), std::to_string(size.Height), "", 1, warnings);
  return doc;
}

void BM_Rebuild(benchmark::State& state) {
  const TSize size = kSizes[state.range(0)];
  TBannerDocument doc = Page(size);
  const TDataRoot data(Folder());
  TBuildDriver driver(data, {Folder(), 1});
  for (auto _ : state) benchmark::DoNotOptimize(driver.Rebuild(doc, TRebuildOrigin::Command));
  state.SetLabel(std::to_string(size.Width) + "x" + std::to_string(size.Height));
}

void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::ofstream out(Folder() / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> Saved(TFlashMovie& movie) {
  movie.MakeData();
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.TakeBytes();
}

void BM_RebuildFloor(benchmark::State& state) {
  const TSize size = kSizes[state.range(0)];
  for (auto _ : state) {
    TFlashMovie background(0, 0, size.Width * 20, size.Height * 20, 2, true);
    background.SetVersion(8);
    background.PlaceObject(background.AddRectangle(0, 0, size.Width, size.Height), 100);
    const std::vector<uint8_t> bytes = Saved(background);
    WriteFile("floor_bg.swf", bytes);
    TFlashMovie main(0, 0, size.Width * 20, size.Height * 20, 12, true);
    main.SetVersion(8);
    main.SetCompressed(true);
    main.ShowFrame(7);
    WriteFile("floor.swf", Saved(main));

    TMemoryViewStream stream(bytes);
    TSWFStreamReader reader(stream);
    render::TRenderOptions options;
    options.Width = size.Width;
    options.Height = size.Height;
    const render::TPixmap frame = render::RenderFrame(reader, options);
    for (int i = 0; i < 4; ++i) {
      render::TPixmap strip(size.Width / 4, size.Height);
      for (int y = 0; y < size.Height; ++y)
        std::copy_n(frame.Row(y) + i * strip.Width * 4, strip.Width * 4, strip.Row(y));
      WriteFile("floor_bg" + std::to_string(i + 1) + ".jpg", render::EncodePixmapJPEG(strip, 100));
    }
  }
  state.SetLabel(std::to_string(size.Width) + "x" + std::to_string(size.Height));
}

BENCHMARK(BM_Rebuild)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildFloor)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
