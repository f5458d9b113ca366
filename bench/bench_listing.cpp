// Benchmarks of the listing program's listings: the detailed listing, the houses in every system and
// the fixed stars, each over many distinct charts computed beforehand (the listing alone is timed).
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/chart.h"
#include "listing/listings.h"
#include "platform/byte_io.h"

namespace {

using namespace talpora;

struct Charts {
  CIni settings = defaultSettings(TALPORA_BIN_DIR);
  std::vector<Chart1> births;
  std::vector<Chart2> charts;
};

// 240 charts from 1900 to 2099 at places from 60 S to 60 N.
const Charts& charts() {
  static const Charts c = [] {
    Charts out;
    const ChironTable chiron = readChironTable(std::filesystem::path(TALPORA_BIN_DIR) / "zykadb.DTF");
    for (int i = 0; i < 240; ++i) {
      Chart1 b = zeroedRecord<Chart1>();
      b.marker1 = b.marker2 = 32;
      b.marker3 = ' ';
      b.day = static_cast<std::int16_t>(1 + i % 28);
      b.month = static_cast<std::int16_t>(1 + i % 12);
      b.year = static_cast<std::int16_t>(1900 + (i * 37) % 200);
      b.hour = static_cast<std::int16_t>(i % 24);
      b.minute = static_cast<std::int16_t>((i * 7) % 60);
      b.timeZone = (i % 25) - 12;
      b.longitude = ((i * 13) % 360 - 180) / 15.0;
      b.latitude = (i * 11) % 121 - 60;
      b.timeKnown = 1;
      setField(b.name, "Bench");
      setField(b.place, "Somewhere");
      Chart2 c = zeroedRecord<Chart2>();
      calculall(out.settings, b, c, chiron);
      out.births.push_back(b);
      out.charts.push_back(c);
    }
    return out;
  }();
  return c;
}

template <typename Listing>
void runListing(benchmark::State& state, Listing listing) {
  const Charts& c = charts();
  std::size_t i = 0;
  for (auto _ : state) {
    Report r;
    unsigned long length = 0;
    listing(r, &length, c.settings, c.births[i], c.charts[i]);
    benchmark::DoNotOptimize(r.text.data());
    i = (i + 1) % c.births.size();
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_DetailedListing(benchmark::State& state) {
  runListing(state, [](Report& r, unsigned long* l, const CIni& s, const Chart1& b, const Chart2& c) {
    detailedListing(r, l, s, b, c, 0);
  });
}
BENCHMARK(BM_DetailedListing);

void BM_AllHousesListing(benchmark::State& state) {
  runListing(state, [](Report& r, unsigned long* l, const CIni& s, const Chart1& b, const Chart2& c) {
    allHousesListing(r, l, s, b, c, 2);
  });
}
BENCHMARK(BM_AllHousesListing);

void BM_FixedStarsListing(benchmark::State& state) {
  const FixedStarCatalogue stars = readFixedStars(TALPORA_BIN_DIR);
  if (!stars.longitudesOpened) {
    state.SkipWithError("the star file is missing from the program directory");
    return;
  }
  runListing(state, [&stars](Report& r, unsigned long* l, const CIni& s, const Chart1& b, const Chart2& c) {
    fixedStarsListing(r, l, s, b, c, 0, stars, nullptr);
  });
}
BENCHMARK(BM_FixedStarsListing);

}  // namespace

BENCHMARK_MAIN();
