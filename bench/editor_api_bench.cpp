// The editor's answers beside their floors, measured in the same run: start-up to ready (the
// session, both listeners and the whole catalogue) beside the catalogue read alone, and a field
// change with its rebuild through real HTTP beside the same rebuild called on the driver.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <filesystem>

#include "builders/standard_builders.h"
#include "platform/template_pack.h"
#include "project/catalogue.h"
#include "shell/editor_session.h"
#include "shell/embedded_templates.h"
#include "shell/gallery_preview.h"
#include "shell/gallery_thumbnails.h"
#include "shell/server/editor_server.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

fs::path Work() {
  static const fs::path folder = [] {
    fs::path f = fs::temp_directory_path() / "orvanta_editor_api_bench";
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

const TTemplatePack& Templates() {
  static const TTemplatePack pack(EmbeddedTemplatePack());
  return pack;
}

TSessionConfig Config() {
  return {ORVANTA_DATA_ROOT,
          Work(),
          {{"home", Work()}},
          1,
          &Templates(),
          [](TBuildDriver& driver) { AddStandardBuilders(driver, Templates()); }};
}

void BM_StartUpToReady(benchmark::State& state) {
  for (auto _ : state) {
    TEditorSession session(Config());
    TEditorServer server(session, {});
    session.ReadCatalogue();
    benchmark::DoNotOptimize(session.Catalogue().Progress());
  }
}

void BM_StartUpFloor_CatalogueOnly(benchmark::State& state) {
  const TDataRoot data(ORVANTA_DATA_ROOT);
  for (auto _ : state) benchmark::DoNotOptimize(ReadCatalogue(data));
}

// Alternating widths, so that every change differs from the page and rebuilds.
void BM_FieldChangeOverHttp(benchmark::State& state) {
  TEditorSession session(Config());
  TEditorServer server(session, {});
  httplib::Client client("127.0.0.1", server.ApiPort());
  const httplib::Headers headers{{"X-Orvanta-Token", server.Token()}};
  int width = 300;
  for (auto _ : state) {
    width = width == 300 ? 301 : 300;
    const nlohmann::json body{{"revision", session.State()["revision"]},
                              {"values", {{"SWFWidth", width}, {"StaticText1", "Sale"}}}};
    auto res = client.Post("/api/fields", headers, body.dump(), "application/json");
    if (!res || res->status != 200) state.SkipWithError("the change was refused");
  }
}

void BM_FieldChangeFloor_DriverRebuild(benchmark::State& state) {
  const TDataRoot data(ORVANTA_DATA_ROOT);
  TBuildDriver driver(data, {Work(), 1});
  AddStandardBuilders(driver, Templates());
  TBannerDocument doc = TBannerDocument::New();
  doc.Current.StaticTexts[0] = "Sale";
  for (auto _ : state) benchmark::DoNotOptimize(driver.Rebuild(doc, TRebuildOrigin::Command));
}

// The pictures drawn at start-up for the gallery entries the data root has none for, beside the
// catalogue read they follow.
void BM_GalleryThumbnailsDrawn(benchmark::State& state) {
  const TDataRoot data(ORVANTA_DATA_ROOT);
  const TCatalogue read = ReadCatalogue(data);
  for (auto _ : state) {
    TCatalogue catalogue = read;
    DrawMissingThumbnails(catalogue, {data, Templates()});
    benchmark::DoNotOptimize(catalogue);
  }
}

// A gallery click: a clip copied out, a panel stretched to 580 x 430, an art family's letters
// set; beside the placeholder, which is only copied.
void BM_GalleryPreview(benchmark::State& state, const char* list, int entry) {
  const TDataRoot data(ORVANTA_DATA_ROOT);
  for (auto _ : state)
    benchmark::DoNotOptimize(WriteGalleryPreview({data, Templates()}, Work(), list, entry, {}));
}
BENCHMARK_CAPTURE(BM_GalleryPreview, Clip, "Library Clips", 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GalleryPreview, Shape, "Shape Styles", 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GalleryPreview, ArtFamily, "Art Families", 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GalleryPreview, Floor_Placeholder, "Button Styles", 0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GalleryThumbnailsDrawn)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_StartUpToReady)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpFloor_CatalogueOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FieldChangeOverHttp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FieldChangeFloor_DriverRebuild)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
