// zyklist: the listings of one chart.
#include "listing/listings.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/events.h"
#include "engine/houses.h"
#include "engine/positions.h"
#include "format/report_headers.h"
#include "format/text_format.h"
#include "listing/dignities.h"
#include "platform/byte_io.h"
#include "platform/program_dir.h"

namespace talpora {
namespace {

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* fmt, ...) {
  char buf[256];
  va_list ap;
  va_start(ap, fmt);
  const int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  if (n < 0) return {};
  return std::string(buf, static_cast<std::size_t>(std::min<int>(n, sizeof buf - 1)));
}

void line(Report& r, unsigned long* length, const std::string& text) {
  AddLine(r, length, text, 1, 0);
}
void blank(Report& r, unsigned long* length) {
  AddLine(r, length, "", 0, 0);
}

const char* const kWeekdays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};
const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};

// A longitude in the zodiac asked for: the settings' sidereal reference with the chart's values for
// zodiac 1, unchanged otherwise (the -1 marker stays).
double inZodiac(double lon, int zodiac, const CIni& settings, const Chart2& chart) {
  if (zodiac != 1) return lon;
  return toSidereal(lon, settings.ayanamsa, chart.trueAyanamsa, chart.syneticVernalPoint);
}

bool hasHouses(const Chart1& birth) {
  return AreThereHouses(birth) != 0;
}

// The position column of a row: seconds for the Sun and the Moon (and the Earth), the retrograde
// mark for the others, all thirteen characters wide.
std::string positionColumn(int object, double lon, char motion) {
  if (object <= kMoon) return edl_sdms(lon);
  const bool retro = motion == 'R';
  return edl_sdmR(lon, retro ? 'R' : 'D') + (retro ? " " : "   ");
}

}  // namespace

// ---- Header and planetary hour ------------------------------------------------------------------

int chartWeekday(const Chart1& birth, const Chart2& chart) {
  // Meeus, Astronomical Algorithms ch. 7: the weekday is floor(JD + 1.5) mod 7, 0 = Sunday; JD of the
  // local clock time (universal time plus the zone).
  const double x = std::floor(chart.julianDay + birth.timeZone / 24.0 + 1.5);
  double w = std::fmod(x, 7.0);
  if (w < 0) w += 7.0;
  return static_cast<int>(w);
}

void chartHeader(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                 const Chart2& chart) {
  line(r, length, nameOf(birth) + " - " + typeTextOf(birth));
  const std::string comment = commentOf(birth);
  if (!comment.empty()) line(r, length, comment);
  switch (birth.chartType) {
    case 52:
    case 53:
      line(r, length, "Angles directed using Naibod (59'08) in Right Ascension");
      break;
    case 54:
    case 55:
      line(r, length, "Angles directed using Naibod (59'08) in Longitude");
      break;
    case 56:
    case 57:
      line(r, length, "Angles directed using True Solar Arc in Longitude");
      break;
    case 58:
    case 59:
      line(r, length, "Angles directed using True Solar Arc in Right Ascension");
      break;
    default:
      break;
  }
  const int weekday = chartWeekday(birth, chart);
  const char* month = birth.month >= 1 && birth.month <= 12 ? kMonths[birth.month - 1] : kNoText;
  line(r, length,
       format("%s %s %d %d, ", kWeekdays[weekday], month, birth.day, birth.year) + placeOf(birth) + " " +
           Smart_time(birth.hour, birth.minute, 0, 0, settings));
  line(r, length,
       "Longitude:" + edb_dm(std::fabs(birth.longitude * 15.0), 1) +
           (birth.longitude <= 0 ? "West" : "East") + "    Latitude:" + edb_dm(std::fabs(birth.latitude), 1) +
           (birth.latitude <= 0 ? "South" : "North"));
  line(r, length,
       "Universal Time (GMT):" + jd_ut2(chart.julianDay, birth.day) +
           "     Sidereal Time:" + edth_hms(chart.siderealTime, 0));
}

void timeUnknownLines(Report& r, unsigned long* length) {
  line(r, length, " When the time is unknown,");
  line(r, length, " or when no longitude and latitude are entered ");
  line(r, length, " (longitude = 0 and latitude = 0),");
  line(r, length, " the planetary hour and the houses are meaningless, ");
  line(r, length, " and therefore are not calculated.");
}

void planetaryHourBlock(Report& r, unsigned long* length, const Chart1& birth, const Chart2& chart) {
  if (hasHouses(birth)) {
    line(r, length, "Planetary hour: " + PlanetName(chart.planetaryHour, 0, 0, 0, 0, 0));
  } else {
    timeUnknownLines(r, length);
  }
}

// ---- Positions ----------------------------------------------------------------------------------

void positionsTable(Report& r, unsigned long* length, const CIni& settings, const Chart2& chart,
                    const PositionsLayout& layout) {
  const std::string first = layout.heliocentric ? " HELIOCENTRIC POSITIONS -" : " ";
  const std::string ayanamsa = AyanamsaName(settings, 0);
  if (layout.zodiac == 0) {
    line(r, length, first + " TROPICAL ZODIAC");
  } else if (layout.zodiac == 1) {
    line(r, length, first + " SIDEREAL ZODIAC (using " + ayanamsa + ")");
  } else {
    line(r, length, first);
    line(r, length, "                 TROPICAL:           SIDEREAL (" + ayanamsa + "):");
  }
  if (layout.equatorial) {
    line(r, length, "                                          Right");
    line(r, length,
         std::string(layout.fullNames ? "     " : "") +
             "       Longitude:     Latitude:" + "         Ascension:  Declination: ");
  }
  const int helio = layout.heliocentric ? 1 : 0;
  const int firstObject = layout.heliocentric ? kMoon : kSun;
  const int lastObject = layout.heliocentric ? kPluto : kChiron;
  for (int k = firstObject; k <= lastObject; ++k) {
    const double tropical = layout.heliocentric ? chart.extra[k] : chart.objects[k];
    if (!hasPosition(tropical)) continue;
    // Heliocentric motion is always direct.
    const char motion = layout.heliocentric ? 'D' : chart.motion[k];
    const double shown = inZodiac(tropical, layout.zodiac == 1 ? 1 : 0, settings, chart);
    std::string row = layout.margin ? "      " : "";
    row += layout.fullNames ? PlanetName(k, 0, 0, 11, 1, helio) : PlanetName(k, 1, 0, 0, 0, helio);
    row += "   ";
    row += positionColumn(k, shown, motion);
    if (!layout.heliocentric && k == kBlackMoon && layout.zodiac != 2)
      row += "(=2nd focus of the Moon's orbit)";
    if (layout.zodiac == 2)
      row += "        " + positionColumn(k, inZodiac(tropical, 1, settings, chart), motion);
    if (layout.equatorial && !(k >= kNorthNode && k <= kChiron)) {
      // Right ascension and declination belong to the equator of date: always from the tropical
      // longitude, whatever zodiac the row shows.
      row += "  " + edb_dm(chart.objectLat[k], 0) + "           " +
             radel(tropical, chart.objectLat[k], chart.obliquity);
    }
    line(r, length, row);
  }
}

void partOfFortune(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                   const Chart2& chart, int zodiac) {
  if (!hasHouses(birth) || birth.chartType == chart_type::kSymbolicDirections) return;
  double cusps[12];
  Houses(chart.obliquity, birth.latitude, chart.siderealTime, house_system::kPlacidus, cusps,
         chart.objects[kSun]);
  const double pof = c_c360(cusps[0] + chart.objects[kMoon] - chart.objects[kSun]);
  line(r, length, "  Part of Fortune: " + edl_sdm(inZodiac(pof, zodiac, settings, chart)));
}

void vertexAndEastPoint(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                        const Chart2& chart, int zodiac) {
  if (!hasHouses(birth)) return;
  const double vertex = Vertex(chart.obliquity, birth.latitude, chart.siderealTime);
  const double eastPoint = EastPoint(chart.obliquity, chart.siderealTime);
  line(r, length, "  Vertex:     " + edl_sdm(inZodiac(vertex, zodiac, settings, chart)));
  line(r, length, "  East Point: " + edl_sdm(inZodiac(eastPoint, zodiac, settings, chart)));
}

void meanNode(Report& r, unsigned long* length, const CIni& settings, const Chart2& chart, int zodiac) {
  double trueNode = 0, earlier = 0, later = 0;
  asforce3(chart.julianDay, trueNode, earlier);
  asforce3(chart.julianDay + 0.1, trueNode, later);
  const double step = later - earlier;
  const char mark = (step < 0 && std::fabs(step) < 300) ? 'R' : 'D';
  line(r, length, "  Mean North Node: " + edl_sdmR(inZodiac(earlier, zodiac, settings, chart), mark));
}

// ---- Houses -------------------------------------------------------------------------------------

std::vector<std::string> houseSystemTitle(int system) {
  switch (system) {
    case 1:
      return {"Placidus Houses:"};
    case 2:
      return {"Campanus Houses:"};
    case 3:
      return {"Regiomontanus Houses:"};
    case 4:
      return {"Koch Houses:"};
    case 5:
      return {"Equal Houses:", "   (the 12 houses are equal on the ecliptic)"};
    case 6:
      return {"Bi-horary System of Houses:", "   (the 12 houses are equal on the celestial equator)"};
    case 7:
      return {"Porphyre System of Houses:", "   (on the ecliptic, houses 10,11,12,4,5,6 are equal,",
              "    houses 1,2,3,7,8,9 are equal but not to the former ones)"};
    case 8:
      return {"Alcabitius Houses, an equatorial equivalent of Porphyre:",
              "   (on the celestial equator, houses 10,11,12,4,5,6 are equal,",
              "    houses 1,2,3,7,8,9 are equal but not to the former ones)"};
    case 9:
      return {"Vendel Polich, said 'topocentric system':"};
    case 10:
      return {"Abenragel Houses:"};
    case 11:
      return {"Albatagenius Houses:", "   (the semi-arcs of the Sun are trisected)"};
    default:
      return {};
  }
}

void housesOfSystem(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                    const Chart2& chart, int system, int zodiac) {
  if (!hasHouses(birth)) return;
  int sys = system == 0 ? settings.houseSystem : system;
  double cusps[12];
  HouseStatus status = HouseStatus::Computed;
  if (IsDirectedChart(birth)) {
    if (birth.chartType == chart_type::kSymbolicDirections) {
      line(r, length, " (Apart from ASC and MC, no house cusps are ");
      line(r, length, "  calculated in symbolic directions.)");
      return;
    }
    sys = chart.houseSystem;
    std::copy(std::begin(chart.cusps), std::end(chart.cusps), cusps);
  } else {
    if (sys < house_system::kPlacidus || sys > house_system::kAlbatagenius) return;
    status = Houses(chart.obliquity, birth.latitude, chart.siderealTime, sys, cusps, chart.objects[kSun]);
  }
  // "No Houses" (or a code no system has) lists nothing.
  if (sys < house_system::kPlacidus || sys > house_system::kAlbatagenius) return;
  for (const auto& t : houseSystemTitle(sys)) line(r, length, t);
  if (status == HouseStatus::PorphyryFallback)
    line(r, length, "   (cannot be computed at this latitude: the cusps are Porphyre's)");
  double sidereal[12];
  for (int i = 0; i < 12; ++i) sidereal[i] = inZodiac(cusps[i], 1, settings, chart);
  if (zodiac == 2) {
    line(r, length, "                 TROPICAL:            SIDEREAL");
    static constexpr const char* kLabels[6] = {"          ASC:   ", "           II:   ", "          III:   ",
                                               "           MC:   ", "           XI:   ", "          XII:   "};
    static constexpr int kCusps[6] = {0, 1, 2, 9, 10, 11};
    for (int i = 0; i < 6; ++i)
      line(
          r, length,
          std::string(kLabels[i]) + edl_sdm(cusps[kCusps[i]]) + "           " + edl_sdm(sidereal[kCusps[i]]));
    return;
  }
  const double* shown = zodiac == 1 ? sidereal : cusps;
  static constexpr const char* kLabels[12] = {
      "      ASC:", "        2:", "        3:", "       IC:", "        5:", "        6:",
      "      DES:", "        8:", "        9:", "       MC:", "       11:", "       12:"};
  for (int row = 0; row < 4; ++row) {
    std::string text;
    for (int col = 0; col < 3; ++col) {
      const int i = row * 3 + col;
      text += kLabels[i] + edl_sdm(shown[i]);
    }
    line(r, length, text);
  }
}

void allHouses(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
               const Chart2& chart, int zodiac) {
  if (!hasHouses(birth)) {
    timeUnknownLines(r, length);
    return;
  }
  if (IsDirectedChart(birth)) {
    line(r, length,
         " Progressed charts are meaningful only for the house system for which they have been calculated.");
    housesOfSystem(r, length, settings, birth, chart, 0, zodiac);
    return;
  }
  line(r, length,
       zodiac == 2 ? "HOUSE POSITIONS IN VARIOUS SYSTEMS  (TROPICAL / SIDEREAL COMPARED):"
                   : "HOUSE POSITIONS IN VARIOUS SYSTEMS:");
  UsingWhichZodiac(zodiac, settings, r, length);
  blank(r, length);
  for (int sys = house_system::kPlacidus; sys <= house_system::kAlbatagenius; ++sys) {
    housesOfSystem(r, length, settings, birth, chart, sys, zodiac);
    blank(r, length);
  }
}

void houseRulers(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                 const Chart2& chart, int zodiac) {
  if (!hasHouses(birth)) return;
  line(r, length, "Rulers of each house, and their position in houses:");
  for (int h = 1; h <= 12; ++h)
    line(r, length, format(" %d)", h) + RulerOfHouseIsInHouse(h, zodiac, 0, settings, birth, chart));
}

// ---- Elements -----------------------------------------------------------------------------------

void elementsAndQuadruplicities(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                                const Chart2& chart, int zodiac, bool zodiacSuffix) {
  line(r, length, "Elements and quadruplicities:");
  const int lastObject = hasHouses(birth) ? kPartOfFortune : kChiron;
  const std::vector<int> zodiacs = zodiac == 2 ? std::vector<int>{0, 1} : std::vector<int>{zodiac};
  for (int z : zodiacs) {
    int sign[kObjectCount] = {};
    for (int k = 0; k <= lastObject; ++k)
      if (hasPosition(chart.objects[k]))
        sign[k] = signOfLongitude(inZodiac(chart.objects[k], z, settings, chart));
    const std::string suffix = zodiacSuffix ? (z == 1 ? " - Sidereal Zodiac" : " - Tropical Zodiac") : "";
    auto group = [&](const char* word, int number, int modulus) {
      int count = 0;
      std::string names;
      for (int k = 0; k <= lastObject; ++k) {
        if (sign[k] == 0 || sign[k] % modulus != number % modulus) continue;
        ++count;
        names += PlanetName(k, 1, 0, 0, 0, 0) + " ";
      }
      line(r, length, std::string(word) + format("=%d, ", count) + names);
    };
    line(r, length, "Elements (=triplicities)" + suffix + ":");
    static constexpr const char* kElements[4] = {" Fire ", " Earth ", " Air ", " Water "};
    for (int e = 1; e <= 4; ++e) group(kElements[e - 1], e, 4);
    line(r, length, "Quadruplicities" + suffix + ":");
    static constexpr const char* kQualities[3] = {" Cardinal ", " Fixed ", " Mutable "};
    for (int q = 1; q <= 3; ++q) group(kQualities[q - 1], q, 3);
  }
}

// ---- Other planetary and astronomical information -----------------------------------------------

void mercuryAndVenus(Report& r, unsigned long* length, const Chart2& chart) {
  const double earth = chart.extra[0];
  line(r, length,
       ShortestDistance(chart.extra[2], earth) >= 90 ? " Mercury superior (away from the Earth's side)."
                                                     : " Mercury inferior (on the Earth's side).");
  line(r, length,
       ShortestDistance(chart.extra[3], earth) >= 90 ? " Venus superior (away from the Earth's side)."
                                                     : " Venus inferior (on the Earth's side).");
}

void soliLunar(Report& r, unsigned long* length, const Chart2& chart) {
  const double sun = chart.objects[kSun], moon = chart.objects[kMoon];
  line(r, length, " Soli-Lunar Arc: " + edb_dm(PlanetaryArc(kSun, kMoon, sun, moon), 0));
  line(r, length, format(" The Soli-Lunar Period is no. %d.", FindTheSlupe(sun, moon, 28, 0, 0, 0)));
}

void solarAndLunarArcs(Report& r, unsigned long* length, const Chart2& chart) {
  line(r, length, " Solar Arcs:");
  for (int k = kMercury; k <= kPluto; ++k)
    line(r, length,
         "   Sun-" + PlanetName(k, 1, 0, 0, 0, 0) +
             " Arc: " + edb_dm(PlanetaryArc(kSun, k, chart.objects[kSun], chart.objects[k]), 0));
  line(r, length, " Lunar Arcs:");
  for (int k = kMercury; k <= kPluto; ++k)
    line(r, length,
         "   Moon-" + PlanetName(k, 1, 0, 0, 0, 0) +
             " Arc: " + edb_dm(PlanetaryArc(kMoon, k, chart.objects[kMoon], chart.objects[k]), 0));
}

void julianDayLine(Report& r, unsigned long* length, const Chart2& chart) {
  const double jd = chart.julianDay;
  const double thousands = std::trunc(jd / 1000.0);
  const double rest = jd - thousands * 1000.0;
  const long below = static_cast<long>(std::trunc(rest));
  const long hundredths = static_cast<long>(std::trunc((rest - std::trunc(rest)) * 100.0));
  line(r, length, format(" Julian Day: %ld%03ld.%02ld", static_cast<long>(thousands), below, hundredths));
}

void ayanamsaLine(Report& r, unsigned long* length, const Chart2& chart) {
  line(r, length,
       " Ayanamsa: " + edb_dms(chart.trueAyanamsa, 0) +
           "      Synetic Vernal Point: " + edl_sdms(359.11646316509064 - chart.trueAyanamsa));
}

void obliquityLine(Report& r, unsigned long* length, const Chart2& chart) {
  line(r, length, " Obliquity of the ecliptic: " + edb_dms(chart.obliquity, 0));
}

double nutationSeconds(const Chart2& chart) {
  // The general precession in longitude from J2000.0 (Lieske 1977 as in Meeus, Astronomical
  // Algorithms ch. 21: 5029.0966" T + 1.11113" T^2 - 0.000006" T^3, T Julian centuries of UT); what
  // the true ayanamsa holds beyond it and its value at J2000.0 is the nutation in longitude.
  const double t = (chart.julianDay - 2451544.5) / 36525.0;
  const double precession = (5029.0966 * t + 1.11113 * t * t - 0.000006 * t * t * t) / 3600.0;
  return (chart.trueAyanamsa - precession - 23.8569170650906) * 3600.0;
}

void nutationLine(Report& r, unsigned long* length, const Chart2& chart) {
  const double n = nutationSeconds(chart);
  const double a = std::fabs(n);
  const long whole = static_cast<long>(std::trunc(a));
  const long hundredths = static_cast<long>(std::trunc(a * 100.0)) - whole * 100;
  line(r, length, format(" Nutation: %s%ld.%02ld\"", n < 0 ? "-" : "", whole, hundredths));
}

void dynamicalTimeLine(Report& r, unsigned long* length, const Chart1& birth) {
  const double dt = tdt(birth.year);
  const long whole = static_cast<long>(std::trunc(dt));
  const long tenths = static_cast<long>(std::trunc(std::fabs(dt) * 10.0)) % 10;
  std::string text = " Planetary positions calculated";
  if (birth.year >= 1900 && birth.year <= 1993) {
    text += format(" with Terrestrial Dynamical Time correction= %ld.%ld sec.", whole, tenths);
  } else if (dt != 0) {
    // Outside the measured table the correction comes from a published model: an estimate.
    text += format(" with estimated Terrestrial Dynamical Time correction= %ld.%ld sec.", whole, tenths);
  } else {
    text += " without Terrestrial Dynamical Time correction ";
  }
  line(r, length, text);
}

void planetaryArcs(Report& r, unsigned long* length, const Chart2& chart) {
  line(r, length, "Planetary Arcs:");
  for (int a = kSun; a <= kSouthNode; ++a) {
    for (int b = a + 1; b <= kSouthNode; ++b) {
      if (a == kNorthNode && b == kSouthNode) continue;
      const double arc = PlanetaryArc(a, b, chart.objects[a], chart.objects[b]);
      if (arc < 0) continue;  // an object without a position or without motion
      line(r, length,
           " " + PlanetName(a, 1, 0, 0, 0, 0) + "-" + PlanetName(b, 1, 0, 0, 0, 0) +
               " Arc: " + edb_dm(arc, 0));
    }
  }
}

// ---- Fixed stars --------------------------------------------------------------------------------

FixedStarCatalogue readFixedStars(const std::filesystem::path& programDir) {
  FixedStarCatalogue c;
  const auto values = readFile(findCaseInsensitive(programDir, kStarLongitudeFile));
  if (!values) return c;
  c.longitudesOpened = true;
  const std::size_t recordSize = kStarValues * sizeof(double);
  const std::size_t whole = std::min<std::size_t>(kStarCount, values->size() / recordSize);
  const auto names = readFile(findCaseInsensitive(programDir, kStarNameFile));
  c.namesOpened = names.has_value();
  c.stars.reserve(whole);
  for (std::size_t k = 0; k < whole; ++k) {
    FixedStar star;
    ByteReader reader(std::string_view(*values).substr(k * recordSize, recordSize));
    bool sound = true;
    for (double& v : star.longitudes) {
      v = reader.f64();
      sound = sound && std::isfinite(v) && v >= 0 && v < 360;
    }
    // A damaged star (a value that is no longitude) is left out and counted, never listed.
    if (!sound) {
      ++c.damagedStars;
      continue;
    }
    if (names && names->size() >= (k + 1) * kStarNameSize) {
      char text[kStarNameSize];
      ByteReader nameReader(std::string_view(*names).substr(k * kStarNameSize, kStarNameSize));
      nameReader.text(text, kStarNameSize);
      star.name = text;
    }
    c.stars.push_back(std::move(star));
  }
  return c;
}

double starRatePerYear(const FixedStar& star) {
  // The mean motion over the table (precession and the star's proper motion together), from the
  // decade steps taken the short way round; the general precession when the table gives no sensible
  // rate (more than 36" a year away from it).
  double total = 0;
  for (int j = 0; j + 1 < kStarValues; ++j) {
    double d = star.longitudes[j + 1] - star.longitudes[j];
    if (d < -180) d += 360;
    if (d > 180) d -= 360;
    total += d;
  }
  const double rate = total / (kStarLastYear - kStarFirstYear);
  if (!std::isfinite(rate) || std::fabs(rate - kPrecessionPerYear) > 0.01) return kPrecessionPerYear;
  return rate;
}

double starLongitude(const FixedStar& star, int year) {
  // The table holds the longitude at the start of 1790, 1800, ..., 2000: linear interpolation inside
  // it; outside it the nearest value carried on at the star's mean rate over the table.
  const int t = year - kStarFirstYear;
  const int span = kStarLastYear - kStarFirstYear;
  double lon;
  if (t < 0) {
    lon = star.longitudes[0] + t * starRatePerYear(star);
  } else if (t > span) {
    lon = star.longitudes[kStarValues - 1] + (t - span) * starRatePerYear(star);
  } else {
    const int j = std::min(t / 10, kStarValues - 2);
    const double fraction = (t - 10 * j) / 10.0;
    const double v0 = star.longitudes[j];
    double v1 = star.longitudes[j + 1];
    if (v1 - v0 < -180) v1 += 360;  // carried through 0 degrees Aries within the decade
    lon = v0 + (v1 - v0) * fraction;
  }
  return c_c360(lon);
}

std::vector<StarContact> starContacts(const FixedStarCatalogue& catalogue, double longitude, int year) {
  std::vector<std::pair<double, StarContact>> found;
  if (!hasPosition(longitude) || !std::isfinite(longitude)) return {};
  for (std::size_t k = 0; k < catalogue.stars.size(); ++k) {
    const double star = starLongitude(catalogue.stars[k], year);
    const double orb = ShortestDistance(longitude, star);
    if (!(orb < kStarOrb)) continue;
    double ahead = std::fmod(star - longitude + 540.0, 360.0) - 180.0;  // signed, (-180, 180]
    found.push_back({ahead, StarContact{static_cast<int>(k), star, orb}});
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<StarContact> out;
  out.reserve(found.size());
  for (const auto& f : found) out.push_back(f.second);
  return out;
}

void fixedStars(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                const Chart2& chart, int zodiac, const FixedStarCatalogue& catalogue, ui::Interaction* ui) {
  line(r, length, " FIXED STARS:");
  if (zodiac == 1) {
    line(r, length, "   Longitudes referring to the Sidereal Zodiac");
    line(r, length,
         settings.ayanamsa == kSyneticVernalPoint ? "   using Synetic Vernal Point"
                                                  : "   using True Ayanamsa");
  } else {
    line(r, length, "   Longitudes referring to the Tropical Zodiac");
  }
  if (!catalogue.longitudesOpened) {
    if (ui)
      ui->message({"Could not open ZYKFFL.DTF file", "From Zykifxs", ui::Buttons::Ok, ui::Icon::Stop, {}});
    return;
  }
  if (!catalogue.namesOpened && ui)
    ui->message({"Could not open zykffn.dtf file", "From Zykifxs", ui::Buttons::Ok, ui::Icon::Stop, {}});
  static constexpr const char* kPointNames[kObjectCount] = {
      "Sun ",       "Moon",   "Mercury",   "Venus",     "Mars",        "Jupiter",
      "Saturn",     "Uranus", "Neptune",   "Pluto",     "North Node",  "South Node",
      "Black Moon", "Chiron", "Ascendant", "Midheaven", "Part Fortune"};
  const int lastObject = hasHouses(birth) ? kPartOfFortune : kChiron;
  for (int k = 0; k <= lastObject; ++k) {
    const double lon = chart.objects[k];
    if (!hasPosition(lon)) continue;
    const auto contacts = starContacts(catalogue, lon, birth.year);
    if (contacts.empty()) continue;
    blank(r, length);
    line(r, length,
         std::string(kPointNames[k]) + " (" + edl_sdm(inZodiac(lon, zodiac, settings, chart)) + ")");
    for (const auto& c : contacts) {
      const std::string& name = catalogue.stars[static_cast<std::size_t>(c.star)].name;
      line(r, length, "     " + (name.empty() ? format("Star no. %d", c.star + 1) : name));
      line(r, length,
           "        (longitude of the star: " + edl_sdm(inZodiac(c.starLongitude, zodiac, settings, chart)) +
               " orb=" + edb_dm(c.orb, 0) + ")");
    }
  }
}

// ---- Listings -----------------------------------------------------------------------------------

void simpleListing(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                   const Chart2& chart, int zodiac) {
  chartHeader(r, length, settings, birth, chart);
  planetaryHourBlock(r, length, birth, chart);
  blank(r, length);
  positionsTable(r, length, settings, chart, PositionsLayout{false, zodiac, true, false, true});
  partOfFortune(r, length, settings, birth, chart, zodiac);
  vertexAndEastPoint(r, length, settings, birth, chart, zodiac);
  blank(r, length);
  if (zodiac == 1) ayanamsaLine(r, length, chart);
  housesOfSystem(r, length, settings, birth, chart, 0, zodiac);
}

void detailedListing(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                     const Chart2& chart, int zodiac) {
  chartHeader(r, length, settings, birth, chart);
  planetaryHourBlock(r, length, birth, chart);
  blank(r, length);
  positionsTable(r, length, settings, chart, PositionsLayout{false, zodiac, false, true, false});
  blank(r, length);
  meanNode(r, length, settings, chart, zodiac);
  partOfFortune(r, length, settings, birth, chart, zodiac);
  vertexAndEastPoint(r, length, settings, birth, chart, zodiac);
  blank(r, length);
  housesOfSystem(r, length, settings, birth, chart, 0, zodiac);
  blank(r, length);
  houseRulers(r, length, settings, birth, chart, zodiac);
  blank(r, length);
  PrintDignities(zodiac, 0, r, length, settings, birth, chart);
  blank(r, length);
  MutualReceptions(zodiac, 0, r, length, settings, birth, chart);
  blank(r, length);
  elementsAndQuadruplicities(r, length, settings, birth, chart, zodiac, false);
  blank(r, length);
  line(r, length, "Other planetary information:");
  mercuryAndVenus(r, length, chart);
  soliLunar(r, length, chart);
  solarAndLunarArcs(r, length, chart);
  blank(r, length);
  line(r, length, "Astronomical information:");
  julianDayLine(r, length, chart);
  ayanamsaLine(r, length, chart);
  obliquityLine(r, length, chart);
  nutationLine(r, length, chart);
  dynamicalTimeLine(r, length, birth);
}

void comparedListing(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                     const Chart2& chart) {
  chartHeader(r, length, settings, birth, chart);
  planetaryHourBlock(r, length, birth, chart);
  blank(r, length);
  positionsTable(r, length, settings, chart, PositionsLayout{false, 2, true, false, true});
  blank(r, length);
  ayanamsaLine(r, length, chart);
  blank(r, length);
  housesOfSystem(r, length, settings, birth, chart, 0, 2);
  blank(r, length);
  elementsAndQuadruplicities(r, length, settings, birth, chart, 2, true);
}

void heliocentricListing(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                         const Chart2& chart, int zodiac) {
  chartHeader(r, length, settings, birth, chart);
  blank(r, length);
  positionsTable(r, length, settings, chart, PositionsLayout{true, zodiac, true, false, true});
  if (zodiac == 1 || zodiac == 2) ayanamsaLine(r, length, chart);
}

void allHousesListing(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                      const Chart2& chart, int zodiac) {
  chartHeader(r, length, settings, birth, chart);
  blank(r, length);
  allHouses(r, length, settings, birth, chart, zodiac);
}

void fixedStarsListing(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                       const Chart2& chart, int zodiac, const FixedStarCatalogue& catalogue,
                       ui::Interaction* ui) {
  chartHeader(r, length, settings, birth, chart);
  blank(r, length);
  fixedStars(r, length, settings, birth, chart, zodiac, catalogue, ui);
}

void elementsListing(Report& r, unsigned long* length, const CIni& settings, const Chart1& birth,
                     const Chart2& chart, int zodiac) {
  chartHeader(r, length, settings, birth, chart);
  blank(r, length);
  elementsAndQuadruplicities(r, length, settings, birth, chart, zodiac, true);
}

void planetaryArcsListing(Report& r, unsigned long* length, const Chart2& chart) {
  planetaryArcs(r, length, chart);
}

}  // namespace talpora
