// zykorbit, zykseries, zykcalc: the position theories against the published check values of their
// sources, and the invariants the chart calculation relies on.
#include "engine/positions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/positions_internal.h"

namespace talpora {
namespace {

using orbit::Heliocentric;

double angleDiff(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180) d -= 360;
  if (d < -180) d += 360;
  return d;
}

// Pluto's series: the check values of the reference tables (heliocentric J2000.0 and of date).
struct PlutoCheck {
  double jde, l0, b0, r, l, b;
};
constexpr PlutoCheck kPlutoChecks[] = {
    {2409542.5, 62.878064, -12.798819, 48.5690110, 61.270708, -12.812724},
    {2415021.0, 77.152586, -9.577996, 46.9594110, 75.755655, -9.590935},
    {2426025.5, 109.651271, -0.203306, 41.2970650, 108.675391, -0.211604},
    {2433282.5, 137.535213, 8.030208, 36.3252164, 136.836074, 8.026235},
    {2442578.5, 188.747194, 16.813820, 30.7525769, 188.403330, 16.814585},
    {2447774.5, 224.812113, 15.675889, 29.6555685, 224.667662, 15.676920},
    {2448908.5, 232.740711, 14.587817, 29.7111110, 232.639744, 14.588615},
    {2451545.0, 250.546233, 11.161457, 30.2232301, 250.546233, 11.161457},
    {2457217.5, 284.079994, 1.912670, 32.9080660, 284.296935, 1.910755},
    {2460330.5, 299.658950, -2.867024, 34.9362770, 299.995077, -2.869601},
    {2469987.5, 338.630294, -12.973678, 41.5477736, 339.337201, -12.975509},
    {2488068.5, 32.115364, -16.800236, 48.9322178, 33.515712, -16.792297},
};

TEST(PlutoSeries, MatchesThePublishedCheckValues) {
  for (const auto& c : kPlutoChecks) {
    const Heliocentric h0 = orbit::plutoSeriesJ2000(c.jde);
    EXPECT_NEAR(angleDiff(h0.lon, c.l0), 0, 1e-6) << c.jde;
    EXPECT_NEAR(h0.lat, c.b0, 1e-6) << c.jde;
    EXPECT_NEAR(h0.r, c.r, 2e-7) << c.jde;
    const Heliocentric h = orbit::plutoSeriesOfDate(c.jde);
    EXPECT_NEAR(angleDiff(h.lon, c.l), 0, 1e-6) << c.jde;
    EXPECT_NEAR(h.lat, c.b, 1e-6) << c.jde;
  }
}

TEST(PlutoSeries, GeocentricChainWithTheTabulatedGeometricSun) {
  struct Geo {
    double jde, sunLon, sunDist, lon, lat;
  };
  const Geo checks[] = {
      {2415021.0, 280.664236, 0.9832644, 75.2332, -9.7753},
      {2426025.5, 328.621822, 0.9884363, 107.7785, -0.2155},
      {2442578.5, 83.301911, 1.0157543, 186.4780, 16.9494},
      {2448908.5, 199.907282, 0.9976085, 231.5954, 14.1896},
      {2451545.0, 280.377825, 0.9833277, 251.4649, 10.8555},
      {2460330.5, 300.425078, 0.9840058, 300.0069, -2.7910},
      {2488068.5, 279.589358, 0.9833749, 32.4070, -16.9253},
  };
  for (const auto& c : checks) {
    double out[24];
    orbit::planetPositions(c.jde, c.sunLon, c.sunDist, orbit::PlanetFrame::Geometric, out);
    EXPECT_NEAR(angleDiff(out[7], c.lon), 0, 0.0002) << c.jde;
    EXPECT_NEAR(out[15], c.lat, 0.0002) << c.jde;
    // asforce2 takes the apparent Sun and gives the apparent Pluto: within aberration, nutation and
    // light-time (a few hours of Pluto's motion) of the geometric one, never equal to it.
    double apparent[24];
    asforce2(c.jde, c.sunLon + orbit::sunAberrationAndNutation((c.jde - 2415020.0) / 36525.0), c.sunDist,
             apparent);
    const double shift = std::fabs(angleDiff(apparent[7], out[7]));
    EXPECT_GT(shift, 1.0 / 3600) << c.jde;
    EXPECT_LT(shift, 50.0 / 3600) << c.jde;
    EXPECT_EQ(apparent[23], out[23]) << c.jde;
  }
}

TEST(PlutoSeries, SwitchesToTheFixedOrbitOutsideItsYears) {
  EXPECT_TRUE(orbit::plutoSeriesCovers(orbit::kPlutoSeriesFirstJde));
  EXPECT_FALSE(orbit::plutoSeriesCovers(orbit::kPlutoSeriesFirstJde - 1e-6));
  EXPECT_TRUE(orbit::plutoSeriesCovers(orbit::kPlutoSeriesEndJde - 1e-3));
  EXPECT_FALSE(orbit::plutoSeriesCovers(orbit::kPlutoSeriesEndJde));
  // Where the methods meet, Pluto jumps by the fixed orbit's error there (about 0.3 degree in 1885,
  // 0.6 degree in 2101): a jump shows that the switch really happens at the bounds.
  auto helio = [](double jde) {
    double out[24];
    asforce2(jde, 280.0, 0.983, out);
    return out[23];
  };
  const double jump1885 =
      std::fabs(angleDiff(helio(orbit::kPlutoSeriesFirstJde), helio(orbit::kPlutoSeriesFirstJde - 0.01)));
  const double jump2101 =
      std::fabs(angleDiff(helio(orbit::kPlutoSeriesEndJde), helio(orbit::kPlutoSeriesEndJde - 0.01)));
  EXPECT_GT(jump1885, 0.1);
  EXPECT_LT(jump1885, 0.5);
  EXPECT_GT(jump2101, 0.3);
  EXPECT_LT(jump2101, 0.9);
}

// The outer planets' terms: the sums of the reference tables' check values.
TEST(OuterPlanetTerms, MatchThePublishedSums) {
  struct Check {
    double jde;
    orbit::OuterPlanet planet;
    double A, B, de, da, dl, dr, db;
  };
  using P = orbit::OuterPlanet;
  const Check checks[] = {
      {2415020.0, P::Jupiter, 0.288751, -0.0172780, 0.000360306, 0.000474560, 0, 0, 0},
      {2415020.0, P::Saturn, -0.762813, 0.0894342, -0.00465413, 0.0250331, 0, 0, -0.000275922},
      {2415020.0, P::Uranus, -0.836987, -0.114937, 0.000715962, -0.000926726, 0.0270264, -0.0204011,
       0.000908952},
      {2415020.0, P::Neptune, 0.570094, -0.0270823, -0.000471755, 0.00208739, 0.00326340, -0.0489321,
       0.000279631},
      {2451545.0, P::Jupiter, 0.0229121, 0.0551640, 0.000234813, 0.00135199, 0, 0, 0},
      {2451545.0, P::Saturn, -0.0667407, -0.191819, 0.000223478, 0.0278257, 0, 0, 0.00350303},
      {2451545.0, P::Uranus, -0.791590, -0.108152, 0.00101627, -0.00146584, 0.00331472, -0.0294139,
       0.000656149},
      {2451545.0, P::Neptune, 0.540732, -0.0320620, -0.000398900, 0.00334127, 0.0165559, -0.0383468,
       -0.000332616},
      {2488069.5, P::Jupiter, -0.140706, 0.0139489, -0.000961579, 0.00192826, 0, 0, 0},
      {2488069.5, P::Saturn, 0.336132, 0.109662, -0.00104913, 0.0216996, 0, 0, -0.00249498},
      {2488069.5, P::Uranus, -0.727491, -0.0987481, 0.00130063, -0.00197266, 0.00758029, -0.0413967,
       0.000634457},
      {2488069.5, P::Neptune, 0.498608, -0.0363246, -0.000306966, 0.00455771, 0.00146696, -0.0351167,
       0.000358157},
  };
  for (const auto& c : checks) {
    const double T = (c.jde - 2415020.0) / 36525.0;
    const orbit::OuterTerms t = orbit::outerPlanetTerms(c.planet, T);
    const auto rel = [](double expected) { return std::max(1e-9, std::fabs(expected) * 2e-5); };
    EXPECT_NEAR(t.A, c.A, rel(c.A)) << c.jde << " " << int(c.planet);
    EXPECT_NEAR(t.B, c.B, rel(c.B)) << c.jde << " " << int(c.planet);
    EXPECT_NEAR(t.de, c.de, rel(c.de)) << c.jde << " " << int(c.planet);
    EXPECT_NEAR(t.da, c.da, rel(c.da)) << c.jde << " " << int(c.planet);
    EXPECT_NEAR(t.dl, c.dl, rel(c.dl)) << c.jde << " " << int(c.planet);
    EXPECT_NEAR(t.dr, c.dr, rel(c.dr)) << c.jde << " " << int(c.planet);
    EXPECT_NEAR(t.db, c.db, rel(c.db)) << c.jde << " " << int(c.planet);
  }
}

TEST(OuterPlanetTerms, HeliocentricLongitudesAtJ2000) {
  double out[24];
  asforce2(2451545.0, 280.0, 0.983, out);
  EXPECT_NEAR(angleDiff(out[19], 36.2997), 0, 0.0001);   // Jupiter
  EXPECT_NEAR(angleDiff(out[20], 45.7268), 0, 0.0001);   // Saturn
  EXPECT_NEAR(angleDiff(out[21], 316.4178), 0, 0.0001);  // Uranus
  EXPECT_NEAR(angleDiff(out[22], 303.9351), 0, 0.0001);  // Neptune
}

TEST(Asforce2, FillsAllOutputsInRangeForAnyDate) {
  for (double jde = 2341972.5; jde < 2597640.5; jde += 3652.3) {  // 1700 to 2400
    double out[24];
    for (double& v : out) v = std::numeric_limits<double>::quiet_NaN();
    asforce2(jde, 123.4, 1.0, out);
    for (int k = 0; k < 24; ++k) ASSERT_TRUE(std::isfinite(out[k])) << jde << " " << k;
    for (int k = 0; k < 8; ++k) {
      EXPECT_GE(out[k], 0.0);
      EXPECT_LT(out[k], 360.0);
      EXPECT_GE(out[16 + k], 0.0);
      EXPECT_LT(out[16 + k], 360.0);
      EXPECT_LE(std::fabs(out[8 + k]), 90.0);
    }
  }
}

TEST(SiderealReferences, AyanamsaAndSyneticVernalPointAtJ2000AndTheirRate) {
  double sunLon, moonLon, moonLat, sunDist, aya0, bm, svp0, aya1, svp1;
  asforce1Plus(2451545.0, sunLon, moonLon, moonLat, sunDist, aya0, bm, svp0);
  asforce1Plus(2451545.0 + 36525.0, sunLon, moonLon, moonLat, sunDist, aya1, bm, svp1);
  EXPECT_NEAR(aya0, 23.86, 0.01);
  EXPECT_NEAR(svp0, 335.26, 0.01);
  EXPECT_NEAR((aya1 - aya0) / 100.0, 0.0140, 0.0001);
  EXPECT_NEAR((svp1 - svp0) / 100.0, -0.0140, 0.0001);
  // Both carry the same nutation and precession: their sum is constant.
  EXPECT_NEAR(aya0 + svp0, aya1 + svp1, 1e-9);
  EXPECT_NEAR(aya0 + svp0, 23.8569170650906 + 335.2595461, 1e-9);
}

TEST(SiderealReferences, ConvertForAJulianDay) {
  const double jd = 2460000.5;
  double sunLon, moonLon, moonLat, sunDist, aya, bm, svp;
  asforce1Plus(jd, sunLon, moonLon, moonLat, sunDist, aya, bm, svp);
  CIni ini;
  ini.ayanamsa = kTrueAyanamsa;
  double v[3] = {10.0, kNoPosition, 200.0};
  ConvertToSiderealForJD(v, 3, ini, jd);
  EXPECT_DOUBLE_EQ(v[0], orbit::norm360(10.0 - aya));
  EXPECT_EQ(v[1], kNoPosition);
  EXPECT_DOUBLE_EQ(v[2], 200.0 - aya);
  ini.ayanamsa = kSyneticVernalPoint;
  float f[2] = {10.0f, -1.0f};
  ConvertToSiderealForJDFloat(f, 2, ini, jd);
  EXPECT_FLOAT_EQ(f[0], static_cast<float>(orbit::norm360(svp + 10.0 - 360.0)));
  EXPECT_EQ(f[1], -1.0f);
}

TEST(SunAndMoon, SunLongitudeIsNotRenormalisedButEverythingElseIs) {
  // Look for a moment when the Sun's true longitude has just passed 0 (the March equinox of 2000,
  // about JDE 2451623.8): the apparent longitude is then slightly negative.
  bool sawNegative = false;
  for (double jde = 2451623.0; jde < 2451625.0; jde += 0.001) {
    double sunLon, moonLon, moonLat, sunDist, aya, bm, svp;
    asforce1Plus(jde, sunLon, moonLon, moonLat, sunDist, aya, bm, svp);
    EXPECT_GT(sunLon, -0.02);
    EXPECT_LT(sunLon, 360.0);
    if (sunLon < 0) sawNegative = true;
    EXPECT_GE(moonLon, 0.0);
    EXPECT_LT(moonLon, 360.0);
    EXPECT_GE(bm, 0.0);
    EXPECT_LT(bm, 360.0);
  }
  EXPECT_TRUE(sawNegative);
}

TEST(SunAndMoon, Asforce1GivesTheSameAsAsforce1Plus) {
  double a[7], b[6];
  asforce1Plus(2460000.25, a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
  asforce1(2460000.25, b[0], b[1], b[2], b[3], b[4], b[5]);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(a[k], b[k]) << k;
}

TEST(SunAndMoon, SunDistanceAtPerihelionAndAphelion) {
  double sunLon, moonLon, moonLat, dist, aya, bm, svp;
  asforce1Plus(julian_day(3, 1, 2024, 0.0), sunLon, moonLon, moonLat, dist, aya, bm, svp);
  EXPECT_NEAR(dist, 0.98331, 0.0002);
  asforce1Plus(julian_day(5, 7, 2024, 0.25), sunLon, moonLon, moonLat, dist, aya, bm, svp);
  EXPECT_NEAR(dist, 1.01673, 0.0002);
}

TEST(Nodes, MeanNodeAtJ2000AndTheTrueNodeAroundIt) {
  double trueNode, meanNode;
  asforce3(2451545.0, trueNode, meanNode);
  EXPECT_NEAR(meanNode, 125.0445479, 1e-9);
  // The periodic terms sum to at most about 2.2 degrees.
  EXPECT_LT(std::fabs(angleDiff(trueNode, meanNode)), 2.3);
  // The mean node moves backwards by 19.34 degrees a year.
  double t2, m2;
  asforce3(2451545.0 + 365.25, t2, m2);
  EXPECT_NEAR(angleDiff(m2, meanNode), -19.3413, 0.001);
  for (double jd = 2411368.5; jd < 2488434.5; jd += 97.3) {
    asforce3(jd, trueNode, meanNode);
    EXPECT_GE(trueNode, 0.0);
    EXPECT_LT(trueNode, 360.0);
    EXPECT_GE(meanNode, 0.0);
    EXPECT_LT(meanNode, 360.0);
  }
}

TEST(Obliquity, NewcombAtJ1900AndJ2000) {
  EXPECT_NEAR(Epsilon(2415020.0), 23.452294, 1e-12);
  // Newcomb at J2000.0 lies 0.04" from the IAU 1976 value 23 26' 21.448".
  EXPECT_NEAR(Epsilon(2451545.0), 23.4392911, 1.5e-5);
}

TEST(OrbitHelpers, NormalisationAndKepler) {
  EXPECT_EQ(orbit::norm360(360.0), 0.0);
  EXPECT_EQ(orbit::norm360(-360.0), 0.0);
  EXPECT_NEAR(orbit::norm360(-0.003), 359.997, 1e-12);
  EXPECT_LT(orbit::norm360(-1e-17), 360.0);
  EXPECT_NEAR(orbit::norm360(725.5), 5.5, 1e-12);
  // E - e sin E = M, for the eccentricities of the Sun to Pluto.
  for (double e : {0.0167, 0.0934, 0.2056, 0.2502}) {
    for (double M = 0; M < 360; M += 17.3) {
      const double E = orbit::keplerDegrees(M, e);
      EXPECT_NEAR(E - e * orbit::kRadToDeg * std::sin(E * orbit::kDegToRad), M, 1e-6) << e << " " << M;
    }
  }
  // A NaN ends the iteration instead of looping for ever.
  EXPECT_TRUE(std::isnan(orbit::keplerDegrees(std::numeric_limits<double>::quiet_NaN(), 0.1)));
  EXPECT_NEAR(orbit::trueAnomalyDegrees(90.0, 0.0), 90.0, 1e-12);
  EXPECT_NEAR(orbit::trueAnomalyDegrees(270.0, 0.0), 270.0, 1e-12);
}

TEST(ComputePositions, ChartOrderAndTimeScales) {
  const double jd = julian_day(1, 1, 2000, 0.5);
  const Positions p = computePositions(jd, ChironTable{});
  EXPECT_EQ(p.jdUt, jd);
  EXPECT_DOUBLE_EQ(p.deltaT, tdt(2000));
  EXPECT_DOUBLE_EQ(p.jde, jd + tdt(2000) / 86400.0);
  EXPECT_DOUBLE_EQ(p.obliquity, Epsilon(jd));
  // The Sun of J2000.0 is at 280.37 degrees, the Moon at 223.3, Mercury at 271.9 (apparent, of date).
  EXPECT_NEAR(p.lon[kSun], 280.37, 0.01);
  EXPECT_NEAR(p.lon[kMoon], 223.32, 0.02);
  EXPECT_NEAR(p.lon[kMercury], 271.89, 0.02);
  EXPECT_DOUBLE_EQ(p.lon[kSouthNode], orbit::norm360(p.lon[kNorthNode] + 180.0));
  EXPECT_EQ(p.lon[kChiron], kNoPosition);  // no table
  for (int k = 0; k < 13; ++k) {
    EXPECT_GE(p.lon[k], 0.0) << k;
    EXPECT_LT(p.lon[k], 360.0) << k;
  }
  double out[24], sunLon, moonLon, moonLat, sunDist, aya, bm, svp;
  asforce1Plus(p.jde, sunLon, moonLon, moonLat, sunDist, aya, bm, svp);
  asforce2(p.jde, sunLon, sunDist, out);
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(p.lon[kMercury + k], out[k]);
    EXPECT_EQ(p.lat[kMercury + k], out[8 + k]);
    EXPECT_EQ(p.helioLon[kMercury + k], out[16 + k]);
  }
  EXPECT_EQ(p.trueAyanamsa, aya);
  EXPECT_EQ(p.syneticVernalPoint, svp);
  EXPECT_EQ(p.lon[kBlackMoon], bm);
}

}  // namespace
}  // namespace talpora
