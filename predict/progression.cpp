// zykpred: progressions, directions and the prediction listings.
#include "predict/progression.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/chart.h"
#include "engine/houses.h"
#include "files/zykfile.h"
#include "format/report_headers.h"
#include "format/text_format.h"
#include "platform/byte_io.h"

namespace talpora {

namespace predict_detail {

double inZodiac(double lon, int zodiac, const CIni& settings, const Chart2& chart) {
  if (zodiac == 1 && hasPosition(lon)) ConvertToSidereal(&lon, 1, settings, chart);
  return lon;
}

int movingHouse(double lon, int zodiac, const CIni& settings, const Chart1& natal, const Chart2& natalChart,
                const Chart2& moving) {
  if (!hasPosition(lon)) return 0;
  if (zodiac == 1) lon = c_c360(lon + natalChart.trueAyanamsa - moving.trueAyanamsa);
  return ObjectIsInHouse(lon, 1, settings, natal, natalChart);
}

int progressedObjectCount(const Chart1& natal) {
  return AreThereHouses(natal) ? 16 : 14;
}

bool natalObjectTakesPart(const Chart1& natal, int object) {
  return object < kAscendant || AreThereHouses(natal) != 0;
}

}  // namespace predict_detail

using namespace predict_detail;

namespace {

// (-180, 180].
double signedArc(double a) {
  double x = c_c360(a);
  return x > 180 ? x - 360 : x;
}

double localBirthday(const Chart1& natal, int year) {
  return julian_dayh(natal.day, natal.month, year, natal.hour, natal.minute) - natal.timeZone / 24.0;
}

}  // namespace

int isProgressionMethod(int method) {
  return (method >= 1 && method <= 4) || method == 33 ? 1 : 0;
}

int progressionChartType(int method, int converse) {
  int base = 0;
  switch (method) {
    case 1:
      base = 52;
      break;
    case 2:
      base = 54;
      break;
    case 3:
      base = 56;
      break;
    case 4:
      base = 58;
      break;
    case 33:
      base = chart_type::kSolarArc;
      break;
    default:
      return 0;
  }
  return base + (converse ? 1 : 0);
}

const char* progressionMethodLine(int chartType) {
  switch (chartType) {
    case 52:
    case 53:
      return "Angles directed using Naibod (59'08) in Right Ascension";
    case 54:
    case 55:
      return "Angles directed using Naibod (59'08) in Longitude";
    case 56:
    case 57:
      return "Angles directed using True Solar Arc in Longitude";
    case 58:
    case 59:
      return "Angles directed using True Solar Arc in Right Ascension";
    case 67:
    case 68:
      return "All planets moved at the rate of the Sun, 1 day per year";
    default:
      return "";
  }
}

PredictionOrbs readPredictionOrbs(const CIni& settings, ui::Interaction* ui) {
  PredictionOrbs orbs;
  float unused[9];
  ReadOrbs(settings, 2, orbs.transits, unused, 2, ui);
  ReadOrbs(settings, 2, orbs.progressions, unused, 3, ui);
  return orbs;
}

double progressionAge(const Chart1& natal, int day, int month, int year, int converse) {
  const double target = julian_dayh(day, month, year, natal.hour, natal.minute) - natal.timeZone / 24.0;
  const double birthday = localBirthday(natal, year);
  double last = 0, next = 0;
  int whole = 0;
  if (birthday <= target) {
    last = birthday;
    next = localBirthday(natal, year + 1);
    whole = year - natal.year;
  } else {
    last = localBirthday(natal, year - 1);
    next = birthday;
    whole = year - natal.year - 1;
  }
  const double age = whole + (target - last) / (next - last);
  return converse ? -age : age;
}

// Secondary progression: the chart of natal JD + age days, recomputed (engine/chart.h), then the
// angles directed by the method (sidereal time in hours, longitudes in degrees, the progressed
// chart's obliquity and the natal latitude), or every natal point moved by the solar arc.
int Progression(const CIni& settings, const Chart1& natal, const Chart2& natalChart, Chart1& target,
                Chart2& targetChart, int converse, int method, const ChironTable& chiron) {
  if (!isProgressionMethod(method)) return 0;
  const int day = target.day, month = target.month, year = target.year;
  const double age = progressionAge(natal, day, month, year, converse);
  const double progressedJd = natalChart.julianDay + age;
  Chart1 derived = natal;
  jd_to_date(progressedJd + natal.timeZone / 24.0, &derived.day, &derived.month, &derived.year, &derived.hour,
             &derived.minute);
  derived.chartType = static_cast<std::int16_t>(progressionChartType(method, converse));
  const std::string date = ed_date(day, month, year, 0);
  if (method == progression_method::kSolarArcDirections) {
    setField(derived.typeText, converse ? "Converse Solar Arc Dir." : "Solar Arc Directions");
    setField(derived.comment, "for " + date);
  } else {
    setField(derived.typeText, (converse ? "Cv.Prog. " : "Progression ") + date);
    setField(derived.comment, "");
  }
  Chart2 chart;
  calculall(settings, derived, chart, chiron);
  const double progressedSun = chart.objects[kSun], natalSun = natalChart.objects[kSun];
  if (method == progression_method::kSolarArcDirections) {
    const double arc = signedArc(progressedSun - natalSun);
    for (int i = 0; i < kObjectCount; ++i)
      chart.objects[i] =
          hasPosition(natalChart.objects[i]) ? c_c360(natalChart.objects[i] + arc) : kNoPosition;
    for (int k = 0; k < 12; ++k) chart.cusps[k] = c_c360(natalChart.cusps[k] + arc);
    chart.objects[kAscendant] = chart.cusps[0];
    chart.objects[kMidheaven] = chart.cusps[9];
  } else {
    double st = 0;
    switch (method) {
      case progression_method::kNaibodRightAscension:
        st = natalChart.siderealTime + age * kNaibodHoursPerYear;
        break;
      case progression_method::kNaibodLongitude:
        st =
            GetSiderealTimeFromMC(c_c360(natalChart.cusps[9] + age * kNaibodDegreesPerYear), chart.obliquity);
        break;
      case progression_method::kSolarArcLongitude:
        st = GetSiderealTimeFromMC(c_c360(natalChart.cusps[9] + c_c360(progressedSun - natalSun)),
                                   chart.obliquity);
        break;
      default: {
        double raProgressed, raNatal, dec;
        lb_radel(progressedSun, chart.objectLat[kSun], chart.obliquity, raProgressed, dec);
        lb_radel(natalSun, natalChart.objectLat[kSun], natalChart.obliquity, raNatal, dec);
        st = natalChart.siderealTime + c_c360(raProgressed - raNatal) / 15.0;
        break;
      }
    }
    st = std::fmod(st, 24.0);
    if (st < 0) st += 24.0;
    Houses(chart.obliquity, natal.latitude, st, settings.houseSystem, chart.cusps, progressedSun);
    chart.objects[kAscendant] = chart.cusps[0];
    chart.objects[kMidheaven] = chart.cusps[9];
    chart.siderealTime = st;
  }
  target = derived;
  targetChart = chart;
  return 1;
}

int ProgressionForjul_day(double julianDay, const CIni& settings, const Chart1& natal,
                          const Chart2& natalChart, Chart1& target, Chart2& targetChart, int converse,
                          int method, const ChironTable& chiron) {
  Chart1 dated = target;
  short h, mi;
  jd_to_date(julianDay + natal.timeZone / 24.0, &dated.day, &dated.month, &dated.year, &h, &mi);
  if (!isProgressionMethod(method)) return 0;
  target = dated;
  return Progression(settings, natal, natalChart, target, targetChart, converse, method, chiron);
}

double ForWhenWasThisProgressionCalulated(const CIni&, const Chart1& natal, const Chart2& natalChart, int,
                                          const Chart2& derived) {
  const double age = std::fabs(derived.julianDay - natalChart.julianDay);
  const int whole = static_cast<int>(std::floor(age));
  const double j1 = localBirthday(natal, natal.year + whole);
  const double j2 = localBirthday(natal, natal.year + whole + 1);
  const double local = j1 + (age - whole) * (j2 - j1) + natal.timeZone / 24.0;
  // The nearest calendar date at the natal clock time (local Julian Days of midnight end in .5).
  const double clock = (natal.hour * 60.0 + natal.minute) / 1440.0;
  return std::floor(local - clock) + 0.5 + clock;
}

void SymbolicDirections(int, const Chart1& natal, const Chart2& natalChart, Chart1& target,
                        Chart2& targetChart, int year, int kind) {
  const double arc = (year - natal.year) * (kind == 1 ? kSymbolicNaibodRate : 1.0);
  Chart1 derived = natal;
  Chart2 chart = natalChart;
  for (int i = 0; i < kObjectCount; ++i) {
    if (hasPosition(chart.objects[i])) chart.objects[i] = c_c360(chart.objects[i] + arc);
    chart.motion[i] = 'D';
  }
  derived.chartType =
      static_cast<std::int16_t>(kind == 1 ? chart_type::kSymbolicNaibod : chart_type::kSymbolicDirections);
  setField(derived.typeText, kind == 1 ? "Symbolic Dir. Naibod" : "Symbolic Directions");
  char comment[32];
  std::snprintf(comment, sizeof comment, "for %d", year);
  setField(derived.comment, comment);
  target = derived;
  targetChart = chart;
}

namespace {

struct ListingContext {
  Report& report;
  unsigned long* length;
  int zodiac;
  const CIni& settings;
  const Chart1& natal;
  const Chart2& natalChart;
};

void line(const ListingContext& c, const std::string& text) {
  AddLine(c.report, c.length, text, 1, 0);
}

std::string shownLongitude(const ListingContext& c, double lon, const Chart2& chart) {
  return edl_sdm(inZodiac(lon, c.zodiac, c.settings, chart));
}

// The aspects of a moving object to the objects of a partner chart, one line each.
void aspectLines(const ListingContext& c, double lon, const Chart2& moving, const Chart2& partner,
                 int partnerCount, const char* partnerWord, const float* orbs) {
  const double a = inZodiac(lon, c.zodiac, c.settings, moving);
  for (int j = 0; j < partnerCount; ++j) {
    if (!hasPosition(partner.objects[j])) continue;
    if (!natalObjectTakesPart(c.natal, j)) continue;
    const double b = inZodiac(partner.objects[j], c.zodiac, c.settings, partner);
    for (int k = 0; k < 9; ++k) {
      double deviation = 0;
      if (!AreAspectedLowLevel(a, b, AspectValue(k), orbs[k], deviation)) continue;
      line(c, "      " + AspectedName(k, 0, 0) + partnerWord + PlanetName(j, 2, 0, 0, 0, 0) + " (" +
                  edl_sdm(b) + "), orb:" + edb_dm(deviation, -1));
    }
  }
}

void houseLine(const ListingContext& c, double lon, const Chart2& moving) {
  if (!AreThereHouses(c.natal)) return;
  const int house = movingHouse(lon, c.zodiac, c.settings, c.natal, c.natalChart, moving);
  line(c, "      in the " + ProperFormat(house) + " house of the natal chart");
}

std::string momentLines(const ListingContext& c, const Chart1& moving, const Chart2& movingChart,
                        std::string& legal) {
  const std::string ut = Smart_datetime(movingChart.julianDay, 1, 0, 1, 1, 0, c.settings);
  legal.clear();
  if (moving.timeZone != 0)
    legal = "Legal time: " + placeOf(moving) + " " +
            Smart_datetime(movingChart.julianDay + moving.timeZone / 24.0, 1, 0, 1, 1, 0, c.settings);
  return ut;
}

}  // namespace

void PredictionListing(Report& report, unsigned long* length, int type, int zodiac, const CIni& settings,
                       const Chart1& natal, const Chart2& natalChart, const Chart1& moving,
                       const Chart2& movingChart, const Chart1& progressed, const Chart2& progressedChart,
                       const PredictionOrbs& orbs) {
  const ListingContext c{report, length, zodiac, settings, natal, natalChart};
  ListingHeader(report, length, settings, natal, natalChart);
  std::string title, legal;
  if (type == listing_type::kTransitsAndProgressions) {
    title = "TRANSITS AND PROGRESSIONS for (Universal Time): " + momentLines(c, moving, movingChart, legal);
  } else {
    const std::string comment = commentOf(moving);
    switch (moving.chartType) {
      case chart_type::kSymbolicDirections:
        title = "SYMBOLIC DIRECTIONS (1 degree per year) " + comment + ":";
        break;
      case chart_type::kSymbolicNaibod:
        title = "SYMBOLIC DIRECTIONS NAIBOD (59'08 per year) " + comment + ":";
        break;
      case chart_type::kSiderealTransits:
      case chart_type::kTransits:
        title = "TRANSITS FOR (Universal Time): " + momentLines(c, moving, movingChart, legal);
        break;
      case 52:
      case 53:
      case 54:
      case 55:
      case 56:
      case 57:
      case 58:
      case 59:
        title =
            std::string(moving.chartType % 2 ? "CONVERSE PROGRESSIONS for " : "PROGRESSIONS for ") +
            jd_date(ForWhenWasThisProgressionCalulated(settings, natal, natalChart, 0, movingChart), 0, 1);
        break;
      case chart_type::kSolarArc:
        title = "SOLAR ARC DIRECTIONS " + comment + ":";
        break;
      case chart_type::kConverseSolarArc:
        title = "CONVERSE SOLAR ARC DIRECTIONS " + comment + ":";
        break;
      default:
        break;
    }
  }
  if (!title.empty()) line(c, title);
  if (!legal.empty()) line(c, legal);
  const std::string method = progressionMethodLine(progressed.chartType);
  if (!method.empty()) line(c, method);
  UsingWhichZodiac(zodiac, settings, report, length);
  AddLine(report, length, "", 0, 0);
  const bool withTransits = type == listing_type::kTransits || type == listing_type::kTransitsAndProgressions;
  const bool withProgressed = type != listing_type::kTransits;
  const int progressedCount = progressedObjectCount(natal);
  for (int i = 0; i < kObjectCount; ++i) {
    if (withTransits && i <= kChiron && hasPosition(movingChart.objects[i])) {
      const double lon = movingChart.objects[i];
      line(c, "Transiting " + PlanetName(i, 2, 0, 0, 0, 0) +
                  (movingChart.motion[i] == 'R' ? " (retrograde) -" : " - ") +
                  shownLongitude(c, lon, movingChart));
      houseLine(c, lon, movingChart);
      aspectLines(c, lon, movingChart, natalChart, kObjectCount, " natal ", orbs.transits);
      if (type == listing_type::kTransitsAndProgressions)
        aspectLines(c, lon, movingChart, progressedChart, progressedCount, " progressed ", orbs.transits);
    }
    if (withProgressed && i < progressedCount && hasPosition(progressedChart.objects[i])) {
      const double lon = progressedChart.objects[i];
      line(c, std::string(type == listing_type::kDirections ? "Directed " : "Progressed ") +
                  PlanetName(i, 2, 0, 0, 0, 0) +
                  (progressedChart.motion[i] == 'R' ? " (retrograde) - " : " - ") +
                  shownLongitude(c, lon, progressedChart));
      houseLine(c, lon, progressedChart);
      aspectLines(c, lon, progressedChart, natalChart, kObjectCount, " natal ", orbs.progressions);
    }
  }
}

}  // namespace talpora
