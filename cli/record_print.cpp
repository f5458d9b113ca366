// talpora command line: chart records as text and JSON.
#include "cli/record_print.h"

#include <cstdio>

#include "platform/byte_io.h"
#include "platform/cp1252.h"

namespace talpora::cli {

std::string exact(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

namespace {
std::string utf8(const char* field, std::size_t width) {
  return cp1252ToUtf8(fieldText(field, width));
}
template <std::size_t N>
std::string utf8(const char (&f)[N]) {
  return utf8(f, N);
}
}  // namespace

std::string chart1Text(const Chart1& c) {
  std::string s;
  auto line = [&](const char* k, const std::string& v) { s += std::string(k) + ": " + v + "\n"; };
  line("chartType", std::to_string(c.chartType));
  line("day", std::to_string(c.day));
  line("month", std::to_string(c.month));
  line("year", std::to_string(c.year));
  line("hour", std::to_string(c.hour));
  line("minute", std::to_string(c.minute));
  line("longitude", exact(c.longitude) + " h (" + exact(c.longitude * 15) + " deg)");
  line("latitude", exact(c.latitude));
  line("timeZone", exact(c.timeZone));
  line("timeKnown", std::to_string(c.timeKnown));
  line("zoneStatus", std::to_string(c.zoneStatus));
  line("country", std::to_string(c.country));
  line("place", utf8(c.place));
  line("name", utf8(c.name));
  line("typeText", utf8(c.typeText));
  line("comment", utf8(c.comment));
  line("region", std::to_string(c.region));
  line("marker1", std::to_string(c.marker1));
  line("marker2", std::to_string(c.marker2));
  line("doubleChart", std::to_string(c.doubleChart));
  line("marker3", std::to_string(c.marker3));
  line("reserved", std::to_string(c.reserved));
  return s;
}

void chart1Json(Json& j, const Chart1& c) {
  j.field("chartType", c.chartType).field("day", c.day).field("month", c.month).field("year", c.year);
  j.field("hour", c.hour).field("minute", c.minute);
  j.key("longitude").value(c.longitude, 17);
  j.key("latitude").value(c.latitude, 17);
  j.key("timeZone").value(c.timeZone, 17);
  j.field("timeKnown", static_cast<int>(c.timeKnown)).field("zoneStatus", c.zoneStatus);
  j.field("country", c.country);
  j.field("place", std::string_view(utf8(c.place)));
  j.field("name", std::string_view(utf8(c.name)));
  j.field("typeText", std::string_view(utf8(c.typeText)));
  j.field("comment", std::string_view(utf8(c.comment)));
  j.field("region", c.region).field("marker1", c.marker1).field("marker2", c.marker2);
  j.field("doubleChart", static_cast<int>(c.doubleChart)).field("marker3", static_cast<int>(c.marker3));
  j.field("reserved", static_cast<int>(c.reserved));
}

std::string chart2Text(const Chart2& c) {
  std::string s;
  auto line = [&](const std::string& k, const std::string& v) { s += k + ": " + v + "\n"; };
  line("julianDay", exact(c.julianDay));
  line("siderealTime", exact(c.siderealTime));
  line("obliquity", exact(c.obliquity));
  line("trueAyanamsa", exact(c.trueAyanamsa));
  line("syneticVernalPoint", exact(c.syneticVernalPoint));
  line("houseSystem", std::to_string(c.houseSystem));
  for (int i = 0; i < 12; ++i) line("cusps[" + std::to_string(i) + "]", exact(c.cusps[i]));
  for (int i = 0; i < 17; ++i) {
    const char m = c.motion[i] ? c.motion[i] : ' ';
    line("objects[" + std::to_string(i) + "]",
         exact(c.objects[i]) + " " + m + " lat " + exact(c.objectLat[i]));
  }
  for (int i = 0; i < 12; ++i) line("extra[" + std::to_string(i) + "]", exact(c.extra[i]));
  line("planetaryHour", std::to_string(c.planetaryHour));
  line("spare",
       std::to_string(c.spare[0]) + " " + std::to_string(c.spare[1]) + " " + std::to_string(c.spare[2]));
  return s;
}

void chart2Json(Json& j, const Chart2& c) {
  j.key("julianDay").value(c.julianDay, 9);
  j.key("siderealTime").value(c.siderealTime, 9);
  j.key("obliquity").value(c.obliquity, 9);
  j.key("trueAyanamsa").value(c.trueAyanamsa, 9);
  j.key("syneticVernalPoint").value(c.syneticVernalPoint, 9);
  j.field("houseSystem", c.houseSystem);
  j.key("cusps").beginArray();
  for (double d : c.cusps) j.value(d, 9);
  j.endArray();
  j.key("objects").beginArray();
  for (double d : c.objects) j.value(d, 9);
  j.endArray();
  j.key("motion").value(std::string_view(std::string(c.motion, c.motion + 17).c_str()));
  j.key("objectLat").beginArray();
  for (double d : c.objectLat) j.value(d, 9);
  j.endArray();
  j.key("extra").beginArray();
  for (double d : c.extra) j.value(d, 9);
  j.endArray();
  j.field("planetaryHour", c.planetaryHour);
  j.key("spare").beginArray();
  for (auto s : c.spare) j.value(static_cast<int>(s));
  j.endArray();
}

}  // namespace talpora::cli
