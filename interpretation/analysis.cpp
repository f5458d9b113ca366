// zykmeans: chart analysis for interpretation (aspect list, strengths, clusters, formations).
#include "interpretation/analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "core/heptagram.h"
#include "core/zodiac.h"
#include "engine/houses.h"
#include "files/zykfile.h"
#include "format/text_format.h"

namespace talpora {
namespace {

constexpr double kAngles[kAnalysisAspects] = {0, 180, 120, 90, 60, 150, 144, 135, 72};

bool isLuminary(int object) {
  return object == kSun || object == kMoon;
}

std::string name(int object) {
  return PlanetName(object, 0, 0, 0, 0, 0);
}

// The orb text of the interpretation: degrees and minutes without a leading blank.
std::string orbText(double orb) {
  return edb_dm(orb, -1);
}

void line(Report& report, unsigned long* length, const std::string& text, int indent = 0) {
  AddLine(report, length, text, 1, indent);
}

}  // namespace

double analysisAspectAngle(int aspect) {
  return aspect >= 0 && aspect < kAnalysisAspects ? kAngles[aspect] : -1;
}

int speedGrade(int object) {
  static constexpr int kGrades[kObjectCount] = {4, 1, 2, 3, 5, 7, 10, 12, 13, 14, 8, 9, 6, 11, 0, 0, 0};
  return object >= 0 && object < kObjectCount ? kGrades[object] : 0;
}

int AspectTightness(double orb, int aspect, int objectA, int objectB, const float luminaryOrbs[9],
                    const float otherOrbs[9]) {
  if (orb < 0.333) return 0;
  if (orb < 0.666) return 1;
  if (orb < 1) return 2;
  if (aspect < 0 || aspect >= kAnalysisAspects) return -1;
  const double limit = isLuminary(objectA) || isLuminary(objectB) ? luminaryOrbs[aspect] : otherOrbs[aspect];
  return orb < 0.18 * limit ? 3 : -1;
}

// Pairs within one chart or between two; aspects by the shorter arc within angle +- orb (inclusive).
// Applying: the faster object (lower speed grade) has not yet passed the exact aspect, i.e. it does
// not lie in the half circle ahead of the slower one. Longitudes in degrees of the charts' zodiac.
int AspectTable(int countOnly, int pairMode, int majors, int minors, int anglesA, int anglesB,
                const CIni& settings, const Chart1& chartA, const Chart2& computedA, const Chart1& chartB,
                const Chart2& computedB, AspectList& aspectList) {
  float lum[20] = {}, oth[20] = {};
  ReadOrbs(settings, 2, lum, oth, 1);
  if (!AreThereHouses(chartA)) anglesA = 0;
  if (!AreThereHouses(chartB)) anglesB = 0;
  AspectList found;
  for (int i = 0; i < kObjectCount; ++i) {
    if (i >= kAscendant && !anglesA) continue;
    const double lonI = computedA.objects[i];
    if (!hasPosition(lonI)) continue;
    for (int j = pairMode == 0 ? i + 1 : 0; j < kObjectCount; ++j) {
      if (j >= kAscendant && !anglesB) continue;
      const double lonJ = computedB.objects[j];
      if (!hasPosition(lonJ)) continue;
      if (pairMode == 0 && ((i == kNorthNode && j == kSouthNode) || (i == kSouthNode && j == kNorthNode)))
        continue;
      const double separation = ShortestDistance(lonI, lonJ);
      for (int k = 0; k < kAnalysisAspects; ++k) {
        if (k < 5 ? !majors : !minors) continue;
        const double limit = isLuminary(i) || isLuminary(j) ? lum[k] : oth[k];
        if (separation < kAngles[k] - limit || separation > kAngles[k] + limit) continue;
        AspectEntry e;
        e.first = static_cast<std::int8_t>(i);
        e.second = static_cast<std::int8_t>(j);
        e.aspect = static_cast<std::int8_t>(k);
        const int gi = speedGrade(i), gj = speedGrade(j);
        if (pairMode != 0 || (gi == 0 && gj == 0)) {
          e.applying = -1;
        } else {
          // Chart A's longitudes for both objects.
          const bool iFaster = gi <= gj;
          const double x = computedA.objects[iFaster ? j : i];
          double y = computedA.objects[iFaster ? i : j];
          const double z = x + 180;
          if (z > 360 && z - 360 > y) y += 360;
          e.applying = (x < y && y < z) ? 0 : 1;
        }
        const double orb = std::fabs(separation - kAngles[k]);
        e.orb = static_cast<float>(orb);
        e.tightness = static_cast<std::int8_t>(AspectTightness(orb, k, i, j, lum, oth));
        found.push_back(e);
      }
    }
  }
  const int count = static_cast<int>(found.size());
  if (!countOnly) aspectList = std::move(found);
  return count;
}

int IsAspected(int objectA, int objectB, const AspectList& aspectList, double* orb) {
  for (const auto& e : aspectList) {
    if ((e.first == objectA && e.second == objectB) || (e.first == objectB && e.second == objectA)) {
      if (orb) *orb = e.orb;
      return e.aspect;
    }
  }
  return -1;
}

void ListOfAspects(Report& report, unsigned long* length, const AspectList& aspectList, int, int, int) {
  char buf[96];
  std::snprintf(buf, sizeof buf,
                "List of the %d major aspects found in this chart:", static_cast<int>(aspectList.size()));
  line(report, length, buf);
  int n = 0;
  for (const auto& e : aspectList) {
    std::snprintf(buf, sizeof buf, "%d) ", ++n);
    line(report, length,
         buf + AspectName(e.aspect, 0, 0) + " " + name(e.first) + "-" + name(e.second) +
             ", orb = " + orbText(e.orb));
  }
}

int IsOnAnAngle(int object, const Chart1& chart, const Chart2& computed, double* distance) {
  if (!AreThereHouses(chart) || object < 0 || object >= kObjectCount) return 0;
  const double lon = computed.objects[object];
  if (!hasPosition(lon)) return 0;
  // Ascendant (cusp 1), Descendant (cusp 7), Midheaven (cusp 10), Immum Coeli (cusp 4).
  const int cusps[4] = {0, 6, 9, 3};
  for (int a = 0; a < 4; ++a) {
    const double d = ShortestDistance(lon, computed.cusps[cusps[a]]);
    if (d < 10) {
      if (distance) *distance = d;
      return a + 1;
    }
  }
  return 0;
}

HeptagramFacts heptagramFactsOf(const Chart2& computed) {
  // The classification of the drawing, week order; the pole is a planet 1..7 (0: none).
  const Heptagram h = classifyHeptagram(computed, kWeekOrder);
  return {h.count, h.pole - 1};
}

int PlanetaryStrength(int object, const CIni& settings, const Chart1& chart, const Chart2& computed,
                      const AspectList& aspectList, int writeReasons, Report& report, unsigned long* length) {
  if (object == kAscendant || object == kMidheaven) return 0;
  if (object < 0 || object >= kObjectCount) return 0;
  auto reason = [&](const std::string& text) {
    if (writeReasons) line(report, length, text, 12);
  };
  int score = 0;
  double distance = 0;
  const int angle = IsOnAnAngle(object, chart, computed, &distance);
  static const char* const kAngleReasons[5] = {"", "-conjunct Ascendant", "-conjunct Descendant",
                                               "-conjunct Midheaven", "-conjunct Immum Coeli"};
  if (angle) {
    score += distance < 5 ? 150 : 80;
    reason(kAngleReasons[angle]);
    if (angle == 1) score += 30;
  } else if (IsInHouse(object, settings, chart, computed) == 1) {
    score += 100;
    reason("-in the 1st house");
  }
  static const char* const kVerbs[5] = {"-conjunct", "-opposed", "-trine", "-square", "-sextile"};
  if (object != kSun && object != kMercury && object != kVenus) {
    static constexpr int kPoints[5] = {100, 60, 30, 30, 20};
    const int a = IsAspected(object, kSun, aspectList, nullptr);
    if (a >= 0 && a < 5) {
      score += kPoints[a];
      reason(std::string(kVerbs[a]) + " Sun");
    }
  }
  if (object != kSun && object != kMoon) {
    static constexpr int kPoints[5] = {70, 50, 30, 30, 10};
    const int a = IsAspected(object, kMoon, aspectList, nullptr);
    if (a >= 0 && a < 5) {
      score += kPoints[a];
      reason(std::string(kVerbs[a]) + " Moon");
    }
  }
  if (object < kUranus && object == computed.planetaryHour) {
    score += 150;
    reason("-ruler of the hour");
  }
  const HeptagramFacts hept = heptagramFactsOf(computed);
  if (hept.poleObject >= 0 && hept.poleObject == object) {
    score += hept.count > 0 ? 150 : 80;
    reason("-pole of the Heptagram");
  }
  return score;
}

int CalcPlanetaryStrength(const CIni& settings, const Chart1& chart, const Chart2& computed,
                          const AspectList& aspectList, Report& report, unsigned long* length,
                          std::span<int, 10> scores, std::span<int, 10> order, int writeDetails) {
  Report scratch;
  for (int p = 0; p < 10; ++p)
    scores[p] = hasPosition(computed.objects[p])
                    ? PlanetaryStrength(p, settings, chart, computed, aspectList, 0, scratch, nullptr)
                    : -1;
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return scores[a] > scores[b]; });
  if (writeDetails) {
    char buf[96];
    for (int p : order) {
      std::snprintf(buf, sizeof buf, "  %s - Strength = %d:", name(p).c_str(), scores[p]);
      line(report, length, buf);
      PlanetaryStrength(p, settings, chart, computed, aspectList, 1, report, length);
    }
  }
  return 0;
}

void InterpretPlanetaryStrength(Report& report, unsigned long* length, const CIni& settings,
                                const Chart1& chart, const Chart2& computed, const AspectList& aspectList) {
  std::array<int, 10> scores{}, order{};
  Report scratch;
  CalcPlanetaryStrength(settings, chart, computed, aspectList, scratch, nullptr, scores, order, 0);
  if (scores[order[0]] <= 149) return;
  line(report, length, "In this chart...");
  for (int p : order) {
    if (scores[p] <= 149) continue;
    line(report, length,
         "*) " + name(p) + " is" + (scores[p] > 299 ? " very strong because:" : " strong because:"));
    PlanetaryStrength(p, settings, chart, computed, aspectList, 1, report, length);
  }
}

void SortOutPlanets(int count, std::span<double> longitudes, std::span<int> order, double reference) {
  const auto n = static_cast<std::size_t>(
      std::max(0, std::min<int>(count, static_cast<int>(std::min(longitudes.size(), order.size())))));
  for (std::size_t i = 0; i < n; ++i)
    if (hasPosition(longitudes[i])) longitudes[i] = c_c360(longitudes[i] - reference);
  std::iota(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n), 0);
  std::stable_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n), [&](int a, int b) {
    return longitudes[static_cast<std::size_t>(a)] < longitudes[static_cast<std::size_t>(b)];
  });
}

int ClusterTable(int count, const Chart2& computed, std::span<const int> order, ClusterTable_t& clusters,
                 double luminaryGap, double gap) {
  clusters.fill(Cluster{});
  std::vector<int> objects;
  for (int i = 0; i < count && static_cast<std::size_t>(i) < order.size(); ++i) {
    const int o = order[static_cast<std::size_t>(i)];
    if (o >= 0 && o < kObjectCount && hasPosition(computed.objects[o])) objects.push_back(o);
  }
  if (objects.empty()) return 0;
  auto add = [&](Cluster& c, int o) {
    if (c.count < 15) c.members[c.count++] = static_cast<std::int8_t>(o);
    if (o < kNorthNode) c.major = 1;
  };
  auto close = [&](int a, int b) {
    double g = computed.objects[b] - computed.objects[a];
    if (g < 0) g += 360;
    return g < (isLuminary(a) || isLuminary(b) ? luminaryGap : gap);
  };
  int n = 1;
  add(clusters[0], objects[0]);
  for (std::size_t i = 1; i < objects.size(); ++i) {
    if (!close(objects[i - 1], objects[i])) {
      if (n == kClusterTableSize) break;  // cannot happen with at most 14 objects
      ++n;
    }
    add(clusters[static_cast<std::size_t>(n - 1)], objects[i]);
  }
  // Closing the circle: the last group continues into the first.
  if (n > 1 && close(objects.back(), objects.front())) {
    Cluster& last = clusters[static_cast<std::size_t>(n - 1)];
    Cluster merged;
    for (int k = 0; k < last.count; ++k) add(merged, last.members[k]);
    for (int k = 0; k < clusters[0].count; ++k) add(merged, clusters[0].members[k]);
    merged.major = last.major || clusters[0].major;
    clusters[0] = merged;
    last = Cluster{};
    --n;
  }
  std::stable_sort(clusters.begin(), clusters.begin() + n, [&](const Cluster& a, const Cluster& b) {
    auto majors = [](const Cluster& c) {
      int m = 0;
      for (int k = 0; k < c.count; ++k) m += c.members[k] < kNorthNode ? 1 : 0;
      return m;
    };
    if (majors(a) != majors(b)) return majors(a) > majors(b);
    return a.count > b.count;
  });
  return n;
}

int InWhichClusterIs(int object, const ClusterTable_t& clusters, int clusterCount) {
  for (int c = 0; c < std::min(clusterCount, kClusterTableSize); ++c)
    for (int k = 0; k < clusters[static_cast<std::size_t>(c)].count; ++k)
      if (clusters[static_cast<std::size_t>(c)].members[k] == object) return c;
  return -1;
}

int HowManyMajorPlanetsInThisCluster(int index, const ClusterTable_t& clusters) {
  if (index < 0 || index >= kClusterTableSize) return 0;
  const Cluster& c = clusters[static_cast<std::size_t>(index)];
  int m = 0;
  for (int k = 0; k < c.count; ++k) m += c.members[k] >= 0 && c.members[k] < kNorthNode ? 1 : 0;
  return m;
}

void InterpretFormation(Report& report, unsigned long* length, const CIni& settings, const Chart1& chart,
                        const Chart2& computed, const AspectList&, const ClusterTable_t& clusters,
                        int clusterCount) {
  if (clusterCount < 1 || clusters[0].count <= 1 || !clusters[0].major) return;
  line(report, length,
       clusters[1].count < 2 ? "Notice the following group of planets:"
                             : "Notice the following groups of planets:");
  const bool houses = AreThereHouses(chart) != 0;
  for (int c = 0; c < std::min(clusterCount, kClusterTableSize); ++c) {
    const Cluster& cl = clusters[static_cast<std::size_t>(c)];
    if (cl.count <= 1 || !cl.major) continue;
    std::string text = cl.count == 2   ? "*) The conjunction "
                       : cl.count == 3 ? "*) The formation "
                                       : "*) The cluster ";
    for (int k = 0; k < cl.count; ++k) text += (k ? " - " : "") + name(cl.members[k]);
    if (houses) {
      // The first member's house, the first other house after it, and a third house different from both.
      const int h1 = IsInHouse(cl.members[0], settings, chart, computed);
      int h2 = 0, h3 = 0, at2 = -1;
      for (int k = 1; k < cl.count && !h2; ++k) {
        const int h = IsInHouse(cl.members[k], settings, chart, computed);
        if (h != h1) {
          h2 = h;
          at2 = k;
        }
      }
      for (int k = at2 + 1; h2 && k < cl.count && !h3; ++k) {
        const int h = IsInHouse(cl.members[k], settings, chart, computed);
        if (h != h2 && h != h1) h3 = h;
      }
      if (!h2) {
        text += " in the " + ProperFormat(h1) + " house.";
      } else {
        text += " in the " + ProperFormat(h1) + (h3 ? ", " : " and ") + ProperFormat(h2);
        if (h3) text += " and " + ProperFormat(h3);
        text += " houses.";
      }
    }
    line(report, length, text);
  }
}

void AddAspectFormation(FormationList& formationList, int kind, std::array<int, 4> members) {
  std::sort(members.begin(), members.end(), [](int a, int b) {
    if (a < 0 || b < 0) return a >= 0 && b < 0;  // -1 last
    return a < b;
  });
  Formation f;
  f.kind = static_cast<std::uint8_t>(kind);
  for (int k = 0; k < 4; ++k) f.members[k] = static_cast<std::int8_t>(members[static_cast<std::size_t>(k)]);
  for (const auto& g : formationList.formations)
    if (g.kind == f.kind && std::equal(g.members, g.members + 4, f.members)) return;
  if (formationList.count() >= kMaxFormations) return;
  formationList.formations.push_back(f);
}

void AspectFormationsTable(int objectCount, const AspectList& aspectList, FormationList& formationList) {
  const int n = std::min(objectCount, kObjectCount);
  auto is = [&](int a, int b, int aspect) { return IsAspected(a, b, aspectList, nullptr) == aspect; };
  constexpr int kTrine = 2, kOpposition = 1, kSquare = 3, kSextile = 4;
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      if (is(i, j, kTrine)) {
        for (int k = 0; k < n; ++k) {
          if (k == i || k == j || !is(k, i, kTrine) || !is(k, j, kTrine)) continue;
          bool kite = false;
          for (int l = 0; l < n; ++l) {
            if (l == i || l == j || l == k) continue;
            const int sextiles = is(l, i, kSextile) + is(l, j, kSextile) + is(l, k, kSextile);
            if (sextiles >= 2) {
              AddAspectFormation(formationList, 2, {i, j, k, l});
              kite = true;
            }
          }
          if (!kite) AddAspectFormation(formationList, 1, {i, j, k, -1});
        }
      }
      if (is(i, j, kOpposition)) {
        for (int k = 0; k < n; ++k) {
          if (k == i || k == j || !is(k, i, kSquare) || !is(k, j, kSquare)) continue;
          bool cross = false;
          for (int l = 0; l < n; ++l) {
            if (l == i || l == j || l == k) continue;
            if (is(l, i, kSquare) && is(l, j, kSquare) && is(l, k, kOpposition)) {
              AddAspectFormation(formationList, 4, {i, j, k, l});
              cross = true;
            }
          }
          if (!cross) AddAspectFormation(formationList, 3, {i, j, k, -1});
        }
      }
    }
  }
}

void NoticeAspectFormations(Report& report, unsigned long* length, const FormationList& formationList) {
  const int n = formationList.count();
  if (n == 0) return;
  char buf[64];
  if (n == 1) {
    line(report, length, "Notice the following aspect formation:");
  } else {
    std::snprintf(buf, sizeof buf, "Notice the %d aspect formations:", n);
    line(report, length, buf);
  }
  static const char* const kKinds[5] = {"", "Grand Trine", "Kite", "T Square", "Grand Cross"};
  for (const auto& f : formationList.formations) {
    std::string text = std::string("*) ") + (f.kind >= 1 && f.kind <= 4 ? kKinds[f.kind] : "") + " ";
    bool first = true;
    for (auto m : f.members) {
      if (m < 0) continue;
      text += (first ? "" : " - ") + name(m);
      first = false;
    }
    line(report, length, text);
  }
  AddLine(report, length, "", 0, 0);
}

}  // namespace talpora
