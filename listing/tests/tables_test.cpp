// The listing tables: aspects, parallels, midpoints, harmonics, dignities, receptions and Arabian
// parts, on charts whose positions are set by hand.
#include "listing/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/zodiac.h"
#include "format/printing.h"
#include "listing/dignities.h"
#include "platform/headless/fakes.h"

using namespace talpora;

namespace {

// A chart with houses whose objects have no position until set.
struct Hand {
  Chart1 birth;
  Chart2 chart;
  Hand() {
    birth.timeKnown = 1;
    birth.latitude = 48.85;
    birth.longitude = 2.35 / 15.0;
    chart.obliquity = 23.44;
    chart.houseSystem = 5;
    for (double& o : chart.objects) o = kNoPosition;
    for (char& m : chart.motion) m = 'D';
    for (int k = 0; k < 12; ++k) chart.cusps[k] = c_c360(350.0 + 30.0 * k);  // equal houses from 20° Pisces
  }
  Hand& at(int object, double lon) {
    chart.objects[object] = lon;
    return *this;
  }
  Hand& noHouses() {
    birth.timeKnown = 0;
    return *this;
  }
};

CIni settings() {
  CIni s = defaultSettings("/nonexistent");
  s.houseSystem = 5;
  return s;
}

std::vector<std::string> linesOf(const Report& r) {
  return reportLines(r.text);
}

bool contains(const std::vector<std::string>& lines, const std::string& l) {
  return std::find(lines.begin(), lines.end(), l) != lines.end();
}

// The lines that start with a prefix.
std::vector<std::string> starting(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& l : lines)
    if (l.rfind(prefix, 0) == 0) out.push_back(l);
  return out;
}

const std::string kDeg = "\xB0";

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

}  // namespace

TEST(AspectTable, HeadingsNameTheGroups) {
  EXPECT_EQ(aspectsHeading(true, false, false), "MAJOR ASPECTS:");
  EXPECT_EQ(aspectsHeading(true, true, false), "MAJOR AND MINOR ASPECTS:");
  EXPECT_EQ(aspectsHeading(true, true, true), "MAJOR, MINOR AND RARE ASPECTS:");
  EXPECT_EQ(aspectsHeading(true, false, true), "MAJOR AND RARE ASPECTS:");
  EXPECT_EQ(aspectsHeading(false, true, true), " MINOR AND RARE ASPECTS:");
  EXPECT_EQ(aspectsHeading(false, true, false), " MINOR ASPECTS:");
  EXPECT_EQ(aspectsHeading(false, false, true), " RARE ASPECTS:");
  for (int k = 0; k < 18; ++k) EXPECT_EQ(aspectLabel(k).size(), 20u) << k;
  EXPECT_EQ(aspectLabel(14), "Undecile     (= 33" + kDeg + ")");
  EXPECT_EQ(tableAbbreviation(18), "EPo.");
  EXPECT_EQ(tableAbbreviation(1, true), "Ear.");
}

TEST(AspectTable, OneChartWithApplyingAndSeparating) {
  const CIni s = settings();
  // Sun 5°07' Aries with the faster Moon 62°15' ahead: a separating sextile. Mars 120° from the Sun
  // and Jupiter 2°53' ahead of Mars: the faster object behind the slower one is applying.
  Hand h;
  h.at(kSun, 5 + 7.0 / 60).at(kMoon, 5 + 7.0 / 60 + 62.25).at(kMars, 125 + 7.0 / 60).at(kJupiter, 128);
  Report r;
  unsigned long length = 0;
  Aspects(r, &length, s, kOneChart, 0, h.birth, h.chart, h.birth, h.chart, 1, 0, 0);
  EXPECT_EQ(length, r.text.size());
  const auto lines = linesOf(r);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], "MAJOR ASPECTS:");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "  Longitudes referring to Tropical Zodiac");  // a chart with houses: no notes
  EXPECT_EQ(lines[3], "  A.= Applying, the faster planet moving towards the slower one");
  EXPECT_EQ(lines[4], "  S.= Separating, the faster planet moving away from the slower one");
  EXPECT_EQ(lines[5], "");
  const std::vector<std::string> table(lines.begin() + 6, lines.end());
  const std::string sun = "Sun (ARI. 5" + kDeg + "07')", moon = "Moo.(GEM. 7" + kDeg + "22')";
  const std::string mars = "Mar.(LEO  5" + kDeg + "07')", jupiter = "Jup.(LEO  8" + kDeg + "00')";
  const std::vector<std::string> expected = {
      sun + "-" + moon + ":S.Sextile      (= 60" + kDeg + ")orb= 02" + kDeg + "15'",
      sun + "-" + mars + ":A.Trine        (=120" + kDeg + ")orb= 00" + kDeg + "00'",
      sun + "-" + jupiter + ":A.Trine        (=120" + kDeg + ")orb= 02" + kDeg + "53'",
      moon + "-" + mars + ":A.Sextile      (= 60" + kDeg + ")orb= 02" + kDeg + "15'",
      moon + "-" + jupiter + ":A.Sextile      (= 60" + kDeg + ")orb= 00" + kDeg + "38'",
      mars + "-" + jupiter + ":A.Conjunction  (=  0" + kDeg + ")orb= 02" + kDeg + "53'",
  };
  EXPECT_EQ(table, expected);
  for (const auto& l : lines) EXPECT_LE(l.size(), kReportLineWidth);
}

TEST(AspectTable, RareOnlyAndNotesForChartsWithoutHouses) {
  const CIni s = settings();
  Hand h;
  h.noHouses().at(kSun, 10).at(kMoon, 55).at(kAscendant, 10).at(kMidheaven, 280);
  Report r;
  Aspects(r, nullptr, s, kOneChart, 0, h.birth, h.chart, h.birth, h.chart, 0, 0, 1);
  const auto lines = linesOf(r);
  EXPECT_EQ(lines[0], " RARE ASPECTS:");
  EXPECT_EQ(lines[2], "(Aspects to ASC or MC are not calculated");
  EXPECT_EQ(lines[3], " when longitude = 0 and latitude = 0,");
  EXPECT_EQ(lines[4], " or when the time is unknown.)");
  EXPECT_EQ(lines[5], "");
  // The Sun-Moon semisquare (45°) is listed; the Ascendant's conjunction with the Sun is not.
  const auto table = starting(lines, "Sun ");
  ASSERT_EQ(table.size(), 1u);
  EXPECT_NE(table[0].find("Semisquare"), std::string::npos);

  // With every group, the Ascendant on the Sun and the Midheaven still have no aspects.
  Report all;
  Aspects(all, nullptr, s, kOneChart, 0, h.birth, h.chart, h.birth, h.chart, 1, 1, 1);
  for (const auto& l : linesOf(all)) {
    EXPECT_EQ(l.find("ASC.("), std::string::npos) << l;
    EXPECT_EQ(l.find("MC. ("), std::string::npos) << l;
  }
  EXPECT_EQ(starting(linesOf(all), "Sun (").size(), 1u);
}

TEST(AspectTable, TwoChartsListEveryPairAndTheNodes) {
  const CIni s = settings();
  Hand a, b;
  a.at(kNorthNode, 10).at(kSouthNode, 190).at(kSun, 45);
  b.at(kNorthNode, 10.5).at(kSouthNode, 190.5).at(kSun, 225.5).noHouses();
  Report r;
  Aspects(r, nullptr, s, kTwoCharts, 0, a.birth, a.chart, b.birth, b.chart, 1, 0, 0);
  const auto lines = linesOf(r);
  EXPECT_TRUE(contains(lines, "(Aspects to ASC or MC of chart2 are not calculated "));
  EXPECT_TRUE(contains(lines, "     CHART 1         CHART 2"));
  EXPECT_FALSE(contains(lines, "  A.= Applying, the faster planet moving towards the slower one"));
  // Sun-Sun opposition, and the four node pairs, with no applying verdict between two charts.
  std::vector<std::string> table;
  for (const auto& l : lines)
    if (l.find("):") != std::string::npos) table.push_back(l);
  ASSERT_EQ(table.size(), 5u);
  EXPECT_TRUE(startsWith(table[0], "Sun (TAU.15" + kDeg + "00')-Sun (SCO.15" + kDeg + "30'):  Opposition"));
  EXPECT_TRUE(startsWith(table[1], "NNd.(ARI.10" + kDeg + "00')-NNd.(ARI.10" + kDeg + "30'):  Conjunction"));
  EXPECT_TRUE(startsWith(table[2], "NNd.(ARI.10" + kDeg + "00')-SNd.(LIB.10" + kDeg + "30'):  Opposition"));
  EXPECT_TRUE(startsWith(table[3], "SNd.(LIB.10" + kDeg + "00')-NNd.(ARI.10" + kDeg + "30'):  Opposition"));
  EXPECT_TRUE(startsWith(table[4], "SNd.(LIB.10" + kDeg + "00')-SNd.(LIB.10" + kDeg + "30'):  Conjunction"));

  // Within one chart the nodes are never opposed.
  Report one;
  Aspects(one, nullptr, s, kOneChart, 0, a.birth, a.chart, a.birth, a.chart, 1, 0, 0);
  for (const auto& l : linesOf(one)) EXPECT_EQ(l.find("NNd.(ARI.10" + kDeg + "00')-SNd."), std::string::npos);

  // Chart 1 without houses, chart 2 with them.
  Report other;
  Aspects(other, nullptr, s, kTwoCharts, 0, b.birth, b.chart, a.birth, a.chart, 1, 0, 0);
  EXPECT_TRUE(contains(linesOf(other), "(Aspects to ASC or MC of chart1 are not calculated "));
}

TEST(AspectTable, SiderealLongitudesButTheSameAspects) {
  CIni s = settings();
  s.ayanamsa = kTrueAyanamsa;
  Hand h;
  h.chart.trueAyanamsa = 24;
  h.at(kSun, 30).at(kMoon, 150);
  Report r;
  Aspects(r, nullptr, s, kOneChart, 1, h.birth, h.chart, h.birth, h.chart, 1, 0, 0);
  const auto lines = linesOf(r);
  EXPECT_EQ(lines[2], "  Sidereal Zodiac, using True Ayanamsa");
  EXPECT_TRUE(startsWith(lines.back(), "Sun (ARI. 6" + kDeg + "00')-Moo.(LEO  6" + kDeg + "00'):S.Trine"));
}

TEST(ParallelTable, BothTestsHoldingListOneParallel) {
  const CIni s = settings();
  Hand a, b;
  a.at(kSun, 0).at(kMoon, 180).at(kMars, 90);  // declinations 0, 0 and +23.44
  b.at(kSun, 0.5).at(kMars, 270);              // about +0.2 and -23.44
  Report r;
  ParallelsOfDecl(r, nullptr, s, kTwoCharts, 0, a.birth, a.chart, b.birth, b.chart);
  const auto lines = linesOf(r);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "    PARALLELS OF DECLINATION (Tropical Zodiac)");
  EXPECT_EQ(lines[3], "Parallels   orb = 3" + kDeg + "00'(Sun and Moon)     orb=2" + kDeg + "00'(others) ");
  EXPECT_EQ(lines[4], "Contrapar. orb = 2" + kDeg + "30'(Sun and Moon)     orb=2" + kDeg + "00'(others) ");
  EXPECT_EQ(lines[6], "          CHART 1           CHART 2");
  // Sun-Sun (declinations 0 and 0.2) passes both tests and is listed once, as a parallel.
  std::vector<std::string> table;
  for (const auto& l : lines)
    if (l.find("(orb =") != std::string::npos) table.push_back(l);
  EXPECT_EQ(table,
            (std::vector<std::string>{"         Sun     Parallel    Sun    (orb = 00" + kDeg + "12')",
                                      "         Moo.    Parallel    Sun    (orb = 00" + kDeg + "12')",
                                      "         Mar. Contraparallel Mar.   (orb = 00" + kDeg + "00')"}));

  // One chart: pairs i < j only, and the sidereal heading names the short ayanamsa.
  Report one;
  ParallelsOfDecl(one, nullptr, s, kOneChart, 1, a.birth, a.chart, a.birth, a.chart);
  const auto oneLines = linesOf(one);
  EXPECT_EQ(oneLines[1], "    PARALLELS OF DECLINATION  (Sidereal Zodiac, True Ay.)");
  EXPECT_FALSE(contains(oneLines, "          CHART 1           CHART 2"));
  EXPECT_EQ(starting(oneLines, "         "),
            (std::vector<std::string>{"         Sun     Parallel    Moo.   (orb = 00" + kDeg + "00')"}));
}

TEST(MidpointTable, ShorterArcAndCounts) {
  EXPECT_DOUBLE_EQ(shorterArcMidpoint(350, 20), 5);
  EXPECT_DOUBLE_EQ(shorterArcMidpoint(10, 200), 285);
  EXPECT_DOUBLE_EQ(shorterArcMidpoint(200, 10), 285);
  EXPECT_DOUBLE_EQ(shorterArcMidpoint(90, 270), 0);  // an opposition's midpoint stays in [0, 360)
  EXPECT_DOUBLE_EQ(reduceByModulus(180, 90), 90);
  EXPECT_DOUBLE_EQ(reduceByModulus(200, 90), 20);
  EXPECT_DOUBLE_EQ(reduceByModulus(45, 90), 45);

  const CIni s = settings();
  Hand h;
  for (int k = 0; k < kObjectCount; ++k) h.at(k, 7.5 * k + 1);
  h.chart.siderealTime = 6;
  EXPECT_EQ(midpoints(kOneChart, 0, 0, s, h.birth, h.chart, h.birth, h.chart).size(), 171u);
  EXPECT_EQ(midpoints(kTwoCharts, 0, 0, s, h.birth, h.chart, h.birth, h.chart).size(), 361u);
  h.chart.objects[kChiron] = kNoPosition;  // without a position: no entries
  EXPECT_EQ(midpoints(kOneChart, 0, 0, s, h.birth, h.chart, h.birth, h.chart).size(), 171u - 18u);
  h.chart.objects[kChiron] = 98.5;
  h.noHouses();
  const auto noHouses = midpoints(kOneChart, 0, 0, s, h.birth, h.chart, h.birth, h.chart);
  EXPECT_EQ(noHouses.size(), 91u);
  for (const auto& e : noHouses) EXPECT_LT(e.b, 14);
  // Heliocentric: the Earth and Mercury to Pluto, 36 pairs.
  EXPECT_EQ(midpoints(kOneChart, 0, 1, s, h.birth, h.chart, h.birth, h.chart).size(), 36u);

  // The sort is ascending and keeps equal midpoints in their order.
  std::vector<MidpointEntry> v = {{0, 1, 30}, {0, 2, 10}, {1, 2, 30}, {0, 3, 5}, {2, 3, 10}};
  const auto sorted = sortedMidpoints(v);
  EXPECT_EQ(sorted[0].b, 3);
  EXPECT_EQ(sorted[1].a, 0);
  EXPECT_EQ(sorted[2].a, 2);
  EXPECT_EQ(sorted[3].a, 0);
  EXPECT_EQ(sorted[4].a, 1);
}

TEST(MidpointTable, ThreeColumnsFilledTopToBottom) {
  const CIni s = settings();
  Hand h;
  h.noHouses();
  h.at(kSun, 350).at(kMoon, 20).at(kMercury, 10).at(kVenus, 200);  // 6 pairs: 2 rows of 3
  Report r;
  MidPoints360(kOneChart, 0, 0, r, nullptr, s, h.birth, h.chart, h.birth, h.chart);
  const auto lines = linesOf(r);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0], "Midpoints (360" + kDeg + ")  Listing in Planetary Sequence");
  EXPECT_EQ(lines[1], "Longitudes referring to Tropical Zodiac");
  // Entries in generation order: Sun-Moo. 5, Sun-Mer. 0, Sun-Ven. 275, Moo.-Mer. 15, Moo.-Ven. 290,
  // Mer.-Ven. 285; the first row holds entries 1, 3 and 5.
  EXPECT_EQ(lines[2], "Sun -Moo.:ARI. 5" + kDeg + "00'   Sun -Ven.:CAP. 5" + kDeg + "00'   Moo.-Ven.:CAP.20" +
                          kDeg + "00'");
  EXPECT_EQ(lines[3], "Sun -Mer.:ARI. 0" + kDeg + "00'   Moo.-Mer.:ARI.15" + kDeg + "00'   Mer.-Ven.:CAP.15" +
                          kDeg + "00'");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "Midpoints (360" + kDeg + ") Midpoint Sort");
  EXPECT_EQ(lines[7].substr(0, 9), "Sun -Mer.");
  EXPECT_EQ(lines[8].substr(0, 9), "Sun -Moo.");
}

TEST(MidpointTable, ModulusRefusesNonPositiveAndReduces) {
  const CIni s = settings();
  Hand h;
  h.noHouses();
  h.at(kSun, 100).at(kMoon, 260);  // midpoint 180
  Report r;
  unsigned long length = 0;
  EXPECT_EQ(MidPointsModulus(kOneChart, 0.0f, 0, r, &length, s, h.birth, h.chart, h.birth, h.chart), 0);
  EXPECT_EQ(MidPointsModulus(kOneChart, -45.0f, 0, r, &length, s, h.birth, h.chart, h.birth, h.chart), 0);
  EXPECT_EQ(MidPointsModulus(kOneChart, std::nanf(""), 0, r, &length, s, h.birth, h.chart, h.birth, h.chart),
            0);
  EXPECT_TRUE(r.text.empty());
  ASSERT_EQ(MidPointsModulus(kOneChart, 90.0f, 0, r, &length, s, h.birth, h.chart, h.birth, h.chart), 1);
  auto lines = linesOf(r);
  EXPECT_EQ(lines[0], "Midpoints Modulus  90" + kDeg + "00' Listing in Planetary Sequence");
  EXPECT_EQ(lines[1], "Sun -Moo. 90" + kDeg + "00'");  // 180 reduced by 90 is 90, not 0
  EXPECT_EQ(lines[4], "Midpoints Modulus  90" + kDeg + "00' Midpoint Sort");

  Report wide;
  h.at(kMoon, 191);  // midpoint 145.5
  MidPointsModulus(kOneChart, 100.0f, 1, wide, nullptr, s, h.birth, h.chart, h.birth, h.chart);
  EXPECT_EQ(linesOf(wide)[0],
            "Heliocentric Midpoints Modulus  100" + kDeg + "00' Listing in Planetary Sequence");
}

TEST(HarmonicTable, SectionsBoundsAndTheHarmonicChart) {
  const CIni s = settings();
  Hand h;
  h.at(kSun, 100).at(kMoon, 200.5).at(kAscendant, 10).at(kPartOfFortune, 110.5);
  Report r;
  ASSERT_EQ(Harmonics(nullptr, r, nullptr, s, h.birth, h.chart, 3, 0, 0), 1);
  auto lines = linesOf(r);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], " ");
  EXPECT_EQ(lines[1], "  Harmonic 3   (based on Tropical Zodiac)");
  EXPECT_EQ(lines[2], "     Sun :  AQU. 0" + kDeg + "00'");  // 300
  EXPECT_EQ(lines[3], "     Moo.:  SAG. 1" + kDeg + "30'");  // 601.5
  EXPECT_EQ(lines[4], "     ASC.:  TAU. 0" + kDeg + "00'");  // 30
  EXPECT_EQ(lines[5], "     PFor:  PIS. 1" + kDeg + "30'");  // 331.5

  Report all;
  ASSERT_EQ(Harmonics(nullptr, all, nullptr, s, h.noHouses().birth, h.chart, 0, 0, 0), 1);
  lines = linesOf(all);
  EXPECT_EQ(starting(lines, "  Harmonic ").size(), 24u);
  EXPECT_EQ(lines[1], "  Harmonic 2   (based on Tropical Zodiac)");
  EXPECT_EQ(starting(lines, "     ASC.").size(), 0u);  // no angles without houses
  EXPECT_EQ(Harmonics(nullptr, all, nullptr, s, h.birth, h.chart, kMaxHarmonic + 1, 0, 0), 0);
  EXPECT_EQ(Harmonics(nullptr, all, nullptr, s, h.birth, h.chart, -2, 0, 0), 0);

  // The drawing hands over a harmonic chart whose title always fits its field.
  Hand withHouses;
  withHouses.at(kSun, 100).at(kMoon, 200.5).at(kAscendant, 10);
  Chart1 drawn;
  Chart2 drawnChart;
  int calls = 0;
  const HarmonicDrawer drawer = [&](const Chart1& c1, const Chart2& c2) {
    drawn = c1;
    drawnChart = c2;
    ++calls;
  };
  Report none;
  ASSERT_EQ(Harmonics(&drawer, none, nullptr, s, withHouses.birth, withHouses.chart, kMaxHarmonic, 1, 0), 1);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(none.text.empty());
  EXPECT_EQ(drawn.chartType, 333);
  EXPECT_EQ(typeTextOf(drawn), "Harmonic Chart, n=9999");
  EXPECT_NEAR(drawnChart.objects[kSun], std::fmod(9999 * 100.0, 360.0), 1e-9);
  EXPECT_NEAR(drawnChart.objects[kAscendant], std::fmod(9999 * 10.0, 360.0), 1e-9);
  EXPECT_EQ(drawnChart.objects[kChiron], kNoPosition);
  EXPECT_EQ(Harmonics(&drawer, none, nullptr, s, withHouses.birth, withHouses.chart, 0, 1, 0), 0);
  EXPECT_EQ(Harmonics(nullptr, none, nullptr, s, withHouses.birth, withHouses.chart, 5, 1, 0), 0);
  EXPECT_EQ(calls, 1);
}

TEST(Tables, WaitCursorIsShownAndRestored) {
  const CIni s = settings();
  Hand h;
  h.at(kSun, 100).at(kMoon, 200);
  headless::CountingBusy busy;
  Report r;
  Aspects(r, nullptr, s, 0, 0, h.birth, h.chart, h.birth, h.chart, 1, 1, 1, &busy);
  ParallelsOfDecl(r, nullptr, s, 0, 0, h.birth, h.chart, h.birth, h.chart, &busy);
  MidPoints360(0, 0, 0, r, nullptr, s, h.birth, h.chart, h.birth, h.chart, &busy);
  MidPointsModulus(0, 30, 0, r, nullptr, s, h.birth, h.chart, h.birth, h.chart, &busy);
  Harmonics(nullptr, r, nullptr, s, h.birth, h.chart, 0, 0, 0, &busy);
  PrintDignities(0, 1, r, nullptr, s, h.birth, h.chart, &busy);
  MutualReceptions(0, 1, r, nullptr, s, h.birth, h.chart, &busy);
  ArabianParts(r, nullptr, s, h.birth, h.chart, 0, 0, 0, &busy);
  EXPECT_EQ(busy.total, 8);
  EXPECT_EQ(busy.depth, 0);
}

TEST(DignityTable, SignsAndHouses) {
  EXPECT_EQ(dignityIn(kSun, 1), kExaltation);
  EXPECT_EQ(dignityIn(kSun, 5), kDignity);
  EXPECT_EQ(dignityIn(kMercury, 12), kDetriment);
  EXPECT_EQ(dignityIn(kPluto, 10), kNoDignity);
  EXPECT_EQ(dignityIn(kSaturn, 0), kNoDignity);  // no house
  EXPECT_EQ(dignityIn(kSaturn, 13), kNoDignity);
  EXPECT_EQ(dignityIn(10, 1), kNoDignity);

  const CIni s = settings();
  Hand h;
  // Sun at 5° Aries in the 1st house (cusp 1 at 20° Pisces); Saturn at 265° in the 10th (cusp 10 at
  // 260°) and in Sagittarius; the others nowhere special.
  h.at(kSun, 5)
      .at(kMoon, 95)
      .at(kMercury, 40)
      .at(kVenus, 100)
      .at(kMars, 130)
      .at(kJupiter, 165)
      .at(kSaturn, 265)
      .at(kUranus, 295)
      .at(kNeptune, 292)
      .at(kPluto, 235);
  EXPECT_EQ(Dignities(kSun, 0, 0, s, h.birth, h.chart), kExaltation);
  EXPECT_EQ(Dignities(kSun, 0, 1, s, h.birth, h.chart), kExaltation);
  EXPECT_EQ(Dignities(kSaturn, 0, 0, s, h.birth, h.chart), kNoDignity);
  EXPECT_EQ(Dignities(kSaturn, 0, 1, s, h.birth, h.chart), kDignity);
  Report r;
  unsigned long length = 0;
  PrintDignities(0, 1, r, &length, s, h.birth, h.chart);
  EXPECT_EQ(length, r.text.size());
  EXPECT_EQ(linesOf(r), (std::vector<std::string>{
                            "Dignities (Tropical Zodiac):",
                            " Sun in exaltation in Aries",
                            " Sun in accidental exaltation in the 1st house",
                            " Moon in dignity in Cancer",
                            " Moon in accidental dignity in the 4th house",
                            " Jupiter in detriment in Virgo",
                            " Jupiter in accidental detriment in the 6th house",
                            " Saturn in accidental dignity in the 10th house",
                            " Uranus in accidental dignity in the 11th house",
                            " Neptune in fall in Capricorn",
                            " Pluto in dignity in Scorpio",
                        }));
  // Without houses only the signs count.
  Report plain;
  PrintDignities(0, 0, plain, nullptr, s, h.noHouses().birth, h.chart);
  const auto noHouses = linesOf(plain);
  EXPECT_EQ(noHouses.size(), 6u);
  EXPECT_EQ(noHouses[0], "Dignities:");
  for (const auto& l : noHouses) EXPECT_EQ(l.find("accidental"), std::string::npos);

  // In the sidereal zodiac (True Ayanamsa of 24°) every planet moves back: Mars (106°) into Cancer,
  // Pluto stays in Scorpio (211°).
  h.chart.trueAyanamsa = 24;
  Report sidereal;
  PrintDignities(1, 1, sidereal, nullptr, s, h.birth, h.chart);
  EXPECT_EQ(linesOf(sidereal),
            (std::vector<std::string>{"Dignities (Sidereal Zodiac, using True Ayanamsa):",
                                      " Mars in fall in Cancer", " Pluto in dignity in Scorpio"}));
}

TEST(DignityTable, NoStateAtAll) {
  const CIni s = settings();
  Hand h;
  h.noHouses();
  // Leo holds nobody's state but the Sun's, Uranus's and Mercury's and Saturn's: put everyone in
  // Gemini except Mercury (Libra) and Jupiter (Libra).
  for (int p = 0; p <= kPluto; ++p) h.at(p, 75);
  h.at(kMercury, 195).at(kJupiter, 195);
  Report r;
  PrintDignities(0, 0, r, nullptr, s, h.birth, h.chart);
  // The sentence is longer than a line: it is folded like every line of the report.
  EXPECT_EQ(
      linesOf(r),
      (std::vector<std::string>{
          "Dignities:", "No planet in this chart is either in dignity, detriment, exaltation or", "fall."}));
}

TEST(ReceptionTable, RulersAndCoRulers) {
  const CIni s = settings();
  Hand h;
  h.noHouses();
  for (int p = 0; p <= kPluto; ++p) h.at(p, 75);  // Gemini
  h.at(kVenus, 10).at(kMars, 40);                 // Venus in Aries, Mars in Taurus
  Report r;
  MutualReceptions(0, 1, r, nullptr, s, h.birth, h.chart);
  auto lines = linesOf(r);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Mutual receptions (Tropical Zodiac):");
  EXPECT_EQ(lines[1], "Venus in Aries (ruled by Mars) - Mars in Taurus (ruled by Venus)");

  // Mars in Scorpio and Jupiter in Aries: Jupiter does not rule Scorpio.
  h.at(kVenus, 75).at(kMars, 220).at(kJupiter, 10);
  Report none;
  MutualReceptions(0, 0, none, nullptr, s, h.birth, h.chart);
  EXPECT_EQ(linesOf(none), (std::vector<std::string>{"Mutual receptions:", " None"}));

  // The co-rulers count: Mars in Pisces (Jupiter) and Jupiter in Scorpio (Mars).
  h.at(kMars, 340).at(kJupiter, 220);
  Report co;
  MutualReceptions(0, 0, co, nullptr, s, h.birth, h.chart);
  EXPECT_EQ(linesOf(co), (std::vector<std::string>{
                             "Mutual receptions:",
                             "Mars in Pisces (ruled by Jupiter) - Jupiter in Scorpio (ruled by Mars)"}));

  // A reception longer than a line is folded at 71 columns.
  h.at(kMars, 75).at(kMercury, 250).at(kJupiter, 75);  // Mercury in Sagittarius, Jupiter in Gemini
  Report folded;
  MutualReceptions(0, 0, folded, nullptr, s, h.birth, h.chart);
  const auto lines2 = linesOf(folded);
  ASSERT_EQ(lines2.size(), 3u);
  EXPECT_LE(lines2[1].size(), kReportLineWidth);
  EXPECT_EQ(lines2[1] + " " + lines2[2],
            "Mercury in Sagittarius (ruled by Jupiter) - Jupiter in Gemini (ruled by Mercury)");
}

TEST(ArabianPartTable, WithoutHousesAndValues) {
  const CIni s = settings();
  Hand h;
  h.at(kSun, 350)
      .at(kMoon, 20)
      .at(kMercury, 340)
      .at(kVenus, 10)
      .at(kMars, 100)
      .at(kJupiter, 200)
      .at(kSaturn, 300)
      .at(kUranus, 310)
      .at(kNeptune, 315)
      .at(kPluto, 250)
      .at(kAscendant, 350)
      .at(kMidheaven, 260);
  h.at(kPartOfFortune, c_c360(350 + 20 - 350));

  // Values: Ascendant + Moon - Sun = 20; Ascendant + Sun - Moon = 320; Part of disease 2 Asc - Moon = 320;
  // 15 Cancer for part 30: 350 + 105 - 300 = 155. Sums beyond 360 and below 0 come back into range.
  EXPECT_DOUBLE_EQ(arabianPart(1, s, h.chart, 0), 20);
  EXPECT_DOUBLE_EQ(arabianPart(2, s, h.chart, 0), 320);
  EXPECT_DOUBLE_EQ(arabianPart(27, s, h.chart, 0), 320);
  EXPECT_DOUBLE_EQ(arabianPart(30, s, h.chart, 0), 155);
  EXPECT_DOUBLE_EQ(arabianPart(32, s, h.chart, 0), c_c360(340 + 200 - 300));
  // Ruler of the 12th house: cusp 12 at 320° Aquarius, traditional ruler Saturn; part 4 = Asc + Sun - Saturn.
  EXPECT_DOUBLE_EQ(arabianPart(4, s, h.chart, 0), c_c360(350 + 350 - 300));
  EXPECT_EQ(arabianPart(39, s, h.chart, 0), kNoPosition);
  Hand low = h;
  low.at(kAscendant, 10).at(kMoon, 5).at(kSun, 100);
  EXPECT_DOUBLE_EQ(arabianPart(1, s, low.chart, 0), 275);  // -85 brought into range

  Report r;
  unsigned long length = 0;
  ArabianParts(r, &length, s, h.birth, h.chart, 0);
  EXPECT_EQ(length, r.text.size());
  const auto lines = linesOf(r);
  EXPECT_EQ(lines[0], "Arabian and Other Parts:");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "   Based on Tropical Zodiac");
  EXPECT_EQ(lines[5], "1) Parts issued from the astrological tradition:");
  EXPECT_EQ(lines[7], "Part of Fortune");
  EXPECT_EQ(lines[8], "Value = Ascendant + Moon - Sun = ARI.20" + kDeg + "00'");
  // The Part of Fortune's own line: the Moon (20°) is conjunct, the Part of Fortune itself is not.
  std::size_t k = 9;
  std::vector<std::string> aspects;
  while (lines[k] != "") aspects.push_back(lines[k++]);
  EXPECT_TRUE(contains(aspects, "       -conjunct Moon (orb = 00" + kDeg + "00')"));
  for (const auto& a : aspects) EXPECT_EQ(a.find("Part of Fortune"), std::string::npos);
  EXPECT_TRUE(contains(lines, "Value = Ascendant + Ascendant - Moon = AQU.20" + kDeg + "00'"));
  EXPECT_TRUE(contains(lines, "Value = Ascendant + 15 Cancer - Saturn = VIR. 5" + kDeg + "00'"));
  EXPECT_TRUE(contains(lines, "Value = Mercury + Jupiter - Saturn = SAG. 0" + kDeg + "00'"));
  EXPECT_TRUE(contains(lines, "2) Parts introduced by modern astrologers:"));
  EXPECT_EQ(starting(lines, "Value = ").size(), 38u);
  EXPECT_EQ(starting(lines, "Part of accidents, deseases, defects").size(), 1u);

  Report sidereal;
  CIni sid = s;
  sid.ayanamsa = kTrueAyanamsa;
  h.chart.trueAyanamsa = 20;
  ArabianParts(sidereal, nullptr, sid, h.birth, h.chart, 1);
  const auto sLines = linesOf(sidereal);
  EXPECT_EQ(sLines[2], "   Based on Sidereal Zodiac, True Ayanamsa");
  EXPECT_EQ(sLines[8], "Value = Ascendant + Moon - Sun = ARI. 0" + kDeg + "00'");

  Report none;
  ArabianParts(none, nullptr, s, h.noHouses().birth, h.chart, 0);
  EXPECT_EQ(linesOf(none),
            (std::vector<std::string>{"Arabian and Other Parts:", "", "   Based on Tropical Zodiac", "", "",
                                      "Nearly all Arabian parts use the ascendant, and are therefore",
                                      "meaningless in a chart without houses."}));
}
