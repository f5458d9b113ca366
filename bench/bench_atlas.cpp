// Benchmarks of the atlas: a town-list search from the files (read, locate, 650 row texts) and a warm
// time-zone lookup, over many distinct towns and dates of the shipped atlas in the program directory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <vector>

#include "atlas/atlas_dialog.h"
#include "atlas/atlas_files.h"

namespace {

using namespace talpora;

const std::filesystem::path kDir = TALPORA_BIN_DIR;

std::vector<std::string> sampleNames(int n) {
  AtlasFolder folder(kDir);
  const auto towns = folder.towns();
  std::vector<std::string> out;
  if (!towns) return out;
  std::mt19937 rng(1);
  std::uniform_int_distribution<int> pick(0, towns->count() - 1);
  for (int i = 0; i < n; ++i) out.push_back(townName(towns->at(pick(rng))));
  return out;
}

// What the atlas dialog does on opening: read the town file and the directory, locate the typed name,
// build the 650 row texts.
void BM_AtlasSearch(benchmark::State& state) {
  const auto names = sampleNames(256);
  if (names.empty()) {
    state.SkipWithError("no atlas in the program directory");
    return;
  }
  std::size_t k = 0;
  for (auto _ : state) {
    AtlasFolder folder(kDir);
    const auto towns = folder.towns();
    const auto dir = folder.directory();
    const std::string key = townSearchKey(*towns, names[k++ % names.size()]);
    const TownWindow w = townWindow(*towns, locateTown(*towns, key));
    std::size_t bytes = 0;
    for (int i = 0; i < w.count; ++i) bytes += townRowText(towns->at(w.first + i), *dir).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AtlasSearch)->Unit(benchmark::kMillisecond);

// The time zone of a town at a date (zone files already read), towns and dates varied.
void BM_ZoneLookup(benchmark::State& state) {
  AtlasFolder folder(kDir);
  const auto towns = folder.towns();
  if (!towns) {
    state.SkipWithError("no atlas in the program directory");
    return;
  }
  std::mt19937 rng(2);
  std::uniform_int_distribution<int> pick(0, towns->count() - 1), year(1850, 2100), month(1, 12), day(1, 28),
      hour(0, 23);
  struct Query {
    TownRecord town;
    int d, m, y, h;
  };
  std::vector<Query> queries;
  for (int i = 0; i < 4096; ++i)
    queries.push_back({towns->at(pick(rng)), day(rng), month(rng), year(rng), hour(rng)});
  const ZoneFileSource zones = folder.zoneFiles();
  for (const auto& q : queries) zoneAtDate(zones, q.town, q.d, q.m, q.y, q.h, 0);  // read every file once
  std::size_t k = 0;
  for (auto _ : state) {
    const Query& q = queries[k++ % queries.size()];
    benchmark::DoNotOptimize(zoneAtDate(zones, q.town, q.d, q.m, q.y, q.h, 0));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ZoneLookup)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
