// zykarcs: time windows.
#include "predict/arcs.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/positions.h"
#include "format/text_format.h"

namespace talpora {

namespace {

constexpr int kArcObjects = 12;

const char* const kAbbreviations[kArcObjects] = {"Sun ", "Moo.", "Mer.", "Ven.", "Mar.", "Jup.",
                                                 "Sat.", "Ura.", "Nep.", "Plu.", "NNd.", "SNd."};

// Objects 0..11 at 0h UT of a day: the theories at JD + tdt(year) as the chart calculation takes them,
// the true node at UT, the South Node opposite.
void positionsAt(double jdUt, double lon[kArcObjects]) {
  short d, m, y, h, mi;
  jd_to_date(jdUt, &d, &m, &y, &h, &mi);
  const double jde = jdUt + tdt(y) / 86400.0;
  double sun, moon, moonLat, dist, aya, bm;
  asforce1(jde, sun, moon, moonLat, dist, aya, bm);
  double planets[24];
  asforce2(jde, sun, dist, planets);
  double trueNode, meanNode;
  asforce3(jdUt, trueNode, meanNode);
  lon[kSun] = c_c360(sun);
  lon[kMoon] = c_c360(moon);
  for (int k = 0; k < 8; ++k) lon[kMercury + k] = planets[k];
  lon[kNorthNode] = trueNode;
  lon[kSouthNode] = c_c360(trueNode + 180);
}

}  // namespace

std::vector<std::pair<int, int>> arcPairs(int kind, int objectA, int objectB) {
  std::vector<std::pair<int, int>> pairs;
  for (int a = 0; a < kArcObjects; ++a)
    for (int b = a + 1; b < kArcObjects; ++b) {
      if (a == kNorthNode && b == kSouthNode) continue;
      bool take = false;
      switch (kind) {
        case arc_kind::kSoliLunar:
          take = a == kSun && b == kMoon;
          break;
        case arc_kind::kSolar:
          take = a == kSun;
          break;
        case arc_kind::kLunar:
          take = a == kMoon || b == kMoon;
          break;
        case arc_kind::kOnePair:
          take = (a == objectA && b == objectB) || (a == objectB && b == objectA);
          break;
        case arc_kind::kAll:
          take = true;
          break;
        default:
          break;
      }
      if (take) pairs.emplace_back(a, b);
    }
  return pairs;
}

std::vector<TimeWindow> timeWindows(const Chart2& natalChart, int firstMonth, int firstYear, int lastMonth,
                                    int lastYear, int kind, int objectA, int objectB) {
  std::vector<TimeWindow> out;
  const auto pairs = arcPairs(kind, objectA, objectB);
  std::vector<double> natalArc;
  for (auto [a, b] : pairs)
    natalArc.push_back(PlanetaryArc(a, b, natalChart.objects[a], natalChart.objects[b]));
  const double start = julian_dayh(1, firstMonth, firstYear, 0, 0);
  const double end = julian_dayh(1, lastMonth, lastYear, 0, 0);
  double before[kArcObjects], after[kArcObjects];
  positionsAt(start, before);
  for (double day = start; day <= end + 1; day += 1) {
    positionsAt(day + 1, after);
    for (std::size_t p = 0; p < pairs.size(); ++p) {
      const auto [a, b] = pairs[p];
      const double n = natalArc[p];
      if (n < 0) continue;
      const double arc0 = PlanetaryArc(a, b, before[a], before[b]);
      const double arc1 = PlanetaryArc(a, b, after[a], after[b]);
      if (arc0 < 0 || arc1 < 0 || !IsBetween(n, arc0, arc1)) continue;
      const double motion = ShortestDistance(arc0, arc1);
      int hour = 12;
      if (motion > 0) {
        hour = static_cast<int>(std::floor(24.0 * ShortestDistance(n, arc0) / motion + 0.5));
        if (hour > 23) hour = 23;
      }
      out.push_back({a, b, day, hour, n});
    }
    std::copy(after, after + kArcObjects, before);
  }
  return out;
}

void AllArcs(Report& report, unsigned long* length, const Chart2& natalChart, int firstMonth, int firstYear,
             int lastMonth, int lastYear, int kind, int objectA, int objectB) {
  AddLine(report, length, "", 0, 0);
  std::string title;
  switch (kind) {
    case arc_kind::kSoliLunar:
      title = "Soli-Lunar Arcs Time Windows (Universal Time):";
      break;
    case arc_kind::kSolar:
      title = "Solar Arcs Time Windows (Universal Time):";
      break;
    case arc_kind::kLunar:
      title = "Lunar Arcs Time Windows (Universal Time):";
      break;
    case arc_kind::kOnePair: {
      const int a = objectA < objectB ? objectA : objectB, b = objectA < objectB ? objectB : objectA;
      if (a >= 0 && b < kArcObjects)
        title = std::string(" ") + kAbbreviations[a] + "-" + kAbbreviations[b] +
                " Arc Time Windows (Universal Time):";
      break;
    }
    default:
      title = "All Planetary Arcs Time Windows (Universal Time):";
      break;
  }
  AddLine(report, length, title, 1, 0);
  const auto windows =
      timeWindows(natalChart, firstMonth, firstYear, lastMonth, lastYear, kind, objectA, objectB);
  for (const TimeWindow& w : windows) {
    char hour[16];
    std::snprintf(hour, sizeof hour, ", %2dh  ", w.hour);
    AddLine(report, length,
            std::string(" ") + kAbbreviations[w.a] + "-" + kAbbreviations[w.b] +
                " Arc: " + jd_date(w.day, 1, 1) + hour + edb_dm(w.natalArc, 0),
            1, 0);
  }
  if (!windows.empty()) {
    AddLine(report, length, "", 0, 0);
    AddLine(
        report, length,
        "These Time Windows should be understood as spreading over a whole day, rather than just one hour.",
        1, 0);
  } else {
    AddLine(report, length, "No Time Window occurs during the requested period.", 1, 0);
  }
}

}  // namespace talpora
