// talpora command line: the computed chart as JSON.
#include "cli/chart_json.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string_view>

#include "cli/json.h"
#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/chart.h"
#include "format/text_format.h"
#include "platform/byte_io.h"
#include "platform/cp1252.h"

namespace talpora::cli {

double shownLongitude(const CIni& settings, const Chart2& chart, bool sidereal, double lon) {
  if (!sidereal || lon == kNoPosition) return lon;
  ConvertToSidereal(&lon, 1, settings, chart);
  return lon;
}

std::string utf8Field(const char* field, std::size_t width) {
  std::size_t n = 0;
  while (n < width && field[n]) ++n;
  return cp1252ToUtf8(std::string_view(field, n));
}

namespace {

// The objects' names as the command's JSON keys them.
const char* const kJsonNames[kObjectCount] = {
    "Sun",        "Moon",   "Mercury",   "Venus",     "Mars",           "Jupiter",
    "Saturn",     "Uranus", "Neptune",   "Pluto",     "North Node",     "South Node",
    "Black Moon", "Chiron", "Ascendant", "Midheaven", "Part of Fortune"};

void longitudeFields(Json& j, double lon) {
  if (lon == kNoPosition || !std::isfinite(lon)) {
    j.key("longitude").null();
    j.key("sign").null();
    j.key("degreeInSign").null();
    return;
  }
  j.key("longitude").value(lon, 6);
  const int sign = static_cast<int>(std::floor(lon / 30.0)) % 12;
  j.key("sign").value(SignName(sign + 1, 0, 0, 0, 0));
  j.key("degreeInSign").value(lon - 30.0 * sign, 6);
}

}  // namespace

void printChartJson(std::ostream& out, const ChartJson& c) {
  const Chart1& b = c.birth;
  const Chart2& x = c.chart;
  const bool houses = AreThereHouses(b) == 1;
  Json j;
  j.beginObject();
  j.field("name", std::string_view(cp1252ToUtf8(fieldText(b.name))));
  j.field("place", std::string_view(cp1252ToUtf8(fieldText(b.place))));
  j.field("chartType", static_cast<int>(b.chartType));
  char date[32], time[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", b.year, b.month, b.day);
  std::snprintf(time, sizeof time, "%02d:%02d", b.hour, b.minute);
  j.field("date", std::string_view(date)).field("time", std::string_view(time));
  j.field("timeKnown", b.timeKnown != 0);
  j.key("timeZone").value(b.timeZone, 4);
  j.field("zoneStatus", static_cast<int>(b.zoneStatus));
  j.key("longitude").value(b.longitude * 15, 6);
  j.key("latitude").value(b.latitude, 6);
  j.key("julianDayUT").value(x.julianDay, 6);
  j.key("deltaT").value(tdt(b.year), 2);
  j.key("obliquity").value(x.obliquity, 6);
  j.key("siderealTime").value(x.siderealTime, 6);
  j.key("trueAyanamsa").value(x.trueAyanamsa, 6);
  j.key("syneticVernalPoint").value(x.syneticVernalPoint, 6);
  j.key("houseSystem").beginObject();
  j.field("code", static_cast<int>(x.houseSystem));
  j.field("name", std::string_view(HouseSystemName(x.houseSystem)));
  j.field("fallback", c.housesFellBack);
  j.endObject();
  j.field("zodiac", c.sidereal ? "sidereal" : "tropical");
  j.field("houses", houses);
  j.key("objects").beginObject();
  for (int i = 0; i < kObjectCount; ++i) {
    j.key(kJsonNames[i]).beginObject();
    const bool angle = i == kAscendant || i == kMidheaven || i == kPartOfFortune;
    longitudeFields(
        j, angle && !houses ? kNoPosition : shownLongitude(c.settings, c.chart, c.sidereal, x.objects[i]));
    if (i <= kPluto) j.key("latitude").value(x.objectLat[i], 6);
    j.field("motion", std::string_view(x.motion[i] == 'R' ? "R" : "D"));
    if (i >= kMercury && i <= kPluto) j.key("heliocentricLongitude").value(x.extra[i], 6);
    j.endObject();
  }
  j.endObject();
  j.key("earthHeliocentricLongitude").value(x.extra[0], 6);
  if (houses) {
    j.key("cusps").beginArray();
    for (double cusp : x.cusps) j.value(shownLongitude(c.settings, c.chart, c.sidereal, cusp), 6);
    j.endArray();
    j.key("vertex").value(shownLongitude(c.settings, c.chart, c.sidereal, c.vertex), 6);
    j.key("eastPoint").value(shownLongitude(c.settings, c.chart, c.sidereal, c.eastPoint), 6);
  } else {
    j.key("cusps").null();
    j.key("vertex").null();
    j.key("eastPoint").null();
  }
  j.key("planetaryHour");
  if (x.planetaryHour == kNoPlanetaryHour) {
    j.null();
  } else {
    j.beginObject();
    j.field("object", static_cast<int>(x.planetaryHour));
    j.field("name", std::string_view(PlanetName(x.planetaryHour, 0, 0, 0, 0, 0)));
    j.endObject();
  }
  j.endObject();
  out << j.str() << '\n';
}

}  // namespace talpora::cli
