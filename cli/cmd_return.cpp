// talpora return: the solar (or converse solar) return of a year, or the lunar returns of a month,
// placed at the natal place or another one.
#include <cmath>
#include <ostream>

#include "cli/chart_json.h"
#include "cli/json.h"
#include "cli/prediction_options.h"
#include "cli/report_text.h"
#include "predict/returns.h"

namespace talpora::cli {
namespace {

int runReturn(Args& args, Context& ctx) {
  const bool json = args.flag("--json");
  const bool converse = args.flag("--converse");
  const auto solar = args.integer("--solar");
  const auto lunar = args.option("--lunar");
  const auto lon = args.number("--place-lon");
  const auto lat = args.number("--place-lat");
  const auto zone = args.number("--place-zone");
  if (solar.has_value() == lunar.has_value()) throw UsageError("give --solar YEAR or --lunar YYYY-MM");
  if (converse && lunar) throw UsageError("option --converse: only with --solar");
  if (lon && std::fabs(*lon) > 180) throw UsageError("option --place-lon: longitude is -180 to 180 degrees");
  if (lat && std::fabs(*lat) > 90) throw UsageError("option --place-lat: latitude is -90 to 90 degrees");
  if (zone) checkedZone(*zone, "--place-zone");
  NatalSession s;
  loadNatal(args, ctx, s);
  args.finish();
  std::vector<ReturnResult> found;
  if (solar) {
    if (auto refusal = yearRefusal(static_cast<int>(*solar), 0)) throw UsageError(*refusal);
    if (converse && 2 * s.natal.year - *solar < 1)
      throw UsageError("option --solar: the converse year " + std::to_string(2 * s.natal.year - *solar) +
                       " is before year 1");
    found.push_back(solarReturn(s.settings, s.natal, s.chart, static_cast<int>(*solar), converse, s.zodiac));
  } else {
    int year = 0, month = 0;
    splitDate(*lunar, "--lunar", year, month, nullptr);
    if (auto refusal = yearMonthRefusal(month, year, 0)) throw UsageError(*refusal);
    found = lunarReturns(s.settings, s.natal, s.chart, month, year, s.zodiac);
  }
  for (const ReturnResult& r : found)
    if (!r.found) throw WorkError("the return search did not converge in 50 passes");
  const double placeLon = lon ? *lon / 15.0 : s.natal.longitude, placeLat = lat ? *lat : s.natal.latitude;
  const double placeZone = zone ? *zone : s.natal.timeZone;
  if (json) {
    Json j;
    j.beginObject();
    j.key("returns").beginArray();
    for (const ReturnResult& r : found) {
      Chart1 placed;
      Chart2 chart;
      placeReturn(s.settings, r, placeLon, placeLat, placeZone, s.chiron, placed, chart);
      j.beginObject();
      j.field("chartType", static_cast<int>(placed.chartType));
      j.field("typeText", std::string_view(utf8Field(placed.typeText, sizeof placed.typeText)));
      j.field("exactUT", std::string_view(isoMoment(r.jdUt)));
      j.key("julianDayUT").value(r.jdUt, 8);
      j.field("passes", r.passes);
      j.endObject();
    }
    j.endArray();
    j.endObject();
    ctx.out << j.str() << '\n';
    return kExitOk;
  }
  if (found.empty()) {
    ctx.out << "No lunar return in that month.\n";
    return kExitOk;
  }
  for (std::size_t k = 0; k < found.size(); ++k) {
    if (k) ctx.out << '\n';
    for (const std::string& line : returnResultLines(s.settings, found[k]))
      ctx.out << terminalText(line) << '\n';
    Chart1 placed;
    Chart2 chart;
    placeReturn(s.settings, found[k], placeLon, placeLat, placeZone, s.chiron, placed, chart);
    ctx.out << "Exact moment (UT): " << isoMoment(found[k].jdUt) << '\n';
    ctx.out << terminalText(typeTextOf(placed)) << ": " << placed.year << '-'
            << (placed.month < 10 ? "0" : "") << placed.month << '-' << (placed.day < 10 ? "0" : "")
            << placed.day << ' ' << (placed.hour < 10 ? "0" : "") << placed.hour << ':'
            << (placed.minute < 10 ? "0" : "") << placed.minute << " local time, zone " << placed.timeZone
            << " h\n";
  }
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND(
    "return",
    "talpora return CHART-OPTIONS (--solar YEAR [--converse] | --lunar YYYY-MM) [--place-lon DEG "
    "--place-lat DEG --place-zone HOURS] [--json]\n"
    "CHART-OPTIONS: see talpora help chart-options",
    "the solar or converse solar return of a year, or the lunar returns of a month (default place: the "
    "natal one)",
    runReturn);

}  // namespace talpora::cli
