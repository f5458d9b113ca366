// tools/chiron: writes Chiron's table "zykadb.DTF" (see engine/positions.h for the layout) for
// every year from 1890 to a last year from Swiss Ephemeris, and measures the table's worst
// interpolation error.
//
//   make_zykadb --out FILE [--ephe DIR] [--last-year YEAR] [--check-step DAYS]
//
// Positions: geocentric apparent longitude of the true equinox of date (light-time, aberration and
// nutation included), at universal time. Each year has 14 points, the first on 1 January 0h UT, the
// last on the next 1 January 0h UT, and the twelve between them placed (on a quarter-day grid) so
// that the largest deviation of the straight lines from Chiron's path is as small as possible:
// bisection on the deviation, and for each trial the points as far apart as it allows.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/calendar.h"
#include "engine/positions.h"
#include "platform/atomic_file.h"
#include "swephexp.h"

namespace {

using talpora::ChironTable;

constexpr double kStep = 0.25;  // days between samples (and the grid of the points)

double chironLongitude(double jdUt) {
  double xx[6] = {};
  char serr[AS_MAXCH] = {};
  const int rc = swe_calc_ut(jdUt, SE_CHIRON, SEFLG_SWIEPH, xx, serr);
  if (rc < 0 || !(rc & SEFLG_SWIEPH)) {
    std::fprintf(stderr, "make_zykadb: Swiss Ephemeris has no Chiron for JD %.2f: %s\n", jdUt, serr);
    std::exit(1);
  }
  return xx[0];
}

// The largest deviation of the chord from sample a to sample b from the samples between them.
double chordError(const std::vector<double>& f, std::size_t a, std::size_t b) {
  double worst = 0;
  const double slope = (f[b] - f[a]) / static_cast<double>(b - a);
  for (std::size_t j = a + 1; j < b; ++j) worst = std::max(worst, std::fabs(f[a] + slope * (j - a) - f[j]));
  return worst;
}

// The points (sample indices) for a largest deviation eps: each chord as long as eps allows.
std::vector<std::size_t> greedyPoints(const std::vector<double>& f, double eps) {
  std::vector<std::size_t> points{0};
  const std::size_t last = f.size() - 1;
  while (points.back() < last) {
    const std::size_t a = points.back();
    std::size_t b = a + 1;
    while (b < last && chordError(f, a, b + 1) <= eps) ++b;
    points.push_back(b);
  }
  return points;
}

// 14 points for one year of samples (unwrapped longitudes), first and last sample included.
std::vector<std::size_t> placePoints(const std::vector<double>& f) {
  const std::size_t segments = ChironTable::kPairsPerYear - 1;
  double lo = 0, hi = 1.0;
  while (greedyPoints(f, hi).size() - 1 > segments) hi *= 2;
  for (int k = 0; k < 50; ++k) {
    const double mid = 0.5 * (lo + hi);
    if (greedyPoints(f, mid).size() - 1 <= segments)
      hi = mid;
    else
      lo = mid;
  }
  std::vector<std::size_t> points = greedyPoints(f, hi);
  // Fewer segments than allowed: split the worst one until there are 13.
  while (points.size() - 1 < segments) {
    std::size_t worstSeg = 0;
    double worst = -1;
    for (std::size_t s = 0; s + 1 < points.size(); ++s) {
      if (points[s + 1] - points[s] < 2) continue;
      const double e = chordError(f, points[s], points[s + 1]);
      if (e > worst) worst = e, worstSeg = s;
    }
    if (worst < 0) break;
    points.insert(points.begin() + worstSeg + 1, (points[worstSeg] + points[worstSeg + 1]) / 2);
  }
  return points;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, ephe = "/usr/share/libswe/ephe";
  int lastYear = 2100;
  double checkStep = 1.0 / 24.0;
  for (int k = 1; k < argc; ++k) {
    const std::string a = argv[k];
    if (a == "--out" && k + 1 < argc)
      out = argv[++k];
    else if (a == "--ephe" && k + 1 < argc)
      ephe = argv[++k];
    else if (a == "--last-year" && k + 1 < argc)
      lastYear = std::atoi(argv[++k]);
    else if (a == "--check-step" && k + 1 < argc)
      checkStep = std::atof(argv[++k]);
    else {
      std::fprintf(stderr,
                   "usage: make_zykadb --out FILE [--ephe DIR] [--last-year YEAR] [--check-step DAYS]\n");
      return 2;
    }
  }
  if (out.empty() || lastYear < ChironTable::kFirstYear || lastYear > 2399 || !(checkStep > 0)) {
    std::fprintf(stderr,
                 "usage: make_zykadb --out FILE [--ephe DIR] [--last-year YEAR] [--check-step DAYS]\n");
    return 2;
  }
  swe_set_ephe_path(ephe.data());
  char version[256] = {};
  swe_version(version);
  std::printf("Swiss Ephemeris %s, files in %s\n", version, ephe.c_str());

  std::vector<ChironTable::Pair> pairs;
  for (int year = ChironTable::kFirstYear; year <= lastYear; ++year) {
    const double t0 = talpora::julian_day(1, 1, year, 0.0);
    const double t1 = talpora::julian_day(1, 1, year + 1, 0.0);
    const std::size_t n = static_cast<std::size_t>(std::lround((t1 - t0) / kStep)) + 1;
    std::vector<double> f(n);
    for (std::size_t j = 0; j < n; ++j) {
      f[j] = chironLongitude(t0 + j * kStep);
      if (j > 0) {  // unwrap across 360/0
        while (f[j] - f[j - 1] > 180) f[j] -= 360;
        while (f[j] - f[j - 1] < -180) f[j] += 360;
      }
    }
    for (std::size_t idx : placePoints(f)) {
      double lon = std::fmod(f[idx], 360.0);
      if (lon < 0) lon += 360.0;
      float lonF = static_cast<float>(lon);
      if (lonF >= 360.0f) lonF = 0.0f;
      pairs.push_back({static_cast<float>(t0 + idx * kStep - ChironTable::kDayZero), lonF});
    }
  }
  const ChironTable table(pairs);
  if (const auto w = talpora::replaceFileAtomically(out, table.toBytes()); !w) {
    std::fprintf(stderr, "make_zykadb: %s\n", w.error.c_str());
    return 1;
  }
  std::printf("wrote %s: %d years (%d to %d), %zu bytes\n", out.c_str(), table.yearCount(),
              ChironTable::kFirstYear, table.lastYear(), table.toBytes().size());

  // The worst error of the table as the engine reads it, against Swiss Ephemeris.
  double worst = 0, worstJd = 0, sum2 = 0;
  long count = 0;
  for (double jd = table.firstJd() + checkStep; jd < table.endJd(); jd += checkStep) {
    double lon = 0;
    if (talpora::Chiron(table, jd, lon) != 1) {
      std::fprintf(stderr, "make_zykadb: no value read back for JD %.5f\n", jd);
      return 1;
    }
    double d = std::fmod(lon - chironLongitude(jd), 360.0);
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    sum2 += d * d;
    ++count;
    if (std::fabs(d) > worst) worst = std::fabs(d), worstJd = jd;
  }
  short day, month, year, hour, minute;
  talpora::jd_to_date(worstJd, &day, &month, &year, &hour, &minute);
  std::printf(
      "checked %ld moments %.4f days apart: worst error %.1f\" on %04d-%02d-%02d %02d:%02d UT, rms %.1f\"\n",
      count, checkStep, worst * 3600, year, month, day, hour, minute, std::sqrt(sum2 / count) * 3600);
  swe_close();
  return 0;
}
