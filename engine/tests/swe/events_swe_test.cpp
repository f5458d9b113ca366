// zyktime: sunrise and sunset compared with Swiss Ephemeris's swe_rise_trans (upper limb with standard
// refraction, which puts the Sun's centre at about -0.83 degrees as this engine's altitude does) for
// 400 place-days from 1900 to 2100 at latitudes up to 60 degrees.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "core/calendar.h"
#include "engine/events.h"
#include "swephexp.h"

namespace talpora {
namespace {

TEST(SunRiseSetAgainstSwissEphemeris, WithinHalfAMinute) {
  swe_set_ephe_path(const_cast<char*>(TALPORA_SWE_EPHE_PATH));
  double worst = 0;
  int compared = 0;
  for (int i = 0; i < 400; ++i) {
    const int year = 1900 + (i * 53) % 200, month = 1 + (i * 7) % 12, day = 1 + (i * 13) % 28;
    const double lat = -60 + (i * 37) % 121, lonDeg = -180 + (i * 71) % 360;
    const double zone = std::round(lonDeg / 15);
    Chart1 c;
    c.year = static_cast<short>(year);
    c.month = static_cast<short>(month);
    c.day = static_cast<short>(day);
    c.hour = 12;
    c.timeZone = zone;
    c.longitude = lonDeg / 15;
    c.latitude = lat;
    c.timeKnown = 1;
    double rise, set, p, n;
    if (SunRisSet(c, 0, 0, 0, rise, set, p, n) != RiseSetStatus::Found) continue;
    // The reference: the next rise and set after local midnight (in UT).
    const double midnightUt = julian_day(day, month, year, 0) - zone / 24;
    double geopos[3] = {lonDeg, lat, 0};
    double refRise = 0, refSet = 0;
    char err[256] = {};
    if (swe_rise_trans(midnightUt, SE_SUN, nullptr, SEFLG_SWIEPH, SE_CALC_RISE, geopos, 1013.25, 15, &refRise,
                       err) < 0 ||
        swe_rise_trans(midnightUt, SE_SUN, nullptr, SEFLG_SWIEPH, SE_CALC_SET, geopos, 1013.25, 15, &refSet,
                       err) < 0)
      continue;
    const double dr = std::fabs(rise - zone / 24 - refRise) * 1440,
                 ds = std::fabs(set - zone / 24 - refSet) * 1440;
    EXPECT_LT(dr, 0.5) << year << "-" << month << "-" << day << " lat " << lat << " lon " << lonDeg;
    EXPECT_LT(ds, 0.5) << year << "-" << month << "-" << day << " lat " << lat << " lon " << lonDeg;
    worst = std::fmax(worst, std::fmax(dr, ds));
    ++compared;
  }
  EXPECT_GT(compared, 390);
  std::printf("  %d days, worst difference %.2f minutes\n", compared, worst);
}

}  // namespace
}  // namespace talpora
