// Cost of embedded fonts: 1,000 static texts that together use 200 characters of Arial (Liberation
// Sans here). Measures the glyph outline extraction alone and the whole serialisation (outlines,
// DefineFont2, the text records) plus the FWS write. The movie is rebuilt outside the timer for
// every iteration, because a font keeps its outlines once extracted.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "movie/flash_edges.h"
#include "movie/flash_font.h"
#include "movie/flash_movie.h"
#include "movie/flash_text.h"
#include "platform/font_engine.h"
#include "platform/stream.h"

namespace orvanta {
namespace {

constexpr int kCharCount = 200;
constexpr int kTextCount = 1'000;
constexpr int kTextLength = 24;

// The first 200 printable cp1252 codes from the space on, skipping DEL and the five undefined
// codes.
std::string Alphabet() {
  std::string chars;
  for (int code = 32; static_cast<int>(chars.size()) < kCharCount; ++code) {
    if (code == 127 || code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D)
      continue;
    chars.push_back(static_cast<char>(code));
  }
  return chars;
}

std::unique_ptr<TFlashMovie> NewMovie() {
  auto movie = std::make_unique<TFlashMovie>(0, 0, 550, 400, 24, true);
  movie->SetVersion(8);
  return movie;
}

TFlashFont* AddArial(TFlashMovie& movie) {
  TFontDescription desc;
  desc.Name = "Arial";
  desc.Height = -18;
  return movie.AddFont(desc);
}

// Each text is a window into the alphabet at a different offset, so all 200 characters are used
// and every text differs.
std::unique_ptr<TFlashMovie> TextMovie() {
  auto movie = NewMovie();
  TFlashFont* font = AddArial(*movie);
  const std::string alphabet = Alphabet();
  const TSWFRGBA black;
  for (int i = 0; i < kTextCount; ++i) {
    std::string text;
    for (int k = 0; k < kTextLength; ++k) text.push_back(alphabet[(i * 7 + k) % kCharCount]);
    TFlashText* item =
        movie->AddText(text, black, font, TFlashPoint{(i * 13) % 300, (i * 29) % 380});
    movie->PlaceObject(item, static_cast<uint16_t>(i + 1));
  }
  movie->ShowFrame();
  return movie;
}

// Outline extraction and conversion to shape records for the 200 glyphs; the face is already
// open, as it is after the texts measured their extents.
void BM_GlyphOutlines(benchmark::State& state) {
  const std::string alphabet = Alphabet();
  size_t records = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto movie = NewMovie();
    TFlashFont* font = AddArial(*movie);
    font->AddChars(alphabet);
    font->PlatformFont();
    state.ResumeTiming();
    font->MakeGlyphs();
    state.PauseTiming();
    records = 0;
    for (const auto& ch : font->Chars) records += ch->GlyphRecords.size();
    movie.reset();
    state.ResumeTiming();
  }
  state.counters["glyph_time"] = benchmark::Counter(
      static_cast<double>(kCharCount),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["shape_records"] = static_cast<double>(records);
}
BENCHMARK(BM_GlyphOutlines)->Unit(benchmark::kMillisecond);

// What a user waits for when saving: MakeData (which extracts the outlines) and the FWS file.
void BM_MakeDataAndWriteFWS(benchmark::State& state) {
  TMemoryStream out;
  for (auto _ : state) {
    state.PauseTiming();
    auto movie = TextMovie();
    out.Clear();
    state.ResumeTiming();
    movie->MakeData();
    movie->SaveToStream(out);
    state.PauseTiming();
    movie.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * out.Size());
  state.counters["glyph_time"] = benchmark::Counter(
      static_cast<double>(kCharCount),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["out_bytes"] = static_cast<double>(out.Size());
}
BENCHMARK(BM_MakeDataAndWriteFWS)->Unit(benchmark::kMillisecond);

// Building the document: the font, 1,000 texts measured against the face, their placements.
void BM_BuildTexts(benchmark::State& state) {
  for (auto _ : state) {
    auto movie = TextMovie();
    benchmark::DoNotOptimize(movie.get());
  }
}
BENCHMARK(BM_BuildTexts)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
