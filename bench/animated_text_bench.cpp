// The animated text built into a main movie and written as temp.swf is, beside its floor: the
// same finished movie serialised and compressed again. Two texts: a typical 20-letter headline
// (Round 360x3 at 12 fps) and the heaviest text inside the id budget (Show All at 40 fps with
// 20 s enter times and as many letters as fit).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "builders/animated_text/animated_text_builder.h"
#include "builders/animated_text/text_companions.h"
#include "builders/animated_text/text_preparation.h"
#include "movie/flash_movie.h"
#include "platform/data_root.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/field_registry.h"

namespace orvanta {
namespace {

const TTemplatePack& Templates() {
  static const std::vector<uint8_t> bytes = [] {
    std::ifstream in(ORVANTA_TEMPLATE_PACK, std::ios::binary);
    return std::vector<uint8_t>{std::istreambuf_iterator<char>(in), {}};
  }();
  static const TTemplatePack pack(bytes);
  return pack;
}

const TDataRoot& Data() {
  static const TDataRoot data(ORVANTA_DATA_ROOT);
  return data;
}

void Set(TPageState& page, std::string_view name, std::string_view value) {
  TWarnings ignored;
  page.SetField(FindSavedField(name), value, "", 1, ignored);
}

std::unique_ptr<TFlashMovie> EmptyMovie(TRandom& random) {
  auto movie = std::make_unique<TFlashMovie>(0, 0, 800 * 20, 200 * 20, 12);
  movie->SetPixelUnits(true);
  movie->SetVersion(8);
  movie->SetCompressed(true);
  movie->UseRandom(random);
  return movie;
}

std::unique_ptr<TFlashMovie> BuildText(const TPageState& page, TRandom& random,
                                       TWarnings& warnings) {
  auto movie = EmptyMovie(random);
  TBuildContext context{random, Data(), warnings, 1};
  const TDepthPlan depths;
  TTextCompanionsBuilder(Templates()).Build(*movie, page, depths, context);
  TAnimatedTextBuilder(Templates()).Build(*movie, page, depths, context);
  movie->ShowFrame(2);
  return movie;
}

size_t Serialise(TFlashMovie& movie) {
  movie.MakeData();
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.Bytes().size();
}

TPageState Headline() {
  TPageState page = TPageState::Defaults();
  page.InputText = "Flash Banner Studio!";
  Set(page, "SWFWidth", "800");
  Set(page, "SWFHeight", "200");
  Set(page, "TextEffectID", "1");
  return page;
}

// The longest "Show All" text that still fits the 65,535 ids at the slowest enter time.
TPageState Heaviest() {
  TPageState page = Headline();
  Set(page, "SpeedFPS", "40");
  Set(page, "suiSpinEdit9", "20000");
  Set(page, "PageDelayTime", "20000");
  Set(page, "TextDisplayType", "1");
  std::string text = "W";
  for (;;) {
    page.InputText = text + "W";
    TRandom random(1);
    TWarnings warnings;
    auto movie = EmptyMovie(random);
    const TAnimatedTextSettings settings = ReadAnimatedTextSettings(page);
    TTextMeasurer measure(settings, &Templates());
    TBuildContext context{random, Data(), warnings, 1};
    if (!TextFits(*movie, settings, measure, Templates(), context)) break;
    text += "W";
  }
  page.InputText = text;
  return page;
}

const TPageState& Case(int index) {
  static const TPageState cases[] = {Headline(), Heaviest()};
  return cases[index];
}

void BM_AnimatedText(benchmark::State& state) {
  const TPageState& page = Case(int(state.range(0)));
  size_t bytes = 0;
  for (auto _ : state) {
    TRandom random(1);
    TWarnings warnings;
    auto movie = BuildText(page, random, warnings);
    bytes = Serialise(*movie);
  }
  state.counters["letters"] = double(page.InputText.size());
  state.counters["bytes"] = double(bytes);
}

void BM_AnimatedTextFloor(benchmark::State& state) {
  const TPageState& page = Case(int(state.range(0)));
  TRandom random(1);
  TWarnings warnings;
  auto movie = BuildText(page, random, warnings);
  size_t bytes = 0;
  for (auto _ : state) bytes = Serialise(*movie);
  state.counters["bytes"] = double(bytes);
}

BENCHMARK(BM_AnimatedText)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnimatedTextFloor)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
