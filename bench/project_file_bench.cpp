// Load and save time of a ten-page project with every page filled, beside the floors: decoding
// the same file's UTF-16 into text alone, and encoding the same project text alone.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "platform/text_file.h"
#include "project/page_text.h"
#include "project/project_file.h"

namespace {

using namespace orvanta;

TBannerDocument TenPages() {
  std::vector<TPageState> pages;
  for (int i = 1; i <= kMaxPages; ++i) {
    TPageState page = TPageState::Defaults();
    TWarnings warnings;
    page.SetField(FindSavedField("htmltitleedit"), "Страница " + std::to_string(i), "", i,
                  warnings);
    for (int t = 0; t < kStaticTextCount; ++t) page.StaticTexts[t] = "Line one\nLine two — ✓";
    for (int t = 0; t < 20; ++t) page.Photos.push_back("photos/photo" + std::to_string(t) + ".jpg");
    pages.push_back(page);
  }
  return TBannerDocument::FromPages(pages);
}

const std::vector<uint8_t>& FileBytes() {
  static const std::vector<uint8_t> bytes = EncodeTextFile(ProjectText(TenPages()));
  return bytes;
}

void BM_LoadProject(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadProject(FileBytes()));
  state.SetBytesProcessed(int64_t(state.iterations() * FileBytes().size()));
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);

void BM_DecodeFloor(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DecodeTextFile(FileBytes()));
  state.SetBytesProcessed(int64_t(state.iterations() * FileBytes().size()));
}
BENCHMARK(BM_DecodeFloor)->Unit(benchmark::kMillisecond);

void BM_SaveProject(benchmark::State& state) {
  TBannerDocument doc = TenPages();
  const auto path = std::filesystem::temp_directory_path() / "orvanta_bench.fls";
  TWarnings warnings;
  for (auto _ : state) SaveProject(doc, path, warnings);
  std::filesystem::remove(path);
  state.SetBytesProcessed(int64_t(state.iterations() * FileBytes().size()));
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_EncodeFloor(benchmark::State& state) {
  const std::string text = ProjectText(TenPages());
  for (auto _ : state) benchmark::DoNotOptimize(EncodeTextFile(text));
  state.SetBytesProcessed(int64_t(state.iterations() * FileBytes().size()));
}
BENCHMARK(BM_EncodeFloor)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
