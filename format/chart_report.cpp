// zykfmt: the text of a computed chart, as the command line shows it: the chart's moment and place,
// its time scales and references, the objects with latitude and heliocentric longitude, the cusps,
// the Vertex and the East Point.
#include "format/chart_report.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/houses.h"
#include "format/text_format.h"
#include "platform/byte_io.h"
#include "platform/cp1252.h"

namespace talpora {
namespace {

// A report line in UTF-8, without trailing blanks.
std::string utf8(const std::string& cp1252) {
  std::string s = cp1252ToUtf8(cp1252);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}
std::string fixedText(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

std::string houseSystemText(const ComputedChart& c) {
  std::string s = HouseSystemName(c.chart.houseSystem);
  if (c.status.houseSystemRequested != c.chart.houseSystem)
    s += " (code " + std::to_string(c.status.houseSystemRequested) + " is computed as Placidus)";
  if (c.status.housesFellBack()) s += " - cusps by Porphyre: the system cannot be computed at this latitude";
  return s;
}

std::string planetaryHourText(const ComputedChart& c) {
  if (c.chart.planetaryHour == kNoPlanetaryHour) {
    if (c.birth.timeKnown == 0) return "not computed (time unknown)";
    if (c.birth.longitude == 0.0 && c.birth.latitude == 0.0) return "not computed (no place)";
    switch (c.status.sunriseSearch) {
      case RiseSetStatus::NoSet:
        return "not computed (the Sun does not set that day)";
      case RiseSetStatus::NoRise:
        return "not computed (the Sun does not rise that day)";
      default:
        return "not computed";
    }
  }
  return PlanetName(c.chart.planetaryHour, 0, 0, 0, 0, 0);
}

}  // namespace

std::string chartReport(const ComputedChart& c) {
  std::ostringstream out;
  const Chart1& b = c.birth;
  const Chart2& x = c.chart;
  const CIni& s = c.settings;
  const bool houses = AreThereHouses(b) == 1;
  const int z = c.sidereal ? 1 : 0;
  const std::string name = cp1252ToUtf8(fieldText(b.name)), place = cp1252ToUtf8(fieldText(b.place));
  out << "Chart: " << (name.empty() ? "(no name)" : name) << '\n';
  out << "Place: " << (place.empty() ? "" : place + "  ")
      << utf8(edb_geographicalongldms(b.longitude * 15, 0, 0)) << "  "
      << utf8(edb_geographicallatdm(b.latitude, 0, 0)) << '\n';
  const double localJd = julian_dayh(b.day, b.month, b.year, b.hour, b.minute);
  out << "Local time: " << Smart_datetime(localJd, 1, 2, 1, b.timeKnown ? 1 : 0, 0, s);
  if (!b.timeKnown) out << " (time unknown)";
  out << "  zone " << (b.timeZone < 0 ? "-" : "+") << fixedText(std::fabs(b.timeZone), 2) << " h\n";
  out << "Universal time: " << Smart_datetime(x.julianDay, 1, 0, 1, 1, 0, s) << '\n';
  out << "Julian Day (UT): " << fixedText(x.julianDay, 6) << "   Delta T: " << fixedText(tdt(b.year), 1)
      << " s\n";
  out << "Sidereal time: " << edth_hms(x.siderealTime, 0) << "   Obliquity:" << utf8(edb_dms(x.obliquity, 0))
      << '\n';
  out << "True Ayanamsa:" << utf8(edb_dms(x.trueAyanamsa, 0))
      << "   Synetic Vernal Point:" << utf8(edb_dms(x.syneticVernalPoint, 0)) << '\n';
  out << "Zodiac: " << (c.sidereal ? "sidereal, " + AyanamsaName(s, 0) : std::string("tropical")) << '\n';
  out << "House system: " << houseSystemText(c) << '\n';
  out << "Planetary hour: " << planetaryHourText(c) << "\n\n";
  for (int i = 0; i < kObjectCount; ++i) {
    if (!houses && (i == kAscendant || i == kMidheaven || i == kPartOfFortune)) continue;
    std::string line = PlanetName(i, 0, 0, 17, 1, 0);
    line += x.objects[i] == kNoPosition ? std::string("---         ")
                                        : Smart_longitude1(x.objects[i], x.motion[i], s, x, z, 1, 0, 1, 0, 0);
    if (i <= kPluto) line += "   lat " + edb_dm(x.objectLat[i], 0);
    if (i >= kMercury && i <= kPluto) line += "   helio " + edl_sdm(x.extra[i]);
    out << utf8(line) << '\n';
  }
  if (!houses) {
    out << "\nNo houses: " << (b.timeKnown ? "no place (longitude and latitude 0)" : "the time is unknown")
        << '\n';
    return out.str();
  }
  out << '\n';
  for (int k = 0; k < 6; ++k) {
    std::string line = "House " + std::string(k + 1 < 10 ? " " : "") + std::to_string(k + 1) + ": " +
                       Smart_longitude1(x.cusps[k], 'D', s, x, z, 1, 0, 0, 0, 0);
    line += "      House " + std::string(k + 7 < 10 ? " " : "") + std::to_string(k + 7) + ": " +
            Smart_longitude1(x.cusps[k + 6], 'D', s, x, z, 1, 0, 0, 0, 0);
    out << utf8(line) << '\n';
  }
  out << utf8("Vertex:     " + Smart_longitude1(c.vertex, 'D', s, x, z, 1, 0, 0, 0, 0)) << '\n';
  out << utf8("East Point: " + Smart_longitude1(c.eastPoint, 'D', s, x, z, 1, 0, 0, 0, 0)) << '\n';
  return out.str();
}

}  // namespace talpora
