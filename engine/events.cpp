// zyktime: sunrise and sunset, the planetary hours, soli-lunar phases, ingresses, eclipse test.
#include "engine/events.h"

#include <cmath>
#include <cstdio>

#include "core/angles.h"
#include "core/calendar.h"
#include "engine/chart.h"
#include "engine/houses.h"
#include "engine/positions.h"
#include "platform/ui.h"

namespace talpora {
namespace {

constexpr double kSinRiseAltitude = 0.01454441;    // sine of the 0.8333 degrees of refraction and radius
constexpr double kRadToHours = 3.819718634205488;  // 12 / pi
constexpr double kRiseSetTolerance = 0.0016666666666666668;  // hours (6 seconds)
constexpr double kSynodicMonth = 29.5305881;
constexpr double kDaysPerDegreeOfElongation = 0.08202941138888889;
// Chaldean order, slowest first, as object numbers; the position of each weekday's ruler in it.
constexpr int kChaldean[7] = {kSaturn, kJupiter, kMars, kSun, kVenus, kMercury, kMoon};
constexpr int kWeekdayRulerPosition[7] = {3, 6, 2, 5, 1, 4, 0};  // Sunday .. Saturday
const char* const kChaldeanAbbrev[7] = {"Sat.", "Jup.", "Mar.", "Sun ", "Ven.", "Mer.", "Moo."};

double norm24(double h) {
  double r = h - 24.0 * std::floor(h / 24.0);
  return r >= 24.0 ? 0.0 : r;
}
// A difference of hours less a turn of the clock when above 5, then plus one when below -5: steps of
// more than 19 hours either way are taken the short way round.
double foldHours(double h) {
  if (h > 5) h -= 24;
  if (h < -5) h += 24;
  return h;
}
int weekdayOf(double jd) {
  const double w = std::fmod(jd + 1.5, 7.0);
  const int d = static_cast<int>(w < 0 ? w + 7 : w);
  return d < 0 ? 0 : (d > 6 ? 6 : d);
}
int mod7(int x) {
  return ((x % 7) + 7) % 7;
}

// The Sun's and Moon's apparent longitudes from the theory at a JD taken as its time argument.
void sunMoon(double jd, double& sun, double& moon) {
  double moonLat, dist, ayanamsa, blackMoon;
  asforce1(jd, sun, moon, moonLat, dist, ayanamsa, blackMoon);
}
double sunFromTheory(double jd) {
  double sun, moon;
  sunMoon(jd, sun, moon);
  return sun;
}

// Local sidereal times of sunrise and sunset for the Sun at right ascension `raDeg` and declination
// `declDeg` at latitude `latDeg` (Meeus, Astronomical Algorithms, eq. 15.1, altitude -0.8333 degrees).
RiseSetStatus riseSetSiderealTimes(double raDeg, double declDeg, double latDeg, double& rise, double& set) {
  const double d = declDeg * kDegToRad, phi = latDeg * kDegToRad;
  const double denominator = std::cos(d) * std::cos(phi);
  const double numerator = -(kSinRiseAltitude + std::sin(d) * std::sin(phi));
  if (std::fabs(denominator) < 1e-12) {
    // At a pole the Sun's altitude is its declination (of the pole's sign) all day.
    return numerator < 0 ? RiseSetStatus::NoSet : RiseSetStatus::NoRise;
  }
  const double x = numerator / denominator;
  if (x < -1) return RiseSetStatus::NoSet;
  if (x > 1) return RiseSetStatus::NoRise;
  const double h = std::acos(x) * kRadToHours;
  rise = norm24(raDeg / 15 - h + 24);
  set = norm24(raDeg / 15 + h);
  return RiseSetStatus::Found;
}

// One sunrise (rising) or sunset of the record's date shifted by `dayOffset` days, as a local JD.
// Starts at 06:00 (rise) or 18:00 (set) local clock time and moves to the sidereal time of the event
// until the step is below 6 seconds, at most 21 passes. The Sun comes from `sunAt`.
template <typename SunAt>
RiseSetStatus riseOrSet(const Chart1& chart, bool rising, int dayOffset, SunAt&& sunAt, double& result) {
  result = 0;
  double jd =
      julian_day(chart.day, chart.month, chart.year, rising ? 0.25 : 0.75) + dayOffset - chart.timeZone / 24;
  double lst = sideral_time(jd, chart.longitude);
  const double eps = Epsilon(jd);
  double dt = 2;
  int passes = 0;
  while (std::fabs(dt) > kRiseSetTolerance) {
    if (++passes > 21) return RiseSetStatus::NotConverged;
    double ra = 0, decl = 0, riseSt = 0, setSt = 0;
    eclipticToEquatorial(sunAt(jd), 0.0, eps, ra, decl);
    const RiseSetStatus s = riseSetSiderealTimes(ra, decl, chart.latitude, riseSt, setSt);
    if (s != RiseSetStatus::Found) return s;
    const double target = rising ? riseSt : setSt;
    dt = foldHours(target - lst);
    lst = target;
    jd += dt / 24;
  }
  result = LST_to_JulDay(lst, jd, chart.longitude) + chart.timeZone / 24;
  return RiseSetStatus::Found;
}

struct Hour {
  double start;
  int position;  // in the Chaldean order
  const char* mark;
};

// The planetary hours around the record's moment. With `lazy` only the sunrises and sunsets that
// the moment needs are searched (rise and set of the day; the previous set only before sunrise, the
// next rise only after sunset); otherwise all four, as SunRisSet's mode 1.
struct HourResult {
  RiseSetStatus status = RiseSetStatus::Found;
  int current = -1;           // Chaldean position, -1 when none
  double start = 0, end = 0;  // local JDs
};
template <typename SunAt>
HourResult planetaryHour(const Chart1& chart, SunAt&& sunAt, bool lazy, std::vector<std::string>* table) {
  HourResult r;
  double rise = 0, set = 0, previousSet = 0, nextRise = 0;
  auto search = [&](bool rising, int offset, double& out) {
    if (r.status != RiseSetStatus::Found) return;
    r.status = riseOrSet(chart, rising, offset, sunAt, out);
  };
  search(true, 0, rise);
  search(false, 0, set);
  const double now = julian_dayh(chart.day, chart.month, chart.year, chart.hour, chart.minute);
  const bool before = !lazy || now < rise || table, after = !lazy || now >= set || table;
  if (before) search(false, -1, previousSet);
  if (after) search(true, 1, nextRise);
  if (r.status != RiseSetStatus::Found) return r;
  const int p = kWeekdayRulerPosition[weekdayOf(now)];
  std::vector<Hour> hours;
  hours.reserve(36);
  if (before) {
    const double l = (rise - previousSet) / 12;
    for (int i = 0; i < 12; ++i) hours.push_back({previousSet + i * l, mod7(i + p - 12), nullptr});
  }
  const double day = (set - rise) / 12;
  for (int i = 0; i < 12; ++i) hours.push_back({rise + i * day, mod7(i + p), i == 0 ? "(Sunrise)" : nullptr});
  double lastLength = day;
  if (after) {
    const double l = (nextRise - set) / 12;
    lastLength = l;
    for (int i = 0; i < 12; ++i) {
      const double start = set + i * l;
      const double fraction = start - std::floor(start);
      if (fraction > 0.5) continue;  // after local midnight
      hours.push_back({start, mod7(i + p + 12), i == 0 ? "(Sunset)" : nullptr});
    }
  }
  bool ended = false;
  for (const Hour& h : hours) {
    if (h.start < now) {
      r.current = h.position;
      r.start = h.start;
    } else {
      r.end = h.start;
      ended = true;
      break;
    }
  }
  if (r.current >= 0 && !ended) r.end = r.start + lastLength;
  if (table) {
    // The hours from local midnight on, three to a line, each entry 25 characters wide.
    const double midnight = std::floor(now - 0.5) + 0.5;
    std::vector<std::string> entries;
    for (const Hour& h : hours) {
      if (h.start < midnight) continue;
      short d, mo, y, hh, mi;
      jd_to_date(h.start, &d, &mo, &y, &hh, &mi);
      char buf[64];
      std::snprintf(buf, sizeof buf, "%2dh%02d: %s%s%s", hh, mi, kChaldeanAbbrev[h.position],
                    h.mark ? " " : "", h.mark ? h.mark : "");
      std::string e = buf;
      if (e.size() < 25) e.append(25 - e.size(), ' ');
      entries.push_back(std::move(e));
    }
    table->clear();
    for (std::size_t i = 0; i < entries.size(); i += 3) {
      std::string line;
      for (std::size_t k = i; k < i + 3 && k < entries.size(); ++k) line += entries[k];
      while (!line.empty() && line.back() == ' ') line.pop_back();
      table->push_back(std::move(line));
    }
  }
  return r;
}

}  // namespace

RiseSetStatus SunRisSet(const Chart1& chart, int mode, int, int, double& rise, double& set,
                        double& previousSet, double& nextRise) {
  rise = set = previousSet = nextRise = 0;
  RiseSetStatus first = riseOrSet(chart, true, 0, sunFromTheory, rise);
  auto keep = [&first](RiseSetStatus s) {
    if (first == RiseSetStatus::Found) first = s;
  };
  keep(riseOrSet(chart, false, 0, sunFromTheory, set));
  if (mode == 1) {
    keep(riseOrSet(chart, false, -1, sunFromTheory, previousSet));
    keep(riseOrSet(chart, true, 1, sunFromTheory, nextRise));
  }
  return first;
}

// Steps on the sidereal time of core/calendar's sideral_time, at most 21 passes.
double LST_to_JulDay(double lst, double jd, double longitudeHours) {
  double dc = 2;
  for (int pass = 0; pass < 21; ++pass) {
    if (std::fabs(dc) <= kRiseSetTolerance) return jd;
    dc = foldHours(lst - sideral_time(jd, longitudeHours));
    jd += dc / 24;
  }
  return jd;
}

int PlHours(std::vector<std::string>* table, const Chart1& chart, double& hourStart, double& hourEnd,
            int& nextRuler, int listing, int, int) {
  hourStart = hourEnd = 0;
  nextRuler = kNoPlanetaryHour;
  const HourResult r = planetaryHour(chart, sunFromTheory, false, listing == 1 ? table : nullptr);
  if (r.status != RiseSetStatus::Found || r.current < 0) return kNoPlanetaryHour;
  hourStart = r.start - chart.timeZone / 24;
  hourEnd = r.end - chart.timeZone / 24;
  nextRuler = kChaldean[(r.current + 1) % 7];
  return kChaldean[r.current];
}

SunTrack SunTrack::through(double jd0, double lon0, double jd1, double lon1) {
  SunTrack t;
  t.jd0 = jd0;
  t.lon0 = lon0;
  double d = lon1 - lon0;
  d -= 360.0 * std::floor((d + 180.0) / 360.0);
  t.rate = jd1 != jd0 ? d / (jd1 - jd0) : 0.9856262;
  return t;
}

int planetaryHourRuler(const Chart1& chart, const SunTrack& sun, RiseSetStatus* status) {
  const HourResult r = planetaryHour(
      chart, [&sun](double jd) { return sun.at(jd); }, true, nullptr);
  if (status) *status = r.status;
  if (r.status != RiseSetStatus::Found || r.current < 0) return kNoPlanetaryHour;
  return kChaldean[r.current];
}

int FindTheSlupe(double sunLon, double moonLon, int parts, int, int, int) {
  if (parts < 1 || !std::isfinite(sunLon) || !std::isfinite(moonLon)) return 0;
  if (moonLon - sunLon < 0) moonLon += 360;
  const double step = 360.0 / parts;
  // The first g with sun + g step <= moon < sun + (g + 1) step, found directly and checked.
  long g = static_cast<long>(std::floor((moonLon - sunLon) / step));
  if (g < 0) g = 0;
  if (g >= parts) g = parts - 1;
  if (g > 0 && moonLon < sunLon + g * step) --g;
  if (g + 1 < parts && moonLon >= sunLon + (g + 1) * step) ++g;
  if (sunLon + g * step <= moonLon && moonLon < sunLon + (g + 1) * step) return static_cast<int>(g + 1);
  return 0;
}

int FindTheSlupeFromhMc1(const CIni& settings, const Chart1& chart, int parts, int, int, int) {
  Chart2 computed;
  calculall(settings, chart, computed, ChironTable());
  return FindTheSlupe(computed.objects[kSun], computed.objects[kMoon], parts);
}

// Phase starts by steps on the mean elongation rate (29.5305881 days per lunation), at most 71.
double WhenDoesSlupeXStart(double jd, int forward, int phase, int parts, int, int, int) {
  if (parts < 1 || phase < 1 || phase > parts || !std::isfinite(jd)) return jd;
  double sun, moon;
  sunMoon(jd, sun, moon);
  const int h = FindTheSlupe(sun, moon, parts);
  int m = 0;
  if (forward) {
    m = phase > h ? phase - h : (phase < h ? parts + phase - h : 0);
  } else {
    m = phase < h ? h - phase : (phase > h ? parts + h - phase : 0);
  }
  double estimate = jd + (forward ? 1 : -1) * static_cast<double>(m) / parts * kSynodicMonth;
  const double target = 360.0 / parts * (phase - 1);
  for (int pass = 0; pass < 71; ++pass) {
    sunMoon(estimate, sun, moon);
    double t = norm360(moon - sun) - target;
    if (t > 250) t -= 360;
    if (t < -250) t += 360;
    estimate -= kDaysPerDegreeOfElongation * t;
    if (std::fabs(t) <= 0.00008) break;
  }
  return estimate;
}

double WhenDoesNextSlupeStart(const CIni& settings, const Chart1& chart, int parts, int, int, int) {
  if (parts < 1) return 0;
  const int a = FindTheSlupeFromhMc1(settings, chart, parts);
  // The record's clock time is local: the search starts from universal time.
  const double jd =
      julian_dayh(chart.day, chart.month, chart.year, chart.hour, chart.minute) - chart.timeZone / 24;
  return WhenDoesSlupeXStart(jd, 1, a + 1 > parts ? 1 : a + 1, parts);
}

// Ingress by steps on the mean daily motion (Sun 0.9856262, Moon 13.0 degrees a day), at most 100.
double WhenIsSunMoonIngres(double jd, int forward, int body, int sign, ui::Interaction* ui) {
  if ((body != 0 && body != 1) || sign < 1 || sign > 12 || !std::isfinite(jd)) return jd;
  const double target = (sign - 1) * 30.0;
  const double speed = body == 0 ? 0.9856262 : 13.0;
  auto longitude = [body](double t) {
    double sun, moon;
    sunMoon(t, sun, moon);
    return body == 0 ? sun : moon;
  };
  const double x = longitude(jd);
  double distance = forward ? target - x : x - target;
  if (distance < 0) distance += 360;
  double estimate = forward ? jd + distance / speed : jd - distance / speed;
  for (int pass = 0; pass < 100; ++pass) {
    double b = target - longitude(estimate);
    if (b > 200) b -= 360;
    if (b < -200) b += 360;
    const double step = b / speed;
    estimate += step;
    if (std::fabs(step) <= 0.0006944444444444445) return estimate;
  }
  if (ui)
    ui->tell("WhenIsSunMoonIngres had to break its loop.", "Message from zyktime.dll", ui::Icon::Information);
  return estimate;
}

// The lunation count k from 1900 and the Moon's argument of latitude at that syzygy (Meeus,
// Astronomical Formulae for Calculators, ch. 32).
int IsThereEclipse(double jd, int kind) {
  if (!std::isfinite(jd)) return 0;
  short day, month, year, hour, minute;
  jd_to_date(jd, &day, &month, &year, &hour, &minute);
  const double length = isLeapYear(year) ? 366 : 365;
  const double y = year + (jd - julian_day(1, 1, year, 0)) / length;
  double k = std::trunc((y - 1900) * 12.3685);
  if (kind == 1) k += 0.5;
  const double t = k * 0.0008085054776246109;
  const double f = norm360(21.2964 + 390.67050646 * k - 0.0016528 * t * t - 0.00000239 * t * t * t);
  if (f < 13.9 || (f > 166.1 && f < 193.9) || f > 346.1) return 1;
  if ((f > 21 && f < 159) || (f > 201 && f < 339)) return 0;
  return std::sin(f * kDegToRad) > 0.36 ? 0 : 2;
}

}  // namespace talpora
