// The catalogue read at start-up, on the data root the build made, beside its floor: the same
// thumbnail files read and decoded by path, without the lists, look-ups and strips around them.
#include <benchmark/benchmark.h>

#include "media/picture_codecs.h"
#include "platform/data_root.h"
#include "platform/stream.h"
#include "project/catalogue.h"

namespace orvanta {
namespace {

const TDataRoot& Data() {
  static const TDataRoot data(ORVANTA_DATA_ROOT);
  return data;
}

void BM_CatalogueRead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadCatalogue(Data()));
}

void BM_CatalogueFloorDecodeFiles(benchmark::State& state) {
  std::vector<std::string> files;
  const TCatalogue catalogue = ReadCatalogue(Data());
  for (const TCatalogueList* list : catalogue.Lists())
    for (const TCatalogueEntry& entry : list->Entries)
      if (!entry.Thumbnail.File.empty() && entry.Thumbnail.Cell <= 0)
        files.push_back((Data().Folder() / entry.Thumbnail.File).string());
  for (auto _ : state)
    for (const std::string& file : files) benchmark::DoNotOptimize(LoadPictureFile(file));
  state.SetLabel(std::to_string(files.size()) + " files");
}

BENCHMARK(BM_CatalogueRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogueFloorDecodeFiles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
