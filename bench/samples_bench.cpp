// The rebuild of every shipped sample project beside its floor: the same two movies, read back
// into tag objects, serialised (the main one compressed) and written, and the same background
// frame drawn and cut into the same four strips. Ends with a summary: the median and largest
// rebuild (naming the heaviest sample), the largest rebuild-to-floor ratio, how many samples pass
// 1.3 times their floor, and the published size (the site without the Ruffle player).
//
//   build/bench/samples_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>

#include "builders/standard_builders.h"
#include "media/swf_reader.h"
#include "platform/data_root.h"
#include "platform/random.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/background_strips.h"
#include "project/build_driver.h"
#include "project/catalogue.h"
#include "project/project_file.h"
#include "publish/publisher.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

fs::path Folder(const std::string& name) {
  const fs::path f = fs::temp_directory_path() / "orvanta_samples_bench" / name;
  fs::create_directories(f);
  return f;
}

const TDataRoot& Data() {
  static const TDataRoot data(ORVANTA_DATA_ROOT);
  return data;
}

const TTemplatePack& Templates() {
  static const std::vector<uint8_t> bytes = ReadWholeFile(ORVANTA_TEMPLATE_PACK);
  static const TTemplatePack pack(bytes);
  return pack;
}

TBannerDocument Sample(const std::string& name) {
  return LoadProject(Data().Folder() / "default_template" / (name + ".fls")).Document;
}

void BM_SampleRebuild(benchmark::State& state, const std::string& name) {
  TBannerDocument doc = Sample(name);
  TBuildDriver driver(Data(), {Folder(name), 1});
  AddStandardBuilders(driver, Templates());
  for (auto _ : state) benchmark::DoNotOptimize(driver.Rebuild(doc, TRebuildOrigin::Command));
}

void BM_SampleFloor(benchmark::State& state, const std::string& name) {
  const fs::path built = Folder(name);
  const fs::path floor = Folder(name + ".floor");
  TBannerDocument doc = Sample(name);
  {
    TBuildDriver driver(Data(), {built, 1});
    AddStandardBuilders(driver, Templates());
    driver.Rebuild(doc, TRebuildOrigin::Command);
  }
  const int width = std::stoi(doc.Current.Field("SWFWidth").Text);
  const int height = std::stoi(doc.Current.Field("SWFHeight").Text);
  const std::vector<uint8_t> mainBytes = ReadWholeFile((built / kMainMovieFile).string());
  const std::vector<uint8_t> backBytes = ReadWholeFile((built / kBackgroundMovieFile).string());
  TMemoryViewStream mainStream(mainBytes), backStream(backBytes);
  TSWFStreamReader main(mainStream), back(backStream);
  main.ParseTags(true, false);
  back.ParseTags(true, false);
  TRandom random(1);
  TWarnings warnings;
  TBuildContext context{random, Data(), warnings, 1};
  for (auto _ : state) {
    main.MakeData();
    main.SetCompressed(true);
    main.SaveToFile((floor / kMainMovieFile).string());
    back.MakeData();
    back.SaveToFile((floor / kBackgroundMovieFile).string());
    const auto strips = DrawBackgroundStrips(backBytes, width, height, context);
    for (size_t i = 0; i < strips.size(); ++i)
      WriteWholeFile((floor / StripFileName(int(i) + 1)).string(), strips[i]);
  }
}

// The bytes a visitor downloads: the published site without the shared player.
uintmax_t PublishedSize(const std::string& name) {
  TBannerDocument doc = Sample(name);
  const fs::path site = Folder(name + ".site");
  PublishPage(doc, 1, Data(), Templates(), {site, Folder(name + ".publish"), {}, 1, false});
  uintmax_t size = 0;
  for (const auto& entry : fs::recursive_directory_iterator(site))
    if (entry.is_regular_file() && entry.path().string().find("/ruffle/") == std::string::npos)
      size += entry.file_size();
  return size;
}

// Keeps every run's time (ms) by its name, and prints as usual.
class TCollector : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> Milliseconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      Milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

struct TRow {
  std::string Name;
  double Rebuild = 0, Floor = 0;
  uintmax_t Published = 0;
  double Ratio() const { return Floor > 0 ? Rebuild / Floor : 0; }
};

void PrintSummary(std::vector<TRow> rows) {
  if (rows.empty()) return;
  auto by = [&rows](auto key) {
    std::sort(rows.begin(), rows.end(), [&](const TRow& a, const TRow& b) { return key(a) < key(b); });
  };
  by([](const TRow& r) { return r.Rebuild; });
  const TRow& heaviest = rows.back();
  std::cout << "\nsamples: " << rows.size() << "\n"
            << "rebuild median " << rows[rows.size() / 2].Rebuild << " ms, max " << heaviest.Rebuild
            << " ms (" << heaviest.Name << ", floor " << heaviest.Floor << " ms, ratio "
            << heaviest.Ratio() << ")\n";
  const size_t over = size_t(std::count_if(rows.begin(), rows.end(),
                                           [](const TRow& r) { return r.Ratio() > 1.3; }));
  by([](const TRow& r) { return r.Ratio(); });
  std::cout << "rebuild / floor median " << rows[rows.size() / 2].Ratio() << ", max "
            << rows.back().Ratio() << " (" << rows.back().Name << "); " << over
            << " samples above 1.3\n";
  by([](const TRow& r) { return double(r.Published); });
  std::cout << "published size median " << rows[rows.size() / 2].Published / 1024 << " KiB, max "
            << rows.back().Published / 1024 << " KiB (" << rows.back().Name << ")\n";
}

std::vector<std::string> SampleNames() {
  std::vector<std::string> names = FlashBannerSamples();
  names.insert(names.end(), FlashSlideshowSamples().begin(), FlashSlideshowSamples().end());
  return names;
}

}  // namespace
}  // namespace orvanta

int main(int argc, char** argv) {
  using namespace orvanta;
  const std::vector<std::string> names = SampleNames();
  for (const std::string& name : names) {
    benchmark::RegisterBenchmark(("rebuild/" + name).c_str(), BM_SampleRebuild, name)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.2);
    benchmark::RegisterBenchmark(("floor/" + name).c_str(), BM_SampleFloor, name)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.2);
  }
  benchmark::Initialize(&argc, argv);
  TCollector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  std::vector<TRow> rows;
  for (const std::string& name : names) {
    const auto rebuild = collector.Milliseconds.find("rebuild/" + name);
    const auto floor = collector.Milliseconds.find("floor/" + name);
    if (rebuild == collector.Milliseconds.end() || floor == collector.Milliseconds.end()) continue;
    rows.push_back({name, rebuild->second, floor->second, PublishedSize(name)});
  }
  PrintSummary(rows);
  benchmark::Shutdown();
  return 0;
}
