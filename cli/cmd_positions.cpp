// talpora positions: the engine's positions for one moment (Sun to Chiron, the obliquity and the two
// sidereal references).
#include <cmath>
#include <cstdio>
#include <ostream>

#include "cli/chart_options.h"
#include "cli/command.h"
#include "cli/json.h"
#include "core/calendar.h"
#include "core/records.h"
#include "engine/positions.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora::cli {
namespace {

constexpr const char* kObjectNames[14] = {"Sun",        "Moon",       "Mercury",    "Venus",   "Mars",
                                          "Jupiter",    "Saturn",     "Uranus",     "Neptune", "Pluto",
                                          "North Node", "South Node", "Black Moon", "Chiron"};

bool hasHeliocentric(int k) {
  return k >= kMercury && k <= kPluto;
}

std::string column(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

int runPositions(Args& args, Context& ctx) {
  const bool json = args.flag("--json");
  const std::optional<double> zone = args.number("--zone");
  short day = 0, month = 0, year = 0, hour = 0, minute = 0;
  int second = 0;
  parseDate(args.next("DATE"), day, month, year);
  parseTime(args.next("TIME"), hour, minute, second);
  args.finish();
  if (zone && !(std::fabs(*zone) <= 20)) throw UsageError("option --zone: at most 20 hours either way");

  const double jdUt = julian_day(day, month, year, (hour + minute / 60.0 + second / 3600.0) / 24.0) -
                      zone.value_or(0.0) / 24.0;
  headless::StderrInteraction ui;
  const ChironTable chiron = loadChironTable(defaultSettings(ctx.programDir().dir.string()), ui);
  const Positions p = computePositions(jdUt, chiron);

  if (json) {
    Json j;
    j.beginObject();
    j.key("julianDayUT").value(p.jdUt, 6);
    j.key("deltaT").value(p.deltaT, 6);
    j.key("obliquity").value(p.obliquity, 6);
    j.key("trueAyanamsa").value(p.trueAyanamsa, 6);
    j.key("syneticVernalPoint").value(p.syneticVernalPoint, 6);
    j.key("objects").beginObject();
    for (int k = 0; k < 14; ++k) {
      j.key(kObjectNames[k]).beginObject();
      const bool known = hasPosition(p.lon[k]);
      j.key("longitude");
      known ? j.value(p.lon[k], 6) : j.null();
      j.key("latitude");
      known ? j.value(p.lat[k], 6) : j.null();
      if (hasHeliocentric(k)) j.key("heliocentricLongitude").value(p.helioLon[k], 6);
      j.endObject();
    }
    j.endObject();
    j.endObject();
    ctx.out << j.str() << '\n';
    return kExitOk;
  }

  ctx.out << "Julian Day (UT): " << fixed(p.jdUt, 6) << '\n';
  ctx.out << "Delta T: " << fixed(p.deltaT, 6) << " s\n";
  ctx.out << "obliquity: " << fixed(p.obliquity, 6) << '\n';
  ctx.out << "true ayanamsa: " << fixed(p.trueAyanamsa, 6) << '\n';
  ctx.out << "synetic vernal point: " << fixed(p.syneticVernalPoint, 6) << '\n';
  ctx.out << column("object", 12) << column("longitude", 12) << column("latitude", 12) << "heliocentric\n";
  for (int k = 0; k < 14; ++k) {
    ctx.out << column(kObjectNames[k], 12);
    if (!hasPosition(p.lon[k])) {
      ctx.out << "-\n";
      continue;
    }
    ctx.out << column(fixed(p.lon[k], 6), 12);
    if (hasHeliocentric(k))
      ctx.out << column(fixed(p.lat[k], 6), 12) << fixed(p.helioLon[k], 6) << '\n';
    else
      ctx.out << fixed(p.lat[k], 6) << '\n';
  }
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND("positions", "talpora positions DATE TIME [--zone HOURS] [--json]",
                "positions of the Sun to Chiron for a local date and time (degrees, 6 decimals)",
                runPositions);

}  // namespace talpora::cli
