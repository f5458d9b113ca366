// zykmeans: tests of the chart analysis (aspect table, tightness, angles, strengths, clusters,
// formations) on fixed charts.
#include "interpretation/analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

#include "core/heptagram.h"
#include "format/text_format.h"

namespace talpora {
namespace {

// A chart with houses: equal cusps from the Ascendant, every object without a position until set.
struct FixedChart {
  CIni settings = defaultSettings("/nonexistent");
  Chart1 chart;
  Chart2 computed;
  explicit FixedChart(double ascendant = 0) {
    chart.timeKnown = 1;
    chart.longitude = 2.35 / 15;
    chart.latitude = 48.85;
    settings.houseSystem = 5;  // equal houses, as the cusps below
    computed.houseSystem = 5;
    for (int k = 0; k < 12; ++k) computed.cusps[k] = std::fmod(ascendant + 30 * k, 360.0);
    for (double& o : computed.objects) o = kNoPosition;
    computed.objects[kAscendant] = computed.cusps[0];
    computed.objects[kMidheaven] = computed.cusps[9];
    computed.planetaryHour = 8;  // none
  }
  // The angles take part in no aspect.
  FixedChart& noAngles() {
    computed.objects[kAscendant] = computed.objects[kMidheaven] = kNoPosition;
    return *this;
  }
  FixedChart& at(int object, double lon) {
    computed.objects[object] = lon;
    return *this;
  }
  AspectList aspects(int majors = 1, int minors = 0) {
    AspectList list;
    AspectTable(0, 0, majors, minors, 1, 1, settings, chart, computed, chart, computed, list);
    return list;
  }
};

// The report text of these lines appended with the folding mode.
std::string lines(std::initializer_list<std::string> texts) {
  Report r;
  for (const auto& t : texts) AddLine(r, nullptr, t, 1, 0);
  return r.text;
}

const AspectEntry* find(const AspectList& list, int a, int b) {
  for (const auto& e : list)
    if (e.first == a && e.second == b) return &e;
  return nullptr;
}

TEST(AspectTable, SquareWithItsOrbAndClass) {
  FixedChart c;
  c.settings.orbsLuminaries[3] = 1;  // square orb 1 degree for pairs with the Sun or the Moon
  c.noAngles().at(kSun, 10).at(kMars, 100.5);
  const auto list = c.aspects();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].first, kSun);
  EXPECT_EQ(list[0].second, kMars);
  EXPECT_EQ(list[0].aspect, 3);
  EXPECT_NEAR(list[0].orb, 0.5, 1e-6);
  EXPECT_EQ(list[0].tightness, 1);
  EXPECT_EQ(list[0].applying, 1);  // the Sun, faster, still has to close the 0.5 degrees
  EXPECT_EQ(list[0].written, 0);
  // Count only: the list is left alone.
  AspectList untouched = {AspectEntry{}};
  EXPECT_EQ(AspectTable(1, 0, 1, 0, 1, 1, c.settings, c.chart, c.computed, c.chart, c.computed, untouched),
            1);
  EXPECT_EQ(untouched.size(), 1u);
}

TEST(AspectTable, OrbAtTheLimitStillCounts) {
  FixedChart c;
  c.noAngles().at(kMars, 10).at(kJupiter, 107);  // square orb 7 for other pairs: 97 degrees is at the limit
  ASSERT_EQ(c.settings.orbsOthers[3], 7.0f);
  auto list = c.aspects();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].aspect, 3);
  EXPECT_NEAR(list[0].orb, 7, 1e-6);
  EXPECT_EQ(list[0].tightness, -1);  // 7 is not below 0.18 x 7
  c.at(kJupiter, 107.01);
  EXPECT_TRUE(c.aspects().empty());
}

TEST(AspectTable, ApplyingAndSeparating) {
  struct Case {
    double mars, saturn;
    int applying;
  };
  // Mars (faster) 5 degrees behind Saturn applies, 5 degrees ahead separates, across 0 Aries too.
  // For every aspect the flag says on which side of the slower object the faster one stands:
  // separating in the half circle ahead of it (175 degrees ahead in an opposition), applying behind.
  for (const Case& k : {Case{100, 105, 1}, Case{110, 105, 0}, Case{358, 3, 1}, Case{3, 358, 0},
                        Case{100, 285, 0}, Case{110, 285, 1}}) {
    FixedChart c;
    c.noAngles().at(kMars, k.mars).at(kSaturn, k.saturn);
    const auto list = c.aspects();
    ASSERT_EQ(list.size(), 1u) << k.mars << " " << k.saturn;
    EXPECT_EQ(list[0].applying, k.applying) << k.mars << " " << k.saturn;
  }
  // Both angles: no motion, no verdict.
  FixedChart c;
  const auto list = c.aspects();
  const AspectEntry* e = find(list, kAscendant, kMidheaven);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->aspect, 3);
  EXPECT_EQ(e->applying, -1);
  EXPECT_EQ(e->tightness, 0);
}

TEST(AspectTable, TightnessClasses) {
  const float lum[9] = {10, 10, 8, 7, 6, 4, 2, 4, 5};
  const float oth[9] = {5, 5, 4, 4, 3, 2, 1, 2, 2};
  EXPECT_EQ(AspectTightness(0.332, 0, kMars, kSaturn, lum, oth), 0);
  EXPECT_EQ(AspectTightness(0.333, 0, kMars, kSaturn, lum, oth), 1);
  EXPECT_EQ(AspectTightness(0.665, 0, kMars, kSaturn, lum, oth), 1);
  EXPECT_EQ(AspectTightness(0.7, 0, kMars, kSaturn, lum, oth), 2);
  EXPECT_EQ(AspectTightness(1.0, 0, kSun, kSaturn, lum, oth), 3);    // 1 < 0.18 x 10
  EXPECT_EQ(AspectTightness(1.0, 0, kMars, kSaturn, lum, oth), -1);  // 1 >= 0.18 x 5
  EXPECT_EQ(AspectTightness(1.7, 1, kMoon, kPluto, lum, oth), 3);
  EXPECT_EQ(AspectTightness(1.8, 1, kMoon, kPluto, lum, oth), -1);
}

TEST(AspectTable, WhatIsLeftOut) {
  FixedChart c;
  c.at(kNorthNode, 40).at(kSouthNode, 220).at(kChiron, kNoPosition).at(kVenus, 40.5);
  auto list = c.aspects();
  EXPECT_EQ(find(list, kNorthNode, kSouthNode), nullptr);
  EXPECT_NE(find(list, kVenus, kNorthNode), nullptr);
  EXPECT_NE(find(list, kVenus, kSouthNode), nullptr);
  for (const auto& e : list) EXPECT_NE(e.second, kChiron);
  // Without a known time the angles take no part.
  c.chart.timeKnown = 0;
  list = c.aspects();
  for (const auto& e : list) EXPECT_LT(e.second, kAscendant);
  // Minor aspects only when asked; in number order after the majors of the same pair.
  FixedChart m;
  m.noAngles().at(kMars, 0).at(kJupiter, 150);
  EXPECT_TRUE(m.aspects(1, 0).empty());
  list = m.aspects(1, 1);
  ASSERT_EQ(list.size(), 1u);  // the inconjunction; the biquintile (144, orb 2) is 6 away
  EXPECT_EQ(list[0].aspect, 5);
}

TEST(Analysis, IsAspectedAndIsOnAnAngle) {
  FixedChart c(100);
  c.at(kSun, 103).at(kMoon, 285).at(kVenus, 195).at(kSaturn, 12);
  const auto list = c.aspects();
  double orb = 0;
  EXPECT_EQ(IsAspected(kMoon, kSun, list, &orb), 1);  // opposition, either order
  EXPECT_NEAR(orb, 2, 1e-6);
  EXPECT_EQ(IsAspected(kSun, kVenus, list, &orb), 3);
  EXPECT_EQ(IsAspected(kSun, kJupiter, list, &orb), -1);
  double d = -1;
  EXPECT_EQ(IsOnAnAngle(kSun, c.chart, c.computed, &d), 1);
  EXPECT_NEAR(d, 3, 1e-9);
  EXPECT_EQ(IsOnAnAngle(kMoon, c.chart, c.computed, &d), 2);    // Descendant at 280
  EXPECT_EQ(IsOnAnAngle(kSaturn, c.chart, c.computed, &d), 3);  // Midheaven at 10
  EXPECT_NEAR(d, 2, 1e-9);
  EXPECT_EQ(IsOnAnAngle(kVenus, c.chart, c.computed, &d), 4);    // Immum Coeli at 190
  EXPECT_EQ(IsOnAnAngle(kJupiter, c.chart, c.computed, &d), 0);  // no position
  c.chart.timeKnown = 0;
  EXPECT_EQ(IsOnAnAngle(kSun, c.chart, c.computed, &d), 0);
}

// The fixed chart of the strength scores: Ascendant 0 (equal houses), the Moon ruling the hour.
FixedChart strengthChart() {
  FixedChart c(0);
  c.at(kSun, 200)
      .at(kMoon, 291)
      .at(kMercury, 215)
      .at(kVenus, 203)
      .at(kMars, 4)
      .at(kJupiter, 7)
      .at(kSaturn, 201);
  c.computed.planetaryHour = kMoon;
  return c;
}

// The points and reason line the heptagram's pole adds, from the heptagram's classification of
// the chart (week order): 80, or 150 when the figure has a symmetry axis.
int polePoints(const FixedChart& c, int object, std::string& reasons) {
  const Heptagram h = classifyHeptagram(c.computed, kWeekOrder);
  if (h.pole < 1 || h.pole - 1 != object) return 0;
  reasons += "            -pole of the Heptagram\r\n";
  return h.count > 0 ? 150 : 80;
}

TEST(Strength, ScoresAndReasonsOnAFixedChart) {
  FixedChart c = strengthChart();
  const auto list = c.aspects();
  auto score = [&](int object, std::string* reasons = nullptr) {
    Report r;
    const int s =
        PlanetaryStrength(object, c.settings, c.chart, c.computed, list, reasons ? 1 : 0, r, nullptr);
    if (reasons) *reasons = r.text;
    return s;
  };
  struct Expected {
    int object, points;
    std::string reasons;
  };
  const std::vector<Expected> expected = {
      {kSun, 0, ""},
      {kMoon, 180, "            -square Sun\r\n            -ruler of the hour\r\n"},
      {kMercury, 0, ""},
      {kVenus, 30, "            -square Moon\r\n"},            // nothing for the conjunction with the Sun
      {kMars, 180, "            -conjunct Ascendant\r\n"},     // within 4 degrees of the Ascendant
      {kJupiter, 110, "            -conjunct Ascendant\r\n"},  // 7 degrees from it
      {kSaturn, 130, "            -conjunct Sun\r\n            -square Moon\r\n"},
  };
  std::array<int, 10> expectedScores{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  for (auto e : expected) {
    e.points += polePoints(c, e.object, e.reasons);
    std::string reasons;
    EXPECT_EQ(score(e.object, &reasons), e.points) << e.object;
    EXPECT_EQ(reasons, e.reasons) << e.object;
    expectedScores[static_cast<std::size_t>(e.object)] = e.points;
  }
  EXPECT_EQ(score(kAscendant), 0);
  EXPECT_EQ(score(kMidheaven), 0);

  // A planet conjunct the Sun scores 100; in the 1st house (not on an angle) 100 more.
  FixedChart m(0);
  m.at(kSun, 20).at(kMars, 22);
  const auto ml = m.aspects();
  Report r;
  std::string mr = "            -in the 1st house\r\n            -conjunct Sun\r\n";
  const int mp = 200 + polePoints(m, kMars, mr);
  EXPECT_EQ(PlanetaryStrength(kMars, m.settings, m.chart, m.computed, ml, 1, r, nullptr), mp);
  EXPECT_EQ(r.text, mr);

  std::array<int, 10> scores{}, order{};
  Report details;
  CalcPlanetaryStrength(c.settings, c.chart, c.computed, list, details, nullptr, scores, order, 1);
  EXPECT_EQ(scores, expectedScores);
  for (std::size_t k = 1; k < 10; ++k) {
    const int a = order[k - 1], b = order[k];
    EXPECT_TRUE(scores[a] > scores[b] || (scores[a] == scores[b] && a < b)) << k;
  }
  EXPECT_EQ(order[0], kMoon);  // 180, ahead of Mars's 180 by object order
  EXPECT_EQ(details.text.find("  Moon - Strength = 180:\r\n            -square Sun\r\n"), 0u);
  EXPECT_NE(details.text.find("\r\n  Pluto - Strength = -1:\r\n"), std::string::npos);

  Report text;
  InterpretPlanetaryStrength(text, nullptr, c.settings, c.chart, c.computed, list);
  std::string wanted = "In this chart...\r\n";
  for (int p : order) {
    if (scores[p] <= 149) continue;
    const Expected& e = expected[static_cast<std::size_t>(p)];
    std::string reasons = e.reasons;
    polePoints(c, p, reasons);
    wanted += "*) " +
              std::string(p == kMoon   ? "Moon"
                          : p == kMars ? "Mars"
                                       : "?") +
              " is strong because:\r\n" + reasons;
  }
  EXPECT_EQ(text.text, wanted);
}

TEST(Strength, VeryStrongAndNothingToSay) {
  FixedChart c(278);
  // Mars on the Ascendant (180), conjunct the Moon (70), opposite the Sun (60), ruling the hour (150).
  c.at(kSun, 100).at(kMoon, 280).at(kMars, 280.5);
  c.computed.planetaryHour = kMars;
  const auto list = c.aspects();
  Report r;
  InterpretPlanetaryStrength(r, nullptr, c.settings, c.chart, c.computed, list);
  std::string mars =
      "            -conjunct Ascendant\r\n            -opposed Sun\r\n            -conjunct Moon\r\n"
      "            -ruler of the hour\r\n";
  polePoints(c, kMars, mars);
  EXPECT_EQ(r.text.find("In this chart...\r\n*) Mars is very strong because:\r\n" + mars + "*) Moon is "), 0u)
      << r.text;
  EXPECT_NE(r.text.find("*) Sun is strong because:\r\n            -conjunct Descendant\r\n"),
            std::string::npos);

  // Nothing scores 150 but, perhaps, the heptagram's pole.
  FixedChart quiet(0);
  quiet.at(kSun, 100).at(kMoon, 200);
  Report none;
  InterpretPlanetaryStrength(none, nullptr, quiet.settings, quiet.chart, quiet.computed, quiet.aspects());
  std::string expected;
  for (int p = 0; p < 10; ++p) {
    std::string reasons;
    if (polePoints(quiet, p, reasons) == 150)
      expected =
          "In this chart...\r\n*) " + PlanetName(p, 0, 0, 0, 0, 0) + " is strong because:\r\n" + reasons;
  }
  EXPECT_EQ(none.text, expected);
}

TEST(Clusters, SortingGroupingAndTheCircle) {
  FixedChart c(100);
  // Around the Ascendant (100): a group across 0 Aries of Saturn 355, Pluto 3, Jupiter 8; the Sun and
  // Mercury at 120/125; the Moon alone at 200; Chiron without a position.
  c.at(kSun, 120).at(kMercury, 125).at(kMoon, 200).at(kSaturn, 355).at(kPluto, 3).at(kJupiter, 8);
  std::array<double, 14> lons{};
  for (int i = 0; i < 14; ++i) lons[static_cast<std::size_t>(i)] = c.computed.objects[i];
  std::array<int, 14> order{};
  SortOutPlanets(14, lons, order, c.computed.cusps[0]);
  // Objects without a position first (in object order), then by distance from the Ascendant.
  EXPECT_EQ(order[0], kVenus);
  EXPECT_EQ(order[8], kSun);
  EXPECT_EQ(order[9], kMercury);
  EXPECT_EQ(order[10], kMoon);
  EXPECT_EQ(order[11], kSaturn);
  EXPECT_EQ(order[12], kPluto);
  EXPECT_EQ(order[13], kJupiter);
  EXPECT_NEAR(lons[kSun], 20, 1e-9);
  EXPECT_EQ(lons[kChiron], kNoPosition);

  ClusterTable_t clusters;
  const int n = ClusterTable(14, c.computed, order, clusters, 10, 10);
  ASSERT_EQ(n, 3);
  EXPECT_EQ(clusters[0].count, 3);
  EXPECT_EQ(clusters[0].members[0], kSaturn);
  EXPECT_EQ(clusters[0].members[1], kPluto);
  EXPECT_EQ(clusters[0].members[2], kJupiter);
  EXPECT_EQ(clusters[0].members[3], -1);
  EXPECT_EQ(clusters[1].count, 2);
  EXPECT_EQ(clusters[2].count, 1);
  EXPECT_EQ(clusters[2].members[0], kMoon);
  EXPECT_EQ(InWhichClusterIs(kMercury, clusters, n), 1);
  EXPECT_EQ(InWhichClusterIs(kChiron, clusters, n), -1);
  EXPECT_EQ(HowManyMajorPlanetsInThisCluster(0, clusters), 3);

  // The group that closes the circle: the last group is merged into the first, its members first.
  FixedChart w(0);
  w.at(kSun, 2).at(kMoon, 5).at(kMars, 100).at(kVenus, 355).at(kNorthNode, 358);
  std::array<int, 14> o2{};
  std::array<double, 14> l2{};
  for (int i = 0; i < 14; ++i) l2[static_cast<std::size_t>(i)] = w.computed.objects[i];
  SortOutPlanets(14, l2, o2, 0);
  const int n2 = ClusterTable(14, w.computed, o2, clusters, 10, 10);
  ASSERT_EQ(n2, 2);
  EXPECT_EQ(clusters[0].count, 4);
  EXPECT_EQ(clusters[0].members[0], kVenus);
  EXPECT_EQ(clusters[0].members[1], kNorthNode);
  EXPECT_EQ(clusters[0].members[2], kSun);
  EXPECT_EQ(clusters[0].members[3], kMoon);
  EXPECT_EQ(clusters[1].members[0], kMars);
  EXPECT_EQ(clusters[1].count, 1);
}

TEST(Clusters, GroupLinesNameTheirHouses) {
  auto clustersOf = [](const FixedChart& c, ClusterTable_t& clusters) {
    std::array<double, 14> lons{};
    for (int i = 0; i < 14; ++i) lons[static_cast<std::size_t>(i)] = c.computed.objects[i];
    std::array<int, 14> order{};
    SortOutPlanets(14, lons, order, c.computed.cusps[0]);
    return ClusterTable(14, c.computed, order, clusters, 10, 10);
  };
  FixedChart c(0);  // houses of 30 degrees from 0 Aries
  c.at(kMars, 62)
      .at(kSaturn, 68)
      .at(kVenus, 75)
      .at(kJupiter, 82)
      .at(kMercury, 91)
      .at(kMoon, 125)
      .at(kSun, 131);
  ClusterTable_t clusters;
  int n = clustersOf(c, clusters);
  Report r;
  InterpretFormation(r, nullptr, c.settings, c.chart, c.computed, {}, clusters, n);
  EXPECT_EQ(r.text,
            lines({"Notice the following groups of planets:",
                   "*) The cluster Mars - Saturn - Venus - Jupiter - Mercury in the 3rd and 4th houses.",
                   "*) The conjunction Moon - Sun in the 5th house."}));

  // A group over the 3rd, 4th and 5th houses names all three.
  FixedChart t(0);
  t.at(kMars, 85).at(kSaturn, 93).at(kVenus, 100).at(kJupiter, 108).at(kMercury, 117).at(kUranus, 124);
  n = clustersOf(t, clusters);
  Report tr;
  InterpretFormation(tr, nullptr, t.settings, t.chart, t.computed, {}, clusters, n);
  EXPECT_EQ(tr.text, lines({"Notice the following group of planets:",
                            "*) The cluster Mars - Saturn - Venus - Jupiter - Mercury - Uranus in the 3rd, "
                            "4th and 5th houses."}));
  // A later member back in the first house is not named twice.
  t.at(kUranus, 121).at(kPluto, 89.5);
  n = clustersOf(t, clusters);
  Report back;
  InterpretFormation(back, nullptr, t.settings, t.chart, t.computed, {}, clusters, n);
  EXPECT_NE(back.text.find("in the 3rd, 4th and 5th houses."), std::string::npos) << back.text;

  // Three planets: "formation". Without houses: the names only.
  FixedChart f(0);
  f.at(kMars, 85).at(kSaturn, 93).at(kVenus, 100);
  f.chart.timeKnown = 0;
  n = clustersOf(f, clusters);
  Report nh;
  InterpretFormation(nh, nullptr, f.settings, f.chart, f.computed, {}, clusters, n);
  EXPECT_EQ(nh.text,
            lines({"Notice the following group of planets:", "*) The formation Mars - Saturn - Venus"}));

  // A group of a node and the Black Moon alone says nothing.
  FixedChart nodes(0);
  nodes.at(kNorthNode, 10).at(kBlackMoon, 12).at(kSun, 200);
  n = clustersOf(nodes, clusters);
  Report quiet;
  InterpretFormation(quiet, nullptr, nodes.settings, nodes.chart, nodes.computed, {}, clusters, n);
  EXPECT_EQ(quiet.text, "");
}

TEST(Formations, GrandTrineKiteTSquareGrandCross) {
  FixedChart c(0);
  c.at(kSun, 10).at(kMars, 130).at(kJupiter, 250);
  FormationList f;
  AspectFormationsTable(16, c.aspects(), f);
  ASSERT_EQ(f.count(), 1);  // found from three starting pairs, stored once
  EXPECT_EQ(f.formations[0].kind, 1);
  EXPECT_EQ(f.formations[0].members[0], kSun);
  EXPECT_EQ(f.formations[0].members[1], kMars);
  EXPECT_EQ(f.formations[0].members[2], kJupiter);
  EXPECT_EQ(f.formations[0].members[3], -1);

  c.at(kSaturn, 70);  // sextile the Sun and Mars, opposite Jupiter: a kite
  f = {};
  AspectFormationsTable(16, c.aspects(), f);
  ASSERT_EQ(f.count(), 1);
  EXPECT_EQ(f.formations[0].kind, 2);
  EXPECT_EQ(f.formations[0].members[3], kSaturn);

  FixedChart t(0);
  t.at(kMoon, 15).at(kVenus, 195).at(kUranus, 105);
  f = {};
  AspectFormationsTable(16, t.aspects(), f);
  ASSERT_EQ(f.count(), 1);
  EXPECT_EQ(f.formations[0].kind, 3);
  t.at(kNeptune, 285);
  f = {};
  AspectFormationsTable(16, t.aspects(), f);
  ASSERT_EQ(f.count(), 1);
  EXPECT_EQ(f.formations[0].kind, 4);
  EXPECT_EQ(f.formations[0].members[0], kMoon);
  EXPECT_EQ(f.formations[0].members[3], kNeptune);

  Report r;
  NoticeAspectFormations(r, nullptr, f);
  EXPECT_EQ(
      r.text,
      "Notice the following aspect formation:\r\n*) Grand Cross Moon - Venus - Uranus - Neptune\r\n\r\n");
  AddAspectFormation(f, 1, {kSaturn, kSun, -1, kMars});
  AddAspectFormation(f, 1, {kMars, -1, kSun, kSaturn});  // the same once sorted
  ASSERT_EQ(f.count(), 2);
  EXPECT_EQ(f.formations[1].members[0], kSun);
  EXPECT_EQ(f.formations[1].members[2], kSaturn);
  EXPECT_EQ(f.formations[1].members[3], -1);
  Report two;
  NoticeAspectFormations(two, nullptr, f);
  EXPECT_EQ(two.text.substr(0, 34), "Notice the 2 aspect formations:\r\n*");
  Report none;
  NoticeAspectFormations(none, nullptr, FormationList{});
  EXPECT_EQ(none.text, "");
  // The count is one byte: at most 255 formations are kept.
  FormationList many;
  for (int k = 0; k < 300; ++k) AddAspectFormation(many, 1, {k % 100, 100 + k / 100, -1, -1});
  EXPECT_EQ(many.count(), 255);
}

TEST(Analysis, ListOfAspects) {
  FixedChart c = strengthChart();
  Report r;
  ListOfAspects(r, nullptr, c.aspects());
  const std::string text = r.text;
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "List of the 13 major aspects found in this chart:");
  EXPECT_NE(text.find("\r\n1) square Sun-Moon, orb = 01\xB0"
                      "00'\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("13) square Ascendant-Midheaven, orb = 00\xB0"
                      "00'\r\n"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace talpora
