// Cost of vector shapes: building 10,000 solid-filled 50-edge polygons through the movie, then
// serialising and writing them plain (FWS) or compressed (CWS), with zlib alone on the same body
// as the floor for the compressed case.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "movie/flash_edges.h"
#include "compressed_output.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "platform/stream.h"

namespace orvanta {
namespace {

constexpr int kShapeCount = 10'000;
constexpr int kEdgeCount = 50;

// A wobbly closed outline, different for every shape so that edge bit widths vary as they
// would in real artwork rather than repeating one record pattern zlib can fold away.
std::vector<TFlashPoint> Outline(int index) {
  std::vector<TFlashPoint> points(kEdgeCount);
  const int cx = (index * 37) % 500 + 25;
  const int cy = (index * 53) % 350 + 25;
  for (int k = 0; k < kEdgeCount; ++k) {
    const double angle = 2 * std::numbers::pi * k / kEdgeCount;
    const double radius = 10 + (index * 7 + k * 13) % 15;
    points[k] = {cx + static_cast<int32_t>(std::lround(radius * std::cos(angle))),
                 cy + static_cast<int32_t>(std::lround(radius * std::sin(angle)))};
  }
  return points;
}

std::unique_ptr<TFlashMovie> ShapeMovie(bool compressed) {
  auto movie = std::make_unique<TFlashMovie>(0, 0, 550, 400, 24, true);
  movie->SetVersion(8);
  movie->SetCompressed(compressed);
  for (int i = 0; i < kShapeCount; ++i) {
    const auto points = Outline(i);
    TFlashShape* shape = movie->AddPolygon(points);
    shape->SetSolidColor(static_cast<uint8_t>(i), static_cast<uint8_t>(i * 3),
                         static_cast<uint8_t>(i * 7));
    movie->PlaceObject(shape, static_cast<uint16_t>(i + 1));
  }
  movie->ShowFrame();
  return movie;
}

// Everything a user waits for: the shapes built, the list serialised and the FWS file written.
// shape_time is the iteration time over 10,000.
void BM_BuildAndWriteFWS(benchmark::State& state) {
  TMemoryStream out;
  for (auto _ : state) {
    auto movie = ShapeMovie(false);
    movie->MakeData();
    out.Clear();
    movie->SaveToStream(out);
    benchmark::DoNotOptimize(out.Size());
  }
  state.counters["shape_time"] = benchmark::Counter(
      kShapeCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["out_bytes"] = static_cast<double>(out.Size());
}
BENCHMARK(BM_BuildAndWriteFWS)->Unit(benchmark::kMillisecond);

// The building alone (edges to shape records, fills, placements), for splitting the above.
void BM_BuildOnly(benchmark::State& state) {
  for (auto _ : state) {
    auto movie = ShapeMovie(false);
    benchmark::DoNotOptimize(movie.get());
  }
  state.counters["shape_time"] = benchmark::Counter(
      kShapeCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BuildOnly)->Unit(benchmark::kMillisecond);

// Serialising a built movie and writing it plain: the FWS output rate.
void BM_WriteFWS(benchmark::State& state) {
  auto movie = ShapeMovie(false);
  TMemoryStream out;
  for (auto _ : state) {
    movie->MakeData();
    out.Clear();
    movie->SaveToStream(out);
  }
  state.SetBytesProcessed(state.iterations() * out.Size());
  state.counters["out_bytes"] = static_cast<double>(out.Size());
}
BENCHMARK(BM_WriteFWS)->Unit(benchmark::kMillisecond);

void BM_SaveCWS(benchmark::State& state) {
  auto movie = ShapeMovie(true);
  movie->MakeData();
  bench::MeasureSaveCWS(state, *movie);
}
BENCHMARK(BM_SaveCWS)->Unit(benchmark::kMillisecond);

void BM_ZlibFloor(benchmark::State& state) {
  auto movie = ShapeMovie(true);
  movie->MakeData();
  bench::MeasureZlibFloor(state, *movie);
}
BENCHMARK(BM_ZlibFloor)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
