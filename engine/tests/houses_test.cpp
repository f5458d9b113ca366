// zykhouse tests: house cusps, Vertex, East Point, sidereal time of a Midheaven, house of a longitude.
#include "engine/houses.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/angles.h"

namespace talpora {
namespace {

constexpr double kEps = 23.4392911;  // mean obliquity of J2000.0
constexpr double kRad = 0.017453292519943295;

double arcDiff(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}
double raOf(double lon) {
  return norm360(std::atan2(std::sin(lon * kRad) * std::cos(kEps * kRad), std::cos(lon * kRad)) / kRad);
}

struct Cusps {
  double c[12] = {};
  HouseStatus status = HouseStatus::Computed;
};
Cusps houses(double lat, double st, int system, double sun = kNoPosition) {
  Cusps r;
  r.status = Houses(kEps, lat, st, system, r.c, sun);
  return r;
}

TEST(Houses, OppositeCuspsAndAnglesInEverySystem) {
  for (int sys = 0; sys < house_system::kCount; ++sys) {
    for (double lat : {-50.0, -10.0, 0.0, 35.0, 60.0}) {
      for (double st : {0.0, 3.7, 11.2, 17.9}) {
        const Cusps h = houses(lat, st, sys, 100.0);
        for (int k = 0; k < 6; ++k) EXPECT_NEAR(arcDiff(h.c[k + 6], h.c[k] + 180), 0.0, 1e-9) << sys;
        // Bi-horary turns the sidereal time by 12 hours south of the equator: its cusp 10 is the IC.
        if (sys != house_system::kEqual && !(sys == house_system::kBiHorary && lat < 0)) {
          // Cusp 10 is the Midheaven: the ecliptic point on the meridian.
          EXPECT_NEAR(arcDiff(raOf(h.c[9]), st * 15), 0.0, 1e-8) << "system " << sys << " lat " << lat;
        }
        if (sys != house_system::kAlbatagenius) {
          const bool turned = sys == house_system::kBiHorary && lat < 0;
          const double asc = houses(lat, turned ? st + 12 : st, house_system::kPorphyre).c[0];
          EXPECT_NEAR(arcDiff(h.c[0], asc), 0.0, 1e-9) << sys;
        }
      }
    }
  }
}

TEST(Houses, AtTheEquatorPlacidusCampanusAndRegiomontanusAgree) {
  for (double st : {0.0, 5.0, 9.5, 14.25, 21.0}) {
    const Cusps p = houses(0, st, house_system::kPlacidus);
    const Cusps c = houses(0, st, house_system::kCampanus);
    const Cusps r = houses(0, st, house_system::kRegiomontanus);
    for (int k = 0; k < 12; ++k) {
      EXPECT_NEAR(arcDiff(p.c[k], c.c[k]), 0.0, 1e-7) << k;
      EXPECT_NEAR(arcDiff(p.c[k], r.c[k]), 0.0, 1e-7) << k;
      // The circles meet the equator 30 degrees apart in right ascension.
      EXPECT_NEAR(arcDiff(raOf(p.c[(k + 9) % 12]), st * 15 + 30 * k), 0.0, 1e-7) << k;
    }
  }
}

TEST(Houses, EqualHousesFromAnAscendantOf350) {
  // Find a sidereal time whose Ascendant at 40 degrees north lies at 350 and step through it.
  double st = 0;
  for (double s = 0; s < 24; s += 0.0005) {
    const double asc = houses(40, s, house_system::kEqual).c[0];
    if (asc >= 349.9 && asc < 350.0) {
      st = s;
      break;
    }
  }
  const Cusps e = houses(40, st, house_system::kEqual);
  ASSERT_NEAR(e.c[0], 350, 0.1);
  EXPECT_NEAR(e.c[1], e.c[0] - 330, 1e-9);  // cusp 2 near 20
  EXPECT_NEAR(e.c[9], e.c[0] - 90, 1e-9);   // cusp 10 near 260, not the Midheaven
  for (int k = 0; k < 12; ++k) EXPECT_NEAR(arcDiff(e.c[k], e.c[0] + 30 * k), 0.0, 1e-9);
}

TEST(Houses, SouthernChartIsTheNorthernFormulaTurned) {
  for (int sys : {1, 2, 3, 4, 7, 8, 9, 10}) {
    for (double st : {1.0, 7.5, 13.0, 22.2}) {
      const Cusps s = houses(-33.9, st, sys);
      const Cusps n = houses(33.9, st + 12, sys);
      for (int k = 0; k < 12; ++k) EXPECT_NEAR(arcDiff(s.c[k], n.c[k] + 180), 0.0, 1e-9) << sys << " " << k;
    }
  }
}

TEST(Houses, BiHoraryIsPlacidusNorthAndTurnsTheSiderealTimeSouth) {
  for (double st : {2.0, 8.5, 19.0}) {
    const Cusps bn = houses(45, st, house_system::kBiHorary), pn = houses(45, st, house_system::kPlacidus);
    const Cusps bs = houses(-45, st, house_system::kBiHorary),
                ps = houses(-45, st + 12, house_system::kPlacidus);
    for (int k = 0; k < 12; ++k) {
      EXPECT_DOUBLE_EQ(bn.c[k], pn.c[k]);
      EXPECT_NEAR(arcDiff(bs.c[k], ps.c[k]), 0.0, 1e-9);
    }
  }
}

TEST(Houses, NoHousesAndUnknownCodesArePlacidus) {
  const Cusps p = houses(48.2, 10.3, house_system::kPlacidus);
  for (int code : {0, -1, 12, 99, 32767}) {
    const Cusps h = houses(48.2, 10.3, code);
    EXPECT_EQ(h.status, HouseStatus::Computed) << code;
    for (int k = 0; k < 12; ++k) EXPECT_DOUBLE_EQ(h.c[k], p.c[k]) << code;
  }
  EXPECT_EQ(effectiveHouseSystem(0), 0);
  EXPECT_EQ(effectiveHouseSystem(11), 11);
  EXPECT_EQ(effectiveHouseSystem(12), 1);
  EXPECT_EQ(effectiveHouseSystem(-3), 1);
}

TEST(Houses, PolarLatitudesFallBackToPorphyryWhereASystemCannotBeComputed) {
  for (double lat : {66.6, 70.0, 78.2, 89.9, 90.0, -69.7, -90.0}) {
    for (double st : {0.0, 6.0, 12.5, 18.0}) {
      for (int sys : {0, 1, 4, 6}) {
        // Bi-horary south of the equator runs with the sidereal time turned by 12 hours.
        const Cusps por = houses(lat, sys == 6 && lat < 0 ? st + 12 : st, house_system::kPorphyre);
        const Cusps h = houses(lat, st, sys);
        EXPECT_EQ(h.status, HouseStatus::PorphyryFallback) << sys << " lat " << lat;
        for (int k = 0; k < 12; ++k) EXPECT_NEAR(arcDiff(h.c[k], por.c[k]), 0.0, 1e-9);
      }
      // Systems built on great circles or right ascension stay computable.
      for (int sys : {2, 3, 5, 7, 8, 9}) EXPECT_EQ(houses(lat, st, sys).status, HouseStatus::Computed) << sys;
    }
  }
  // Just inside the polar circle Placidus and Koch are still computed.
  EXPECT_EQ(houses(66.5, 3, house_system::kPlacidus).status, HouseStatus::Computed);
  EXPECT_EQ(houses(-66.5, 3, house_system::kKoch).status, HouseStatus::Computed);
}

TEST(Houses, LatitudeSweepGivesFiniteNormalisedCusps) {
  int fallbacks = 0;
  for (int i = -180; i <= 180; ++i) {
    const double lat = i * 0.5;
    for (int hour = 0; hour < 24; ++hour) {
      for (int sys = -1; sys <= house_system::kCount; ++sys) {
        const Cusps h = houses(lat, hour, sys, 15.0 * hour);
        if (h.status == HouseStatus::PorphyryFallback) ++fallbacks;
        for (double c : h.c) {
          ASSERT_TRUE(std::isfinite(c)) << "system " << sys << " lat " << lat << " hour " << hour;
          ASSERT_GE(c, 0.0);
          ASSERT_LT(c, 360.0);
        }
      }
    }
  }
  EXPECT_GT(fallbacks, 0);
  // Inputs that are not numbers still give numbers.
  double c[12];
  Houses(NAN, INFINITY, NAN, 1, c);
  for (double x : c) EXPECT_TRUE(std::isfinite(x));
  EXPECT_TRUE(std::isfinite(Vertex(NAN, 95, INFINITY)));
}

TEST(Houses, AlbatageniusTrisectsTheSunsSemiArc) {
  // With the Sun on the equator its semi-arcs are 6 hours: the cusps are 30 degrees of right ascension
  // apart from the meridian, as at the equator.
  for (double lat : {-40.0, 20.0, 52.0}) {
    for (double st : {1.0, 9.0, 16.0}) {
      for (double sun : {0.0, 180.0}) {
        const Cusps a = houses(lat, st, house_system::kAlbatagenius, sun);
        ASSERT_EQ(a.status, HouseStatus::Computed);
        for (int k = 0; k < 12; ++k)
          EXPECT_NEAR(arcDiff(raOf(a.c[(k + 9) % 12]), st * 15 + 30 * k), 0.0, 1e-7) << lat << " " << k;
      }
    }
  }
  // In general cusps 10 to 1 divide the Sun's semi-arc into equal thirds of right ascension, and
  // cusps 1 to 4 its complement.
  for (double sun : {45.0, 100.0, 250.0, 300.0}) {
    const Cusps a = houses(48, 5.5, house_system::kAlbatagenius, sun);
    ASSERT_EQ(a.status, HouseStatus::Computed);
    const double d1 = norm360(raOf(a.c[10]) - raOf(a.c[9]));
    EXPECT_NEAR(norm360(raOf(a.c[11]) - raOf(a.c[10])), d1, 1e-7);
    EXPECT_NEAR(norm360(raOf(a.c[0]) - raOf(a.c[11])), d1, 1e-7);
    const double d2 = norm360(raOf(a.c[1]) - raOf(a.c[0]));
    EXPECT_NEAR(norm360(raOf(a.c[2]) - raOf(a.c[1])), d2, 1e-7);
    EXPECT_NEAR(norm360(raOf(a.c[3]) - raOf(a.c[2])), d2, 1e-7);
    // The lower houses take the complement of the Sun's semi-arc: together they make 180 degrees.
    EXPECT_NEAR(3 * d1 + 3 * d2, 180.0, 1e-7) << sun;
    EXPECT_GT(d1, 10);
    EXPECT_LT(d1, 60);
  }
  // A circumpolar Sun, or none at all, leaves Porphyry.
  EXPECT_EQ(houses(75, 3, house_system::kAlbatagenius, 90).status, HouseStatus::PorphyryFallback);
  EXPECT_EQ(houses(45, 3, house_system::kAlbatagenius).status, HouseStatus::PorphyryFallback);
}

// Twelve cusps that follow one another in the order of the signs go round the circle exactly once.
bool inZodiacalOrder(const Cusps& h) {
  double total = 0;
  for (int k = 0; k < 12; ++k) {
    const double step = norm360(h.c[(k + 1) % 12] - h.c[k]);
    if (step <= 0 || step >= 180) return false;
    total += step;
  }
  return std::fabs(total - 360.0) < 1e-6;
}

TEST(Houses, AlbatageniusCuspsRunInOrderAtEveryLatitudeAndSiderealTime) {
  int computed = 0;
  for (int lat = -66; lat <= 66; lat += 3) {
    for (double st = 0; st < 24; st += 0.25) {
      for (double sun = 0; sun < 360; sun += 15) {
        const Cusps a = houses(lat, st, house_system::kAlbatagenius, sun);
        if (a.status != HouseStatus::Computed) continue;
        ++computed;
        ASSERT_TRUE(inZodiacalOrder(a)) << "lat " << lat << " st " << st << " sun " << sun;
      }
    }
  }
  EXPECT_EQ(computed, 45 * 96 * 24);
}

TEST(Houses, PolarAscendantRisesInTheEastAndPorphyryKeepsTheOrder) {
  // The eastern intersection lies in the half of the ecliptic after the Midheaven; inside the polar
  // circles the formula alone gave the western one half of the time.
  for (double lat : {-89.9, -80.0, -67.0, 67.0, 70.0, 75.0, 85.0, 89.9}) {
    for (double st = 0; st < 24; st += 0.5) {
      for (int sys : {1, 7, 8}) {
        const Cusps h = houses(lat, st, sys);
        EXPECT_LT(norm360(h.c[0] - h.c[9]), 180.0) << lat << " " << st;
        if (sys != 8) {
          EXPECT_TRUE(inZodiacalOrder(h)) << sys << " lat " << lat << " st " << st;
        }
      }
    }
  }
}

TEST(Vertex, IsTheWesternIntersectionOfPrimeVerticalAndEcliptic) {
  for (int i = -178; i <= 178; i += 7) {
    const double lat = i * 0.5;
    for (double st = 0.1; st < 24; st += 1.3) {
      const double v = Vertex(kEps, lat, st);
      ASSERT_TRUE(std::isfinite(v));
      // Equatorial vector of the Vertex.
      const double l = v * kRad, e = kEps * kRad;
      const double x = std::cos(l), y = std::sin(l) * std::cos(e), z = std::sin(l) * std::sin(e);
      const double ramc = st * 15 * kRad, phi = lat * kRad;
      // On the prime vertical: at right angles to the horizon's north point.
      const double north =
          -std::sin(phi) * std::cos(ramc) * x - std::sin(phi) * std::sin(ramc) * y + std::cos(phi) * z;
      EXPECT_NEAR(north, 0.0, 1e-9) << lat << " " << st;
      // West of the meridian: hour angle between 0 and 180 degrees.
      const double west = std::sin(ramc) * x - std::cos(ramc) * y;
      EXPECT_GT(west, 0.0) << lat << " " << st;
    }
  }
}

TEST(Vertex, AgreesWithTheAscendantOfTheColatitudeInTheNorth) {
  // North of the tropics the Vertex is the Ascendant of the co-latitude on the opposite meridian.
  for (double lat : {30.0, 45.0, 60.0, 80.0}) {
    for (double st : {0.5, 6.5, 12.5, 18.5}) {
      double c[12];
      // Porphyry's cusp 1 is the Ascendant of the latitude and sidereal time given.
      Houses(kEps, 90 - lat, st + 12, house_system::kPorphyre, c);
      EXPECT_NEAR(arcDiff(Vertex(kEps, lat, st), c[0]), 0.0, 1e-8) << lat << " " << st;
    }
  }
}

TEST(EastPoint, IsTheAscendantAtTheEquator) {
  for (double st : {0.0, 4.4, 12.0, 23.9}) {
    EXPECT_NEAR(arcDiff(EastPoint(kEps, st), houses(0, st, house_system::kPorphyre).c[0]), 0.0, 1e-9);
    EXPECT_NEAR(arcDiff(raOf(EastPoint(kEps, st)), st * 15 + 90), 0.0, 1e-8);
  }
}

TEST(SiderealTimeFromMC, InvertsTheMidheaven) {
  EXPECT_NEAR(GetSiderealTimeFromMC(0, kEps), 0.0, 1e-12);
  EXPECT_NEAR(GetSiderealTimeFromMC(90, kEps), 6.0, 1e-12);
  EXPECT_NEAR(GetSiderealTimeFromMC(180, kEps), 12.0, 1e-12);
  for (double st = 0.05; st < 24; st += 0.7) {
    const double mc = houses(51.5, st, house_system::kPlacidus).c[9];
    EXPECT_NEAR(GetSiderealTimeFromMC(mc, kEps), st, 1e-9);
  }
  const double tiny = GetSiderealTimeFromMC(-1e-15, kEps);
  EXPECT_GE(tiny, 0.0);
  EXPECT_LT(tiny, 24.0);
}

TEST(HouseOfLongitude, CuspOpensItsHouseAndTheCircleWraps) {
  double c[12];
  for (int k = 0; k < 12; ++k) c[k] = norm360(20 + 30 * k);  // cusp 1 at 20, cusp 12 at 350
  EXPECT_EQ(houseOfLongitude(5, c), 12);
  EXPECT_EQ(houseOfLongitude(20.0, c), 1);
  EXPECT_EQ(houseOfLongitude(19.9999, c), 12);
  EXPECT_EQ(houseOfLongitude(349.99, c), 11);
  EXPECT_EQ(houseOfLongitude(350, c), 12);
  EXPECT_EQ(houseOfLongitude(360.0, c), 12);
  EXPECT_EQ(houseOfLongitude(-10, c), 12);
  EXPECT_EQ(houseOfLongitude(kNoPosition, c), 0);
  EXPECT_EQ(houseOfLongitude(NAN, c), 0);
  // Houses wider than 160 degrees, as at high latitudes, are found too.
  const double wide[12] = {100, 110, 120, 130, 140, 150, 280, 290, 300, 310, 320, 330};
  EXPECT_EQ(houseOfLongitude(200, wide), 6);
  EXPECT_EQ(houseOfLongitude(50, wide), 12);
  EXPECT_EQ(houseOfLongitude(335, wide), 12);
  // Every longitude of a real chart lies in exactly one house. (Albatagenius is left out: it trisects
  // the same semi-arc above and below the horizon, so its cusps 1 and 2 cross when that arc exceeds
  // 108 degrees, and the first house that holds a longitude is taken.)
  for (int sys = 0; sys < house_system::kAlbatagenius; ++sys) {
    const Cusps h = houses(62, 7.3, sys, 40);
    for (double lon = 0; lon < 360; lon += 0.37) {
      int hits = 0;
      for (int i = 0; i < 12; ++i) {
        const double span = norm360(h.c[(i + 1) % 12] - h.c[i]);
        if (norm360(lon - h.c[i]) < span) ++hits;
      }
      EXPECT_EQ(hits, 1) << sys << " " << lon;
      EXPECT_NE(houseOfLongitude(lon, h.c), 0);
    }
  }
}

struct ChartFixture {
  CIni settings = defaultSettings("/tmp");
  Chart1 birth;
  Chart2 chart;
  ChartFixture() {
    birth.timeKnown = 1;
    birth.latitude = 48.85;
    birth.longitude = 2.35 / 15;
    chart.obliquity = kEps;
    chart.siderealTime = 7.25;
    chart.houseSystem = house_system::kPlacidus;
    Houses(chart.obliquity, birth.latitude, chart.siderealTime, chart.houseSystem, chart.cusps);
    for (int i = 0; i < kObjectCount; ++i) chart.objects[i] = norm360(17.0 + 21.5 * i);
    chart.objects[kAscendant] = chart.cusps[0];
    chart.objects[kMidheaven] = chart.cusps[9];
    settings.houseSystem = house_system::kPlacidus;
  }
};

TEST(ObjectIsInHouse, UsesTheChartsCuspsOrComputesTheSettingsSystem) {
  ChartFixture f;
  for (int i = 0; i < 14; ++i) {
    EXPECT_EQ(IsInHouse(i, f.settings, f.birth, f.chart),
              houseOfLongitude(f.chart.objects[i], f.chart.cusps));
  }
  EXPECT_EQ(IsInHouse(kAscendant, f.settings, f.birth, f.chart), 0);
  EXPECT_EQ(IsInHouse(kMidheaven, f.settings, f.birth, f.chart), 0);
  EXPECT_EQ(IsInHouse(17, f.settings, f.birth, f.chart), 0);
  EXPECT_EQ(IsInHouse(-1, f.settings, f.birth, f.chart), 0);
  // The stored cusps are taken as they are when the systems match.
  Chart2 odd = f.chart;
  for (int k = 0; k < 12; ++k) odd.cusps[k] = 30.0 * k;
  EXPECT_EQ(ObjectIsInHouse(45, 0, f.settings, f.birth, odd), 2);
  // Another system in the settings: its cusps are computed.
  double equal[12];
  Houses(kEps, f.birth.latitude, f.chart.siderealTime, house_system::kEqual, equal);
  for (int i = 0; i < 14; ++i) {
    EXPECT_EQ(IsInHouseUsingThatHouseSystem(i, house_system::kEqual, f.settings, f.birth, f.chart),
              houseOfLongitude(f.chart.objects[i], equal));
  }
  // Albatagenius takes the chart's Sun.
  double alb[12];
  Houses(kEps, f.birth.latitude, f.chart.siderealTime, house_system::kAlbatagenius, alb,
         f.chart.objects[kSun]);
  for (int i = 0; i < 14; ++i) {
    EXPECT_EQ(IsInHouseUsingThatHouseSystem(i, house_system::kAlbatagenius, f.settings, f.birth, f.chart),
              houseOfLongitude(f.chart.objects[i], alb));
  }
}

TEST(ObjectIsInHouse, NoHousesWithoutTimeOrPlaceUnlessForced) {
  ChartFixture f;
  f.chart.objects[kChiron] = kNoPosition;
  EXPECT_EQ(IsInHouse(kChiron, f.settings, f.birth, f.chart), 0);
  EXPECT_EQ(ObjectIsInHouse(kNoPosition, 1, f.settings, f.birth, f.chart), 0);
  f.birth.timeKnown = 0;
  for (int i = 0; i < kObjectCount; ++i) EXPECT_EQ(IsInHouse(i, f.settings, f.birth, f.chart), 0);
  EXPECT_NE(ObjectIsInHouse(100, 1, f.settings, f.birth, f.chart), 0);
  f.birth.timeKnown = 1;
  f.birth.latitude = 0;
  f.birth.longitude = -0.0;
  EXPECT_EQ(ObjectIsInHouse(100, 0, f.settings, f.birth, f.chart), 0);
  EXPECT_NE(ObjectIsInHouse(100, 1, f.settings, f.birth, f.chart), 0);
}

TEST(EclipticToEquatorial, KnownPoints) {
  double ra = 0, decl = 0;
  eclipticToEquatorial(0, 0, kEps, ra, decl);
  EXPECT_NEAR(ra, 0, 1e-12);
  EXPECT_NEAR(decl, 0, 1e-12);
  eclipticToEquatorial(90, 0, kEps, ra, decl);
  EXPECT_NEAR(ra, 90, 1e-9);
  EXPECT_NEAR(decl, kEps, 1e-9);
  eclipticToEquatorial(270, 0, kEps, ra, decl);
  EXPECT_NEAR(ra, 270, 1e-9);
  EXPECT_NEAR(decl, -kEps, 1e-9);
  // Meeus, Astronomical Algorithms, example 13.a: Pollux.
  eclipticToEquatorial(113.215630, 6.684170, 23.4392911, ra, decl);
  EXPECT_NEAR(ra, 116.328942, 1e-5);
  EXPECT_NEAR(decl, 28.026183, 1e-5);
}

}  // namespace
}  // namespace talpora
