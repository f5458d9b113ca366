// zykcore: zodiac and aspect primitives.
#include "core/zodiac.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/records.h"

namespace talpora {
namespace {

TEST(Distances, ShortestConsecutiveAndNormalised) {
  EXPECT_DOUBLE_EQ(ShortestDistance(350, 10), 20);
  EXPECT_DOUBLE_EQ(ShortestDistance(10, 350), 20);
  EXPECT_DOUBLE_EQ(ShortestDistance(0, 180), 180);
  EXPECT_DOUBLE_EQ(ConsecutiveDistance(350, 10), 20);
  EXPECT_DOUBLE_EQ(ConsecutiveDistance(10, 350), 340);
  EXPECT_DOUBLE_EQ(c_c360(-0.5), 359.5);
  EXPECT_DOUBLE_EQ(c_c360(720.25), 0.25);
  EXPECT_EQ(c_c360(360.0), 0.0);
  const double tiny = c_c360(-1e-18);
  EXPECT_GE(tiny, 0.0);
  EXPECT_LT(tiny, 360.0);
}

TEST(Distances, IsBetweenTakesTheShorterArcWithOpenEnds) {
  EXPECT_EQ(IsBetween(5, 350, 20), 1);
  EXPECT_EQ(IsBetween(5, 20, 350), 1);  // either order
  EXPECT_EQ(IsBetween(180, 350, 20), 0);
  EXPECT_EQ(IsBetween(350, 350, 20), 0);
  EXPECT_EQ(IsBetween(20, 350, 20), 0);
  EXPECT_EQ(IsBetween(355, 350, 20), 1);
  EXPECT_EQ(IsBetween(100, 90, 120), 1);
  EXPECT_EQ(IsBetween(100, 120, 90), 1);
  EXPECT_EQ(IsBetween(200, 90, 120), 0);
  // The longer arc (here the one through 180) is not "between".
  EXPECT_EQ(IsBetween(180, 10, 300), 0);
  EXPECT_EQ(IsBetween(340, 10, 300), 1);
}

TEST(Motion, IsFasterAndPlanetaryArc) {
  int faster = -7, slower = -7;
  EXPECT_EQ(IsFaster(2, 3, faster, slower), 2);  // Venus (0.98) is faster than Mercury (0.99)
  EXPECT_EQ(faster, 3);
  EXPECT_EQ(slower, 2);
  EXPECT_EQ(IsFaster(1, 0, faster, slower), 1);
  EXPECT_EQ(faster, 1);
  EXPECT_EQ(slower, 0);
  EXPECT_EQ(IsFaster(10, 11, faster, slower), 2);  // equal periods: the second counts as faster
  faster = slower = -7;
  EXPECT_EQ(IsFaster(0, 14, faster, slower), 0);
  EXPECT_EQ(faster, -7);
  EXPECT_EQ(IsFaster(0, 99, faster, slower), 0);

  EXPECT_DOUBLE_EQ(PlanetaryArc(0, 1, 100, 130), 30);  // the Moon 30 degrees ahead of the Sun
  EXPECT_DOUBLE_EQ(PlanetaryArc(1, 0, 130, 100), 30);
  EXPECT_DOUBLE_EQ(PlanetaryArc(0, 1, 130, 100), 330);
  EXPECT_DOUBLE_EQ(PlanetaryArc(0, 1, 100, kNoPosition), -1);
  EXPECT_DOUBLE_EQ(PlanetaryArc(0, 13, 100, kNoPosition), -1);
  EXPECT_DOUBLE_EQ(PlanetaryArc(0, 15, 100, 200), -1);
}

Chart2 chartWith(double lon, int object = kSun) {
  Chart2 c;
  c.objects[object] = lon;
  c.trueAyanamsa = 23.86;
  c.syneticVernalPoint = 335.26;
  return c;
}

TEST(Signs, NormalisedBeforeTheLookupAndTheMarkerHasNoSign) {
  CIni ini;
  EXPECT_EQ(IsInSign(1, 0, ini, chartWith(359.99)), 12);
  EXPECT_EQ(IsInSign(1, 0, ini, chartWith(0.0)), 1);
  EXPECT_EQ(IsInSign(1, 0, ini, chartWith(29.9999)), 1);
  EXPECT_EQ(IsInSign(1, 0, ini, chartWith(30.0)), 2);
  EXPECT_EQ(IsInSign(1, 0, ini, chartWith(-0.003)), 12);  // an unnormalised Sun
  EXPECT_EQ(IsInSign(14, 0, ini, chartWith(360.0, kChiron)), 1);
  EXPECT_EQ(IsInSign(14, 0, ini, chartWith(kNoPosition, kChiron)), 0);
  EXPECT_EQ(IsInSign(0, 0, ini, chartWith(10)), 0);
  EXPECT_EQ(IsInSign(18, 0, ini, chartWith(10)), 0);
  for (double lon = -720; lon < 720; lon += 0.37) {
    const int s = signOfLongitude(lon);
    EXPECT_GE(s, 1);
    EXPECT_LE(s, 12);
  }
  EXPECT_EQ(signOfLongitude(std::nextafter(360.0, 0.0)), 12);
}

TEST(Signs, SiderealSign) {
  CIni ini;
  ini.ayanamsa = kTrueAyanamsa;
  EXPECT_EQ(IsInSign(1, 0, ini, chartWith(20.0)), 1);
  EXPECT_EQ(IsInSign(1, 1, ini, chartWith(20.0)), 12);  // 20 - 23.86 = 356.14 sidereal
  ini.ayanamsa = kSyneticVernalPoint;
  EXPECT_EQ(IsInSign(1, 1, ini, chartWith(20.0)), 12);  // 335.26 + 20 - 360 = 355.26
  EXPECT_EQ(IsInSign(1, 1, ini, chartWith(30.0)), 1);   // 5.26
  ini.ayanamsa = 0;
  EXPECT_EQ(IsInSign(1, 1, ini, chartWith(20.0)), 1);  // no sidereal reference chosen
}

TEST(Rulers, SignsAndHouses) {
  EXPECT_EQ(RulerOfSign(8, 1), kMars);
  EXPECT_EQ(RulerOfSign(8, 0), kPluto);
  EXPECT_EQ(RulerOfSign(11, 1), kSaturn);
  EXPECT_EQ(RulerOfSign(11, 0), kUranus);
  EXPECT_EQ(RulerOfSign(12, 1), kJupiter);
  EXPECT_EQ(RulerOfSign(12, 0), kNeptune);
  EXPECT_EQ(RulerOfSign(4, 0), kMoon);
  EXPECT_EQ(RulerOfSign(5, 1), kSun);
  EXPECT_EQ(RulerOfSign(13, 0), 0);
  EXPECT_EQ(RulerOfSign(0, 1), 0);
  for (int s = 1; s <= 12; ++s) {
    int ruler = 0, coRuler = 0;
    Ruler2OfSign(s, ruler, coRuler);
    EXPECT_EQ(ruler, RulerOfSign(s, 0)) << s;
    if (s == 8 || s == 11 || s == 12) {
      EXPECT_EQ(coRuler, RulerOfSign(s, 1)) << s;
    } else {
      EXPECT_EQ(coRuler, -1) << s;
      EXPECT_EQ(RulerOfSign(s, 0), RulerOfSign(s, 1)) << s;
    }
  }
  int ruler = 0, coRuler = 0;
  Ruler2OfSign(13, ruler, coRuler);
  EXPECT_EQ(ruler, -1);
  EXPECT_EQ(coRuler, -1);

  CIni ini;
  ini.ayanamsa = kTrueAyanamsa;
  Chart2 c = chartWith(0);
  c.cusps[0] = 215.0;  // Scorpio
  c.cusps[9] = 365.0;  // unnormalised: Aries
  c.cusps[3] = 35.0;   // Taurus tropical, Aries sidereal (35 - 23.86)
  EXPECT_EQ(RulerOfHouse(1, 0, 0, ini, c), kPluto);
  EXPECT_EQ(RulerOfHouse(1, 0, 1, ini, c), kMars);
  EXPECT_EQ(RulerOfHouse(10, 0, 0, ini, c), kMars);
  EXPECT_EQ(RulerOfHouse(4, 0, 0, ini, c), kVenus);
  EXPECT_EQ(RulerOfHouse(4, 1, 0, ini, c), kMars);
  EXPECT_EQ(RulerOfHouse(13, 0, 0, ini, c), 0);
}

TEST(Sidereal, ConversionWithBothReferencesLeavesTheMarker) {
  CIni ini;
  Chart2 c = chartWith(0);
  double v[4] = {10.0, 100.0, kNoPosition, 359.0};
  ini.ayanamsa = 0;
  ConvertToSidereal(v, 4, ini, c);
  EXPECT_DOUBLE_EQ(v[0], 10.0);
  EXPECT_DOUBLE_EQ(v[2], kNoPosition);
  ini.ayanamsa = kTrueAyanamsa;
  ConvertToSidereal(v, 4, ini, c);
  EXPECT_NEAR(v[0], 360 - 13.86, 1e-12);
  EXPECT_NEAR(v[1], 76.14, 1e-12);
  EXPECT_EQ(v[2], kNoPosition);
  EXPECT_NEAR(v[3], 335.14, 1e-12);
  double w[2] = {10.0, kNoPosition};
  ini.ayanamsa = kSyneticVernalPoint;
  ConvertToSidereal(w, 2, ini, c);
  EXPECT_NEAR(w[0], 345.26, 1e-12);  // 335.26 + 10 - 360, normalised
  EXPECT_EQ(w[1], kNoPosition);
  float f[3] = {100.0f, -1.0f, 30.0f};
  ConvertToSiderealFloat(f, 3, ini, c);
  EXPECT_NEAR(f[0], 75.26f, 1e-4);
  EXPECT_EQ(f[1], -1.0f);
  EXPECT_NEAR(f[2], 5.26f, 1e-4);
}

TEST(Aspects, TableAndLowLevelTest) {
  EXPECT_EQ(AspectValue(0), 0);
  EXPECT_EQ(AspectValue(1), 180);
  EXPECT_EQ(AspectValue(5), 150);
  EXPECT_EQ(AspectValue(10), static_cast<double>(51.4f));
  EXPECT_EQ(AspectValue(14), static_cast<double>(32.7272f));
  EXPECT_EQ(AspectValue(17), 18);
  EXPECT_EQ(AspectValue(18), -1);
  EXPECT_EQ(AspectValue(-1), -1);
  double dev = -5;
  EXPECT_EQ(AreAspectedLowLevel(10, 131.5, 120, 2, dev), 1);
  EXPECT_DOUBLE_EQ(dev, 1.5);
  EXPECT_EQ(AreAspectedLowLevel(10, 131.5, 120, 1.5, dev), 1);  // bounds inclusive
  EXPECT_EQ(AreAspectedLowLevel(10, 131.5, 120, 1.4, dev), 0);
  EXPECT_EQ(AreAspectedLowLevel(355, 5, 0, 10, dev), 1);
  EXPECT_DOUBLE_EQ(dev, 10);
}

class AspectsInCharts : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int k = 0; k < 20; ++k) {
      ini.orbsLuminaries[k] = 8;
      ini.orbsOthers[k] = 6;
    }
    chart1.timeKnown = 1;
    chart1.longitude = 1;
    chart1.latitude = 50;
    for (int k = 0; k < kObjectCount; ++k) chart2.objects[k] = 7.0 * k;
  }
  CIni ini;
  Chart1 chart1;
  Chart2 chart2;
  int code = -9, applying = -9;
  double deviation = -9;
};

TEST_F(AspectsInCharts, FirstEnabledCodeWinsWithTheRightOrbs) {
  chart2.objects[kMars] = 10;
  chart2.objects[kJupiter] = 131.5;
  ini.orbsOthers[2] = 2;
  EXPECT_EQ(AreAspected(kMars, kJupiter, ini, chart1, chart2, chart1, chart2, true, true, true, code,
                        deviation, applying),
            1);
  EXPECT_EQ(code, 2);
  EXPECT_DOUBLE_EQ(deviation, 1.5);
  // Overlapping orbs: 140 degrees is biquintile (6), not sesquisquare (7) nor inconjunction (5).
  chart2.objects[kJupiter] = 150.0;
  ini.orbsOthers[5] = 10.5f;
  ini.orbsOthers[6] = 5;
  ini.orbsOthers[7] = 5;
  EXPECT_EQ(AreAspected(kMars, kJupiter, ini, chart1, chart2, chart1, chart2, true, true, true, code,
                        deviation, applying),
            1);
  EXPECT_EQ(code, 5);  // 140 lies within 150 - 10.5: the inconjunction comes first
  ini.orbsOthers[5] = 9.9f;
  EXPECT_EQ(AreAspected(kMars, kJupiter, ini, chart1, chart2, chart1, chart2, true, true, true, code,
                        deviation, applying),
            1);
  EXPECT_EQ(code, 6);
  EXPECT_DOUBLE_EQ(deviation, 4);
  // Minor aspects disabled: nothing.
  code = -9;
  EXPECT_EQ(AreAspected(kMars, kJupiter, ini, chart1, chart2, chart1, chart2, true, false, true, code,
                        deviation, applying),
            0);
  EXPECT_EQ(code, -9);  // untouched
  // With the Sun the luminaries' orbs apply.
  chart2.objects[kSun] = 20;
  chart2.objects[kJupiter] = 27.5;
  ini.orbsOthers[0] = 6;
  ini.orbsLuminaries[0] = 8;
  EXPECT_EQ(AreAspected(kSun, kJupiter, ini, chart1, chart2, chart1, chart2, true, false, false, code,
                        deviation, applying),
            1);
  ini.orbsLuminaries[0] = 7;
  EXPECT_EQ(AreAspected(kSun, kJupiter, ini, chart1, chart2, chart1, chart2, true, false, false, code,
                        deviation, applying),
            0);
}

TEST_F(AspectsInCharts, ApplyingAndSeparatingWithinOneChart) {
  // Venus (fast) at 10, Saturn (slow) at 5: separating.
  chart2.objects[kVenus] = 10;
  chart2.objects[kSaturn] = 5;
  ASSERT_EQ(AreAspected(kVenus, kSaturn, ini, chart1, chart2, chart1, chart2, true, false, false, code,
                        deviation, applying),
            1);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(applying, 0);
  // Saturn at 15: applying, in either order of the pair.
  chart2.objects[kSaturn] = 15;
  ASSERT_EQ(AreAspected(kVenus, kSaturn, ini, chart1, chart2, chart1, chart2, true, false, false, code,
                        deviation, applying),
            1);
  EXPECT_EQ(applying, 1);
  ASSERT_EQ(AreAspected(kSaturn, kVenus, ini, chart1, chart2, chart1, chart2, true, false, false, code,
                        deviation, applying),
            1);
  EXPECT_EQ(applying, 1);
  // Across 0: slow at 358, fast at 2 has passed it (separating); fast at 354 has not (applying).
  chart2.objects[kSaturn] = 358;
  chart2.objects[kVenus] = 2;
  ASSERT_EQ(AreAspected(kVenus, kSaturn, ini, chart1, chart2, chart1, chart2, true, false, false, code,
                        deviation, applying),
            1);
  EXPECT_EQ(applying, 0);
  chart2.objects[kVenus] = 354;
  ASSERT_EQ(AreAspected(kVenus, kSaturn, ini, chart1, chart2, chart1, chart2, true, false, false, code,
                        deviation, applying),
            1);
  EXPECT_EQ(applying, 1);
  // Two angles: neither moves, no verdict.
  chart2.objects[kAscendant] = 100;
  chart2.objects[kMidheaven] = 10;
  ASSERT_EQ(AreAspected(kAscendant, kMidheaven, ini, chart1, chart2, chart1, chart2, true, false, false, code,
                        deviation, applying),
            1);
  EXPECT_EQ(code, 3);
  EXPECT_EQ(applying, -1);
}

TEST_F(AspectsInCharts, NodesAnglesAndTheMissingPosition) {
  chart2.objects[kNorthNode] = 40;
  chart2.objects[kSouthNode] = 220;
  EXPECT_EQ(AreAspected(kNorthNode, kSouthNode, ini, chart1, chart2, chart1, chart2, true, true, true, code,
                        deviation, applying),
            0);
  Chart2 transit = chart2;  // another chart, at the same moment: the fact is passed explicitly
  EXPECT_EQ(AreAspected(kNorthNode, kSouthNode, ini, chart1, chart2, chart1, transit, true, true, true, code,
                        deviation, applying),
            1);
  EXPECT_EQ(code, 1);
  EXPECT_EQ(applying, -1);
  EXPECT_EQ(AreAspected(kNorthNode, kSouthNode, ini, chart1, chart2, chart1, transit, true, true, true, code,
                        deviation, applying, true),
            0);
  // Chiron without a position is never aspected.
  chart2.objects[kChiron] = kNoPosition;
  chart2.objects[kMars] = kNoPosition + 0.5;
  EXPECT_EQ(AreAspected(kChiron, kMars, ini, chart1, chart2, chart1, chart2, true, true, true, code,
                        deviation, applying),
            0);
  // Angles only in charts with houses.
  chart2.objects[kAscendant] = 100;
  chart2.objects[kMoon] = 100;
  EXPECT_EQ(AreAspected(kMoon, kAscendant, ini, chart1, chart2, chart1, chart2, true, false, false, code,
                        deviation, applying),
            1);
  Chart1 noTime = chart1;
  noTime.timeKnown = 0;
  EXPECT_EQ(AreThereHouses(noTime), 0);
  EXPECT_EQ(AreAspected(kMoon, kAscendant, ini, noTime, chart2, noTime, chart2, true, false, false, code,
                        deviation, applying),
            0);
  EXPECT_EQ(AreAspected(kMoon, 17, ini, chart1, chart2, chart1, chart2, true, true, true, code, deviation,
                        applying),
            0);
}

TEST_F(AspectsInCharts, ObjectAspectedToAPointTakesTheSunsOrbs) {
  chart2.objects[kMars] = 100;
  ini.orbsLuminaries[2] = 5;
  ini.orbsOthers[2] = 1;
  EXPECT_EQ(IsObjectAspectedToPl(223.0, kMars, ini, chart1, chart2, true, false, false, code, deviation), 1);
  EXPECT_EQ(code, 2);
  EXPECT_DOUBLE_EQ(deviation, 3);
  EXPECT_EQ(IsObjectAspectedToPl(226.0, kMars, ini, chart1, chart2, true, false, false, code, deviation), 0);
  const double before = chart2.objects[kSun];
  IsObjectAspectedToPl(50.0, kMars, ini, chart1, chart2, true, true, true, code, deviation);
  EXPECT_EQ(chart2.objects[kSun], before);  // the chart is not changed
}

}  // namespace
}  // namespace talpora
