// Output speed of the movie document: serialising a long display list and writing it plain (FWS)
// or compressed (CWS), with plain zlib on the same bytes as the floor for the compressed case.
#include <benchmark/benchmark.h>

#include <memory>

#include "compressed_output.h"
#include "movie/flash_movie.h"
#include "platform/stream.h"
#include "swf/tags_control.h"
#include "swf/tags_display.h"

namespace orvanta {
namespace {

constexpr int kTagCount = 100'000;

// Place, remove and show-frame tags in turn, 100,000 in all.
std::unique_ptr<TFlashMovie> DisplayListMovie(bool compressed) {
  auto movie = std::make_unique<TFlashMovie>(0, 0, 550, 400, 24, true);
  movie->SetVersion(8);
  movie->SetCompressed(compressed);
  for (int i = 0; i < kTagCount / 3; ++i) {
    auto place = std::make_unique<TSWFPlaceObject2>();
    place->Depth = static_cast<uint16_t>(1 + i % 50);
    place->SetCharacterId(static_cast<uint16_t>(1 + i % 200));
    place->Matrix().SetTranslate((i * 37) % 11000, (i * 53) % 8000);
    movie->Add(std::move(place));
    auto remove = std::make_unique<TSWFRemoveObject2>();
    remove->Depth = static_cast<uint16_t>(1 + (i + 25) % 50);
    movie->Add(std::move(remove));
    movie->ShowFrame();
  }
  movie->Add(std::make_unique<TSWFShowFrame>());
  return movie;
}

void BM_MakeData(benchmark::State& state) {
  auto movie = DisplayListMovie(false);
  for (auto _ : state) movie->MakeData();
  state.SetBytesProcessed(state.iterations() * movie->BodyStream().Size());
}
BENCHMARK(BM_MakeData)->Unit(benchmark::kMillisecond);

// MakeData and the plain file together: what a user waits for when saving FWS.
void BM_WriteFWS(benchmark::State& state) {
  auto movie = DisplayListMovie(false);
  TMemoryStream out;
  for (auto _ : state) {
    movie->MakeData();
    out.Clear();
    movie->SaveToStream(out);
  }
  state.SetBytesProcessed(state.iterations() * out.Size());
}
BENCHMARK(BM_WriteFWS)->Unit(benchmark::kMillisecond);

void BM_SaveCWS(benchmark::State& state) {
  auto movie = DisplayListMovie(true);
  movie->MakeData();
  bench::MeasureSaveCWS(state, *movie);
}
BENCHMARK(BM_SaveCWS)->Unit(benchmark::kMillisecond);

void BM_ZlibFloor(benchmark::State& state) {
  auto movie = DisplayListMovie(true);
  movie->MakeData();
  bench::MeasureZlibFloor(state, *movie);
}
BENCHMARK(BM_ZlibFloor)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
