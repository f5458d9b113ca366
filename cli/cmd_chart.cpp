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
#include "engine/chart_session.h"
#include "files/zykfile.h"
#include "format/chart_report.h"
#include "format/text_format.h"
#include "platform/byte_io.h"
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

// A longitude in the zodiac asked for (the -1 marker stays).
double shown(const ComputedChart& c, double lon) {
  if (!c.sidereal || lon == kNoPosition) return lon;
  ConvertToSidereal(&lon, 1, c.settings, c.chart);
  return lon;
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

void printJson(const ComputedChart& c, std::ostream& out) {
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
  const ChartSession session(ctx.programDir().dir, ui);
  const ComputedChart c = session.compute(req.query());
  json ? printJson(c, ctx.out) : void(ctx.out << chartReport(c));
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
  const ChartSession session(ctx.programDir().dir, ui);
  Chart1 birth;
  if (!session.now(static_cast<int>(place), headless::SystemClock(), birth, ui))
    throw WorkError("cannot read place chart " +
                    ctx.programDir().file(placeChartFileName(static_cast<int>(place))).string());
  const ComputedChart c = session.compute({birth, houseSystem, zodiac});
  json ? printJson(c, ctx.out) : void(ctx.out << chartReport(c));
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
