// talpora transits: the transits of a moment to a natal chart, or day by day over a period (with the
// progressions of the same days when asked).
#include <ostream>

#include "cli/prediction_options.h"
#include "core/calendar.h"
#include "engine/now.h"
#include "files/zykfile.h"
#include "format/text_format.h"
#include "platform/byte_io.h"
#include "platform/headless/fakes.h"
#include "predict/progression.h"

namespace talpora::cli {
namespace {

// The transit period box's first state: Jupiter to Pluto, the five major aspects.
void dialogDefaults(TransitPeriod& p) {
  for (int i = 0; i < 14; ++i) p.excludedObjects[i] = (i >= kJupiter && i <= kPluto) ? 0 : 1;
  for (int k = 0; k < 9; ++k) p.excludedAspects[k] = k < 5 ? 0 : 1;
}

int runPeriod(Args& args, Context& ctx, const std::string& from, const std::string& to, bool json) {
  TransitPeriod p;
  dialogDefaults(p);
  if (auto objects = args.option("--objects")) {
    for (int& x : p.excludedObjects) x = 1;
    for (int o : parseObjectList(*objects, "--objects", kChiron)) p.excludedObjects[o] = 0;
  }
  // The Moon is always left out, as in the transit period box.
  p.excludedObjects[kMoon] = 1;
  bool any = false;
  for (int x : p.excludedObjects) any = any || x == 0;
  if (!any) throw UsageError("option --objects: We need at least one planet!");
  if (auto aspects = args.option("--aspects")) {
    for (int& x : p.excludedAspects) x = 1;
    for (int k : parseAspectList(*aspects, "--aspects")) p.excludedAspects[k] = 0;
  }
  if (auto method = args.integer("--with-progressions")) {
    if (*method < 1 || *method > 4) throw UsageError("option --with-progressions: methods are 1 to 4");
    p.withProgressions = 1;
    p.method = static_cast<int>(*method);
  }
  p.converse = args.flag("--converse") ? 1 : 0;
  if (p.converse && !p.withProgressions) throw UsageError("option --converse needs --with-progressions");
  const std::optional<double> zone = args.number("--period-zone");
  NatalSession s;
  loadNatal(args, ctx, s);
  args.finish();
  const TwoDates d = checkedPeriod(from, to, 1, 0);
  if (zone) {
    p.timeZone = checkedZone(*zone, "--period-zone");
  } else {
    Chart1 place;
    p.timeZone = readPlaceChart(s.settings, 0, place, s.ui) ? place.timeZone : 0;
  }
  p.firstDay = julian_dayh(d.firstDay, d.firstMonth, d.firstYear, 0, 0);
  p.lastDay = julian_dayh(d.lastDay, d.lastMonth, d.lastYear, 0, 0);
  p.zodiac = s.zodiac;
  printPeriod(ctx, s, p, json);
  return kExitOk;
}

int runTransits(Args& args, Context& ctx) {
  std::optional<Args> second = args.splitAt("--second");
  bool json = args.flag("--json");
  const auto from = args.option("--from");
  const auto to = args.option("--to");
  if (from || to) {
    if (second) throw UsageError("option --second: not with --from and --to");
    if (!from || !to) throw UsageError(from ? "option --to is missing" : "option --from is missing");
    return runPeriod(args, ctx, *from, *to, json);
  }
  for (const char* option : {"--objects", "--aspects", "--with-progressions", "--period-zone"})
    if (args.option(option)) throw UsageError(std::string("option ") + option + " needs --from and --to");
  if (args.flag("--converse")) throw UsageError("option --converse needs --with-progressions");
  Chart1 moment;
  bool now = true;
  if (second) {
    json = second->flag("--json") || json;
    const std::string first = second->next("DATE (YYYY-MM-DD) or now after --second");
    if (first != "now") {
      now = false;
      moment = zeroedRecord<Chart1>();
      parseDate(first, moment.day, moment.month, moment.year);
      int seconds = 0;
      parseTime(second->next("TIME (HH:MM) after --second"), moment.hour, moment.minute, seconds);
      if (auto zone = second->number("--zone")) moment.timeZone = checkedZone(*zone, "--zone");
      moment.timeKnown = 1;
    }
    second->finish();
  }
  NatalSession s;
  loadNatal(args, ctx, s);
  args.finish();
  if (now) {
    const headless::SystemClock clock;
    Chart1 place;
    if (!readPlaceChart(s.settings, 0, place, s.ui))
      throw WorkError("cannot read place chart " + ctx.programDir().file(placeChartFileName(0)).string());
    ashernow(place, moment, 0, 1, clock);
  }
  // The derived chart: the natal name, the transit chart type of the zodiac.
  std::memcpy(moment.name, s.natal.name, sizeof moment.name);
  moment.chartType =
      static_cast<std::int16_t>(s.zodiac ? chart_type::kSiderealTransits : chart_type::kTransits);
  setField(moment.typeText,
           (s.zodiac ? "Sid.Trans. " : "Transits for ") + ed_date(moment.day, moment.month, moment.year, 0));
  setField(moment.comment, "");
  Chart2 chart;
  calculall(s.settings, moment, chart, s.chiron);
  if (json) {
    printDerivedJson(ctx, s, moment, chart, s.zodiac == 1);
    return kExitOk;
  }
  Report report;
  PredictionListing(report, nullptr, listing_type::kTransits, s.zodiac, s.settings, s.natal, s.chart, moment,
                    chart, moment, chart, readPredictionOrbs(s.settings, &s.ui));
  printReport(ctx, report);
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND(
    "transits",
    "talpora transits CHART-OPTIONS [--second DATE TIME [--zone HOURS] | --second now] [--json]\n"
    "       talpora transits CHART-OPTIONS --from YYYY-MM-DD --to YYYY-MM-DD [--period-zone HOURS] "
    "[--objects LIST] [--aspects LIST] [--with-progressions 1..4 [--converse]] [--json]\n"
    "CHART-OPTIONS: see talpora help chart-options",
    "transits to the natal chart for a moment (default: now at place chart 0), or day by day over a "
    "period (objects: Jupiter to Pluto and aspects: the five major ones unless given; the Moon is "
    "always left out)",
    runTransits);

}  // namespace talpora::cli
