// zykcalc tests: the chart calculation writes every field of the computed chart consistently.
#include "engine/chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "core/angles.h"
#include "core/calendar.h"
#include "engine/events.h"

namespace talpora {
namespace {

namespace fs = std::filesystem;

const ChironTable& shippedChiron() {
  static const ChironTable table = readChironTable(fs::path(TALPORA_SOURCE_DIR) / "data" / kChironFileName);
  return table;
}

Chart1 record(int y, int mo, int d, int h, int mi, double zone, double lonDeg, double latDeg,
              bool known = true) {
  Chart1 c;
  c.year = static_cast<short>(y);
  c.month = static_cast<short>(mo);
  c.day = static_cast<short>(d);
  c.hour = static_cast<short>(h);
  c.minute = static_cast<short>(mi);
  c.timeZone = zone;
  c.longitude = lonDeg / 15;
  c.latitude = latDeg;
  c.timeKnown = known ? 1 : 0;
  return c;
}

CIni settings(int houseSystem = 1) {
  CIni s = defaultSettings(TALPORA_SOURCE_DIR "/data");
  s.houseSystem = static_cast<std::int16_t>(houseSystem);
  return s;
}

Chart2 compute(const Chart1& c, int houseSystem = 1, ChartStatus* status = nullptr) {
  Chart2 out;
  std::memset(static_cast<void*>(&out), 0x5A, sizeof out);  // every byte must be written
  const ChartStatus s = calculall(settings(houseSystem), c, out, shippedChiron());
  if (status) *status = s;
  return out;
}

TEST(Calculall, WritesEveryFieldConsistently) {
  ASSERT_FALSE(shippedChiron().empty());
  const Chart1 c = record(1987, 6, 14, 15, 42, 2, 13.4, 52.5);
  ChartStatus status;
  const Chart2 x = compute(c, 1, &status);
  const double jd = julian_day(14, 6, 1987, (15 + 42 / 60.0) / 24) - 2 / 24.0;
  EXPECT_DOUBLE_EQ(x.julianDay, jd);
  EXPECT_DOUBLE_EQ(x.siderealTime, sideral_time(jd, c.longitude));
  EXPECT_DOUBLE_EQ(x.obliquity, Epsilon(jd));
  EXPECT_EQ(x.houseSystem, 1);
  EXPECT_EQ(status.houses, HouseStatus::Computed);
  EXPECT_TRUE(status.chironAvailable);
  double cusps[12];
  Houses(x.obliquity, c.latitude, x.siderealTime, 1, cusps, x.objects[kSun]);
  for (int k = 0; k < 12; ++k) EXPECT_DOUBLE_EQ(x.cusps[k], cusps[k]);
  EXPECT_DOUBLE_EQ(x.objects[kAscendant], x.cusps[0]);
  EXPECT_DOUBLE_EQ(x.objects[kMidheaven], x.cusps[9]);
  EXPECT_NEAR(x.objects[kPartOfFortune], norm360(x.objects[kMoon] - x.objects[kSun] + x.cusps[0]), 1e-12);
  // The positions are the theories' at JDE = JD + Delta T (nodes and Chiron at the UT JD).
  const Positions p = computePositions(jd, shippedChiron());
  for (int k = 0; k < 14; ++k) EXPECT_NEAR(x.objects[k], p.lon[k], 1e-9) << k;
  for (int k = 0; k < 10; ++k) EXPECT_NEAR(x.objectLat[k], p.lat[k], 1e-9) << k;
  EXPECT_NEAR(x.trueAyanamsa, p.trueAyanamsa, 1e-12);
  EXPECT_NEAR(x.syneticVernalPoint, p.syneticVernalPoint, 1e-12);
  for (int k = 10; k < 17; ++k) EXPECT_EQ(x.objectLat[k], 0.0) << k;
  EXPECT_EQ(x.objectLat[kSun], 0.0);
  EXPECT_NEAR(x.extra[0], norm360(x.objects[kSun] + 180), 1e-12);
  EXPECT_NEAR(x.extra[1], norm360(x.objects[kSun] + 180), 1e-12);
  for (int k = 2; k < 10; ++k) EXPECT_NEAR(x.extra[k], p.helioLon[k], 1e-9) << k;
  EXPECT_EQ(x.extra[10], 0.0);
  EXPECT_EQ(x.extra[11], 0.0);
  EXPECT_NEAR(x.objects[kSouthNode], norm360(x.objects[kNorthNode] + 180), 1e-12);
  for (int k = 0; k < kObjectCount; ++k) {
    EXPECT_GE(x.objects[k], 0.0) << k;
    EXPECT_LT(x.objects[k], 360.0) << k;
    EXPECT_TRUE(x.motion[k] == 'D' || x.motion[k] == 'R') << k;
  }
  for (int k : {kSun, kMoon, kAscendant, kMidheaven, kPartOfFortune}) EXPECT_EQ(x.motion[k], 'D') << k;
  // A Sunday afternoon in Berlin: a planetary hour was computed.
  EXPECT_GE(x.planetaryHour, 0);
  EXPECT_LE(x.planetaryHour, 6);
  // Padding and spare fields are zero.
  for (auto b : x.pad42) EXPECT_EQ(b, 0);
  for (auto b : x.pad297) EXPECT_EQ(b, 0);
  for (auto s : x.spare) EXPECT_EQ(s, 0);
  // The same through the form that reads the Chiron table itself.
  Chart2 y;
  calculall(settings(1), c, y, 0, 0, 0);
  EXPECT_EQ(std::memcmp(&x, &y, sizeof x), 0);
}

TEST(Calculall, MidnightWithZonePlusOneIsTheDayBeforeInUniversalTime) {
  const Chart2 x = compute(record(2001, 3, 1, 0, 0, 1, 10, 50));
  short d, m, y, h, mi;
  jd_to_date(x.julianDay, &d, &m, &y, &h, &mi);
  EXPECT_EQ(y, 2001);
  EXPECT_EQ(m, 2);
  EXPECT_EQ(d, 28);
  EXPECT_EQ(h, 23);
  EXPECT_EQ(mi, 0);
}

TEST(Calculall, PlanetaryHourNeedsTimeAndPlace) {
  EXPECT_EQ(compute(record(1999, 8, 11, 12, 0, 0, 0, 0)).planetaryHour, kNoPlanetaryHour);
  EXPECT_EQ(compute(record(1999, 8, 11, 12, 0, 0, -0.0, -0.0)).planetaryHour, kNoPlanetaryHour);
  EXPECT_EQ(compute(record(1999, 8, 11, 12, 0, 0, 8, 47, false)).planetaryHour, kNoPlanetaryHour);
  EXPECT_NE(compute(record(1999, 8, 11, 12, 0, 0, 0, 51.5)).planetaryHour, kNoPlanetaryHour);
}

TEST(Calculall, PlanetaryHourAgreesWithThePlanetaryHoursOfTheFullTheory) {
  // The chart takes the Sun for its sunrise searches from a straight line through its two samples;
  // the hours must be those of the full theory except within seconds of an hour's boundary.
  int compared = 0;
  for (int i = 0; i < 300; ++i) {
    const int year = 1900 + (i * 37) % 200, month = 1 + (i * 5) % 12, day = 1 + (i * 11) % 28;
    const int hour = (i * 7) % 24, minute = (i * 13) % 60;
    const double lat = -60 + (i * 17) % 121, lon = -180 + (i * 29) % 360, zone = std::round(lon / 15);
    const Chart1 c = record(year, month, day, hour, minute, zone, lon, lat);
    double start, end;
    int next;
    const int full = PlHours(nullptr, c, start, end, next, 0);
    const double now = julian_dayh(day, month, year, hour, minute) - zone / 24;
    if (full != kNoPlanetaryHour &&
        (std::fabs(now - start) < 30 / 86400.0 || std::fabs(now - end) < 30 / 86400.0))
      continue;
    EXPECT_EQ(compute(c).planetaryHour, full)
        << year << "-" << month << "-" << day << " " << hour << ":" << minute << " lat " << lat;
    ++compared;
  }
  EXPECT_GT(compared, 280);
}

TEST(Calculall, PolarDayAndNightLeaveThePlanetaryHourUncomputed) {
  ChartStatus status;
  const Chart2 summer = compute(record(2021, 6, 21, 12, 0, 1, 15.6, 78.2), 1, &status);  // Longyearbyen
  EXPECT_EQ(summer.planetaryHour, kNoPlanetaryHour);
  EXPECT_EQ(status.sunriseSearch, RiseSetStatus::NoSet);
  EXPECT_EQ(status.houses, HouseStatus::PorphyryFallback);
  const Chart2 winter = compute(record(2021, 12, 21, 12, 0, 1, 15.6, 78.2), 1, &status);
  EXPECT_EQ(winter.planetaryHour, kNoPlanetaryHour);
  EXPECT_EQ(status.sunriseSearch, RiseSetStatus::NoRise);
  for (double cusp : winter.cusps) EXPECT_TRUE(std::isfinite(cusp));
}

TEST(Calculall, HouseSystemCodes) {
  ChartStatus status;
  const Chart1 c = record(2010, 1, 1, 12, 0, 0, 0, 70);
  const Chart2 koch = compute(c, 4, &status);
  EXPECT_EQ(koch.houseSystem, 4);
  EXPECT_TRUE(status.housesFellBack());
  const Chart2 odd = compute(c, 99, &status);
  EXPECT_EQ(odd.houseSystem, 1);
  EXPECT_EQ(status.houseSystemRequested, 99);
  const Chart2 none = compute(record(2010, 1, 1, 12, 0, 0, 0, 40), 0, &status);
  EXPECT_EQ(none.houseSystem, 0);
  EXPECT_FALSE(status.housesFellBack());
  const Chart2 placidus = compute(record(2010, 1, 1, 12, 0, 0, 0, 40), 1);
  for (int k = 0; k < 12; ++k) EXPECT_DOUBLE_EQ(none.cusps[k], placidus.cusps[k]);
}

TEST(Calculall, ChironOutsideItsTableIsTheMarker) {
  ChartStatus status;
  const Chart2 x = compute(record(1850, 5, 5, 12, 0, 0, 0, 45), 1, &status);
  EXPECT_EQ(x.objects[kChiron], kNoPosition);
  EXPECT_EQ(x.motion[kChiron], 'D');
  EXPECT_FALSE(status.chironAvailable);
  const Chart2 noTable = [] {
    Chart2 out;
    calculall(settings(), record(2000, 1, 1, 12, 0, 0, 0, 45), out, ChironTable());
    return out;
  }();
  EXPECT_EQ(noTable.objects[kChiron], kNoPosition);
}

// Mercury's retrograde of April 2024 (stationary on April 1 and 25).
TEST(Calculall, MotionFlagsFollowTheApparentMotion) {
  EXPECT_EQ(compute(record(2024, 4, 12, 12, 0, 0, 0, 0)).motion[kMercury], 'R');
  EXPECT_EQ(compute(record(2024, 5, 12, 12, 0, 0, 0, 0)).motion[kMercury], 'D');
  // Jupiter retrograde from 4 September to 31 December 2023.
  EXPECT_EQ(compute(record(2023, 10, 15, 0, 0, 0, 0, 0)).motion[kJupiter], 'R');
  EXPECT_EQ(compute(record(2023, 7, 15, 0, 0, 0, 0, 0)).motion[kJupiter], 'D');
  // The mean motion of the nodes is backwards.
  int backwards = 0;
  for (int m = 1; m <= 12; ++m)
    backwards += compute(record(2015, m, 10, 0, 0, 0, 0, 0)).motion[kNorthNode] == 'R';
  EXPECT_GE(backwards, 8);
}

TEST(Calculall, CrossingZeroAriesBackwardsIsRetrograde) {
  // Neptune went back from Aries into Pisces in October 2025 and entered Aries in March 2025, at
  // about 0.02 degree a day: find a chart whose 0.1-day motion sample lies across 0 degrees.
  auto at = [](double jd) {
    short d, mo, y, h, mi;
    jd_to_date(jd, &d, &mo, &y, &h, &mi);
    return compute(record(y, mo, d, h, mi, 0, 0, 0));
  };
  auto search = [&](double jd0, bool backwards) -> std::pair<Chart2, bool> {
    for (double jd = jd0 - 8; jd < jd0 + 8; jd += 1.0 / 96) {
      const Chart2 a = at(jd);
      const double lon = a.objects[kNeptune];
      if (backwards ? lon > 0.01 : lon < 359.99) continue;
      const double next = at(jd + 0.1).objects[kNeptune];
      if (backwards ? next > 359.99 : next < 0.01) return {a, true};
    }
    return {Chart2{}, false};
  };
  const auto [back, foundBack] = search(julian_day(22, 10, 2025, 0), true);
  ASSERT_TRUE(foundBack) << "no backward crossing found";
  EXPECT_EQ(back.motion[kNeptune], 'R');
  const auto [fwd, foundFwd] = search(julian_day(30, 3, 2025, 0), false);
  ASSERT_TRUE(foundFwd) << "no forward crossing found";
  EXPECT_EQ(fwd.motion[kNeptune], 'D');
}

TEST(Calculall, NoNumberIsLeftUndefinedAtAnyLatitude) {
  for (int lat = -90; lat <= 90; lat += 5) {
    for (int sys = 0; sys < 12; ++sys) {
      const Chart2 x =
          compute(record(1990 + lat / 10, 1 + (lat + 90) % 12, 15, (lat + 90) % 24, 0, 0, 25, lat), sys);
      for (double v : x.cusps) ASSERT_TRUE(std::isfinite(v));
      for (double v : x.objects) ASSERT_TRUE(std::isfinite(v));
      for (double v : x.objects) ASSERT_TRUE((v >= 0 && v < 360) || v == kNoPosition);
      ASSERT_TRUE(x.planetaryHour == kNoPlanetaryHour || (x.planetaryHour >= 0 && x.planetaryHour <= 6));
    }
  }
  // Far from today the synetic vernal point still leaves as a longitude in [0, 360) (year 1: 363
  // degrees before it was normalised).
  for (int year : {1, 500, 1000, 2000, 3000}) {
    const Chart2 x = compute(record(year, 3, 1, 12, 0, 0, 0, 45));
    EXPECT_GE(x.syneticVernalPoint, 0.0) << year;
    EXPECT_LT(x.syneticVernalPoint, 360.0) << year;
  }
}

}  // namespace
}  // namespace talpora
