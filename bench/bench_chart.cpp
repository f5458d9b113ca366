// bench: the chart calculation (calculall: 17 objects with their motion, the cusps, the planetary hour)
// over 4096 distinct charts from 1900 to 2100 at places from 60 S to 60 N, and beside it Swiss
// Ephemeris with its Moshier theories computing the same bodies (Sun to Pluto, true node, mean lunar
// apogee, Chiron) with their speeds, the obliquity and the Placidus cusps of the same charts.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "core/calendar.h"
#include "engine/chart.h"

#ifdef TALPORA_HAVE_SWE
#include "swephexp.h"
#endif

namespace talpora {
namespace {

std::vector<Chart1> sampleCharts() {
  std::vector<Chart1> charts(4096);
  for (std::size_t i = 0; i < charts.size(); ++i) {
    Chart1& c = charts[i];
    c.year = static_cast<short>(1900 + (i * 37) % 200);
    c.month = static_cast<short>(1 + (i * 5) % 12);
    c.day = static_cast<short>(1 + (i * 11) % 28);
    c.hour = static_cast<short>((i * 7) % 24);
    c.minute = static_cast<short>((i * 13) % 60);
    const double lonDeg = -180.0 + static_cast<double>((i * 29) % 360);
    c.longitude = lonDeg / 15;
    c.latitude = -60.0 + static_cast<double>((i * 17) % 121);
    c.timeZone = std::round(lonDeg / 15);
    c.timeKnown = 1;
  }
  return charts;
}

void BM_Calculall(benchmark::State& state) {
  const std::vector<Chart1> charts = sampleCharts();
  CIni settings = defaultSettings(TALPORA_BIN_DIR);
  settings.houseSystem = 1;
  const ChironTable chiron = readChironTable(std::filesystem::path(TALPORA_BIN_DIR) / kChironFileName);
  if (chiron.empty()) state.SkipWithError("no Chiron table in the program directory");
  std::size_t i = 0;
  Chart2 out;
  for (auto _ : state) {
    const ChartStatus s = calculall(settings, charts[i], out, chiron);
    benchmark::DoNotOptimize(out);
    benchmark::DoNotOptimize(s);
    if (++i == charts.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Calculall);

#ifdef TALPORA_HAVE_SWE
void BM_PeerChart(benchmark::State& state) {
  const std::vector<Chart1> charts = sampleCharts();
  swe_set_ephe_path(const_cast<char*>(TALPORA_SWE_EPHE_PATH));
  const int bodies[] = {SE_SUN,    SE_MOON,    SE_MERCURY, SE_VENUS,     SE_MARS,      SE_JUPITER, SE_SATURN,
                        SE_URANUS, SE_NEPTUNE, SE_PLUTO,   SE_TRUE_NODE, SE_MEAN_APOG, SE_CHIRON};
  std::size_t i = 0;
  char err[256];
  for (auto _ : state) {
    const Chart1& c = charts[i];
    const double jd = swe_julday(c.year, c.month, c.day, c.hour + c.minute / 60.0 - c.timeZone, SE_GREG_CAL);
    double xx[6], nut[6];
    swe_calc_ut(jd, SE_ECL_NUT, SEFLG_MOSEPH, nut, err);
    for (int b : bodies) {
      swe_calc_ut(jd, b, SEFLG_MOSEPH | SEFLG_SPEED, xx, err);
      benchmark::DoNotOptimize(xx);
    }
    double cusps[13], ascmc[10];
    swe_houses_ex(jd, SEFLG_MOSEPH, c.latitude, c.longitude * 15, 'P', cusps, ascmc);
    benchmark::DoNotOptimize(cusps);
    benchmark::DoNotOptimize(ascmc);
    if (++i == charts.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PeerChart);
#endif

}  // namespace
}  // namespace talpora

BENCHMARK_MAIN();
