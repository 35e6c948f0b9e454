// Publishing a page beside the rebuild it starts with, and beside its floor: the rebuild plus
// plain file copies of the same files into the same folder. The page carries a loading screen
// and music with its control, from the data root the build made (the Ruffle player included).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "builders/standard_builders.h"
#include "platform/data_root.h"
#include "platform/template_pack.h"
#include "project/build_driver.h"
#include "publish/publisher.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

fs::path Folder(const char* name) {
  fs::path f = fs::temp_directory_path() / "orvanta_publish_bench" / name;
  fs::create_directories(f);
  return f;
}

TBannerDocument Page() {
  TBannerDocument doc = TBannerDocument::New();
  TWarnings warnings;
  for (const auto& [name, value] : {std::pair{"SWFWidth", "300"},
                                    {"SWFHeight", "250"},
                                    {"preloadindex", "1"},
                                    {"bgsound", "calm.mp3"},
                                    {"bgsoundcontrol", "1"}})
    doc.Current.SetField(FindSavedField(name), value, "", 1, warnings);
  return doc;
}

const TDataRoot& Data() {
  static const TDataRoot data(ORVANTA_DATA_ROOT);
  return data;
}

const TTemplatePack& Templates() {
  static const std::vector<uint8_t> bytes = [] {
    std::ifstream in(ORVANTA_TEMPLATE_PACK, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  static const TTemplatePack pack(bytes);
  return pack;
}

void BM_Rebuild(benchmark::State& state) {
  TBannerDocument doc = Page();
  TBuildDriver driver(Data(), {Folder("work"), 1});
  AddStandardBuilders(driver, Templates());
  for (auto _ : state) benchmark::DoNotOptimize(driver.Rebuild(doc, TRebuildOrigin::Command));
}

void BM_Publish(benchmark::State& state) {
  const auto mode = TPublishMode(state.range(0));
  TBannerDocument doc = Page();
  const TPublishOptions options{Folder("site"), Folder("work"), mode, 1, false};
  for (auto _ : state) benchmark::DoNotOptimize(PublishPage(doc, 1, Data(), Templates(), options));
  state.SetLabel(mode == TPublishMode::CurrentPage ? "current page" : "all media");
}

// What publishing cannot go below: the rebuild, then the files it writes copied as they are.
void BM_PublishFloor(benchmark::State& state) {
  TBannerDocument doc = Page();
  const fs::path work = Folder("work"), site = Folder("floor");
  TBuildDriver driver(Data(), {work, 1});
  AddStandardBuilders(driver, Templates());
  const auto copy = fs::copy_options::overwrite_existing;
  for (auto _ : state) {
    driver.Rebuild(doc, TRebuildOrigin::Command);
    fs::create_directories(site / "images");
    fs::copy_file(work / kMainMovieFile, site / "images" / "index.swf", copy);
    for (int i = 1; i <= kStripCount; ++i)
      fs::copy_file(work / StripFileName(i), site / "images" / StripFileName(i), copy);
    fs::copy_file(work / kCentredPageFile, site / "index.html", copy);
    fs::copy(*Data().Find("ruffle"), site / "ruffle", fs::copy_options::recursive | copy);
  }
}

BENCHMARK(BM_Rebuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Publish)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PublishFloor)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
