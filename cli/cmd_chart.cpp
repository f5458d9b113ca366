// talpora chart, talpora now: the computed chart of a moment, or of the present moment at a place chart.
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/json.h"
#include "core/calendar.h"
#include "core/zodiac.h"
#include "engine/chart.h"
#include "engine/houses.h"
#include "engine/now.h"
#include "files/zykfile.h"
#include "format/text_format.h"
#include "platform/cp1252.h"
#include "platform/headless/fakes.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora::cli {
namespace {

// The objects' names as the command's JSON keys them.
const char* const kJsonNames[kObjectCount] = {
    "Sun",        "Moon",   "Mercury",   "Venus",     "Mars",           "Jupiter",
    "Saturn",     "Uranus", "Neptune",   "Pluto",     "North Node",     "South Node",
    "Black Moon", "Chiron", "Ascendant", "Midheaven", "Part of Fortune"};

struct Computed {
  Chart1 birth;
  CIni settings;
  Chart2 chart;
  ChartStatus status;
  bool sidereal = false;
  double vertex = 0, eastPoint = 0;
};

CIni loadSettings(Context& ctx, ui::Interaction& ui) {
  CIni settings = defaultSettings(ctx.programDir().dir.string());
  PutInMemBlock_CIni(settings, ctx.programDir().dir, ui);
  return settings;
}

Computed compute(const Chart1& birth, CIni settings, std::optional<int> houseSystem,
                 std::optional<Zodiac> zodiac, ui::Interaction& ui) {
  Computed c;
  c.birth = birth;
  if (houseSystem) settings.houseSystem = static_cast<std::int16_t>(*houseSystem);
  c.settings = settings;
  c.sidereal = zodiac && *zodiac == Zodiac::Sidereal;
  const ChironTable chiron = loadChironTable(settings, ui);
  c.status = calculall(settings, birth, c.chart, chiron);
  c.vertex = Vertex(c.chart.obliquity, birth.latitude, c.chart.siderealTime);
  c.eastPoint = EastPoint(c.chart.obliquity, c.chart.siderealTime);
  return c;
}

// A longitude in the zodiac asked for (the -1 marker stays).
double shown(const Computed& c, double lon) {
  if (!c.sidereal || lon == kNoPosition) return lon;
  ConvertToSidereal(&lon, 1, c.settings, c.chart);
  return lon;
}

// A report line in UTF-8, without trailing blanks.
std::string utf8(const std::string& cp1252) {
  std::string s = cp1252ToUtf8(cp1252);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}
std::string utf8Field(const char* field, std::size_t width) {
  std::size_t n = 0;
  while (n < width && field[n]) ++n;
  return cp1252ToUtf8(std::string_view(field, n));
}
std::string fixedText(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

std::string houseSystemText(const Computed& c) {
  std::string s = HouseSystemName(c.chart.houseSystem);
  if (c.status.houseSystemRequested != c.chart.houseSystem)
    s += " (code " + std::to_string(c.status.houseSystemRequested) + " is computed as Placidus)";
  if (c.status.housesFellBack()) s += " - cusps by Porphyre: the system cannot be computed at this latitude";
  return s;
}

std::string planetaryHourText(const Computed& c) {
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

void printText(const Computed& c, std::ostream& out) {
  const Chart1& b = c.birth;
  const Chart2& x = c.chart;
  const CIni& s = c.settings;
  const bool houses = AreThereHouses(b) == 1;
  const int z = c.sidereal ? 1 : 0;
  const std::string name = utf8Field(b.name, sizeof b.name), place = utf8Field(b.place, sizeof b.place);
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
    return;
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
}

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

void printJson(const Computed& c, std::ostream& out) {
  const Chart1& b = c.birth;
  const Chart2& x = c.chart;
  const bool houses = AreThereHouses(b) == 1;
  Json j;
  j.beginObject();
  j.field("name", std::string_view(utf8Field(b.name, sizeof b.name)));
  j.field("place", std::string_view(utf8Field(b.place, sizeof b.place)));
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
  j.field("fallback", c.status.housesFellBack());
  j.endObject();
  j.field("zodiac", c.sidereal ? "sidereal" : "tropical");
  j.field("houses", houses);
  j.key("objects").beginObject();
  for (int i = 0; i < kObjectCount; ++i) {
    j.key(kJsonNames[i]).beginObject();
    const bool angle = i == kAscendant || i == kMidheaven || i == kPartOfFortune;
    longitudeFields(j, angle && !houses ? kNoPosition : shown(c, x.objects[i]));
    if (i <= kPluto) j.key("latitude").value(x.objectLat[i], 6);
    j.field("motion", std::string_view(x.motion[i] == 'R' ? "R" : "D"));
    if (i >= kMercury && i <= kPluto) j.key("heliocentricLongitude").value(x.extra[i], 6);
    j.endObject();
  }
  j.endObject();
  j.key("earthHeliocentricLongitude").value(x.extra[0], 6);
  if (houses) {
    j.key("cusps").beginArray();
    for (double cusp : x.cusps) j.value(shown(c, cusp), 6);
    j.endArray();
    j.key("vertex").value(shown(c, c.vertex), 6);
    j.key("eastPoint").value(shown(c, c.eastPoint), 6);
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

int runChart(Args& args, Context& ctx) {
  const bool json = args.flag("--json");
  ChartRequest req = parseChartOptions(args, ctx);
  args.finish();
  headless::StderrInteraction ui;
  const CIni settings = loadSettings(ctx, ui);
  const Computed c = compute(req.chart, settings, req.houseSystem, req.zodiac, ui);
  json ? printJson(c, ctx.out) : printText(c, ctx.out);
  return kExitOk;
}

int runNow(Args& args, Context& ctx) {
  const bool json = args.flag("--json");
  const long place = args.integer("--place").value_or(0);
  std::optional<int> houseSystem;
  if (auto hs = args.integer("--house-system")) {
    if (*hs < 0 || *hs > 11) throw UsageError("option --house-system: codes are 0 to 11");
    houseSystem = static_cast<int>(*hs);
  }
  std::optional<Zodiac> zodiac;
  if (auto z = args.option("--zodiac")) {
    if (*z != "tropical" && *z != "sidereal") throw UsageError("option --zodiac: tropical or sidereal");
    zodiac = *z == "sidereal" ? Zodiac::Sidereal : Zodiac::Tropical;
  }
  args.finish();
  if (place < 0 || place > 99) throw UsageError("option --place: place charts are 0 to 99");
  headless::StderrInteraction ui;
  const CIni settings = loadSettings(ctx, ui);
  Chart1 birth;
  const headless::SystemClock clock;
  Chart1 placeChart;
  if (!readPlaceChart(settings, static_cast<int>(place), placeChart, ui))
    throw WorkError("cannot read place chart " +
                    ctx.programDir().file(placeChartFileName(static_cast<int>(place))).string());
  ashernow(placeChart, birth, static_cast<int>(place), 1, clock);
  const Computed c = compute(birth, settings, houseSystem, zodiac, ui);
  json ? printJson(c, ctx.out) : printText(c, ctx.out);
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND("chart",
                "talpora chart DATE TIME [--zone HOURS] [--lon DEG] [--lat DEG] [--name TEXT] [--place TEXT] "
                "[--house-system N] [--unknown-time] [--zodiac tropical|sidereal] [--json]",
                "the computed chart of a moment: objects, cusps, Vertex, East Point, planetary hour",
                runChart);
TALPORA_COMMAND("now", "talpora now [--place N] [--house-system N] [--zodiac tropical|sidereal] [--json]",
                "the chart of the present moment at place chart N (0, the default, is your own place)",
                runNow);

}  // namespace talpora::cli
