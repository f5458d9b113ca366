// bench: positions of the Sun, Moon, the eight planets and the two lunar nodes for one instant, timed
// over 4096 distinct instants from 1890 to 2100; and the same bodies from Swiss Ephemeris with its
// built-in Moshier ephemeris (SEFLG_MOSEPH) as the peer, in the same executable. One item = one
// instant with all its bodies.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/positions.h"
#ifdef TALPORA_HAVE_SWE
#include "swephexp.h"
#endif

namespace {

std::vector<double> instants() {
  std::vector<double> jds(4096);
  const double first = 2411368.5, span = 2488434.5 - 2411368.5;
  for (std::size_t k = 0; k < jds.size(); ++k)
    jds[k] = first + span * (static_cast<double>(k) + 0.37) / jds.size();
  return jds;
}

void BM_Positions(benchmark::State& state) {
  const std::vector<double> jds = instants();
  std::size_t k = 0;
  for (auto _ : state) {
    const double jde = jds[k++ & 4095];
    double sunLon, moonLon, moonLat, sunDist, aya, blackMoon, svp, trueNode, meanNode;
    double out[24];
    talpora::asforce1Plus(jde, sunLon, moonLon, moonLat, sunDist, aya, blackMoon, svp);
    talpora::asforce2(jde, sunLon, sunDist, out);
    talpora::asforce3(jde, trueNode, meanNode);
    benchmark::DoNotOptimize(out);
    benchmark::DoNotOptimize(trueNode);
    benchmark::DoNotOptimize(moonLon);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Positions);

#ifdef TALPORA_HAVE_SWE
void BM_PeerPositions(benchmark::State& state) {
  const std::vector<double> jds = instants();
  const int bodies[] = {SE_SUN,    SE_MOON,   SE_MERCURY, SE_VENUS, SE_MARS,      SE_JUPITER,
                        SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_MEAN_NODE, SE_TRUE_NODE};
  std::size_t k = 0;
  char serr[AS_MAXCH];
  for (auto _ : state) {
    const double jde = jds[k++ & 4095];
    double xx[6];
    for (int body : bodies) {
      swe_calc(jde, body, SEFLG_MOSEPH, xx, serr);
      benchmark::DoNotOptimize(xx);
    }
  }
  state.SetItemsProcessed(state.iterations());
  swe_close();
}
BENCHMARK(BM_PeerPositions);
#endif

}  // namespace

BENCHMARK_MAIN();
