// Template look-ups as the banner builders make them: the pack the build made opened from its
// bytes, then every name looked up in upper case. The floor is a plain hash map holding the
// same names already folded, looked up with folded names: no folding, no pack.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/template_pack.h"

namespace orvanta {
namespace {

const std::vector<uint8_t>& PackBytes() {
  static const std::vector<uint8_t> bytes = [] {
    std::ifstream in(ORVANTA_TEMPLATE_PACK, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  return bytes;
}

std::vector<std::string> UpperNames() {
  std::vector<std::string> names;
  const TTemplatePack pack(PackBytes());
  for (const TTemplateEntry& e : pack.Entries()) {
    std::string upper = e.Name;
    for (char& c : upper)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    names.push_back(upper);
  }
  return names;
}

void BM_PackOpen(benchmark::State& state) {
  for (auto _ : state) {
    TTemplatePack pack(PackBytes());
    benchmark::DoNotOptimize(pack.Entries().data());
  }
  state.counters["templates"] = static_cast<double>(UpperNames().size());
  state.counters["MB"] = PackBytes().size() / 1e6;
}
BENCHMARK(BM_PackOpen);

void BM_PackFind(benchmark::State& state) {
  const TTemplatePack pack(PackBytes());
  const std::vector<std::string> names = UpperNames();
  for (auto _ : state)
    for (const std::string& name : names) benchmark::DoNotOptimize(pack.Find(name));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * names.size()));
}
BENCHMARK(BM_PackFind);

void BM_FloorHashMapFind(benchmark::State& state) {
  std::unordered_map<std::string, size_t> map;
  std::vector<std::string> names;
  for (const std::string& upper : UpperNames()) {
    names.push_back(FoldName(upper));
    map.emplace(names.back(), map.size());
  }
  for (auto _ : state)
    for (const std::string& name : names) benchmark::DoNotOptimize(map.find(name));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * names.size()));
}
BENCHMARK(BM_FloorHashMapFind);

}  // namespace
}  // namespace orvanta

BENCHMARK_MAIN();
