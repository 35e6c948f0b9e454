// Reading speed of a large compressed movie (about 50 MB uncompressed: big binary-data blobs and
// several hundred thousand small display-list tags): loading and parsing every tag into objects,
// beside zlib alone inflating the same bytes; and writing the parsed tag list back out.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <memory>
#include <vector>

#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "platform/stream.h"
#include "swf/tags_control.h"
#include "swf/tags_data.h"
#include "swf/tags_display.h"

namespace {

using namespace orvanta;

constexpr int kBlobCount = 45;
constexpr size_t kBlobSize = 1 << 20;
constexpr int kFrames = 200'000;

// Bytes that deflate to about a third, like packed assets rather than zeros or noise.
std::vector<uint8_t> Blob(uint32_t seed) {
  std::vector<uint8_t> out(kBlobSize);
  uint32_t state = seed * 2654435761u + 1;
  for (size_t i = 0; i < out.size(); ++i) {
    state = state * 1664525u + 1013904223u;
    out[i] = static_cast<uint8_t>((state >> 24) % 23 + (i & 0x40 ? 'a' : 'A'));
  }
  return out;
}

// The CWS file, built once.
const std::vector<uint8_t>& CWSFile() {
  static const std::vector<uint8_t> file = [] {
    TFlashMovie movie(0, 0, 550, 400, 24, true);
    movie.SetVersion(9);
    movie.SetCompressed(true);
    for (int i = 0; i < kBlobCount; ++i) {
      auto blob = std::make_unique<TSWFDefineBinaryData>();
      blob->Tag = static_cast<uint16_t>(1 + i);
      blob->Data = Blob(static_cast<uint32_t>(i));
      movie.Add(std::move(blob));
    }
    for (int i = 0; i < kFrames; ++i) {
      auto place = std::make_unique<TSWFPlaceObject2>();
      place->Depth = static_cast<uint16_t>(1 + i % 50);
      place->SetCharacterId(static_cast<uint16_t>(1 + i % kBlobCount));
      place->Matrix().SetTranslate((i * 37) % 11000, (i * 53) % 8000);
      movie.Add(std::move(place));
      auto remove = std::make_unique<TSWFRemoveObject2>();
      remove->Depth = static_cast<uint16_t>(1 + (i + 25) % 50);
      movie.Add(std::move(remove));
      movie.ShowFrame();
    }
    movie.MakeData();
    TMemoryStream out;
    movie.SaveToStream(out);
    return out.TakeBytes();
  }();
  return file;
}

uint32_t DeclaredLength(const std::vector<uint8_t>& file) {
  return uint32_t{file[4]} | uint32_t{file[5]} << 8 | uint32_t{file[6]} << 16 |
         uint32_t{file[7]} << 24;
}

void BM_LoadAndParse(benchmark::State& state) {
  const std::vector<uint8_t>& file = CWSFile();
  size_t tags = 0;
  for (auto _ : state) {
    // A view, as the floor reads the file in place: copying 34 MB is no part of loading.
    TMemoryViewStream in(file);
    TSWFStreamReader reader;
    reader.LoadFromStream(in);
    reader.ParseTags(true, false);
    tags = reader.TagList.size();
    benchmark::DoNotOptimize(tags);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * DeclaredLength(file)));
  state.counters["file_bytes"] = static_cast<double>(file.size());
  state.counters["swf_bytes"] = static_cast<double>(DeclaredLength(file));
  state.counters["tags"] = static_cast<double>(tags);
}
BENCHMARK(BM_LoadAndParse)->Unit(benchmark::kMillisecond);

// Loading alone (header and inflate into the body), to split the parse cost from the inflate.
void BM_LoadOnly(benchmark::State& state) {
  const std::vector<uint8_t>& file = CWSFile();
  for (auto _ : state) {
    TMemoryViewStream in(file);
    TSWFStreamReader reader;
    reader.LoadFromStream(in);
    benchmark::DoNotOptimize(reader.BodyStream().MutableData());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * DeclaredLength(file)));
}
BENCHMARK(BM_LoadOnly)->Unit(benchmark::kMillisecond);

// The floor: zlib alone inflating the compressed part of the same file. With `fresh` the buffer
// is new and uninitialised each time, so its page faults and its release are paid as a reader
// pays them for its body; without, one buffer is reused and faulted in once.
void InflateFloor(benchmark::State& state, bool fresh) {
  const std::vector<uint8_t>& file = CWSFile();
  const size_t length = DeclaredLength(file) - 8;
  std::unique_ptr<uint8_t[]> reused(fresh ? nullptr : new uint8_t[length]);
  for (auto _ : state) {
    std::unique_ptr<uint8_t[]> owned(fresh ? new uint8_t[length] : nullptr);
    uint8_t* body = fresh ? owned.get() : reused.get();
    uLongf size = length;
    if (uncompress(body, &size, file.data() + 8, file.size() - 8) != Z_OK) {
      state.SkipWithError("inflate failed");
      return;
    }
    benchmark::DoNotOptimize(body);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * DeclaredLength(file)));
}

void BM_InflateFloor(benchmark::State& state) { InflateFloor(state, false); }
BENCHMARK(BM_InflateFloor)->Unit(benchmark::kMillisecond);

void BM_InflateFloorFresh(benchmark::State& state) { InflateFloor(state, true); }
BENCHMARK(BM_InflateFloorFresh)->Unit(benchmark::kMillisecond);

// Writing the parsed objects back: every tag serialises itself, then the file is compressed
// again. Throughput counts the uncompressed movie.
void BM_Rewrite(benchmark::State& state) {
  const std::vector<uint8_t>& file = CWSFile();
  TMemoryStream in(file.data(), file.size());
  TSWFStreamReader reader;
  reader.LoadFromStream(in);
  reader.ParseTags(true, false);
  TMemoryStream out;
  for (auto _ : state) {
    reader.MakeData();
    out.Clear();
    reader.SaveToStream(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * DeclaredLength(file)));
  state.counters["out_bytes"] = static_cast<double>(out.Size());
}
BENCHMARK(BM_Rewrite)->Unit(benchmark::kMillisecond);

// Rewriting uncompressed, to show how much of the rewrite is zlib.
void BM_RewriteFWS(benchmark::State& state) {
  const std::vector<uint8_t>& file = CWSFile();
  TMemoryStream in(file.data(), file.size());
  TSWFStreamReader reader;
  reader.LoadFromStream(in);
  reader.ParseTags(true, false);
  reader.SetCompressed(false);
  TMemoryStream out;
  for (auto _ : state) {
    reader.MakeData();
    out.Clear();
    reader.SaveToStream(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * DeclaredLength(file)));
}
BENCHMARK(BM_RewriteFWS)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
