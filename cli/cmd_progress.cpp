// talpora progress, talpora direct: secondary progressions (for a date or day by day over a period),
// solar arc directions and symbolic directions of a natal chart.
#include <ostream>

#include "cli/prediction_options.h"
#include "core/calendar.h"
#include "predict/progression.h"

namespace talpora::cli {
namespace {

struct Derived {
  Chart1 record{};
  Chart2 chart{};
};

void listDerived(Context& ctx, const NatalSession& s, int type, int zodiac, const Derived& d, bool json) {
  if (json) return printDerivedJson(ctx, s, d.record, d.chart, zodiac == 1);
  Report report;
  PredictionListing(report, nullptr, type, zodiac, s.settings, s.natal, s.chart, d.record, d.chart, d.record,
                    d.chart, readPredictionOrbs(s.settings, &s.ui));
  printReport(ctx, report);
}

Derived progressed(const NatalSession& s, int day, int month, int year, int converse, int method) {
  Derived d;
  d.record.day = static_cast<std::int16_t>(day);
  d.record.month = static_cast<std::int16_t>(month);
  d.record.year = static_cast<std::int16_t>(year);
  Progression(s.settings, s.natal, s.chart, d.record, d.chart, converse, method, s.chiron);
  return d;
}

int runProgress(Args& args, Context& ctx) {
  const bool json = args.flag("--json");
  const bool converse = args.flag("--converse");
  const auto date = args.option("--date");
  const auto from = args.option("--from");
  const auto to = args.option("--to");
  const auto method = args.integer("--method");
  if (!method) throw UsageError("option --method is missing (1 to 4)");
  if (*method < 1 || *method > 4) throw UsageError("option --method: methods are 1 to 4");
  if (date && (from || to)) throw UsageError("option --date: not with --from and --to");
  if (!date && !(from && to)) throw UsageError("give --date DATE, or --from DATE and --to DATE");
  NatalSession s;
  loadNatal(args, ctx, s);
  args.finish();
  if (date) {
    int day, month, year;
    checkedDate(*date, "--date", day, month, year);
    const Derived d = progressed(s, day, month, year, converse, static_cast<int>(*method));
    listDerived(ctx, s, listing_type::kProgressions, s.zodiac, d, json);
    return kExitOk;
  }
  const TwoDates period = checkedPeriod(*from, *to, 1, 0);
  TransitPeriod p;
  p.withTransits = 0;
  p.withProgressions = 1;
  p.firstDay = julian_dayh(period.firstDay, period.firstMonth, period.firstYear, 0, 0);
  p.lastDay = julian_dayh(period.lastDay, period.lastMonth, period.lastYear, 0, 0);
  p.zodiac = s.zodiac;
  p.converse = converse;
  p.method = static_cast<int>(*method);
  printPeriod(ctx, s, p, json);
  return kExitOk;
}

int runDirect(Args& args, Context& ctx) {
  const bool json = args.flag("--json");
  const bool solarArc = args.flag("--solar-arc");
  const bool converse = args.flag("--converse");
  const auto date = args.option("--date");
  const auto symbolic = args.option("--symbolic");
  const auto year = args.integer("--year");
  if (solarArc == symbolic.has_value())
    throw UsageError("give --solar-arc --date DATE, or --symbolic KIND --year Y");
  NatalSession s;
  if (solarArc) {
    if (!date) throw UsageError("option --date is missing");
    if (year) throw UsageError("option --year: only with --symbolic");
    loadNatal(args, ctx, s);
    args.finish();
    int day, month, y;
    checkedDate(*date, "--date", day, month, y);
    const Derived d = progressed(s, day, month, y, converse, progression_method::kSolarArcDirections);
    listDerived(ctx, s, listing_type::kDirections, s.zodiac, d, json);
    return kExitOk;
  }
  if (*symbolic != "degree" && *symbolic != "naibod") throw UsageError("option --symbolic: degree or naibod");
  if (!year) throw UsageError("option --year is missing");
  if (converse || date)
    throw UsageError(converse ? "option --converse: only with --solar-arc"
                              : "option --date: only with --solar-arc");
  loadNatal(args, ctx, s);
  args.finish();
  if (auto refusal = yearRefusal(static_cast<int>(*year), 0)) throw UsageError(*refusal);
  Derived d;
  SymbolicDirections(0, s.natal, s.chart, d.record, d.chart, static_cast<int>(*year),
                     *symbolic == "naibod" ? 1 : 0);
  listDerived(ctx, s, listing_type::kDirections, s.zodiac, d, json);
  return kExitOk;
}

}  // namespace

TALPORA_COMMAND(
    "progress",
    "talpora progress CHART-OPTIONS (--date YYYY-MM-DD | --from YYYY-MM-DD --to YYYY-MM-DD) "
    "--method 1..4 [--converse] [--json]\n"
    "CHART-OPTIONS: see talpora help chart-options",
    "secondary progressions for a date, or day by day over a period; the angles by method 1 Naibod in "
    "right ascension, 2 Naibod in longitude, 3 true solar arc in longitude, 4 true solar arc in right "
    "ascension",
    runProgress);
TALPORA_COMMAND(
    "direct",
    "talpora direct CHART-OPTIONS (--solar-arc --date YYYY-MM-DD [--converse] | --symbolic degree|naibod "
    "--year Y) [--json]\n"
    "CHART-OPTIONS: see talpora help chart-options",
    "solar arc directions for a date, or symbolic directions (one degree or 59'08\" a year) for a year",
    runDirect);

}  // namespace talpora::cli
