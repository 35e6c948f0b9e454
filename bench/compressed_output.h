#pragma once

// The compressed-output pair every output benchmark reports: our CWS writer, and zlib alone on
// the same body bytes at the same level (the floor).
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <vector>

#include "movie/flash_movie.h"
#include "platform/stream.h"

namespace orvanta::bench {

// Movie must be compressed and already serialised (MakeData).
inline void MeasureSaveCWS(benchmark::State& state, TFlashMovie& movie) {
  TMemoryStream out;
  for (auto _ : state) {
    out.Clear();
    movie.SaveToStream(out);
  }
  state.SetBytesProcessed(state.iterations() * movie.BodyStream().Size());
  state.counters["out_bytes"] = static_cast<double>(out.Size());
}

inline void MeasureZlibFloor(benchmark::State& state, TFlashMovie& movie) {
  const auto& body = movie.BodyStream().Bytes();
  std::vector<uint8_t> out(compressBound(body.size()));
  uLongf size = 0;
  for (auto _ : state) {
    size = out.size();
    compress2(out.data(), &size, body.data(), body.size(), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * body.size());
  state.counters["out_bytes"] = static_cast<double>(size);
}

}  // namespace orvanta::bench
