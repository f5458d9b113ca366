// The wheel's plan: normalising the drawing type, the geometry, planet spreading, cusps, aspect lines.
#include "draw/wheel_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "draw/tests/wheel_fixture.h"

using namespace talpora;
using namespace talpora::wheeltest;

namespace {

double arc(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}

const PlacedBody* bodyOf(const WheelPass& p, int object) {
  for (const auto& b : p.bodies)
    if (b.object == object) return &b;
  return nullptr;
}

WheelPlan plan(const CIni& s, const Chart1& c, const Chart2& k, const ChPar& t, int w = 1600, int h = 1200,
               int device = kScreenDevice) {
  return planWheel({s, c, k, c, k, t, w, h, device});
}

}  // namespace

TEST(WheelSpreading, FiveBodiesInOneHouseAreSpreadEvenlyAndStaggered) {
  double cusps[12];
  for (int i = 0; i < 12; ++i) cusps[i] = 30.0 * i + 10;  // house 1: 10..40
  const std::vector<double> lons = {21, 20, 22, 20.5, 21.5, 200};
  std::vector<int> stagger;
  const auto out = spreadBodies(lons, cusps, 6.0, true, &stagger);
  // In longitude order 20, 20.5, 21, 21.5, 22 -> sixths of the house: 15, 20, 25, 30, 35.
  EXPECT_NEAR(out[1], 15, 1e-9);
  EXPECT_NEAR(out[3], 20, 1e-9);
  EXPECT_NEAR(out[0], 25, 1e-9);
  EXPECT_NEAR(out[4], 30, 1e-9);
  EXPECT_NEAR(out[2], 35, 1e-9);
  EXPECT_EQ(stagger[1], 1);
  EXPECT_EQ(stagger[3], -1);
  EXPECT_EQ(stagger[0], 1);
  EXPECT_EQ(stagger[4], -1);
  EXPECT_EQ(stagger[2], 1);
  EXPECT_NEAR(out[5], 200, 1e-9);  // alone in its house: not moved
  EXPECT_EQ(stagger[5], 0);
  // Styles that do not stagger spread the same way without the radial offsets.
  std::vector<int> none;
  spreadBodies(lons, cusps, 6.0, false, &none);
  EXPECT_TRUE(std::all_of(none.begin(), none.end(), [](int v) { return v == 0; }));
}

TEST(WheelSpreading, TwoCloseBodiesInAWideHouseEndAtLeastTheSeparationApart) {
  double cusps[12];
  for (int i = 0; i < 12; ++i) cusps[i] = 30.0 * i;
  const auto out = spreadBodies({100, 102}, cusps, 6.0, true);
  EXPECT_GE(out[1] - out[0], 6.0 - 1e-9);
  EXPECT_GT(out[0], 90 + 6.0 - 1e-9);
  EXPECT_LT(out[1], 120 - 6.0 + 1e-9);
  // Bodies near a cusp are moved into their house by the separation.
  const auto nearCusp = spreadBodies({0.5, 29.5}, cusps, 6.0, true);
  EXPECT_NEAR(nearCusp[0], 6.0, 1e-9);
  EXPECT_NEAR(nearCusp[1], 24.0, 1e-9);
  // A narrow house (less than three separations) uses a third of its width.
  double narrow[12];
  for (int i = 0; i < 12; ++i) narrow[i] = 30.0 * i;
  narrow[1] = 12;  // house 1 is 0..12
  const auto n = spreadBodies({5, 6}, narrow, 6.0, true);
  EXPECT_NEAR(n[0], 4.0, 1e-9);
  EXPECT_NEAR(n[1], 8.0, 1e-9);
}

TEST(WheelSpreading, WithoutHousesNeighboursArePushedApartAcrossZeroAries) {
  const auto out = spreadBodies({359, 1, 180}, nullptr, 4.8, true);
  EXPECT_GE(arc(out[0], out[1]), 4.8 - 1e-6);
  EXPECT_NEAR(out[2], 180, 1e-9);
  for (double v : out) {
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 360);
  }
  // A stack of six bodies relaxes to at least the separation between neighbours.
  const auto stack = spreadBodies({50, 50.5, 51, 51.5, 52, 52.5}, nullptr, 4.8, true);
  std::vector<double> sorted = stack;
  std::sort(sorted.begin(), sorted.end());
  for (std::size_t i = 1; i < sorted.size(); ++i) EXPECT_GE(sorted[i] - sorted[i - 1], 4.8 - 1e-6);
}

TEST(WheelPlan, GlyphsNeverOverlapOnRandomCharts) {
  // Equal houses (no house narrower than three separations) and charts without houses: the glyph
  // centres of every pair stay at least 0.9 glyph apart.
  std::mt19937 rng(20240601);
  std::uniform_real_distribution<double> lon(0, 360);
  CIni s = testSettings();
  s.houseSystem = 5;
  for (int trial = 0; trial < 300; ++trial) {
    Chart1 c;
    Chart2 k;
    testChart(c, k);
    for (int i = 0; i < 14; ++i) k.objects[i] = lon(rng);
    k.objects[kSouthNode] = std::fmod(k.objects[kNorthNode] + 180, 360);
    if (trial % 2) c.timeKnown = 0;
    for (int style : {11, 21, 17}) {
      ChPar t = fullType(style);
      t.typeOrigin = 601;
      const WheelPlan p = plan(s, c, k, t);
      const auto& pass = p.passes.front();
      const double minimum = 0.9 * pass.g.planetGlyphSize;
      for (std::size_t i = 0; i < pass.bodies.size(); ++i)
        for (std::size_t j = i + 1; j < pass.bodies.size(); ++j) {
          const auto &a = pass.bodies[i].glyph, &b = pass.bodies[j].glyph;
          ASSERT_GE(std::hypot(a.x - b.x, a.y - b.y), minimum)
              << "trial " << trial << " style " << style << " objects " << pass.bodies[i].object << ", "
              << pass.bodies[j].object;
        }
    }
  }
}

TEST(WheelPlan, ChartWithoutHousesKeepsAriesFixedAndDrawsNoHousePoints) {
  CIni s = testSettings();
  Chart1 c;
  Chart2 k;
  testChart(c, k);
  c.longitude = 0;
  c.latitude = 0;
  const WheelPlan p = plan(s, c, k, fullType());
  const WheelPass& pass = p.passes.front();
  EXPECT_EQ(pass.type.houseSystem, 0);
  EXPECT_EQ(pass.type.fixedAries, 1);
  EXPECT_EQ(pass.rotation, 0.0);
  EXPECT_TRUE(pass.cuspsDrawn.empty());
  EXPECT_EQ(bodyOf(pass, kPartOfFortune), nullptr);
  EXPECT_DOUBLE_EQ(pass.separation, 4.8);
  for (const auto& l : pass.aspects) {
    EXPECT_NE(l.a, kAscendant);
    EXPECT_NE(l.b, kMidheaven);
    EXPECT_NE(l.b, kPartOfFortune);
  }
  // 0 Aries at the left: Aries' glyph (15 degrees) left of the centre and just below it on screen.
  ASSERT_TRUE(p.hits.has(kSun));
  EXPECT_LT(wheelPoint(pass.g, 1, pass.rotation, 0, 100).x, pass.g.cx);
  const gfx::Point aries = wheelPoint(pass.g, 1, pass.rotation, 15, pass.g.outerRadius);
  EXPECT_LT(aries.x, pass.g.cx);
  EXPECT_GT(aries.y, pass.g.cy);
  // With houses the Ascendant is at the left instead.
  Chart1 c2;
  Chart2 k2;
  testChart(c2, k2);
  const WheelPass housed = plan(s, c2, k2, fullType()).passes.front();
  EXPECT_NEAR(housed.rotation, -k2.objects[kAscendant], 1e-9);
  EXPECT_EQ(housed.cuspsDrawn.size(), 12u);
  const gfx::Point asc = wheelPoint(housed.g, 1, housed.rotation, k2.objects[kAscendant], 500);
  EXPECT_EQ(asc.x, housed.g.cx - 500);
  EXPECT_EQ(asc.y, housed.g.cy);
}

TEST(WheelPlan, ChironWithoutPositionIsNeitherDrawnNorAspected) {
  CIni s = testSettings();
  Chart1 c;
  Chart2 k;
  testChart(c, k);
  // Chiron exactly opposite the Sun would be aspected if it had a position.
  k.objects[kChiron] = std::fmod(k.objects[kSun] + 180, 360);
  const WheelPass with = plan(s, c, k, fullType()).passes.front();
  ASSERT_NE(bodyOf(with, kChiron), nullptr);
  EXPECT_TRUE(std::any_of(with.aspects.begin(), with.aspects.end(),
                          [](const AspectLine& l) { return l.a == kChiron || l.b == kChiron; }));
  k.objects[kChiron] = kNoPosition;
  const WheelPlan p = plan(s, c, k, fullType());
  const WheelPass& pass = p.passes.front();
  EXPECT_EQ(pass.type.showChiron, 0);
  EXPECT_EQ(pass.type.aspectChiron, 0);
  EXPECT_EQ(bodyOf(pass, kChiron), nullptr);
  for (const auto& l : pass.aspects) {
    EXPECT_NE(l.a, kChiron);
    EXPECT_NE(l.b, kChiron);
  }
  EXPECT_FALSE(p.hits.has(kChiron));
}

TEST(WheelPlan, AspectOrbsComeFromTheLuminariesOrTheOthersTable) {
  CIni s = testSettings();
  for (auto& o : s.orbsLuminaries) o = 0;
  for (auto& o : s.orbsOthers) o = 0;
  s.orbsLuminaries[1] = 10;  // opposition with the Sun or the Moon
  s.orbsOthers[1] = 5;       // other oppositions
  Chart1 c;
  Chart2 k;
  testChart(c, k);
  for (int i = 0; i < 14; ++i) k.objects[i] = 100 + 7 * i;  // spread out, no other aspect within 0 orb
  k.objects[kSun] = 10;
  k.objects[kMars] = 13;
  k.objects[kSaturn] = 197;  // 7 degrees from the exact opposition with the Sun, 4 from Mars's
  k.objects[kJupiter] = 200;
  ChPar t = fullType();
  for (int a = 2; a <= 8; ++a) t.aspectLine[a] = 0;  // oppositions only
  auto has = [](const WheelPass& p, int a, int b) {
    return std::any_of(p.aspects.begin(), p.aspects.end(),
                       [&](const AspectLine& l) { return (l.a == a && l.b == b) || (l.a == b && l.b == a); });
  };
  const WheelPass pass = plan(s, c, k, t).passes.front();
  EXPECT_TRUE(has(pass, kSun, kSaturn));     // 7 < 10
  EXPECT_TRUE(has(pass, kMars, kSaturn));    // 4 < 5
  EXPECT_FALSE(has(pass, kMars, kJupiter));  // 7 > 5
  EXPECT_TRUE(has(pass, kSun, kJupiter));    // 10 <= 10, the edge counts
  for (const auto& l : pass.aspects) EXPECT_EQ(l.aspect, 1);
  // A line type of 0 switches the aspect off.
  t.aspectLine[1] = 0;
  EXPECT_TRUE(plan(s, c, k, t).passes.front().aspects.empty());
}

TEST(WheelPlan, SouthernViewMirrorsTheWheel) {
  CIni s = testSettings();
  Chart1 c;
  Chart2 k;
  testChart(c, k);
  c.latitude = -33.9;
  Houses(k.obliquity, c.latitude, k.siderealTime, 1, k.cusps);
  k.objects[kAscendant] = k.cusps[0];
  ChPar t = fullType();
  t.projection = projection::kSouthView;
  const WheelPass south = plan(s, c, k, t).passes.front();
  EXPECT_EQ(south.g.xMirror, 1);
  EXPECT_GT(wheelPoint(south.g, 1, south.rotation, k.objects[kAscendant], 300).x, south.g.cx);
  c.latitude = 33.9;  // north of the equator the view is the usual one
  EXPECT_EQ(plan(s, c, k, t).passes.front().g.xMirror, -1);
}

TEST(WheelGeometryTable, RadiiFollowTheStyle) {
  ChPar t = fullType(11);
  Chart1 c;
  Chart2 k;
  testChart(c, k);
  WheelGeometry g = wheelGeometry(t, c, 1400, 1000, kScreenDevice, false, false);
  EXPECT_EQ(g.cx, 700);
  EXPECT_EQ(g.cy, 500);
  EXPECT_EQ(g.outerRadius, 480);
  EXPECT_EQ(g.ringWidth, 50);
  EXPECT_EQ(g.planetRadius, 280);
  EXPECT_EQ(g.tickOuter, 350);
  EXPECT_EQ(g.tickInner, 320);
  EXPECT_EQ(g.innerRadius, 280);
  EXPECT_EQ(g.labelRadius, 490);
  EXPECT_EQ(g.signGlyphSize, 28);
  EXPECT_EQ(g.planetGlyphSize, 31);
  t.ringKind[2] = 2;
  EXPECT_EQ(wheelGeometry(t, c, 1400, 1000, kScreenDevice, false, false).planetRadius, 240);
  t.ringKind[3] = 4;  // a third ring: narrower rings, smaller glyphs
  g = wheelGeometry(t, c, 1400, 1000, kScreenDevice, false, false);
  EXPECT_EQ(g.ringWidth, 40);
  EXPECT_EQ(g.planetGlyphSize, 28);
  EXPECT_EQ(g.planetRadius, 230);
  // Standard Style II: the planets inside the rings.
  t = fullType(21);
  g = wheelGeometry(t, c, 1400, 1000, kScreenDevice, false, false);
  EXPECT_EQ(g.planetRadius, 440);
  EXPECT_LT(g.tickOuter, g.tickInner);
  EXPECT_EQ(g.innerRadius, 220);
  // On paper the height is negative (y up) and the sizes are the same.
  g = wheelGeometry(fullType(11), c, 1400, -1000, kPrinterDevice, false, false);
  EXPECT_EQ(g.cy, -500);
  EXPECT_EQ(g.outerRadius, 480);
  // French style: a small zodiac in the middle, the houses round it.
  g = wheelGeometry(fullType(1), c, 1400, 1000, kScreenDevice, false, false);
  EXPECT_EQ(g.outerRadius, 270);
  EXPECT_EQ(g.innerRadius, 220);
  EXPECT_EQ(g.cuspInner, 450);
  EXPECT_EQ(g.markB, 13);
}

TEST(WheelNormalise, ReturnsDoubleChartsProjectionsAndMandalas) {
  CIni s = testSettings();
  s.houseSystem = 4;
  Chart1 c;
  Chart2 k;
  testChart(c, k);
  ChPar t = fullType(11);
  t.typeOrigin = 601;
  t.houseSystem = 2;
  t.ringKind[2] = 2;
  // A fixed type takes the settings' house system; a custom type keeps its own.
  EXPECT_EQ(normaliseDrawingType(t, s, c, c, k, false).houseSystem, 4);
  t.typeOrigin = 701;
  EXPECT_EQ(normaliseDrawingType(t, s, c, c, k, false).houseSystem, 2);
  // A sidereal solar return turns the tropical ring sidereal and drops the duplicate.
  c.chartType = 105;
  ChPar n = normaliseDrawingType(t, s, c, c, k, false);
  EXPECT_EQ(n.ringKind[1], ring::kSidereal);
  EXPECT_EQ(n.ringKind[2], ring::kNone);
  c.chartType = 0;
  // A double chart: Standard Style II inside, the outer chart without houses or Part of Fortune.
  c.doubleChart = 1;
  Chart1 transits = c;
  transits.chartType = chart_type::kTransits;
  t.ringKind[1] = ring::kSidereal;
  n = normaliseDrawingType(t, s, c, transits, k, false);
  EXPECT_EQ(n.style, style::kStandard2);
  EXPECT_EQ(n.ringKind[1], ring::kTropical);
  EXPECT_EQ(n.ringKind[2], ring::kNone);
  EXPECT_EQ(n.showFortune, 0);
  n = normaliseDrawingType(t, s, c, transits, k, true);
  EXPECT_EQ(n.style, style::kOuterChart);
  EXPECT_EQ(n.houseSystem, 0);
  EXPECT_EQ(n.aspectLine[0], 0);
  c.doubleChart = 0;
  // Heliocentric: no houses, Aries fixed, no Black Moon, no Chiron.
  t = fullType(11);
  t.projection = projection::kHeliocentric;
  n = normaliseDrawingType(t, s, c, c, k, false);
  EXPECT_EQ(n.houseSystem, 0);
  EXPECT_EQ(n.fixedAries, 1);
  EXPECT_EQ(n.showBlackMoon, 0);
  EXPECT_EQ(n.showChiron, 0);
  EXPECT_EQ(n.showFortune, 0);
  // The Solar System is heliocentric whatever the type says.
  EXPECT_EQ(normaliseDrawingType(fullType(30), s, c, c, k, false).projection, projection::kHeliocentric);
  // Mandalas: equal houses, no angle aspects, no degrees, one ring.
  t = fullType(32);
  t.ringKind[2] = 4;
  n = normaliseDrawingType(t, s, c, c, k, false);
  EXPECT_EQ(n.houseSystem, 1);
  EXPECT_EQ(n.aspectAngles, 0);
  EXPECT_EQ(n.planetDegrees, 0);
  EXPECT_EQ(n.ringKind[2], 0);
}

TEST(WheelPlan, ProjectionsReplaceTheLongitudes) {
  CIni s = testSettings();
  Chart1 c;
  Chart2 k;
  testChart(c, k);
  ChPar t = fullType(11);
  t.projection = projection::kHeliocentric;
  const WheelPass helio = plan(s, c, k, t).passes.front();
  ASSERT_NE(bodyOf(helio, kSun), nullptr);
  EXPECT_DOUBLE_EQ(bodyOf(helio, kSun)->lon, k.extra[0]);  // the Earth
  EXPECT_EQ(bodyOf(helio, kSun)->glyphCode, 0);
  EXPECT_EQ(bodyOf(helio, kMoon), nullptr);
  EXPECT_DOUBLE_EQ(bodyOf(helio, kMars)->lon, k.extra[kMars]);
  EXPECT_EQ(bodyOf(helio, kNorthNode), nullptr);
  EXPECT_EQ(helio.bodies.size(), 9u);
  t.projection = projection::kRightAscension;
  const WheelPass ra = plan(s, c, k, t).passes.front();
  EXPECT_EQ(ra.bodies.size(), 10u);
  double expected = 0, decl = 0;
  eclipticToEquatorial(k.objects[kMoon], k.objectLat[kMoon], k.obliquity, expected, decl);
  EXPECT_NEAR(bodyOf(ra, kMoon)->lon, expected, 1e-9);
}

TEST(WheelPlan, DoubleChartHasAnOuterPassWithTheInnerRotation) {
  CIni s = testSettings();
  Chart1 c;
  Chart2 k;
  testChart(c, k);
  c.doubleChart = 1;
  Chart1 outer = c;
  outer.doubleChart = 0;
  outer.chartType = chart_type::kTransits;
  Chart2 k2 = k;
  for (int i = 0; i < 14; ++i) k2.objects[i] = std::fmod(k.objects[i] + 40, 360);
  const WheelPlan p = planWheel({s, c, k, outer, k2, fullType(11), 1600, 1200, kScreenDevice});
  ASSERT_EQ(p.passes.size(), 2u);
  EXPECT_DOUBLE_EQ(p.passes[1].rotation, p.passes[0].rotation);
  EXPECT_TRUE(p.passes[1].aspects.empty());
  EXPECT_TRUE(p.passes[1].cuspsDrawn.empty());
  EXPECT_DOUBLE_EQ(p.passes[1].separation, 3.8);
  // The outer glyphs stand outside the inner chart's rim; the table holds the inner ones.
  for (const auto& b : p.passes[1].bodies) EXPECT_GT(b.glyphRadius, p.passes[0].g.outerRadius);
  EXPECT_EQ(p.hits.x[kSun], p.passes[0].bodies.front().object == kSun ? p.passes[0].bodies.front().glyph.x
                                                                      : bodyOf(p.passes[0], kSun)->glyph.x);
}

TEST(WheelPlan, TicksRunFromTheTruePositionToTheGlyph) {
  CIni s = testSettings();
  Chart1 c;
  Chart2 k;
  testChart(c, k);
  k.objects[kMercury] = k.objects[kVenus] + 1.0;  // a tight pair, spread apart
  const WheelPlan p = plan(s, c, k, fullType(11));
  const WheelPass& pass = p.passes.front();
  for (const auto& b : pass.bodies) {
    EXPECT_EQ(b.tickFrom, wheelPoint(pass.g, 1, pass.rotation, b.lon, pass.g.tickInner));
    EXPECT_EQ(b.tickTo, wheelPoint(pass.g, 1, pass.rotation, b.shownLon, pass.g.tickOuter));
  }
  const auto* me = bodyOf(pass, kMercury);
  const auto* ve = bodyOf(pass, kVenus);
  EXPECT_GE(arc(me->shownLon, ve->shownLon), 5.0);
}

TEST(WheelPlan, PaperMirrorsTheScreenVertically) {
  // On paper y grows upwards and the drawing area's height is negative: every point of the plan is the
  // screen's point turned over, so the wheel looks the same on both.
  const CIni s = testSettings();
  Chart1 c;
  Chart2 k;
  testChart(c, k);
  const WheelPlan screen = plan(s, c, k, fullType(11), 1400, 1000, kScreenDevice);
  const WheelPlan paper = plan(s, c, k, fullType(11), 1400, -1000, kPrinterDevice);
  ASSERT_EQ(screen.passes[0].bodies.size(), paper.passes[0].bodies.size());
  for (std::size_t i = 0; i < screen.passes[0].bodies.size(); ++i) {
    const auto &a = screen.passes[0].bodies[i], &b = paper.passes[0].bodies[i];
    EXPECT_EQ(a.object, b.object);
    EXPECT_EQ(b.glyph.x, a.glyph.x);
    EXPECT_EQ(b.glyph.y, -a.glyph.y);
  }
  ASSERT_EQ(screen.passes[0].aspects.size(), paper.passes[0].aspects.size());
  for (std::size_t i = 0; i < screen.passes[0].aspects.size(); ++i)
    EXPECT_EQ(paper.passes[0].aspects[i].from.y, -screen.passes[0].aspects[i].from.y);
  // The direction as seen is the same on both.
  const WheelPass& sp = screen.passes[0];
  const WheelPass& pp = paper.passes[0];
  EXPECT_DOUBLE_EQ(visualAngle(sp.g, 1, sp.rotation, 100), visualAngle(pp.g, -1, pp.rotation, 100));
}
