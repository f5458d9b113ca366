// zykpred: solar and lunar returns.
#include "predict/returns.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/chart.h"
#include "format/text_format.h"
#include "platform/byte_io.h"

namespace talpora {

namespace {

// Days per degree of the Sun's mean motion.
constexpr double kDaysPerSolarDegree = 1.0145834191501808;
constexpr double kTolerance = 1e-6;  // degrees

// The Sun (object 0) or the Moon (object 1) at a UT Julian Day, in the zodiac asked for.
double luminaryAt(const CIni& settings, int object, double jdUt, double deltaTDays, int zodiac) {
  double sun, moon, moonLat, dist, aya, bm, svp;
  const double jde = jdUt + deltaTDays;
  asforce1Plus(jde, sun, moon, moonLat, dist, aya, bm, svp);
  double lon = c_c360(object == kSun ? sun : moon);
  if (zodiac == 1) ConvertToSiderealForJD(&lon, 1, settings, jde);
  return lon;
}

double natalLuminary(const CIni& settings, const Chart2& natalChart, int object, int zodiac) {
  double lon = natalChart.objects[object];
  if (zodiac == 1) ConvertToSidereal(&lon, 1, settings, natalChart);
  return lon;
}

// (-180, 180].
double wrap(double d) {
  d = std::fmod(d, 360.0);
  if (d > 180) d -= 360;
  if (d <= -180) d += 360;
  return d;
}

Chart1 workingChart(const Chart1& natal, double jdUt, int type) {
  Chart1 c = zeroedRecord<Chart1>();
  c.marker1 = c.marker2 = 32;
  c.marker3 = ' ';
  jd_to_date(jdUt, &c.day, &c.month, &c.year, &c.hour, &c.minute);
  c.timeKnown = 1;
  c.chartType = static_cast<std::int16_t>(type);
  std::memcpy(c.name, natal.name, sizeof c.name);
  c.name[sizeof c.name - 1] = 0;
  return c;
}

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

}  // namespace

// The Sun's longitude brought back to the natal one by steps of the mean solar motion, starting at
// 0h UT of the natal UT day and month in the year; at most 50 passes.
ReturnResult solarReturn(const CIni& settings, const Chart1& natal, const Chart2& natalChart, int year,
                         int converse, int zodiac) {
  ReturnResult r;
  if (converse) year = 2 * natal.year - year;
  if (year < 1) return r;
  const double deltaT = tdt(year) / 86400.0;
  const double target = natalLuminary(settings, natalChart, kSun, zodiac);
  short d, m, y, h, mi;
  jd_to_date(natalChart.julianDay, &d, &m, &y, &h, &mi);
  double jd = julian_day(d, m, year, 0.0);
  for (r.passes = 1; r.passes <= kReturnSearchPasses; ++r.passes) {
    double diff = target - luminaryAt(settings, kSun, jd, deltaT, zodiac);
    while (diff > 100) diff -= 360;
    while (diff < -100) diff += 360;
    jd += diff * kDaysPerSolarDegree;
    if (std::fabs(diff) <= kTolerance) {
      r.found = true;
      break;
    }
  }
  if (!r.found) return r;
  r.jdUt = jd;
  const int type = converse
                       ? (zodiac == 1 ? return_type::kConverseSiderealSolar : return_type::kConverseSolar)
                       : (zodiac == 1 ? return_type::kSiderealSolar : return_type::kSolar);
  r.chart = workingChart(natal, jd, type);
  return r;
}

// Each day of the month (and the day after) at 0h UT: where the Moon passes the natal Moon between two
// days, the moment by steps of the day's lunar motion; at most 50 passes. Only returns dated in the
// month are kept.
std::vector<ReturnResult> lunarReturns(const CIni& settings, const Chart1& natal, const Chart2& natalChart,
                                       int month, int year, int zodiac) {
  std::vector<ReturnResult> out;
  if (month < 1 || month > 12 || year < 1) return out;
  const double deltaT = tdt(year) / 86400.0;
  const double target = natalLuminary(settings, natalChart, kMoon, zodiac);
  const double first = julian_day(1, month, year, 0.0);
  const int days = daysInMonth(month, year);
  double before = wrap(target - luminaryAt(settings, kMoon, first - 1, deltaT, zodiac));
  for (int i = -1; i <= days; ++i) {
    const double day = first + i;
    const double after = wrap(target - luminaryAt(settings, kMoon, day + 1, deltaT, zodiac));
    if (before > 0 && after <= 0 && before < 30) {
      ReturnResult r;
      const double rate = before - after;  // degrees per day
      double jd = day, diff = before;
      for (r.passes = 1; r.passes <= kReturnSearchPasses; ++r.passes) {
        jd += diff / rate;
        diff = wrap(target - luminaryAt(settings, kMoon, jd, deltaT, zodiac));
        if (std::fabs(diff) <= kTolerance) {
          r.found = true;
          break;
        }
      }
      r.jdUt = jd;
      const double dayStart = std::floor(jd - 0.5) + 0.5;  // 0h UT of the return's date
      if (!r.found || (dayStart >= first && dayStart < first + days)) {
        const bool second = !out.empty();
        const int type = zodiac == 1
                             ? (second ? return_type::kSiderealLunarSecond : return_type::kSiderealLunarFirst)
                             : (second ? return_type::kLunarSecond : return_type::kLunarFirst);
        if (r.found) r.chart = workingChart(natal, jd, type);
        out.push_back(r);
      }
    }
    before = after;
  }
  return out;
}

int placedReturnType(int workingType) {
  switch (workingType) {
    case return_type::kSolar:
      return chart_type::kSolarReturn;
    case return_type::kSiderealSolar:
      return chart_type::kSiderealSolarReturn;
    case return_type::kConverseSolar:
      return chart_type::kConverseSolarReturn;
    case return_type::kConverseSiderealSolar:
      return chart_type::kConverseSolarReturnSidereal;
    case return_type::kLunarFirst:
      return chart_type::kLunarReturn1;
    case return_type::kLunarSecond:
      return chart_type::kLunarReturn2;
    case return_type::kSiderealLunarFirst:
      return chart_type::kSiderealLunarReturn1;
    case return_type::kSiderealLunarSecond:
      return chart_type::kSiderealLunarReturn2;
    default:
      return 0;
  }
}

const char* returnTypeText(int placedType) {
  switch (placedType) {
    case chart_type::kSolarReturn:
      return "Solar Return (tropical)";
    case chart_type::kSiderealSolarReturn:
      return "Solar Return (sidereal)";
    case chart_type::kConverseSolarReturn:
      return "Converse Solar Return";
    case chart_type::kConverseSolarReturnSidereal:
      return "Conv.Sol.Return (sid)";
    case chart_type::kLunarReturn1:
    case chart_type::kLunarReturn2:
      return "Lunar Return (tropical)";
    case chart_type::kSiderealLunarReturn1:
    case chart_type::kSiderealLunarReturn2:
      return "Lunar Return (sidereal)";
    default:
      return "";
  }
}

void placeReturn(const CIni& settings, const ReturnResult& found, double longitudeHours, double latitude,
                 double timeZone, const ChironTable& chiron, Chart1& placed, Chart2& placedChart) {
  Chart1 c = found.chart;
  c.longitude = longitudeHours;
  c.latitude = latitude;
  c.timeZone = timeZone;
  const double local = julian_dayh(c.day, c.month, c.year, c.hour, c.minute) + timeZone / 24.0;
  jd_to_date(local, &c.day, &c.month, &c.year, &c.hour, &c.minute);
  const int type = placedReturnType(found.chart.chartType);
  c.chartType = static_cast<std::int16_t>(type);
  setField(c.typeText, returnTypeText(type));
  setField(c.comment, "");
  calculall(settings, c, placedChart, chiron);
  placed = c;
}

std::vector<std::string> returnResultLines(const CIni& settings, const ReturnResult& r) {
  const Chart1& c = r.chart;
  const int type = c.chartType;
  const bool lunar = type == 3 || type == 4 || type == 103 || type == 104;
  const bool sidereal = type == 102 || type == 1000 || type == 103 || type == 104;
  std::string title = lunar ? "LUNAR RETURN" : "SOLAR RETURN";
  if (sidereal) title += " Sidereal (" + AyanamsaName(settings, 0) + ")";
  char date[64], time[32];
  std::snprintf(date, sizeof date, "      %s %d %d",
                c.month >= 1 && c.month <= 12 ? kMonthNames[c.month - 1] : "---", c.day, c.year);
  if (c.minute < 10)
    std::snprintf(time, sizeof time, "       %dh0%dmn", c.hour, c.minute);
  else
    std::snprintf(time, sizeof time, "       %dh%dmn", c.hour, c.minute);
  return {title, date, time, "(Universal Time/GMT)"};
}

}  // namespace talpora
