// zykfmt: names, angles, coordinates, dates and clock times as the suite prints them.
#include "format/text_format.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/houses.h"

namespace talpora {

UnitsMinutes splitMinutes(double x) {
  UnitsMinutes r{static_cast<long>(std::floor(x)), 0};
  r.minutes = static_cast<int>(std::floor((x - std::floor(x)) * 60 + 0.5));
  if (r.minutes >= 60) {
    r.minutes -= 60;
    ++r.units;
  }
  return r;
}

UnitsMinutesSeconds splitSeconds(double x) {
  UnitsMinutesSeconds r{static_cast<long>(std::floor(x)), 0, 0};
  const double m = (x - std::floor(x)) * 60;
  r.minutes = static_cast<int>(std::floor(m));
  r.seconds = static_cast<int>(std::floor((m - std::floor(m)) * 60 + 0.5));
  if (r.seconds >= 60) {
    r.seconds -= 60;
    ++r.minutes;
  }
  if (r.minutes >= 60) {
    r.minutes -= 60;
    ++r.units;
  }
  return r;
}

namespace {

constexpr char kDeg = '\xB0';

const char* const kPlanetAbbrev[19] = {"Sun ", "Moo.", "Mer.", "Ven.", "Mar.", "Jup.", "Sat.",
                                       "Ura.", "Nep.", "Plu.", "NNd.", "SNd.", "BMoo", "Chi.",
                                       "ASC.", "MC. ", "PFor", "Vtx.", "EPt."};
const char* const kPlanetFull[19] = {
    "Sun",       "Moon",      "Mercury",         "Venus",    "Mars",      "Jupiter",    "Saturn",
    "Uranus",    "Neptune",   "Pluto",           "Nth Node", "Sth Node",  "Black Moon", "Chiron",
    "Ascendant", "Midheaven", "Part of Fortune", "Vertex",   "East Point"};
const char* const kPlanetColon[19] = {
    "Sun:",       "Moon:",      "Mercury:",         "Venus:",    "Mars:",     "Jupiter:",    "Saturn:",
    "Uranus:",    "Neptune:",   "Pluto:",           "Nth Node:", "Sth Node:", "Black Moon:", "Chiron:",
    "Ascendant:", "Midheaven:", "Part of Fortune:", "Vertex:",   "East Point"};
const char* const kSignFull[12] = {"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                                   "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
const char* const kSignShort[12] = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                    "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};
const char* const kSignListing[12] = {"Ari.", "Tau.", "Gem.", "Can.", "Leo ", "Vir.",
                                      "Lib.", "Sco.", "Sag.", "Cap.", "Aqu.", "Pis."};
const char* const kSignColumn[12] = {"ARI.", "TAU.", "GEM.", "CAN.", "LEO ", "VIR.",
                                     "LIB.", "SCO.", "SAG.", "CAP.", "AQU.", "PIS."};
const char* const kAspectNoun[20] = {"conjunction",
                                     "opposition",
                                     "trine",
                                     "square",
                                     "sextile",
                                     "inconjunction",
                                     "biquintile",
                                     "sesquisquare",
                                     "quintile",
                                     "tridecile",
                                     "septile",
                                     "semisquare",
                                     "novile",
                                     "decile",
                                     "undecile",
                                     "semisextile",
                                     "quindecile",
                                     "vigintile",
                                     "parallel of declination",
                                     "contraparallel of declination"};
const char* const kAspectParticiple[20] = {
    "conjunct",     "opposed",     "trine",      "square",    "sextile",    "inconjunct",    "biquintile",
    "sesquisquare", "quintile",    "tridecile",  "septile",   "semisquare", "novile",        "decile",
    "undecile",     "semisextile", "quindecile", "vigintile", "parallel",   "contraparallel"};
const char* const kHouseSystems[12] = {"No Houses",  "Placidus",      "Campanus",  "Regiomontanus",
                                       "Koch",       "Equal Houses",  "Bi-horary", "Porphyre",
                                       "Alcabitius", "Vendel Polich", "Abenragel", "Albatagenius"};
const char* const kMonthDot[12] = {"Jan.", "Feb.", "Mar.", "Apr.", "May",  "Jun.",
                                   "Jul.", "Aug.", "Sep.", "Oct.", "Nov.", "Dec."};
const char* const kMonth3[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kWeekdayShort[7] = {"Sun.", "Mon.", "Tue.", "Wed.", "Thu.", "Fri.", "Sat."};
const char* const kWeekdayLong[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* fmt, ...) {
  char buf[160];
  va_list ap;
  va_start(ap, fmt);
  std::vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  return buf;
}

std::string pad(std::string s, int width) {
  width = std::min(width, 30);
  if (width > 0 && static_cast<int>(s.size()) < width)
    s.append(static_cast<std::size_t>(width) - s.size(), ' ');
  return s;
}

// A longitude that can be printed: finite and not the no-position marker; brought into [0, 360).
bool printableLongitude(double& x) {
  if (!std::isfinite(x) || x == kNoPosition) return false;
  x -= 360.0 * std::floor(x / 360.0);
  if (x >= 360.0) x = 0.0;
  return true;
}

// Sign index 0..11 and the degrees within it, after the carries (30 degrees make the next sign).
struct SignPosition {
  int sign;  // 0 = Aries
  long degrees;
  int minutes;
  int seconds;
};
SignPosition signPosition(double x, bool withSeconds) {
  int sign = static_cast<int>(std::floor(x / 30.0));
  const double inSign = x - 30.0 * sign;
  SignPosition p{sign, 0, 0, 0};
  if (withSeconds) {
    const UnitsMinutesSeconds s = splitSeconds(inSign);
    p.degrees = s.units;
    p.minutes = s.minutes;
    p.seconds = s.seconds;
  } else {
    const UnitsMinutes m = splitMinutes(inSign);
    p.degrees = m.units;
    p.minutes = m.minutes;
  }
  if (p.degrees >= 30) {
    p.degrees -= 30;
    ++p.sign;
  }
  p.sign = ((p.sign % 12) + 12) % 12;
  return p;
}

struct Moment {
  short day, month, year, hour, minute;
};
bool momentOf(double jd, Moment& m) {
  if (!std::isfinite(jd) || std::fabs(jd) > 1e9) return false;
  jd_to_date(jd, &m.day, &m.month, &m.year, &m.hour, &m.minute);
  return true;
}
int weekdayOf(double jd) {
  const double w = std::fmod(jd + 1.5, 7.0);
  const int d = static_cast<int>(w < 0 ? w + 7 : w);
  return std::clamp(d, 0, 6);
}
const char* monthDot(int month) {
  return (month >= 1 && month <= 12) ? kMonthDot[month - 1] : kNoText;
}

// The longitude in the zodiac asked for: 1 the settings' sidereal one, with the chart's references.
double inZodiac(double lon, int zodiac, const CIni& settings, const Chart2& chart) {
  if (zodiac == 1) ConvertToSidereal(&lon, 1, settings, chart);
  return lon;
}

}  // namespace

std::string PlanetName(int object, int style, int, int width, int withColon, int heliocentric) {
  if (object < 0 || object > 18) return pad(kNoText, width);
  std::string s;
  if (heliocentric == 1 && object == kMoon) {
    s = style == 1 ? "Ear." : (withColon ? "Earth:" : "Earth");
  } else {
    s = style == 1 ? kPlanetAbbrev[object] : (withColon ? kPlanetColon[object] : kPlanetFull[object]);
  }
  return pad(std::move(s), width);
}

std::string SignName(int sign, int style, int, int width, int withColon) {
  if (sign < 1 || sign > 12) return pad(kNoText, width);
  std::string s = style == 1 ? kSignShort[sign - 1] : kSignFull[sign - 1];
  if (withColon) s += ':';
  return pad(std::move(s), width);
}

std::string AspectName(int aspect, int, int capital, int, int, int) {
  if (aspect < 0 || aspect > 19) return kNoText;
  std::string s = kAspectNoun[aspect];
  if (capital == 1) s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
  return s;
}

std::string AspectedName(int aspect, int, int capital, int, int, int) {
  if (aspect < 0 || aspect > 19) return kNoText;
  std::string s = kAspectParticiple[aspect];
  if (capital == 1) s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
  return s;
}

std::string HouseSystemName(int system, int, int, int, int, int) {
  return (system >= 0 && system <= 11) ? kHouseSystems[system] : kNoText;
}

std::string AyanamsaName(const CIni& settings, int shortForm, int, int, int, int) {
  switch (settings.ayanamsa) {
    case 1:
      return shortForm ? "True Ay." : "True Ayanamsa";
    case 2:
      return shortForm ? "SVP" : "Synetic Vernal Point";
    default:
      return kNoText;
  }
}

std::string ProperFormat(int n, int) {
  const long a = std::labs(static_cast<long>(n));
  const char* suffix = "th";
  if (a % 100 < 11 || a % 100 > 13) {
    switch (a % 10) {
      case 1:
        suffix = "st";
        break;
      case 2:
        suffix = "nd";
        break;
      case 3:
        suffix = "rd";
        break;
      default:
        break;
    }
  }
  return format("%d%s", n, suffix);
}

std::string edth_hms(double hours, int noSeconds) {
  if (!std::isfinite(hours)) return kNoText;
  hours -= 24.0 * std::floor(hours / 24.0);
  long h;
  int m, s = 0;
  if (noSeconds == 1) {
    const UnitsMinutes u = splitMinutes(hours);
    h = u.units;
    m = u.minutes;
  } else {
    const UnitsMinutesSeconds u = splitSeconds(hours);
    h = u.units;
    m = u.minutes;
    s = u.seconds;
  }
  if (h >= 24) h -= 24;
  std::string out = format(h >= 10 ? "%ldh" : " %ldh", h);
  out += format(m >= 10 ? "%dm" : "0%dm", m);
  if (noSeconds != 1) out += format(s >= 10 ? "%ds" : "0%ds", s);
  return out;
}

std::string edl_sdm(double longitude, int) {
  if (!printableLongitude(longitude)) return kNoText;
  const SignPosition p = signPosition(longitude, false);
  std::string s = kSignColumn[p.sign];
  s += format(p.degrees >= 10 ? "%ld%c" : " %ld%c", p.degrees, kDeg);
  s += format(p.minutes >= 10 ? "%d'" : "0%d'", p.minutes);
  return s;
}

std::string edl_sdmR(double longitude, char retrograde, int) {
  std::string s = edl_sdm(longitude);
  if (s != kNoText && retrograde == 'R') s += " R";
  return s;
}

std::string edl_sdms(double longitude, int) {
  if (!printableLongitude(longitude)) return kNoText;
  const SignPosition p = signPosition(longitude, true);
  std::string s = kSignColumn[p.sign];
  s += format(p.degrees >= 10 ? "%ld%c" : " %ld%c", p.degrees, kDeg);
  s += format(p.minutes >= 10 ? "%d'" : "0%d'", p.minutes);
  s += format(p.seconds >= 10 ? "%d\"" : "0%d\"", p.seconds);
  return s;
}

std::string edb_dm(double angle, int layout) {
  if (!std::isfinite(angle)) return kNoText;
  const bool negative = angle < 0;
  const UnitsMinutes u = splitMinutes(std::fabs(angle));
  std::string s = negative ? "-" : (layout == -1 ? "" : " ");
  if (layout == 3) {
    s += format("%3ld%c%02d'", u.units, kDeg, u.minutes);
  } else if (layout == 12) {
    s += format("%02lddeg.%02d'", u.units, u.minutes);
  } else {
    s += format("%02ld%c%02d'", u.units, kDeg, u.minutes);
  }
  return s;
}

std::string edb_dms(double angle, int layout) {
  if (!std::isfinite(angle)) return kNoText;
  const bool negative = angle < 0;
  const UnitsMinutesSeconds u = splitSeconds(std::fabs(angle));
  std::string s = negative ? "-" : " ";
  if (layout == 12) {
    s += format("%02lddeg.%02d'%02d\"", u.units, u.minutes, u.seconds);
  } else {
    s += format("%02ld%c%02d'%02d\"", u.units, kDeg, u.minutes, u.seconds);
  }
  return s;
}

std::string edb_geographicalongldms(double longitudeDeg, int layout, int suffix) {
  if (!std::isfinite(longitudeDeg)) return kNoText;
  const bool west = longitudeDeg < 0;
  const UnitsMinutesSeconds u = splitSeconds(std::fabs(longitudeDeg));
  if (layout == 12) return format("%02ld%c%02d'%02d\"", u.units, west ? 'W' : 'E', u.minutes, u.seconds);
  std::string s = format("%02ld%c%02d'%02d\"", u.units, kDeg, u.minutes, u.seconds);
  if (suffix == 0) s += west ? "W" : "E";
  if (suffix == 1) s += west ? "West" : "East";
  return s;
}

std::string edb_geographicallatdm(double latitudeDeg, int layout, int suffix) {
  if (!std::isfinite(latitudeDeg)) return kNoText;
  const bool south = latitudeDeg < 0;
  const UnitsMinutes u = splitMinutes(std::fabs(latitudeDeg));
  if (layout == 12) return format("%02ld%c%02d'", u.units, south ? 'S' : 'N', u.minutes);
  std::string s = format("%02ld%c%02d'", u.units, kDeg, u.minutes);
  if (suffix == 0) s += south ? "S" : "N";
  if (suffix == 1) s += south ? "South" : "North";
  return s;
}

void lb_radel(double longitude, double latitude, double obliquity, double& rightAscension,
              double& declination) {
  eclipticToEquatorial(longitude, latitude, obliquity, rightAscension, declination);
}

std::string radel(double longitude, double latitude, double obliquity, int) {
  if (!std::isfinite(longitude) || !std::isfinite(latitude) || !std::isfinite(obliquity)) return kNoText;
  double ra = 0, decl = 0;
  lb_radel(longitude, latitude, obliquity, ra, decl);
  std::string s = edth_hms(ra / 15.0, 0);
  const UnitsMinutes d = splitMinutes(std::fabs(decl));
  s += format(d.units >= 10 ? "     %ld%c" : "      %ld%c", d.units, kDeg);
  s += decl < 0 ? " S " : " N ";
  s += format(d.minutes >= 10 ? "%d'" : "0%d'", d.minutes);
  return s;
}

std::string ed_date(int day, int month, int year, int withoutYear) {
  std::string s = format("%s %d", monthDot(month), day);
  if (!withoutYear) s += format(" %d", year);
  return s;
}

std::string jd_date(double jd, int weekday, int withYear) {
  Moment m{};
  if (!momentOf(jd, m)) return kNoText;
  std::string s;
  if (weekday == 1) s = std::string(kWeekdayShort[weekdayOf(jd)]) + " ";
  if (weekday == 2) s = std::string(kWeekdayLong[weekdayOf(jd)]) + " ";
  return s + ed_date(m.day, m.month, m.year, withYear == 1 ? 0 : 1);
}

std::string jd_time(double jd, int) {
  Moment m{};
  if (!momentOf(jd, m)) return kNoText;
  return format("%2dh%02d", m.hour, m.minute);
}

std::string jd_ut(double jd, int layout) {
  Moment m{};
  if (!momentOf(jd, m)) return kNoText;
  std::string s = layout == 1 ? "Universal Time (GMT):" : "";
  s += format("%d %s", m.day, (m.month >= 1 && m.month <= 12) ? kMonth3[m.month - 1] : kNoText);
  if (layout != 7) s += format(" %d", m.year);
  return s;
}

std::string jd_ut2(double jd, int referenceDay, int) {
  Moment m{};
  if (!momentOf(jd, m)) return kNoText;
  std::string s;
  if (m.day != referenceDay) s = format("%s %d, ", monthDot(m.month), m.day);
  return s + format("%dh%02d", m.hour, m.minute);
}

std::string jd_datetime(double jd, int layout) {
  Moment m{};
  if (!momentOf(jd, m)) return kNoText;
  if (layout == 4) return format("%s %d %d, %dh%02d", monthDot(m.month), m.day, m.year, m.hour, m.minute);
  std::string s;
  if (layout == 0) s = format("%d ", m.year);
  if (layout == 2) s = std::string(kWeekdayShort[weekdayOf(jd)]) + " ";
  if (layout == 3) s = std::string(kWeekdayLong[weekdayOf(jd)]) + " ";
  return s + jd_ut2(jd, 0);
}

std::string Smart_time(int hour, int minute, int second, int withSeconds, const CIni& settings) {
  if (hour < 0 || hour > 24 || minute < 0 || minute > 59 || second < 0 || second > 59) return kNoText;
  if (settings.ampm) {
    int h = hour, pm = 0;
    Convert24hTimeToAMPM(&h, &pm);
    std::string s = withSeconds ? format("%d:%02d:%02d", h, minute, second) : format("%d:%02d", h, minute);
    return s + (pm ? "PM" : "AM");
  }
  return withSeconds ? format("%dh%02dm%02ds", hour, minute, second) : format("%dh%02d", hour, minute);
}

std::string Smart_datetime(double jd, int withDate, int weekday, int withYear, int withTime, int withSeconds,
                           const CIni& settings) {
  Moment m{};
  if (!momentOf(jd, m)) return kNoText;
  std::string s;
  if (withDate) {
    if (weekday == 1) s = std::string(kWeekdayShort[weekdayOf(jd)]) + " ";
    if (weekday == 2) s = std::string(kWeekdayLong[weekdayOf(jd)]) + " ";
    s += ed_date(m.day, m.month, m.year, withYear == 1 ? 0 : 1);
  }
  if (withTime) {
    if (withDate) s += ", ";
    s += Smart_time(m.hour, m.minute, 0, withSeconds, settings);
  }
  return s;
}

std::string Smart_longitude1(double longitude, char retrograde, const CIni& settings, const Chart2& chart,
                             int zodiac, int withSign, int withSeconds, int withRetrograde,
                             int noRetrogradeBlank, int noBlankAfterSign, int, int, int, int) {
  if (!printableLongitude(longitude)) return kNoText;
  double x = inZodiac(longitude, zodiac, settings, chart);
  if (!printableLongitude(x)) return kNoText;
  const SignPosition p = signPosition(x, withSeconds != 0);
  std::string s;
  if (withSign) {
    s = kSignListing[p.sign];
    if (!noBlankAfterSign) s += ' ';
  }
  s += format("%2ld%c%02d'", p.degrees, kDeg, p.minutes);
  if (withSeconds) s += format("%02d\"", p.seconds);
  if (withRetrograde) {
    if (retrograde == 'R') {
      s += 'R';
    } else if (!noRetrogradeBlank) {
      s += ' ';
    }
  }
  return s;
}

std::string Smart_longitude2(int object, const CIni& settings, const Chart2& chart, int zodiac, int withSign,
                             int withSeconds, int withRetrograde, int noRetrogradeBlank, int noBlankAfterSign,
                             int, int, int, int) {
  if (object < 0 || object >= kObjectCount) return kNoText;
  return Smart_longitude1(chart.objects[object], chart.motion[object], settings, chart, zodiac, withSign,
                          withSeconds, withRetrograde, noRetrogradeBlank, noBlankAfterSign);
}

std::string RulerOfHouseIsInHouse(int house, int zodiac, int traditionalRulers, const CIni& settings,
                                  const Chart1& birth, const Chart2& chart) {
  if (house < 1 || house > 12) return kNoText;
  const int ruler = RulerOfHouse(house, zodiac, traditionalRulers, settings, chart);
  const int rulerHouse = IsInHouse(ruler, settings, birth, chart);
  double cusp = inZodiac(chart.cusps[house - 1], zodiac, settings, chart);
  // The cusp's sign is that of its exact longitude (no rounding of the minutes).
  std::string sign = kNoText;
  if (printableLongitude(cusp))
    sign = SignName(static_cast<int>(std::floor(cusp / 30.0)) % 12 + 1, 1, 0, 0, 0);
  std::string s = PlanetName(ruler, 0, 0, 0, 0, 0) + ", ruler of the " + ProperFormat(house) +
                  " house (cusp in " + sign + ")";
  if (rulerHouse >= 1 && rulerHouse <= 12) s += ", is in the " + ProperFormat(rulerHouse) + " house";
  return s + ".";
}

}  // namespace talpora
