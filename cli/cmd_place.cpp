// talpora place show|set: the place charts "ZYKF%02d.DTF" behind the charts of the present moment
// (place 0 is the user's own place).
#include <cmath>
#include <ostream>
#include <string>

#include "cli/command.h"
#include "cli/json.h"
#include "dialogs/place_entry.h"
#include "files/zykfile.h"
#include "format/text_format.h"
#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/headless/scripted_interaction.h"

namespace talpora::cli {
namespace {

CIni settingsOf(Context& ctx, ui::Interaction& ui) {
  CIni settings = defaultSettings(ctx.programDir().dir.string());
  PutInMemBlock_CIni(settings, ctx.programDir().dir, ui);
  return settings;
}

int placeNumber(Args& args) {
  const std::string text = args.next("N");
  const auto n = parseInteger(text);
  if (!n || *n < 0 || *n > 99) throw UsageError("place number '" + text + "': place charts are 0 to 99");
  return static_cast<int>(*n);
}

int runShow(Args& args, Context& ctx) {
  const int n = placeNumber(args);
  const bool json = args.flag("--json");
  args.finish();
  headless::StderrInteraction ui;
  const CIni settings = settingsOf(ctx, ui);
  Chart1 chart;
  if (!dialogs::readPlaceChart(ui, settings, n, chart))
    throw WorkError("cannot read place chart " + std::to_string(n) + " (" +
                    ctx.programDir().file(placeChartFileName(n)).string() + ")");
  const std::string place = cp1252ToUtf8(fieldText(chart.place));
  const double lon = chart.longitude * 15;
  if (json) {
    Json j;
    j.beginObject();
    j.field("place", n);
    j.field("name", place);
    j.key("longitude").value(lon, 6);
    j.key("latitude").value(chart.latitude, 6);
    j.key("timeZone").value(chart.timeZone, 6);
    j.field("zoneStatus", static_cast<int>(chart.zoneStatus));
    j.endObject();
    ctx.out << j.str() << '\n';
    return kExitOk;
  }
  ctx.out << "Place chart " << n << ": " << place << '\n';
  ctx.out << "Longitude: " << cp1252ToUtf8(edb_geographicalongldms(lon, 0, 0)) << "  (" << fixed(lon, 6)
          << ")\n";
  ctx.out << "Latitude: " << cp1252ToUtf8(edb_geographicallatdm(chart.latitude, 0, 0)) << "  ("
          << fixed(chart.latitude, 6) << ")\n";
  ctx.out << "Time zone: " << (chart.timeZone < 0 ? "-" : "+") << fixed(std::fabs(chart.timeZone), 2)
          << " h (clock time minus Greenwich time)\n";
  return kExitOk;
}

int runSet(Args& args, Context& ctx) {
  const int n = placeNumber(args);
  const auto lon = args.number("--lon"), lat = args.number("--lat"), zone = args.number("--zone");
  const auto place = args.option("--place");
  args.finish();
  if (!lon) throw UsageError("option --lon DEG is required");
  if (!lat) throw UsageError("option --lat DEG is required");
  if (!zone) throw UsageError("option --zone H is required");
  std::optional<std::string> name;
  if (place) {
    name = utf8ToCp1252(*place);
    if (name->size() > 24) throw UsageError("option --place: a place name holds at most 24 characters");
  }
  headless::StderrInteraction ui;
  const CIni settings = settingsOf(ctx, ui);
  if (!dialogs::setPlaceChart(ui, settings, n, *lon, *lat, *zone, name))
    throw WorkError("place chart " + std::to_string(n) + " was not changed");
  ctx.out << "Wrote " << ctx.programDir().file(placeChartFileName(n)).string() << '\n';
  return kExitOk;
}

int runPlace(Args& args, Context& ctx) {
  const std::string what = args.next("show|set");
  if (what == "show") return runShow(args, ctx);
  if (what == "set") return runSet(args, ctx);
  throw UsageError("unknown place command '" + what + "' (show or set)");
}

}  // namespace

TALPORA_COMMAND(
    "place",
    "talpora place show N [--json] | talpora place set N --lon DEG --lat DEG --zone H [--place TEXT]",
    "show or set place chart N (0 is your own place, used by 'talpora now')", runPlace);

}  // namespace talpora::cli
