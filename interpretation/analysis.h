// zykmeans: the analysis of a chart behind its interpretation: the aspect list with applying flags
// and tightness classes, the planets' strength scores, the groups of objects close together in
// longitude (clusters) and the aspect formations, with the report lines of the "general points".
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/records.h"
#include "format/report_buffer.h"
#include "interpretation/aspect_list.h"

namespace talpora {

// The nine aspects of the analysis: 0 conjunction 0, 1 opposition 180, 2 trine 120, 3 square 90,
// 4 sextile 60, 5 inconjunction 150, 6 biquintile 144, 7 sesquisquare 135, 8 quintile 72 (degrees).
inline constexpr int kAnalysisAspects = 9;
double analysisAspectAngle(int aspect);
// Speed grade of an object, the lower the faster: Moon 1, Mercury 2, Venus 3, Sun 4, Mars 5, Black
// Moon 6, Jupiter 7, North Node 8, South Node 9, Saturn 10, Chiron 11, Uranus 12, Neptune 13, Pluto
// 14; the Ascendant, the Midheaven and the Part of Fortune 0.
int speedGrade(int object);

// Builds the aspects between the objects of chart A and chart B. pairMode 0: pairs within chart A
// (second object numbered above the first, never the North Node with the South Node); 10: every
// object of A with every object of B. majors / minors select aspects 0..4 / 5..8. anglesA / anglesB
// admit the Ascendant, the Midheaven and the Part of Fortune of each chart (cleared for a chart
// without houses). Orbs from the settings (orbsLuminaries when the Sun or the Moon takes part). With
// countOnly the list is left alone; otherwise it is replaced by the entries. Result: the count.
int AspectTable(int countOnly, int pairMode, int majors, int minors, int anglesA, int anglesB,
                const CIni& settings, const Chart1& chartA, const Chart2& computedA, const Chart1& chartB,
                const Chart2& computedB, AspectList& aspectList);

// Tightness class of an orb (degrees): below 0.333 class 0, below 0.666 class 1, below 1 class 2,
// below 0.18 of the orb limit of that aspect and pair class 3, else -1.
int AspectTightness(double orb, int aspect, int objectA, int objectB, const float luminaryOrbs[9],
                    const float otherOrbs[9]);

// The aspect of the first entry joining the two objects (either order), with its orb; -1 when none.
int IsAspected(int objectA, int objectB, const AspectList& aspectList, double* orb);

// "List of the %d major aspects found in this chart:" and one numbered line per entry.
void ListOfAspects(Report& report, unsigned long* length, const AspectList& aspectList, int = 0, int = 0,
                   int = 0);

// 1 Ascendant, 2 Descendant, 3 Midheaven, 4 Immum Coeli: the first of these angles (in this order)
// within 10 degrees of the object, with its distance; 0 when none, or the chart has no houses.
int IsOnAnAngle(int object, const Chart1& chart, const Chart2& computed, double* distance);

// The heptagram facts of a chart that the strength score uses: how many heptagram figures the chart
// forms and the object at the heptagram's pole (-1 when none).
struct HeptagramFacts {
  int count = 0;
  int poleObject = -1;
};
// From the heptagram of the seven classical planets in the week's linking order (classified only).
HeptagramFacts heptagramFactsOf(const Chart2& computed);

// Strength score of an object, with its reason lines (indent 12) when writeReasons is non-zero. The
// Ascendant and the Midheaven score 0.
int PlanetaryStrength(int object, const CIni& settings, const Chart1& chart, const Chart2& computed,
                      const AspectList& aspectList, int writeReasons, Report& report, unsigned long* length);
// Scores of the planets 0..9 (-1 without a position) and their order by descending score (ties in
// ascending object order); with writeDetails each planet's score and reasons are written. Result 0.
int CalcPlanetaryStrength(const CIni& settings, const Chart1& chart, const Chart2& computed,
                          const AspectList& aspectList, Report& report, unsigned long* length,
                          std::span<int, 10> scores, std::span<int, 10> order, int writeDetails);
// "In this chart..." and the planets scoring 150 or more with their reasons; nothing when none does.
void InterpretPlanetaryStrength(Report& report, unsigned long* length, const CIni& settings,
                                const Chart1& chart, const Chart2& computed, const AspectList& aspectList);

// Replaces each longitude but -1 by its distance from `reference` (0..360) and lists the objects
// by that distance (stable; objects without a position first).
void SortOutPlanets(int count, std::span<double> longitudes, std::span<int> order, double reference);

// A group of objects close together in longitude: 18 bytes.
struct Cluster {
  std::int16_t count = 0;
  std::uint8_t major = 0;  // set when a member is the Sun .. Pluto
  std::int8_t members[15] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};
static_assert(sizeof(Cluster) == 18);
inline constexpr int kClusterTableSize = 14;
using ClusterTable_t = std::array<Cluster, kClusterTableSize>;

// Groups the first `count` objects of `order` (zodiacal order) whose gaps are below the limits
// (luminaryGap when the Sun or the Moon is one of the two, else gap), closing the circle; sorted by
// descending number of planets, then members. Objects without a position join no cluster. Result:
// the number of clusters.
int ClusterTable(int count, const Chart2& computed, std::span<const int> order, ClusterTable_t& clusters,
                 double luminaryGap, double gap);
int InWhichClusterIs(int object, const ClusterTable_t& clusters, int clusterCount);
int HowManyMajorPlanetsInThisCluster(int index, const ClusterTable_t& clusters);
// "Notice the following groups of planets:" and a line per group of planets, with their houses.
void InterpretFormation(Report& report, unsigned long* length, const CIni& settings, const Chart1& chart,
                        const Chart2& computed, const AspectList& aspectList, const ClusterTable_t& clusters,
                        int clusterCount);

// Aspect formations: 1 Grand Trine, 2 Kite, 3 T Square, 4 Grand Cross, with up to four members in
// ascending order (-1 for an absent fourth member, last).
struct Formation {
  std::uint8_t kind = 0;
  std::int8_t members[4] = {-1, -1, -1, -1};
};
struct FormationList {
  std::vector<Formation> formations;  // at most 255
  int count() const { return static_cast<int>(formations.size()); }
};
inline constexpr int kMaxFormations = 255;
void AspectFormationsTable(int objectCount, const AspectList& aspectList, FormationList& formationList);
// Adds a formation unless the same kind with the same members is there (or the list is full).
void AddAspectFormation(FormationList& formationList, int kind, std::array<int, 4> members);
void NoticeAspectFormations(Report& report, unsigned long* length, const FormationList& formationList);

}  // namespace talpora
