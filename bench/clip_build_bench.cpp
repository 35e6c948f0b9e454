// The movie-clip builder with all five layers (waiting, revealed, turned) and an own SWF, beside
// its floor: the same six movies imported as sprites and placed plainly, in the same movie
// written the same way.
#include <benchmark/benchmark.h>

#include "builders/clips/movie_clip_builder.h"
#include "media/clip_source.h"
#include "media/flash_external_movie.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "platform/clip_table.h"
#include "platform/data_root.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/banner_document.h"
#include "project/field_registry.h"

namespace orvanta {
namespace {

constexpr int kClips[] = {1, 276, 131, 583, 135};  // a .swf, a template, a .ddt, two templates
constexpr const char* kOwnTemplate = "SHAPETEMPLATE5";

struct TSetup {
  TDataRoot Data{ORVANTA_DATA_ROOT};
  std::vector<uint8_t> PackBytes = ReadWholeFile(ORVANTA_TEMPLATE_PACK);
  TTemplatePack Pack{PackBytes};
  std::string OwnFile =
      (std::filesystem::temp_directory_path() / "orvanta_clip_bench.swf").string();
  TPageState Page = TPageState::Defaults();
  TSetup() {
    const auto own = Pack.Get(kOwnTemplate).Data;
    WriteWholeFile(OwnFile, own);
    TWarnings warnings;
    auto set = [&](std::string_view name, const std::string& value) {
      Page.SetField(FindSavedField(name), value, "", 1, warnings);
    };
    for (int layer = 1; layer <= kClipLayers; ++layer)
      set("PageEffectID" + std::to_string(layer), std::to_string(kClips[layer - 1]));
    set("PageBackGroundRotation2", "90");
    set("PageBackgroundShadow3", "True");
    set("PageEffect_filename1", OwnFile);
  }
};

TSetup& Setup() {
  static TSetup setup;
  return setup;
}

std::unique_ptr<TFlashMovie> NewMovie(TRandom& random) {
  auto movie = std::make_unique<TFlashMovie>(0, 0, 800, 400, 24, true);
  movie->SetVersion(8);
  movie->SetCompressed(true);
  movie->UseRandom(random);
  return movie;
}

size_t Written(TFlashMovie& movie) {
  movie.ShowFrame();
  movie.MakeData();
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.Size();
}

void BM_ClipBuild(benchmark::State& state) {
  TSetup& s = Setup();
  TMovieClipBuilder builder(s.Pack);
  for (auto _ : state) {
    TRandom random(1);
    auto movie = NewMovie(random);
    TWarnings warnings;
    TBuildContext context{random, s.Data, warnings, 1};
    builder.Build(*movie, s.Page, DepthPlanFor(s.Page), context);
    benchmark::DoNotOptimize(Written(*movie));
  }
}

void BM_ClipBuildFloorPlainImports(benchmark::State& state) {
  TSetup& s = Setup();
  for (auto _ : state) {
    TRandom random(1);
    auto movie = NewMovie(random);
    uint16_t depth = 507;
    for (int index : kClips) {
      const std::vector<uint8_t> bytes = LoadClipStream(ClipName(index), s.Data, s.Pack)->Bytes;
      TMemoryViewStream stream(bytes);
      movie->PlaceObject(movie->AddExternalMovie(stream)->Sprite(), depth += 2);
    }
    movie->PlaceObject(movie->AddExternalMovie(s.OwnFile)->Sprite(), 517);
    benchmark::DoNotOptimize(Written(*movie));
  }
}

BENCHMARK(BM_ClipBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClipBuildFloorPlainImports)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
