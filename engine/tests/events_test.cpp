// zyktime tests: sunrise and sunset, planetary hours, soli-lunar phases, ingresses, eclipse test.
#include "engine/events.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/calendar.h"
#include "engine/positions.h"

namespace talpora {
namespace {

Chart1 record(int y, int mo, int d, int h, int mi, double zone, double lonDeg, double latDeg) {
  Chart1 c;
  c.year = static_cast<short>(y);
  c.month = static_cast<short>(mo);
  c.day = static_cast<short>(d);
  c.hour = static_cast<short>(h);
  c.minute = static_cast<short>(mi);
  c.timeZone = zone;
  c.longitude = lonDeg / 15;
  c.latitude = latDeg;
  c.timeKnown = 1;
  return c;
}
double hoursOfDay(double localJd) {
  return (localJd + 0.5 - std::floor(localJd + 0.5)) * 24;
}
double sunAt(double jd) {
  double sun, moon, lat, dist, ay, bm;
  asforce1(jd, sun, moon, lat, dist, ay, bm);
  return sun;
}
double elongation(double jd) {
  double sun, moon, lat, dist, ay, bm;
  asforce1(jd, sun, moon, lat, dist, ay, bm);
  const double e = std::fmod(moon - sun, 360.0);
  return e < 0 ? e + 360 : e;
}

TEST(SunRisSet, OrderedEventsOnTheRecordsDate) {
  // Paris, 21 June 2022 (summer time): the Sun rises about 05:47 and sets about 21:58.
  const Chart1 c = record(2022, 6, 21, 12, 0, 2, 2.35, 48.85);
  double rise, set, prevSet, nextRise;
  ASSERT_EQ(SunRisSet(c, 1, 0, 0, rise, set, prevSet, nextRise), RiseSetStatus::Found);
  EXPECT_NEAR(hoursOfDay(rise), 5 + 47 / 60.0, 3 / 60.0);
  EXPECT_NEAR(hoursOfDay(set), 21 + 58 / 60.0, 3 / 60.0);
  EXPECT_LT(prevSet, rise);
  EXPECT_LT(rise, set);
  EXPECT_LT(set, nextRise);
  EXPECT_NEAR(nextRise - rise, 1.0, 0.01);
  EXPECT_NEAR(set - prevSet, 1.0, 0.01);
  ASSERT_EQ(SunRisSet(c, 0, 0, 0, rise, set, prevSet, nextRise), RiseSetStatus::Found);
  EXPECT_EQ(prevSet, 0.0);
  EXPECT_EQ(nextRise, 0.0);
}

TEST(SunRisSet, LateWinterSunriseFarWestInTheZoneStaysOnItsDay) {
  // Reykjavik, 21 December: the Sun rises at about 11:22 clock time, more than five hours after the
  // 06:00 start of the search, and sets about 15:30.
  const Chart1 c = record(2023, 12, 21, 12, 0, 0, -21.9, 64.15);
  double rise, set, prevSet, nextRise;
  ASSERT_EQ(SunRisSet(c, 1, 0, 0, rise, set, prevSet, nextRise), RiseSetStatus::Found);
  EXPECT_NEAR(hoursOfDay(rise), 11 + 22 / 60.0, 4 / 60.0);
  EXPECT_NEAR(hoursOfDay(set), 15 + 30 / 60.0, 4 / 60.0);
  EXPECT_EQ(std::floor(rise + 0.5), std::floor(julian_day(21, 12, 2023, 0.5) + 0.5));
}

TEST(SunRisSet, PolarDayAndNightAreReportedWithoutAnswer) {
  double rise, set, prevSet, nextRise;
  EXPECT_EQ(SunRisSet(record(2020, 6, 21, 12, 0, 1, 15.6, 78.2), 1, 0, 0, rise, set, prevSet, nextRise),
            RiseSetStatus::NoSet);
  EXPECT_EQ(rise, 0.0);
  EXPECT_EQ(SunRisSet(record(2020, 12, 21, 12, 0, 1, 15.6, 78.2), 1, 0, 0, rise, set, prevSet, nextRise),
            RiseSetStatus::NoRise);
  EXPECT_EQ(SunRisSet(record(2020, 12, 21, 12, 0, 0, 0, -90), 0, 0, 0, rise, set, prevSet, nextRise),
            RiseSetStatus::NoSet);
  EXPECT_EQ(SunRisSet(record(2020, 12, 21, 12, 0, 0, 0, 90), 0, 0, 0, rise, set, prevSet, nextRise),
            RiseSetStatus::NoRise);
  double start = 1, end = 1;
  int next = 0;
  EXPECT_EQ(PlHours(nullptr, record(2020, 6, 21, 12, 0, 1, 15.6, 78.2), start, end, next, 0),
            kNoPlanetaryHour);
  EXPECT_EQ(start, 0.0);
  EXPECT_EQ(end, 0.0);
  EXPECT_EQ(next, kNoPlanetaryHour);
}

TEST(LSTToJulDay, FindsTheSiderealTimeNearTheGuess) {
  const double lon = 8.5 / 15;
  for (double guess : {2451545.0, 2460000.3, 2415020.9}) {
    for (double lst : {0.0, 5.5, 13.25, 23.9}) {
      const double jd = LST_to_JulDay(lst, guess, lon);
      double diff = sideral_time(jd, lon) - lst;
      diff -= 24 * std::round(diff / 24);
      EXPECT_LT(std::fabs(diff), 0.0017);
      EXPECT_LT(std::fabs(jd - guess), 19.5 / 24);  // steps over 19 hours go the short way round
    }
  }
}

// The day hour containing `minutesAfterRise` minutes after sunrise on the record's date.
int rulerAfterSunrise(int y, int mo, int d, double minutesAfterRise, double* lengthOut = nullptr) {
  Chart1 c = record(y, mo, d, 12, 0, 0, 0, 51.48);
  double rise, set, p, n;
  SunRisSet(c, 0, 0, 0, rise, set, p, n);
  if (lengthOut) *lengthOut = (set - rise) / 12 * 1440;
  short dd, mm, yy, h, mi;
  jd_to_date(rise + minutesAfterRise / 1440.0, &dd, &mm, &yy, &h, &mi);
  c.hour = h;
  c.minute = mi;
  double start, end;
  int next;
  return PlHours(nullptr, c, start, end, next, 0);
}

TEST(PlHours, TheDaysRulerRulesItsFirstHour) {
  // 5 May 2024 was a Sunday, 6 May a Monday, 11 May a Saturday.
  double length = 0;
  EXPECT_EQ(rulerAfterSunrise(2024, 5, 5, 2, &length), kSun);
  EXPECT_EQ(rulerAfterSunrise(2024, 5, 5, length + 2), kVenus);
  EXPECT_EQ(rulerAfterSunrise(2024, 5, 5, 2 * length + 2), kMercury);
  EXPECT_EQ(rulerAfterSunrise(2024, 5, 6, 2), kMoon);
  EXPECT_EQ(rulerAfterSunrise(2024, 5, 11, 2), kSaturn);
  // Before sunrise the night hours of the day before run on: Sunday's hours go Sun, Venus, Mercury,
  // Moon ... in the Chaldean order, so its 24th and last hour, just before Monday's sunrise, is
  // Mercury's.
  EXPECT_EQ(rulerAfterSunrise(2024, 5, 6, -5), kMercury);
}

TEST(PlHours, HourBoundsAndNextRuler) {
  const Chart1 c = record(2024, 3, 14, 15, 30, 1, 13.4, 52.5);  // Berlin, a Thursday afternoon
  double start, end;
  int next;
  const int ruler = PlHours(nullptr, c, start, end, next, 0);
  const double now = julian_dayh(14, 3, 2024, 15, 30) - 1 / 24.0;
  EXPECT_LE(start, now);
  EXPECT_GT(end, now);
  EXPECT_NEAR((end - start) * 24, 1.0, 0.2);  // day hours near the equinox last about an hour
  const int order[7] = {kSaturn, kJupiter, kMars, kSun, kVenus, kMercury, kMoon};
  int pos = 0;
  while (order[pos] != ruler) ++pos;
  EXPECT_EQ(next, order[(pos + 1) % 7]);
  // The hour after this one.
  short d, m, y, h, mi;
  jd_to_date(end + 1 / 24.0 + 2 / 1440.0, &d, &m, &y, &h, &mi);
  Chart1 later = c;
  later.hour = h;
  later.minute = mi;
  double s2, e2;
  int n2;
  EXPECT_EQ(PlHours(nullptr, later, s2, e2, n2, 0), next);
  EXPECT_NEAR(s2, end, 1 / 1440.0);
}

TEST(PlHours, TableListsTheHoursFromMidnight) {
  std::vector<std::string> table;
  double start, end;
  int next;
  PlHours(&table, record(2024, 3, 14, 15, 30, 1, 13.4, 52.5), start, end, next, 1);
  ASSERT_GE(table.size(), 7u);
  std::string all;
  for (const auto& line : table) {
    EXPECT_LE(line.size(), 75u);
    all += line + "\n";
  }
  EXPECT_NE(all.find("(Sunrise)"), std::string::npos);
  EXPECT_NE(all.find("(Sunset)"), std::string::npos);
  EXPECT_NE(all.find("Jup. (Sunrise)"), std::string::npos);  // a Thursday
  std::vector<std::string> untouched{"x"};
  PlHours(&untouched, record(2024, 3, 14, 15, 30, 1, 13.4, 52.5), start, end, next, 0);
  EXPECT_EQ(untouched.size(), 1u);
}

TEST(FindTheSlupe, PhasesOfTheLunation) {
  EXPECT_EQ(FindTheSlupe(100, 100, 8), 1);
  EXPECT_EQ(FindTheSlupe(100, 99.9, 8), 8);
  EXPECT_EQ(FindTheSlupe(100, 145, 8), 2);
  EXPECT_EQ(FindTheSlupe(100, 280, 8), 5);
  EXPECT_EQ(FindTheSlupe(350, 10, 4), 1);
  EXPECT_EQ(FindTheSlupe(10, 350, 4), 4);
  EXPECT_EQ(FindTheSlupe(100, 100, 0), 0);
  EXPECT_EQ(FindTheSlupe(100, 100, -3), 0);
  EXPECT_EQ(FindTheSlupe(NAN, 100, 8), 0);
  for (int parts : {1, 3, 28, 360}) {
    for (double moon = 0; moon < 360; moon += 7.3) {
      const int phase = FindTheSlupe(200, moon, parts);
      EXPECT_GE(phase, 1);
      EXPECT_LE(phase, parts);
    }
  }
}

TEST(WhenDoesSlupeXStart, FindsTheStartOfAPhase) {
  const double jd = 2460000.5;
  for (int parts : {4, 8, 30}) {
    const int now = FindTheSlupe(sunAt(jd), sunAt(jd) + elongation(jd), parts);
    for (int phase = 1; phase <= parts; phase += (parts > 8 ? 7 : 1)) {
      for (int forward : {0, 1}) {
        const double t = WhenDoesSlupeXStart(jd, forward, phase, parts);
        double e = elongation(t) - 360.0 / parts * (phase - 1);
        e -= 360 * std::round(e / 360);
        EXPECT_LT(std::fabs(e), 0.001) << parts << " " << phase;
        if (phase != now) {
          EXPECT_EQ(forward ? t > jd : t < jd, true) << parts << " " << phase << " " << forward;
        } else {
          EXPECT_LE(t, jd);  // the start of the current phase
        }
        EXPECT_LT(std::fabs(t - jd), 29.6);
      }
    }
  }
}

TEST(WhenIsSunMoonIngres, EquinoxAndMoonIngresses) {
  // From 1 January 2024 the Sun next enters Aries on 20 March 2024 at 03:06 UT.
  const double equinox = WhenIsSunMoonIngres(julian_day(1, 1, 2024, 0), 1, 0, 1);
  EXPECT_NEAR(equinox, julian_day(20, 3, 2024, (3 + 6 / 60.0) / 24), 15 / 1440.0);
  const double back = WhenIsSunMoonIngres(julian_day(1, 1, 2024, 0), 0, 0, 1);
  EXPECT_NEAR(back, equinox - 365.24, 0.05);
  for (int sign = 1; sign <= 12; ++sign) {
    const double t = WhenIsSunMoonIngres(2460300.5, 1, 1, sign);
    EXPECT_GT(t, 2460300.5);
    EXPECT_LT(t, 2460300.5 + 28);
    double sun, moon, lat, dist, ay, bm;
    asforce1(t, sun, moon, lat, dist, ay, bm);
    double d = moon - (sign - 1) * 30.0;
    d -= 360 * std::round(d / 360);
    EXPECT_LT(std::fabs(d), 0.02) << sign;
  }
  EXPECT_EQ(WhenIsSunMoonIngres(2460300.5, 1, 2, 1), 2460300.5);
  EXPECT_EQ(WhenIsSunMoonIngres(2460300.5, 1, 0, 13), 2460300.5);
}

TEST(IsThereEclipse, KnownEclipsesAndQuietLunations) {
  // Total solar eclipse of 8 April 2024; total lunar eclipse of 14 March 2025 (the full moon after
  // the new moon of 28 February).
  EXPECT_EQ(IsThereEclipse(julian_day(9, 4, 2024, 0.5), 0), 1);
  EXPECT_EQ(IsThereEclipse(julian_day(2, 3, 2025, 0.5), 1), 1);
  // The new moons of June and December 2024 and the full moon of June 2024 had none.
  EXPECT_EQ(IsThereEclipse(julian_day(8, 6, 2024, 0.5), 0), 0);
  EXPECT_EQ(IsThereEclipse(julian_day(2, 12, 2024, 0.5), 0), 0);
  EXPECT_EQ(IsThereEclipse(julian_day(7, 6, 2024, 0.5), 1), 0);
  // Over a long run about a sixth of the syzygies are eclipses or possible ones.
  int hits = 0;
  for (int i = 0; i < 1000; ++i) hits += IsThereEclipse(2440000.5 + i * 29.53, 0) != 0;
  EXPECT_GT(hits, 100);
  EXPECT_LT(hits, 300);
}

}  // namespace
}  // namespace talpora
